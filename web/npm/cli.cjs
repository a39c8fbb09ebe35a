#!/usr/bin/env node
// `zentab` from the npm package: the command's options that the package's
// module has, read and answered as the command does (same messages, exit
// status 0, 1 for a table that cannot be framed or read, 2 for a bad option).
'use strict';

const fs = require('node:fs');
const { frame } = require('./index.cjs');
const { version } = require('./package.json');

const formats = ['psv', 'csv', 'tsv', 'markdown', 'frame'];
const valued = new Map([
    ['-f', 'frame'], ['--frame', 'frame'], ['-p', 'position'], ['--position', 'position'],
    ['-a', 'ambiguous'], ['--ambiguous', 'ambiguous'], ['-e', 'encoding'], ['--encoding', 'encoding'],
    ['--from', 'from'], ['--to', 'to'], ['-w', 'width'], ['--width', 'width'], ['--cell-width', 'cellWidth'],
    ['--overflow', 'overflow'], ['--align', 'align'], ['--padding', 'padding'], ['--rules', 'rules'],
    ['--layout', 'layout'],
    ['-c', 'columns'], ['--columns', 'columns'], ['--hide', 'hide'], ['--sort', 'sort'], ['--head', 'head'],
    ['--tail', 'tail'], ['--number', 'number'], ['--group-char', 'groupChar'], ['--missing', 'missing'],
    ['--title', 'title'], ['--footer', 'footer'], ['--title-align', 'titleAlign'],
]);
const longNames = {
    width: '--width', cellWidth: '--cell-width', overflow: '--overflow', align: '--align', padding: '--padding', rules: '--rules',
    layout: '--layout',
};
const flags = new Set(['--unframe', '--crlf', '--transpose', '--with-title', '-h', '--help', '--version']);
// Columns and rows, with the hints the command gives for values it cannot read.
const shapeHints = {
    columns: 'use columns by number from 1, ranges such as 2-4 or header texts, separated by commas',
    hide: 'use columns by number from 1, ranges such as 2-4 or header texts, separated by commas',
    sort: 'use columns by number or header, separated by commas, each followed by :n for numbers or :r to reverse',
    number: 'use one item a column, separated by commas: - as is, g grouped, .N N decimals (0 to 20), g.N both (g,.2,-)',
    groupChar: 'use one character that is not a digit, sign or control',
    missing: 'use text without control characters',
};
const cellTextNames = { number: '--number', groupChar: '--group-char', missing: '--missing' };
// The native command's, which this one leaves to it.
const nativeOnly = new Set(['--raw', '--json-nested', '--no-header']);

const usage = `Usage: zentab [OPTION]... [FILE]
Frame the table in FILE, or standard input when FILE is absent or -, as a ruled
text table. Cells are separated by '|' or by tabs. With --from and --to, convert
tables between csv, tsv, Markdown, frames and '|'-separated cells (psv).

  -f, --frame N        frame type 1..6 (default 1; 6 draws with + - |)
  -p, --position X     position type A..Q, either case, or 1..17 (default A)
  -a, --ambiguous W    width of box-drawing and other East Asian ambiguous
                       characters: narrow (default; most terminals and
                       pages) or wide (CJK terminals and fonts)
  -e, --encoding ENC   utf-8 (default) or cp932 (also accepted: shift_jis,
                       sjis, windows-31j); cp932 counts widths in bytes
      --from FORMAT    the input's format: psv (default), csv, tsv, markdown
                       or frame (a ruled table, ours or another tool's)
      --to FORMAT      the output's format: frame (default), psv, csv, tsv or
                       markdown (-p gives the alignment)
  -c, --columns LIST   the columns to show, in that order: numbers from 1,
                       ranges such as 2-4, or header texts, separated by
                       commas (3,1,Price)
      --hide LIST      the columns not to show, in the same words
      --sort KEYS      sort the rows under the header by columns (number or
                       header), stably, text by code point; a key's :n
                       compares numbers (signs, decimals, grouping commas;
                       other cells after them), :r reverses (2:n:r,Name)
      --head N         only the first N rows under the header (after
                       --sort); a frame says in a last row how many it
                       left out, other formats leave them out silently
      --tail N         only the last N rows under the header
      --transpose      rows become columns
      --number LIST    numbers under the header written anew, an item a
                       column: - as is, g digits grouped, .N N decimals
                       rounded half to even, g.N both (g,.2,-,g.0)
      --group-char C   the grouping character instead of ',' (' for
                       instance); '.' makes the point ','
      --missing TEXT   what an empty cell under the header shows
      --title TEXT     a title over the table: in a frame, a row spanning it,
                       wrapped to its width; psv, csv, tsv and markdown
                       refuse it
      --footer TEXT    a footer under the table: a frame's last row
      --title-align l|c|r  where the title's and footer's lines stand
                       (c, centred, unless given)
      --with-title     keep the title and footer of a frame read
      --unframe        short for --from frame --to psv (a --to given wins)
      --crlf           end output lines with CR LF (default LF)
  -w, --width N        no line of the frame wider than N columns: the widest
                       columns give way first; auto: the terminal's width,
                       else $COLUMNS, else no limit
      --cell-width N   no line of a cell wider than N columns; or a width a
                       column, separated by commas, - for no limit (5,-,30)
      --overflow MODE  a cell line too wide: wrap (default) breaks it into
                       more lines, truncate cuts it, ending in …
      --align SPEC     a letter a column places the body cells: l left,
                       r right, c centred, d on the decimal point, . as -p
                       says; columns past the letters go by -p
      --padding N      N spaces on each side of every cell (default 0)
      --rules R        rules inside the frame: all (default), header (under
                       the header only) or none
      --layout L       table (default); records: each row a block of
                       header | value lines, numbered [ 1 ], [ 2 ]...;
                       auto: records when the table cannot fit -w without
                       cutting a cell below 8 columns
  -h, --help           show this help and exit
      --version        show the version and exit

JSON, aligned text, document markup and --raw are the native command's.

Environment: ZENTAB_AMBIGUOUS=narrow|wide sets the default of --ambiguous;
COLUMNS is the width of --width auto when standard output is not a terminal.

Exit status: 0 on success, 1 when the input cannot be framed or read,
2 on a bad option.
`;

class UsageError extends Error {}

// A whole number from least to most, digits only, leading zeros allowed: as
// the command reads one.
function countIn(text, least, most) {
    const digits = text.replace(/^0+(?=.)/, '');
    if (!/^\d{1,9}$/.test(digits)) return undefined;
    const value = Number(digits);
    return value >= least && value <= most ? value : undefined;
}

const mostColumns = 1000000;

// $COLUMNS as the command takes it: digits, at most a million, else none.
function columnsFromEnvironment(columns) {
    return columns && /^\d{1,7}$/.test(columns) && Number(columns) <= mostColumns ? Number(columns) : 0;
}

// A fit option's value, undefined when it is bad, and the hint of what it takes.
function fitValue(option, value) {
    const lower = value.toLowerCase();
    switch (option) {
        case 'width':
            if (lower === 'auto') return ['auto'];
            return [countIn(value, 1, mostColumns), 'use a number of columns, or auto'];
        case 'cellWidth': {
            const widths = value.split(',').map((item) => (item === '-' ? null : countIn(item, 1, mostColumns)));
            return [widths.includes(undefined) ? undefined : widths,
                'use a number of columns, or one a column separated by commas, - for no limit'];
        }
        case 'overflow':
            return [['wrap', 'truncate'].includes(lower) ? lower : undefined, 'use wrap or truncate'];
        case 'align':
            return [/^[lrcd.]*$/i.test(value) ? value : undefined, 'use a letter a column: l, r, c, d or .'];
        case 'padding':
            return [countIn(value, 0, 1000), 'use a number of spaces, 0 to 1000'];
        case 'layout':
            return [['table', 'records', 'auto'].includes(lower) ? lower : undefined, 'use table, records or auto'];
        default:
            return [['all', 'header', 'none'].includes(lower) ? lower : undefined, 'use all, header or none'];
    }
}

function checked(option, value) {
    const fail = (message) => {
        throw new UsageError(message);
    };
    if (Object.hasOwn(shapeHints, option)) {
        // The package reads a list as the command does: asked of a table
        // that has no such columns, a list it can read is refused otherwise.
        try {
            frame('x', { [option]: value, to: 'psv' });
        } catch (error) {
            if (error instanceof RangeError) {
                fail(`invalid ${cellTextNames[option] ?? `--${option}`} '${value}' (${shapeHints[option]})`);
            }
        }
        return value;
    }
    if (option === 'head' || option === 'tail') {
        const rows = countIn(value, 0, 999999999);
        if (rows === undefined) fail(`invalid --${option} '${value}' (use a number of rows)`);
        return rows;
    }
    if (Object.hasOwn(longNames, option)) {
        const [taken, hint] = fitValue(option, value);
        if (taken === undefined) fail(`invalid ${longNames[option]} '${value}' (${hint})`);
        return taken;
    }
    switch (option) {
        case 'frame':
            if (!/^[1-6]$/.test(value)) fail(`invalid frame type '${value}' (use 1 to 6)`);
            return Number(value);
        case 'position': {
            const number = /^\d{1,2}$/.test(value) ? Number(value) : NaN;
            if (/^[a-q]$/i.test(value)) return value.toUpperCase();
            if (number >= 1 && number <= 17) return number;
            return fail(`invalid position type '${value}' (use A to Q or 1 to 17)`);
        }
        case 'ambiguous':
            if (value !== 'narrow' && value !== 'wide') fail(`invalid width model '${value}' (use narrow or wide)`);
            return value;
        case 'title':
        case 'footer':
            return value;
        case 'titleAlign': {
            const side = value.toLowerCase();
            const sides = { l: 'l', left: 'l', c: 'c', centre: 'c', center: 'c', r: 'r', right: 'r' };
            if (!Object.hasOwn(sides, side)) fail(`invalid --title-align '${value}' (use l, c or r)`);
            return sides[side];
        }
        case 'encoding':
            if (!['utf-8', 'utf8', 'cp932', 'shift_jis', 'sjis', 'windows-31j'].includes(value.toLowerCase())) {
                fail(`unknown encoding '${value}' (use utf-8 or cp932)`);
            }
            return value;
        default:
            if (!formats.includes(value)) {
                fail(`invalid format '${value}' (this package reads and writes ${formats.join(', ')}; `
                    + 'the native command has more)');
            }
            return value;
    }
}

function parse(args, environment) {
    const options = {};
    const seen = new Set();
    let file;
    let ended = false;
    for (let index = 0; index < args.length; index++) {
        const arg = args[index];
        if (ended || arg === '-' || arg.length < 2 || arg[0] !== '-') {
            if (file !== undefined) throw new UsageError(`extra operand '${arg}'`);
            file = arg;
            continue;
        }
        if (arg === '--') {
            ended = true;
            continue;
        }
        let name = arg;
        let attached;
        if (arg.startsWith('--')) {
            const equals = arg.indexOf('=');
            if (equals >= 0) [name, attached] = [arg.slice(0, equals), arg.slice(equals + 1)];
        } else if (arg.length > 2) {
            [name, attached] = [arg.slice(0, 2), arg.slice(2)];
        }
        if (nativeOnly.has(name)) throw new UsageError(`option '${name}' is the native command's; this one lacks it`);
        if (!valued.has(name) && !flags.has(name)) throw new UsageError(`unrecognized option '${arg}'`);
        if (flags.has(name)) {
            if (attached !== undefined) throw new UsageError(`option '${name}' doesn't allow an argument`);
            seen.add(name);
            if (name === '--unframe') {
                options.from = 'frame';
                if (!seen.has('--to')) options.to = 'psv';
            }
            continue;
        }
        if (attached === undefined && index + 1 >= args.length) throw new UsageError(`option '${name}' requires an argument`);
        const key = valued.get(name);
        options[key] = checked(key, attached ?? args[++index]);
        seen.add(key === 'to' ? '--to' : key);
    }
    if (seen.has('-h') || seen.has('--help')) return { help: true };
    if (seen.has('--version')) return { version: true };
    const ambiguous = environment.ZENTAB_AMBIGUOUS;
    if (!seen.has('ambiguous') && ambiguous) {
        if (ambiguous !== 'narrow' && ambiguous !== 'wide') {
            throw new UsageError(`ZENTAB_AMBIGUOUS: invalid width model '${ambiguous}' (use narrow or wide)`);
        }
        options.ambiguous = ambiguous;
    }
    if (seen.has('--crlf')) options.lineEnd = 'crlf';
    if ((options.layout ?? 'table') !== 'table' && (options.to ?? 'frame') !== 'frame') {
        throw new UsageError("--layout records and auto lay out a frame's rows; they cannot be used with --to or --unframe");
    }
    if (seen.has('--transpose')) options.transpose = true;
    if (seen.has('--with-title')) options.withTitle = true;
    if (options.width === 'auto') {
        // As the command: the terminal standard output goes to, else $COLUMNS.
        const { isTTY, columns } = process.stdout;
        options.width = (isTTY && columns > 0 ? columns : columnsFromEnvironment(environment.COLUMNS)) || undefined;
    }
    return { options, file };
}

function main() {
    let parsed;
    try {
        parsed = parse(process.argv.slice(2), process.env);
    } catch (error) {
        if (!(error instanceof UsageError)) throw error;
        process.stderr.write(`zentab: ${error.message}\nTry 'zentab --help' for more information.\n`);
        return 2;
    }
    if (parsed.help) {
        process.stdout.write(usage);
        return 0;
    }
    if (parsed.version) {
        process.stdout.write(`zentab ${version}\n`);
        return 0;
    }
    let input;
    try {
        input = fs.readFileSync(parsed.file === undefined || parsed.file === '-' ? 0 : parsed.file);
    } catch (error) {
        process.stderr.write(`zentab: ${parsed.file ?? 'standard input'}: ${error.message}\n`);
        return 1;
    }
    try {
        process.stdout.write(frame(new Uint8Array(input.buffer, input.byteOffset, input.length), parsed.options));
    } catch (error) {
        if (error.name !== 'ZentabError') throw error;
        process.stderr.write(`zentab: ${error.message}\n`);
        return 1;
    }
    return 0;
}

process.exitCode = main();
