#!/usr/bin/env bash
# Completes command lines with nexmar-cli's bash completion ($1): the options
# offered are exactly the long options that nexmar-cli ($2) --help lists, and
# nexmar-cli accepts every detail level offered. Reports go to a scratch
# folder ($3).
set -euo pipefail
completion=$1 cli=$2 scratch=$3
# shellcheck source=/dev/null
source "$completion"

# Prints the completions of the last of the given words, one a line.
complete_last() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _nexmar_cli
    if ((${#COMPREPLY[@]})); then printf '%s\n' "${COMPREPLY[@]}"; fi
}

fail() {
    echo "$1"
    exit 1
}

offered=$(complete_last nexmar-cli -- | sort)
listed=$("$cli" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[[ "$offered" == "$listed" ]] || fail "options offered: $(echo $offered); listed by --help: $(echo $listed)"

levels=$(complete_last nexmar-cli --detail '')
[[ "$(echo $levels)" == "low medium high" ]] || fail "levels offered after --detail: $(echo $levels)"
[[ "$(complete_last nexmar-cli --detail = me)" == medium ]] || fail "--detail=me does not complete to medium"

rm -rf "$scratch"
mkdir -p "$scratch"
for level in $levels; do
    "$cli" --detail "$level" --seed 1 --dir "$scratch" >/dev/null || fail "nexmar-cli refuses --detail $level"
done
