#!/usr/bin/env bash
# Creates (or updates) the Wine prefix Zentab runs in: no window-manager
# hand-off, and the dialogs' Japanese fixed-pitch fonts mapped to IPA fonts so
# that a box-drawing character is exactly two ASCII characters wide.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wineboot -i >/dev/null 2>&1 || true
fi

reg_add() {
    # The value names are Japanese: pass them in a UTF-8 locale.
    LC_ALL=C.UTF-8 wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
}
reg_add 'HKCU\Software\Wine\X11 Driver' Managed N
reg_add 'HKCU\Software\Wine\Fonts\Replacements' 'ＭＳ ゴシック' IPAGothic
reg_add 'HKCU\Software\Wine\Fonts\Replacements' 'ＭＳ Ｐゴシック' IPAPGothic
wineserver -w
