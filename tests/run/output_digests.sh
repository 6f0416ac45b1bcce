#!/bin/sh
# output_digests.sh CLI DIGESTS: runs nexmar-cli for every line of DIGESTS and
# compares the SHA-256 of its printed tree, both reports and its --json
# document with the line, so a change that moves one byte of any output
# fails: a key of the document moved or renamed as well as a value.
set -eu
cli=$1
digests=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
grep -v '^#' "$digests" | while read -r seed level census tree text html json; do
    census_option=
    [ "$census" = 1 ] && census_option=--census
    "$cli" --systems 200 --detail "$level" --seed "$seed" $census_option --tree --dir "$work" --json "$work/run.json" >"$work/tree" || exit 1
    set -- $(cd "$work" && sha256sum tree TNXT001 TNXH001 run.json | cut -d' ' -f1)
    differ=
    [ "$1" = "$tree" ] || differ="$differ the tree,"
    [ "$2" = "$text" ] || differ="$differ TNXT001,"
    [ "$3" = "$html" ] || differ="$differ TNXH001,"
    [ "$4" = "$json" ] || differ="$differ the JSON document,"
    if [ -n "$differ" ]; then
        echo "seed $seed, $level, census $census: these differ from the recorded digests:${differ%,}"
        exit 1
    fi
done || failed=1
exit $failed
