// The web budgets: page size gzipped, first frame after navigation, framing in
// the page and in Node against the native in-process time on the 217-row table.
//   node budgets.mjs   (env: ZENTAB_WEB_DIR, ZENTAB_PACKAGE, ZENTAB_NATIVE_TIME)
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

import { launch, openPage, pagePath, pageUrl } from '../browser.mjs';

const packageDir = path.resolve(process.env.ZENTAB_PACKAGE ?? 'build-web/try/node_modules/zentab');
const nativeTime = path.resolve(process.env.ZENTAB_NATIVE_TIME ?? 'build-web/native_frame_time');

// The pipeline benchmark's table: 217 rows such as "r17|it-17|34623", CR LF.
const table = Array.from({ length: 217 }, (_, i) =>
    `r${i + 1}|it-${i + 1}|${String(((i + 1) * 7919) % 100000).padStart(5, '0')}\r\n`).join('');

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const results = [];
function report(name, value, unit, budget, within) {
    results.push(within);
    console.log(`${name.padEnd(44)} ${value.toFixed(2).padStart(10)} ${unit.padEnd(3)} ${budget.padEnd(22)} ${within ? 'ok' : 'OVER BUDGET'}`);
}

// Microseconds per call: the best of several batches after a warm-up.
function perCall(frameOnce) {
    for (let i = 0; i < 200; i++) frameOnce();
    let best = Infinity;
    for (let round = 0; round < 7; round++) {
        const start = performance.now();
        for (let i = 0; i < 500; i++) frameOnce();
        best = Math.min(best, ((performance.now() - start) * 1000) / 500);
    }
    return best;
}

const page = fs.readFileSync(pagePath);
const gzipped = zlib.gzipSync(page, { level: 9 }).length;
report('zentab.html gzipped', gzipped / 1024, 'KiB', '<= 40 KiB', gzipped <= 40 * 1024);

const tableFile = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'zentab-bench-')), 'table217.txt');
fs.writeFileSync(tableFile, table);
const native = Number(execFileSync(nativeTime, [tableFile]).toString().split(' ')[0]);
console.log(`${'native frame_text, 217 rows (in process)'.padEnd(44)} ${native.toFixed(2).padStart(10)} us`);

const browser = await launch();
const context = await browser.newContext();
await openPage(context); // warms the browser
const firsts = [];
for (let i = 0; i < 10; i++) {
    const tab = await openPage(context, pageUrl);
    firsts.push(await tab.evaluate(() => performance.getEntriesByName('zentab-first-frame')[0].startTime));
    await tab.close();
}
report('first frame after navigation (median of 10)', median(firsts), 'ms', `<= 100 ms (best ${Math.min(...firsts).toFixed(0)})`,
    median(firsts) <= 100);

const tab = await openPage(context, pageUrl);
const inPage = await tab.evaluate(`(${perCall.toString()})(() => window.zentab.frameText(${JSON.stringify(table)}, 1, 1, false, false, false))`);
report('page framing, 217 rows', inPage, 'us', `<= 2x native (${(inPage / native).toFixed(2)}x)`, inPage <= 2 * native);
await browser.close();

const { frame } = await import(path.join(packageDir, 'index.js'));
const inNode = perCall(() => frame(table));
report('Node frame(), 217 rows', inNode, 'us', `<= 2x native (${(inNode / native).toFixed(2)}x)`, inNode <= 2 * native);

process.exitCode = results.every(Boolean) ? 0 : 1;
