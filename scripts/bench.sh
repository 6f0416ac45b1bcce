#!/usr/bin/env bash
# Measures nexmar-cli's batch runs against copying their own output:
#   bash scripts/bench.sh [path/to/nexmar-cli]
# Without an argument it builds nexmar-cli in release mode (build-bench/).
# Each case runs five times into memory (/dev/shm), each run over the output
# of the one before; the best wall time counts, beside the best time of `cp`
# copying the same output (every file in the output folder) in the same place,
# over its copy of the round before.
# The peak RSS is the largest of the five runs. The machine's load average is
# printed first: figures taken on a busy machine are not comparable.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ! -x /usr/bin/time ]]; then
  echo "bench.sh needs GNU time (/usr/bin/time) for the peak RSS: run scripts/setup.sh as root" >&2
  exit 1
fi

if (($#)); then
  cli=$(readlink -f "$1")
else
  log=$(mktemp)
  if ! bash scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DNEXMAR_BUILD_APP=OFF \
    -DBUILD_TESTING=OFF -DNEXMAR_BUILD_BENCH=OFF >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
  cli=$PWD/build-bench/cli/nexmar-cli
fi

memory=/dev/shm
[[ -d $memory && -w $memory ]] || memory=${TMPDIR:-/tmp}
scratch=$(mktemp -d "$memory/nexmar-bench.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
runs=5

# Seconds as a decimal fraction, from bash's clock.
now() { echo "$EPOCHREALTIME"; }
least() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }

echo "nexmar-cli: $cli"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores, output in $memory"
printf '%-28s %9s %9s %7s %10s %9s\n' case "run s" "cp s" ratio "output MB" "RSS MB"
bench_case() {
  local name=$1
  shift
  local best_run="" best_cp="" rss=0
  # As a user's repeated runs go: each round replaces the reports the round
  # before left, and cp replaces its copy likewise.
  rm -rf "$scratch/out" "$scratch/copy"
  mkdir "$scratch/out" "$scratch/copy"
  for ((i = 0; i < runs; i++)); do
    local start end kb
    start=$(now)
    /usr/bin/time -f %M -o "$scratch/rss" "$cli" "$@" --seed 1 --dir "$scratch/out" >/dev/null
    end=$(now)
    best_run=$(least "$best_run" "$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')")
    kb=$(tail -n 1 "$scratch/rss")
    ((kb > rss)) && rss=$kb
    start=$(now)
    cp "$scratch/out/"* "$scratch/copy/"
    end=$(now)
    best_cp=$(least "$best_cp" "$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')")
  done
  local bytes
  bytes=$(cat "$scratch/out/"* | wc -c)
  awk -v name="$name" -v run="$best_run" -v cp="$best_cp" -v bytes="$bytes" -v rss="$rss" \
    'BEGIN { printf "%-28s %9.3f %9.3f %7.2f %10.1f %9.1f\n", name, run, cp, run / cp, bytes / 1e6, rss / 1024 }'
}

bench_case "1,000,000 Low" --systems 1000000 --detail low
bench_case "100,000 Medium, census" --systems 100000 --detail medium --census
bench_case "100,000 High, census" --systems 100000 --detail high --census
# The pictures beside the reports of the same run: one file per system,
# staged until the run ends; the peak RSS shows whether memory stays flat.
bench_case "10,000 High, census" --systems 10000 --detail high --census
bench_case "10,000 High, census, --svg" --systems 10000 --detail high --census --svg "$scratch/out"

# Reading a saved run: nexmar-cli --from-json (which checks every field and
# renders both reports) against two programs that only parse the same file,
# Python's json.load and jq. Best wall time of five each, and peak RSS.
echo
printf '%-28s %9s %9s %9s %9s %9s %9s %9s\n' "--from-json of" "ours s" "python s" "jq s" "ours/py" "ours MB" "python MB" "jq MB"
best_of() {  # best seconds and largest RSS (KB) of five runs of a command
  local best="" rss=0 start end kb
  for ((i = 0; i < runs; i++)); do
    rm -rf "$scratch/out" && mkdir "$scratch/out"
    start=$(now)
    /usr/bin/time -f %M -o "$scratch/rss" "$@" >/dev/null 2>&1 || true
    end=$(now)
    best=$(least "$best" "$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')")
    kb=$(tail -n 1 "$scratch/rss")
    ((kb > rss)) && rss=$kb
  done
  echo "$best $rss"
}
read_case() {
  local name=$1 file=$2
  local ours python jq
  ours=$(best_of "$cli" --from-json "$file" --dir "$scratch/out")
  python=$(best_of python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$file")
  jq=$(best_of jq empty "$file")
  awk -v name="$name" -v o="$ours" -v p="$python" -v j="$jq" 'BEGIN {
    split(o, a, " "); split(p, b, " "); split(j, c, " ");
    printf "%-28s %9.3f %9.3f %9.3f %9.2f %9.1f %9.1f %9.1f\n", name, a[1], b[1], c[1], a[1] / b[1], a[2] / 1024, b[2] / 1024, c[2] / 1024 }'
}
mkdir -p "$scratch/saved"
"$cli" --systems 1000000 --detail low --seed 1 --json "$scratch/saved/low.json" --dir "$scratch/saved" 2>/dev/null
"$cli" --systems 100000 --detail medium --census --seed 1 --json "$scratch/saved/medium.json" --dir "$scratch/saved" 2>/dev/null
"$cli" --systems 100000 --detail high --census --seed 1 --json "$scratch/saved/high.json" --dir "$scratch/saved" 2>/dev/null
{ printf '{"format":1,"detail":"Low","census":false,"systems":['
  head -c 1048576 /dev/zero | tr '\0' '['; } >"$scratch/saved/nested.json"
read_case "1,000,000 Low" "$scratch/saved/low.json"
read_case "100,000 Medium, census" "$scratch/saved/medium.json"
read_case "100,000 High, census" "$scratch/saved/high.json"
read_case "1 MB of [ (refused)" "$scratch/saved/nested.json"
