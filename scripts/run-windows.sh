#!/usr/bin/env bash
# Builds Zentab.exe and opens it under Wine when a display is available.
# Usage: scripts/run-windows.sh [build directory]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
exe="$("$root/scripts/build-windows.sh" "$@" | tail -n 1)"
if [[ -z "${DISPLAY:-}" ]]; then
    echo "Built $exe. No display here, so it is not opened: copy it to Windows, or run" \
         "this script again where a display is available."
    exit 0
fi
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"
exec wine "$exe"
