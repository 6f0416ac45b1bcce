#!/usr/bin/env bash
# Installs, as root on Debian 12, whatever the build, the tests, the
# benchmarks and the Debian package need and this machine does not have yet.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev python3-jsonschema
  qt6-base-dev xvfb xauth
  clang libclang-rt-14-dev valgrind
  help2man dpkg-dev desktop-file-utils appstream lintian devscripts git
  time libboost-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev jq
  librsvg2-bin libxml2-utils
  qt6-svg-dev poppler-utils
  unicode-data
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
