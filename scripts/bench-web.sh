#!/usr/bin/env bash
# Measures the web budgets: zentab.html gzipped, first frame after navigation,
# framing in the page and in Node against native frame_text in process.
# Builds what it needs (scripts/build-web.sh, a native timer); run
# scripts/test-web.sh once before, for the installed package and npm packages.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-web"
bash "$root/scripts/build-web.sh" "$out" >/dev/null
# The text layer as the release build compiles it: -O3, whole-program.
g++ -std=c++17 -O3 -flto -DNDEBUG -I"$root" -o "$out/native_frame_time" \
    "$root/tests/web/bench/native_frame_time.cpp" "$root"/text/*.cpp "$root"/text/unicode/*.cpp \
    "$root"/core/*.cpp "$root"/core/styles/*.cpp
cd "$root"
ZENTAB_WEB_DIR="$out" ZENTAB_PACKAGE="$out/try/node_modules/zentab" \
    ZENTAB_NATIVE_TIME="$out/native_frame_time" node tests/web/bench/budgets.mjs
