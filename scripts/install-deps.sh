#!/usr/bin/env bash
# Installs what building and testing korvprint needs on Debian (run as root).
# Idempotent: does nothing when everything is already there.
set -euo pipefail

# libcups2:i386: 32-bit Wine lists the CUPS queues as printers only through it.
# wine64 and the x86_64 compiler: where the machine cannot run 32-bit programs, the e2e rig
# runs the 64-bit build under 64-bit Wine.
# nsis, zip: the release package (scripts/package.sh).
# imagemagick: import saves screenshots of the test display for a person to look at.
# clang: libFuzzer (scripts/fuzz.sh) and the ThreadSanitizer build.
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev clang-format clang
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xauth x11-utils
  cups cups-client cups-bsd libcups2:i386 ghostscript poppler-utils fonts-liberation python3
  imagemagick nsis zip)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]}); run as root" >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
