#!/usr/bin/env bash
# Makes the Debian package twice with scripts/build_package.sh, each time from
# a copy of the source ($1, its files known to git) in a folder of its own
# under $2, the first built beside its source, the second inside it, with
# CMake's generator $3 and compiler launcher $4 (may be empty). Both use one
# SOURCE_DATE_EPOCH: the environment's, or else the last commit's. Leaves
# $2/first/build/nexmar_*.deb, unpacked in $2/first/root, and
# $2/second-folder/nexmar/build-release/nexmar_*.deb.
set -euo pipefail
source_dir=$1 scratch=$2 generator=$3 launcher=${4:-}

fail() {
    echo "$1"
    exit 1
}

git -C "$source_dir" rev-parse 2>/dev/null || fail "$source_dir is not a git checkout: which files to copy is unknown"
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct) || fail "no SOURCE_DATE_EPOCH and no git history"
fi
export SOURCE_DATE_EPOCH NEXMAR_GENERATOR=$generator
options=()
[[ -z "$launcher" ]] || options+=(-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")

# The copies get fresh modification times, so nothing may date from those.
copy_source() {
    mkdir -p "$1"
    git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
        (cd "$source_dir" && tar --null --ignore-failed-read -T - -cf -) | tar -xf - --touch -C "$1"
}

# Builds the package of the source in $1 in the folder $2, quiet unless it fails.
build_package() {
    bash "$1/scripts/build_package.sh" "$2" "${options[@]}" >"$2.log" 2>&1 || {
        cat "$2.log"
        fail "the package build in $2 failed"
    }
}

rm -rf "$scratch"
first=$scratch/first second=$scratch/second-folder/nexmar
copy_source "$first/source"
copy_source "$second"
start=$SECONDS
build_package "$first/source" "$first/build"
build_package "$second" "$second/build-release"
echo "two package builds: $((SECONDS - start)) s"
dpkg-deb -x "$first"/build/nexmar_*.deb "$first/root"
