#!/usr/bin/env bash
# Takes docs/screenshot.png: the real main window with a frame in OUTPUT and
# the SETTING window beside it, under Wine on a virtual X display.
# Usage: scripts/screenshot.sh [build directory]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build-win}" && pwd)"
out="$root/docs/screenshot.png"
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"
mkdir -p "$root/docs"

export LC_ALL=ja_JP.UTF-8
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
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
