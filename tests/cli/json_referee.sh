#!/usr/bin/env bash
# Python's JSON reader as a referee: what zentab --to json writes must read
# there as the cells expected, given as Python literals.
# Usage: json_referee.sh ZENTAB
set -euo pipefail
zentab=$1
if ! command -v python3 >/dev/null 2>&1; then
  echo "python3 not found; skipped"
  exit 77
fi

# Rows as Python sees them: the keys of the first object, then each object's
# values; arrays as they are. JSON Lines are read a line at a time.
read_rows='
import ast, json, sys
lines, expected = sys.argv[1] == "lines", ast.literal_eval(sys.argv[2])
text = sys.stdin.buffer.read().decode("utf-8")
rows = [json.loads(l) for l in text.splitlines()] if lines else json.loads(text)
if rows and isinstance(rows[0], dict):
    rows = [list(rows[0].keys())] + [list(r.values()) for r in rows]
if rows != expected:
    sys.exit("got %r\nexpected %r" % (rows, expected))
'

status=0
check() {  # name, input, expected, zentab options...
  local name=$1 input=$2 expected=$3
  shift 3
  local shape=array
  [[ " $* " == *" jsonl "* ]] && shape=lines
  if ! printf '%s' "$input" | "$zentab" "$@" | python3 -c "$read_rows" "$shape" "$expected"; then
    echo "FAIL: $name"
    status=1
  fi
}

check csv_quotes $'Name,Qty\n"Smith, J",3\n"say ""hi""",\n' \
  '[["Name","Qty"],["Smith, J","3"],["say \"hi\"",""]]' --from csv --to json
check line_breaks_tabs_backslashes $'a,b\r\n"x\r\ny","\\\\ \t/"\r\n' \
  '[["a","b"],["x\r\ny","\\\\ \t/"]]' --from csv --to json --crlf
check unicode_kept 'k|v
日本|😀 é' '[["k","v"],["日本","😀 é"]]' --to json
check controls_and_numbers '[["a","b"],["\u0001\u001f\u007f",2.50]]' \
  '[["a","b"],["\x01\x1f\x7f","2.50"]]' --from json --to json
check no_header_ragged $'a|b\nc\n' '[["a","b"],["c"]]' --to json --no-header
check lines $'a|b\n1|"2"\n' '[["a","b"],["1","\"2\""]]' --to jsonl
exit $status
