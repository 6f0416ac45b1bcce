#!/usr/bin/env bash
# Installs what is missing, makes a Release build of nexmar and nexmar-cli and
# packs it into a Debian package in build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DNEXMAR_BUILD_APP=ON -DBUILD_TESTING=OFF -DNEXMAR_BUILD_BENCH=OFF
(cd build-release && cpack -G DEB)
