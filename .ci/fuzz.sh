#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each
# for a bounded time. Installs nothing.
#   .ci/fuzz.sh [seconds]   default 30, shared between the targets
set -eu

seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DZENTAB_FUZZ=ON -DZENTAB_BENCH=OFF >/dev/null
cmake --build "$build" --target zentab_fuzz_create_frame zentab_fuzz_frame_text \
  zentab_fuzz_convert -j "$(nproc)"

# New inputs go to scratch corpora; the committed seeds are only read.
run() {
  target=$1
  seeds=$2
  work="$build/corpus-$target"
  mkdir -p "$work"
  "$build/fuzz/$target" -max_total_time="$((seconds / 3))" -max_len=6000 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work" "$root/fuzz/$seeds"
}
run zentab_fuzz_create_frame corpus
run zentab_fuzz_frame_text text_corpus
run zentab_fuzz_convert convert_corpus
