#!/usr/bin/env bash
# Builds the program for Windows with the e2e test driver:
#   bash scripts/build.sh          build/win32/korvprint.exe (i686, what ships)
#   bash scripts/build.sh win64    build/win64/korvprint.exe (x86_64; the e2e rig runs it where
#                                  this machine cannot run 32-bit programs)
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-win32}
case "$arch" in
  win32) toolchain=cmake/mingw-i686.cmake ;;
  win64) toolchain=cmake/mingw-x86_64.cmake ;;
  *) echo "usage: build.sh [win32|win64]" >&2; exit 2 ;;
esac
cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "build/$arch" -j"$(nproc)"
