#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/), runs them all in one go and
# prints one table of medians and of our speed against each peer. Extra
# arguments go to every benchmark program (e.g. --benchmark_filter=json).
# Never fails on a time: targets are marked in the table only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${BENCH_BUILD_DIR:-build-bench}
REPETITIONS=${BENCH_REPETITIONS:-7}
MIN_TIME=${BENCH_MIN_TIME:-0.2}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOREN_GUI=OFF -DZOREN_TESTS=OFF
fi
cmake --build "$BUILD_DIR" -j 2 --target zoren_benchmarks >&2
results="$BUILD_DIR/bench/results"
rm -rf "$results"
mkdir -p "$results"
reports=()
for program in "$BUILD_DIR"/bench/zoren_bench_*; do
  name=$(basename "$program")
  [ "$name" = zoren_bench_table ] && continue
  [ -x "$program" ] || continue
  echo "bench: running $name ($REPETITIONS repetitions; console output in $results/$name.log)" >&2
  "$program" --benchmark_repetitions="$REPETITIONS" --benchmark_min_time="$MIN_TIME" \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json "$@" >"$results/$name.log" 2>&1 ||
    { echo "bench: $name failed, see $results/$name.log" >&2; exit 1; }
  reports+=("$results/$name.json")
done
"$BUILD_DIR/bench/zoren_bench_table" "${reports[@]}" | tee "$results/table.md"

# The window benchmarks (start-up, opening a configuration) need a display of their own.
echo >&2
echo "bench: window benchmarks (scripts/bench-ui.sh, ${BENCH_UI_RUNS:-20} runs each)" >&2
scripts/bench-ui.sh --runs "${BENCH_UI_RUNS:-20}" | tee "$results/ui.txt" ||
  echo "bench: the window benchmarks did not complete" >&2
