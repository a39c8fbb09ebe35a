// Rows drawn as records by the npm package and its command, against the
// native command, and read back by unframe().
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import path from 'node:path';
import { test } from 'node:test';

import { random, runNative } from './native.mjs';

const packageDir = path.resolve(process.env.ZENTAB_PACKAGE ?? 'build-web/try/node_modules/zentab');
const { frame, unframe } = await import(path.join(packageDir, 'index.js'));
const bin = path.join(packageDir, 'cli.cjs');

const words = ['a', 'x y', 'りんご', '±', 'é', '7.5', '[ 1 ]', '─┼─'];

function randomRows(next) {
    const pick = (items) => items[Math.floor(next() * items.length)];
    const columns = 1 + Math.floor(next() * 4);
    const cell = (row) => Array.from({ length: row === 0 || columns === 1 ? 1 : 1 + Math.floor(next() * 2) },
        () => Array.from({ length: 1 + Math.floor(next() * 2) }, () => pick(words)).join(' ')).join('\n');
    return Array.from({ length: 1 + Math.floor(next() * 4) }, (_, row) => Array.from({ length: columns }, () => cell(row)));
}

const csvOf = (rows) => rows.map((row) => row.map((cell) => `"${cell}"`).join(',')).join('\n') + '\n';

test('records: frame() and npx zentab print what the command prints, and unframe() reads them back', () => {
    const next = random(4242);
    const pick = (items) => items[Math.floor(next() * items.length)];
    const seen = { records: 0, tables: 0 };
    for (let round = 0; round < 200; round++) {
        const rows = randomRows(next);
        const text = csvOf(rows);
        const options = {
            from: 'csv', layout: pick(['records', 'records', 'auto']), frame: 1 + Math.floor(next() * 6),
            ambiguous: pick(['narrow', 'wide']), rules: pick(['all', 'header']), padding: Math.floor(next() * 2),
        };
        const args = ['--from', 'csv', '--layout', options.layout, '-f', `${options.frame}`, '-a', options.ambiguous,
            '--rules', options.rules, '--padding', `${options.padding}`];
        if (options.layout === 'auto' || next() < 0.3) {
            options.width = 20 + Math.floor(next() * 30);
            args.push('-w', `${options.width}`);
        }
        const native = runNative(args, text);
        const name = `${args.join(' ')} on ${JSON.stringify(text)}`;
        if (native.status !== 0) {
            assert.throws(() => frame(text, options), name);
            continue;
        }
        const drawn = native.stdout.toString('utf8');
        assert.equal(frame(text, options), drawn, name);
        const ours = spawnSync(process.execPath, [bin, ...args], { input: text });
        assert.equal(ours.stdout.toString('utf8'), drawn, name);
        if (drawn.split('\n')[0].includes('[ 1 ]') || drawn.split('\n')[0].includes('[ 0 ]')) {
            seen.records++;
            if (options.width === undefined) assert.deepEqual(unframe(drawn, { ambiguous: options.ambiguous }), rows, name);
        } else {
            seen.tables++;
        }
    }
    assert.ok(seen.records > 100 && seen.tables > 5, JSON.stringify(seen));
    assert.throws(() => frame('a|b', { layout: 'cards' }), RangeError);
    assert.equal(frame('a|b\n1|2', { layout: 'records', to: 'csv' }), 'a,b\n1,2\n');
    for (const args of [['--layout', 'records', '--to', 'csv'], ['--layout', 'cards']]) {
        const ours = spawnSync(process.execPath, [bin, ...args], { input: 'a|b\n' });
        const theirs = runNative(args, 'a|b\n');
        assert.equal(ours.status, 2);
        assert.equal(ours.stderr.toString('utf8'), theirs.stderr.toString('utf8'), args.join(' '));
    }
});
