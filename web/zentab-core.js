// The module's C interface as one function, shared by the page and the npm
// package (scripts/assemble-web.mjs puts it into both).
// utf16: take the output as UTF-16, which is quicker to make a string of
// where decoding UTF-8 is slow (Node), slower where it is fast (browsers).
function zentabOpen(module, { utf16 = false } = {}) {
    const exports = new WebAssembly.Instance(module, {}).exports;
    exports._initialize();
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const utf16Decoder = new TextDecoder('utf-16le');
    // Views are made afresh on each use: a grown memory detaches old ones.
    const bytes = (pointer, size) => new Uint8Array(exports.memory.buffer, pointer, size);

    // The module's code page 932 table, from the browser's Shift_JIS decoder,
    // which reads every double-byte code as glibc's WINDOWS-31J charmap does.
    let cp932Ready = false;
    function fillCp932() {
        const decoder = new TextDecoder('shift_jis');
        const table = new Uint16Array(exports.memory.buffer, exports.zentab_cp932_table(), 60 * 188);
        const pairs = new Uint8Array(2 * 188);
        let at = 0;
        for (let lead = 0x81; lead <= 0xfc; lead = lead === 0x9f ? 0xe0 : lead + 1) {
            for (let index = 0; index < 188; index++) {
                pairs[2 * index] = lead;
                pairs[2 * index + 1] = 0x40 + index + (index >= 0x3f ? 1 : 0);
            }
            const text = decoder.decode(pairs);
            for (let index = 0, read = 0; index < 188; index++) {
                const unit = text.charCodeAt(read++);
                // An undefined code reads as U+FFFD, then its trail byte again if ASCII.
                if (unit === 0xfffd && index < 0x3f) read++;
                table[at++] = unit === 0xfffd ? 0 : unit;
            }
        }
        cp932Ready = true;
    }

    const refusalOf = () => ({
        kind: exports.zentab_refusal_kind(),
        line: exports.zentab_refusal_line(),
        column: exports.zentab_refusal_column(),
        codePoint: exports.zentab_refusal_code_point(),
        // Led by the place where there is one: "line 2, column 5: ...".
        message: decoder.decode(bytes(exports.zentab_message(), exports.zentab_message_size())),
    });

    // frameType 1..6, positionType 1..17. cp932: as `zentab -e cp932`, the
    // output in code page 932 bytes unless asText. crlf: CR LF line ends.
    // from: the input's format, 0 psv, 1 csv, 2 tsv, 3 markdown, 4 frame.
    // Encoded straight into the module's buffer, sized for the worst case
    // (three bytes per UTF-16 unit), then cut to what was written.
    const write = (text) => {
        const room = text.length * 3;
        const { written } = encoder.encodeInto(text, bytes(exports.zentab_input(room), room));
        exports.zentab_input(written);
    };

    function frameText(text, frameType, positionType, wide, cp932, crlf, asText = true, from = 0) {
        if (cp932 && !cp932Ready) fillCp932();
        write(text);
        if (!exports.zentab_frame(frameType, positionType, wide ? 1 : 0, cp932 ? 1 : 0, crlf ? 1 : 0, from)) {
            return { refusal: refusalOf() };
        }
        if (!asText) return { bytes: bytes(exports.zentab_output(), exports.zentab_output_size()).slice() };
        if (cp932) exports.zentab_output_to_utf8();
        if (utf16) {
            const units = exports.zentab_output_utf16();
            // Node's Buffer copies UTF-16 several times faster than its TextDecoder.
            const text = typeof Buffer === 'function'
                ? Buffer.from(exports.memory.buffer, exports.zentab_output16(), units * 2).toString('utf16le')
                : utf16Decoder.decode(bytes(exports.zentab_output16(), units * 2));
            return { text };
        }
        return { text: decoder.decode(bytes(exports.zentab_output(), exports.zentab_output_size())) };
    }

    // For each grapheme cluster of text that is not plain ASCII: its start and
    // length in UTF-16 code units and its columns.
    function layoutOf(text, wide) {
        write(text);
        const count = exports.zentab_layout(wide ? 1 : 0);
        const triples = new Uint32Array(exports.memory.buffer, exports.zentab_layout_data(), count * 3);
        const layout = [];
        for (let at = 0; at < triples.length; at += 3) layout.push([triples[at], triples[at + 1], triples[at + 2]]);
        return layout;
    }

    // Rows of cells of a frame; the module ends cells in U+001F and rows in
    // U+001E, which no input may hold.
    function unframe(text, wide) {
        write(text);
        if (!exports.zentab_unframe(wide ? 1 : 0)) return { refusal: refusalOf() };
        const flat = decoder.decode(bytes(exports.zentab_output(), exports.zentab_output_size()));
        return { rows: flat.split('\x1e').slice(0, -1).map((row) => row.split('\x1f').slice(0, -1)) };
    }

    return { frameText, layoutOf, unframe };
}
