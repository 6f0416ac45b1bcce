#!/usr/bin/env bash
# Installs what is missing, builds Nexmar and starts the dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
exec ./build/app/nexmar "$@"
