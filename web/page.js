'use strict';
/* ZENTAB_CORE */

const sample = [
    'Item|Qty|Note',
    'りんご (apple)|3|Japanese letters take two columns',
    'みかん (orange)|12|Box lines ─ take one or two: see Width',
    'Total|15|-',
].join('\n');
const positions = 'ABCDEFGHIJKLMNOPQ';
const formats = ['psv', 'csv', 'tsv', 'markdown', 'frame'];
const defaults = { f: 1, p: 'A', w: 'narrow', e: 'utf8', i: 'psv' };
const state = { ...defaults };
const byId = (id) => document.getElementById(id);
const input = byId('input');
const output = byId('output');
const refusal = byId('refusal');
const status = byId('status');
const width = byId('width');
const encoding = byId('encoding');
const format = byId('format');
let frameText;
let layoutOf;
let shown = '';

function readFragment() {
    const params = new URLSearchParams(location.hash.slice(1));
    const f = Number(params.get('f'));
    const p = (params.get('p') || '').toUpperCase();
    state.f = Number.isInteger(f) && f >= 1 && f <= 6 ? f : defaults.f;
    state.p = p.length === 1 && positions.includes(p) ? p : defaults.p;
    state.w = params.get('w') === 'wide' ? 'wide' : defaults.w;
    state.e = params.get('e') === 'sjis' ? 'sjis' : defaults.e;
    state.i = formats.includes(params.get('i')) ? params.get('i') : defaults.i;
}

function writeFragment() {
    history.replaceState(null, '', `#f=${state.f}&p=${state.p}&w=${state.w}&e=${state.e}&i=${state.i}`);
}

function showChoices() {
    document.querySelector(`input[name="frame"][value="${state.f}"]`).checked = true;
    document.querySelector(`input[name="position"][value="${state.p}"]`).checked = true;
    width.value = state.w;
    encoding.value = state.e;
    format.value = state.i;
}

// Every character that is not ASCII gets a box of exactly its columns, so the
// frame lines up whatever widths the machine's fonts give those glyphs.
function render(target, text, wide) {
    const parts = document.createDocumentFragment();
    let done = 0;
    for (const [start, units, columns] of layoutOf(text, wide)) {
        if (start > done) parts.append(text.slice(done, start));
        const character = text.slice(start, start + units);
        const box = document.createElement('span');
        const rule = character >= '\u2500' && character <= '\u257f';
        box.className = `c${Math.min(columns, 2)}${rule ? ' rule' : ''}`;
        box.textContent = character;
        parts.append(box);
        done = start + units;
    }
    if (done < text.length) parts.append(text.slice(done));
    target.replaceChildren(parts);
}

function update() {
    // Typing before the module is ready is framed once it is.
    if (!frameText) return;
    const result = frameText(input.value, state.f, positions.indexOf(state.p) + 1,
        state.w === 'wide', state.e === 'sjis', false, true, formats.indexOf(state.i));
    status.textContent = '';
    if (result.refusal) {
        shown = '';
        output.replaceChildren();
        refusal.textContent = result.refusal.message;
        return;
    }
    shown = result.text;
    refusal.textContent = '';
    render(output, shown, state.w === 'wide' || state.e === 'sjis');
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

// Each frame type's radio shows a small frame of its style, drawn by the
// module itself; after the first frame, which matters more.
function pictures() {
    for (const radio of document.querySelectorAll('input[name="frame"]')) {
        const picture = document.createElement('span');
        picture.className = 'picture';
        picture.setAttribute('aria-hidden', 'true');
        render(picture, frameText(' | \n | \n | ', Number(radio.value), 1, false, false, false).text, false);
        radio.after(picture);
    }
}

async function copy() {
    try {
        await navigator.clipboard.writeText(shown);
    } catch {
        // Where the clipboard interface is refused, a selection still copies.
        const selection = getSelection();
        selection.selectAllChildren(output);
        document.execCommand('copy');
        selection.removeAllRanges();
    }
    status.textContent = shown ? 'Copied to the clipboard.' : 'Nothing to copy.';
}

function download() {
    if (!shown) {
        status.textContent = 'Nothing to download.';
        return;
    }
    const bytes = state.e === 'sjis'
        ? frameText(input.value, state.f, positions.indexOf(state.p) + 1, false, true, true, false,
            formats.indexOf(state.i)).bytes
        : new TextEncoder().encode(shown);
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
    link.download = 'zentab.txt';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    status.textContent = 'Saved as zentab.txt.';
}

// The module, gzipped in the page, compiled while it is still unpacking and
// the rest of the page is set up.
function compile() {
    const text = atob('/* ZENTAB_WASM_GZ */');
    // A plain loop: Uint8Array.from with a mapping function is many times slower.
    const packed = new Uint8Array(text.length);
    for (let at = 0; at < text.length; at++) packed[at] = text.charCodeAt(at);
    // A stream of its own rather than a Blob's, whose bytes may live in
    // another process.
    const unpacked = new ReadableStream({
        start(controller) {
            controller.enqueue(packed);
            controller.close();
        },
    }).pipeThrough(new DecompressionStream('gzip'));
    return WebAssembly.instantiateStreaming(new Response(unpacked, { headers: { 'content-type': 'application/wasm' } }), {});
}

// Set when the first frame has been painted, not merely put in the page: the
// frame after the next one begins once this one is on the screen.
function markShown(then) {
    requestAnimationFrame(() => setTimeout(() => {
        performance.mark('zentab-first-frame');
        then();
    }));
}

async function start() {
    const compiled = compile();
    radios('frame-types', 'frame', [1, 2, 3, 4, 5, 6]);
    radios('position-types', 'position', [...positions]);
    readFragment();
    showChoices();
    input.value = sample;
    input.addEventListener('input', update);
    width.addEventListener('change', () => choose('w', width.value));
    encoding.addEventListener('change', () => choose('e', encoding.value));
    format.addEventListener('change', () => choose('i', format.value));
    byId('copy').addEventListener('click', copy);
    byId('download').addEventListener('click', download);
    addEventListener('hashchange', () => {
        readFragment();
        showChoices();
        update();
    });
    ({ frameText, layoutOf } = zentabOpen((await compiled).instance));
    update();
    markShown(() => {
        pictures();
        document.documentElement.dataset.ready = 'true';
    });
    // For the console and the benchmarks: the same function the page uses.
    window.zentab = { frameText };
}

start();
