# Sourced by the editor tests after set -euo pipefail, with the zentab binary
# as $1: a scratch directory to work in, zentab first on PATH (the recipes
# call it by name), and failing with a message.

zentab=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
recipes=$source_dir/examples/editors
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
ln -s "$zentab" "$work/bin/zentab"
export PATH="$work/bin:$PATH"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# Editors keep state under the home directory; they get an empty one.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_STATE_HOME=$work/home/.local/state XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$HOME"
cd "$work"

step() { echo "== $*"; }
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# A missing editor fails the test: CI installs every one of them
# (scripts/install-deps.sh), so a skip there would hide a broken recipe.
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 ||
      fail "$tool is not installed (scripts/install-deps.sh installs it)"
  done
}

# same_text EXPECTED ACTUAL WHAT: the two files are equal, or the diff is shown.
same_text() {
  diff -u "$1" "$2" >&2 || fail "$3"
}

# fmt_of FILE [OPTION]...: what zentab fmt makes of the file, of the kind its
# name gives; a refused table (exit status 1) is left as it is there too.
fmt_of() {
  local file=$1 status=0
  shift
  "$zentab" fmt "$@" --in "$(kind_of "$file")" <"$file" || status=$?
  [ "$status" -le 1 ] || fail "zentab fmt exited with $status on $file"
}

# The kind of a document or of a result written beside it (stock.md.format.out).
kind_of() {
  case $1 in
  *.md | *.md.*) echo markdown ;;
  *.org | *.org.*) echo org ;;
  *.rst | *.rst.*) echo rst ;;
  *) echo text ;;
  esac
}

# line_of PATTERN FILE: the number of the first line matching.
line_of() {
  grep -n -m1 -e "$1" "$2" | cut -d: -f1
}

# splice FILE FIRST LAST COMMAND...: FILE with lines FIRST to LAST replaced
# by what COMMAND makes of them (exit status 1, a table left as it is, too).
splice() {
  local file=$1 first=$2 last=$3
  shift 3
  sed -n "1,$((first - 1))p" "$file"
  sed -n "${first},${last}p" "$file" | "$@" || [ $? -eq 1 ]
  sed -n "$((last + 1)),\$p" "$file"
}
