#!/usr/bin/env bash
# The Vim recipes, in Vim and in Neovim, headless: gq through the recipe's
# formatprg lines up one table or a whole Markdown or Org document as
# zentab fmt does, and every :'<,'>!zentab command the README shows does
# to the selected lines what the same command does in the shell. The
# vim-lsp recipe registers the server with the plugin.
# Usage: vim_filters.sh ZENTAB
set -euo pipefail
source "$(dirname "$0")/editor_session.sh"
need vim nvim
cp "$here/documents/stock.md" "$here/documents/stock.org" .

step "the README's filter commands"
mapfile -t commands < <(grep -o "\`:'<,'>!zentab[^\`]*\`" "$source_dir/README.md" | tr -d '\`' | sort -u)
[ "${#commands[@]}" -ge 2 ] || fail "the README shows ${#commands[@]} filter commands"
table_first=$(line_of '^| 品名' stock.md)
table_last=$((table_first + 3))
tsv_first=$(line_of $'^棚\t' stock.md)
tsv_last=$((tsv_first + 2))
: >filters.txt
for command in "${commands[@]}"; do
  echo "  $command"
  case $command in
  *"!zentab fmt"*) echo "$table_first $table_last $command" >>filters.txt ;;
  *) echo "$tsv_first $tsv_last $command" >>filters.txt ;;
  esac
done

mood_first=$(line_of '^| Mood' stock.md)
mood_last=$((mood_first + 5))
splice stock.md "$mood_first" "$mood_last" "$zentab" fmt >expected-gq-table.md
fmt_of stock.md >expected-stock.md
fmt_of stock.org >expected-stock.org

for editor in vim nvim; do
  step "$editor: gq and the filters"
  mkdir "$editor"
  cp stock.md stock.org filters.txt "$editor/"
  case $editor in
  vim) run=(vim -N -u NONE -i NONE -Es -S "$here/vim_filters.vim") ;;
  nvim) run=(nvim --headless -u NONE -i NONE -S "$here/vim_filters.vim") ;;
  esac
  (cd "$editor" && ZENTAB_RECIPE=$recipes/zentab.vim "${run[@]}" </dev/null >/dev/null 2>&1) ||
    fail "$editor stopped: $(cat "$editor/error.txt" 2>/dev/null)"
  same_text expected-gq-table.md "$editor/gq-table.out" "$editor: gqip is not zentab fmt of the table"
  same_text expected-stock.md "$editor/stock.md.gq.out" "$editor: gggqG is not zentab fmt of stock.md"
  same_text expected-stock.org "$editor/stock.org.gq.out" "$editor: gggqG is not zentab fmt of stock.org"
  number=0
  while read -r first last command; do
    number=$((number + 1))
    read -ra words <<<"${command#*!}"
    splice stock.md "$first" "$last" "${words[@]}" >"expected-filter-$number.md"
    same_text "expected-filter-$number.md" "$editor/filter-$number.out" \
      "$editor: $command is not what ${command#*!} makes of the lines"
  done <filters.txt
done

step "vim: the vim-lsp recipe registers zentab lsp"
# The plugin is not packaged; a stand-in for its one call records what the
# recipe asks of it.
mkdir -p rtp/autoload
cat >rtp/autoload/lsp.vim <<'VIM'
function! lsp#register_server(info) abort
  call writefile([a:info.name, string(a:info.cmd({})), string(a:info.allowlist)], 'vim-lsp.out')
endfunction
VIM
vim -N -u NONE -i NONE -Es --cmd "set runtimepath^=$work/rtp" -c "source $recipes/vim-lsp.vim" \
  -c 'doautocmd User lsp_setup' -c 'qall!' </dev/null >/dev/null 2>&1 || fail "vim stopped on vim-lsp.vim"
printf '%s\n' zentab "['zentab', 'lsp']" "['markdown', 'org', 'rst']" >expected-vim-lsp.out
same_text expected-vim-lsp.out vim-lsp.out "the vim-lsp recipe does not register zentab lsp"
echo "== all steps passed"
