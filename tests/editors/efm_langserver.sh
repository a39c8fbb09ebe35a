#!/usr/bin/env bash
# The efm-langserver recipe: Neovim formats a Markdown and an Org document
# through efm-langserver with the recipe's configuration, which runs
# zentab fmt; the buffers then hold zentab fmt's text.
# Usage: efm_langserver.sh ZENTAB
set -euo pipefail
source "$(dirname "$0")/editor_session.sh"
need nvim efm-langserver
# Without the ragged table: efm-langserver keeps the buffer as it was when
# the formatter exits with 1, as zentab fmt does for a table it leaves.
sed '/^| id | name | note |$/,/^$/d' "$here/documents/stock.md" >stock.md
cp "$here/documents/stock.org" .
# A session for each document: efm-langserver 0.0.44 now and then formats
# nothing in a second document opened while it takes in the first one's
# change, whichever the documents are.
for name in stock.md stock.org; do
  step "$name formatted through efm-langserver"
  ZENTAB_RECIPE=$recipes/efm-langserver.yaml ZENTAB_DOCUMENTS=$name \
    nvim --headless -u NONE -i NONE -c "luafile $here/efm_langserver.lua" </dev/null >nvim.log 2>&1 ||
    fail "nvim stopped: $(cat error.txt 2>/dev/null) $(cat nvim.log)"
  fmt_of "$name" >"expected-$name"
  cmp -s "$name" "expected-$name" && fail "$name is aligned already, so the test shows nothing"
  same_text "expected-$name" "$name.out" "efm-langserver's formatting of $name is not zentab fmt's"
done
echo "== all steps passed"
