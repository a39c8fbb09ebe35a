# Sourced by the Wine scripts: one quiet 64-bit prefix for Zentab.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zentab}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
