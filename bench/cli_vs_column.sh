#!/bin/sh
# The whole zentab process on 1 MiB of psv, csv, tsv and Markdown holding the
# same cells (csv's quoted), and on its frame read back, beside `column -t`
# (which aligns the same cells, without rules), in the same run: best wall time,
# and zentab's peak memory against input + output + 2 MiB.
#   bench/cli_vs_column.sh [path/to/zentab]   default build/cli/zentab
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
zentab=${1:-$root/build/cli/zentab}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Realistic cells: words with commas and quotes (which csv quotes and
# doubles), wide characters and numbers; the same cells in every format.
python3 - "$work" <<'PY'
import csv, sys
work = sys.argv[1]
notes = ["ink, black", 'says "fine"', "済み", "漢字とかな", "plain", "a, b, \"c\""]
rows = [["id", "item", "count", "note", "place"]]
size = 0
while size < 1040000:
    i = len(rows)
    row = [f"r{i}", f"item {i}", f"{(i * 7919) % 100000:05d}", notes[i % len(notes)], "東京" if i % 3 else "Köln"]
    rows.append(row)
    size += len("|".join(row).encode()) + 6  # room for the widest format
with open(f"{work}/table.psv", "w", encoding="utf-8", newline="") as out:
    out.writelines("|".join(row) + "\n" for row in rows)
with open(f"{work}/table.tsv", "w", encoding="utf-8", newline="") as out:
    out.writelines("\t".join(row) + "\n" for row in rows)
with open(f"{work}/table.csv", "w", encoding="utf-8", newline="") as out:
    csv.writer(out, lineterminator="\n").writerows(rows)
# Markdown unpadded, so that it stays within the input limit.
with open(f"{work}/table.markdown", "w", encoding="utf-8", newline="") as out:
    out.write("|" + "|".join(rows[0]) + "|\n|" + "-|" * len(rows[0]) + "\n")
    out.writelines("|" + "|".join(row) + "|\n" for row in rows[1:])
PY
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

# Each reader against psv's time too: the same table, the same frame.
for format in psv csv tsv markdown frame; do
  input="$work/table.$format"
  if [ "$format" = frame ]; then
    "$zentab" -f 2 "$work/table.psv" >"$input"
  fi
  case $format in
    csv) separator=',' ;;
    tsv) separator=$(printf '\t') ;;
    *) separator='|' ;;
  esac
  set -- $(measure "$zentab" --from "$format" -f 2 "$input")
  zentabTime=$1 zentabPeak=$2
  [ "$format" = psv ] && psvTime=$zentabTime
  outBytes=$(wc -c <"$work/out")
  inBytes=$(wc -c <"$input")
  budget=$(((inBytes + outBytes) / 1024 + 2048))
  versusPsv=$(awk "BEGIN { printf \"%.2f\", $zentabTime / $psvTime }")
  if [ "$format" = frame ]; then
    echo "$format: zentab ${zentabTime} us (${versusPsv}x psv); peak: zentab ${zentabPeak} KiB, input + output + 2 MiB = ${budget} KiB"
    continue
  fi
  set -- $(measure column -t -s "$separator" "$input")
  columnTime=$1 columnPeak=$2
  echo "$format: zentab ${zentabTime} us (${versusPsv}x psv), column -t ${columnTime} us (ratio $(awk "BEGIN { printf \"%.2f\", $zentabTime / $columnTime }")); peak: zentab ${zentabPeak} KiB, column -t ${columnPeak} KiB, input + output + 2 MiB = ${budget} KiB"
done
