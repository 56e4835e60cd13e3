# Environment for running Windows programs of the rig under Wine (sourced).
# The program is 32-bit, and a 32-bit prefix suits it. Where this machine cannot run 32-bit
# programs at all (a kernel without 32-bit emulation: 32-bit Wine fails with "Exec format
# error"), the rig runs the 64-bit build (build/win64) under 64-bit Wine instead.
# KORV_WINE_ARCH (win32 or win64) says which; KORV_WINE is the loader to run programs with.
# -all keeps Wine quiet; the overrides keep a new prefix from offering Mono and Gecko.
if [ -z "${KORV_WINE_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then KORV_WINE_ARCH=win32; else KORV_WINE_ARCH=win64; fi
fi
export KORV_WINE_ARCH
export WINEARCH=$KORV_WINE_ARCH
if [ "$KORV_WINE_ARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  KORV_WINE=/usr/lib/wine/wine64
else
  KORV_WINE=wine
fi
export KORV_WINE
export WINEDEBUG=${KORV_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
