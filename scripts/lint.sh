#!/usr/bin/env bash
# Static checks over src/: clang-tidy with a small check set, then cppcheck.
set -euo pipefail
cd "$(dirname "$0")/.."
# Configure every time (cheap when nothing changed), so new folders are in the compile commands.
cmake -S . -B build -G Ninja >/dev/null
files=$(git ls-files 'src/*.cpp')
checks='-*,bugprone-*,-bugprone-easily-swappable-parameters,-bugprone-narrowing-conversions,performance-*,clang-analyzer-*,modernize-use-override,modernize-use-nullptr,readability-misleading-indentation,readability-redundant-*'
status=0
clang-tidy -p build --quiet --checks="$checks" $files 2>/dev/null || status=1
cppcheck --quiet --enable=warning,performance,portability --std=c++20 --inline-suppr \
  --error-exitcode=1 -I src $files || status=1
exit $status
