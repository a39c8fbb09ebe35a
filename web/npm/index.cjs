// zentab: a plain-text table in, a ruled text frame out, exactly as the
// `zentab` command prints it. CommonJS, so that require() works on every Node
// the package supports; index.js gives the same objects to import.
'use strict';

/* ZENTAB_CORE */

const positions = 'ABCDEFGHIJKLMNOPQ';
const wasm = '/* ZENTAB_WASM */';
let instance;
let opened;
let compiling;

function wasmBytes() {
    if (typeof Buffer === 'function') return Buffer.from(wasm, 'base64');
    const text = atob(wasm);
    const bytes = new Uint8Array(text.length);
    for (let at = 0; at < text.length; at++) bytes[at] = text.charCodeAt(at);
    return bytes;
}

// Compiled on first use, so that loading costs nothing, unless ready() has
// compiled it already.
function open() {
    if (!opened) {
        instance = new WebAssembly.Instance(new WebAssembly.Module(wasmBytes()), {});
        opened = zentabOpen(instance);
    }
    return opened;
}

/**
 * Compiles the module without blocking, so that the first frame() or
 * unframe() does not wait for it. Optional.
 * @returns {Promise<void>}
 */
function ready() {
    if (opened) return Promise.resolve();
    compiling ??= WebAssembly.instantiate(wasmBytes(), {}).then((compiled) => {
        // A frame() meanwhile compiled it the blocking way.
        if (!opened) {
            instance = compiled.instance;
            opened = zentabOpen(instance);
        }
    });
    return compiling;
}

// The names every face shares (text/public_names.h), from the module.
let namesRead;
function names() {
    if (!namesRead) {
        open();
        const { memory, zentab_names: at, zentab_names_size: size } = instance.exports;
        namesRead = JSON.parse(new TextDecoder().decode(new Uint8Array(memory.buffer, at(), size())));
    }
    return namesRead;
}

// The package's formats: the table's up to frame, which its functions take.
function packageFormats() {
    const { formats } = names();
    const last = formats.frame[0];
    return Object.fromEntries(Object.entries(formats).filter(([, [number]]) => number <= last).map(([name, [number]]) => [name, number]));
}

// The refusal kinds by number, in words a program can test.
const kinds = () => names().refusalKinds.map((name) => name.replaceAll('_', '-'));
const kindWord = (kind) => kinds()[kind] ?? `kind-${kind}`;

/** A table that cannot be framed: where, and why. */
class ZentabError extends Error {
    constructor(refusal) {
        super(refusal.message);
        this.name = 'ZentabError';
        this.line = refusal.line;
        this.column = refusal.column;
        this.codePoint = refusal.codePoint;
        this.kind = kindWord(refusal.kind);
        // What was counted and its limit: for frame-too-narrow, the fewest
        // columns the frame needs and the width asked.
        this.found = refusal.found;
        this.limit = refusal.limit;
    }
}

function wide(ambiguous) {
    if (ambiguous !== 'narrow' && ambiguous !== 'wide') {
        throw new RangeError(`ambiguous must be "narrow" or "wide", not ${String(ambiguous)}`);
    }
    return ambiguous === 'wide';
}

function positionNumber(position) {
    if (Number.isInteger(position) && position >= 1 && position <= 17) return position;
    if (typeof position === 'string' && position.length === 1) {
        const index = positions.indexOf(position.toUpperCase());
        if (index >= 0) return index + 1;
    }
    throw new RangeError(`position must be a letter A to Q or a number 1 to 17, not ${String(position)}`);
}

function formatNumber(name, value) {
    return oneOf(name, packageFormats(), value);
}

function isCp932(encoding) {
    const name = typeof encoding === 'string' ? encoding.toLowerCase() : encoding;
    const encodings = names().encoding;
    if (!Object.prototype.hasOwnProperty.call(encodings, name)) {
        throw new RangeError(`encoding must be "utf-8" or "cp932", not ${String(encoding)}`);
    }
    return encodings[name] === encodings.cp932;
}

function lineEndIsCrlf(lineEnd) {
    if (lineEnd !== 'lf' && lineEnd !== 'crlf') throw new RangeError(`lineEnd must be "lf" or "crlf", not ${String(lineEnd)}`);
    return lineEnd === 'crlf';
}

// The fit options, checked and turned into the numbers the module takes.
// Wider than any frame the module draws; what the command takes too.
const mostColumns = 1000000;
const mostPadding = 1000;

function columnsOrNone(name, value) {
    if (value === undefined || value === null || value === 0) return 0;
    if (!Number.isInteger(value) || value < 1 || value > mostColumns) {
        throw new RangeError(`${name} must be a number of columns, 1 to ${mostColumns}, not ${String(value)}`);
    }
    return value;
}

function cellWidthList(cellWidth) {
    if (!Array.isArray(cellWidth)) return cellWidth === undefined ? [] : [columnsOrNone('cellWidth', cellWidth)];
    return cellWidth.map((width) => columnsOrNone('cellWidth', width === '-' ? 0 : width));
}

// The number of a name in a table of the module's names.
function oneOf(name, table, value) {
    if (typeof value !== 'string' || !Object.hasOwn(table, value)) {
        throw new RangeError(`${name} must be one of ${Object.keys(table).join(', ')}, not ${String(value)}`);
    }
    return table[value];
}

function alignList(align) {
    if (align === undefined) return [];
    const letters = typeof align === 'string' ? align.toLowerCase() : '';
    const placed = names().align;
    if (typeof align !== 'string' || [...letters].some((letter) => !Object.hasOwn(placed, letter))) {
        throw new RangeError(`align must be letters l, r, c, d or ., one a column, not ${String(align)}`);
    }
    return [...letters].map((letter) => placed[letter]);
}

function fitOf({ width, cellWidth, overflow = 'wrap', align, padding = 0, rules = 'all', layout = 'table' }) {
    if (!Number.isInteger(padding) || padding < 0 || padding > mostPadding) {
        throw new RangeError(`padding must be a number of spaces, 0 to ${mostPadding}, not ${String(padding)}`);
    }
    return {
        width: columnsOrNone('width', width),
        cellWidths: cellWidthList(cellWidth),
        overflow: oneOf('overflow', names().overflow, overflow),
        align: alignList(align),
        padding,
        rules: oneOf('rules', names().rules, rules),
        layout: oneOf('layout', names().layout, layout),
    };
}

// The command's limit for --head and --tail.
const mostRows = 999999999;

// A list of columns as the command takes it: "3,1-2,Name", or an array of
// numbers and header texts.
function columnList(name, value) {
    if (value === undefined || value === null) return '';
    if (typeof value === 'string') return value;
    if (Number.isInteger(value)) return String(value);
    if (Array.isArray(value) && value.every((each) => typeof each === 'string' || Number.isInteger(each))) {
        return value.join(',');
    }
    throw new TypeError(`${name} must be a string such as "3,1-2,Name" or an array of column numbers and header texts`);
}

function rowsOrAll(name, value) {
    if (value === undefined || value === null) return -1;
    if (!Number.isInteger(value) || value < 0 || value > mostRows) {
        throw new RangeError(`${name} must be a number of rows, 0 to ${mostRows}, not ${String(value)}`);
    }
    return value;
}

function shapeOf({ columns, hide, sort, head, tail, transpose = false }) {
    return {
        columns: columnList('columns', columns),
        hide: columnList('hide', hide),
        sort: columnList('sort', sort),
        head: rowsOrAll('head', head),
        tail: rowsOrAll('tail', tail),
        transpose: Boolean(transpose),
    };
}


// Number styles as the command's --number takes them ("g,.2,-"), or an array
// of one a column.
function numberStyles(value) {
    if (value === undefined || value === null) return '';
    if (typeof value === 'string') return value;
    if (Array.isArray(value) && value.every((each) => typeof each === 'string')) return value.join(',');
    throw new TypeError('number must be a string such as "g,.2,-" or an array of one style a column');
}

function textOption(name, value, fallback) {
    if (value === undefined || value === null) return fallback;
    if (typeof value !== 'string') throw new TypeError(`${name} must be a string`);
    return value;
}

function cellTextOf({ number, groupChar, missing }) {
    const group = textOption('groupChar', groupChar, ',');
    if (group === '') throw new RangeError(`groupChar must be ${listHints.groupChar}, not ''`);
    return { number: numberStyles(number), groupChar: group, missing: textOption('missing', missing, '') };
}

function titlesOf({ title, footer, titleAlign = 'c', withTitle = false }) {
    const titleAligns = names().titleAlign;
    if (typeof titleAlign !== 'string' || titleAlign.length !== 1 || !Object.hasOwn(titleAligns, titleAlign)) {
        throw new RangeError(`titleAlign must be "l", "c" or "r", not ${String(titleAlign)}`);
    }
    return {
        title: textOption('title', title, ''),
        footer: textOption('footer', footer, ''),
        align: titleAligns[titleAlign],
        withTitle: Boolean(withTitle),
    };
}

const listHints = {
    columns: 'columns by number from 1, ranges such as 2-4 or header texts, separated by commas',
    hide: 'columns by number from 1, ranges such as 2-4 or header texts, separated by commas',
    sort: 'columns by number or header, separated by commas, each followed by :n for numbers or :r to reverse',
    number: 'one item a column, separated by commas: - as is, g grouped, .N N decimals (0 to 20), g.N both',
    groupChar: 'one character that is not a digit, sign or control',
    missing: 'text without control characters',
};

/**
 * Frames a table whose cells are split by `|` or by tabs, or converts it
 * between formats, as the command does.
 * @param {string | Uint8Array} text a string, or bytes in the encoding
 * @param {{frame?: number, position?: string | number, ambiguous?: 'narrow' | 'wide',
 *   from?: string, to?: string, encoding?: string, lineEnd?: 'lf' | 'crlf',
 *   width?: number, cellWidth?: number | (number | null | '-')[], overflow?: 'wrap' | 'truncate',
 *   align?: string, padding?: number, rules?: 'all' | 'header' | 'none',
 *   layout?: 'table' | 'records' | 'auto',
 *   columns?: string | (string | number)[], hide?: string | (string | number)[],
 *   sort?: string | (string | number)[], head?: number, tail?: number, transpose?: boolean,
 *   number?: string | string[], groupChar?: string, missing?: string,
 *   title?: string, footer?: string, titleAlign?: 'l' | 'c' | 'r', withTitle?: boolean}} [options]
 * @returns {string | Uint8Array} a string for a string, bytes in the encoding for bytes
 */
function frame(text, options = {}) {
    const {
        frame = 1, position, ambiguous = 'narrow', from = 'psv', to = 'frame', encoding = 'utf-8', lineEnd = 'lf',
    } = options;
    const given = text instanceof Uint8Array;
    if (typeof text !== 'string' && !given) throw new TypeError('text must be a string or a Uint8Array');
    if (!Number.isInteger(frame) || frame < 1 || frame > 6) {
        throw new RangeError(`frame must be a number 1 to 6, not ${String(frame)}`);
    }
    // Without one, Markdown written says no alignment, as the command's does.
    const positionType = position === undefined ? (to === 'frame' ? 1 : 0) : positionNumber(position);
    const read = formatNumber('from', from);
    const write = formatNumber('to', to);
    const cp932 = isCp932(encoding);
    const fit = fitOf(options);
    const shape = { ...shapeOf(options), ...cellTextOf(options) };
    const titles = titlesOf(options);
    const result = open().frameText(text, frame, positionType, wide(ambiguous), cp932, lineEndIsCrlf(lineEnd), !given,
        read, write, fit, shape, titles);
    if (result.badList) {
        throw new RangeError(`${result.badList} must be ${listHints[result.badList]}, not ${shape[result.badList]}`);
    }
    if (result.refusal) throw new ZentabError(result.refusal);
    return given ? result.bytes : result.text;
}

/**
 * Reads a frame (this package's, the command's, or another tool's ruled
 * table) back into rows of cells, as `zentab --unframe` does.
 * @param {string} text
 * @param {{ambiguous?: 'narrow' | 'wide'}} [options] the width model tried first
 * @returns {string[][]}
 */
function unframe(text, { ambiguous = 'narrow' } = {}) {
    if (typeof text !== 'string') throw new TypeError('text must be a string');
    const result = open().unframe(text, wide(ambiguous));
    if (result.refusal) throw new ZentabError(result.refusal);
    return result.rows;
}


/**
 * Lines up every table of a document in place, as `zentab fmt --in KIND`
 * does: the text around the tables, and each cell's text, come back as they
 * went in. A table that cannot be lined up is left as it is, and its entry
 * in tables says why.
 * @param {string} text
 * @param {{kind?: 'markdown' | 'org' | 'rst' | 'text', ambiguous?: 'narrow' | 'wide', padding?: number}} [options]
 * @returns {{text: string, tables: {line: number, changed: boolean,
 *   refusal?: {kind: string, line: number, column: number, message: string}}[]}}
 */
function formatDocument(text, { kind = 'markdown', ambiguous = 'narrow', padding } = {}) {
    if (typeof text !== 'string') throw new TypeError('text must be a string');
    const kindNumber = oneOf('kind', names().documentKinds, kind);
    if (padding !== undefined && (!Number.isInteger(padding) || padding < 0 || padding > mostPadding)) {
        throw new RangeError(`padding must be a number of spaces, 0 to ${mostPadding}, not ${String(padding)}`);
    }
    const result = open().formatDocument(text, kindNumber, wide(ambiguous), padding ?? -1);
    if (result.refusal) throw new ZentabError(result.refusal);
    const tables = result.tables.map(({ line, changed, refusal }) => (refusal
        ? { line, changed, refusal: { kind: kindWord(refusal.kind), line: refusal.line, column: refusal.column, message: refusal.message } }
        : { line, changed }));
    return { text: result.text, tables };
}

// The command's own run (cli/ in the module), for the package's `zentab` bin:
// args without the program name; readInput(file) gives {bytes, size} or
// {error}. Returns {status, out, err}, the last two as bytes.
function runCommand(args, ambiguous, columns, readInput) {
    open().readyCp932();
    const exports = instance.exports;
    const put = (bytes) => new Uint8Array(exports.memory.buffer, exports.zentab_command_buffer(bytes.length), bytes.length).set(bytes);
    const taken = (at, size) => new Uint8Array(exports.memory.buffer, at, size).slice();
    put(new TextEncoder().encode([ambiguous ?? '', columns ?? '', ...args].map((field) => `${field}\0`).join('')));
    let status = exports.zentab_command_start();
    if (status < 0) {
        const file = new TextDecoder().decode(taken(exports.zentab_command_out(), exports.zentab_command_out_size()));
        const input = readInput(file);
        if (input.error !== undefined) return { status: 1, out: new Uint8Array(), err: new TextEncoder().encode(`zentab: ${input.error}\n`) };
        put(input.bytes);
        status = exports.zentab_command_finish(input.size);
    }
    return {
        status,
        out: taken(exports.zentab_command_out(), exports.zentab_command_out_size()),
        err: taken(exports.zentab_command_err(), exports.zentab_command_err_size()),
    };
}

module.exports = { ready, frame, unframe, formatDocument, ZentabError };
// Not part of the package's interface: the bin's door to the module.
Object.defineProperty(module.exports, 'runCommand', { value: runCommand });
