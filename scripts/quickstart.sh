#!/usr/bin/env bash
# Installs what Zentab needs, builds it, frames the sample table with the
# command-line tool, builds the web page, and builds Zentab.exe, opening it
# under Wine when a display is available.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
cd "$root"
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(zentab_jobs)" --target zentab
echo "== build/cli/zentab -f 5 -p H examples/sales.txt"
build/cli/zentab -f 5 -p H examples/sales.txt
echo "== build-web/zentab.html and the npm package"
bash scripts/build-web.sh
echo "== Zentab.exe"
bash scripts/run-windows.sh
