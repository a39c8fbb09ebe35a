// zentab: a plain-text table in, a ruled text frame out, exactly as the
// `zentab` command prints it.

/* ZENTAB_CORE */

const positions = 'ABCDEFGHIJKLMNOPQ';
let frameText;

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
 * @param {{frame?: number, position?: string | number, ambiguous?: 'narrow' | 'wide'}} [options]
 * @returns {string} the frame, each line ending in LF
 */
export function frame(text, { frame = 1, position = 'A', ambiguous = 'narrow' } = {}) {
    if (typeof text !== 'string') throw new TypeError('text must be a string');
    if (!Number.isInteger(frame) || frame < 1 || frame > 6) {
        throw new RangeError(`frame must be a number 1 to 6, not ${String(frame)}`);
    }
    if (ambiguous !== 'narrow' && ambiguous !== 'wide') {
        throw new RangeError(`ambiguous must be "narrow" or "wide", not ${String(ambiguous)}`);
    }
    const positionType = positionNumber(position);
    // Compiled on first use, so that importing costs nothing.
    if (!frameText) {
        const text = atob('/* ZENTAB_WASM */');
        const bytes = new Uint8Array(text.length);
        for (let at = 0; at < text.length; at++) bytes[at] = text.charCodeAt(at);
        frameText = zentabOpen(new WebAssembly.Module(bytes), { utf16: true }).frameText;
    }
    const result = frameText(text, frame, positionType, ambiguous === 'wide', false, false);
    if (result.refusal) {
        const error = new Error(result.refusal.message);
        error.line = result.refusal.line;
        error.column = result.refusal.column;
        error.codePoint = result.refusal.codePoint;
        throw error;
    }
    return result.text;
}
