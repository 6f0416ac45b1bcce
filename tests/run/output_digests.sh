#!/bin/sh
# output_digests.sh CLI DIGESTS: runs nexmar-cli for every line of DIGESTS and
# compares the SHA-256 of its printed tree and both reports with the line, so
# a change that moves one byte of any output fails.
set -eu
cli=$1
digests=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
grep -v '^#' "$digests" | while read -r seed level census tree text html; do
    census_option=
    [ "$census" = 1 ] && census_option=--census
    "$cli" --systems 200 --detail "$level" --seed "$seed" $census_option --tree --dir "$work" >"$work/tree" || exit 1
    actual=$(cd "$work" && sha256sum tree TNXT001 TNXH001 | cut -d' ' -f1 | tr '\n' ' ')
    if [ "$actual" != "$tree $text $html " ]; then
        echo "seed $seed, $level, census $census: outputs differ from the recorded digests"
        exit 1
    fi
done || failed=1
exit $failed
