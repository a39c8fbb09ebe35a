// How the page packs its module, for web/module_unpack.js to read: the
// module's size, four bytes little-endian, then xz's raw LZMA1 stream in the
// properties the decoder knows (lc=3 lp=0 pb=0). Needs xz (xz-utils).
import { execFileSync } from 'node:child_process';

export function packModule(bytes) {
    const stream = execFileSync('xz', ['--format=raw', '--lzma1=preset=9e,lc=3,lp=0,pb=0,nice=273', '-c'],
        { input: bytes, maxBuffer: 1 << 26 });
    const size = Buffer.alloc(4);
    size.writeUInt32LE(bytes.length);
    return Buffer.concat([size, stream]);
}
