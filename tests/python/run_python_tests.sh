#!/usr/bin/env bash
# Builds the zentab Python package from SOURCE into OUT and runs its tests
# against the command at CLI. Exits 77 when no Python here has pybind11,
# pytest and setuptools.
set -euo pipefail
source_dir=$1 out=$2 cli=$3

python=
for candidate in python3 /usr/bin/python3; do
  if command -v "$candidate" >/dev/null &&
    "$candidate" -c 'import pybind11, pytest, setuptools' 2>/dev/null; then
    python=$candidate
    break
  fi
done
if [ -z "$python" ]; then
  echo "python_package: no python3 with pybind11, pytest and setuptools; skipped"
  exit 77
fi

# setuptools rebuilds the extension only when a source is newer than it.
mkdir -p "$out"
if ! (cd "$source_dir" && "$python" setup.py -q build -j 2 --build-base "$out/build" \
  --build-lib "$out/lib") >"$out/build.log" 2>&1; then
  cat "$out/build.log" >&2
  echo "python_package: the extension did not build" >&2
  exit 1
fi
# From the build tree, so the source folder's zentab/ (without the extension)
# is not the one imported.
cd "$out"
PYTHONPATH="$out/lib" ZENTAB_CLI="$cli" "$python" -m pytest -q -p no:cacheprovider "$source_dir/tests"
