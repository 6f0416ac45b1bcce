#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh DIR [cmake options...]
# The generator is NEXMAR_GENERATOR if set (CI builds its normal tree with
# "Unix Makefiles", CMake's default, so both keep working), else the one the
# tree was made with, else Ninja. A tree made with another generator than
# the one asked for is configured afresh. NEXMAR_TARGETS, if set, names the
# only targets to build (separated by spaces); else all are built.
set -euo pipefail
dir=$1
shift
made_with=$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$dir/CMakeCache.txt" 2>/dev/null || true)
generator=${NEXMAR_GENERATOR:-${made_with:-Ninja}}
fresh=()
if [[ -n "$made_with" && "$made_with" != "$generator" ]]; then
    fresh=(--fresh)
fi
cmake "${fresh[@]}" -S "$(dirname "$0")/.." -B "$dir" -G "$generator" "$@" >/dev/null
targets=()
[[ -z "${NEXMAR_TARGETS:-}" ]] || targets=(--target ${NEXMAR_TARGETS})
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
