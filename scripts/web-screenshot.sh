#!/usr/bin/env bash
# Retakes docs/web-screenshot.png from a fresh build of the page, in Debian's
# chromium. Run scripts/test-web.sh once before, for the npm packages it uses.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
bash "$root/scripts/build-web.sh" "$root/build-web" >/dev/null
cd "$root"
ZENTAB_WEB_DIR="$root/build-web" node tests/web/screenshot.mjs docs/web-screenshot.png
