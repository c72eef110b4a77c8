#!/usr/bin/env bash
# Sets everything up, builds Velloran and runs the whole test suite:
#   1. the normal build (build/) and all tests;
#   2. every fuzz target, built with clang, for 60 seconds on its corpus
#      (build-fuzz/, see scripts/fuzz.sh);
#   3. the whole test suite built again with AddressSanitizer and
#      UndefinedBehaviorSanitizer (build-asan/) and run with leak checking.
# Stops with a non-zero exit code at the first failure; the last lines are
# CTest's summary of the sanitizer run.
# usage: scripts/test.sh
# Environment: VELLORAN_BUILD_DIR (default build), VELLORAN_ASAN_BUILD_DIR
# (default build-asan), VELLORAN_FUZZ_BUILD_DIR (default build-fuzz),
# VELLORAN_FUZZ_SECONDS (default 60; 0 skips the fuzz targets).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

bash scripts/install-deps.sh
jobs=$(nproc)

build=${VELLORAN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$jobs"

fuzz_seconds=${VELLORAN_FUZZ_SECONDS:-60}
if [ "$fuzz_seconds" -gt 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds"
fi

asan=${VELLORAN_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_SANITIZE=ON \
      -DVELLORAN_BUILD_BENCH=OFF
cmake --build "$asan" -j "$jobs"
# Leaks are reported; the suppressions cover only memory that Qt and the
# system libraries below it keep until the process ends.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=0
export LSAN_OPTIONS=suppressions=$here/scripts/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$asan" --output-on-failure --no-tests=error -j "$jobs"
