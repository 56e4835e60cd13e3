#!/usr/bin/env bash
# Makes (or brings up to date) a Wine prefix for the rig; idempotent.
#
#   scripts/rig/prefix.sh PREFIX_DIR        (needs DISPLAY; see xvfb.sh)
#
# Booting a new prefix takes about 20 s, so callers keep one per run. Wine's default mapping
# makes "Courier New" a proportional face; Liberation Mono keeps the text grid fixed-pitch.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"

prefix=${1:?usage: prefix.sh PREFIX_DIR}
mkdir -p "$prefix"
export WINEPREFIX
WINEPREFIX=$(cd "$prefix" && pwd)

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
fi
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
  >/dev/null 2>&1
# Let the registry reach the disk before anyone copies or inspects the prefix.
wineserver -w
