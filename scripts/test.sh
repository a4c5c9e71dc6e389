#!/usr/bin/env bash
# Sets up the machine, builds, and runs the whole test suite: what CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
# Sanitizer tests, fuzzing and the real-window road; RELIABILITY=0 skips them.
if [ "${RELIABILITY:-1}" != 0 ]; then
  scripts/check-reliability.sh
fi
