// zentab lsp formatting a Markdown document of 10 MiB (CJK, emoji and ASCII
// cells, drawn out of line, between prose and code): the time from writing
// the request to reading its whole response, best of several, and the
// server's peak memory against the document's size.
//   node bench/lsp_format_bench.mjs [path/to/zentab]   default build/cli/zentab
import { spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('..', import.meta.url));
const zentab = process.argv[2] ?? `${root}build/cli/zentab`;
const runs = Number(process.env.ZENTAB_RUNS ?? 5);
const size = Number(process.env.ZENTAB_MIB ?? 10) << 20;

function makeDocument(bytes) {
  const parts = [];
  let n = 0;
  for (let i = 0; n < bytes; i++) {
    let s = `## Section ${i}\n\nSome prose about the table below, with a | pipe.\n\n`;
    s += '```\n| not | a | table |\n|---|---|---|\n```\n\n';
    s += '| 品名 | Qty | Note |\n|---|--:|:-:|\n';
    for (let r = 0; r < 8; r++) {
      s += `| item ${i * 8 + r} りんご | ${(i * 7919 + r) % 1000} | 😀 ok ${r} |\n`;
    }
    s += '\n';
    parts.push(s);
    n += Buffer.byteLength(s);
  }
  return parts.join('');
}

const frame = (message) => {
  const body = Buffer.from(JSON.stringify(message));
  return Buffer.concat([Buffer.from(`Content-Length: ${body.length}\r\n\r\n`), body]);
};

const child = spawn(zentab, ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
let buffered = Buffer.alloc(0);
const waiting = new Map();
child.stdout.on('data', (chunk) => {
  buffered = Buffer.concat([buffered, chunk]);
  for (;;) {
    const end = buffered.indexOf('\r\n\r\n');
    if (end < 0) return;
    const length = Number(/Content-Length: (\d+)/.exec(buffered.subarray(0, end).toString())[1]);
    if (buffered.length < end + 4 + length) return;
    const body = buffered.subarray(end + 4, end + 4 + length);
    buffered = buffered.subarray(end + 4 + length);
    const message = JSON.parse(body.toString());
    const resolve = waiting.get(message.id ?? message.method);
    if (resolve) {
      waiting.delete(message.id ?? message.method);
      resolve({ message, bytes: length });
    }
  }
});
const answer = (key) => new Promise((resolve) => waiting.set(key, resolve));

let id = 0;
async function request(method, params) {
  const key = ++id;
  const answered = answer(key);
  child.stdin.write(frame({ jsonrpc: '2.0', id: key, method, params }));
  return answered;
}

const text = makeDocument(size);
const textBytes = Buffer.byteLength(text);
await request('initialize', { capabilities: {} });
const published = answer('textDocument/publishDiagnostics');
let started = process.hrtime.bigint();
child.stdin.write(
  frame({ jsonrpc: '2.0', method: 'textDocument/didOpen', params: { textDocument: { uri: 'file:///bench.md', languageId: 'markdown', version: 1, text } } }),
);
await published;
const openMs = Number(process.hrtime.bigint() - started) / 1e6;

let best = Infinity;
let edits = 0;
let responseBytes = 0;
for (let run = 0; run < runs; run++) {
  started = process.hrtime.bigint();
  const { message, bytes } = await request('textDocument/formatting', { textDocument: { uri: 'file:///bench.md' }, options: { tabSize: 4, insertSpaces: true } });
  best = Math.min(best, Number(process.hrtime.bigint() - started) / 1e6);
  edits = message.result.length;
  responseBytes = bytes;
}
const status = readFileSync(`/proc/${child.pid}/status`, 'utf8');
const peakKib = Number(/VmHWM:\s+(\d+)/.exec(status)[1]);
await request('shutdown');
child.stdin.end(frame({ jsonrpc: '2.0', method: 'exit' }));

const mib = (bytes) => (bytes / 1048576).toFixed(1);
console.log(`document            ${mib(textBytes)} MiB, ${edits} edits in a response of ${mib(responseBytes)} MiB`);
console.log(`didOpen to diagnostics  ${openMs.toFixed(0)} ms`);
console.log(`formatting request to response  ${best.toFixed(0)} ms (best of ${runs})`);
console.log(`server peak memory  ${mib(peakKib * 1024)} MiB, ${(peakKib * 1024 / textBytes).toFixed(1)} x the document`);
