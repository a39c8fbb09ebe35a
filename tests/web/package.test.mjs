// The npm package, installed from its tarball, against the native command.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { describe, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { nativeRefusal, positions, runNative } from './native.mjs';

const packageDir = path.resolve(process.env.ZENTAB_PACKAGE ?? 'build-web/try/node_modules/zentab');
const { frame, unframe } = await import(path.join(packageDir, 'index.js'));

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

describe('refusals throw an Error with the place', () => {
    const cases = [
        ['a row short', 'A|B\nC', 2],
        ['control character', 'A|B\nC|\u0001', 2],
        ['no cells', '|', 0],
        ['after a line of CR', 'A|B\rC|D\rE', 3],
    ];
    for (const [name, text, line] of cases) {
        test(name, () => {
            const native = runNative([], text);
            assert.equal(native.status, 1);
            assert.throws(() => frame(text), (error) => {
                assert.ok(error instanceof Error);
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
                    assert.ok(error instanceof Error);
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
    ];
    for (const [options, kind] of cases) {
        test(JSON.stringify(options), () => assert.throws(() => frame('A|B', options), kind));
    }
    test('text that is not a string', () => {
        for (const text of [undefined, 42, Buffer.from('A|B')]) assert.throws(() => frame(text), TypeError);
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

test('the package: an ES module with types, no dependencies, Node 18 or later', () => {
    const manifest = JSON.parse(fs.readFileSync(path.join(packageDir, 'package.json'), 'utf8'));
    assert.equal(manifest.name, 'zentab');
    assert.equal(manifest.type, 'module');
    assert.equal(manifest.dependencies, undefined);
    assert.equal(manifest.engines.node, '>=18');
    assert.equal(manifest.exports['.'].types, './index.d.ts');
    const cmake = fs.readFileSync(new URL('../../CMakeLists.txt', import.meta.url), 'utf8');
    assert.equal(manifest.version, /project\(\w+ VERSION ([\d.]+)/.exec(cmake)[1]);
    assert.deepEqual(fs.readdirSync(packageDir).sort(), ['README.md', 'index.d.ts', 'index.js', 'package.json']);
    assert.match(fs.readFileSync(path.join(packageDir, 'index.d.ts'), 'utf8'),
        /export function frame\(text: string, options\?: FrameOptions\): string;/);
});
