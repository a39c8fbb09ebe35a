#!/usr/bin/env bash
# Captures a database shell's own output in each border mode, wrapped, with
# the old ASCII line style and expanded, as fixtures for the frame reader's
# cases and the records layout's.
# Starts a throwaway server in a temporary directory, listening on a socket
# there only, and stops it on exit. Run it by hand; CI only reads the files.
# Usage: capture-psql-fixtures.sh [BINDIR]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(zentab_root)
bin=${1:-/usr/lib/postgresql/15/bin}
out="$root/tests/text/formats/fixtures"
dir=$(mktemp -d)
# The server will not run as root: run it, and the shell, as its own user.
as_owner=()
if [ "$(id -u)" = 0 ]; then
  chown postgres "$dir"
  as_owner=(runuser -u postgres --)
fi
stop() {
  "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap stop EXIT
"${as_owner[@]}" "$bin/initdb" -D "$dir/data" -A trust -U zentab >/dev/null
"${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -w -l "$dir/log" \
  -o "-k $dir -c listen_addresses=''" start >/dev/null

query="select 1 as id, 'pear' as name, E'ripe\nsoon' as note
  union all select 2, 'fig', 'dry' union all select 10, null, ''"
long="select 1 as id, 'a long note that wraps over several lines' as note
  union all select 2, 'short'"

shell() {
  "${as_owner[@]}" psql -X -q -h "$dir" -U zentab -d postgres "$@"
}
for border in 0 1 2; do
  shell -P border=$border -c "$query" >"$out/psql_captured_border$border.txt"
done
shell -P format=wrapped -P columns=24 -c "$long" >"$out/psql_captured_wrapped.txt"
shell -P border=2 -P format=wrapped -P columns=24 -c "$long" >"$out/psql_captured_wrapped_border2.txt"
shell -P linestyle=old-ascii -c "$query" >"$out/psql_captured_old_ascii.txt"
# Expanded mode: a block of name | value lines a row, for the records layout.
shell -x -c "$query" >"$out/psql_captured_expanded.txt"
echo "captured into $out"
