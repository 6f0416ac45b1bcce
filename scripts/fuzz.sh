#!/usr/bin/env bash
# Searches for new faults, for as long as you like: builds the libFuzzer
# targets and fuzzes each one with a fresh random seed, starting from the
# checked-in corpus and from whatever earlier searches found. Unlike the fuzz
# tests that scripts/test.sh runs, no two searches are alike.
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]     (default: 600, all)
# A fault stops the target and leaves its input as build-fuzz/fuzz/TARGET-crash-*
# (or -leak-, -timeout-, -oom-). Put that input into fuzz/corpus/ beside the fix,
# so every test run replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
targets=("${@:2}")
((${#targets[@]})) || targets=(fuzz_cli_args fuzz_system_count fuzz_run_dice fuzz_json_import fuzz_system_query)

bash scripts/setup.sh
bash scripts/build.sh build-fuzz -DNEXMAR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
fuzz=$PWD/build-fuzz/fuzz
for target in "${targets[@]}"; do
  corpus=${target#fuzz_}
  mkdir -p "$fuzz/searched/$corpus"
  echo "== $target, $seconds seconds"
  # The query's corpus holds one very long query; its length must not bound the inputs made.
  extra=()
  [[ $target == fuzz_system_query ]] && extra=(-max_len=4096)
  # With a 1 MB stack, as the fuzz tests run: a recursion on the input's size shows.
  (ulimit -s 1024 && exec "$fuzz/$target" "${extra[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$fuzz/$target-" "$fuzz/searched/$corpus" "$PWD/fuzz/corpus/$corpus")
done
