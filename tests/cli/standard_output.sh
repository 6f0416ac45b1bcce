#!/bin/sh
# nexmar-cli ($1) with standard output that takes nothing: a full disk, or
# closed altogether. It must fail with status 1 and one line on standard
# error, and a run must replace no file, as when the reader of a pipe goes
# away: standard output is written whole before any file takes its name.
cli=$1
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
failed=0
expect_refusal() {  # description, status, standard error
  lines=$(printf '%s\n' "$3" | wc -l)
  if [ "$2" -ne 1 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$3" | grep -q 'could not write to standard output'; then
    echo "$1: status $2, standard error:"; printf '%s\n' "$3"; failed=1
  fi
}
mkdir "$scratch/full" "$scratch/closed"
for args in --help --version "--seed 1 --tree --dir $scratch/full"; do
  err=$("$cli" $args 2>&1 >/dev/full); expect_refusal "$args >/dev/full" $? "$err"
done

args="--seed 1 --systems 50 --detail high --census"
err=$("$cli" $args --tree --dir "$scratch/closed" 2>&1 >&-); expect_refusal "--tree >&-" $? "$err"
for folder in full closed; do
  if [ -n "$(ls -A "$scratch/$folder")" ]; then
    echo "standard output failed, yet $folder holds: $(ls -A "$scratch/$folder")"; failed=1
  fi
done
exit $failed
