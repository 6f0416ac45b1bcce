#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in a
# normal build and with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

echo "== normal build"
bash scripts/build.sh build
(cd build && ctest --output-on-failure -j 2)

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
bash scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DNEXMAR_SANITIZE=ON -DNEXMAR_BUILD_BENCH=OFF
(cd build-sanitize && ctest --output-on-failure -j 2 -LE memcheck)
