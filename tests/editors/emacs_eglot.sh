#!/usr/bin/env bash
# zentab lsp in Emacs through eglot and the recipe, in batch: a Markdown
# buffer of Japanese and emoji tables and an Org buffer formatted with
# eglot-format-buffer hold zentab fmt's text, flymake marks the ragged row
# and the tables out of line (only the row once formatted), the code action
# picked by its title turns tab-separated lines, then CSV lines, into the
# Markdown tables zentab --to markdown makes, and eglot-format on a region
# lines up its table.
# Usage: emacs_eglot.sh ZENTAB
set -euo pipefail
source "$(dirname "$0")/editor_session.sh"
need emacs
cp "$here/documents/stock.md" "$here/documents/stock.org" .
cp stock.md actions.md
ZENTAB_RECIPE=$recipes/zentab-eglot.el emacs --batch -q -l "$here/emacs_eglot.el" \
  >emacs.log 2>&1 || fail "emacs stopped: $(tail -20 emacs.log)"

for name in stock.md stock.org; do
  step "eglot-format-buffer on $name"
  fmt_of "$name" >"expected-$name" 2>/dev/null
  same_text "expected-$name" "$name.format.out" "eglot's formatting of $name is not zentab fmt's"
done

step "flymake's diagnostics"
for table in '^| 品名' '^| Mood'; do
  grep -qx "$(line_of "$table" stock.md) eglot-note zentab: table not aligned" stock.md.diagnostics ||
    fail "no note 'table not aligned' on $table: $(cat stock.md.diagnostics)"
done
grep -qE "^$(line_of '^| 2 | notebook' stock.md) eglot-warning zentab: .*4.*3" stock.md.diagnostics ||
  fail "no warning on the ragged row: $(cat stock.md.diagnostics)"

[ "$(cat stock.md.diagnostics-after)" = "(eglot-warning)" ] ||
  fail "after formatting only the ragged row's warning should stay: $(cat stock.md.diagnostics-after)"

step "the code action 'Convert to Markdown table'"
tsv=$(line_of $'^棚\t' actions.md)
splice actions.md "$tsv" $((tsv + 2)) "$zentab" --to markdown >expected-markdown.md
same_text expected-markdown.md actions.md.markdown.out \
  "eglot's 'Convert to Markdown table' is not zentab --to markdown of the lines"

step "the code action 'Convert to Markdown table' on CSV lines"
csv=$(line_of '^品名,' actions.md.markdown.out)
splice actions.md.markdown.out "$csv" $((csv + 2)) "$zentab" --from csv --to markdown >expected-from-csv.md
same_text expected-from-csv.md actions.md.from-csv.out \
  "eglot's 'Convert to Markdown table' is not zentab --from csv --to markdown of the CSV lines"

step "eglot-format on the emoji table's lines"
mood=$(line_of '^| Mood' actions.md.from-csv.out)
splice actions.md.from-csv.out "$mood" $((mood + 5)) "$zentab" fmt >expected-range.md
same_text expected-range.md actions.md.range.out "eglot-format on a region is not zentab fmt of its table"
echo "== all steps passed"
