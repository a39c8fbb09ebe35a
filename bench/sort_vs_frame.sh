#!/usr/bin/env bash
# The whole zentab process on 1 MiB of csv sorted by two keys (text, then
# numbers reversed) and cut to some columns, beside the plain frame of the
# same file, in one run.
#   bench/sort_vs_frame.sh [path/to/zentab]   default build/cli/zentab
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
root=$(zentab_root)
zentab=${1:-$root/build/cli/zentab}
table=$(mktemp)
trap 'rm -f "$table"' EXIT
# Rows up to the input limit, 1 MiB: a name of few values, so the second key
# decides often, a grouped number and a decimal.
awk 'BEGIN {
  header = "Name,Qty,Price,Note"
  print header
  size = length(header) + 1
  for (i = 1; ; i++) {
    line = sprintf("item-%d,\"%d,%03d\",%d.%02d,note %d", (i * 7919) % 97, (i * 31) % 1000,
                   (i * 17) % 1000, (i * 13) % 10000, i % 100, i)
    if (size + length(line) + 1 > 1048576) break
    print line
    size += length(line) + 1
  }
}' >"$table"
plain="$zentab --from csv $table"
sorted="$zentab --from csv --sort Name,Qty:n:r -c 1,2,3 $table"
$plain >/dev/null
$sorted >/dev/null
echo "$(wc -c <"$table") bytes, $(wc -l <"$table") lines"

if command -v hyperfine >/dev/null 2>&1; then
  hyperfine -N --warmup 3 --runs 20 --output=null "$plain" "$sorted"
  exit 0
fi
runs=20
for command in "$plain" "$sorted"; do
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do
    $command >/dev/null
  done
  end=$(date +%s%N)
  echo "$command: $(((end - start) / runs / 1000000)) ms per run"
done
