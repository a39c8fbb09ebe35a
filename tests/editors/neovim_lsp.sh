#!/usr/bin/env bash
# zentab lsp in Neovim, headless, through its own LSP client and the
# recipe's configuration, in each position encoding: formatting a Markdown
# buffer of Japanese and emoji tables, and an rst one, gives zentab fmt's
# text; formatting a range lines up that table only; code actions chosen by
# title convert tab-separated and CSV lines to Markdown tables and a table to
# CSV as the command does, and the quick fixes of a table out of line and
# of a short row align the table; rows of too many or too few cells are
# marked; the width model follows the configuration.
# Usage: neovim_lsp.sh ZENTAB
set -euo pipefail
source "$(dirname "$0")/editor_session.sh"
need nvim

for encoding in utf-16 utf-8 utf-32; do
  step "$encoding: Neovim's client and zentab lsp"
  mkdir "$encoding"
  cd "$encoding"
  cp "$here/documents/stock.md" "$here/documents/stock.rst" "$here/documents/wide.md" .
  cp stock.md actions.md
  ZENTAB_RECIPE=$recipes/zentab-lsp.lua ZENTAB_ENCODING=$encoding \
    nvim --headless -u NONE -i NONE -c "luafile $here/neovim_lsp.lua" </dev/null >nvim.log 2>&1 ||
    fail "$encoding: nvim stopped: $(cat error.txt 2>/dev/null) $(cat nvim.log)"

  step "$encoding: formatting the document"
  fmt_of stock.md >expected.md 2>/dev/null
  same_text expected.md stock.md.format.out "$encoding: formatting is not zentab fmt"
  fmt_of stock.rst >expected.rst
  cmp -s stock.rst expected.rst && fail "stock.rst is aligned already, so the test shows nothing"
  same_text expected.rst stock.rst.format.out "$encoding: formatting an rst buffer is not zentab fmt"

  step "$encoding: diagnostics before and after"
  ragged=$(line_of '^| 2 | notebook | A5 | spare |' stock.md)
  for table in '^| 品名' '^| Mood' '^| 棚 | 段'; do
    grep -qx "$(line_of "$table" stock.md) 3 zentab table not aligned" stock.md.diagnostics-before ||
      fail "$encoding: no 'table not aligned' on $table: $(cat stock.md.diagnostics-before)"
  done
  grep -qE "^$ragged 2 zentab .*4.*3" stock.md.diagnostics-before ||
    fail "$encoding: the long row $ragged has no warning naming its counts: $(cat stock.md.diagnostics-before)"
  short=$(line_of '^| A1 | 上 |$' stock.md)
  grep -qE "^$short 2 zentab .*2.*3" stock.md.diagnostics-before ||
    fail "$encoding: the short row $short has no warning naming its counts: $(cat stock.md.diagnostics-before)"
  [ "$(wc -l <stock.md.diagnostics-before)" = 5 ] ||
    fail "$encoding: diagnostics other than the five expected: $(cat stock.md.diagnostics-before)"
  grep -qE "^$ragged 2 zentab " stock.md.diagnostics-after && [ "$(wc -l <stock.md.diagnostics-after)" = 1 ] ||
    fail "$encoding: after formatting only the ragged row's warning should stay: $(cat stock.md.diagnostics-after)"

  step "$encoding: range formatting and code actions"
  mood=$(line_of '^| Mood' actions.md)
  splice actions.md "$mood" $((mood + 5)) "$zentab" fmt >expected-range.md
  same_text expected-range.md actions.md.range.out "$encoding: range formatting is not zentab fmt of the table"
  tsv=$(line_of $'^棚\t' actions.md)
  splice actions.md.range.out "$tsv" $((tsv + 2)) "$zentab" --to markdown >expected-markdown.md
  same_text expected-markdown.md actions.md.markdown.out \
    "$encoding: 'Convert to Markdown table' is not zentab --to markdown of the lines"
  csv=$(line_of '^品名,' actions.md.markdown.out)
  splice actions.md.markdown.out "$csv" $((csv + 2)) "$zentab" --from csv --to markdown >expected-from-csv.md
  same_text expected-from-csv.md actions.md.from-csv.out \
    "$encoding: 'Convert to Markdown table' is not zentab --from csv --to markdown of the CSV lines"
  splice actions.md.from-csv.out "$mood" $((mood + 5)) "$zentab" --from markdown --to csv >expected-csv.md
  same_text expected-csv.md actions.md.csv.out "$encoding: 'Convert to CSV' is not zentab --to csv of the table"
  fruit=$(line_of '^| 品名 |' actions.md)
  splice actions.md.csv.out "$fruit" $((fruit + 3)) "$zentab" fmt >expected-quickfix.md
  same_text expected-quickfix.md actions.md.quickfix.out "$encoding: the quick fix 'Align table' is not zentab fmt of the table"
  short=$(line_of '^| A1 | 上 |$' actions.md.quickfix.out)
  splice actions.md.quickfix.out $((short - 2)) $((short + 1)) "$zentab" fmt >expected-short.md
  same_text expected-short.md actions.md.short.out "$encoding: the short row's quick fix is not zentab fmt of its table"
  fmt_of actions.md.csv.out >expected-actions.md 2>/dev/null
  same_text expected-actions.md actions.md.format.out "$encoding: formatting after the actions is not zentab fmt"

  step "$encoding: the width model from the configuration"
  "$zentab" fmt -a wide <wide.md >expected-wide.md
  "$zentab" fmt -a narrow <wide.md >expected-narrow.md
  cmp -s expected-wide.md expected-narrow.md && fail "wide.md lines up alike in both width models"
  same_text expected-wide.md wide.md.wide.out "$encoding: ambiguous=wide is not zentab fmt -a wide"
  same_text expected-narrow.md wide.md.narrow.out "$encoding: ambiguous=narrow is not zentab fmt -a narrow"
  cd "$work"
done
echo "== all steps passed"
