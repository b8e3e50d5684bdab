#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each of them for a fixed time.
#
#   bash scripts/fuzz.sh [--seconds N] [--jobs J] [--no-build] [TARGET ...]
#
# TARGET is one of cp1252 ini project stream plan fet (default: all). Each target starts from its
# seeds in fuzz/corpus/<target> and keeps what it learns in build-fuzz/corpus/<target>, so later
# runs go on from there. An input that crashes, leaks, hangs (over 10 s) or allocates beyond
# the limit is saved to build-fuzz/findings/<target>/ and the script exits with status 1.
# J targets run at the same time (default 1). One summary line per target; the last line reads
# "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=60
jobs=1
build=1
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --no-build) build=0; shift ;;
    cp1252|ini|project|stream|plan|fet) targets+=("$1"); shift ;;
    *) echo "Aufruf: scripts/fuzz.sh [--seconds N] [--jobs J] [--no-build] [ZIEL ...]" >&2; exit 2 ;;
  esac
done
[ ${#targets[@]} -eq 0 ] && targets=(cp1252 ini project stream plan fet)

dir=build-fuzz
if [ "$build" -eq 1 ]; then
  CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
    -DSTUNDENWERK_SANITIZE=ON -DSTUNDENWERK_FUZZ=ON -DSTUNDENWERK_UI=OFF \
    -DSTUNDENWERK_TESTS=OFF -DSTUNDENWERK_BENCH=OFF >/dev/null || exit 1
  # Only the fuzz targets asked for and the layers they link: the readers, not the planner.
  cmake --build "$dir" --target $(printf 'fuzz_%s ' "${targets[@]}") || exit 1
fi

# Leaks count as findings; the sanitizers stop at the first report.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

run_target() {
  local t="$1"
  local corpus="$dir/corpus/$t" findings="$dir/findings/$t" log="$dir/logs/$t.log"
  mkdir -p "$corpus" "$findings" "$dir/logs"
  # -timeout: an input running longer is a hang; -malloc_limit_mb: one allocation beyond it
  # is an allocation without bound; -rss_limit_mb: the whole process.
  "$dir/fuzz/fuzz_$t" "$corpus" "fuzz/corpus/$t" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -malloc_limit_mb=256 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1
  local status=$?
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
  if [ "$status" -eq 0 ]; then
    printf 'fuzz %-8s passed  %s executions in %s s\n' "$t" "${runs:-?}" "$seconds"
  else
    printf 'fuzz %-8s FAILED  (status %s), see %s and %s\n' "$t" "$status" "$log" "$findings"
    grep -m3 -E 'broken:|ERROR:|SUMMARY:' "$log" | sed 's/^/    /'
  fi
  return "$status"
}

passed=0
failed=0
pids=()
names=()
for t in "${targets[@]}"; do
  run_target "$t" &
  pids+=($!)
  names+=("$t")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    if wait "${pids[0]}"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for p in "${pids[@]}"; do
  if wait "$p"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
