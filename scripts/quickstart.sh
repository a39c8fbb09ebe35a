#!/usr/bin/env bash
# Installs what Zentab needs, builds it, frames the sample table with the
# command-line tool, installs the Debian packages (the command, libzentab for
# C and C++ programs, the Python package), builds the web page, and builds
# Zentab.exe, opening it under Wine when a display is available.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
cd "$root"
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(zentab_jobs)" --target zentab
echo "== build/cli/zentab -f 5 -p H examples/sales.txt"
build/cli/zentab -f 5 -p H examples/sales.txt
echo "== Debian packages: zentab, libzentab1, libzentab-dev, python3-zentab"
mapfile -t packages < <(bash scripts/build-deb.sh | grep '\.deb$')
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall \
  "${packages[@]/#/./}" ./build-deb/python3-zentab_*.deb >/dev/null
/usr/bin/python3 -c "import zentab; print(zentab.frame([[1, 'ペン'], [2, 'ノート']]))"
echo "== build-web/zentab.html and the npm package"
bash scripts/build-web.sh
echo "== Zentab.exe"
bash scripts/run-windows.sh
