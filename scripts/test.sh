#!/usr/bin/env bash
# Runs every test: the unit and tool tests in a release build and again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the web page and npm package
# (WebAssembly) against the command, the Debian package built,
# installed and run (as root or with sudo; it is removed again afterwards), a
# short fuzzing run, and the Windows program's tests under Wine. Needs what
# scripts/install-deps.sh installs.
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
echo "== web page and npm package: the text layer in WebAssembly"
bash scripts/test-web.sh build/cli/zentab
echo "== Debian package: build, install, run, man page"
bash scripts/test-deb.sh
echo "== sanitizer build (address, undefined)"
run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZENTAB_SANITIZE=ON -DZENTAB_BENCH=OFF
echo "== fuzzing, ${ZENTAB_FUZZ_SECONDS:-30} s"
sh .ci/fuzz.sh "${ZENTAB_FUZZ_SECONDS:-30}"
echo "== Windows program under Wine"
bash scripts/test-windows.sh
echo "== all tests passed"
