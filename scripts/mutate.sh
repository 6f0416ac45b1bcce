#!/usr/bin/env bash
# Plants each fault of tests/mutations.txt, one at a time, in a clean copy of
# the last commit and runs the suite on it: a fault the suite passes is one
# no test can see. Not part of scripts/test.sh; it rebuilds once per fault.
#   bash scripts/mutate.sh [--list FILE] [--timeout SECONDS] [--tests REGEX] [--quick] [--check] [N...]
#                          [-- CMAKE_OPTION...]
# N picks faults by their number in the list (1 is the first fault), all by
# default. --check only checks that every fault's text is found exactly once.
# --tests runs only the ctest tests matching REGEX, for a quick look; options
# after -- configure the copy's build (-DNEXMAR_BUILD_APP=OFF leaves out the
# dialog and its tests). --quick runs, for each fault, only the tests its
# line names as the ones that kill it, and builds only their programs: a
# few seconds a fault once the copy is built, to see that a fault is still
# killed where it was; the whole suite is what tells a fault no test sees.
# The copy is a git worktree of HEAD in build-mutate/src, its build tree in
# build-mutate/src/build; both are kept, so the next run builds only what
# changed. Your own tree and its uncommitted changes are never touched.
# The report is printed and kept in build-mutate/report.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
list=$repo/tests/mutations.txt
timeout=900
tests=
check=0
quick=0
picked=()
cmake_options=()
while (($#)); do
    case $1 in
    --) shift; cmake_options=("$@"); break ;;
    --list) list=$(realpath "$2"); shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    --tests) tests=$2; shift 2 ;;
    --check) check=1; shift ;;
    --quick) quick=1; shift ;;
    *) picked+=("$1"); shift ;;
    esac
done

# The faults as lines "file<TAB>original<TAB>replacement<TAB>description",
# then optionally "<TAB>tests that kill it" (a ctest regex).
mapfile -t faults < <(grep -v -e '^#' -e '^[[:space:]]*$' "$list")

# fields N: sets file, original, replacement, description and killers from
# fault N (1 is the first). Split by hand: read with IFS of a tab would take
# two tabs as one and lose an empty replacement.
fields() {
    local rest=${faults[$(($1 - 1))]}$'\t'
    local -a parts=()
    while [[ -n $rest ]]; do
        parts+=("${rest%%$'\t'*}")
        rest=${rest#*$'\t'}
    done
    file=${parts[0]} original=${parts[1]-} replacement=${parts[2]-} description=${parts[3]-} killers=${parts[4]-}
}

# plant ROOT FILE ORIGINAL REPLACEMENT: replaces the one occurrence, or fails
# saying how many there are.
plant() {
    python3 - "$@" <<'EOF'
import sys
root, name, original, replacement = sys.argv[1:5]
original = original.replace("\\n", "\n")
replacement = replacement.replace("\\n", "\n")
path = f"{root}/{name}"
with open(path, encoding="utf-8") as f:
    text = f.read()
found = text.count(original)
if found != 1:
    sys.exit(f"found {found} times in {name}, not once")
with open(path, "w", encoding="utf-8") as f:
    f.write(text.replace(original, replacement))
EOF
}

if ((check)); then
    stale=0
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    for at in "${!faults[@]}"; do
        fields $((at + 1))
        [[ -n $description ]] || { echo "fault $((at + 1)) ($file): it has no description"; stale=1; }
        mkdir -p "$scratch/$(dirname "$file")"
        git show "HEAD:$file" >"$scratch/$file"
        plant "$scratch" "$file" "$original" "$replacement" 2>/dev/null ||
            { echo "fault $((at + 1)) ($file): its text is not found exactly once"; stale=1; }
    done
    echo "${#faults[@]} faults checked"
    exit $stale
fi

((${#picked[@]})) || picked=($(seq 1 "${#faults[@]}"))
work=$repo/build-mutate
src=$work/src
mkdir -p "$work"
if [[ ! -e $src/.git ]]; then
    git worktree add --detach "$src" HEAD >/dev/null
else
    git -C "$src" checkout --quiet --detach --force "$(git rev-parse HEAD)"
fi
git -C "$src" reset --hard --quiet
# Compiled objects are shared with other trees where the paths agree.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$repo")} CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
build=$src/build
selection=(-LE 'memcheck|package|fuzz')
[[ -n $tests ]] && selection+=(-R "$tests")

# With --quick, the tests of every fault picked, for the clean copy.
if ((quick)); then
    all_killers=()
    for number in "${picked[@]}"; do
        fields "$number"
        [[ -z $killers ]] || all_killers+=("$killers")
    done
    ((${#all_killers[@]})) || { echo "--quick: no fault picked names the tests that kill it"; exit 1; }
    selection+=(-R "$(IFS='|'; echo "${all_killers[*]}")")
fi

# build_copy [TARGETS]: builds the copy, only TARGETS if given.
build_copy() {
    NEXMAR_TARGETS=${1-} nice bash "$src/scripts/build.sh" "$build" "${launcher[@]}" "${cmake_options[@]}" \
        >"$work/build.log" 2>&1
}

# The programs that the tests matching the current selection run: each
# build-tree file named in their commands, which is a target of its name.
programs_of_selection() {
    (cd "$build" && ctest "${selection[@]}" --show-only=json-v1) | python3 -c '
import json, os, sys
build = os.path.realpath(sys.argv[1])
names = set()
for test in json.load(sys.stdin).get("tests", []):
    for word in test.get("command", []):
        path = os.path.realpath(word)
        if path.startswith(build + os.sep) and os.path.isfile(path) and os.access(path, os.X_OK) \
                and "." not in os.path.basename(path):
            names.add(os.path.basename(path))
print(" ".join(sorted(names)))' "$build"
}

echo "== the clean copy at $(git -C "$src" rev-parse --short HEAD), built"
if ((quick)); then
    # Configured first (the target help builds nothing), so that ctest knows the tests' programs.
    build_copy help && build_copy "$(programs_of_selection)"
else
    build_copy
fi || { echo "the clean copy does not build; see $work/build.log"; exit 1; }

# suite LOG: runs the chosen tests on the copy as it stands.
suite() {
    (cd "$build" && timeout "$timeout" nice ctest "${selection[@]}" -j "$(nproc)" --timeout "$timeout" >"$1" 2>&1)
}
# The tests a suite's log lists as failed.
failed_tests() {
    sed -n '/tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$1" | tr '\n' ' '
}
# Only a suite that passes the clean copy can tell a fault.
echo "== the suite on the clean copy"
if ! suite "$work/clean.log"; then
    echo "the clean copy fails: $(failed_tests "$work/clean.log")(see $work/clean.log)"
    exit 1
fi

report=$work/report.txt
: >"$report"
killed=0
survived=0
whole_selection=("${selection[@]}")
for number in "${picked[@]}"; do
    fields "$number"
    echo "== fault $number: $description ($file)"
    if ! plant "$src" "$file" "$original" "$replacement"; then
        echo "fault $number: NOT PLANTED ($file: the text is no longer there once) - $description" | tee -a "$report"
        continue
    fi
    selection=("${whole_selection[@]}")
    programs=
    if ((quick)); then
        if [[ -z $killers ]]; then
            echo "fault $number: NOT RUN (--quick, and its line names no tests) - $description" | tee -a "$report"
            git -C "$src" checkout --quiet -- "$file"
            continue
        fi
        selection=(-LE 'memcheck|package|fuzz' -R "$killers")
        programs=$(programs_of_selection)
    fi
    if ! build_copy "$programs"; then
        verdict="KILLED by the compiler"
    else
        log=$work/fault-$number.log
        if suite "$log"; then
            verdict="SURVIVED"
        else
            failed=$(failed_tests "$log")
            failed=${failed% }
            verdict="KILLED by ${failed:-a timeout after $timeout s}"
        fi
    fi
    case $verdict in SURVIVED) survived=$((survived + 1)) ;; *) killed=$((killed + 1)) ;; esac
    echo "fault $number: $verdict - $description" | tee -a "$report"
    git -C "$src" checkout --quiet -- "$file"
done
echo "== $killed killed, $survived survived of ${#picked[@]}; report in $report"
# The copy is left clean; its build tree catches up at the next run.
((survived == 0))
