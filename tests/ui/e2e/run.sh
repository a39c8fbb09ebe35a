#!/usr/bin/env bash
# Runs the end-to-end driver against Zentab.exe under Wine and Xvfb: in a
# Western locale (Wine code page 1252) and a Japanese one (932), at 100% (96
# DPI) and at 150% (144 DPI, Japanese locale).
# Usage: tests/ui/e2e/run.sh <build directory>
set -euo pipefail
source "$(dirname "$0")/../../../scripts/lib.sh"
root=$(zentab_root)
build="$(cd "${1:?build directory}" && pwd)"
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"

exe="$(winepath -w "$build/ui/Zentab.exe" 2>/dev/null)"
driver="$build/tests/ui/zentab_e2e_driver.exe"
status=0
for run in C.UTF-8:1252:96 ja_JP.UTF-8:932:96 ja_JP.UTF-8:932:144; do
    IFS=: read -r locale codePage dpi <<<"$run"
    echo "== end-to-end under LC_ALL=$locale at $dpi DPI"
    "$root/scripts/wine-dpi.sh" "$dpi"
    log="$(mktemp)"
    if ! LC_ALL="$locale" xvfb-run -a -s "-screen 0 1600x1200x24 -dpi $dpi" \
            wine "$driver" "$exe" >"$log" 2>&1; then
        status=1
    fi
    cat "$log"
    # grep reads to the end: stopping early would break tr's pipe, which
    # pipefail reports as a failure.
    if ! tr -d "\r" <"$log" | grep -x "code page $codePage" >/dev/null; then
        echo "FAIL expected Wine code page $codePage under $locale"
        status=1
    fi
    rm -f "$log"
done
"$root/scripts/wine-dpi.sh" 96
exit $status
