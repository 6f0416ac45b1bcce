#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: in a normal
# build (with the valgrind memcheck runs and the package checks), with
# AddressSanitizer and UndefinedBehaviorSanitizer, with ThreadSanitizer (the
# engine and the command line, running the tests that write through the
# writer thread), and the libFuzzer targets
# built with clang, each fuzzed from a fixed seed for a fixed number of
# inputs. The open-ended search for new faults is scripts/fuzz.sh, not part
# of this. Each stage says how long it took, and the whole at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
stage_started=$SECONDS
times=()

# Ends the stage named $1, and says how long it took.
stage_done() {
    times+=("$(printf '%-32s %4d s' "$1" $((SECONDS - stage_started)))")
    echo "-- $1: $((SECONDS - stage_started)) s"
    stage_started=$SECONDS
}

bash scripts/setup.sh
stage_done "setup"

# Every build here keeps line tables only (-g1): what a sanitizer, valgrind
# or a backtrace reports still names each function's file and line, and the
# debug information of variables and types, which only a debugger reads,
# would take a quarter more of the normal build's compile time. Each option
# sets the flags of its own build type.
line_tables=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_DEBUG=-g1)

echo "== normal build (Unix Makefiles, CMake's default generator; the others use Ninja)"
NEXMAR_GENERATOR="Unix Makefiles" bash scripts/build.sh build "${line_tables[@]}"
stage_done "normal build"
(cd build && ctest --output-on-failure -j 2)
stage_done "normal tests"

# What no test runs is not built: the benchmarks and the picture tools.
echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
bash scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DNEXMAR_SANITIZE=ON -DNEXMAR_BUILD_BENCH=OFF \
    -DNEXMAR_BUILD_TOOLS=OFF "${line_tables[@]}"
stage_done "sanitizer build"
(cd build-sanitize && ctest --output-on-failure -j 2 -LE 'memcheck|package')
stage_done "sanitizer tests"

# Only the programs of the tests labelled threads: test_core, test_run,
# test_cli, test_faults, and nexmar-cli that the scripted ones run.
echo "== ThreadSanitizer build"
NEXMAR_TARGETS="test_core test_run test_cli test_faults nexmar-cli" \
    bash scripts/build.sh build-tsan -DNEXMAR_TSAN=ON -DNEXMAR_BUILD_APP=OFF -DNEXMAR_BUILD_BENCH=OFF "${line_tables[@]}"
stage_done "ThreadSanitizer build"
(cd build-tsan && ctest --output-on-failure -j 2 -L threads)
stage_done "ThreadSanitizer tests"

echo "== libFuzzer build"
bash scripts/build.sh build-fuzz -DNEXMAR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ "${line_tables[@]}"
stage_done "libFuzzer build"
(cd build-fuzz && ctest --output-on-failure -j 2 -L fuzz)
stage_done "fuzz runs"

echo "== time taken"
printf '%s\n' "${times[@]}"
printf '%-32s %4d s\n' "all" $((SECONDS - started))
