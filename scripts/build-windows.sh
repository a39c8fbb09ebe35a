#!/usr/bin/env bash
# Cross-builds Zentab.exe, its unit tests and the end-to-end driver.
# Usage: scripts/build-windows.sh [build directory]   (default: build-win)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-win}"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"
echo "$build/ui/Zentab.exe"
