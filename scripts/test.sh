#!/usr/bin/env bash
# Runs every test: the unit and tool tests in a release build, again built
# with clang, and again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the web page and npm package (WebAssembly) against the command, the Debian
# package built, installed and run (as root or with sudo; it is removed again
# afterwards), libzentab under ThreadSanitizer, a fuzzing run of a minute a target, and the
# Windows program's tests under Wine.
# Needs what scripts/install-deps.sh installs.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
jobs=$(zentab_jobs)
cd "$root"

# Configures, builds and tests one preset's tree (CMakePresets.json).
run_suite() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}

# libzentab's calls from eight threads at once under ThreadSanitizer: only
# that test and the libraries it links are built.
run_tsan() {
  cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTAB_BENCH=OFF \
    -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
    -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
  cmake --build build-tsan -j "$jobs" --target zentab_capi_tests
  TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/capi/zentab_capi_tests
}

echo "== release build"
run_suite release
echo "== clang build"
run_suite clang
echo "== web page and npm package: the text layer in WebAssembly"
bash scripts/test-web.sh build/cli/zentab
echo "== Debian package: build, install, run, man page"
bash scripts/test-deb.sh
echo "== sanitizer build (address, undefined)"
run_suite sanitize
echo "== thread sanitizer: libzentab from eight threads"
run_tsan
echo "== fuzzing, ${ZENTAB_FUZZ_SECONDS:-60} s a target"
bash .ci/fuzz.sh "${ZENTAB_FUZZ_SECONDS:-60}"
echo "== Windows program under Wine"
bash scripts/test-windows.sh
echo "== all tests passed"
