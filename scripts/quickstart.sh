#!/usr/bin/env bash
# Installs what Zentab needs, builds it, frames the sample table with the
# command-line tool, builds the web page, and builds Zentab.exe, opening it
# under Wine when a display is available.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target zentab
echo "== build/cli/zentab -f 5 -p H examples/sales.txt"
build/cli/zentab -f 5 -p H examples/sales.txt
echo "== build-web/zentab.html and the npm package"
bash scripts/build-web.sh
echo "== Zentab.exe"
bash scripts/run-windows.sh
