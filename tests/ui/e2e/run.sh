#!/usr/bin/env bash
# Runs the end-to-end driver against Zentab.exe under Wine and Xvfb, once in a
# Western locale (Wine code page 1252) and once in a Japanese one (932).
# Usage: tests/ui/e2e/run.sh <build directory>
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
build="$(cd "${1:?build directory}" && pwd)"
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"

exe="$(winepath -w "$build/ui/Zentab.exe" 2>/dev/null)"
driver="$build/tests/ui/zentab_e2e_driver.exe"
status=0
for pair in C.UTF-8:1252 ja_JP.UTF-8:932; do
    locale="${pair%%:*}"
    codePage="${pair##*:}"
    echo "== end-to-end under LC_ALL=$locale"
    wineserver -k 2>/dev/null || true
    log="$(mktemp)"
    if ! LC_ALL="$locale" xvfb-run -a -s "-screen 0 1600x1200x24" \
            wine "$driver" "$exe" >"$log" 2>&1; then
        status=1
    fi
    cat "$log"
    if ! tr -d "\r" <"$log" | grep -qx "code page $codePage"; then
        echo "FAIL expected Wine code page $codePage under $locale"
        status=1
    fi
    rm -f "$log"
done
wineserver -k 2>/dev/null || true
exit $status
