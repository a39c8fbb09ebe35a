// The page as a person uses it: what it opens with, lining up, refusals, the
// fragment, Copy, Download, the keyboard, no network, no storage, axe-core.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import { after, before, describe, test } from 'node:test';
import zlib from 'node:zlib';

import { answer, choose, controls, launch, openPage, pageUrl, servePage } from './browser.mjs';
import { iconv, nativeRefusal, positions, random, randomDocument, runFmt, runNative } from './native.mjs';

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const mixed = 'Name|Mark|Note\n山田 太郎|①|ok 😀\nJosé|±α|e\u0301\n佐藤|─|👩\u200d👩\u200d👧 🇯🇵';

let browser;
before(async () => {
    browser = await launch();
});
after(() => browser?.close());

async function fresh(options = {}, url = pageUrl) {
    const context = await browser.newContext(options);
    return { context, page: await openPage(context, url) };
}

// The right edge of every line of Output, measured in the laid-out page.
function lineEnds(page) {
    return page.getByRole('textbox', { name: 'Output' }).evaluate((output) => {
        const ends = [];
        const walker = document.createTreeWalker(output, NodeFilter.SHOW_TEXT);
        let last = null;
        const endAt = (node, offset) => {
            const range = document.createRange();
            range.setStart(node, offset - 1);
            range.setEnd(node, offset);
            const box = node.parentElement !== output ? node.parentElement : range;
            ends.push(box.getBoundingClientRect().right);
        };
        for (let node = walker.nextNode(); node; node = walker.nextNode()) {
            const text = node.data;
            for (let at = 0; at < text.length; at++) {
                if (text[at] !== '\n') continue;
                if (at > 0) endAt(node, at);
                else if (last) endAt(last, last.data.length);
            }
            if (text.length) last = node;
        }
        return ends;
    });
}

test('opens with a sample framed in type 1, position A, narrow, UTF-8', async () => {
    const { context, page } = await fresh();
    const c = controls(page);
    assert.ok(await c.frameType(1).isChecked());
    assert.ok(await c.positionType('A').isChecked());
    assert.equal(await c.width.inputValue(), 'narrow');
    assert.equal(await c.encoding.inputValue(), 'utf8');
    const sample = await c.input.inputValue();
    assert.match(sample, /[\u3040-\u30ff\u4e00-\u9fff]/, 'the sample shows Japanese text');
    const native = runNative(['-f', '1', '-p', 'A'], sample);
    assert.deepEqual(await answer(page), { output: native.stdout.toString('utf8'), alert: '' });
    assert.match(await page.textContent('body'), /your text never leaves this page/i);
    await context.close();
});

// The page is built with the sample's frame for the default settings, shown
// until its module draws the frame: with any link, every frame Output shows
// while the page opens is the module's own.
describe('opening: Output shows no frame but the module\'s', () => {
    const links = ['', '#f=1&p=A&w=narrow&e=utf8&i=psv', '#f=2', '#p=c', '#w=wide', '#e=sjis', '#i=csv', '#fw=40',
        '#cw=6', '#o=truncate&cw=6', '#a=r', '#pad=1', '#r=none', '#fw=out', '#f=9&p=Z'];
    for (const link of links) {
        test(link || 'no fragment', async () => {
            const context = await browser.newContext();
            await context.addInitScript(() => {
                window.outputSeen = [];
                new MutationObserver(() => {
                    const text = document.getElementById('output')?.textContent;
                    if (text && text !== window.outputSeen.at(-1)) window.outputSeen.push(text);
                }).observe(document, { childList: true, subtree: true, characterData: true });
            });
            const page = await openPage(context, `${pageUrl}${link}`);
            const { seen, last } = await page.evaluate(() => ({ seen: window.outputSeen, last: window.zentabShown() }));
            // A sample the link's settings refuse shows no frame at all.
            assert.deepEqual(seen, last ? [last] : []);
            await context.close();
        });
    }
    test('the built-in frame lines up as the module\'s does', async () => {
        const { context, page } = await fresh();
        const shown = await page.evaluate(() => window.zentabShown());
        await page.evaluate(() => document.getElementById('output')
            .replaceChildren(document.getElementById('built-in-frame').content.cloneNode(true)));
        assert.equal(await controls(page).output.textContent(), shown);
        // Every character beyond ASCII in a box of its own columns.
        const loose = await page.evaluate(() => [...document.getElementById('output').childNodes]
            .filter((node) => node.nodeType === Node.TEXT_NODE).map((node) => node.data).join(''));
        assert.match(loose, /^[\x00-\x7f]*$/);
        const ends = await lineEnds(page);
        assert.ok(ends.length >= 5);
        for (const end of ends) assert.ok(Math.abs(end - ends[0]) < 0.5, `line ends ${ends.join(', ')}`);
        await context.close();
    });
});

describe('every frame line ends at the same x, whatever the fonts', () => {
    const cases = [
        { frame: 1, position: 'A', width: 'narrow', encoding: 'UTF-8', text: mixed },
        { frame: 5, position: 'H', width: 'wide', encoding: 'UTF-8', text: mixed },
        { frame: 6, position: 'Q', width: 'narrow', encoding: 'UTF-8', text: mixed },
        { frame: 2, position: 'C', width: 'narrow', encoding: 'Shift-JIS', text: '品名|数量\nｶﾀｶﾅ|①\n─|12' },
        // Long runs of one kind, drawn as one box a run: wide rules, words of wide letters, ambiguous ones.
        { frame: 1, position: 'B', width: 'wide', encoding: 'UTF-8', text: '東京都千代田区|①②③④|ΑΒΓΔ\nx|青森県産りんご|±±\n──|é😀😀|ｶﾀｶﾅｶﾀｶﾅ' },
        { frame: 4, position: 'A', width: 'narrow', encoding: 'UTF-8', text: '東京都千代田区|①②③④|ΑΒΓΔ\nx|青森県産りんご|±±\n──|é😀😀|ｶﾀｶﾅｶﾀｶﾅ' },
    ];
    for (const choice of cases) {
        test(JSON.stringify({ ...choice, text: undefined }), async () => {
            const { context, page } = await fresh();
            await choose(page, choice);
            assert.equal((await answer(page)).alert, '');
            const ends = await lineEnds(page);
            assert.ok(ends.length >= 5);
            for (const end of ends) assert.ok(Math.abs(end - ends[0]) < 0.5, `line ends ${ends.join(', ')}`);
            await context.close();
        });
    }
});

describe('refusals name line and column and keep the last frame, marked out of date', () => {
    const cases = [
        ['a row short', { text: 'A|B\nC', encoding: 'UTF-8' }, /^line 2, column \d+: /],
        ['a control character', { text: 'A|B\nC|\u0007', encoding: 'UTF-8' }, /^line 2, column 3: control character U\+0007$/],
        ['text code page 932 cannot hold', { text: 'A|B\nC|é', encoding: 'Shift-JIS' },
            /^line 2, column 3: U\+00E9 cannot be written in code page 932 \(Shift-JIS\)$/],
        ['a wave dash, which code page 932 only approximates', { text: '〜|x', encoding: 'Shift-JIS' },
            /^line 1, column 1: U\+301C cannot be written/],
    ];
    for (const [name, choice, message] of cases) {
        test(name, async () => {
            const { context, page } = await fresh();
            await choose(page, { encoding: choice.encoding });
            const before = (await answer(page)).output;
            assert.ok(before.length > 0);
            await choose(page, choice);
            const { output, alert } = await answer(page);
            assert.equal(output, before, 'the last frame stays');
            assert.ok(await page.getByText('out of date').isVisible());
            assert.match(alert, message);
            if (choice.encoding === 'UTF-8') assert.equal(alert, nativeRefusal(runNative([], choice.text)));
            await choose(page, { text: 'A|B' });
            assert.equal((await answer(page)).alert, '', 'the alert clears once the text frames');
            assert.ok(!(await page.getByText('out of date').isVisible()));
            await context.close();
        });
    }
    // Pasted from a string cut inside an emoji: refused, not framed with U+FFFD
    // in its stead. Set by script, as typing through the browser makes it U+FFFD.
    test('half of a surrogate pair', async () => {
        const { context, page } = await fresh();
        for (const encoding of ['UTF-8', 'Shift-JIS']) {
            await choose(page, { encoding });
            const before = (await answer(page)).output;
            await page.evaluate(`(() => {
                const input = document.getElementById('input');
                input.value = 'A|B\\nア|\\uD83D';
                input.dispatchEvent(new Event('input'));
            })()`);
            assert.deepEqual(await answer(page), { output: before, alert: 'line 2, column 3: not UTF-8 (lone surrogate U+D83D)' });
        }
        await context.close();
    });
});

// A table too wide for Frame width, and values the fit controls cannot take:
// the last frame stays, marked out of date, and the fragment keeps the fit.
test('fitting: a refusal or a bad value keeps the last frame; the fragment holds the fit', async () => {
    const { context, page } = await fresh();
    const c = controls(page);
    const text = 'Item|Note\npen|blue ink, fine point\nnotebook|A5, squared';
    await choose(page, { text, frameWidth: '20', align: 'r' });
    const fitted = runNative(['-w', '20', '--align', 'r'], text).stdout.toString('utf8');
    assert.deepEqual(await answer(page), { output: fitted, alert: '' });
    const narrow = nativeRefusal(runNative(['-w', '3'], text)).replace('--width is', 'Frame width is');
    const cases = [
        ['frameWidth', '3', c.frameWidth, narrow, '20'],
        ['cellWidth', '4,x', c.cellWidth, 'Cell width: use a number of columns, or one a column separated by commas, - for no limit', ''],
        ['align', 'rq', c.align, 'Align: use a letter a column: l, r, c, d or .', 'r'],
        ['padding', '1001', c.padding, 'Padding: use a number of spaces, 0 to 1000', ''],
    ];
    for (const [key, bad, control, alert, good] of cases) {
        await choose(page, { [key]: bad });
        assert.deepEqual(await answer(page), { output: fitted, alert }, `${key} ${bad}`);
        assert.ok(await page.getByText('out of date').isVisible());
        // A value the control cannot take is marked there; a table too wide is no fault of the value.
        assert.equal(await control.getAttribute('aria-invalid'), key === 'frameWidth' ? null : 'true');
        await choose(page, { [key]: good });
        assert.deepEqual(await answer(page), { output: fitted, alert: '' }, `${key} back to ${good}`);
    }
    await choose(page, { cellWidth: '8,-', overflow: 'truncate', padding: '1', rules: 'header' });
    const hash = '#f=1&p=A&w=narrow&e=utf8&i=psv&fw=20&cw=8,-&o=truncate&a=r&pad=1&r=header';
    assert.equal(await page.evaluate(() => location.hash), hash);
    const args = ['-w', '20', '--cell-width', '8,-', '--overflow', 'truncate', '--align', 'r', '--padding', '1', '--rules', 'header'];
    assert.equal((await answer(page)).output, runNative(args, text).stdout.toString('utf8'));
    await context.close();

    const linked = await fresh({}, `${pageUrl}${hash}`);
    const l = controls(linked.page);
    assert.deepEqual(await Promise.all([l.frameWidth, l.cellWidth, l.overflow, l.align, l.padding, l.rules].map((one) => one.inputValue())),
        ['20', '8,-', 'truncate', 'r', '1', 'header']);
    const sample = await l.input.inputValue();
    assert.equal((await answer(linked.page)).output, runNative(args, sample).stdout.toString('utf8'));
    await linked.context.close();
});

// fit Output: the frame as wide as Output, framed again when the page is narrowed.
test('fit Output: no line wider than Output, at 320 px and wider', async () => {
    const { context, page } = await fresh({ viewport: { width: 900, height: 700 } });
    const c = controls(page);
    const text = 'Item|Note\npen|blue ink, fine point, refillable, in a metal case with a clip';
    await choose(page, { text });
    await c.fitOutput.check();
    assert.ok(await c.frameWidth.isDisabled());
    assert.match(await page.evaluate(() => location.hash), /&fw=out$/);
    for (const width of [900, 320]) {
        await page.setViewportSize({ width, height: 700 });
        await page.waitForFunction(() => {
            const output = document.getElementById('output');
            return output.scrollWidth <= output.clientWidth && output.getAttribute('aria-busy') === 'false';
        });
        const { output, alert } = await answer(page);
        assert.equal(alert, '');
        const lengths = new Set(output.trimEnd().split('\n').map((line) => line.length));
        assert.equal(lengths.size, 1, output);
    }
    await context.close();
});

// A control character put at a random place among wide letters, emoji pairs,
// combining marks, a BOM and every kind of line end: the command names its
// line and column, and Select in Input selects exactly that character.
test('Select in Input selects the character the refusal names', async () => {
    const next = random(4242);
    const pick = (items) => items[Math.floor(next() * items.length)];
    const words = ['a', 'りんご', '😀', 'e\u0301', '👩\u200d👩\u200d👧', '─', 'x y', '🇯🇵'];
    const { context, page } = await fresh();
    const c = controls(page);
    for (let round = 0; round < 25; round++) {
        const rows = Array.from({ length: 1 + Math.floor(next() * 4) }, () => [0, 1, 2].map(() => pick(words)).join('|'));
        let text = (next() < 0.3 ? '\uFEFF' : '') + rows.map((row) => row + pick(['\n', '\r\n', '\r'])).join('');
        const at = (next() < 0.3 && text.startsWith('\uFEFF') ? 1 : 0) + Math.floor(next() * (text.length - 1));
        // Not inside a pair or a CR LF.
        const cut = /[\uDC00-\uDFFF]/.test(text[at]) || (text[at] === '\n' && text[at - 1] === '\r') ? at + 1 : at;
        const control = pick(['\u0001', '\u0007', '\u001b']);
        text = text.slice(0, Math.max(cut, text.startsWith('\uFEFF') ? 1 : 0)) + control + text.slice(Math.max(cut, text.startsWith('\uFEFF') ? 1 : 0));
        await c.input.fill(text);
        const typed = await c.input.inputValue();
        const { alert } = await answer(page);
        assert.equal(alert, nativeRefusal(runNative([], typed)), JSON.stringify(typed));
        await page.getByRole('button', { name: 'Select in Input' }).click();
        const selected = await c.input.evaluate((input) => input.value.slice(input.selectionStart, input.selectionEnd));
        assert.equal(selected, control, `${alert} in ${JSON.stringify(typed)}`);
    }
    await context.close();
});

describe('the fragment', () => {
    test('in: a link selects its choices', async () => {
        const { context, page } = await fresh({}, `${pageUrl}#f=5&p=H&w=wide&e=sjis`);
        const c = controls(page);
        assert.ok(await c.frameType(5).isChecked());
        assert.ok(await c.positionType('H').isChecked());
        assert.equal(await c.width.inputValue(), 'wide');
        assert.equal(await c.encoding.inputValue(), 'sjis');
        const typed = await c.input.inputValue();
        const native = runNative(['-e', 'cp932', '-f', '5', '-p', 'H'], iconv('UTF-8', 'CP932', typed));
        assert.equal((await answer(page)).output, iconv('CP932', 'UTF-8', native.stdout).toString('utf8'));
        await context.close();
    });
    test('out: each choice rewrites it in place', async () => {
        const { context, page } = await fresh();
        const entries = await page.evaluate(() => history.length);
        const steps = [
            [{ frame: 3 }, '#f=3&p=A&w=narrow&e=utf8&i=psv'],
            [{ position: 'K' }, '#f=3&p=K&w=narrow&e=utf8&i=psv'],
            [{ width: 'wide' }, '#f=3&p=K&w=wide&e=utf8&i=psv'],
            [{ encoding: 'Shift-JIS' }, '#f=3&p=K&w=wide&e=sjis&i=psv'],
            [{ format: 'markdown' }, '#f=3&p=K&w=wide&e=sjis&i=markdown'],
        ];
        for (const [choice, hash] of steps) {
            await choose(page, choice);
            assert.equal(await page.evaluate(() => location.hash), hash);
        }
        assert.equal(await page.evaluate(() => history.length), entries, 'replaced, not pushed');
        await context.close();
    });
    test('an edited fragment takes effect, a bad one falls back to the defaults', async () => {
        const { context, page } = await fresh();
        const c = controls(page);
        await page.evaluate(() => { location.hash = '#f=6&p=q&w=wide&i=csv'; });
        await page.waitForFunction(() => document.querySelector('input[value="6"]').checked);
        assert.ok(await c.positionType('Q').isChecked());
        assert.equal(await c.width.inputValue(), 'wide');
        assert.equal(await c.format.inputValue(), 'csv');
        await page.evaluate(() => { location.hash = '#f=9&p=Z&w=huge&e=latin1&i=xml'; });
        await page.waitForFunction(() => document.querySelector('input[value="1"]').checked);
        assert.ok(await c.positionType('A').isChecked());
        assert.equal(await c.width.inputValue(), 'narrow');
        assert.equal(await c.encoding.inputValue(), 'utf8');
        assert.equal(await c.format.inputValue(), 'psv');
        await context.close();
    });
});

// The Title box: a title of markup characters and a footer, drawn as the
// command draws them; the link holds them escaped and gives them back.
test('the Title box draws what --title, --footer and --title-align draw, and the link keeps them', async () => {
    const { context, page } = await fresh();
    const c = controls(page);
    const title = 'Sales & more: 50% #1 = a long title';
    await choose(page, { text: mixed, frame: 2, title, footer: 'counted', titleAlign: 'right' });
    const native = runNative(['-f', '2', '--title', title, '--footer', 'counted', '--title-align', 'r'], mixed);
    assert.deepEqual(await answer(page), { output: native.stdout.toString('utf8'), alert: '' });
    const hash = await page.evaluate(() => location.hash);
    assert.ok(hash.includes(`tt=${encodeURIComponent(title)}`) && hash.includes('ta=r'), hash);
    const again = await fresh({}, `${pageUrl}${hash}`);
    const d = controls(again.page);
    assert.equal(await d.title.inputValue(), title);
    assert.equal(await d.footer.inputValue(), 'counted');
    assert.equal(await d.titleAlign.inputValue(), 'r');
    await again.context.close();
    await context.close();
});

describe('input formats read as the command reads them', () => {
    const framed = runNative(['-f', '5', '-p', 'H'], mixed).stdout.toString('utf8');
    const framedWide = runNative(['-f', '3', '-a', 'wide'], '品名|数量\nりんご|3').stdout.toString('utf8');
    const cases = [
        ['csv', 'Name,Note\n"Tanaka, Ken","said ""hi"""\n山田,"two\nlines"', 'UTF-8'],
        ['csv', 'A,B\n"open,x', 'UTF-8'],
        ['tsv', 'A\tB|C\n1\t2', 'UTF-8'],
        ['markdown', '| Item | Qty |\n|:-----|----:|\n| りんご | 3 |\n| \\| bar | 4 |', 'UTF-8'],
        ['markdown', 'no table here', 'UTF-8'],
        ['frame', framed, 'UTF-8'],
        ['frame', framedWide, 'Shift-JIS'],
    ];
    for (const [format, text, encoding] of cases) {
        test(`${format}, ${encoding}: ${JSON.stringify(text.slice(0, 24))}`, async () => {
            const { context, page } = await fresh();
            await choose(page, { format, encoding, frame: 2, position: 'E' });
            const before = (await answer(page)).output;
            await choose(page, { text });
            const typed = await controls(page).input.inputValue();
            const args = ['--from', format, '-f', '2', '-p', 'E'];
            const run = encoding === 'UTF-8' ? runNative(args, typed)
                : runNative(['-e', 'cp932', ...args], iconv('UTF-8', 'CP932', typed));
            const want = run.status === 0
                ? { output: (encoding === 'UTF-8' ? run.stdout : iconv('CP932', 'UTF-8', run.stdout)).toString('utf8'), alert: '' }
                : { output: before, alert: nativeRefusal(run) };
            assert.deepEqual(await answer(page), want);
            await context.close();
        });
    }
});

// A document's tables lined up in Output as zentab fmt lines them up, in the
// width chosen; a table left as it is said where refusals are, its place
// selectable, the document shown all the same.
test('Document (Markdown): random documents lined up as zentab fmt lines them up', async () => {
    const { context, page } = await fresh();
    await choose(page, { format: 'Document (Markdown)' });
    const next = random(77);
    let left = 0;
    for (let round = 0; round < 12; round++) {
        const width = round % 2 ? 'wide' : 'narrow';
        const text = round === 0 ? '| a | b |\n|---|---|\n| 1 | 2 | 3 |\n' : randomDocument(next);
        await choose(page, { width, text });
        const typed = await controls(page).input.inputValue();
        const native = runFmt(['--in', 'markdown', '-a', width], typed);
        const more = native.left.length - 1;
        const alert = native.left.length ? `A table is left as it is: ${native.left[0].message}`
            + (more ? ` (and ${more} more table${more > 1 ? 's' : ''} left as they are)` : '') : '';
        assert.deepEqual(await answer(page), { output: native.text, alert }, `${width} ${JSON.stringify(typed)}`);
        assert.equal(await page.getByRole('button', { name: 'Select in Input' }).isVisible(), native.left.length > 0);
        assert.ok(!(await page.getByText('out of date').isVisible()));
        left += native.left.length > 0;
    }
    assert.ok(left > 0);
    assert.match(page.url(), /[#&]i=document/);
    await context.close();
});

describe('over http on 127.0.0.1', () => {
    let server;
    before(async () => {
        server = await servePage();
    });
    after(() => server.close());

    test('Copy puts Output on the clipboard', async () => {
        const { context, page } = await fresh({}, server.url);
        await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(server.url).origin });
        await choose(page, { text: mixed, frame: 4, position: 'E' });
        await controls(page).copy.click();
        await page.getByRole('status').filter({ hasText: 'Copied' }).waitFor();
        assert.equal(await page.evaluate(() => navigator.clipboard.readText()), (await answer(page)).output);
        await context.close();
    });

    test('no request after the document, no storage, nothing reaches the network', async () => {
        const { context, page } = await fresh({ acceptDownloads: true });
        const requests = [];
        page.on('request', (request) => requests.push(request.url()));
        await page.goto(server.url);
        await page.waitForSelector('html[data-ready="true"]');
        await choose(page, { text: mixed, frame: 2, position: 'B', width: 'wide', encoding: 'Shift-JIS' });
        await choose(page, { encoding: 'UTF-8' });
        await Promise.all([page.waitForEvent('download'), controls(page).download.click()]);
        // The policy refuses even a request the page's own script would make.
        const fetched = await page.evaluate((url) => fetch(url).then(() => 'fetched', () => 'refused'), server.url + '?probe');
        assert.equal(fetched, 'refused');
        assert.deepEqual(requests.filter((url) => !url.startsWith('blob:')), [server.url]);
        assert.deepEqual(server.hits.filter((url) => url.includes('probe')), []);
        const stored = await page.evaluate(async () => ({
            cookie: document.cookie,
            local: localStorage.length,
            session: sessionStorage.length,
            databases: (await indexedDB.databases()).length,
            caches: (await caches.keys()).length,
        }));
        assert.deepEqual(stored, { cookie: '', local: 0, session: 0, databases: 0, caches: 0 });
        const state = await context.storageState();
        assert.deepEqual(state.cookies, []);
        assert.deepEqual(state.origins, []);
        await context.close();
    });
});

// The page takes its code page 932 table from the browser's Shift_JIS decoder:
// every character that glibc's charmap writes in two bytes, and the half-width
// kana, go through the page and come out as the command frames their bytes.
test('Shift-JIS: every character code page 932 writes frames as the command frames it', async () => {
    const charmap = zlib.gunzipSync(fs.readFileSync('/usr/share/i18n/charmaps/WINDOWS-31J.gz')).toString('latin1');
    const characters = [];
    for (const line of charmap.split('\n')) {
        const match = /^<U([0-9A-F]{4})>\s+\/x([0-9a-f]{2})(\/x[0-9a-f]{2})?\s/.exec(line);
        if (match && (match[3] || parseInt(match[2], 16) >= 0xa1)) characters.push(String.fromCharCode(parseInt(match[1], 16)));
    }
    assert.ok(characters.length > 9000);
    const cells = [];
    for (let at = 0; at < characters.length; at += 60) cells.push(characters.slice(at, at + 60).join(''));
    const rows = [];
    for (let at = 0; at < cells.length; at += 2) rows.push(`${cells[at]}|${cells[at + 1] ?? '-'}`);
    const { context, page } = await fresh({ acceptDownloads: true });
    await choose(page, { encoding: 'Shift-JIS', frame: 1, position: 'A', text: rows.join('\n') });
    const [download] = await Promise.all([page.waitForEvent('download'), controls(page).download.click()]);
    const native = runNative(['-e', 'cp932', '--crlf'], iconv('UTF-8', 'CP932', await controls(page).input.inputValue()));
    assert.equal(native.status, 0, native.stderr);
    assert.ok(fs.readFileSync(await download.path()).equals(native.stdout));
    const lf = runNative(['-e', 'cp932'], iconv('UTF-8', 'CP932', await controls(page).input.inputValue())).stdout;
    assert.equal((await answer(page)).output, iconv('CP932', 'UTF-8', lf).toString('utf8'));
    await context.close();
});

describe('Download saves zentab.txt', () => {
    const cases = [
        { text: mixed, frame: 1, position: 'A', width: 'narrow', encoding: 'UTF-8' },
        { text: '品名|数量|備考\nりんご|3|ｶﾀｶﾅ ①\nみかん|12|─', frame: 5, position: 'H', width: 'narrow', encoding: 'Shift-JIS' },
    ];
    for (const choice of cases) {
        test(choice.encoding, async () => {
            const { context, page } = await fresh({ acceptDownloads: true });
            await choose(page, choice);
            const [download] = await Promise.all([page.waitForEvent('download'), controls(page).download.click()]);
            assert.equal(download.suggestedFilename(), 'zentab.txt');
            const bytes = fs.readFileSync(await download.path());
            const typed = await controls(page).input.inputValue();
            const want = choice.encoding === 'UTF-8'
                ? Buffer.from((await answer(page)).output, 'utf8')
                : runNative(['-e', 'cp932', '--crlf', '-f', `${choice.frame}`, '-p', choice.position],
                    iconv('UTF-8', 'CP932', typed)).stdout;
            assert.ok(want.length > 0);
            assert.ok(bytes.equals(want), 'the downloaded bytes are what the command writes');
            await context.close();
        });
    }
});

test('keyboard alone: type a table, pick types, width, and copy', async () => {
    const server = await servePage();
    const { context, page } = await fresh({}, server.url);
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(server.url).origin });
    const focused = () => page.evaluate(() => {
        const element = document.activeElement;
        return element.labels?.[0]?.textContent.trim() || element.getAttribute('aria-label') || element.textContent.trim();
    });
    async function tabTo(pattern) {
        for (let presses = 0; presses < 30; presses++) {
            await page.keyboard.press('Tab');
            if (pattern.test(await focused())) return;
        }
        assert.fail(`Tab never reached ${pattern}`);
    }
    await tabTo(/^Input$/);
    await page.keyboard.press('Control+A');
    await page.keyboard.type('No|Item|Qty\n1|pen|10\n2|notebook|5');
    await tabTo(/type 1$/);
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    await tabTo(/ type A$/);
    await page.keyboard.press('ArrowDown');
    await tabTo(/^Width/);
    await page.keyboard.press('ArrowDown');
    await tabTo(/^Copy$/);
    await page.keyboard.press('Enter');
    await page.getByRole('status').filter({ hasText: 'Copied' }).waitFor();
    const native = runNative(['-f', '3', '-p', 'B', '-a', 'wide'], 'No|Item|Qty\n1|pen|10\n2|notebook|5');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), native.stdout.toString('utf8'));
    assert.equal(await page.evaluate(() => location.hash), '#f=3&p=B&w=wide&e=utf8&i=psv');
    await context.close();
    await server.close();
});

describe('axe-core finds no violations', () => {
    for (const colorScheme of ['light', 'dark']) {
        test(colorScheme, async () => {
            // axe is injected as a script, which the page's own policy would refuse.
            const { context, page } = await fresh({ colorScheme, bypassCSP: true });
            await choose(page, { text: 'A|B\nC' });
            await page.addScriptTag({ content: axeSource });
            const results = await page.evaluate(() => axe.run(document));
            assert.deepEqual(results.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);
            await context.close();
        });
    }
});

// Sets Input by script, as a paste leaves it, and waits for its frame.
async function paste(page, text) {
    await page.evaluate((value) => {
        const input = document.getElementById('input');
        input.value = value;
        input.dispatchEvent(new Event('input'));
    }, text);
    return answer(page);
}

// About 1 MiB of rows with Japanese, framed in the worker: Output holds only
// the lines in sight, which are the command's, and Copy gives all of it.
test('a table near 1 MiB: framed whole, drawn in part, copied whole', async () => {
    const server = await servePage();
    const { context, page } = await fresh({}, server.url);
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(server.url).origin });
    const rows = [];
    for (let i = 1, size = 0; size < 1000 * 1024; i++) {
        rows.push(`r${i}|品目-${i}|${(i * 7919) % 100000}|note ${i % 97}\n`);
        size += Buffer.byteLength(rows.at(-1));
    }
    const native = runNative(['-f', '2'], rows.join('')).stdout.toString('utf8');
    await choose(page, { frame: 2 });
    const { output, alert } = await paste(page, rows.join(''));
    assert.equal(alert, '');
    assert.ok(native.startsWith(output.slice(0, 2000)), 'the first lines in sight are the command\'s');
    assert.ok(await page.locator('#output *').count() < 3000, 'not an element a character');
    // Scrolled to the end, the last lines are drawn.
    await controls(page).output.evaluate((element) => { element.scrollTop = element.scrollHeight; });
    await page.waitForFunction((last) => document.getElementById('output').textContent.includes(last),
        native.slice(native.lastIndexOf('\n', native.length - 2) + 1));
    await controls(page).copy.click();
    await page.getByRole('status').filter({ hasText: 'Copied' }).waitFor();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), native);
    await context.close();
    await server.close();
});

// Typed key by key into a 200-row table, refused row by row while a row is
// half typed: each answer is the command's, or the last frame kept.
test('typing into a 200-row table', async () => {
    const { context, page } = await fresh();
    const rows = ['No|品名|Qty'];
    for (let i = 1; i <= 200; i++) rows.push(`${i}|りんご${i}|${i * 3}`);
    const table = `${rows.join('\n')}\n`;
    await paste(page, table);
    await controls(page).input.focus();
    await page.keyboard.press('Control+End');
    let last = runNative([], table).stdout.toString('utf8');
    let typed = table;
    for (const key of ['2', '0', '1', '|', 'x', '|', '9']) {
        await page.keyboard.type(key);
        typed += key;
        const native = runNative([], typed);
        if (native.status === 0) last = native.stdout.toString('utf8');
        // Output, scrolled to its top, holds the first lines in sight.
        const { output, alert } = await answer(page);
        assert.equal(alert, native.status === 0 ? '' : nativeRefusal(native), JSON.stringify(key));
        assert.ok(output.length > 2000 && last.startsWith(output), JSON.stringify(key));
        assert.equal(await page.evaluate(() => window.zentabShown()), last);
    }
    await context.close();
});

test('over the limit: the size in characters and in bytes', async () => {
    const { context, page } = await fresh();
    // Output, made ready for a long frame while the table is framed, keeps
    // the height of the short frame it still shows.
    const height = async () => (await controls(page).output.boundingBox()).height;
    const kept = await height();
    for (const [encoding, bytesOf, name] of [['UTF-8', (text) => Buffer.byteLength(text), 'UTF-8'],
        ['Shift-JIS', (text) => iconv('UTF-8', 'CP932', text).length, 'Shift-JIS']]) {
        await choose(page, { encoding });
        const text = `${'あい|😀\n'.repeat(Math.ceil((1 << 20) / (encoding === 'UTF-8' ? 11 : 8)) + 3)}`;
        const characters = [...text].length;
        const { alert } = await paste(page, text);
        const count = (value) => value.toLocaleString('en-US');
        if (encoding === 'UTF-8') {
            assert.equal(alert, `The table is ${count(characters)} characters, ${count(bytesOf(text))} bytes in ${name}: `
                + 'at most 1,048,576 bytes (1 MiB) can be framed.');
        } else {
            // The emoji has no code page 932 code: refused for that first.
            assert.match(alert, /^line 1, column 4: U\+1F600 cannot be written/);
        }
        assert.equal(await height(), kept, encoding);
    }
    await context.close();
});

// Long lines of wide letters, emoji, combining marks and box lines, in each
// monospace font the machine has and in the default: the right edge of every
// line within a pixel of the first's.
describe('long lines line up within 1 px in each font', () => {
    const cell = (i) => ['漢字かな', '😀👩\u200d👩\u200d👧', 'é e\u0301 ①±', 'ｶﾀｶﾅ─│', 'plain text'][i % 5];
    const rows = [];
    for (let row = 0; row < 6; row++) rows.push(Array.from({ length: 40 }, (_, i) => cell(i + row)).join('|'));
    const text = rows.join('\n');
    for (const font of ['DejaVu Sans Mono', 'Noto Sans Mono', 'monospace']) {
        for (const width of ['narrow', 'wide']) {
            test(`${font}, ${width}`, async () => {
                // The font is set by a style of the test's own, which the page's policy would refuse.
                const { context, page } = await fresh({ bypassCSP: true });
                await page.addStyleTag({ content: `#output { font-family: ${font === 'monospace' ? font : `'${font}'`}; }` });
                await choose(page, { width, text });
                const ends = await lineEnds(page);
                const columns = runNative(['-a', width], text).stdout.toString('utf8').indexOf('\n');
                assert.ok(columns > 240, `${columns} characters a line`);
                assert.ok(ends.length >= 12);
                const spread = Math.max(...ends) - Math.min(...ends);
                assert.ok(spread < 1, `line ends ${ends.map((end) => end.toFixed(2)).join(', ')}`);
                await context.close();
            });
        }
    }
});

// A phone's width: nothing wider than the screen but Output's own scroll, and
// a frame typed, chosen and copied there; each position type shows where a
// header and a body cell sit, as the command places them.
test('320 px wide: no page scroll, pictures of position types, frame and copy', async () => {
    const server = await servePage();
    const { context, page } = await fresh({ viewport: { width: 320, height: 640 }, isMobile: true, hasTouch: true }, server.url);
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(server.url).origin });
    await choose(page, { text: mixed, frame: 5, position: 'H' });
    const wide = await page.evaluate(() => [document.documentElement.scrollWidth,
        [...document.querySelectorAll('body *')].filter((element) => !element.closest('#output')
            && element.getBoundingClientRect().right > innerWidth + 0.5).map((element) => element.id || element.tagName)]);
    assert.deepEqual(wide, [320, []]);
    await controls(page).copy.tap();
    await page.getByRole('status').filter({ hasText: 'Copied' }).waitFor();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), runNative(['-f', '5', '-p', 'H'], mixed).stdout.toString('utf8'));
    for (const letter of positions) {
        const picture = await controls(page).positionType(letter).evaluate((radio) => radio.parentElement.querySelector('.picture').textContent);
        assert.equal(picture, runNative(['-f', '2', '-p', letter], 'H|H\nb|b\n···|···').stdout.toString('utf8'), letter);
    }
    await context.close();
    await server.close();
});
