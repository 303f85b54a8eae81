#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and runs every test: the whole suite, the battle core again
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the score-file
# fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs=$(nproc)

echo "== Sanitizer build of the battle core"
if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DMORTAVEL_BATTLE_ONLY=ON -DMORTAVEL_SANITIZE=ON
fi
cmake --build build-asan
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs" -R '^battle\.')

if [ -x tools/fuzz.sh ]; then
  echo "== Fuzzing the score-file loader"
  tools/fuzz.sh 60
fi

# ---- VelPrgBar: ABI against the committed baseline (tools/check-abi.sh) ----
echo "== ABI of libVelPrgBar"
tools/check-abi.sh
# ---- end VelPrgBar ABI -----------------------------------------------------

echo "== Full test suite"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
