#!/usr/bin/env bash
# The Windows part of CI, for a fresh Debian 12 machine, run as root: installs
# the cross compiler, Wine and a virtual display, cross-builds Zentab.exe and
# runs its unit tests (ctest under Wine) and the end-to-end tests (Wine, Xvfb,
# two locales). Exits non-zero when anything fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZENTAB_WIN_BUILD:-$root/build-win-ci}"

export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y cmake make googletest g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 \
    wine wine64 xvfb xauth fonts-ipafont-gothic locales
# Wine uses code page 932 under this locale only once it exists.
localedef -i ja_JP -f UTF-8 ja_JP.UTF-8

"$root/scripts/build-windows.sh" "$build"

export WINEPREFIX="${WINEPREFIX:-/tmp/zentab-ci-wine}"
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"

status=0
# A persistent wineserver with Wine's services already up saves every test
# process a start-up wait.
wineserver -p
wine cmd.exe /c exit >/dev/null 2>&1 || true
(cd "$build" && ctest --output-on-failure) || status=1
wineserver -k || true

"$root/tests/ui/e2e/run.sh" "$build" || status=1
exit $status
