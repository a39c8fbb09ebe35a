// The web budgets: page size gzipped, first frame after navigation, framing in
// the page and in Node against the native in-process time on the 217-row table
// and on 64 KiB of table.
//   node budgets.mjs   (env: ZENTAB_WEB_DIR, ZENTAB_PACKAGE, ZENTAB_NATIVE_TIME;
//   ZENTAB_BEFORE_DIR: another build-web directory, package installed in its
//   try/, measured in the same run for a before and after)
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';

import { launch, openPage, pagePath } from '../browser.mjs';

const packageDir = path.resolve(process.env.ZENTAB_PACKAGE ?? 'build-web/try/node_modules/zentab');
const nativeTime = path.resolve(process.env.ZENTAB_NATIVE_TIME ?? 'build-web/native_frame_time');

// The pipeline benchmark's table: 217 rows such as "r17|it-17|34623", CR LF.
const table = Array.from({ length: 217 }, (_, i) =>
    `r${i + 1}|it-${i + 1}|${String(((i + 1) * 7919) % 100000).padStart(5, '0')}\r\n`).join('');

// 64 KiB of rows with Japanese in them, LF.
const rows64 = [];
for (let i = 1, size = 0; size < 64 * 1024; i++) {
    rows64.push(`r${i}|品目-${i}|${String((i * 7919) % 100000).padStart(5, '0')}|note ${i % 97}\n`);
    size += Buffer.byteLength(rows64.at(-1));
}
const tables = [['217 rows', table, 500], ['64 KiB', rows64.join(''), 20]];

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const results = [];
function report(name, value, unit, budget, within) {
    results.push(within);
    console.log(`${name.padEnd(44)} ${value.toFixed(2).padStart(10)} ${unit.padEnd(3)} ${budget.padEnd(22)} ${within ? 'ok' : 'OVER BUDGET'}`);
}

// Microseconds per call: the best of several batches after a warm-up.
function perCall(frameOnce, calls = 500) {
    for (let i = 0; i < 200; i++) frameOnce();
    let best = Infinity;
    for (let round = 0; round < 7; round++) {
        const start = performance.now();
        for (let i = 0; i < calls; i++) frameOnce();
        best = Math.min(best, ((performance.now() - start) * 1000) / calls);
    }
    return best;
}

const builds = [['', { page: pagePath, packageDir }]];
if (process.env.ZENTAB_BEFORE_DIR) {
    const dir = path.resolve(process.env.ZENTAB_BEFORE_DIR);
    builds.unshift([' (before)', { page: path.join(dir, 'zentab.html'), packageDir: path.join(dir, 'try/node_modules/zentab') }]);
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zentab-bench-'));
const natives = tables.map(([name, text]) => {
    const file = path.join(scratch, 'table.txt');
    fs.writeFileSync(file, text);
    const time = Number(execFileSync(nativeTime, [file]).toString().split(' ')[0]);
    console.log(`${`native frame_text, ${name} (in process)`.padEnd(44)} ${time.toFixed(2).padStart(10)} us`);
    return time;
});

const browser = await launch();
const context = await browser.newContext();
await openPage(context); // warms the browser
for (const [suffix, { page }] of builds) {
    const gzipped = zlib.gzipSync(fs.readFileSync(page), { level: 9 }).length;
    report(`zentab.html gzipped${suffix}`, gzipped / 1024, 'KiB', '<= 40 KiB', gzipped <= 40 * 1024);
}
// Before and after take turns, so that a busy machine weighs on both alike.
const firsts = builds.map(() => []);
for (let i = 0; i < 10; i++) {
    for (const [index, [, { page }]] of builds.entries()) {
        const tab = await openPage(context, `file://${page}`);
        firsts[index].push(await tab.evaluate(() => performance.getEntriesByName('zentab-first-frame')[0].startTime));
        await tab.close();
    }
}
for (const [index, [suffix]] of builds.entries()) {
    const times = firsts[index];
    report(`first frame (median of 10)${suffix}`, median(times), 'ms', `<= 100 ms (best ${Math.min(...times).toFixed(0)})`,
        median(times) <= 100);
}
for (const [index, [name, text, calls]] of tables.entries()) {
    const native = natives[index];
    for (const [suffix, { page, packageDir: dir }] of builds) {
        const tab = await openPage(context, `file://${page}`);
        const inPage = await tab.evaluate(`(${perCall.toString()})(() => window.zentab.frameText(${JSON.stringify(text)}, 1, 1, false, false, false), ${calls})`);
        await tab.close();
        report(`page framing, ${name}${suffix}`, inPage, 'us', `<= 2x native (${(inPage / native).toFixed(2)}x)`, inPage <= 2 * native);
        // Each build's package under a name of its own, so both load.
        const { frame } = await import(`${pathToFileURL(path.join(dir, 'index.js')).href}?${encodeURIComponent(suffix)}`);
        const inNode = perCall(() => frame(text), calls);
        report(`Node frame(), ${name}${suffix}`, inNode, 'us', `<= 2x native (${(inNode / native).toFixed(2)}x)`, inNode <= 2 * native);
    }
}
await browser.close();

process.exitCode = results.every(Boolean) ? 0 : 1;
