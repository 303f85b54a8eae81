#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and runs every test: the whole suite, the battle core, the
# windows and the forms again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the score-file fuzzer for a bounded time.
# A failing step does not stop the later ones, so one run shows every
# failure; the exit status is non-zero when any step failed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs=$(nproc)

failed=()
step() {
  local name=$1
  shift
  "$@" || failed+=("$name")
}

sanitized() {
  if [ ! -f build-sanitize/build.ninja ]; then
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORTAVEL_SANITIZE=ON || return
  fi
  cmake --build build-sanitize --target tests/rules/all tests/battle/all tools/battle-sim/all \
        tests/view/all tests/window/all tests/frontend/all tests/scores/all tests/media/all mortavel_data \
    || return
  local status=0
  (cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j "$jobs" -R '^(rules|battle)\.') || status=1
  # Leaks are not checked where Qt runs: its caches live until the process ends.
  (cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
     UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs" -R '^(view|window|frontend|scores|media)\.' \
     -E '^media\.heard') \
    || status=1
  return "$status"
}

# MORTAVEL_CI_STEPS=suite: only the build and the whole suite (CI's pass on
# Debian testing, where time is short and no ABI baseline is kept).
if [ "${MORTAVEL_CI_STEPS:-}" = suite ]; then
  echo "== Full test suite (sanitizer, fuzzing and ABI steps left out: MORTAVEL_CI_STEPS=suite)"
  cd build && QT_QPA_PLATFORM=offscreen exec ctest --output-on-failure -j "$jobs"
fi

echo "== Sanitizer build: the battle core, its replays, the windows and the forms"
# The windows run nested event loops (questions, the end of a battle) where a
# form deleted too early is a use after free: AddressSanitizer catches it.
step "sanitizer tests" sanitized

if [ -x tools/fuzz.sh ]; then
  echo "== Fuzzing the score-file loader"
  step "fuzzing" tools/fuzz.sh 60
fi

# ---- VelPrgBar: ABI against the committed baseline (tools/check-abi.sh) ----
echo "== ABI of libVelPrgBar"
step "ABI check" tools/check-abi.sh
# ---- end VelPrgBar ABI -----------------------------------------------------

echo "== Full test suite"
step "full test suite" bash -c "cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $jobs"

if [ ${#failed[@]} -gt 0 ]; then
  echo "== Failed: $(printf '%s, ' "${failed[@]}" | sed 's/, $//')"
  exit 1
fi
