#!/usr/bin/env bash
# Makes (or brings up to date) a Wine prefix for the rig; idempotent.
#
#   [KORV_NO_WINDOW_MANAGER=1] scripts/rig/prefix.sh PREFIX_DIR   (needs DISPLAY; see xvfb.sh)
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
  "$KORV_WINE" wineboot -i >/dev/null 2>&1
fi
"$KORV_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
  >/dev/null 2>&1
# On the rig's own Xvfb there is no window manager (KORV_NO_WINDOW_MANAGER=1): Wine then
# places, shows and maximises windows itself, at once, instead of waiting for a manager that
# never answers (which left show states racing, and cost about 2 s per hidden window).
if [ "${KORV_NO_WINDOW_MANAGER:-0}" = 1 ]; then managed=N; else managed=Y; fi
"$KORV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
# Let the registry reach the disk before anyone copies or inspects the prefix.
wineserver -w
