// The page carries its module LZMA-packed (scripts/pack-module.mjs): a tenth
// smaller than the best gzip, which is what the page's budget counts. The
// decoder is a small module of its own (module_unpack.cpp), which runs at
// full speed from the start: in script, it would hold up the first frame.
// Both come as base64; the packed module is its size, four bytes
// little-endian, then the LZMA stream.
function fromBase64(text) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    const bytes = atob(text);
    // A plain loop: Uint8Array.from with a mapping function is many times slower.
    const array = new Uint8Array(bytes.length);
    for (let at = 0; at < bytes.length; at++) array[at] = bytes.charCodeAt(at);
    return array;
}

function unpackModule(packedBase64) {
    const packed = fromBase64(packedBase64);
    const size = packed[0] | (packed[1] << 8) | (packed[2] << 16) | (packed[3] * 0x1000000);
    const { exports } = new WebAssembly.Instance(new WebAssembly.Module(fromBase64('/* ZENTAB_UNPACK_WASM */')), {});
    // Past the decoder's own memory: the stream, the probabilities, the module.
    const start = exports.memory.buffer.byteLength;
    const count = exports.probabilities();
    const probs = start + packed.length + (packed.length & 1);
    const out = probs + 2 * count;
    exports.memory.grow(Math.ceil((out + size - start) / 65536));
    new Uint8Array(exports.memory.buffer).set(packed, start);
    new Uint16Array(exports.memory.buffer, probs, count).fill(1024);
    if (exports.unpack(start + 4, out, size, probs) !== size) throw new Error('zentab: the page\'s module is damaged');
    return new Uint8Array(exports.memory.buffer, out, size);
}
