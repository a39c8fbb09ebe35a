// Random tables typed into the page through its controls, framed in every
// frame type, position type, width and encoding, half of them fitted (frame
// and cell widths, overflow, align, padding, rules), some with columns
// chosen and rows sorted, some drawn as records, some with a title and footer,
// against the native command.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { answer, choose, controls, launch, openPage } from './browser.mjs';
import { iconv, nativeRefusal, positions, random, randomFit, runNative } from './native.mjs';

const caseCount = Number(process.env.ZENTAB_DIFF_CASES ?? 240);
const seed = Number(process.env.ZENTAB_DIFF_SEED ?? 20261207);

// Text that code page 932 holds, then text that only Unicode does: wide and
// narrow letters, ambiguous ones, emoji sequences, combining marks.
const cp932Words = ['A', 'pen', 'x y', '12.50', '-', '1234.565', '2.5', 'りんご', '漢字', 'ｶﾀｶﾅ', '─', '①', 'α', '±', '§', 'Ж', '※', '全角　空白', '＃'];
const unicodeWords = ['é', 'e\u0301', '😀', '👩\u200d👩\u200d👧', '🇯🇵', '〜', '−', '¦', 'ﾞ', 'Ω', '☺\uFE0F', '가'];

function makeCase(next) {
    const pick = (items) => items[Math.floor(next() * items.length)];
    const sjis = next() < 0.3;
    const words = sjis ? cp932Words : [...cp932Words, ...unicodeWords];
    const rows = 1 + Math.floor(next() * 5);
    const columns = 1 + Math.floor(next() * 4);
    const separator = next() < 0.7 ? '|' : '\t';
    const outer = separator === '|' && next() < 0.2;
    const lines = [];
    for (let row = 0; row < rows; row++) {
        // Now and then a row one cell short or long, which is refused.
        const count = row > 0 && next() < 0.04 ? columns + (next() < 0.5 ? -1 : 1) : columns;
        const cells = [];
        for (let cell = 0; cell < count; cell++) {
            // An empty first or last cell would read as an outer bar.
            const inner = cell > 0 && cell < count - 1;
            const parts = Math.floor(next() * 3) + (inner ? 0 : 1);
            cells.push(Array.from({ length: parts }, () => pick(words)).join(next() < 0.3 ? ' ' : ''));
        }
        const line = cells.join(separator);
        lines.push(outer ? `|${line}|` : line);
    }
    const { fit } = next() < 0.5 ? randomFit(next) : { fit: {} };
    const shaped = next() < 0.3;
    const column = () => `${1 + Math.floor(next() * columns)}`;
    const chosen = shaped && next() < 0.6 ? Array.from({ length: 1 + Math.floor(next() * 3) }, column).join(',') : '';
    const sort = shaped && next() < 0.7 ? `${column()}${pick(['', ':n', ':r', ':n:r'])}` : '';
    const numbered = next() < 0.25;
    const number = numbered ? Array.from({ length: 1 + Math.floor(next() * columns) }, () => pick(['-', 'g', '.1', 'g.2', '.0'])).join(',') : '';
    const missing = numbered && next() < 0.5 ? pick(['-', 'n/a', '—', '※']) : '';
    const titled = next() < 0.25;
    return {
        text: lines.join('\n') + (next() < 0.5 ? '\n' : ''),
        frame: 1 + Math.floor(next() * 6),
        position: pick([...positions]),
        width: next() < 0.5 ? 'narrow' : 'wide',
        encoding: sjis ? 'Shift-JIS' : 'UTF-8',
        // As typed into the fit controls; empty, wrap and all are their defaults.
        frameWidth: String(fit.width ?? ''),
        cellWidth: fit.cellWidth === undefined ? '' : [fit.cellWidth].flat().map((width) => width ?? '-').join(','),
        overflow: fit.overflow ?? 'wrap',
        align: fit.align ?? '',
        padding: String(fit.padding ?? ''),
        rules: fit.rules ?? 'all',
        columns: chosen,
        sort,
        number,
        missing,
        layout: next() < 0.2 ? pick(['records', 'auto']) : 'table',
        title: titled ? pick(['Sales', 'A title longer than most of these tables', 'T']) : '',
        footer: titled && next() < 0.5 ? pick(['F', 'counted by hand']) : '',
        titleAlign: titled ? pick(['centred', 'left', 'right']) : 'centred',
    };
}

function fitArgs(choice) {
    return [
        ...(choice.frameWidth ? ['-w', choice.frameWidth] : []),
        ...(choice.cellWidth ? ['--cell-width', choice.cellWidth] : []),
        '--overflow', choice.overflow, '--align', choice.align,
        ...(choice.padding ? ['--padding', choice.padding] : []),
        '--rules', choice.rules,
        ...(choice.columns ? ['-c', choice.columns] : []),
        ...(choice.sort ? ['--sort', choice.sort] : []),
        ...(choice.number ? ['--number', choice.number] : []),
        ...(choice.missing ? ['--missing', choice.missing] : []),
        '--layout', choice.layout,
        ...(choice.title ? ['--title', choice.title] : []),
        ...(choice.footer ? ['--footer', choice.footer] : []),
        '--title-align', choice.titleAlign[0],
    ];
}

// The page names its control where the command names its option.
const pageWords = (message) => message.replace(/; --width is (\d+)$/, '; Frame width is $1');

function expected(choice, typed, before) {
    const args = ['-f', `${choice.frame}`, '-p', choice.position, ...fitArgs(choice)];
    const run = choice.encoding === 'Shift-JIS'
        ? runNative(['-e', 'cp932', ...args], iconv('UTF-8', 'CP932', typed))
        : runNative(['-a', choice.width, ...args], typed);
    if (run.status !== 0) return { output: before, alert: pageWords(nativeRefusal(run)) };
    const output = choice.encoding === 'Shift-JIS' ? iconv('CP932', 'UTF-8', run.stdout) : run.stdout;
    return { output: output.toString('utf8'), alert: '' };
}

let browser;
let page;
before(async () => {
    browser = await launch();
    page = await openPage(await browser.newContext());
});
after(() => browser?.close());

test(`${caseCount} random tables through the page's controls match the command (seed ${seed})`, async () => {
    const next = random(seed);
    let shown = {};
    const seen = {
        frames: new Set(), positions: new Set(), widths: new Set(), encodings: new Set(), refused: 0,
        fitted: 0, tooNarrow: 0, overflows: new Set(), rules: new Set(), shaped: 0, numbered: 0,
    };
    for (let index = 0; index < caseCount; index++) {
        const choice = makeCase(next);
        // Controls already showing the choice are left alone, as a person would.
        const changes = Object.fromEntries(Object.entries(choice).filter(([key, value]) => shown[key] !== value));
        // A refusal leaves the frame shown before the text was given.
        await choose(page, { ...changes, text: undefined });
        const before = (await answer(page)).output;
        await choose(page, { text: choice.text });
        shown = choice;
        // The reference gets what the textbox holds, as a person's paste leaves it.
        const typed = await controls(page).input.inputValue();
        const want = expected(choice, typed, before);
        assert.deepEqual(await answer(page), want,
            `case ${index}: ${JSON.stringify({ ...choice, text: typed })}`);
        if (choice.encoding === 'Shift-JIS' && !want.alert && want.output) {
            // Bytes in code page 932 are columns in the wide model: the frame is the same,
            // whichever separator the table uses.
            const wide = runNative(['-a', 'wide', '-f', `${choice.frame}`, '-p', choice.position, ...fitArgs(choice)], typed);
            assert.equal(want.output, wide.stdout.toString('utf8'),
                `case ${index}: Shift-JIS frames as the wide model does: ${JSON.stringify(typed)}`);
        }
        seen.frames.add(choice.frame);
        seen.positions.add(choice.position);
        seen.widths.add(choice.width);
        seen.encodings.add(choice.encoding);
        seen.refused += want.alert ? 1 : 0;
        const { frameWidth, cellWidth, align, padding, overflow, rules } = choice;
        seen.fitted += frameWidth || cellWidth || align || padding || overflow !== 'wrap' || rules !== 'all' ? 1 : 0;
        seen.tooNarrow += /Frame width is/.test(want.alert) ? 1 : 0;
        seen.overflows.add(choice.overflow);
        seen.rules.add(choice.rules);
        seen.shaped += choice.columns || choice.sort ? 1 : 0;
        seen.numbered += choice.number ? 1 : 0;
    }
    assert.equal(seen.frames.size, 6);
    assert.equal(seen.positions.size, 17);
    assert.equal(seen.widths.size, 2);
    assert.equal(seen.encodings.size, 2);
    assert.ok(seen.refused > 0 && seen.refused < caseCount / 4, `${seen.refused} refused`);
    assert.ok(seen.fitted > caseCount / 5, `${seen.fitted} fitted`);
    assert.ok(seen.tooNarrow > 0, 'some too narrow to fit');
    assert.equal(seen.overflows.size, 2);
    assert.equal(seen.rules.size, 3);
    assert.ok(seen.shaped > caseCount / 10, `${seen.shaped} with columns or sort`);
    assert.ok(seen.numbered > caseCount / 10, `${seen.numbered} with numbers formatted`);
});
