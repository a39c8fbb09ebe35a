#!/usr/bin/env bash
# Creates (or updates) the Wine prefix Zentab runs in: no window-manager
# hand-off, and the dialogs' Japanese fixed-pitch fonts mapped to IPA fonts so
# that a box-drawing character is exactly two ASCII characters wide.
# Also puts fonts-wine's Marlett into the prefix's Fonts folder, for the
# caption buttons.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
source "$root/scripts/wine-env.sh"

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wineboot -i >/dev/null 2>&1 || true
fi

reg_add() {
    # The value names are Japanese: pass them in a UTF-8 locale.
    LC_ALL=C.UTF-8 wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
}
# Caption buttons are Marlett glyphs. Debian's Wine 8 looks for its own fonts
# at "<data dir>\../fonts", which its file lookup never resolves, so fonts-wine's
# copy goes unread; the prefix's Fonts folder is always read.
marlett="${WINE_FONTS_DIR:-/usr/share/wine/fonts}/marlett.ttf"
if [[ -f "$marlett" ]]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -p "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
else
    echo "wine-prefix.sh: no $marlett (package fonts-wine): caption buttons will be letters" >&2
fi

reg_add 'HKCU\Software\Wine\X11 Driver' Managed N
reg_add 'HKCU\Software\Wine\Fonts\Replacements' 'ＭＳ ゴシック' IPAGothic
reg_add 'HKCU\Software\Wine\Fonts\Replacements' 'ＭＳ Ｐゴシック' IPAPGothic
wineserver -w
