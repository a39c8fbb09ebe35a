#!/usr/bin/env bash
# Measures the web budgets: zentab.html gzipped, first frame after navigation,
# framing in the page and in Node against native frame_text in process.
# Builds what it needs (scripts/build-web.sh, the native timer in the bench
# preset's tree); run scripts/test-web.sh once before, for the installed
# package and npm packages.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
out="$root/build-web"
cd "$root"
bash scripts/build-web.sh "$out" >/dev/null
# The text layer as the release build compiles it: -O3, whole-program.
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(zentab_jobs)" --target zentab_native_frame_time
ZENTAB_WEB_DIR="$out" ZENTAB_PACKAGE="$out/try/node_modules/zentab" \
    ZENTAB_NATIVE_TIME="$root/build-rel/tests/web/zentab_native_frame_time" \
    node tests/web/bench/budgets.mjs
