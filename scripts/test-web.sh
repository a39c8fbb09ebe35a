#!/usr/bin/env bash
# Builds the page and the npm package (scripts/build-web.sh) and tests them
# against the native command: the package under node --test, the page in
# Debian's chromium through playwright-core. Needs what scripts/install-deps.sh
# installs and a native build of the command.
#   scripts/test-web.sh [path to the native zentab]   (default: build/cli/zentab)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
native="$(realpath "${1:-$root/build/cli/zentab}")"
out="$root/build-web"

bash "$root/scripts/build-web.sh" "$out"

# The package as a user gets it: installed from its tarball.
rm -rf "$out/try"
mkdir -p "$out/try"
echo '{"private": true}' >"$out/try/package.json"
(cd "$out/try" && npm install --no-audit --no-fund --no-save --silent "$out"/zentab-*.tgz)

(cd "$root/tests/web" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent)
cd "$root"
ZENTAB_BIN="$native" ZENTAB_WEB_DIR="$out" ZENTAB_PACKAGE="$out/try/node_modules/zentab" \
    node --test --test-concurrency=1 tests/web/
