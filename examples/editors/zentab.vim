" Vim and Neovim: gq lines up the tables it covers (gqip on a table). Why a
" table was left as it is goes to standard error, which Vim would put in the
" buffer; the language server shows it instead.
autocmd FileType markdown setlocal formatprg=zentab\ fmt\ 2>/dev/null
autocmd FileType org setlocal formatprg=zentab\ fmt\ --in\ org\ 2>/dev/null
autocmd FileType rst setlocal formatprg=zentab\ fmt\ --in\ rst\ 2>/dev/null
