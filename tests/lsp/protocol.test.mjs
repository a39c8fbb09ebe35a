// zentab lsp driven over standard input and output by the protocol library
// an editor's client is built on, and by hand for what no client would send.
// ZENTAB_BIN names the command.
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import { test } from 'node:test';

import protocol from 'vscode-languageserver-protocol/node.js';

const {
  createProtocolConnection,
  StreamMessageReader,
  StreamMessageWriter,
  InitializeRequest,
  InitializedNotification,
  DidOpenTextDocumentNotification,
  DidChangeTextDocumentNotification,
  DidCloseTextDocumentNotification,
  DidChangeConfigurationNotification,
  DocumentFormattingRequest,
  DocumentRangeFormattingRequest,
  CodeActionRequest,
  PublishDiagnosticsNotification,
  ShutdownRequest,
  ExitNotification,
  ResponseError,
} = protocol;

const zentab = process.env.ZENTAB_BIN;
assert.ok(zentab, 'ZENTAB_BIN names the command');

// --- the referee: the command itself ----------------------------------------

function run(args, input) {
  const done = spawnSync(zentab, args, { input, maxBuffer: 256 << 20 });
  return done.stdout.toString('utf8');
}
const fmt = (text, kind = 'markdown') => run(['fmt', '--in', kind], text);

// --- random documents ---------------------------------------------------------

function randomSource(seed) {
  let state = seed >>> 0;
  return (n) => {
    state = (state * 1103515245 + 12345) >>> 0;
    return (state >>> 8) % n;
  };
}

const CELLS = ['漢字', '😀', 'é', 'e\u0301', 'a', 'bcd', '👍🏽', '表計算', 'x y', '1.5', '🇯🇵', ''];

function randomTable(random) {
  const columns = 1 + random(4);
  const blanks = () => ' '.repeat(random(3));
  const row = () =>
    '|' + Array.from({ length: columns }, () => blanks() + CELLS[random(CELLS.length)] + blanks()).join('|') + '|';
  const delimiter = '|' + Array.from({ length: columns }, () => '-'.repeat(1 + random(4))).join('|') + '|';
  const lines = [row(), delimiter];
  for (let r = random(5); r > 0; r--) {
    lines.push(row());
  }
  return lines.join('\n');
}

function randomMarkdown(random) {
  const parts = ['# Notes 漢字'];
  for (let t = 1 + random(3); t > 0; t--) {
    parts.push('Some prose with 😀 and é.');
    parts.push(randomTable(random));
  }
  return parts.join('\n\n') + '\n';
}

// --- positions in both encodings ---------------------------------------------

function lineStarts(text) {
  const starts = [0];
  for (let i = 0; i < text.length; i++) {
    if (text[i] === '\n' || (text[i] === '\r' && text[i + 1] !== '\n')) {
      starts.push(i + 1);
    }
  }
  return starts;
}

// The string index (UTF-16 units) of a position counted in encoding.
function indexOf(text, starts, position, encoding) {
  if (position.line >= starts.length) {
    return text.length;
  }
  let at = starts[position.line];
  let counted = 0;
  while (at < text.length && text[at] !== '\n' && text[at] !== '\r' && counted < position.character) {
    const codePoint = text.codePointAt(at);
    const units = codePoint > 0xffff ? 2 : 1;
    counted +=
      encoding === 'utf-8' ? Buffer.byteLength(String.fromCodePoint(codePoint)) : encoding === 'utf-32' ? 1 : units;
    at += units;
  }
  return at;
}

function positionOf(text, index, encoding) {
  const starts = lineStarts(text);
  let line = 0;
  while (line + 1 < starts.length && starts[line + 1] <= index) {
    line++;
  }
  const before = text.slice(starts[line], index);
  const character =
    encoding === 'utf-8' ? Buffer.byteLength(before) : encoding === 'utf-32' ? [...before].length : before.length;
  return { line, character };
}

function applyEdits(text, edits, encoding) {
  const starts = lineStarts(text);
  const placed = edits.map((edit) => ({
    start: indexOf(text, starts, edit.range.start, encoding),
    end: indexOf(text, starts, edit.range.end, encoding),
    newText: edit.newText,
  }));
  placed.sort((a, b) => a.start - b.start);
  const pieces = [];
  let at = 0;
  for (const edit of placed) {
    assert.ok(edit.start >= at, 'edits do not overlap');
    pieces.push(text.slice(at, edit.start), edit.newText);
    at = edit.end;
  }
  pieces.push(text.slice(at));
  return pieces.join('');
}

// --- a client ---------------------------------------------------------------------

async function startClient({ encodings, initializationOptions } = {}) {
  const child = spawn(zentab, ['lsp', '--stdio'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const connection = createProtocolConnection(
    new StreamMessageReader(child.stdout),
    new StreamMessageWriter(child.stdin),
  );
  const diagnostics = new Map();
  const waiters = [];
  connection.onNotification(PublishDiagnosticsNotification.type, (params) => {
    diagnostics.set(params.uri, params.diagnostics);
    for (const waiter of waiters.splice(0)) {
      waiter();
    }
  });
  connection.listen();
  const exited = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  const capabilities = encodings ? { general: { positionEncodings: encodings } } : {};
  const initialized = await connection.sendRequest(InitializeRequest.type, {
    processId: process.pid,
    rootUri: null,
    capabilities,
    initializationOptions,
  });
  await connection.sendNotification(InitializedNotification.type, {});
  const client = {
    connection,
    initialized,
    encoding: initialized.capabilities.positionEncoding,
    exited,
    // The diagnostics published after the next change.
    nextDiagnostics(uri) {
      return new Promise((resolve) => waiters.push(() => resolve(diagnostics.get(uri))));
    },
    async open(uri, text, languageId = 'markdown') {
      const published = client.nextDiagnostics(uri);
      await connection.sendNotification(DidOpenTextDocumentNotification.type, {
        textDocument: { uri, languageId, version: 1, text },
      });
      return published;
    },
    async change(uri, version, contentChanges) {
      const published = client.nextDiagnostics(uri);
      await connection.sendNotification(DidChangeTextDocumentNotification.type, {
        textDocument: { uri, version },
        contentChanges,
      });
      return published;
    },
    format(uri) {
      return connection.sendRequest(DocumentFormattingRequest.type, {
        textDocument: { uri },
        options: { tabSize: 4, insertSpaces: true },
      });
    },
    formatRange(uri, range) {
      return connection.sendRequest(DocumentRangeFormattingRequest.type, {
        textDocument: { uri },
        range,
        options: { tabSize: 4, insertSpaces: true },
      });
    },
    codeActions(uri, range, context = { diagnostics: [] }) {
      return connection.sendRequest(CodeActionRequest.type, { textDocument: { uri }, range, context });
    },
    async stop() {
      await connection.sendRequest(ShutdownRequest.type);
      await connection.sendNotification(ExitNotification.type);
      const code = await exited;
      connection.dispose();
      return code;
    },
  };
  return client;
}

const lineRange = (first, last) => ({ start: { line: first, character: 0 }, end: { line: last + 1, character: 0 } });

// --- initialize ---------------------------------------------------------------------

test('initialize gives the capabilities and negotiates the position encoding', async () => {
  const version = run(['--version'], '').trim().split(' ')[1];
  const cases = [
    [undefined, 'utf-16'],
    [['utf-16'], 'utf-16'],
    [['utf-8', 'utf-16'], 'utf-8'],
    [['utf-16', 'utf-8'], 'utf-8'],
    [['utf-32', 'utf-16'], 'utf-32'],
    [['utf-32', 'utf-8'], 'utf-8'],
  ];
  for (const [offered, chosen] of cases) {
    const client = await startClient({ encodings: offered });
    assert.deepEqual(client.initialized, {
      capabilities: {
        positionEncoding: chosen,
        textDocumentSync: { openClose: true, change: 2 },
        documentFormattingProvider: true,
        documentRangeFormattingProvider: true,
        codeActionProvider: { codeActionKinds: ['quickfix', 'refactor.rewrite'] },
      },
      serverInfo: { name: 'zentab', version },
    });
    assert.equal(await client.stop(), 0);
  }
});

// --- formatting ---------------------------------------------------------------------

test('formatting gives what zentab fmt gives, as the fewest edits a line, in each encoding', async () => {
  for (const encodings of [undefined, ['utf-8'], ['utf-32']]) {
    const client = await startClient({ encodings });
    for (let seed = 1; seed <= 40; seed++) {
      const text = randomMarkdown(randomSource(seed));
      const uri = `file:///random/${seed}.md`;
      await client.open(uri, text);
      const edits = await client.format(uri);
      const expected = fmt(text);
      assert.equal(applyEdits(text, edits, client.encoding), expected, `seed ${seed} in ${client.encoding}`);
      const before = text.split('\n');
      const after = expected.split('\n');
      const changedLines = before.filter((line, i) => line !== after[i]).length;
      assert.equal(edits.length, changedLines, `seed ${seed}: one edit for each changed line`);
      for (const edit of edits) {
        assert.equal(edit.range.start.line, edit.range.end.line);
      }
      assert.deepEqual(await client.format(uri).then((again) => again.length), changedLines);
    }
    assert.equal(await client.stop(), 0);
  }
});

test('a document is read as its language or its name says', async () => {
  const client = await startClient();
  const org = '* Heading\n| a | 漢字 |\n|-+-|\n| 😀 | b |\n';
  const rst = 'Title\n=====\n\n+-+-+\n|a|漢字|\n+-+-+\n';
  const frame = '// ┌─┬─┐\n// │a│漢字│\n// └─┴─┘\n';
  const cases = [
    ['file:///x.org', 'plaintext', org, 'org'],
    ['file:///x.txt', 'org', org, 'org'],
    ['file:///x.rst', 'plaintext', rst, 'rst'],
    ['file:///y.txt', 'restructuredtext', rst, 'rst'],
    ['file:///x.mkd', 'plaintext', '|a|漢字|\n|-|-|\n', 'markdown'],
    ['file:///main.c', 'c', frame, 'text'],
  ];
  for (const [uri, languageId, text, kind] of cases) {
    await client.open(uri, text, languageId);
    const edits = await client.format(uri);
    assert.equal(applyEdits(text, edits, client.encoding), fmt(text, kind), `${uri} as ${languageId}`);
  }
  assert.equal(await client.stop(), 0);
});

test('settings from initialization and from a change of configuration', async () => {
  const text = '|a  |═  |\n|---|---|\n|b  |c  |\n';
  const client = await startClient({ initializationOptions: { zentab: { ambiguous: 'wide', padding: 2 } } });
  const published = await client.open('file:///s.md', text);
  const wide = run(['fmt', '--in', 'markdown', '-a', 'wide', '--padding', '2'], text);
  assert.notEqual(wide, text);
  assert.deepEqual(published.map((mark) => mark.message), ['table not aligned']);
  assert.equal(applyEdits(text, await client.format('file:///s.md'), client.encoding), wide);
  // New settings mark the open documents again.
  const republished = client.nextDiagnostics('file:///s.md');
  await client.connection.sendNotification(DidChangeConfigurationNotification.type, {
    settings: { ambiguous: 'narrow', padding: 0 },
  });
  const narrow = run(['fmt', '--in', 'markdown', '--padding', '0'], text);
  assert.equal(narrow, text);
  assert.deepEqual(await republished, []);
  assert.deepEqual(await client.format('file:///s.md'), []);
  assert.equal(await client.stop(), 0);
});

test('range formatting aligns the tables the range meets, and draws psv rows as a table', async () => {
  const client = await startClient();
  const text = '|a|b|\n|-|-|\n|1|2|\n\ntext\n\n|c|漢字|\n|-|-|\n|3|4|\n';
  await client.open('file:///r.md', text);
  const second = applyEdits(text, await client.formatRange('file:///r.md', lineRange(7, 7)), client.encoding);
  assert.equal(second.split('\n').slice(0, 6).join('\n'), text.split('\n').slice(0, 6).join('\n'));
  assert.equal(second, text.split('\n').slice(0, 6).join('\n') + '\n' + fmt('|c|漢字|\n|-|-|\n|3|4|\n'));

  const psv = 'Before\n名前|数\nりんご|12\nAfter\n';
  const cases = [
    ['file:///p.md', 'markdown', run(['--to', 'markdown'], '名前|数\nりんご|12\n')],
    ['file:///p.org', 'org', run(['--to', 'org'], '名前|数\nりんご|12\n')],
    ['file:///p.rst', 'rst', run(['--to', 'rst'], '名前|数\nりんご|12\n')],
    ['file:///p.txt', 'plaintext', run(['-f', '2'], '名前|数\nりんご|12\n')],
  ];
  await client.connection.sendNotification(DidChangeConfigurationNotification.type, { settings: { frame: 2 } });
  for (const [uri, languageId, table] of cases) {
    await client.open(uri, psv, languageId);
    const edits = await client.formatRange(uri, lineRange(1, 2));
    assert.equal(applyEdits(psv, edits, client.encoding), 'Before\n' + table + 'After\n', uri);
  }
  await client.open('file:///tsv.md', 'a\tb\n1\t2\n');
  const tsv = await client.formatRange('file:///tsv.md', lineRange(0, 1));
  assert.equal(applyEdits('a\tb\n1\t2\n', tsv, client.encoding), run(['--to', 'markdown'], 'a\tb\n1\t2\n'));
  await client.open('file:///prose.md', 'just words\n');
  assert.deepEqual(await client.formatRange('file:///prose.md', lineRange(0, 0)), []);
  assert.equal(await client.stop(), 0);
});

// --- code actions -------------------------------------------------------------------

const TABLE_TITLES = [
  'Align table',
  'Convert to Markdown table',
  'Convert to Org table',
  'Convert to rst grid table',
  'Convert to CSV',
  ...[1, 2, 3, 4, 5, 6].map((type) => `Convert to frame type ${type}`),
  'Use the wide width model for this table',
  'Use the narrow width model for this table',
];

function applyAction(text, uri, action, encoding) {
  assert.equal(action.command, undefined, `${action.title} has no command`);
  assert.deepEqual(Object.keys(action.edit.changes), [uri]);
  return applyEdits(text, action.edit.changes[uri], encoding);
}

test('code actions on a table align, convert and switch the width model', async () => {
  for (const encodings of [undefined, ['utf-8']]) {
    const client = await startClient({ encodings });
    const uri = 'file:///c.md';
    const table = '|名前|😀|\n|-|-|\n|é|12|\n';
    const text = 'Intro\n\n' + table + '\nEnd\n';
    const published = await client.open(uri, text);
    const actions = await client.codeActions(uri, lineRange(3, 3), { diagnostics: published });
    const rewrites = actions.filter((action) => action.kind === 'refactor.rewrite');
    assert.deepEqual(rewrites.map((action) => action.title), TABLE_TITLES);
    const fixes = actions.filter((action) => action.kind === 'quickfix');
    assert.deepEqual(fixes.map((action) => action.title), ['Align table']);
    assert.deepEqual(fixes[0].diagnostics, published);

    const byTitle = Object.fromEntries(rewrites.map((action) => [action.title, action]));
    const apply = (title) => applyAction(text, uri, byTitle[title], client.encoding);
    assert.equal(apply('Align table'), fmt(text));
    assert.equal(apply('Convert to CSV'), 'Intro\n\n' + run(['--from', 'markdown', '--to', 'csv'], table) + '\nEnd\n');
    assert.equal(apply('Convert to Org table'), 'Intro\n\n' + run(['--from', 'markdown', '--to', 'org'], table) + '\nEnd\n');
    assert.equal(
      apply('Convert to frame type 3'),
      'Intro\n\n' + run(['--from', 'markdown', '-f', '3'], table) + '\nEnd\n',
    );
    const wide = apply('Use the wide width model for this table');
    assert.equal(
      wide,
      'Intro\n\n<!-- zentab: wide -->\n' + run(['fmt', '-a', 'wide'], table) + '<!-- zentab: narrow -->\n\nEnd\n',
    );
    assert.equal(fmt(wide), wide, 'the document keeps its table in the wide model');

    const onlyFixes = await client.codeActions(uri, lineRange(2, 2), { diagnostics: published, only: ['quickfix'] });
    assert.deepEqual(onlyFixes.map((action) => action.kind), ['quickfix']);
    assert.deepEqual(await client.codeActions(uri, lineRange(0, 0)), []);
    assert.equal(await client.stop(), 0);
  }
});

test('code actions on Org, rst and framed tables keep their prefix and read tables out of line', async () => {
  const client = await startClient();
  const cases = [
    ['file:///a.org', 'org', '* H\n  | a | 漢字 |\n  |---+---|\n  | 1 | 22 |\n', 2, '  ', '* H\n'],
    ['file:///r.rst', 'rst', 'T\n=\n\n+---+---+\n| a | 漢字 |\n+===+===+\n| 1 | 22 |\n+---+---+\n', 4, '', 'T\n=\n\n'],
    ['file:///m.c', 'c', 'int x;\n// +---+---+\n// | a | 漢字 |\n// +---+---+\n// | 1 | 22 |\n// +---+---+\n', 2, '// ', 'int x;\n'],
  ];
  for (const [uri, languageId, text, line, prefix, before] of cases) {
    await client.open(uri, text, languageId);
    const actions = await client.codeActions(uri, lineRange(line, line));
    const byTitle = Object.fromEntries(actions.map((action) => [action.title, action]));
    assert.deepEqual(Object.keys(byTitle), TABLE_TITLES, uri);
    const csv = applyAction(text, uri, byTitle['Convert to CSV'], client.encoding);
    assert.equal(csv, before + `${prefix}a,漢字\n${prefix}1,22\n`, uri);
    const markdown = applyAction(text, uri, byTitle['Convert to Markdown table'], client.encoding);
    const drawn = run(['--from', 'csv', '--to', 'markdown'], 'a,漢字\n1,22\n');
    assert.equal(markdown, before + drawn.replace(/^(?=.)/gm, prefix), uri);
    const wide = applyAction(text, uri, byTitle['Use the wide width model for this table'], client.encoding);
    const kind = { org: 'org', rst: 'rst', c: 'text' }[languageId];
    assert.equal(fmt(wide, kind), wide, `${uri}: the table stays lined up in the wide model`);
    assert.ok(wide.includes('zentab: wide') && wide.includes('zentab: narrow'), wide);
  }
  assert.equal(await client.stop(), 0);
});

test('code actions turn selected CSV and psv rows into a table of any format', async () => {
  const client = await startClient();
  // Blanks around psv cells, as people type them, are no part of the cells.
  const cases = [
    ['名前,数\n"りんご, 赤",12\n', 'csv', '名前,数\n"りんご, 赤",12\n'],
    ['名前 | 数\n| りんご | 12 |\n', 'psv', '名前|数\nりんご|12\n'],
    ['名前\t数\nりんご\t 12\n', 'tsv', '名前\t数\nりんご\t12\n'],
  ];
  for (const [rows, from, referee] of cases) {
    const uri = `file:///${from}.md`;
    const text = 'Before\n' + rows + 'After\n';
    await client.open(uri, text);
    const actions = await client.codeActions(uri, lineRange(1, 2));
    const titles = actions.map((action) => action.title);
    assert.ok(titles.includes('Convert to Markdown table'), titles.join(', '));
    assert.ok(!titles.includes('Align table'));
    const markdown = actions.find((action) => action.title === 'Convert to Markdown table');
    assert.equal(
      applyAction(text, uri, markdown, client.encoding),
      'Before\n' + run(['--from', from, '--to', 'markdown'], referee) + 'After\n',
    );
  }
  assert.equal(await client.stop(), 0);
});

// --- diagnostics and incremental changes ------------------------------------------

test('diagnostics mark a table out of line and rows of too many or too few cells', async () => {
  const client = await startClient();
  const uri = 'file:///d.md';
  const text = 'x\n|a|b|\n|-|-|\n|1|2|\n\n| abc | def |\n| --- | --- |\n| 1   | 2   | 3 |\n\n|p|q|\n|-|-|\n|1|\n';
  const published = await client.open(uri, text);
  const mark = (line, end, severity, message) => ({
    range: { start: { line, character: 0 }, end: { line, character: end } },
    severity,
    source: 'zentab',
    message,
  });
  assert.deepEqual(published, [
    mark(1, 5, 3, 'table not aligned'),
    mark(7, 17, 2, 'this row has 3 cells where the header has 2'),
    mark(9, 5, 3, 'table not aligned'),
    mark(11, 3, 2, 'this row has 1 cell where the header has 2'),
  ]);
  // Aligning fills a short row; a row of too many cells has no fix.
  const fixes = await client.codeActions(uri, lineRange(11, 11), { diagnostics: published, only: ['quickfix'] });
  assert.deepEqual(fixes.map((fix) => [fix.title, fix.diagnostics]), [['Align table', published.slice(2)]]);
  assert.deepEqual(await client.codeActions(uri, lineRange(7, 7), { diagnostics: published, only: ['quickfix'] }), []);
  // A table left as it is is not lined up in another width model either.
  const rewrites = await client.codeActions(uri, lineRange(7, 7), { only: ['refactor.rewrite'] });
  assert.ok(!rewrites.some((action) => action.title.startsWith('Use the ')));

  const fixed = await client.change(uri, 2, [
    { range: lineRange(1, 3), text: fmt('|a|b|\n|-|-|\n|1|2|\n') },
    { range: { start: { line: 7, character: 13 }, end: { line: 7, character: 17 } }, text: '' },
    { range: lineRange(9, 11), text: fmt('|p|q|\n|-|-|\n|1|\n') },
  ]);
  assert.deepEqual(fixed, []);
  await client.connection.sendNotification(DidCloseTextDocumentNotification.type, { textDocument: { uri } });
  assert.equal(await client.stop(), 0);
});

test('random incremental changes keep the server in step with the editor', async () => {
  for (const encodings of [undefined, ['utf-8'], ['utf-32']]) {
    const client = await startClient({ encodings });
    const random = randomSource(99);
    const uri = 'file:///inc.md';
    let text = randomMarkdown(random);
    await client.open(uri, text);
    const pieces = ['漢', '😀', 'é', '|', '\n', '\r\n', 'a', '-', ' ', 'e\u0301'];
    for (let version = 2; version < 80; version++) {
      // Whole code points, never between a surrogate pair's halves or CR LF's.
      const points = [...text];
      const cut = (i) => points.slice(0, i).join('').length;
      let from = random(points.length + 1);
      let to = from + random(Math.min(8, points.length - from) + 1);
      const insideCrLf = (i) => points[i - 1] === '\r' && points[i] === '\n';
      if (insideCrLf(from)) from--;
      if (insideCrLf(to)) to++;
      const inserted = Array.from({ length: random(4) }, () => pieces[random(pieces.length)]).join('');
      const range = { start: positionOf(text, cut(from), client.encoding), end: positionOf(text, cut(to), client.encoding) };
      text = text.slice(0, cut(from)) + inserted + text.slice(cut(to));
      await client.change(uri, version, [{ range, text: inserted }]);
    }
    const edits = await client.format(uri);
    assert.equal(applyEdits(text, edits, client.encoding), fmt(text), client.encoding);
    // A full change, without a range, replaces the text.
    await client.change(uri, 100, [{ text: '|x|y|\n|-|-|\n' }]);
    assert.equal(applyEdits('|x|y|\n|-|-|\n', await client.format(uri), client.encoding), fmt('|x|y|\n|-|-|\n'));
    assert.equal(await client.stop(), 0);
  }
});

test('a document of 10 MiB is held and formatted', async () => {
  const client = await startClient();
  const random = randomSource(7);
  const parts = [];
  let size = 0;
  while (size < 10 << 20) {
    const part = randomMarkdown(random);
    parts.push(part);
    size += Buffer.byteLength(part);
  }
  const text = parts.join('\n');
  const uri = 'file:///big.md';
  await client.open(uri, text);
  const edits = await client.format(uri);
  assert.equal(applyEdits(text, edits, client.encoding), fmt(text));
  assert.equal(await client.stop(), 0);
});

// --- by hand: what no client sends ------------------------------------------------

const frame = (body) => {
  const bytes = Buffer.from(typeof body === 'string' ? body : JSON.stringify(body));
  return Buffer.concat([Buffer.from(`Content-Length: ${bytes.length}\r\n\r\n`), bytes]);
};

// Writes input at once, closes it, and reads every message back.
function rawSession(input) {
  return new Promise((resolve) => {
    const child = spawn(zentab, ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
    const chunks = [];
    child.stdout.on('data', (chunk) => chunks.push(chunk));
    child.on('close', (code) => {
      let out = Buffer.concat(chunks);
      const messages = [];
      while (out.length > 0) {
        const end = out.indexOf('\r\n\r\n');
        const length = Number(/Content-Length: (\d+)/.exec(out.subarray(0, end).toString())[1]);
        messages.push(JSON.parse(out.subarray(end + 4, end + 4 + length).toString()));
        out = out.subarray(end + 4 + length);
      }
      resolve({ code, messages });
    });
    child.stdin.end(Buffer.concat(input));
  });
}

const initialize = (id = 1) => frame({ jsonrpc: '2.0', id, method: 'initialize', params: { capabilities: {} } });
const shutdown = (id) => frame({ jsonrpc: '2.0', id, method: 'shutdown' });
const exit = frame({ jsonrpc: '2.0', method: 'exit' });
const errorOf = (messages, id) => messages.find((message) => message.id === id && message.error)?.error.code;

test('bad messages get errors and the server keeps serving', async () => {
  const { code, messages } = await rawSession([
    frame({ jsonrpc: '2.0', id: 1, method: 'textDocument/formatting', params: {} }),
    initialize(2),
    frame('{"jsonrpc": "2.0", "id": 3, "method": '),
    frame('\xff\xfe'),
    Buffer.from('Content-Length: many\r\n\r\n'),
    frame({ jsonrpc: '2.0', id: 4 }),
    frame({ jsonrpc: '1.0', id: 5, method: 'shutdown' }),
    frame({ jsonrpc: '2.0', id: { nested: true }, method: 'shutdown' }),
    frame([1, 2]),
    frame({ jsonrpc: '2.0', id: 6, method: 'workspace/unknownThing', params: {} }),
    frame({ jsonrpc: '2.0', method: 'unknown/notification', params: {} }),
    frame({ jsonrpc: '2.0', id: 7, method: 'initialize', params: { capabilities: {} } }),
    frame({ jsonrpc: '2.0', id: 8, method: 'textDocument/rangeFormatting', params: { textDocument: { uri: 'file:///x.md' } } }),
    frame({ jsonrpc: '2.0', id: 9, method: 'textDocument/formatting', params: { textDocument: { uri: 'file:///closed.md' } } }),
    shutdown(10),
    frame({ jsonrpc: '2.0', id: 11, method: 'textDocument/formatting', params: {} }),
    exit,
  ]);
  assert.equal(code, 0);
  assert.equal(errorOf(messages, 1), -32002, 'a request before initialize');
  assert.ok(messages.find((message) => message.id === 2).result.capabilities);
  const nullErrors = messages.filter((message) => message.id === null).map((message) => message.error.code);
  // Bad JSON, bytes not UTF-8 and a bad header; then invalid requests with
  // no id to give back.
  assert.deepEqual(nullErrors, [-32700, -32700, -32700, -32600, -32600]);
  assert.equal(errorOf(messages, 4), -32600, 'no method');
  assert.equal(errorOf(messages, 5), -32600, 'not JSON-RPC 2.0');
  assert.equal(errorOf(messages, 6), -32601, 'an unknown request');
  assert.equal(errorOf(messages, 7), -32600, 'a second initialize');
  assert.equal(errorOf(messages, 8), -32602, 'range formatting without a range');
  assert.equal(messages.find((message) => message.id === 9).result, null);
  assert.equal(messages.find((message) => message.id === 10).result, null);
  assert.equal(errorOf(messages, 11), -32600, 'a request after shutdown');
  assert.equal(messages.length, 15, 'nothing answers a notification');
});

test('a request cancelled before it is answered gets -32800', async () => {
  const open = frame({
    jsonrpc: '2.0',
    method: 'textDocument/didOpen',
    params: { textDocument: { uri: 'file:///c.md', languageId: 'markdown', version: 1, text: '|a|b|\n|-|-|\n' } },
  });
  const format = (id) =>
    frame({ jsonrpc: '2.0', id, method: 'textDocument/formatting', params: { textDocument: { uri: 'file:///c.md' } } });
  const cancel = (id) => frame({ jsonrpc: '2.0', method: '$/cancelRequest', params: { id } });
  // One write, smaller than a pipe's atomic size: the server finds the
  // cancellation when it reads ahead.
  const { code, messages } = await rawSession([
    initialize(),
    open,
    format(2),
    format('three'),
    cancel('three'),
    cancel(2),
    format(4),
    cancel(99),
    shutdown(5),
    exit,
  ]);
  assert.equal(code, 0);
  assert.equal(errorOf(messages, 2), -32800);
  assert.equal(errorOf(messages, 'three'), -32800);
  assert.equal(messages.find((message) => message.id === 4).result.length, 2);
});

test('exit gives 0 after shutdown and 1 without', async () => {
  const cases = [
    [[initialize(), shutdown(2), exit], 0],
    [[initialize(), exit], 1],
    [[exit], 1],
    [[initialize(), shutdown(2)], 0],
    [[initialize()], 1],
  ];
  for (const [input, status] of cases) {
    assert.equal((await rawSession(input)).code, status);
  }
});
