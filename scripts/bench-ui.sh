#!/usr/bin/env bash
# Window benchmarks: the program's start-up against a minimal Qt window, and opening a 1 MB
# configuration in the editor against QsciScintilla with QsciLexerJSON. Builds what it needs,
# runs everything in its own Xvfb with openbox, and prints one line per benchmark:
#   <benchmark> | ours <median> | <peer> <median> | ratio <x>
# Options are passed on to both programs: --runs N (default 20), --verbose (each run on stderr).
# Each benchmark has a second line, <benchmark>-cpu, with the CPU time used by then, which a
# busy machine disturbs less than the wall time. No time ever makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD_DIR" -j 2 --target zoren-mqtt zoren_bench_minimal_window zoren_bench_startup \
  zoren_bench_editor >/dev/null

for tool in Xvfb openbox xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "bench-ui: $tool is missing (scripts/setup.sh installs it)" >&2; exit 2; }
done
display=''
for n in $(shuf -i 100-199 -n 20); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=:$n; break; }
done
[ -n "$display" ] || { echo "bench-ui: no free display number" >&2; exit 2; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
wm=''
runtime=$(mktemp -d)
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & wm=$!
sleep 0.5
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$runtime

rc=0
"$BUILD_DIR/bench/ui/zoren_bench_startup" --ours "$BUILD_DIR/zoren-mqtt" \
  --peer "$BUILD_DIR/bench/ui/zoren_bench_minimal_window" "$@" || rc=1
"$BUILD_DIR/bench/ui/zoren_bench_editor" "$@" || rc=1
exit $rc
