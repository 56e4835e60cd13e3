#!/usr/bin/env bash
# Builds the program for Windows (build/win32/korvprint.exe, with the e2e test driver).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 -j"$(nproc)"
