#!/usr/bin/env bash
# A user lines up the tables of their documents with zentab fmt, step by step:
# a README with prose, code, a list holding a table and tables of Japanese,
# emoji and ASCII; an Org file; a box table in a C comment with one cell
# edited. GitHub's own Markdown library (cmark-gfm) and Emacs's org-mode judge
# the results; a step whose referee is missing is skipped.
# Usage: documents_scenario.sh ZENTAB
set -euo pipefail
zentab=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

step() { echo "== $*"; }
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
have() { command -v "$1" >/dev/null 2>&1; }

write_readme() {
  cat >README.md <<'EOF'
# Fruit stand

Prices change daily; see the tables.

```sh
| not | a table |
|-----|---------|
```

- Stock, by shelf:

  | 棚 | 品名 | 数 |
  |--|:--|--:|
  | A1 | りんご | 12 |
  | B2 | みかん（箱） | 3 |

| 名前 | 値段 | メモ |
|:-:|--:|---|
| 東京 | 1,200 | 売り切れ |
| 大阪 | 980 | — |

| Mood | Emoji |
|---|---|
| happy | 😀 |
| flag | 🇯🇵 |
| family | 👨‍👩‍👧 |

| id | name |
|-|-|
| 1 | pen |
| 22 | notebook \| A5 |
EOF
}

step "the user checks the README: its tables are out of line"
write_readme
cp README.md original.md
if "$zentab" fmt --check README.md 2>check.err; then
  fail "--check passed a README whose tables are out of line"
fi
[ "$(grep -c 'table not aligned' check.err)" = 4 ] || fail "--check named $(cat check.err)"

step "the user looks at the diff, then writes the change"
"$zentab" fmt --diff README.md >readme.diff || true
grep -qxF '+| 大阪 |   980 | —        |' readme.diff || fail "the diff does not show the Japanese table"
"$zentab" fmt --write README.md || fail "--write failed"

step "only the tables' blanks changed"
strip_blanks() { tr -d ' \n-' <"$1"; }
[ "$(strip_blanks README.md)" = "$(strip_blanks original.md)" ] ||
  fail "something other than blanks and rule fill changed"
grep -q '^  | A1  | りんご       |' README.md || fail "the list's table lost its indent: $(cat README.md)"

step "the README is now aligned, and formatting again changes nothing"
"$zentab" fmt --check README.md || fail "--check fails on the formatted README"
"$zentab" fmt <README.md | cmp -s - README.md || fail "a second format changed the README"

if have cmark-gfm; then
  step "GitHub's library renders the same HTML before and after"
  cmp -s <(cmark-gfm -e table original.md) <(cmark-gfm -e table README.md) ||
    fail "cmark-gfm renders the formatted README differently"
else
  echo "(cmark-gfm not installed: skipped)"
fi

step "the user lines up an Org file, and Emacs's org-table-align agrees"
cat >notes.org <<'EOF'
* Stock
| 品名 | 数 |
|-+-|
| りんご | 12 |
| みかん | 3 |
#+TBLFM: $2=$2
EOF
"$zentab" fmt --write notes.org || fail "fmt --write notes.org failed"
grep -q '^#+TBLFM: \$2=\$2$' notes.org || fail "the #+TBLFM line was not kept"
if have emacs; then
  cp notes.org aligned.org
  emacs --batch -Q aligned.org --eval '(progn (require (quote org))
    (goto-char (point-min))
    (while (re-search-forward "^[ \t]*|" nil t) (org-table-align) (goto-char (org-table-end)))
    (save-buffer))' 2>/dev/null
  cmp -s notes.org aligned.org || fail "org-table-align changed zentab's Org table"
else
  echo "(emacs not installed: skipped)"
fi

step "the user edits one cell of a box table in a C comment, and zentab redraws it"
cat >stock.c <<'EOF'
/*
 * ┌──────┬────┐
 * │Item  │ Qty│
 * ├──────┼────┤
 * │pen   │  10│
 * │notebook│   5│
 * └──────┴────┘
 */
int stock;
EOF
"$zentab" fmt --write stock.c || fail "fmt --write stock.c failed"
grep -qF ' * │Item    │ Qty│' stock.c || fail "the box table was not redrawn: $(cat stock.c)"
grep -qF ' * │notebook│   5│' stock.c || fail "the edited row lost its place: $(cat stock.c)"
tail -2 stock.c | head -1 | grep -qxF ' */' || fail "the comment's end changed"
"$zentab" fmt --check stock.c || fail "the redrawn box table is not aligned"

step "the user extracts the emoji table of the README as CSV"
"$zentab" --from markdown --table 3 --to csv README.md >emoji.csv
head -1 emoji.csv | grep -qx 'Mood,Emoji' || fail "--table 3 gave $(cat emoji.csv)"

echo "== all steps passed"
