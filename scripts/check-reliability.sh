#!/usr/bin/env bash
# The reliability checks CI runs after the ordinary tests: the core, network and
# window tests under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan), each
# libFuzzer target for a bounded time (build-fuzz), and the real-window road.
# Steps: asan, fuzz, e2e (all by default), e.g. `scripts/check-reliability.sh fuzz`.
# FUZZ_SECONDS sets the time per fuzz target (20 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=(asan fuzz e2e)
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

step_time() { echo "reliability: $1 took $(( $(date +%s) - $2 )) s"; }

run_asan() {
  local t0; t0=$(date +%s)
  if [ ! -f build-asan/build.ninja ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOREN_SANITIZE=ON >/dev/null
  fi
  # The tests only: the program itself is run under the sanitizers by none of them.
  cmake --build build-asan -j "$jobs" --target zoren_core_tests zoren_net_tests zoren_gui_tests zoren-sim
  # halt_on_error: the first report fails the test; leaks are reports too. The
  # window tests run offscreen and need no leak suppressions.
  QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
  step_time "sanitizer tests" "$t0"
}

run_fuzz() {
  local t0; t0=$(date +%s)
  if [ ! -f build-fuzz/build.ninja ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZOREN_GUI=OFF -DZOREN_TESTS=OFF -DZOREN_FUZZ=ON >/dev/null
  fi
  cmake build-fuzz >/dev/null  # picks up targets whose sources have landed since
  local targets=()
  mapfile -t targets < build-fuzz/fuzz/targets.txt
  cmake --build build-fuzz -j "$jobs" --target "${targets[@]}"
  local seconds=${FUZZ_SECONDS:-20} failed=()
  mkdir -p build-fuzz/artifacts
  for t in "${targets[@]}"; do
    # New inputs go to a scratch folder; the checked-in corpus stays as it is.
    local work; work=$(mktemp -d)
    echo "fuzz: $t for ${seconds} s"
    if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build-fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/artifacts/$t-" "$work" "fuzz/corpus/$t" >"build-fuzz/$t.log" 2>&1; then
      tail -60 "build-fuzz/$t.log"
      failed+=("$t")
    else
      grep -E '^(stat::number_of_executed_units|Done)' "build-fuzz/$t.log" || true
    fi
    rm -rf "$work"
  done
  step_time "fuzzing" "$t0"
  if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed: ${failed[*]} (inputs in build-fuzz/artifacts/)"
    return 1
  fi
}

run_e2e() {
  local t0; t0=$(date +%s)
  tests/e2e/road.sh
  step_time "real-window road" "$t0"
}

for s in "${steps[@]}"; do
  case "$s" in
    asan) run_asan ;;
    fuzz) run_fuzz ;;
    e2e) run_e2e ;;
    *) echo "unknown step: $s" >&2; exit 2 ;;
  esac
done
