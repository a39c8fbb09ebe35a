-- Run by neovim_lsp.sh, in a directory holding stock.md, stock.rst,
-- actions.md and wide.md: Neovim 0.7's own client drives zentab lsp, started by the recipe,
-- in the position encoding ZENTAB_ENCODING. Each step writes the buffer to a
-- file for the script to judge against the zentab command; diagnostics are
-- written as "LINE SEVERITY SOURCE MESSAGE". An error goes to error.txt.
local encoding = os.getenv('ZENTAB_ENCODING')
local timeout = 20000

-- The recipe starts the client; the test only makes it offer the encoding.
local start_client = vim.lsp.start_client
vim.lsp.start_client = function(config)
  if encoding ~= 'utf-16' then
    config.capabilities = vim.tbl_deep_extend('force', vim.lsp.protocol.make_client_capabilities(),
      { general = { positionEncodings = { encoding } } })
    config.offset_encoding = encoding
  end
  return start_client(config)
end

local function wait_for(what, condition)
  assert(vim.wait(timeout, condition, 10), 'no ' .. what .. ' within ' .. timeout .. ' ms')
end

local function write_buffer(path)
  vim.fn.writefile(vim.api.nvim_buf_get_lines(0, 0, -1, true), path)
end

local function write_diagnostics(path)
  local lines = {}
  for _, d in ipairs(vim.diagnostic.get(0)) do
    table.insert(lines, string.format('%d %d %s %s', d.lnum + 1, d.severity, d.source or '-', d.message))
  end
  table.sort(lines)
  vim.fn.writefile(lines, path)
end

local function client()
  local clients = vim.lsp.buf_get_clients(0)
  local _, first = next(clients)
  return first
end

local function open(name)
  vim.cmd('edit ' .. name)
  wait_for('zentab client on ' .. name, function()
    local c = client()
    return c ~= nil and c.initialized
  end)
end

-- Waits for the edit a request's handler makes to the buffer.
local function changing(what, request)
  local tick = vim.b.changedtick
  request()
  wait_for('change by ' .. what, function() return vim.b.changedtick ~= tick end)
end

local function select_lines(first, last)
  vim.cmd(string.format('normal! %dGV%dG\27', first, last))
end

-- Lines FIRST to LAST selected with V, the code action titled TITLE is
-- chosen from the client's list (vim.ui.select is its extension point).
-- With a CONTEXT, the action is asked for at the cursor on line FIRST, with
-- that line's diagnostics, as for a quick fix.
local function code_action(first, last, title, context)
  select_lines(first, last)
  local offered = {}
  vim.ui.select = function(items, _, on_choice)
    for _, item in ipairs(items) do
      table.insert(offered, item[2].title)
      if item[2].title == title then
        return on_choice(item)
      end
    end
    error('no code action "' .. title .. '" among: ' .. table.concat(offered, ', '))
  end
  changing(title, function()
    if context then
      vim.api.nvim_win_set_cursor(0, { first, 0 })
      vim.lsp.buf.code_action(context)
    else
      vim.lsp.buf.range_code_action()
    end
  end)
end

local function line_of(pattern)
  return vim.fn.search(pattern, 'nw')
end

local function run()
  vim.cmd('filetype on')
  dofile(os.getenv('ZENTAB_RECIPE'))

  open('stock.md')
  local c = client()
  assert(c.name == 'zentab', 'the client is ' .. c.name)
  local negotiated = c.server_capabilities.positionEncoding
  assert(negotiated == encoding, 'offered ' .. encoding .. ', the server chose ' .. tostring(negotiated))
  wait_for('diagnostics', function() return #vim.diagnostic.get(0) > 0 end)
  write_diagnostics('stock.md.diagnostics-before')
  vim.lsp.buf.formatting_sync(nil, timeout)
  write_buffer('stock.md.format.out')
  wait_for('diagnostics after formatting', function()
    return #vim.diagnostic.get(0, { severity = vim.diagnostic.severity.INFO }) == 0
  end)
  write_diagnostics('stock.md.diagnostics-after')

  open('stock.rst')
  vim.lsp.buf.formatting_sync(nil, timeout)
  write_buffer('stock.rst.format.out')

  open('actions.md')
  local mood = line_of('^| Mood')
  select_lines(mood, mood + 5)
  changing('range formatting', function() vim.lsp.buf.range_formatting() end)
  write_buffer('actions.md.range.out')
  local tsv = line_of('^棚\t')
  code_action(tsv, tsv + 2, 'Convert to Markdown table')
  write_buffer('actions.md.markdown.out')
  local csv = line_of('^品名,')
  code_action(csv, csv + 2, 'Convert to Markdown table')
  write_buffer('actions.md.from-csv.out')
  code_action(mood + 2, mood + 3, 'Convert to CSV')
  write_buffer('actions.md.csv.out')
  local fruit = line_of('^| 品名 |')
  wait_for('a diagnostic on line ' .. fruit, function()
    return #vim.diagnostic.get(0, { lnum = fruit - 1 }) > 0
  end)
  code_action(fruit, fruit, 'Align table', { only = { 'quickfix' } })
  write_buffer('actions.md.quickfix.out')
  local short = line_of('^| A1 | 上 |$')
  code_action(short, short, 'Align table', { only = { 'quickfix' } })
  write_buffer('actions.md.short.out')
  vim.lsp.buf.formatting_sync(nil, timeout)
  write_buffer('actions.md.format.out')

  -- Settings: the width model changed by the client's configuration.
  open('wide.md')
  c = client()
  c.notify('workspace/didChangeConfiguration', { settings = { zentab = { ambiguous = 'wide' } } })
  vim.lsp.buf.formatting_sync(nil, timeout)
  write_buffer('wide.md.wide.out')
  c.notify('workspace/didChangeConfiguration', { settings = { ambiguous = 'narrow' } })
  vim.lsp.buf.formatting_sync(nil, timeout)
  write_buffer('wide.md.narrow.out')
end

local ok, err = pcall(run)
if not ok then
  vim.fn.writefile(vim.split(tostring(err), '\n'), 'error.txt')
  vim.cmd('cquit')
end
vim.cmd('qall!')
