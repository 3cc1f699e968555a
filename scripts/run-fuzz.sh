#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS (60 unless given), one after
# the other, from seeds that Vellicor's own writers make. Any crash, leak, timeout or
# out-of-memory fails the run; its reproducer is kept under BUILD/fuzz/findings/ and named here.
# The corpora grow in BUILD/fuzz/corpus/ from one run to the next.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
# target:seed kind:largest input in bytes (a few sprites' worth of each format)
all_targets=(fuzz_project:project:32768 fuzz_project_round_trip:project:32768
  fuzz_header:header:8192 fuzz_header_round_trip:header:8192
  fuzz_journal:journal:32768 fuzz_png:png:16384)
read -r -a wanted <<<"${FUZZ_TARGETS:-}" # a subset by name, for a quick look at one reader

targets=()
for entry in "${all_targets[@]}"; do
  name=${entry%%:*}
  if [ ${#wanted[@]} -eq 0 ] || [[ " ${wanted[*]} " == *" $name "* ]]; then targets+=("$entry"); fi
done
[ ${#targets[@]} -gt 0 ] || { echo "No fuzz target named in FUZZ_TARGETS=$FUZZ_TARGETS" >&2; exit 2; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLICOR_FUZZ=ON
fi
cmake --build "$build" -j "$jobs" --target make_fuzz_seeds "${targets[@]%%:*}"

work="$build/fuzz"
rm -rf "$work/seeds"
"$work/make_fuzz_seeds" "$work/seeds"
mkdir -p "$work/findings" "$work/logs"

# Leaks count as findings.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
summary=()
for entry in "${targets[@]}"; do
  IFS=: read -r name kind max_len <<<"$entry"
  corpus="$work/corpus/$name"
  log="$work/logs/$name.log"
  mkdir -p "$corpus"
  echo "== $name: ${seconds}s"
  status=0
  "$work/$name" "$corpus" "$work/seeds/$kind" -dict="fuzz/$kind.dict" -max_len="$max_len" \
    -rss_limit_mb=2048 -timeout=10 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/findings/$name-" >"$log" 2>&1 || status=$?
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  summary+=("$(printf '%-26s %10s runs %7s exec/s  cov %s' "$name" "${runs:-?}" "${rate:-?}" "${cov:-?}")")
  if [ "$status" -ne 0 ]; then
    failed+=("$name")
    echo "!! $name failed (exit $status); the end of $log:"
    tail -n 60 "$log"
    sed -n 's/.*Test unit written to \(.*\)$/!! reproducer: \1/p' "$log"
    echo "!! run it again with: $work/$name <reproducer>"
  fi
done

echo "== fuzzing summary (${seconds}s each)"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (reproducers in $work/findings/)" >&2
  exit 1
fi
