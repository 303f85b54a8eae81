#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the score-file loader's fuzzer with clang (libFuzzer, ASan, UBSan)
# in build-fuzz/ and runs it for the given number of seconds (default 60).
# Exits non-zero when an input crashes the loader or breaks an invariant;
# the input is kept as build-fuzz/crash-*.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."

if [ ! -f build-fuzz/build.ninja ]; then
  cmake -S tests/scorefile/fuzz -B build-fuzz -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
fi
cmake --build build-fuzz

# The corpus grows across runs; the installed file and the dictionary give
# the fuzzer the shape of a real score file from the start.
corpus=build-fuzz/corpus
mkdir -p "$corpus"
cp -f data/HSData.mvt "$corpus/installed-HSData.mvt"

# A small quarantine keeps the run in cache; the loader allocates per name.
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16:max_malloc_fill_size=0} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
build-fuzz/score-file-fuzz "$corpus" \
  -dict=tests/scorefile/fuzz/score-file.dict \
  -max_total_time="$seconds" -max_len=8192 -timeout=10 \
  -artifact_prefix=build-fuzz/ -print_final_stats=1
