#!/usr/bin/env bash
# Takes the README's screenshots: the real main window with a frame in OUTPUT
# and the SETTING window beside it, under Wine on a virtual X display, at 100%
# (docs/screenshot.png) and at 150% (docs/screenshot-150.png).
# Needs fonts-wine for the caption buttons and imagemagick.
# Usage: scripts/screenshot.sh [build directory]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
build="$(cd "${1:-$root/build-win}" && pwd)"
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"
# Without Marlett the caption buttons would be letters: stop rather than shoot.
if [[ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]]; then
    echo "screenshot.sh: no Marlett in the Wine prefix; install fonts-wine" >&2
    exit 1
fi
mkdir -p "$root/docs"

export LC_ALL=ja_JP.UTF-8
shoot() {
    local dpi=$1 out=$2
    "$root/scripts/wine-dpi.sh" "$dpi"
    xvfb-run -a -s "-screen 0 2400x1600x24 -dpi $dpi" bash -c '
        set -euo pipefail
        # Zentab.exe inherits the output, so a file, not a pipe, takes the area.
        areaFile="$(mktemp)"
        wine "$1" --pose "$(winepath -w "$2")" >"$areaFile"
        area="$(tr -d "\r" <"$areaFile")"
        rm -f "$areaFile"
        sleep 1
        import -window root -crop "$area" +repage "$3"
        wineserver -k
    ' _ "$build/tests/ui/zentab_e2e_driver.exe" "$build/ui/Zentab.exe" "$out"
    echo "$out"
}
shoot 96 "$root/docs/screenshot.png"
shoot 144 "$root/docs/screenshot-150.png"
"$root/scripts/wine-dpi.sh" 96
