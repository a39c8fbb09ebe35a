#!/usr/bin/env bash
# Cross-builds Zentab.exe, its unit tests and the end-to-end driver (the
# windows preset: cmake/mingw-w64-x86_64.cmake).
# Usage: scripts/build-windows.sh [build directory]   (default: build-win)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
build=$(mkdir -p "${1:-$root/build-win}" && cd "${1:-$root/build-win}" && pwd)
cd "$root"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j "$(zentab_jobs)"
echo "$build/ui/Zentab.exe"
