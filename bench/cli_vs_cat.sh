#!/usr/bin/env bash
# The whole zentab process on a 217-row table beside cat on the same file.
#   bench/cli_vs_cat.sh [path/to/zentab]   default build/cli/zentab
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
root=$(zentab_root)
zentab=${1:-$root/build/cli/zentab}
table=$(mktemp)
trap 'rm -f "$table"' EXIT
awk 'BEGIN { for (i = 1; i <= 217; i++) printf "r%d|it-%d|%05d\n", i, i, (i * 7919) % 100000 }' \
  >"$table"
"$zentab" "$table" >/dev/null

if command -v hyperfine >/dev/null 2>&1; then
  hyperfine -N --warmup 50 --runs 1000 "$zentab $table" "cat $table"
  exit 0
fi
runs=1000
for command in "$zentab" cat; do
  start=$(date +%s%N)
  i=0
  while [ $i -lt $runs ]; do
    "$command" "$table" >/dev/null
    i=$((i + 1))
  done
  end=$(date +%s%N)
  echo "$command: $(((end - start) / runs / 1000)) us per run"
done
