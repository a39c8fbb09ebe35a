" Run by vim_filters.sh in Vim and in Neovim, headless, in a directory
" holding stock.md, stock.org and filters.txt: the recipe's formatprg under
" gq, and each of the README's filter commands on its selection. Every result
" is written for the script to judge; an error is written to error.txt.
set nomore hidden

function! s:Fresh(name) abort
  silent! %bwipeout!
  execute 'edit' a:name
endfunction

function! s:Run() abort
  filetype on
  execute 'source' fnameescape($ZENTAB_RECIPE)
  " gq over one table, then over whole documents, ragged table and all.
  call s:Fresh('stock.md')
  call cursor(search('^| Mood'), 1)
  normal! gqip
  write! gq-table.out
  for name in ['stock.md', 'stock.org']
    call s:Fresh(name)
    normal! gggqG
    execute 'write!' name . '.gq.out'
  endfor
  " Each line of filters.txt is FIRST LAST COMMAND, the command typed with
  " lines FIRST to LAST selected.
  let number = 0
  for line in readfile('filters.txt')
    let [first, last, command] = matchlist(line, '\v^(\d+) (\d+) :(.*)$')[1:3]
    call s:Fresh('stock.md')
    call setpos("'<", [0, str2nr(first), 1, 0])
    call setpos("'>", [0, str2nr(last), 1, 0])
    execute command
    let number += 1
    execute 'write!' 'filter-' . number . '.out'
  endfor
endfunction

try
  call s:Run()
catch
  call writefile([v:exception . ' at ' . v:throwpoint], 'error.txt')
  cquit
endtry
qall!
