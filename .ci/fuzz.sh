#!/bin/sh
# Builds the create-frame fuzz target with clang (libFuzzer, ASan, UBSan) and
# runs it for a bounded time. Installs nothing.
#   .ci/fuzz.sh [seconds]   default 30
set -eu

seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DZENTAB_FUZZ=ON -DZENTAB_BENCH=OFF >/dev/null
cmake --build "$build" --target zentab_fuzz_create_frame -j "$(nproc)"

# New inputs go to a scratch corpus; the committed seeds are only read.
work="$build/corpus"
mkdir -p "$work"
"$build/fuzz/zentab_fuzz_create_frame" -max_total_time="$seconds" -max_len=6000 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work" "$root/fuzz/corpus"
