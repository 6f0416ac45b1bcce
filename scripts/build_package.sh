#!/usr/bin/env bash
# Makes the Debian package in one build tree: scripts/build_package.sh DIR
# [cmake options...]. A Release build of only what the package holds
# (nexmar, nexmar-cli, their manual pages, the Debian changelog), installed
# under /usr and packed by cpack into DIR/nexmar_<version>_<arch>.deb.
# SOURCE_DATE_EPOCH, unless given, is the time of the last commit, for the
# whole build: help2man, Qt's resource compiler and cpack all date from it.
set -euo pipefail
dir=$1
shift
source_dir=$(cd "$(dirname "$0")/.." && pwd)
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    if SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null); then
        export SOURCE_DATE_EPOCH
    else
        unset SOURCE_DATE_EPOCH
        echo "No SOURCE_DATE_EPOCH and no git history: the package's dates are the build's" >&2
    fi
fi
cmake -S "$source_dir" -B "$dir" -G "${NEXMAR_GENERATOR:-Ninja}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DNEXMAR_BUILD_APP=ON -DBUILD_TESTING=OFF -DNEXMAR_BUILD_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)" --target nexmar_package_contents
(cd "$dir" && cpack -G DEB >/dev/null)
