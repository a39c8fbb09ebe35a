#!/usr/bin/env bash
# Sets the DPI Wine reports to programs (96 is 100%, 144 is 150%, 192 is 200%)
# and waits for the prefix's wineserver to store it and stop, so that the next
# program starts with it.
# Usage: scripts/wine-dpi.sh <dpi>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
source "$root/scripts/wine-env.sh"
wineserver -k 2>/dev/null || true
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${1:?dpi}" /f >/dev/null 2>&1
wineserver -w
