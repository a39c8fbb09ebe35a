// The npm package, installed from its tarball, against the native command.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, test } from 'node:test';
import zlib from 'node:zlib';
import { pathToFileURL } from 'node:url';

import { iconv, nativeRefusal, positions, random, randomDocument, randomFit, runFmt, runNative, zentabBin } from './native.mjs';

const packageDir = path.resolve(process.env.ZENTAB_PACKAGE ?? 'build-web/try/node_modules/zentab');
const { formatDocument, frame, unframe, ZentabError } = await import(path.join(packageDir, 'index.js'));

const tables = {
    ascii: 'No|Item|Qty\n1|pen|10\n2|notebook|5\n',
    tabs: 'Fruit\tKg\tPrice\nApple\t12\t3.40\nKiwi\t7\t12.00',
    japanese: '品名|数量\nりんご|3\nみかん|12',
    ambiguous: 'Mark|Greek\n①|α\n±|§',
    emoji: 'Face|Family|Flag\n😀|👩‍👩‍👧|🇯🇵',
    combining: 'e|é\ncafé|x',
    outerBars: '|A|B|\n|C|D|',
    lineEnds: 'A|B\r\nC|D\rE|F\n\n\n',
    bom: '\uFEFFA|B\nC|D',
    oneCell: 'x',
    empty: '',
};

describe('frame() prints what the command prints', () => {
    for (const [name, text] of Object.entries(tables)) {
        test(name, () => {
            for (const frameType of [1, 2, 3, 4, 5, 6]) {
                for (const [position, ambiguous] of [['A', 'narrow'], ['H', 'wide'], ['Q', 'narrow']]) {
                    const native = runNative(['-f', `${frameType}`, '-p', position, '-a', ambiguous], text);
                    assert.equal(native.status, 0, native.stderr);
                    assert.equal(frame(text, { frame: frameType, position, ambiguous }), native.stdout.toString('utf8'),
                        `-f ${frameType} -p ${position} -a ${ambiguous}`);
                }
            }
        });
    }
});

// Random tables, long cells and numbers among them, with random fitting
// options: what frame() returns or throws is what the command prints or says.
test('fitting options: frame() prints what the command prints', () => {
    const next = random(1515);
    const pick = (items) => items[Math.floor(next() * items.length)];
    const words = ['a', 'pen', '1.5', '12.25', '-0.125', '1,234.5', '100', 'りんご', '漢字かな', '─', '😀', 'e\u0301',
        'well-known', 'blue ink, fine point', '（注）', 'ｶﾀｶﾅ'];
    const seen = { framed: 0, narrow: 0 };
    for (let round = 0; round < 200; round++) {
        const columns = 1 + Math.floor(next() * 4);
        const rows = Array.from({ length: 1 + Math.floor(next() * 4) }, () => Array.from({ length: columns },
            () => Array.from({ length: 1 + Math.floor(next() * 4) }, () => pick(words)).join(pick([' ', '', '-']))).join('|'));
        const text = rows.join('\n');
        const { fit, args } = randomFit(next);
        const options = { ...fit, frame: 1 + Math.floor(next() * 6), position: pick([...positions]), ambiguous: pick(['narrow', 'wide']) };
        const native = runNative([...args, '-f', `${options.frame}`, '-p', options.position, '-a', options.ambiguous], text);
        const name = `${args.join(' ')} ${JSON.stringify(options)} on ${JSON.stringify(text)}`;
        if (native.status === 0) {
            assert.equal(frame(text, options), native.stdout.toString('utf8'), name);
            seen.framed++;
            continue;
        }
        assert.throws(() => frame(text, options), (error) => {
            assert.ok(error instanceof ZentabError, name);
            assert.equal(error.message, nativeRefusal(native), name);
            if (error.kind === 'frame-too-narrow') {
                assert.equal(error.limit, fit.width, name);
                seen.narrow++;
            }
            return true;
        });
    }
    assert.ok(seen.framed > 100 && seen.narrow > 0, JSON.stringify(seen));
});

// Random tables of numbers and words with random columns, sort keys, heads,
// tails and transposes, to every format: what frame() returns or throws is
// what the command prints or says.
test('columns and rows: frame() prints what the command prints', () => {
    const next = random(2929);
    const pick = (items) => items[Math.floor(next() * items.length)];
    const words = ['a', 'B', 'b', '1', '-2', '10', '1,000', '3.5', '.5', 'りんご', '漢字', 'x y', '', 'é'];
    const seen = { framed: 0, refused: 0 };
    for (let round = 0; round < 300; round++) {
        const columns = 1 + Math.floor(next() * 4);
        const header = Array.from({ length: columns }, (_, index) => `h${index + 1}`);
        const body = Array.from({ length: Math.floor(next() * 7) }, () => Array.from({ length: columns },
            () => pick(words) || 'z'));
        const text = [header, ...body].map((row) => row.join('|')).join('\n') + '\n';
        const item = () => (next() < 0.3 ? pick([...header, 'nope']) : `${1 + Math.floor(next() * (columns + 1))}`);
        const options = { to: pick(['frame', 'csv', 'markdown', 'psv']) };
        const args = ['--to', options.to];
        if (next() < 0.4) {
            options.columns = Array.from({ length: 1 + Math.floor(next() * 3) }, item);
            args.push('-c', options.columns.join(','));
        }
        if (next() < 0.2) {
            options.hide = item();
            args.push('--hide', options.hide);
        }
        if (next() < 0.7) {
            options.sort = `${item()}${pick(['', ':n', ':r', ':n:r'])}`;
            args.push('--sort', options.sort);
        }
        for (const name of ['head', 'tail']) {
            if (next() < 0.3) {
                options[name] = Math.floor(next() * 5);
                args.push(`--${name}`, `${options[name]}`);
            }
        }
        if (next() < 0.2) {
            options.transpose = true;
            args.push('--transpose');
        }
        const native = runNative(args, text);
        const name = `${args.join(' ')} on ${JSON.stringify(text)}`;
        if (native.status === 0) {
            assert.equal(frame(text, options), native.stdout.toString('utf8'), name);
            seen.framed++;
            continue;
        }
        assert.throws(() => frame(text, options), (error) => {
            assert.ok(error instanceof ZentabError, name);
            assert.equal(error.message, nativeRefusal(native), name);
            seen.refused += error.kind === 'no-such-column' ? 1 : 0;
            return true;
        });
    }
    assert.ok(seen.framed > 150 && seen.refused > 10, JSON.stringify(seen));
    assert.throws(() => frame('a|b', { columns: '3-1' }), RangeError);
    assert.throws(() => frame('a|b', { sort: '1:n:n' }), RangeError);
    assert.throws(() => frame('a|b', { head: -1 }), RangeError);
    assert.throws(() => frame('a|b', { columns: [true] }), TypeError);
});

// Random tables with random titles, footers and alignments, in every style,
// width model, encoding and rule choice: frame() gives what the command
// prints, reading its frames back too, and refuses what it refuses.
test('titles and footers: frame() prints what the command prints', () => {
    const next = random(3333);
    const pick = (items) => items[Math.floor(next() * items.length)];
    const words = ['a', 'Total', '漢字', 'かな', 'x y', '1', 'ｶﾅ'];
    const wide = ['😀', 'e\u0301', 'αβ'];
    const seen = { framed: 0, refused: 0, wrapped: 0 };
    for (let round = 0; round < 200; round++) {
        const cp932 = next() < 0.2;
        const pool = cp932 ? words : [...words, ...wide];
        // The command takes TEXT's bytes in the input's encoding, which an
        // argument of a child process cannot carry but in ASCII.
        const titleWords = cp932 ? ['a', 'Total', 'x y', '1'] : pool;
        const phrase = (most) => Array.from({ length: 1 + Math.floor(next() * most) }, () => pick(titleWords)).join(' ');
        const columns = 1 + Math.floor(next() * 3);
        const text = Array.from({ length: 1 + Math.floor(next() * 3) },
            () => Array.from({ length: columns }, () => pick(pool)).join('|')).join('\n') + '\n';
        const options = { to: pick(['frame', 'frame', 'frame', 'psv']), frame: 1 + Math.floor(next() * 6),
            ambiguous: pick(['narrow', 'wide']), rules: pick(['all', 'header', 'none']) };
        const args = ['--to', options.to, '-f', `${options.frame}`, '-a', options.ambiguous, '--rules', options.rules];
        if (next() < 0.8) {
            options.title = phrase(8);
            args.push('--title', options.title);
        }
        if (next() < 0.5) {
            options.footer = phrase(3);
            args.push('--footer', options.footer);
        }
        if (next() < 0.5) {
            options.titleAlign = pick(['l', 'c', 'r']);
            args.push('--title-align', options.titleAlign);
        }
        if (next() < 0.3) {
            options.head = 0;
            args.push('--head', '0');
        }
        const input = cp932 ? iconv('UTF-8', 'CP932', text) : text;
        const given = cp932 ? new Uint8Array(input) : text;
        if (cp932) {
            options.encoding = 'cp932';
            args.push('-e', 'cp932');
        }
        const native = runNative(args, input);
        const name = `${JSON.stringify(args)} on ${JSON.stringify(text)}`;
        if (native.status === 0) {
            const ours = frame(given, options);
            assert.deepEqual(Buffer.from(ours), native.stdout, name);
            seen.framed++;
            continue;
        }
        assert.throws(() => frame(given, options), (error) => {
            assert.ok(error instanceof ZentabError, name);
            assert.equal(error.message, nativeRefusal(native), name);
            seen.refused += error.kind === 'no-caption' ? 1 : 0;
            return true;
        });
    }
    assert.ok(seen.framed > 100 && seen.refused > 5, JSON.stringify(seen));
    const titled = frame('a|b\n1|2\n', { title: 'T', footer: 'F' });
    assert.equal(frame(titled, { from: 'frame', to: 'psv' }), 'a|b\n1|2\n');
    assert.equal(frame(titled, { from: 'frame', withTitle: true }), titled);
    assert.throws(() => frame('a|b', { titleAlign: 'middle' }), RangeError);
    assert.throws(() => frame('a|b', { title: 3 }), TypeError);
});

// The module hands its output over as UTF-16, taking ASCII and three-byte
// characters several at a time: long runs of one length of UTF-8 character
// and of mixed ones, ending anywhere in a block, come back as they went in.
test('long runs of each length of UTF-8 character: frame() and unframe() keep every character', () => {
    const next = random(2718);
    const pick = (items) => items[Math.floor(next() * items.length)];
    const runs = ['plain ascii text', 'é', 'ß', '─', '漢字', 'ｶ', '😀', '𠀋', '①', 'x─', 'é😀a'];
    for (let round = 0; round < 120; round++) {
        const cell = () => Array.from({ length: 1 + Math.floor(next() * 4) },
            () => pick(runs).repeat(1 + Math.floor(next() * 12))).join(pick(['', ' ', '-']));
        const columns = 1 + Math.floor(next() * 3);
        const rows = Array.from({ length: 1 + Math.floor(next() * 4) }, () => Array.from({ length: columns }, cell));
        const text = rows.map((row) => row.join('|')).join('\n');
        const options = { frame: 1 + Math.floor(next() * 6), ambiguous: pick(['narrow', 'wide']) };
        const framed = frame(text, options);
        assert.equal(framed, runNative(['-f', `${options.frame}`, '-a', options.ambiguous], text).stdout.toString('utf8'), text);
        assert.deepEqual(unframe(framed, { ambiguous: options.ambiguous }), rows, text);
    }
});

describe('from: other input formats, as --from reads them', () => {
    const cases = [
        ['csv', 'Name,Note\n"Tanaka, Ken","said ""hi"""\n山田,"two\nlines"'],
        ['csv', 'A,B\n"open,x'],
        ['tsv', 'A\tB|C\n1\t2'],
        ['markdown', '| Item | Qty |\n|:-----|----:|\n| りんご | 3 |'],
        ['markdown', 'no table'],
        ['frame', runNative(['-f', '2'], tables.japanese).stdout.toString('utf8')],
        ['psv', tables.ascii],
    ];
    for (const [from, text] of cases) {
        test(`${from}: ${JSON.stringify(text.slice(0, 20))}`, () => {
            const native = runNative(['--from', from, '-f', '4', '-p', 'C'], text);
            const call = () => frame(text, { from, frame: 4, position: 'C' });
            if (native.status === 0) assert.equal(call(), native.stdout.toString('utf8'));
            else assert.throws(call, (error) => error.message === nativeRefusal(native));
        });
    }
    test('an unknown format', () => assert.throws(() => frame('A', { from: 'xml' }), RangeError));
});

describe('unframe() reads rows of cells as --unframe does', () => {
    const framedBy = (args, text) => runNative(args, text).stdout.toString('utf8');
    const cases = [
        ['type 1, narrow', framedBy([], tables.japanese), 'narrow'],
        ['type 5, wide, read as narrow first', framedBy(['-f', '5', '-p', 'H', '-a', 'wide'], tables.ambiguous), 'narrow'],
        ['type 6', framedBy(['-f', '6'], tables.emoji), 'wide'],
        ['spaces kept inside cells', framedBy(['-f', '3'], 'a b|  c\nd|e'), 'narrow'],
        ['nothing', '', 'narrow'],
        ['no frame', 'hello', 'narrow'],
    ];
    for (const [name, text, ambiguous] of cases) {
        test(name, () => {
            const native = runNative(['--unframe', '-a', ambiguous], text);
            if (native.status !== 0) {
                assert.throws(() => unframe(text, { ambiguous }), (error) => error.message === nativeRefusal(native));
                return;
            }
            const rows = native.stdout.toString('utf8').split('\n').slice(0, -1).map((line) => line.split('|'));
            assert.deepEqual(unframe(text, { ambiguous }), rows);
        });
    }
    test('frame() and unframe() undo each other on cells without outer spaces', () => {
        const rows = [['品名', 'Qty'], ['😀 face', '①'], ['e\u0301', 'x']];
        const text = rows.map((row) => row.join('|')).join('\n');
        for (const type of [1, 2, 3, 4, 5, 6]) assert.deepEqual(unframe(frame(text, { frame: type })), rows);
    });
});

describe('option forms', () => {
    const text = tables.japanese;
    const cases = [
        [{}, { frame: 1, position: 'A', ambiguous: 'narrow' }],
        [undefined, { frame: 1, position: 'A', ambiguous: 'narrow' }],
        [{ position: 'h' }, { position: 'H' }],
        [{ position: 8 }, { position: 'H' }],
        [{ position: 17 }, { position: 'Q' }],
    ];
    for (const [given, same] of cases) {
        test(JSON.stringify(given), () => assert.equal(frame(text, given), frame(text, same)));
    }
    test('every position letter is its number', () => {
        [...positions].forEach((letter, index) => {
            assert.equal(frame(text, { position: index + 1 }), frame(text, { position: letter }));
        });
    });
});

describe('refusals throw a ZentabError with the place and kind', () => {
    const cases = [
        ['a row short', 'A|B\nC', 2, 'ragged-row'],
        ['control character', 'A|B\nC|\u0001', 2, 'control-character'],
        ['no cells', '|', 0, 'no-cells'],
        ['after a line of CR', 'A|B\rC|D\rE', 3, 'ragged-row'],
    ];
    for (const [name, text, line, kind] of cases) {
        test(name, () => {
            const native = runNative([], text);
            assert.equal(native.status, 1);
            assert.throws(() => frame(text), (error) => {
                assert.ok(error instanceof ZentabError);
                assert.equal(error.name, 'ZentabError');
                assert.equal(error.kind, kind);
                assert.equal(error.message, nativeRefusal(native));
                assert.equal(typeof error.line, 'number');
                assert.equal(typeof error.column, 'number');
                assert.equal(error.line, line);
                assert.match(error.message, line ? new RegExp(`^line ${line}, column ${error.column}: `) : /^[^l]/);
                return true;
            });
        });
    }
});

describe('a lone surrogate is refused as text that is not UTF-8, not framed as U+FFFD', () => {
    // [name, text, line, column, code unit]: columns count characters, a pair as one.
    const cases = [
        ['high, last', 'a|\uD800', 1, 3, 0xd800],
        ['low, first', '\uDC00|b', 1, 1, 0xdc00],
        ['two highs: the first', 'a|\uD800\uD800\uDC00', 1, 3, 0xd800],
        ['after pairs and a BOM', '\uFEFF😀|👩‍👩‍👧\nx|y\uDFFF', 2, 4, 0xdfff],
        ['after CR LF, lone CR and LF', 'A|B\r\nC|D\rE|F\nG|\uDBFF!', 4, 3, 0xdbff],
        ['low before high, pair reversed', 'A|\uDC00\uD800', 1, 3, 0xdc00],
    ];
    for (const [name, text, line, column, unit] of cases) {
        test(name, () => {
            for (const call of [() => frame(text), () => frame(text, { from: 'csv' }), () => unframe(text)]) {
                assert.throws(call, (error) => {
                    assert.ok(error instanceof ZentabError);
                    assert.equal(error.kind, 'invalid-utf8');
                    assert.equal(error.line, line);
                    assert.equal(error.column, column);
                    assert.equal(error.codePoint, unit);
                    const name = `U+${unit.toString(16).toUpperCase()}`;
                    assert.equal(error.message, `line ${line}, column ${column}: not UTF-8 (lone surrogate ${name})`);
                    return true;
                });
            }
        });
    }
    test('the same place as the command gives a byte that is not UTF-8', () => {
        const before = 'A|B\r\nC|D\rE|😀';
        const native = runNative([], Buffer.concat([Buffer.from(before), Buffer.from([0xff])]));
        assert.throws(() => frame(`${before}\uD800`), (error) => {
            assert.equal(error.message.split(':')[0], nativeRefusal(native).split(':')[0]);
            return true;
        });
    });
    test('pairs and U+FFFD itself still frame', () => {
        const text = 'a|😀\n\uFFFD|b';
        assert.equal(frame(text), runNative([], text).stdout.toString('utf8'));
    });
});

describe('bad options', () => {
    const cases = [
        [{ frame: 0 }, RangeError], [{ frame: 7 }, RangeError], [{ frame: '1' }, RangeError],
        [{ frame: 1.5 }, RangeError], [{ position: 'R' }, RangeError], [{ position: 0 }, RangeError],
        [{ position: 18 }, RangeError], [{ position: 'AB' }, RangeError], [{ ambiguous: 'Wide' }, RangeError],
        [{ width: -1 }, RangeError], [{ width: 2.5 }, RangeError], [{ width: '40' }, RangeError],
        [{ cellWidth: [3, 'x'] }, RangeError], [{ cellWidth: -2 }, RangeError], [{ overflow: 'cut' }, RangeError],
        [{ align: 'lx' }, RangeError], [{ align: ['l'] }, RangeError], [{ padding: 1001 }, RangeError],
        [{ padding: -1 }, RangeError], [{ rules: 'some' }, RangeError],
    ];
    for (const [options, kind] of cases) {
        test(JSON.stringify(options), () => assert.throws(() => frame('A|B', options), kind));
    }
    test('text that is not a string', () => {
        for (const text of [undefined, 42, ['A|B']]) assert.throws(() => frame(text), TypeError);
    });
});

describe('ready() compiles ahead', () => {
    // A fresh process each, so that no frame() has compiled the module before.
    const run = (script) => {
        const url = pathToFileURL(path.join(packageDir, 'index.js')).href;
        const child = spawnSync(process.execPath, ['--input-type=module', '-e', `import * as z from '${url}';\n${script}`]);
        assert.equal(child.status, 0, child.stderr.toString());
        return child.stdout.toString();
    };
    const expected = runNative([], tables.japanese).stdout.toString('utf8');
    test('then frame()', () => {
        assert.equal(run(`const p = z.ready(); if (!(p instanceof Promise)) throw 1; await p; await z.ready();
process.stdout.write(z.frame(${JSON.stringify(tables.japanese)}));`), expected);
    });
    test('frame() while it is still compiling, then it settles', () => {
        assert.equal(run(`const p = z.ready(); const text = z.frame(${JSON.stringify(tables.japanese)}); await p;
process.stdout.write(text + z.frame(${JSON.stringify(tables.japanese)}));`), expected + expected);
    });
});

test('long text beyond ASCII after ASCII: the input grows past its first guess', () => {
    const text = `${'A|B\n'.repeat(3000)}${'りんご|😀\n'.repeat(3000)}`;
    assert.equal(frame(text), runNative([], text).stdout.toString('utf8'));
});

test('a large table, then a small one: the module memory grows and is read afresh', () => {
    const row = 'セル|cell|1234567890\n';
    const big = row.repeat(Math.floor((900 * 1024) / Buffer.byteLength(row)));
    const native = runNative([], big);
    assert.equal(native.status, 0, native.stderr);
    assert.equal(frame(big), native.stdout.toString('utf8'));
    assert.equal(frame(tables.ascii), runNative([], tables.ascii).stdout.toString('utf8'));
});

test('the package: ES module and CommonJS with types, a bin, no dependencies, Node 18 or later', () => {
    const manifest = JSON.parse(fs.readFileSync(path.join(packageDir, 'package.json'), 'utf8'));
    assert.equal(manifest.name, 'zentab');
    assert.equal(manifest.type, 'module');
    assert.equal(manifest.dependencies, undefined);
    assert.equal(manifest.engines.node, '>=18');
    assert.equal(manifest.exports['.'].import.types, './index.d.ts');
    assert.equal(manifest.exports['.'].require.types, './index.d.cts');
    assert.equal(manifest.bin.zentab, './cli.cjs');
    assert.equal(manifest.license, 'UNLICENSED');
    assert.equal(manifest.repository.type, 'git');
    const cmake = fs.readFileSync(new URL('../../CMakeLists.txt', import.meta.url), 'utf8');
    assert.equal(manifest.version, /project\(\w+ VERSION ([\d.]+)/.exec(cmake)[1]);
    assert.deepEqual(fs.readdirSync(packageDir).sort(),
        ['README.md', 'cli.cjs', 'index.cjs', 'index.d.cts', 'index.d.ts', 'index.js', 'package.json']);
    const types = fs.readFileSync(path.join(packageDir, 'index.d.ts'), 'utf8');
    assert.match(types, /export function frame\(text: string, options\?: FrameOptions\): string;/);
    assert.match(types, /export class ZentabError extends Error/);
    assert.match(types, /export function formatDocument\(text: string, options\?: DocumentOptions\): FormattedDocument;/);
    // Every refusal kind of the text layer has its word, in its order.
    const header = fs.readFileSync(new URL('../../text/refusal.h', import.meta.url), 'utf8');
    const names = /enum class RefusalKind[^{]*\{([^}]*)\}/.exec(header)[1].split('\n')
        .map((line) => line.replace(/\/\/.*/, '').trim().replace(/,$/, '').replace(/\s*=\s*\d+$/, ''))
        .filter(Boolean);
    const words = names.map((name) => name.replace(/Utf8/, 'Utf8').replace(/([a-z0-9])([A-Z])/g, '$1-$2').toLowerCase());
    // The package takes them from the module's table of names, with - for _.
    const table = fs.readFileSync(new URL('../../text/public_names.h', import.meta.url), 'utf8');
    const kinds = /kRefusalKindNames\[\] = \{([^}]*)\}/.exec(table)[1].match(/"[^"]*"/g)
        .map((word) => word.slice(1, -1).replaceAll('_', '-'));
    assert.deepEqual(kinds, words);
});

describe('encoding, lineEnd and to: as -e, --crlf and --to', () => {
    const japanese = '品名|数量\nりんご|3\nｶﾀｶﾅ|①';
    const cases = [
        [{ lineEnd: 'crlf' }, ['--crlf']],
        [{ to: 'markdown' }, ['--to', 'markdown']],
        [{ to: 'markdown', position: 'H' }, ['--to', 'markdown', '-p', 'H']],
        [{ to: 'csv', from: 'frame' }, ['--to', 'csv', '--from', 'frame']],
        [{ to: 'tsv', lineEnd: 'crlf' }, ['--to', 'tsv', '--crlf']],
        [{ encoding: 'cp932', frame: 5 }, ['-e', 'cp932', '-f', '5']],
        [{ encoding: 'sjis', lineEnd: 'crlf', position: 'D' }, ['-e', 'sjis', '--crlf', '-p', 'D']],
    ];
    for (const [options, args] of cases) {
        test(JSON.stringify(options), () => {
            const cp932 = options.encoding !== undefined;
            const text = options.from === 'frame' ? runNative([], japanese).stdout.toString('utf8') : japanese;
            const bytes = cp932 ? iconv('UTF-8', 'CP932', text) : Buffer.from(text);
            const native = runNative(args, bytes);
            assert.equal(native.status, 0, native.stderr);
            // Bytes in, bytes out in the encoding; a string in, the same as a string.
            assert.ok(Buffer.from(frame(new Uint8Array(bytes), options)).equals(native.stdout));
            const asText = cp932 ? iconv('CP932', 'UTF-8', native.stdout) : native.stdout;
            assert.equal(frame(text, options), asText.toString('utf8'));
        });
    }
    test('text code page 932 cannot hold, and bytes that are not cp932', () => {
        assert.throws(() => frame('A|é', { encoding: 'cp932' }), (error) => error.kind === 'not-in-cp932' && error.column === 3);
        const bad = Buffer.from([0x41, 0x7c, 0x81]);
        const native = runNative(['-e', 'cp932'], bad);
        assert.throws(() => frame(new Uint8Array(bad), { encoding: 'cp932' }), (error) => error.message === nativeRefusal(native));
    });
    test('bad values', () => {
        for (const options of [{ encoding: 'latin1' }, { lineEnd: 'cr' }, { to: 'xml' }]) {
            assert.throws(() => frame('A', options), RangeError);
        }
    });
});

// The package's command against the native one: random options among those
// it has, on tables that frame and tables that are refused.
describe('npx zentab behaves as the command', () => {
    const bin = path.join(packageDir, 'cli.cjs');
    const runBin = (args, input, env = {}) => {
        const run = spawnSync(process.execPath, [bin, ...args], { input, env: { ...process.env, ...env } });
        return { status: run.status, stdout: run.stdout, stderr: run.stderr.toString('utf8') };
    };
    test('random options and tables', () => {
        const next = random(77);
        const pick = (items) => items[Math.floor(next() * items.length)];
        const texts = [tables.japanese, tables.emoji, tables.lineEnds, tables.tabs, 'A|B\nC', 'A,"B\n1,2', '| A | B |\n|---|--:|\n| 1 | 2 |'];
        for (let round = 0; round < 60; round++) {
            const args = [];
            if (next() < 0.6) args.push(pick(['-f', '--frame']), String(1 + Math.floor(next() * 6)));
            if (next() < 0.5) args.push(pick(['-p', '--position=']) + pick(['a', 'H', '17', 'q']));
            if (next() < 0.4) args.push('-a', pick(['narrow', 'wide']));
            if (next() < 0.4) args.push('--from', pick(['psv', 'csv', 'tsv', 'markdown']));
            if (next() < 0.4) args.push('--to', pick(['frame', 'psv', 'csv', 'markdown']));
            if (next() < 0.3) args.push('--crlf');
            if (next() < 0.5) args.push(...randomFit(next).args);
            // Now and then a fitting value the command refuses, or one written another way.
            if (next() < 0.2) {
                args.push(...pick([['-w0'], ['--width=x'], ['--cell-width', '3,,4'], ['--cell-width=-,07'], ['--align', 'lx'],
                    ['--align=LRD'], ['--padding', '1001'], ['--padding=007'], ['--overflow', 'cut'], ['--overflow=TRUNCATE'],
                    ['--rules', 'some'], ['--rules', 'Header'], ['-w']]));
            }
            // Columns and rows, now and then one the table lacks or a list that cannot be read.
            if (next() < 0.3) {
                args.push(...pick([['-c', '2,1'], ['--columns=B'], ['-c1'], ['--hide', '1'], ['--sort', '1:r'], ['--sort=2:n'],
                    ['--head', '1'], ['--tail=01'], ['--transpose'], ['-c', '9'], ['-c', '2-1'], ['--sort', '1:n:n'],
                    ['--head', '-1'], ['--transpose=1']]));
            }
            // A title and footer, now and then an alignment the command refuses.
            if (next() < 0.3) {
                args.push(...pick([['--title', 'Sales'], ['--title=A long title over the table'], ['--footer', 'x'],
                    ['--title-align', 'r', '--title', 'T'], ['--title-align=middle'], ['--with-title'],
                    ['--title', 'T', '--footer', 'F', '--title-align', 'L']]));
            }
            const text = pick(texts);
            const native = runNative(args, text);
            const ours = runBin(args, text);
            assert.deepEqual(ours, { ...native, stdout: ours.stdout }, `zentab ${args.join(' ')}`);
            assert.ok(ours.stdout.equals(native.stdout), `zentab ${args.join(' ')}`);
        }
    });
    test('--width auto: $COLUMNS when standard output is no terminal', () => {
        const text = 'Item|Note\npen|blue ink, fine point, refillable';
        for (const COLUMNS of ['24', '', 'wide', '0024']) {
            const native = spawnSync(zentabBin, ['--width', 'auto'], { input: text, env: { ...process.env, COLUMNS } });
            const ours = runBin(['--width', 'auto'], text, { COLUMNS });
            assert.equal(ours.status, native.status, COLUMNS);
            assert.ok(ours.stdout.equals(native.stdout), COLUMNS);
        }
    });
    test('a file, -e cp932, ZENTAB_AMBIGUOUS, --unframe', () => {
        const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'zentab-bin-')), 'table.txt');
        fs.writeFileSync(file, iconv('UTF-8', 'CP932', tables.japanese));
        for (const [args, env] of [[['-e', 'cp932', file], {}], [['-f', '2', '-'], { ZENTAB_AMBIGUOUS: 'wide' }]]) {
            const input = args.includes('-') ? tables.ambiguous : '';
            const native = spawnSync(zentabBin, args, { input, env: { ...process.env, ...env } });
            const ours = runBin(args, input, env);
            assert.equal(ours.status, native.status);
            assert.ok(ours.stdout.equals(native.stdout));
        }
        const framed = runNative(['-f', '3'], tables.japanese).stdout;
        assert.ok(runBin(['--unframe'], framed).stdout.equals(runNative(['--unframe'], framed).stdout));
    });
    test('bad options exit 2 with the usage hint, as the command does', () => {
        for (const args of [['-f', '7'], ['-p', 'R'], ['--frame'], ['--bogus'], ['a', 'b'], ['-e', 'latin1'], ['--crlf=1']]) {
            const native = runNative(args, '');
            const ours = runBin(args, '');
            assert.equal(ours.status, 2);
            assert.equal(ours.stderr, native.stderr, args.join(' '));
        }
        // --raw is the command's own code in the module: as the command.
        assert.deepEqual(runBin(['--raw'], 'a|b\n'), runNative(['--raw'], 'a|b\n'));
        assert.match(runBin(['--help'], '').stdout.toString(), /^Usage: zentab /);
        assert.equal(runBin(['--version'], '').stdout.toString(), runNative(['--version'], '').stdout.toString());
    });
});

// The same package through require(), in a fresh process of the Node running
// the tests: CommonJS and the ES module give the very same objects.
test('require() and import give the same functions and error class', () => {
    const script = `const z = require(${JSON.stringify(packageDir)});
import(${JSON.stringify(pathToFileURL(path.join(packageDir, 'index.js')).href)}).then((m) => {
  let caught; try { z.frame('A|B\\nC'); } catch (error) { caught = error; }
  process.stdout.write(JSON.stringify([m.frame === z.frame && m.formatDocument === z.formatDocument, m.ZentabError === z.ZentabError,
    caught instanceof m.ZentabError, caught.line, z.frame('A|B')]));
});`;
    const child = spawnSync(process.execPath, ['-e', script]);
    assert.equal(child.status, 0, child.stderr.toString());
    assert.deepEqual(JSON.parse(child.stdout.toString()), [true, true, true, 2, runNative([], 'A|B').stdout.toString()]);
});

// The code page 932 table comes from Node's own Shift_JIS decoder: every
// character glibc's charmap writes in two bytes, and the half-width kana,
// frame as the command frames their bytes.
test('cp932: every character code page 932 writes', () => {
    const charmap = zlib.gunzipSync(fs.readFileSync('/usr/share/i18n/charmaps/WINDOWS-31J.gz')).toString('latin1');
    const characters = [];
    for (const line of charmap.split('\n')) {
        const match = /^<U([0-9A-F]{4})>\s+\/x([0-9a-f]{2})(\/x[0-9a-f]{2})?\s/.exec(line);
        if (match && (match[3] || parseInt(match[2], 16) >= 0xa1)) characters.push(String.fromCharCode(parseInt(match[1], 16)));
    }
    assert.ok(characters.length > 9000);
    const rows = [];
    for (let at = 0; at < characters.length; at += 120) {
        rows.push(`${characters.slice(at, at + 60).join('')}|${characters.slice(at + 60, at + 120).join('') || '-'}`);
    }
    const text = rows.join('\n');
    const native = runNative(['-e', 'cp932', '--crlf'], iconv('UTF-8', 'CP932', text));
    assert.equal(native.status, 0, native.stderr);
    assert.ok(Buffer.from(frame(text, { encoding: 'cp932', lineEnd: 'crlf' })).equals(iconv('CP932', 'UTF-8', native.stdout)));
});

describe('formatDocument() lines up tables as zentab fmt does', () => {
    test('random Markdown documents, both width models, padding as Markdown has it or given', () => {
        const next = random(2024);
        const seen = { changed: 0, left: 0 };
        for (let round = 0; round < 120; round++) {
            const text = randomDocument(next);
            const ambiguous = next() < 0.5 ? 'narrow' : 'wide';
            const padding = [undefined, 0, 2][Math.floor(next() * 3)];
            const args = ['--in', 'markdown', '-a', ambiguous, ...(padding === undefined ? [] : ['--padding', `${padding}`])];
            const native = runFmt(args, text);
            const name = `${args.join(' ')} on ${JSON.stringify(text)}`;
            const got = formatDocument(text, { ambiguous, padding });
            assert.equal(got.text, native.text, name);
            const left = got.tables.filter((table) => table.refusal)
                .map(({ refusal: { line, column, message } }) => ({ line, column, message }));
            assert.deepEqual(left, native.left, name);
            assert.equal(native.status, left.length ? 1 : 0, name);
            // Lined up once, a document stays as it is.
            assert.ok(formatDocument(got.text, { ambiguous, padding }).tables.every((table) => !table.changed), name);
            seen.changed += got.tables.some((table) => table.changed);
            seen.left += left.length > 0;
        }
        assert.ok(seen.changed > 40 && seen.left > 0, JSON.stringify(seen));
    });

    test('the tables: their first lines, which changed, and why one was left as it is', () => {
        const text = '# T\n\n|a|b|\n|---|---|\n|漢字|1|\n\n| x   |\n| --- |\n| x   |\n\n| a | b |\n|---|---|\n| 1 | 2 | 3 |\n';
        const { tables } = formatDocument(text);
        assert.deepEqual(tables.map(({ line, changed, refusal }) => [line, changed, refusal?.kind]),
            [[3, true, undefined], [7, false, undefined], [11, false, 'cells-past-header']]);
        assert.match(tables[2].refusal.message, /^line 13, column 11: this row has 3 cells/);
    });

    test('other kinds of document, by name', () => {
        const text = '| a | b |\n|---+---|\n| 漢字 | 1 |\n\n+--+--+\n|x |y |\n+--+--+\n';
        for (const kind of ['org', 'rst', 'text']) {
            assert.equal(formatDocument(text, { kind }).text, runFmt(['--in', kind], text).text, kind);
        }
    });

    test('a document refused whole throws; bad options are RangeErrors and TypeErrors', () => {
        assert.throws(() => formatDocument('| a |\n|---|\n| \uD83D |\n'),
            (error) => error instanceof ZentabError && error.kind === 'invalid-utf8' && error.line === 3);
        for (const options of [{ kind: 'html' }, { kind: 'Markdown' }, { ambiguous: 'half' }, { padding: -1 }, { padding: 1.5 }, { padding: 1001 }]) {
            assert.throws(() => formatDocument('x', options), RangeError, JSON.stringify(options));
        }
        assert.throws(() => formatDocument(new Uint8Array(1)), TypeError);
    });
});
