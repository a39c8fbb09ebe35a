" Vim with the vim-lsp plugin: zentab lsp in every Markdown, Org and rst
" buffer; :LspDocumentFormat lines up the tables, :LspCodeAction converts.
autocmd User lsp_setup call lsp#register_server({
      \ 'name': 'zentab',
      \ 'cmd': {server_info -> ['zentab', 'lsp']},
      \ 'allowlist': ['markdown', 'org', 'rst'],
      \ })
