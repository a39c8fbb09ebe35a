#!/usr/bin/env bash
# Runs every test: the unit and tool tests in a release build, then again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== release build"
run_suite build -DCMAKE_BUILD_TYPE=Release
echo "== sanitizer build (address, undefined)"
run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZENTAB_SANITIZE=ON -DZENTAB_BENCH=OFF
echo "== all tests passed"
