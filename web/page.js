'use strict';
/* ZENTAB_CORE */
/* ZENTAB_RUNS */
/* ZENTAB_UNPACK */

const positions = 'ABCDEFGHIJKLMNOPQ';
const formats = ['psv', 'csv', 'tsv', 'markdown', 'frame'];
// Input formats: the module's, and a Markdown document, whose tables are
// lined up in place rather than framed.
const inputs = [...formats, 'document'];
const defaults = { f: 1, p: 'A', w: 'narrow', e: 'utf8', i: 'psv', fw: '', cw: '', o: 'wrap', a: '', pad: '', r: 'all', c: '', s: '', n: '', m: '', l: 'table', tt: '', ft: '', ta: 'c' };
const state = { ...defaults };
const byId = (id) => document.getElementById(id);
const input = byId('input');
// The sample lives in the page's markup, where the page is built to show its
// frame before the module is ready (scripts/assemble-web.mjs).
const sample = input.defaultValue;
const output = byId('output');
const refusal = byId('refusal');
const showPlace = byId('show-place');
const staleNote = byId('stale-note');
const status = byId('status');
const width = byId('width');
const encoding = byId('encoding');
const format = byId('format');
const fitOutput = byId('fit-output');
// How the frame fits: each setting's control, what it takes, and what a
// person is told when it takes not what was typed. A frame width of "out"
// is Output's own.
const counted = (text, least, most) => /^\d{1,9}$/.test(text) && Number(text) >= least && Number(text) <= most;
const fitSettings = {
    fw: { control: byId('frame-width'), takes: (v) => v === '' || v === 'out' || counted(v, 1, 1e6), hint: 'Frame width: use a number of columns' },
    cw: {
        control: byId('cell-width'),
        takes: (v) => v === '' || v.split(',').every((item) => item === '-' || counted(item, 1, 1e6)),
        hint: 'Cell width: use a number of columns, or one a column separated by commas, - for no limit',
    },
    o: { control: byId('overflow'), takes: (v) => v === 'wrap' || v === 'truncate' },
    a: { control: byId('align'), takes: (v) => /^[lrcd.]*$/i.test(v), hint: 'Align: use a letter a column: l, r, c, d or .' },
    pad: { control: byId('padding'), takes: (v) => v === '' || counted(v, 0, 1000), hint: 'Padding: use a number of spaces, 0 to 1000' },
    r: { control: byId('rules'), takes: (v) => ['all', 'header', 'none'].includes(v) },
    l: { control: byId('layout'), takes: (v) => ['table', 'records', 'auto'].includes(v) },
    // Read by the module, which says when it cannot (shapeHints).
    c: { control: byId('columns'), takes: (v) => !v.includes('\x1F') },
    s: { control: byId('sort'), takes: (v) => !v.includes('\x1F') },
    n: { control: byId('number'), takes: (v) => !v.includes('\x1F') },
    m: { control: byId('missing'), takes: (v) => !v.includes('\x1F') },
    tt: { control: byId('title'), takes: (v) => !v.includes('\x1F') },
    ft: { control: byId('footer'), takes: (v) => !v.includes('\x1F') },
    ta: { control: byId('title-align'), takes: (v) => ['c', 'l', 'r'].includes(v) },
};
// Settings of free text, written to the fragment escaped.
const textSettings = new Set(['tt', 'ft']);
// What a person is told of a Columns or Sort the module cannot read.
const shapeHints = {
    columns: 'Columns: use numbers from 1, ranges such as 2-4 or headers, separated by commas',
    sort: 'Sort: use columns by number or header, separated by commas, each followed by :n for numbers or :r to reverse',
    number: 'Numbers: use one item a column, separated by commas: - as is, g grouped, .N N decimals (0 to 20), g.N both',
    missing: 'Missing: use text without control characters',
};
// The settings whose controls hold what they cannot take.
const badFit = new Set();
let outputColumns = 0;
// Tables up to this many UTF-16 code units are framed at once, on the input
// event; larger ones in the worker, never holding up typing.
const framedAtOnce = 32 * 1024;
// Frames of more lines draw only the lines in sight.
const drawnWhole = 400;
// Output's line height in CSS pixels (page.css): whole, so line n is at n times it.
const lineHeight = 17;
let zentab;
let worker = null;
let sent = 0;
let shownSeq = 0;
let working = false;
let scheduled = false;
let waiting = null;
let place = null;
let shown = '';
// The request of the frame on show, and those sent and not yet answered.
let shownJob = null;
const jobs = new Map();
let view = { text: '', layout: new Uint32Array(0), wide: false, starts: [0], first: -1, last: -1 };

function readFragment() {
    const params = new URLSearchParams(location.hash.slice(1));
    const f = Number(params.get('f'));
    const p = (params.get('p') || '').toUpperCase();
    state.f = Number.isInteger(f) && f >= 1 && f <= 6 ? f : defaults.f;
    state.p = p.length === 1 && positions.includes(p) ? p : defaults.p;
    state.w = params.get('w') === 'wide' ? 'wide' : defaults.w;
    state.e = params.get('e') === 'sjis' ? 'sjis' : defaults.e;
    state.i = inputs.includes(params.get('i')) ? params.get('i') : defaults.i;
    for (const [key, setting] of Object.entries(fitSettings)) {
        const value = params.get(key) ?? defaults[key];
        state[key] = setting.takes(value) ? value : defaults[key];
    }
    badFit.clear();
}

// The fit settings only where they differ from the defaults, so that links
// made before them stay as they were.
function writeFragment() {
    const fit = Object.keys(fitSettings).filter((key) => state[key] !== defaults[key])
        .map((key) => `&${key}=${textSettings.has(key) ? encodeURIComponent(state[key]) : state[key]}`).join('');
    history.replaceState(null, '', `#f=${state.f}&p=${state.p}&w=${state.w}&e=${state.e}&i=${state.i}${fit}`);
}

function showFit() {
    for (const [key, { control }] of Object.entries(fitSettings)) {
        control.value = key === 'fw' && state.fw === 'out' ? '' : state[key];
        control.removeAttribute('aria-invalid');
    }
    fitOutput.checked = state.fw === 'out';
    fitSettings.fw.control.disabled = fitOutput.checked;
}

// Output's width in columns, for "fit Output".
function measureOutput() {
    measureFont();
    const style = getComputedStyle(output);
    const inner = output.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    outputColumns = Math.max(1, Math.floor(inner / advance));
}

// The fit of the request, in the numbers the module takes.
function fitOfState() {
    return {
        width: state.fw === 'out' ? outputColumns : Number(state.fw),
        cellWidths: state.cw ? state.cw.split(',').map((item) => (item === '-' ? 0 : Number(item))) : [],
        overflow: state.o === 'truncate' ? 1 : 0,
        align: [...state.a.toLowerCase()].map((letter) => '.lrcd'.indexOf(letter)),
        padding: Number(state.pad),
        rules: ['all', 'header', 'none'].indexOf(state.r),
        layout: ['table', 'records', 'auto'].indexOf(state.l),
    };
}

// The title and footer the request draws, as the module takes them.
function titlesOfState() {
    return { title: state.tt, footer: state.ft, align: ['c', 'l', 'r'].indexOf(state.ta) };
}

// The columns and rows the request shows, and what its numbers and empty
// cells show, as the module takes them.
function shapeOfState() {
    return { columns: state.c, sort: state.s, number: state.n, missing: state.m };
}

// A control holding what it cannot take leaves the setting as it was and
// says so where refusals are said, keeping the last frame.
function chooseFit(key) {
    const { control, takes } = fitSettings[key];
    const value = control.value.trim();
    const bad = control.validity.badInput || !takes(value);
    if (bad) {
        badFit.add(key);
        control.setAttribute('aria-invalid', 'true');
    } else {
        badFit.delete(key);
        control.removeAttribute('aria-invalid');
        state[key] = value;
    }
    writeFragment();
    update();
}

function showChoices() {
    document.querySelector(`input[name="frame"][value="${state.f}"]`).checked = true;
    document.querySelector(`input[name="position"][value="${state.p}"]`).checked = true;
    width.value = state.w;
    encoding.value = state.e;
    format.value = state.i;
    showFit();
}

// The first triple of layout that starts at or after offset.
function tripleAt(layout, offset) {
    let low = 0;
    let high = layout.length / 3;
    while (low < high) {
        const middle = (low + high) >> 1;
        if (layout[3 * middle] < offset) low = middle + 1;
        else high = middle;
    }
    return low;
}

// The width of a column in Output, measured on a long run of text as the
// page lays it out, and whether each cluster beyond ASCII takes its columns
// in the fonts that draw it, per font.
const ruler = document.createElement('canvas').getContext('2d');
let rulerFont = '';
let advance = 0;
const fitting = new Map();

function measureFont() {
    const style = getComputedStyle(output);
    const font = `${style.fontSize} ${style.fontFamily}`;
    if (font === rulerFont) return;
    rulerFont = font;
    ruler.font = font;
    fitting.clear();
    // On the canvas, as the page lays text out to within 1/64 px in 1000
    // columns, and without laying out the page before its first paint.
    advance = ruler.measureText('0'.repeat(1000)).width / 1000;
    output.style.setProperty('--column', `${advance}px`);
}

// How wide the fonts draw a cluster, in CSS pixels.
function glyphWidth(cluster) {
    let width = fitting.get(cluster);
    if (width === undefined) {
        width = ruler.measureText(cluster).width;
        fitting.set(cluster, width);
    }
    return width;
}

function fits(cluster, columns) {
    return Math.abs(glyphWidth(cluster) - columns * advance) < 0.002;
}

const always = () => false;

// The text from `from` to `to` into target, in the runs frameRuns makes.
function render(target, text, layout, from = 0, to = text.length, fit = fits) {
    const parts = document.createDocumentFragment();
    // Measured glyphs are spaced to their columns, so that a run sits as its
    // characters one a box would; the small pictures' are not measured.
    const measured = fit === fits;
    const box = ({ kind, rule, text: clusters, columns, glyph, span }) => {
        const element = document.createElement('span');
        element.className = kind;
        element.textContent = clusters;
        if (span) {
            element.style.setProperty('--n', span);
            if (measured && !rule) {
                const spacing = columns * advance - glyph;
                element.classList.add('spread');
                element.style.letterSpacing = `${spacing}px`;
                element.style.textIndent = `${spacing / 2}px`;
            }
        }
        parts.append(element);
    };
    frameRuns(text, layout, tripleAt(layout, from), from, to, fit, measured ? glyphWidth : () => 0,
        (plain) => parts.append(plain), box);
    target.replaceChildren(parts);
}

// Whether text holds more than count lines, looking no further.
function hasLines(text, count) {
    let at = -1;
    for (let line = 0; line < count; line++) {
        at = text.indexOf('\n', at + 1);
        if (at < 0) return false;
    }
    return true;
}

function lineStarts(text) {
    const starts = [0];
    for (let at = text.indexOf('\n'); at >= 0 && at + 1 < text.length; at = text.indexOf('\n', at + 1)) starts.push(at + 1);
    return Uint32Array.from(starts);
}

// A large frame: a block as tall as all its lines, and over it only the
// lines in sight and some either side, drawn again as Output scrolls.
const sizer = document.createElement('div');
const sight = document.createElement('div');
sizer.className = 'sizer';
sight.className = 'sight';
let drawPending = false;
// Output's scroll position and height as last seen, kept as they change:
// reading them after a keystroke would lay the page out once more before
// the frame is drawn.
let sightTop = 0;
let sightHeight = 0;

function drawSight() {
    drawPending = false;
    const { text, layout, starts } = view;
    // Before Output has been laid out tall, as tall as it can be (70vh), so
    // that the size it is then told changes nothing.
    const height = view.first < 0 ? Math.max(sightHeight, innerHeight) : sightHeight;
    const first = Math.max(0, Math.floor(sightTop / lineHeight) - 40);
    const last = Math.min(starts.length, first + Math.ceil(height / lineHeight) + 80);
    // Drawn already, maybe more: a taller Output would draw the page once more.
    if (view.first >= 0 && view.first <= first && view.last >= last && first - view.first < 40) return;
    view.first = first;
    view.last = last;
    sight.style.top = `calc(0.5rem + ${first * lineHeight}px)`;
    const [from, to] = [starts[first], last < starts.length ? starts[last] : text.length];
    if (layout) {
        render(sight, text, layout, from, to);
        return;
    }
    const part = text.slice(from, to);
    render(sight, part, zentab.layoutOf(part, view.wide));
}

// layout: null when the frame came from the worker, which leaves it to the
// page: a long frame is laid out only in the lines in sight. starts: where
// each line starts, when the worker has found them.
function showFrame(text, layout, wide, starts = lineStarts(text)) {
    shown = text;
    view = { text, layout, wide, starts, first: -1, last: -1 };
    measureFont();
    const whole = view.starts.length <= drawnWhole;
    output.classList.toggle('partial', !whole);
    if (whole) {
        render(output, text, layout ?? zentab.layoutOf(text, wide));
        return;
    }
    sizer.style.height = `${view.starts.length * lineHeight}px`;
    if (sizer.parentNode !== output) output.replaceChildren(sizer, sight);
    drawSight();
}

function codePoints(text) {
    let count = text.length;
    for (let at = 0; at < text.length; at++) {
        const unit = text.charCodeAt(at);
        if (unit >= 0xdc00 && unit <= 0xdfff && at > 0 && text.charCodeAt(at - 1) >= 0xd800 && text.charCodeAt(at - 1) <= 0xdbff) count--;
    }
    return count;
}

// Over the limit, in what the person pasted: characters, and bytes as well.
function overLimit(found, text) {
    const count = (value) => value.toLocaleString('en-US');
    const bytesIn = state.e === 'sjis' ? 'Shift-JIS' : 'UTF-8';
    return `The table is ${count(codePoints(text))} characters, ${count(found.found)} bytes in ${bytesIn}: `
        + `at most ${count(found.limit)} bytes (1 MiB) can be framed.`;
}

// Where line and column (characters, a pair as one) fall in text, as a range
// of code units to select: the character there, or its whole line when the
// column is past the line's end.
function rangeOf(text, line, column) {
    const ends = /\r\n|\r|\n/g;
    let start = text.charCodeAt(0) === 0xfeff ? 1 : 0;
    for (let at = 1; at < line; at++) {
        ends.lastIndex = start;
        const end = ends.exec(text);
        if (!end) break;
        start = end.index + end[0].length;
    }
    ends.lastIndex = start;
    const found = ends.exec(text);
    const lineEnd = found ? found.index : text.length;
    let at = start;
    for (let counted = 1; counted < column && at < lineEnd; counted++) {
        const unit = text.charCodeAt(at);
        at += unit >= 0xd800 && unit <= 0xdbff && at + 1 < lineEnd ? 2 : 1;
    }
    if (at >= lineEnd) return [start, lineEnd];
    const unit = text.charCodeAt(at);
    return [at, at + (unit >= 0xd800 && unit <= 0xdbff ? 2 : 1)];
}

function selectPlace() {
    if (!place) return;
    const [start, end] = rangeOf(input.value, place.line, place.column);
    input.setSelectionRange(start, end);
}

function showRefusal(found, text) {
    output.classList.toggle('stale', shown !== '');
    staleNote.hidden = shown === '';
    // Said in the page's words: the command's names its option.
    const narrow = `the frame needs at least ${found.found} columns; Frame width is ${found.limit}`;
    refusal.textContent = found.kind === 3 ? overLimit(found, text) : found.kind === 26 ? narrow : found.message;
    place = found.line > 0 ? { line: found.line, column: found.column } : null;
    showPlace.hidden = !place;
    // Not while typing there: the caret stays where the person is writing.
    if (document.activeElement !== input) selectPlace();
}

function showResult(result) {
    const job = jobs.get(result.seq);
    for (const seq of jobs.keys()) if (seq <= result.seq) jobs.delete(seq);
    if (result.seq < shownSeq) return;
    shownSeq = result.seq;
    output.setAttribute('aria-busy', String(shownSeq !== sent || scheduled));
    status.textContent = '';
    if (result.refusal) {
        // Output as tall as the frame it keeps, whatever it was made ready for.
        output.classList.toggle('partial', view.starts.length > drawnWhole);
        if (result.refusal.badList) result.refusal.message = shapeHints[result.refusal.badList];
        showRefusal(result.refusal, job.text);
        return;
    }
    refusal.textContent = '';
    place = null;
    showPlace.hidden = true;
    staleNote.hidden = true;
    output.classList.remove('stale');
    shownJob = job;
    showFrame(result.text, result.layout, job.wide || job.sjis, result.starts);
    if (result.left?.length) showTablesLeft(result.left);
}

// A document's tables that could not be lined up, said where refusals are,
// the first one's place ready to select; Output holds the document all the same.
function showTablesLeft(left) {
    const [first] = left;
    const more = left.length - 1;
    refusal.textContent = `A table is left as it is: ${first.message}`
        + (more ? ` (and ${more} more table${more > 1 ? 's' : ''} left as they are)` : '');
    place = first.line > 0 ? { line: first.line, column: first.column } : null;
    showPlace.hidden = !place;
}

// Shared by the page and its worker: the frame of one request, or its
// document with the tables lined up and those left as they are, and its
// layout where the page asks for it.
function frameJob(zentab, job) {
    const result = job.document
        ? zentab.formatDocument(job.text, 0, job.wide, job.padding)
        : zentab.frameText(job.text, job.f, job.p, job.wide, job.sjis, false, true, job.from, 4, job.fit, job.shape,
            job.titles);
    if (result.badList) return { seq: job.seq, refusal: { kind: -1, line: 0, message: '', badList: result.badList } };
    if (result.refusal) return { seq: job.seq, refusal: result.refusal };
    const left = result.tables?.filter((table) => table.refusal).map((table) => table.refusal);
    return { seq: job.seq, text: result.text, left, layout: job.layOut ? zentab.layoutOfOutput(job.wide || job.sjis) : null };
}

function post(job) {
    working = true;
    worker.postMessage(job);
}

function workerAnswered({ data }) {
    working = false;
    const job = waiting;
    waiting = null;
    if (job) post(job);
    showResult(data);
}

function update() {
    // Typing or choosing before the module is ready is framed once it is; the
    // built-in frame is no longer the table's.
    if (!zentab) {
        output.replaceChildren();
        return;
    }
    if (state.fw === 'out') measureOutput();
    // A document is UTF-8 text, its cells padded as Markdown pads them unless
    // Padding says otherwise.
    const isDocument = state.i === 'document';
    const job = {
        seq: ++sent, text: input.value, f: state.f, p: positions.indexOf(state.p) + 1,
        wide: state.w === 'wide', sjis: state.e === 'sjis' && !isDocument, from: formats.indexOf(state.i), fit: fitOfState(),
        shape: shapeOfState(), titles: titlesOfState(), document: isDocument, padding: state.pad === '' ? -1 : Number(state.pad),
    };
    jobs.set(job.seq, job);
    if (badFit.size) {
        const [key] = badFit;
        showResult({ seq: job.seq, refusal: { kind: -1, line: 0, message: fitSettings[key].hint } });
        return;
    }
    if (job.text.length <= framedAtOnce || !worker) {
        job.layOut = true;
        showResult(frameJob(zentab, job));
        return;
    }
    output.setAttribute('aria-busy', 'true');
    // Output takes its height for a long frame now, in the layout the browser
    // is about to do for the text area holding the table: changed when the
    // frame comes, it would lay out and paint the page, text area and all, again.
    if (!output.classList.contains('partial') && hasLines(job.text, drawnWhole)) output.classList.add('partial');
    // One table at a time in the worker; of those typed meanwhile, the last.
    if (working) waiting = job;
    else post(job);
}

// A paste of many lines comes as an input event a line; typing fast, several
// a frame. Each frame's last is framed, once, just before the browser paints
// the text area's change, so that both show in that one paint rather than
// the frame a paint later; a hidden page, which paints nothing, frames it on
// a timer.
// A large table goes to the worker at once instead: framed there while the
// browser lays out the text area that now holds it, which takes as long.
let scheduledFrame = 0;
let scheduledTimer = 0;
function runScheduled() {
    cancelAnimationFrame(scheduledFrame);
    clearTimeout(scheduledTimer);
    if (!scheduled) return;
    scheduled = false;
    update();
}

function schedule() {
    output.setAttribute('aria-busy', 'true');
    if (worker && zentab && input.value.length > framedAtOnce) {
        scheduled = true;
        runScheduled();
        return;
    }
    if (scheduled) return;
    scheduled = true;
    scheduledFrame = requestAnimationFrame(runScheduled);
    scheduledTimer = setTimeout(runScheduled, 100);
}

function choose(key, value) {
    state[key] = value;
    writeFragment();
    update();
}

function radios(groupId, name, values) {
    const group = byId(groupId);
    for (const value of values) {
        const label = document.createElement('label');
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = name;
        radio.value = String(value);
        radio.addEventListener('change', () => choose(name === 'frame' ? 'f' : 'p', name === 'frame' ? value : String(value)));
        label.append(radio, ` type ${value}`);
        group.append(label);
    }
}

function picture(radio, text, frameType, positionType) {
    const box = document.createElement('span');
    box.className = 'picture';
    box.setAttribute('aria-hidden', 'true');
    const framed = zentab.frameText(text, frameType, positionType, false, false, false).text;
    render(box, framed, zentab.layoutOfOutput(false), 0, framed.length, always);
    radio.after(box);
}

// Each frame type's radio shows a small frame of its style, and each position
// type's where a short header and body sit, drawn by the module itself; after
// the first frame, which matters more.
function pictures() {
    for (const radio of document.querySelectorAll('input[name="frame"]')) picture(radio, ' | \n | \n | ', Number(radio.value), 1);
    for (const radio of document.querySelectorAll('input[name="position"]')) {
        picture(radio, 'H|H\nb|b\n···|···', 2, positions.indexOf(radio.value) + 1);
    }
}

async function copy() {
    try {
        await navigator.clipboard.writeText(shown);
    } catch {
        // Where the clipboard interface is refused, a selection still copies:
        // of a text area, since Output may hold only the lines in sight.
        const holder = document.createElement('textarea');
        holder.value = shown;
        holder.setAttribute('aria-hidden', 'true');
        holder.className = 'holder';
        document.body.append(holder);
        holder.select();
        document.execCommand('copy');
        holder.remove();
    }
    status.textContent = shown ? 'Copied to the clipboard.' : 'Nothing to copy.';
}

function download() {
    if (!shown) {
        status.textContent = 'Nothing to download.';
        return;
    }
    // The frame on show: after a refusal, the last one made.
    const job = shownJob;
    const bytes = job.sjis
        ? zentab.frameText(job.text, job.f, job.p, false, true, true, false, job.from, 4, job.fit, job.shape,
            job.titles).bytes
        : new TextEncoder().encode(shown);
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
    link.download = 'zentab.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    status.textContent = 'Saved as zentab.txt.';
}

// The module, packed in the page (module_unpack.js), unpacked and compiled
// at once: compiled in the background, it would wait for a busy machine's
// other threads, and the page has nothing else to do meanwhile.
function compile() {
    return new WebAssembly.Module(unpackModule('/* ZENTAB_WASM_PACKED */'));
}

// A worker of the page's own code for large tables; where none can start,
// they are framed in the page.
function startWorker(module) {
    // The worker finds the lines of the frame as well, which the page would
    // otherwise do after it comes, before drawing it.
    const source = `'use strict';\n${zentabOpen}\n${frameJob}\n${lineStarts}\nlet zentab;\n`
        + 'onmessage = ({ data }) => {\n'
        + '    if (data instanceof WebAssembly.Module) { zentab = zentabOpen(new WebAssembly.Instance(data, {})); return; }\n'
        + '    const result = frameJob(zentab, data);\n'
        + '    if (result.text !== undefined) result.starts = lineStarts(result.text);\n'
        + '    postMessage(result, [result.layout?.buffer, result.starts?.buffer].filter(Boolean));\n'
        + '};\n';
    try {
        worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
    } catch {
        return;
    }
    worker.onmessage = workerAnswered;
    worker.onerror = () => {
        worker = null;
        working = false;
        update();
    };
    worker.postMessage(module);
}

// Set when a frame has been painted, not merely put in the page: the frame
// after the next one begins once this one is on the screen.
function markShown(names, then = () => {}) {
    requestAnimationFrame(() => setTimeout(() => {
        for (const name of names) performance.mark(name);
        then();
    }));
}

async function start() {
    radios('frame-types', 'frame', [1, 2, 3, 4, 5, 6]);
    radios('position-types', 'position', [...positions]);
    readFragment();
    showChoices();
    input.value = sample;
    // The sample's frame as the page was built with it, only for the settings
    // it was made for (a link's own wait for the module), painted before the
    // module is unpacked, which holds up the page's thread.
    const builtIn = Object.keys(defaults).every((key) => state[key] === defaults[key]);
    if (builtIn) output.replaceChildren(byId('built-in-frame').content.cloneNode(true));
    const compiled = builtIn ? new Promise((resolve) => markShown(['zentab-first-frame'], () => resolve(compile()))) : compile();
    input.addEventListener('input', schedule);
    width.addEventListener('change', () => choose('w', width.value));
    encoding.addEventListener('change', () => choose('e', encoding.value));
    format.addEventListener('change', () => choose('i', format.value));
    for (const [key, { control }] of Object.entries(fitSettings)) {
        control.addEventListener(control.tagName === 'SELECT' ? 'change' : 'input', () => chooseFit(key));
    }
    fitOutput.addEventListener('change', () => {
        fitSettings.fw.control.disabled = fitOutput.checked;
        badFit.delete('fw');
        if (fitOutput.checked) choose('fw', 'out');
        else chooseFit('fw');
    });
    // Fitting Output: framed again when Output holds another number of columns.
    addEventListener('resize', () => {
        const before = outputColumns;
        if (state.fw !== 'out') return;
        measureOutput();
        if (outputColumns !== before) update();
    });
    byId('copy').addEventListener('click', copy);
    byId('download').addEventListener('click', download);
    showPlace.addEventListener('click', () => {
        input.focus();
        selectPlace();
    });
    output.addEventListener('scroll', () => {
        sightTop = output.scrollTop;
        if (!output.classList.contains('partial') || drawPending) return;
        drawPending = true;
        requestAnimationFrame(drawSight);
    });
    // Told after layout, before paint: a taller Output draws more lines at once.
    new ResizeObserver(() => {
        sightHeight = output.clientHeight;
        if (output.classList.contains('partial')) drawSight();
    }).observe(output);
    addEventListener('hashchange', () => {
        readFragment();
        showChoices();
        update();
    });
    const module = await compiled;
    zentab = zentabOpen(new WebAssembly.Instance(module, {}));
    update();
    // For the benchmarks: the frame the module drew, painted.
    markShown([...(builtIn ? [] : ['zentab-first-frame']), 'zentab-module-frame'], () => {
        pictures();
        startWorker(module);
        document.documentElement.dataset.ready = 'true';
    });
    // For the console and the benchmarks: the same function the page uses.
    window.zentab = { frameText: zentab.frameText };
    // For the tests: the whole frame on show, of which Output may draw a part.
    window.zentabShown = () => shown;
}

start();
