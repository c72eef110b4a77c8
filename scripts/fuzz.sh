#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs them, as many
# side by side as there are processors: each first replays its whole corpus
# (the seeds in fuzz/corpus/<target>/ and what earlier runs found), then fuzzes on.
# usage: scripts/fuzz.sh SECONDS [TARGET...]
#   SECONDS  how long each target runs (libFuzzer's -max_total_time; the
#            corpus replay is always done whole). scripts/test.sh fuzzes
#            briefly; long runs and their figures: docs/fuzzing.md.
#   TARGET   document, translations, options, picture, recovery, html, qr,
#            csv, decimal, sheetcsv, sheetxlsx (default: all eleven)
# Environment: FUZZ_RUNS caps the executions per target (default: no cap);
# VELLORAN_FUZZ_JOBS how many targets run at a time (default: the processors);
# VELLORAN_FUZZ_BUILD_DIR overrides build-fuzz; VELLORAN_FUZZ_CONFIGURED=1 takes
# that build as configured and built (scripts/test.sh's sanitizer build, which
# builds the fuzz targets with the tests).
# New inputs found go to build-fuzz/corpus-work/<target>/ (the committed seed
# corpus is only read); a crashing input is kept as build-fuzz/artifacts/<target>-*.
# Exits non-zero when a target finds a crash, a sanitizer report, a leak, an
# allocation over its limit or a time-out.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(document translations options picture recovery html qr csv decimal sheetcsv sheetxlsx)

build=${VELLORAN_FUZZ_BUILD_DIR:-build-fuzz}
if [ "${VELLORAN_FUZZ_CONFIGURED:-0}" != 1 ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELLORAN_BUILD_FUZZERS=ON -DVELLORAN_BUILD_TESTS=OFF -DVELLORAN_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target fuzzers -j "$(nproc)"

# Inputs are bounded, and so is every single allocation: a reader that asks
# for far more memory than its file can hold stops the run. Documents go up to
# 1 MB (a text of that size is a single allocation of about twice as much, its
# written copy grows in steps); the other text formats may not ask for more
# than 4 MB at once from files of at most 16 KB (4 KB for translate.dat, whose
# rows of empty cells make loading slow under the sanitizers). A picture is
# compressed, so it may legitimately decode to much more than its size; there
# the ceiling is the picture library's own limit (128 MB per decoded image,
# 16 million pixels). Every input has a time limit (-timeout, seconds): a slow
# input counts as a finding.
flags_document="-max_len=1048576 -malloc_limit_mb=16 -rss_limit_mb=2048 -timeout=10"
flags_recovery="-max_len=65536 -malloc_limit_mb=16 -rss_limit_mb=1024 -timeout=10"
flags_html="-max_len=262144 -malloc_limit_mb=16 -rss_limit_mb=2048 -timeout=10"
flags_qr="-max_len=8192 -malloc_limit_mb=16 -rss_limit_mb=1024 -timeout=10"
flags_csv="-max_len=262144 -malloc_limit_mb=16 -rss_limit_mb=2048 -timeout=10"
# A spreadsheet: a CSV file up to 256 KB; a workbook up to 256 KB, whose parts may
# unpack to the import's limit of 64 MB (a part is one allocation).
flags_sheetcsv="-max_len=262144 -malloc_limit_mb=64 -rss_limit_mb=2048 -timeout=10"
flags_sheetxlsx="-max_len=262144 -malloc_limit_mb=160 -rss_limit_mb=2048 -timeout=10"
flags_decimal="-max_len=4096 -malloc_limit_mb=4 -rss_limit_mb=1024 -timeout=10"
flags_translations="-max_len=4096 -malloc_limit_mb=4 -rss_limit_mb=1024 -timeout=10"
flags_options="-max_len=64 -malloc_limit_mb=4 -rss_limit_mb=1024 -timeout=10"
flags_picture="-max_len=65536 -malloc_limit_mb=200 -rss_limit_mb=2048 -timeout=30"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# One target: its whole run, then its figures (or the end of its log); printed in the
# targets' order once all have run.
run_target() {
  local t=$1 flagvar="flags_$1" work="$build/corpus-work/$1" runs=() rc=0
  mkdir -p "$work" "$build/artifacts"
  [ -n "${FUZZ_RUNS:-}" ] && runs=(-runs="$FUZZ_RUNS")
  # shellcheck disable=SC2086
  nice "$build/fuzz/fuzz_$t" ${!flagvar} -max_total_time="$seconds" "${runs[@]}" \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
        "$work" "fuzz/corpus/$t" >"$build/fuzz-$t.log" 2>&1 || rc=$?
  echo "== fuzz_$t for ${seconds}s"
  if [ $rc != 0 ]; then
    echo "fuzz_$t FAILED; the end of $build/fuzz-$t.log:"
    tail -n 40 "$build/fuzz-$t.log"
  fi
  grep -E "INITED|^stat::number_of_executed_units|^stat::peak_rss_mb|^Done " "$build/fuzz-$t.log" || true
  return $rc
}

for t in "${targets[@]}"; do
  flagvar="flags_$t"
  [ -n "${!flagvar:-}" ] || { echo "fuzz.sh: unknown target $t" >&2; exit 2; }
done
# The targets run side by side, as many at a time as there are processors
# (VELLORAN_FUZZ_JOBS overrides that); each is a single process.
parallel=${VELLORAN_FUZZ_JOBS:-$(nproc)}
[[ "$parallel" =~ ^[1-9][0-9]*$ ]] || { echo "fuzz.sh: VELLORAN_FUZZ_JOBS must be a number from 1" >&2; exit 2; }
status=0
running=0
for t in "${targets[@]}"; do
  if [ "$running" -ge "$parallel" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  run_target "$t" >"$build/fuzz-$t.summary" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
for t in "${targets[@]}"; do
  cat "$build/fuzz-$t.summary"
done
exit $status
