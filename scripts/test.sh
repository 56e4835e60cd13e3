#!/usr/bin/env bash
# README's test command: installs what it needs, then runs every test there is:
# unit tests (plain and with sanitizers), the two-thread test under ThreadSanitizer, the fuzz
# targets over their seeds, the Windows build, and the end-to-end tests
# of the real program under Wine printing into CUPS.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh

echo "== format check"
files=$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 2>/dev/null || true)
if [ -n "$files" ]; then
  # shellcheck disable=SC2086
  clang-format --dry-run --Werror $files
fi

echo "== rooms: includes point downward, folder and function sizes"
bash scripts/check-layers.sh

echo "== unit tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native -L unit --output-on-failure -j"$jobs"

echo "== unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DKORV_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize -L unit --output-on-failure -j"$jobs"

echo "== print loop and window handlers on two threads with ThreadSanitizer"
CC=clang CXX=clang++ cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DKORV_TSAN=ON >/dev/null
cmake --build build/tsan -j"$jobs" --target tsan_tests
ctest --test-dir build/tsan -L tsan --output-on-failure

echo "== fuzz targets over their seed corpora (bash scripts/fuzz.sh [seconds] fuzzes)"
bash scripts/fuzz.sh 0

echo "== Windows build"
bash scripts/build.sh
# The e2e rig runs the 64-bit build where this machine cannot run 32-bit programs.
source scripts/rig/wine-env.sh
if [ "$KORV_WINE_ARCH" = win64 ]; then
  echo "== Windows build, 64-bit (this machine runs no 32-bit programs: the e2e tests use it)"
  bash scripts/build.sh win64
fi

if [ -d tests/e2e ] && [ -f tests/e2e/CMakeLists.txt ]; then
  echo "== end-to-end tests under Wine"
  # The rig's fixture ends its Wine processes and display; this also covers an aborted run.
  trap '(cd tests/e2e && python3 -m korvrig cleanup) >/dev/null 2>&1 || true' EXIT
  ctest --test-dir build/native -L e2e --output-on-failure
fi
