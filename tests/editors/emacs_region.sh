#!/usr/bin/env bash
# The Emacs recipe without a language server, in batch: zentab-fmt-region
# over a whole Markdown and a whole Org buffer gives zentab fmt's text, with
# why a table was left in a buffer of its own, and
# C-u M-| zentab frames tab-separated lines as the command does.
# Usage: emacs_region.sh ZENTAB
set -euo pipefail
source "$(dirname "$0")/editor_session.sh"
need emacs
cp "$here/documents/stock.md" "$here/documents/stock.org" .
cp stock.md tsv.md
ZENTAB_RECIPE=$recipes/zentab-region.el emacs --batch -q -l "$here/emacs_region.el" \
  >emacs.log 2>&1 || fail "emacs stopped: $(cat emacs.log)"

step "zentab-fmt-region over whole buffers"
fmt_of stock.md >expected.md
fmt_of stock.org >expected.org
same_text expected.md stock.md.region.out "zentab-fmt-region is not zentab fmt in Markdown"
same_text expected.org stock.org.region.out "zentab-fmt-region is not zentab fmt in Org"
ragged=$(line_of '^| 2 | notebook | A5 | spare |' stock.md)
grep -q "^<stdin>:$ragged:[0-9]*: table left as it is" stock.md.errors.out ||
  fail "*zentab errors* does not say why the ragged table was left: $(cat stock.md.errors.out)"

step "C-u M-| zentab on the tab-separated lines"
first=$(line_of $'^棚\t' tsv.md)
splice tsv.md "$first" $((first + 2)) "$zentab" >expected-frame.md
same_text expected-frame.md tsv.md.frame.out "C-u M-| zentab did not frame the lines as zentab does"
echo "== all steps passed"
