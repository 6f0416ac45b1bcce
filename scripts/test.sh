#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: in a normal
# build (with the valgrind memcheck runs and the package checks), with
# AddressSanitizer and UndefinedBehaviorSanitizer, with ThreadSanitizer (the
# engine and the command line, running the tests that write through the
# writer thread), and the libFuzzer targets
# built with clang, each fuzzed from a fixed seed for a fixed number of
# inputs. The open-ended search for new faults is scripts/fuzz.sh, not part
# of this.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

echo "== normal build (Unix Makefiles, CMake's default generator; the others use Ninja)"
NEXMAR_GENERATOR="Unix Makefiles" bash scripts/build.sh build
(cd build && ctest --output-on-failure -j 2)

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
bash scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DNEXMAR_SANITIZE=ON -DNEXMAR_BUILD_BENCH=OFF
(cd build-sanitize && ctest --output-on-failure -j 2 -LE 'memcheck|package')

echo "== ThreadSanitizer build"
bash scripts/build.sh build-tsan -DNEXMAR_TSAN=ON -DNEXMAR_BUILD_APP=OFF -DNEXMAR_BUILD_BENCH=OFF
(cd build-tsan && ctest --output-on-failure -j 2 -L threads)

echo "== libFuzzer build"
bash scripts/build.sh build-fuzz -DNEXMAR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
(cd build-fuzz && ctest --output-on-failure -j 2 -L fuzz)
