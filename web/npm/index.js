// zentab: a plain-text table in, a ruled text frame out, exactly as the
// `zentab` command prints it.

/* ZENTAB_CORE */

const positions = 'ABCDEFGHIJKLMNOPQ';
const formats = ['psv', 'csv', 'tsv', 'markdown', 'frame'];
const wasm = '/* ZENTAB_WASM */';
let module;
let compiling;

function wasmBytes() {
    if (typeof Buffer === 'function') return Buffer.from(wasm, 'base64');
    const text = atob(wasm);
    const bytes = new Uint8Array(text.length);
    for (let at = 0; at < text.length; at++) bytes[at] = text.charCodeAt(at);
    return bytes;
}

// Compiled on first use, so that importing costs nothing, unless ready() has
// compiled it already.
function open() {
    if (!module) module = zentabOpen(new WebAssembly.Instance(new WebAssembly.Module(wasmBytes()), {}));
    return module;
}

/**
 * Compiles the module without blocking, so that the first frame() or
 * unframe() does not wait for it. Optional.
 * @returns {Promise<void>}
 */
export function ready() {
    if (module) return Promise.resolve();
    compiling ??= WebAssembly.instantiate(wasmBytes(), {}).then(({ instance }) => {
        // A frame() meanwhile compiled it the blocking way.
        module ??= zentabOpen(instance);
    });
    return compiling;
}

function refusal(result) {
    const error = new Error(result.refusal.message);
    error.line = result.refusal.line;
    error.column = result.refusal.column;
    error.codePoint = result.refusal.codePoint;
    return error;
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

/**
 * Frames a table whose cells are split by `|` or by tabs.
 * @param {string} text
 * @param {{frame?: number, position?: string | number, ambiguous?: 'narrow' | 'wide',
 *   from?: 'psv' | 'csv' | 'tsv' | 'markdown' | 'frame'}} [options]
 * @returns {string} the frame, each line ending in LF
 */
export function frame(text, { frame = 1, position = 'A', ambiguous = 'narrow', from = 'psv' } = {}) {
    if (typeof text !== 'string') throw new TypeError('text must be a string');
    if (!Number.isInteger(frame) || frame < 1 || frame > 6) {
        throw new RangeError(`frame must be a number 1 to 6, not ${String(frame)}`);
    }
    const positionType = positionNumber(position);
    const format = formats.indexOf(from);
    if (format < 0) throw new RangeError(`from must be one of ${formats.join(', ')}, not ${String(from)}`);
    const result = open().frameText(text, frame, positionType, wide(ambiguous), false, false, true, format);
    if (result.refusal) throw refusal(result);
    return result.text;
}

/**
 * Reads a frame (this package's, the command's, or another tool's ruled
 * table) back into rows of cells, as `zentab --unframe` does.
 * @param {string} text
 * @param {{ambiguous?: 'narrow' | 'wide'}} [options] the width model tried first
 * @returns {string[][]}
 */
export function unframe(text, { ambiguous = 'narrow' } = {}) {
    if (typeof text !== 'string') throw new TypeError('text must be a string');
    const result = open().unframe(text, wide(ambiguous));
    if (result.refusal) throw refusal(result);
    return result.rows;
}
