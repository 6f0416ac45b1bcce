#!/usr/bin/env bash
# Makes the Debian package once with scripts/build_package.sh, from a copy of
# the source ($1, its files known to git) in $2/nexmar, built inside it as
# scripts/package.sh builds (the harder case for the prefix maps), with
# CMake's generator $3 and compiler launcher $4 (may be empty). Every file of
# the copy carries one time, a year and more before SOURCE_DATE_EPOCH (the
# environment's, or else the last commit's), so that reproducible_test.sh can
# tell a date taken from the files from the one the package must hold.
# Leaves $2/nexmar/build-release/nexmar_*.deb, unpacked in $2/root, and the
# two dates in $2/dates.
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
files_time=$((SOURCE_DATE_EPOCH - 400 * 86400 - 12345))

rm -rf "$scratch"
copy=$scratch/nexmar
mkdir -p "$copy"
git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
    (cd "$source_dir" && tar --null --ignore-failed-read -T - -cf -) |
    tar -xf - -C "$copy"
find "$copy" -exec touch -h -d "@$files_time" {} +
printf '%s %s\n' "$SOURCE_DATE_EPOCH" "$files_time" >"$scratch/dates"

start=$SECONDS
bash "$copy/scripts/build_package.sh" "$copy/build-release" "${options[@]}" >"$scratch/build.log" 2>&1 || {
    cat "$scratch/build.log"
    fail "the package build in $copy/build-release failed"
}
echo "package build: $((SECONDS - start)) s"
dpkg-deb -x "$copy"/build-release/nexmar_*.deb "$scratch/root"
