#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   1. the normal build (build/) and its test suite,
#   2. the whole test suite again built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/, without the desktop application),
#   3. every file-reader fuzz target for a fixed time (build-fuzz/, scripts/fuzz.sh),
#   4. a short soak run of the optimiser on the large example school (bench/soak.cpp),
#   5. the tests that start threads (the plan runs at once, the tool's --jobs and its signals)
#      built with ThreadSanitizer (build-tsan/: only the tool and the two test programs).
# The sanitizer, fuzz and soak parts run first; the normal test suite runs last, and the last
# line counts the five parts as "N passed, N failed". Exit status 0 only when all passed.
# FUZZ_SECONDS (default 10 per target) and SOAK_SECONDS (default 15) change the run times.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
export QT_QPA_PLATFORM=offscreen
fuzz_seconds="${FUZZ_SECONDS:-10}"
soak_seconds="${SOAK_SECONDS:-15}"

echo "== [${SECONDS} s] Bauen: build/"
# Both test builds compare the optimiser's kept totals before each figure refresh.
# Line tables only (-g1): a fifth less compile time than full debug information, and reports and
# backtraces still name files and lines.
# The test programs are compiled a few sources at a time as one (unity build): a third less time.
# The measuring tools are left out (only the soak run is built): they are no test, and the run
# stays short; `cmake -S . -B build -DSTUNDENWERK_MEASURE=ON` brings them back.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTUNDENWERK_CHECK_TOTALS=ON \
  -DSTUNDENWERK_MEASURE=OFF -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DSTUNDENWERK_UNITY_TESTS=ON >/dev/null || exit 1
cmake --build build || exit 1
echo "== [${SECONDS} s] Bauen: build-asan/"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" \
  -DSTUNDENWERK_SANITIZE=ON \
  -DSTUNDENWERK_CHECK_TOTALS=ON -DSTUNDENWERK_UI=OFF -DSTUNDENWERK_BENCH=OFF \
  -DSTUNDENWERK_UNITY_TESTS=ON >/dev/null || exit 1
cmake --build build-asan || exit 1
echo "== [${SECONDS} s] Bauen: build-tsan/"
# -O1 with line tables only: a third less compile time than -O2 -g, and reports still name lines.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DSTUNDENWERK_TSAN=ON -DSTUNDENWERK_CHECK_TOTALS=ON -DSTUNDENWERK_UI=OFF \
  -DSTUNDENWERK_BENCH=OFF -DSTUNDENWERK_UNITY_TESTS=ON >/dev/null || exit 1
cmake --build build-tsan --target stundenwerk test_app test_cli || exit 1

passed=0
failed=0
results=()
record() { # name, status
  if [ "$2" -eq 0 ]; then
    passed=$((passed + 1))
    results+=("passed  $1")
  else
    failed=$((failed + 1))
    results+=("FAILED  $1")
  fi
}

echo "== [${SECONDS} s] Tests mit AddressSanitizer und UndefinedBehaviorSanitizer (build-asan/)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# What a system library keeps for the life of the process is no leak of ours.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j2 --timeout 900
record "Tests mit Sanitizern (build-asan)" $?

echo "== [${SECONDS} s] Tests mit Threads unter ThreadSanitizer (build-tsan/)"
# A report ends the tool or the test program, so the test fails. Only the tests whose runs share
# the process with other threads or with a signal handler: the plan runs at once, the tool with
# several runs and stages, Ctrl-C sent to `stundenwerk plan --jobs 4` in the middle of its runs,
# SIGTERM and SIGHUP, and a signal during a save.
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" \
  ctest --test-dir build-tsan --output-on-failure -j2 --timeout 900 -R \
  '^(PlanJob\.|Signals\.|PlanCommand\.(SeveralRuns|StagesRunInOrder|CtrlC|TerminationSignals|AFailedSave))'
record "Tests mit ThreadSanitizer (build-tsan)" $?

echo "== [${SECONDS} s] Fuzzing der Dateileser, ${fuzz_seconds} s je Ziel (build-fuzz/)"
bash scripts/fuzz.sh --seconds "$fuzz_seconds" --jobs 2
record "Fuzzing (build-fuzz)" $?
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

echo "== [${SECONDS} s] Dauerlauf, ${soak_seconds} s (build/bench/soak)"
./build/bench/soak --seconds "$soak_seconds" --save-every 20 --dir build
record "Dauerlauf (build/bench/soak)" $?

echo "== [${SECONDS} s] Tests (build/)"
ctest --test-dir build --output-on-failure -j2
record "Tests (build)" $?

echo "== [${SECONDS} s] Zusammenfassung"
for r in "${results[@]}"; do echo "  $r"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
