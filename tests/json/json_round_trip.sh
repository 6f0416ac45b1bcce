#!/bin/sh
# json_round_trip.sh CLI: for 20 seeds at each level, census on and off, a
# run exported with --json and rendered again with --from-json prints the
# same tree and writes the same reports and the same document, byte for byte.
# The options the file decides are refused beside it, in one line, touching
# no file.
set -eu
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run" "$work/again"
failed=0
for level in low medium high; do
    for census in "" --census; do
        seed=0
        while [ $seed -lt 20 ]; do
            # Seeds spread over the whole range, counts from 1 to 200.
            big=$((seed * 214013 * 2531011 % 4294967296))
            systems=$((1 + seed * 53 % 200))
            "$cli" --systems $systems --detail $level $census --seed $big --tree --json "$work/run/run.json" \
                --dir "$work/run" >"$work/run/tree"
            "$cli" --from-json "$work/run/run.json" --tree --json "$work/again/run.json" --dir "$work/again" \
                >"$work/again/tree"
            for output in tree TNXT001 TNXH001 run.json; do
                if ! cmp -s "$work/run/$output" "$work/again/$output"; then
                    echo "seed $big, $systems systems, $level $census: $output differs"
                    failed=1
                fi
            done
            seed=$((seed + 1))
        done
    done
done
for fixed in "--systems 2" "--detail low" --census "--seed 1"; do
    rm -f "$work/again/TNXT001"
    status=0
    "$cli" --from-json "$work/run/run.json" $fixed --dir "$work/again" 2>"$work/error" || status=$?
    if [ $status -ne 2 ] || [ "$(wc -l <"$work/error")" -ne 1 ] || [ -e "$work/again/TNXT001" ]; then
        echo "--from-json with $fixed: exit $status, $(cat "$work/error")"
        failed=1
    fi
done
exit $failed
