// The page's module unpacker against what it unpacks: whatever the packer
// packs comes back byte for byte, over inputs that take each of the stream's
// ways (literals, matches near and far, repeated distances, long runs).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { test } from 'node:test';

import { packModule } from '../../scripts/pack-module.mjs';

// The page's unpacker as the page holds it, with the decoder that
// scripts/build-web.sh built.
const webDir = process.env.ZENTAB_WEB_DIR ?? 'build-web';
const decoderPath = `${webDir}/zentab_unpack.wasm`;
const unpackModule = fs.existsSync(decoderPath)
    ? new Function(`${fs.readFileSync(new URL('../../web/module_unpack.js', import.meta.url), 'utf8')
        .replace('/* ZENTAB_UNPACK_WASM */', fs.readFileSync(decoderPath).toString('base64'))}
return unpackModule;`)()
    : null;

// A small generator of its own, so that a failure comes again.
function randomBytes(seed, length, alphabet = 256) {
    const bytes = new Uint8Array(length);
    let x = seed;
    for (let i = 0; i < length; i++) {
        x = (Math.imul(x, 1103515245) + 12345) >>> 0;
        bytes[i] = (x >>> 16) % alphabet;
    }
    return bytes;
}

// Text with words repeated at every distance, some changed a byte: matches,
// literals right after them and the last distances used again.
function wordy(seed, length) {
    const words = ['frame', 'table', 'cell', '│', 'りんご', '\n', '|', '12.50', 'zentab'];
    const choice = randomBytes(seed, length, words.length);
    const text = Array.from(choice, (index) => words[index]).join(' ');
    const bytes = new TextEncoder().encode(text).subarray(0, length);
    for (let i = 7; i < bytes.length; i += 97) bytes[i] ^= 1;
    return bytes;
}

// A block, other bytes, then the block again: a match farther than the
// decoder's modelled distances, spelled in direct bits.
function farRepeat(seed) {
    const block = randomBytes(seed, 3000);
    return new Uint8Array([...block, ...randomBytes(seed + 1, 600000), ...block]);
}

const cases = [
    ['nothing', new Uint8Array(0)],
    ['one byte', new Uint8Array([42])],
    ['every byte value', Uint8Array.from({ length: 256 }, (_, i) => i)],
    ['random bytes', randomBytes(1, 50000)],
    ['few symbols', randomBytes(2, 50000, 3)],
    ['long runs', new Uint8Array(100000).fill(7)],
    ['words', wordy(3, 200000)],
    ['a far repeat', farRepeat(4)],
];
const built = `${webDir}/zentab_page.wasm`;
if (fs.existsSync(built)) cases.push(['the page module', new Uint8Array(fs.readFileSync(built))]);

test('the page unpacks what the packer packs', { skip: !unpackModule && `no ${decoderPath}` }, () => {
    for (const [name, bytes] of cases) {
        const unpacked = unpackModule(packModule(bytes).toString('base64'));
        assert.ok(Buffer.from(unpacked).equals(Buffer.from(bytes)), name);
    }
});
