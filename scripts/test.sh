#!/usr/bin/env bash
# Sets everything up, builds Velloran and runs the whole test suite:
#   1. the normal build (build/, with Debian's flags) and all its tests, the
#      Debian package made from it, the installed tree and printing through a
#      CUPS server of the test's own among them;
#   2. one clang build with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/) that serves two runs: every fuzz target replays its
#      corpus and fuzzes briefly (scripts/fuzz.sh), then the unit, engine, file
#      and window tests run again with leak checking. The tests of the
#      system's own tools (labels "system": package, CUPS; "install")
#      stay in step 1.
# Stops with a non-zero exit code at the first failure; the last lines are
# CTest's summary of the sanitizer run and the processor time the whole run
# took (each stage starts with a line "== TIME STAGE" and that time so far).
# Benchmarks are not built.
# usage: scripts/test.sh
# Environment: VELLORAN_BUILD_DIR (default build), VELLORAN_ASAN_BUILD_DIR
# (default build-asan), VELLORAN_FUZZ_SECONDS (seconds of fuzzing per target
# after the corpus replay, default 10; 0 skips the fuzz targets; longer runs:
# scripts/fuzz.sh SECONDS), VELLORAN_CCACHE=1 compiles through ccache.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

bash scripts/install-deps.sh
jobs=$(nproc)
# Each stage's start with the processor time used so far (user and system time
# of everything this script ran, from bash's `times`).
timesfile=$(mktemp)
trap 'rm -f "$timesfile"' EXIT
stage() {
  times >"$timesfile" # in this shell: a subshell would count from zero
  echo "== $(date -u +%H:%M:%S) $* (processor time so far, user and system: $(tail -n 1 "$timesfile"))"
}

# No ccache unless asked for: on a fresh clone its cache is empty, and no source
# is compiled twice with the same flags within one run (gcc with Debian's flags,
# clang with the sanitizers), so it would only add its own work.
launcher=()
if [ "${VELLORAN_CCACHE:-0}" = 1 ] && command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # ccache caches sources compiled with a precompiled header only when told so.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
else
  export VELLORAN_PACKAGE_CCACHE=0
fi

# CTest, and no test may be left out: a skipped test fails the run (a test
# that needs a dependency fails by itself when it is missing).
run_ctest() {
  local log
  log=$(mktemp)
  local status=0
  ctest "$@" --output-on-failure --no-tests=error | tee "$log" || status=$?
  if grep -E '^[[:space:]]*[0-9]+ - .* \((Skipped|Disabled|Not Run)\)' "$log"; then
    echo "test.sh: the tests above did not run" >&2
    status=1
  fi
  rm -f "$log"
  return $status
}

build=${VELLORAN_BUILD_DIR:-build}
stage "normal build ($build)"
# Built as the Debian package builds the program (Debian's flags, under /usr), without
# debug information: it halves what the compiler and the linker write, a failing test
# names its line anyway, and the package test makes the package from this very tree.
cmake -S . -B "$build" -G Ninja -DVELLORAN_DEBIAN_TREE=ON -DVELLORAN_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
stage "tests ($build)"
run_ctest --test-dir "$build" -j "$jobs"

asan=${VELLORAN_ASAN_BUILD_DIR:-build-asan}
stage "clang build with the sanitizers and the fuzz targets ($asan)"
# -O1 and line tables only: the sanitizers' reports keep their file names and lines.
cmake -S . -B "$asan" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
      -DVELLORAN_SANITIZE=ON -DVELLORAN_BUILD_FUZZERS=ON -DVELLORAN_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build "$asan" -j "$jobs" --target all fuzzers

fuzz_seconds=${VELLORAN_FUZZ_SECONDS:-10}
if [ "$fuzz_seconds" -gt 0 ]; then
  stage "fuzz targets: corpus replay and ${fuzz_seconds}s each"
  VELLORAN_FUZZ_BUILD_DIR=$asan VELLORAN_FUZZ_CONFIGURED=1 bash scripts/fuzz.sh "$fuzz_seconds"
fi

stage "tests under the sanitizers ($asan)"
# Leaks are reported; the suppressions cover only memory that Qt and the
# system libraries below it keep until the process ends.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=0
export LSAN_OPTIONS=suppressions=$here/scripts/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_ctest --test-dir "$asan" -j "$jobs" -LE 'system|install'
stage "done"
