#!/bin/sh
# from_json_faults.sh CLI: --from-json given what a hostile user gives it.
# Each refusal is one line on standard error and status 2, with the
# reports of the previous run untouched; standard input given as "-" is
# read like a file.
cli=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
cd "$work" || exit 1
"$cli" --systems 40 --detail high --census --seed 9 --json ok.json --dir . 2>/dev/null || exit 1
mkdir reports directory
mkfifo fifo
: >empty
printf 'Program: nexmar\n' >text
{ printf '{"format":1,"detail":"Low","census":false,"systems":['
  head -c 1048576 /dev/zero | tr '\0' '['; } >nested
cp ok.json nul.json && printf '\000garbage{{{' >>nul.json
printf '{"format":1,"detail":"Low","census":false,"seed":-0,"systems":[]}' >minus-zero
printf '{"format":1,"detail":"Low","census":false,"systems":[{"size":"\377"}]}' >latin1
# The head's members after the systems, where the second reading, which
# renders each system under the head read before it, cannot use them.
sed -e 's/"seed":9,//' -e '$ s/]}$/],"seed":9}/' ok.json >seed-last
sed -e 's/"program":"nexmar-cli",//' -e '$ s/]}$/],"program":"nexmar-cli"}/' ok.json >program-last

# description | --from-json argument | standard input | what the line must say
while IFS='|' read -r what argument input says; do
    echo earlier >reports/TNXT001
    status=0
    timeout 20 "$cli" --from-json "$argument" --dir reports <"$input" >/dev/null 2>error || status=$?
    if [ $status -ne 2 ] || [ "$(wc -l <error)" -ne 1 ] || ! grep -q -- "$says" error ||
        [ "$(cat reports/TNXT001)" != earlier ] || [ -e reports/TNXH001 ]; then
        echo "$what: status $status: $(cat error)"
        failed=1
    fi
    if LC_ALL=C grep -q "$(printf '[\200-\377]')" error; then
        echo "$what: a raw byte in the message"
        failed=1
    fi
done <<'TABLE'
a directory|directory|/dev/null|'directory' is a directory
a FIFO, which would block a reader|fifo|/dev/null|'fifo' is a pipe
an empty file|empty|/dev/null|not a JSON document: the file is empty
a text file|text|/dev/null|not a JSON document
an empty standard input|-|/dev/null|not a JSON document: the file is empty
a megabyte of nesting|nested|/dev/null|nested deeper than 64 levels
bytes after a NUL|nul.json|/dev/null|found byte 0x00
minus zero|minus-zero|/dev/null|found -0
a byte that is not UTF-8|latin1|/dev/null|expected text in UTF-8, found byte 0xFF
endless zeros on standard input, refused at their first byte|-|/dev/zero|expected '{' at its start, found byte 0x00
the seed after the systems|seed-last|/dev/null|^nexmar-cli: --from-json: seed-last: /seed (line [0-9]*): expected before "systems"
the program after the systems|program-last|/dev/null|/program (line [0-9]*): expected before "systems"
TABLE
# Standard input by its device name, when it is a pipe.
status=0
cat ok.json | "$cli" --from-json /dev/stdin --dir reports 2>error || status=$?
[ $status -eq 2 ] && grep -q 'is a pipe' error || { echo "piped /dev/stdin: status $status"; failed=1; }

mkdir piped named
cat ok.json | "$cli" --from-json - --tree --dir piped >piped/tree || failed=1
"$cli" --from-json ok.json --tree --dir named >named/tree || failed=1
for output in tree TNXT001 TNXH001; do
    cmp -s piped/$output named/$output || { echo "standard input: $output differs"; failed=1; }
done
exit $failed
