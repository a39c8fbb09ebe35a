// The native command, the reference that the page and the package must match.
import { spawnSync } from 'node:child_process';
import path from 'node:path';

export const zentabBin = path.resolve(process.env.ZENTAB_BIN ?? 'build/cli/zentab');

// Runs zentab with args on input (a string or bytes): { status, stdout (bytes), stderr }.
export function runNative(args, input) {
    const run = spawnSync(zentabBin, args, { input, maxBuffer: 1 << 28 });
    // A bad option ends the command before it reads its input.
    if (run.error && run.error.code !== 'EPIPE') throw run.error;
    return { status: run.status, stdout: run.stdout, stderr: run.stderr.toString('utf8') };
}

// What the page and the package say of a refusal: the command's message without its name.
export function nativeRefusal(run) {
    return run.stderr.replace(/^zentab: /, '').trimEnd();
}

// glibc's iconv, independent of the page's own code page 932 table.
export function iconv(from, to, input) {
    const run = spawnSync('iconv', ['-f', from, '-t', to], { input });
    if (run.status !== 0) throw new Error(`iconv ${from} to ${to} failed: ${run.stderr}`);
    return run.stdout;
}

export const positions = 'ABCDEFGHIJKLMNOPQ';

// A small seeded generator (mulberry32), so that a failing case can be run again.
export function random(seedValue) {
    let state = seedValue >>> 0;
    return () => {
        state = (state + 0x6d2b79f5) >>> 0;
        let t = state;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

// Random fitting options, as the package takes them (fit) and as the command
// does (args); at times none, at times too narrow a width.
export function randomFit(next) {
    const pick = (items) => items[Math.floor(next() * items.length)];
    const fit = {};
    const args = [];
    if (next() < 0.6) {
        fit.width = next() < 0.1 ? 1 + Math.floor(next() * 8) : 8 + Math.floor(next() * 40);
        args.push('-w', String(fit.width));
    }
    if (next() < 0.35) {
        const one = () => (next() < 0.25 ? null : 1 + Math.floor(next() * 12));
        fit.cellWidth = next() < 0.4 ? 1 + Math.floor(next() * 12) : Array.from({ length: 1 + Math.floor(next() * 4) }, one);
        args.push('--cell-width', [fit.cellWidth].flat().map((width) => width ?? '-').join(','));
    }
    if (next() < 0.4) {
        fit.overflow = pick(['wrap', 'truncate']);
        args.push('--overflow', fit.overflow);
    }
    if (next() < 0.4) {
        fit.align = Array.from({ length: Math.floor(next() * 5) }, () => pick([...'lrcd.'])).join('');
        args.push('--align', fit.align);
    }
    if (next() < 0.3) {
        fit.padding = Math.floor(next() * 3);
        args.push('--padding', String(fit.padding));
    }
    if (next() < 0.4) {
        fit.rules = pick(['all', 'header', 'none']);
        args.push('--rules', fit.rules);
    }
    return { fit, args };
}

// `zentab fmt` on a document: its output, and what it says of each table
// left as it is, as the faces give them: { line, column, message }.
export function runFmt(args, text) {
    const run = runNative(['fmt', ...args], text);
    const left = run.stderr.split('\n').filter(Boolean).map((said) => {
        const found = /^<stdin>:(\d+):(\d+): table left as it is: (.*)$/.exec(said);
        if (!found) throw new Error(`zentab fmt said ${said}`);
        const [line, column] = [Number(found[1]), Number(found[2])];
        return { line, column, message: `line ${line}, column ${column}: ${found[3]}` };
    });
    return { status: run.status, text: run.stdout.toString('utf8'), left };
}

// A random Markdown document: tables of ASCII, CJK, ambiguous and emoji
// cells with ragged blanks, some behind quotes or list items, some in code
// (never tables), now and then a row with a cell past the header's.
export function randomDocument(next) {
    const pick = (items) => items[Math.floor(next() * items.length)];
    const count = (most) => Math.floor(next() * (most + 1));
    const words = ['a', 'pen', '12.5', 'x y', '漢字', 'ペン', '表', '±', 'Ω○', '😀', '👩\u200d👩\u200d👧', '🇯🇵',
        'e\u0301', '`|`', '\\|', '**b**'];
    const cell = () => Array.from({ length: count(3) }, () => pick(words)).join(' ');
    const row = (cells, blanks) => {
        const inner = Array.from({ length: cells }, () => ' '.repeat(count(blanks)) + cell() + ' '.repeat(count(blanks))).join('|');
        return next() < 0.2 ? inner : `|${inner}|`;
    };
    const table = (prefix) => {
        const columns = 1 + count(3);
        const rule = Array.from({ length: columns }, () => pick(['-', '---', ':--', '--:', ':-:', ' --- '])).join('|');
        const rows = [row(columns, 2), `|${rule}|`];
        for (let r = count(4); r > 0; r--) rows.push(row(columns + (next() < 0.08 ? 1 : 0), 3));
        return rows.map((line) => `${prefix}${line}\n`).join('');
    };
    const parts = [];
    for (let p = 1 + count(4); p > 0; p--) {
        const choice = next();
        if (choice < 0.5) parts.push(table(pick(['', '', '> ', '- '])));
        else if (choice < 0.6) parts.push(`\`\`\`\n${table('')}\`\`\`\n`);
        else parts.push(pick(['# Notes 表\n', 'Some text | with a bar.\n', '- item\n']));
    }
    return parts.join('\n');
}
