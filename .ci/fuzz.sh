#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each
# for a bounded time. Installs nothing.
#   .ci/fuzz.sh [seconds]   a target, default 60
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
root=$(zentab_root)
seconds=${1:-60}
build="$root/build-fuzz"

cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(zentab_jobs)"

# New inputs go to scratch corpora; the committed seeds are only read.
run() {
  local target=$1 seeds=$2
  local work="$build/corpus-$target"
  mkdir -p "$work"
  "$build/fuzz/$target" -max_total_time="$seconds" -max_len=6000 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work" "$root/fuzz/$seeds"
}
run zentab_fuzz_create_frame corpus
run zentab_fuzz_frame_text text_corpus
run zentab_fuzz_convert convert_corpus
run zentab_fuzz_frame_fit fit_corpus
run zentab_fuzz_format_document document_corpus
