-- Run by efm_langserver.sh in a directory holding the documents named in
-- ZENTAB_DOCUMENTS: Neovim formats each through efm-langserver started with
-- the recipe's configuration, and writes the buffer to NAME.out; an error is
-- written to error.txt.
local function run()
  vim.cmd('filetype on')
  local client_id = vim.lsp.start_client({
    name = 'efm',
    cmd = { 'efm-langserver', '-c', os.getenv('ZENTAB_RECIPE') },
    root_dir = vim.fn.getcwd(),
    init_options = { documentFormatting = true },
  })
  assert(client_id, 'efm-langserver did not start')
  for name in os.getenv('ZENTAB_DOCUMENTS'):gmatch('%S+') do
    vim.cmd('edit ' .. name)
    local buffer = vim.api.nvim_get_current_buf()
    vim.lsp.buf_attach_client(buffer, client_id)
    assert(vim.wait(20000, function()
      local client = vim.lsp.get_client_by_id(client_id)
      return client ~= nil and client.initialized
    end), 'efm-langserver did not answer initialize')
    vim.lsp.buf.formatting_sync(nil, 20000)
    vim.fn.writefile(vim.api.nvim_buf_get_lines(buffer, 0, -1, true), name .. '.out')
  end
end

local ok, err = pcall(run)
if not ok then
  vim.fn.writefile({ tostring(err) }, 'error.txt')
  vim.cmd('cquit')
end
vim.cmd('qall!')
