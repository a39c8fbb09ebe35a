// The module's C interface as one function, shared by the page and the npm
// package (scripts/assemble-web.mjs puts it into both), over an instance of
// the module.
function zentabOpen(instance) {
    const exports = instance.exports;
    exports._initialize();
    const memory = exports.memory;
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const utf16Decoder = new TextDecoder('utf-16le');
    const nodeBuffer = typeof Buffer === 'function' ? Buffer : null;
    // One view of the whole memory, made again only when growing the memory
    // has detached the old one.
    let heap = new Uint8Array(memory.buffer);
    const view = () => (heap.buffer === memory.buffer ? heap : (heap = new Uint8Array(memory.buffer)));
    const bytes = (pointer, size) => view().subarray(pointer, pointer + size);

    // The module's code page 932 table, from the platform's Shift_JIS decoder,
    // which reads every double-byte code as glibc's WINDOWS-31J charmap does.
    // Each code is followed by a line end, so that however a decoder treats
    // a code it has not, the others stay in their places.
    let cp932Ready = false;
    function fillCp932() {
        const decoder = new TextDecoder('shift_jis');
        const table = new Uint16Array(memory.buffer, exports.zentab_cp932_table(), 60 * 188);
        const codes = new Uint8Array(3 * 188);
        let at = 0;
        for (let lead = 0x81; lead <= 0xfc; lead = lead === 0x9f ? 0xe0 : lead + 1) {
            for (let index = 0; index < 188; index++) {
                codes[3 * index] = lead;
                codes[3 * index + 1] = 0x40 + index + (index >= 0x3f ? 1 : 0);
                codes[3 * index + 2] = 0x0a;
            }
            const read = decoder.decode(codes).split('\n');
            for (let index = 0; index < 188; index++) {
                const text = read[index] ?? '';
                const unit = text.length === 1 ? text.charCodeAt(0) : 0xfffd;
                table[at++] = unit === 0xfffd || unit === 0x1a ? 0 : unit;
            }
        }
        cp932Ready = true;
    }

    const refusalOf = () => ({
        kind: exports.zentab_refusal_kind(),
        line: exports.zentab_refusal_line(),
        column: exports.zentab_refusal_column(),
        codePoint: exports.zentab_refusal_code_point(),
        found: exports.zentab_refusal_found(),
        limit: exports.zentab_refusal_limit(),
        // Led by the place where there is one: "line 2, column 5: ...".
        message: decoder.decode(bytes(exports.zentab_message(), exports.zentab_message_size())),
    });

    // A string may hold a surrogate without its pair, which TextEncoder would
    // quietly make U+FFFD; refused instead, placed as the module places a
    // byte that is not UTF-8 (the kind it has for that).
    const lone = /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/;
    const wellFormed = typeof ''.isWellFormed === 'function'
        ? (text) => text.isWellFormed()
        : (text) => !lone.test(text);
    function loneSurrogate(text) {
        const found = lone.exec(text);
        let line = 1;
        let column = 1;
        // A byte order mark is no character of the first line.
        for (let at = text.charCodeAt(0) === 0xfeff ? 1 : 0; at < found.index; at++) {
            const unit = text.charCodeAt(at);
            if (unit === 0x0a || unit === 0x0d) {
                if (unit === 0x0d && text.charCodeAt(at + 1) === 0x0a) at++;
                line++;
                column = 1;
            } else if (unit < 0xd800 || unit > 0xdbff) {
                column++;
            }
        }
        const codePoint = text.charCodeAt(found.index);
        const name = `U+${codePoint.toString(16).toUpperCase()}`;
        return {
            kind: 4,
            line,
            column,
            codePoint,
            found: 0,
            limit: 0,
            message: `line ${line}, column ${column}: not UTF-8 (lone surrogate ${name})`,
        };
    }

    // UTF-8 straight into the module's input: room for one byte a code unit
    // first, which ASCII fills exactly, and three a unit for what is left.
    function write(text) {
        let room = text.length;
        let { read, written } = encoder.encodeInto(text, bytes(exports.zentab_input(room), room));
        if (read < text.length) {
            room = written + 3 * (text.length - read);
            const pointer = exports.zentab_input(room);
            written += encoder.encodeInto(text.slice(read), bytes(pointer + written, room - written)).written;
        }
        exports.zentab_input(written);
    }

    // The output as UTF-16, which the module makes faster than Node decodes
    // UTF-8 and about as fast as Chromium does (measured: scripts/bench-web.sh).
    function outputText() {
        const units = exports.zentab_output_utf16();
        const pointer = exports.zentab_output16();
        // Node's Buffer copies UTF-16 several times faster than its TextDecoder.
        return nodeBuffer
            ? nodeBuffer.from(memory.buffer, pointer, units * 2).toString('utf16le')
            : utf16Decoder.decode(bytes(pointer, units * 2));
    }

    // Bytes given as they are; the module checks them as the command would.
    function writeBytes(input) {
        bytes(exports.zentab_input(input.length), input.length).set(input);
    }

    // How the frame fits its cells, each field optional: width and padding
    // in columns (0 none); cellWidths, columns a column (0 none; one holds
    // for all); overflow 0 wrap, 1 truncate; align, a number a column (0 as
    // the position type says, 1 left, 2 right, 3 centred, 4 decimal); rules
    // 0 all, 1 header, 2 none.
    function setFit({ width = 0, cellWidths = [], overflow = 0, align = [], padding = 0, rules = 0, layout = 0 } = {}) {
        exports.zentab_fit(width, overflow, padding, rules, layout);
        // The buffer is taken after the call, which may grow the memory.
        const cells = exports.zentab_fit_cells(cellWidths.length);
        new Int32Array(memory.buffer, cells, cellWidths.length).set(cellWidths);
        bytes(exports.zentab_fit_align(align.length), align.length).set(align);
    }

    // Which columns and rows are shown: columns, hide and sort as the
    // command's -c, --hide and --sort take them ('' for none), head and tail
    // -1 for all. Returns the name of a list that cannot be read, or ''.
    function setShape({ columns = '', hide = '', sort = '', head = -1, tail = -1, transpose = false } = {}) {
        const lists = encoder.encode(`${columns}\x1F${hide}\x1F${sort}\x1F`);
        bytes(exports.zentab_shape_lists(lists.length), lists.length).set(lists);
        return ['', 'columns', 'hide', 'sort'][exports.zentab_shape(head, tail, transpose ? 1 : 0)];
    }

    // What the body's cells show: number styles, grouping character and
    // missing text as the command's --number, --group-char and --missing
    // take them ('' for none, and for ','). Returns the name of a value that
    // cannot be read, or ''.
    function setCellText({ number = '', groupChar = '', missing = '' } = {}) {
        const values = encoder.encode(`${number}\x1F${groupChar}\x1F${missing}\x1F`);
        bytes(exports.zentab_cell_text_values(values.length), values.length).set(values);
        return ['', 'number', 'groupChar', 'missing'][exports.zentab_cell_text()];
    }

    // The title and footer of the next frames ('' for none), where their lines
    // stand (0 centre, 1 left, 2 right), and whether those of a frame read go
    // on into the output.
    function setTitles({ title = '', footer = '', align = 0, withTitle = false } = {}) {
        const both = encoder.encode(`${title}\x1F${footer}\x1F`);
        bytes(exports.zentab_titles(both.length), both.length).set(both);
        exports.zentab_title_align(align, withTitle ? 1 : 0);
    }

    // text: a string, or bytes (a Uint8Array) in the encoding. frameType
    // 1..6, positionType 1..17. cp932: as `zentab -e cp932`, the output in
    // code page 932 bytes unless asText. crlf: CR LF line ends. from and to:
    // formats, 0 psv, 1 csv, 2 tsv, 3 markdown, 4 frame. fit: as setFit takes
    // it; shape: as setShape and setCellText take it, a value they cannot
    // read given back as badList; titles: as setTitles takes them.
    function frameText(text, frameType, positionType, wide, cp932, crlf, asText = true, from = 0, to = 4, fit = undefined,
        shape = undefined, titles = undefined) {
        const badList = setShape(shape) || setCellText(shape);
        if (badList) return { badList };
        setTitles(titles);
        const given = typeof text !== 'string';
        if (given) {
            writeBytes(text);
        } else {
            if (!wellFormed(text)) return { refusal: loneSurrogate(text) };
            write(text);
        }
        if (cp932 && !cp932Ready) fillCp932();
        setFit(fit);
        const framed = exports.zentab_frame(frameType, positionType, wide ? 1 : 0, cp932 ? 1 : 0, crlf ? 1 : 0,
            from, to, cp932 && given ? 1 : 0);
        if (!framed) return { refusal: refusalOf() };
        if (!asText) return { bytes: bytes(exports.zentab_output(), exports.zentab_output_size()).slice() };
        if (cp932) exports.zentab_output_to_utf8();
        return { text: outputText() };
    }

    // For each grapheme cluster of the last frame made as text that is not
    // plain ASCII, three numbers: its start and length in UTF-16 code units
    // and its columns.
    function layoutOfOutput(wide) {
        const count = exports.zentab_layout_output(wide ? 1 : 0);
        return new Uint32Array(memory.buffer, exports.zentab_layout_data(), count * 3).slice();
    }

    // The same for text, a part of such a frame that starts a line.
    function layoutOf(text, wide) {
        write(text);
        const count = exports.zentab_layout_input(wide ? 1 : 0);
        return new Uint32Array(memory.buffer, exports.zentab_layout_data(), count * 3).slice();
    }

    // Rows of cells of a frame; the module ends cells in U+001F and rows in
    // U+001E, which no input may hold.
    function unframe(text, wide) {
        if (!wellFormed(text)) return { refusal: loneSurrogate(text) };
        write(text);
        if (!exports.zentab_unframe(wide ? 1 : 0)) return { refusal: refusalOf() };
        const flat = outputText();
        return { rows: flat.split('\x1e').slice(0, -1).map((row) => row.split('\x1f').slice(0, -1)) };
    }

    // A document with its tables lined up in place: kind 0 Markdown, 1 Org, 2
    // reStructuredText, 3 plain text; padding -1 for the kind's own. Each
    // table found gives its first line, whether it changed, and why it was
    // left as it is, when it was.
    function formatDocument(text, kind, wide, padding) {
        if (!wellFormed(text)) return { refusal: loneSurrogate(text) };
        write(text);
        const count = exports.zentab_format_document(kind, wide ? 1 : 0, padding);
        if (count < 0) return { refusal: refusalOf() };
        const tables = [];
        for (let index = 0; index < count; index++) {
            const table = { line: exports.zentab_document_table(index), changed: exports.zentab_document_table_changes(index) === 1 };
            if (exports.zentab_refusal_kind()) table.refusal = refusalOf();
            tables.push(table);
        }
        return { text: outputText(), tables };
    }

    // For the npm bin, whose command may read or write code page 932.
    const readyCp932 = () => cp932Ready || fillCp932();

    return { frameText, layoutOfOutput, layoutOf, unframe, formatDocument, readyCp932 };
}
