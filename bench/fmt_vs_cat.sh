#!/bin/sh
# zentab fmt over Markdown documents of many tables (CJK, emoji and ASCII
# cells, drawn out of line) between paragraphs and code, at 1, 8, 32 and 64 MiB,
# beside cat in the same run: best wall time, the time per MiB (linear when it
# stays flat), and the peak memory against the document's size.
#   bench/fmt_vs_cat.sh [path/to/zentab]   default build/cli/zentab
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
zentab=${1:-$root/build/cli/zentab}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=${ZENTAB_RUNS:-5}

# One section: a heading, prose, a code block holding a table-like text, and
# a ragged table; repeated to the size asked.
make_document() {
  awk -v bytes="$1" 'BEGIN {
    while (n < bytes) {
      s = sprintf("## Section %d\n\nSome prose about the table below, with a | pipe.\n\n", i)
      s = s "```\n| not | a | table |\n|---|---|---|\n```\n\n"
      s = s "| 品名 | Qty | Note |\n|---|--:|:-:|\n"
      for (r = 0; r < 8; r++) s = s sprintf("| item %d りんご | %d | 😀 ok %d |\n", i * 8 + r, (i * 7919 + r) % 1000, r)
      s = s "\n"
      printf "%s", s; n += length(s) + 40; i++
    }
  }' >"$work/doc-$1.md"
}

measure() {
  python3 - "$runs" "$@" <<'PY'
import subprocess, sys, time
runs, document, command = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
best = None
for _ in range(runs):
    with open(document, "rb") as source, open("/dev/null", "wb") as sink:
        start = time.perf_counter()
        subprocess.run(command, stdin=source, stdout=sink, stderr=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
    best = elapsed if best is None else min(best, elapsed)
print(int(best * 1e6))
PY
}

peak_kib() {
  /usr/bin/time -f '%M' -o "$work/peak" "$@" <"$work/doc" >/dev/null 2>&1 || true
  cat "$work/peak"
}

printf '%-8s %12s %12s %8s %10s %12s\n' size 'cat µs' 'fmt µs' ratio 'µs/MiB' 'peak/size'
for mib in 1 8 32 64; do
  bytes=$((mib * 1048576 - 4096))
  make_document "$bytes"
  cp "$work/doc-$bytes.md" "$work/doc"
  cat_us=$(measure "$work/doc" cat)
  fmt_us=$(measure "$work/doc" "$zentab" fmt)
  peak=$(peak_kib "$zentab" fmt)
  size_kib=$((bytes / 1024))
  awk -v m="$mib" -v c="$cat_us" -v f="$fmt_us" -v p="$peak" -v s="$size_kib" 'BEGIN {
    printf "%-8s %12d %12d %8.1f %10d %12.2f\n", m " MiB", c, f, f / c, f / m, p / s }'
  rm -f "$work/doc-$bytes.md"
done
