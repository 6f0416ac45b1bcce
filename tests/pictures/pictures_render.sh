#!/bin/sh
# Every picture nexmar-cli --svg writes of a 200-system run at each level,
# and each level's --svg-sheet, must be well-formed XML (xmllint) and draw
# without one word on standard error (rsvg-convert): a warning fails the test
# as an error does.
#   pictures_render.sh NEXMAR_CLI WORK_DIR
set -eu
cli=$1
work=$2
rm -rf "$work"
status=0
for level in low medium high; do
  dir=$work/$level
  mkdir -p "$dir"
  "$cli" --systems 200 --detail "$level" --census --seed 20231 --dir "$dir" --svg "$dir" --svg-sheet "$dir/sheet.svg"
  count=$(ls "$dir"/system-*.svg | wc -l)
  if [ "$count" -ne 200 ]; then
    echo "$level: $count pictures, expected 200"
    status=1
  fi
  if ! xmllint --noout "$dir"/*.svg 2>"$dir/xmllint.err" || [ -s "$dir/xmllint.err" ]; then
    echo "$level: xmllint:"
    head -n 20 "$dir/xmllint.err"
    status=1
  fi
  for svg in "$dir"/*.svg; do
    # A sheet of 200 rows is longer than the 32767 pixels of rsvg's images: drawn at a fifth.
    zoom=1
    [ "${svg##*/}" = sheet.svg ] && zoom=0.2
    if ! rsvg-convert --zoom "$zoom" -o "${svg%.svg}.png" "$svg" 2>"$dir/rsvg.err" || [ -s "$dir/rsvg.err" ]; then
      echo "$svg: rsvg-convert:"
      head -n 20 "$dir/rsvg.err"
      status=1
    fi
  done
done
[ "$status" -eq 0 ] && rm -rf "$work"
exit "$status"
