// Numbers formatted and empty cells filled by the npm package and its
// command, against the native command on random tables of numbers.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import path from 'node:path';
import { test } from 'node:test';

import { iconv, nativeRefusal, random, runNative } from './native.mjs';

const packageDir = path.resolve(process.env.ZENTAB_PACKAGE ?? 'build-web/try/node_modules/zentab');
const { frame, ZentabError } = await import(path.join(packageDir, 'index.js'));

const numbers = ['1234.565', '-0.004', '2.5', '0.125', '+1,234,567.891', '007', '.5', '1,2,3', '1e3', 'pen', '',
    '999.995', '12', '-1,000'];
const styles = ['-', 'g', '.0', '.2', 'g.2', 'g.0', '.20'];
const groups = [',', "'", '.', ' ', '\u2009'];

function randomTable(next) {
    const pick = (items) => items[Math.floor(next() * items.length)];
    const columns = 1 + Math.floor(next() * 4);
    const header = Array.from({ length: columns }, (_, index) => `1${index}00`);
    const body = Array.from({ length: 1 + Math.floor(next() * 6) }, () => Array.from({ length: columns }, () => pick(numbers)));
    // csv keeps an empty first or last cell, which psv reads as an outer bar.
    return [header, ...body].map((row) => row.map((cell) => (cell.includes(',') ? `"${cell}"` : cell)).join(',')).join('\n') + '\n';
}

test('number, groupChar and missing: frame() prints what the command prints', () => {
    const next = random(3535);
    const pick = (items) => items[Math.floor(next() * items.length)];
    const seen = { framed: 0, cp932: 0, refused: 0 };
    for (let round = 0; round < 300; round++) {
        const text = randomTable(next);
        const items = Array.from({ length: 1 + Math.floor(next() * 4) }, () => pick(styles));
        const options = { from: 'csv', to: pick(['frame', 'csv', 'markdown', 'psv']), groupChar: pick(groups) };
        options.number = next() < 0.5 ? items.join(',') : items;
        const args = ['--from', 'csv', '--to', options.to, '--number', items.join(','), '--group-char', options.groupChar];
        if (next() < 0.6) {
            options.missing = pick(['-', 'n/a', '—', '※']);
            args.push('--missing', options.missing);
        }
        if (next() < 0.3) {
            options.sort = '1:n';
            args.push('--sort', '1:n');
        }
        if (next() < 0.2) {
            options.transpose = true;
            args.push('--transpose');
        }
        const cp932 = next() < 0.2;
        const name = `${args.join(' ')}${cp932 ? ' -e cp932' : ''} on ${JSON.stringify(text)}`;
        const native = cp932 ? runNative(['-e', 'cp932', ...args], iconv('UTF-8', 'CP932', text)) : runNative(args, text);
        const ours = () => frame(text, cp932 ? { ...options, encoding: 'cp932' } : options);
        if (native.status === 0) {
            const want = cp932 ? iconv('CP932', 'UTF-8', native.stdout) : native.stdout;
            assert.equal(ours(), want.toString('utf8'), name);
            seen.framed++;
            seen.cp932 += cp932 ? 1 : 0;
            continue;
        }
        assert.throws(ours, (error) => {
            assert.ok(error instanceof ZentabError, name);
            assert.equal(error.message, nativeRefusal(native), name);
            seen.refused++;
            return true;
        });
    }
    assert.ok(seen.framed > 200 && seen.cp932 > 20, JSON.stringify(seen));
    for (const options of [{ number: 'g,' }, { number: '.21' }, { groupChar: '5' }, { groupChar: '' }, { missing: 'a\tb' }]) {
        assert.throws(() => frame('a|b', options), RangeError, JSON.stringify(options));
    }
    assert.throws(() => frame('a|b', { number: [2] }), TypeError);
});

test('npx zentab --number, --group-char and --missing behave as the command', () => {
    const bin = path.join(packageDir, 'cli.cjs');
    const text = 'n,m\n1234.565,\n-0.004,7\n';
    for (const args of [['--number', 'g.2,.1'], ['--number=g', '--group-char', "'"], ['--missing', '—', '--number', '.0'],
        ['--group-char=.', '--number', 'g.2'], ['--number', 'g,'], ['--group-char', '12'], ['--group-char='],
        ['--missing', 'a\tb'], ['--number']]) {
        const all = ['--from', 'csv', ...args];
        const native = runNative(all, text);
        const run = spawnSync(process.execPath, [bin, ...all], { input: text });
        assert.equal(run.status, native.status, all.join(' '));
        assert.equal(run.stderr.toString('utf8'), native.stderr, all.join(' '));
        assert.ok(run.stdout.equals(native.stdout), all.join(' '));
    }
});
