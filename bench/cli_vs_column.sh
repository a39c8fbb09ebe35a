#!/bin/sh
# The whole zentab process on 1 MiB of psv and of csv beside `column -t`
# (which aligns the same cells, without rules), in the same run: best wall time,
# and zentab's peak memory against input + output + 2 MiB.
#   bench/cli_vs_column.sh [path/to/zentab]   default build/cli/zentab
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
zentab=${1:-$root/build/cli/zentab}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { while (n < 1048000) { line = sprintf("r%d|item %d|%05d|済\n", i, i, (i * 7919) % 100000); n += length(line) + 2; printf "%s", line; i++ } }' \
  >"$work/table.psv"
tr '|' ',' <"$work/table.psv" >"$work/table.csv"
runs=${ZENTAB_RUNS:-10}

# Best wall time of $runs runs in microseconds, then the peak memory of one
# run in KiB.
measure() {
  python3 - "$runs" "$work/out" "$@" <<'PY'
import subprocess, sys, time
runs, out, command = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
best = None
for _ in range(runs):
    with open(out, "wb") as sink:
        start = time.perf_counter()
        subprocess.run(command, stdout=sink, stderr=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
    best = elapsed if best is None else min(best, elapsed)
print(int(best * 1e6))
PY
  /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>&1
  cat "$work/peak"
}

for format in psv csv; do
  input="$work/table.$format"
  separator='|'
  [ "$format" = csv ] && separator=','
  set -- $(measure "$zentab" --from "$format" -f 2 "$input")
  zentabTime=$1 zentabPeak=$2
  outBytes=$(wc -c <"$work/out")
  set -- $(measure column -t -s "$separator" "$input")
  columnTime=$1 columnPeak=$2
  inBytes=$(wc -c <"$input")
  budget=$(((inBytes + outBytes) / 1024 + 2048))
  echo "$format: zentab ${zentabTime} us, column -t ${columnTime} us (ratio $(awk "BEGIN { printf \"%.2f\", $zentabTime / $columnTime }")); peak: zentab ${zentabPeak} KiB, column -t ${columnPeak} KiB, input + output + 2 MiB = ${budget} KiB"
done
