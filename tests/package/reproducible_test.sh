#!/bin/sh
# The two packages that build_two_packages.sh made in $1, from two folders,
# are the same bytes.
set -eu
first=$(ls "$1"/first/build/nexmar_*.deb)
second=$(ls "$1"/second-folder/nexmar/build-release/nexmar_*.deb)
cmp "$first" "$second" || {
    echo "Two builds of one commit differ; see how with: diffoscope $first $second"
    exit 1
}
