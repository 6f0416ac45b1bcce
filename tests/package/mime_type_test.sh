#!/bin/sh
# The shared-mime-info type in $1 names a document nexmar-cli ($2) writes
# as a Nexmar run, whatever its file is called, and leaves any other JSON
# document plain JSON; $3 is a scratch folder.
set -eu
scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch/mime/packages"
cp "$1" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" 2>/dev/null
"$2" --seed 5 --systems 2 --json "$scratch/run.json" --dir "$scratch" >/dev/null
printf '{"program":"other"}\n' >"$scratch/other.json"

type_of() {
    XDG_DATA_HOME=$scratch XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$scratch/$1" |
        sed -n 's/.*standard::content-type: //p'
}
[ "$(type_of run.json)" = application/x-nexmar-run ] || { echo "run.json is $(type_of run.json)"; exit 1; }
[ "$(type_of other.json)" = application/json ] || { echo "other.json is $(type_of other.json)"; exit 1; }
