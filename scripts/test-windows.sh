#!/usr/bin/env bash
# Cross-builds Zentab.exe with its tests, runs the unit tests under Wine
# through ctest, then the end-to-end tests under Wine and Xvfb in two locales.
# Needs what scripts/install-deps.sh installs.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
build="${1:-$root/build-win}"

"$root/scripts/build-windows.sh" "$build" >/dev/null
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"

status=0
# A persistent wineserver with Wine's services already up saves every test
# process a start-up wait.
wineserver -p
wine cmd.exe /c exit >/dev/null 2>&1 || true
# A Wine process that fails to start fails its test with no output: one
# more try tells that from a test that fails.
ctest --test-dir "$build" --output-on-failure --repeat until-pass:2 || status=1
wineserver -k || true

"$root/tests/ui/e2e/run.sh" "$build" || status=1
exit $status
