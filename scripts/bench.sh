#!/usr/bin/env bash
# Measures nexmar-cli's batch runs against copying their own output:
#   bash scripts/bench.sh [path/to/nexmar-cli]
# Without an argument it builds nexmar-cli in release mode (build-release/).
# Each case runs five times into memory (/dev/shm); the best wall time counts,
# beside the best time of `cp` copying the same output in the same place.
set -euo pipefail
cd "$(dirname "$0")/.."

if (($#)); then
  cli=$(readlink -f "$1")
else
  bash scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DNEXMAR_BUILD_APP=OFF \
    -DBUILD_TESTING=OFF -DNEXMAR_BUILD_BENCH=OFF >/dev/null
  cli=$PWD/build-release/cli/nexmar-cli
fi

scratch=$(mktemp -d /dev/shm/nexmar-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
runs=5

now() { echo "$EPOCHREALTIME"; }
elapsed() { echo "$2 - $1" | bc; }
min() { if [[ -z $1 ]] || (($(echo "$2 < $1" | bc))); then echo "$2"; else echo "$1"; fi; }

printf '%-28s %9s %9s %7s %10s %9s\n' case "run s" "cp s" ratio "output MB" "RSS MB"
bench_case() {
  local name=$1
  shift
  local best_run="" best_cp="" rss=0
  for ((i = 0; i < runs; i++)); do
    rm -rf "$scratch/out" "$scratch/copy"
    mkdir "$scratch/out" "$scratch/copy"
    local start end kb
    start=$(now)
    /usr/bin/time -f %M -o "$scratch/rss" "$cli" "$@" --seed 1 --dir "$scratch/out" >/dev/null
    end=$(now)
    best_run=$(min "$best_run" "$(elapsed "$start" "$end")")
    kb=$(<"$scratch/rss")
    ((kb > rss)) && rss=$kb
    start=$(now)
    cp "$scratch/out/"* "$scratch/copy/"
    end=$(now)
    best_cp=$(min "$best_cp" "$(elapsed "$start" "$end")")
  done
  local bytes
  bytes=$(cat "$scratch/out/"* | wc -c)
  printf '%-28s %9.3f %9.3f %7.2f %10.1f %9.1f\n' "$name" "$best_run" "$best_cp" \
    "$(echo "$best_run / $best_cp" | bc -l)" "$(echo "$bytes / 1000000" | bc -l)" "$(echo "$rss / 1024" | bc -l)"
}

bench_case "1,000,000 Low" --systems 1000000 --detail low
bench_case "100,000 Medium, census" --systems 100000 --detail medium --census
bench_case "100,000 High, census" --systems 100000 --detail high --census
