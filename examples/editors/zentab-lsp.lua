-- Neovim 0.7 and later: zentab lsp in every Markdown, Org and rst buffer.
-- :lua vim.lsp.buf.formatting_sync() (vim.lsp.buf.format() from 0.8) lines up
-- the tables, :lua vim.lsp.buf.range_code_action() converts the selection.
local zentab_client
vim.api.nvim_create_autocmd('FileType', {
  pattern = { 'markdown', 'org', 'rst' },
  callback = function(event)
    zentab_client = zentab_client or vim.lsp.start_client({
      name = 'zentab',
      cmd = { 'zentab', 'lsp' },
      root_dir = vim.fn.getcwd(),
      init_options = { ambiguous = 'narrow', frame = 1 },
    })
    vim.lsp.buf_attach_client(event.buf, zentab_client)
  end,
})
