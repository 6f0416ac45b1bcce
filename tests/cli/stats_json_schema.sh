#!/bin/sh
# nexmar-cli --stats-json at every level, with and without census, checked
# against the schema in docs/.
set -eu
cli=$1
schema=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
for level in low medium high; do
  for census in "" --census; do
    "$cli" --systems 50 --detail "$level" $census --seed 3 --dir "$dir" --stats-json "$dir/stats.json" >/dev/null
    python3 -c 'import json, sys, jsonschema
jsonschema.validate(json.load(open(sys.argv[2])), json.load(open(sys.argv[1])))' "$schema" "$dir/stats.json"
  done
done
