#!/bin/sh
# cmake --install of the package build in $1, stripped, into a staging
# root, gives the package's own tree: the same paths, types and modes of
# files, and the same bytes.
set -eu
scratch=$1
staging=$scratch/staging
rm -rf "$staging"
DESTDIR=$staging cmake --install "$scratch/nexmar/build-release" --strip >/dev/null

# One line a path: type, mode of a file (a folder's comes from the umask), digest.
describe() {
    (cd "$1" && find . -mindepth 1 -printf '%y %P\n' | sort | while read -r type path; do
        case "$type" in
        f) echo "f $path $(stat -c %a "$path") $(sha256sum <"$path" | cut -d' ' -f1)" ;;
        *) echo "$type $path" ;;
        esac
    done)
}
describe "$scratch/root" >"$scratch/package-tree.txt"
describe "$staging" >"$scratch/installed-tree.txt"
diff -u "$scratch/package-tree.txt" "$scratch/installed-tree.txt" || {
    echo "cmake --install and the package differ (- package, + installed)"
    exit 1
}
