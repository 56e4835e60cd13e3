# Environment for running Windows programs of the rig under Wine (sourced).
# A 32-bit prefix suits the i686 program; -all keeps Wine quiet; the overrides keep a new
# prefix from offering to install Mono and Gecko.
export WINEARCH=win32
export WINEDEBUG=${KORV_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
