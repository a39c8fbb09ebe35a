#!/usr/bin/env bash
# Builds the text layer for WebAssembly (the wasm preset:
# cmake/wasm32-wasi.cmake) and from it build-web/zentab.html (one
# self-contained page) and build-web/zentab-<version>.tgz (the npm package).
# Needs what scripts/install-deps.sh installs.
#   scripts/build-web.sh [output directory]   (default: build-web)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
out=$(mkdir -p "${1:-$root/build-web}" && cd "${1:-$root/build-web}" && pwd)
version=$(zentab_version)

cd "$root"
# Optimised for size: the page carries the module. -O3 frames about a tenth
# faster and makes the module a fifth larger gzipped; -Oz a tenth smaller
# and a sixth slower (scripts/bench-web.sh).
cmake --preset wasm -B "$out/wasm" -DCMAKE_CXX_FLAGS_RELEASE="-Os -DNDEBUG" >/dev/null
# zentab_web: the npm package's module; zentab_page: the page's, which only
# draws frames (web/CMakeLists.txt).
cmake --build "$out/wasm" -j "$(zentab_jobs)" --target zentab_web zentab_page
# The link runs without -O (see the toolchain file); optimise here, with the
# features the module uses. The module's own memory starts zeroed, and the
# linker puts nothing below address 1024.
# The page's module, whose size the page's budget counts, until the
# optimisations find nothing more: a few hundred bytes.
for module in zentab_web zentab_page; do
  wasm-opt -Os $([ $module = zentab_page ] && echo --converge) \
      --low-memory-unused --zero-filled-memory --enable-bulk-memory --enable-simd \
      --strip-debug --strip-producers \
      "$out/wasm/web/$module.wasm" -o "$out/$module.wasm"
done
rm -f "$out/zentab.wasm"
# The page's unpacker (web/module_unpack.cpp): no library, nothing but its
# own code, so no CMake target of the wasm32-wasi tree.
clang++-14 --target=wasm32 -std=c++17 -Oz -Wall -Wextra -Wpedantic -Wconversion -Werror \
    -ffreestanding -nostdlib -fno-exceptions -Wl,--no-entry -Wl,--strip-all -Wl,-z,stack-size=4096 \
    "$root/web/module_unpack.cpp" -o "$out/wasm/zentab_unpack.wasm"
wasm-opt -Oz --strip-producers "$out/wasm/zentab_unpack.wasm" -o "$out/zentab_unpack.wasm"

# The page's minifier (web/tools), fetched again when its lock file
# changes. Without it the page is built all the same, only larger.
tools="$root/web/tools"
if [ ! -f "$tools/node_modules/.package-lock.json" ] ||
    [ "$tools/package-lock.json" -nt "$tools/node_modules/.package-lock.json" ]; then
  (cd "$tools" && npm ci --no-audit --no-fund --silent) || echo "build-web: npm ci in $tools failed" >&2
fi
node "$root/scripts/assemble-web.mjs" "$out/zentab_page.wasm" "$out/zentab_unpack.wasm" "$out/zentab_web.wasm" \
    "$version" "$out"
rm -f "$out"/zentab-*.tgz
(cd "$out/npm" && npm pack --silent --pack-destination "$out" >/dev/null)
echo "$out/zentab.html"
echo "$out/zentab-$version.tgz"
