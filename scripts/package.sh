#!/usr/bin/env bash
# Installs what is missing, makes a Release build of nexmar and nexmar-cli and
# packs it into a Debian package in build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build_package.sh build-release
