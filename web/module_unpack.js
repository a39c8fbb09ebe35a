// The page carries its module LZMA-compressed (xz's raw LZMA1, lc=3 lp=0
// pb=0, as scripts/assemble-web.mjs packs it): a tenth smaller than the best
// gzip, which is what the page's budget counts, for a decoder of about 1 KB.
// packed: the module's size as four bytes, little-endian, then the stream.
function unpackModule(packed) {
    const size = packed[0] | (packed[1] << 8) | (packed[2] << 16) | (packed[3] * 0x1000000);
    const out = new Uint8Array(size);
    // Probabilities, each model at an offset of its own: 12 states for the
    // state-indexed ones, two length models of 274, distance slots for four
    // lengths, the reverse trees of middle distances, 16 for the lowest bits
    // of far ones, and 0x300 a literal context (lc=3: eight).
    const isMatch = 0;
    const isRep = 12;
    const isRepG0 = 24;
    const isRepG1 = 36;
    const isRepG2 = 48;
    const isRep0Long = 60;
    const matchLength = 72;
    const repLength = matchLength + 274;
    const slots = repLength + 274;
    const middle = slots + 256;
    const align = middle + 115;
    const literals = align + 16;
    const probs = new Uint16Array(literals + 0x300 * 8).fill(1024);
    // The range decoder, in 32-bit integers compared as unsigned (flipping
    // the top bit), which keeps every step in integer arithmetic. The
    // stream's first byte is always 0; the code starts as the next four.
    let at = 9;
    let range = -1;
    let code = (packed[5] << 24) | (packed[6] << 16) | (packed[7] << 8) | packed[8];
    const normalize = () => {
        if ((range & 0xff000000) === 0) {
            range <<= 8;
            code = (code << 8) | packed[at++];
        }
    };
    const bit = (index) => {
        const probability = probs[index];
        const bound = Math.imul(range >>> 11, probability);
        let value = 0;
        if ((code ^ 0x80000000) < (bound ^ 0x80000000)) {
            range = bound;
            probs[index] = probability + ((2048 - probability) >> 5);
        } else {
            range = (range - bound) | 0;
            code = (code - bound) | 0;
            probs[index] = probability - (probability >> 5);
            value = 1;
        }
        normalize();
        return value;
    };
    const tree = (base, bits) => {
        let m = 1;
        for (let i = 0; i < bits; i++) m = (m << 1) | bit(base + m);
        return m - (1 << bits);
    };
    const reverseTree = (base, bits) => {
        let m = 1;
        let value = 0;
        for (let i = 0; i < bits; i++) {
            const b = bit(base + m);
            m = (m << 1) | b;
            value |= b << i;
        }
        return value;
    };
    const directBits = (count) => {
        let value = 0;
        while (count--) {
            range >>>= 1;
            code = (code - range) | 0;
            // All ones when the code was below the halved range.
            const below = code >> 31;
            code = (code + (range & below)) | 0;
            value = (value << 1) + below + 1;
            normalize();
        }
        return value;
    };
    // Lengths from 0 (two bytes): 3 bits below 8, 3 more below 16, else 8.
    const length = (base) => {
        if (!bit(base)) return tree(base + 2, 3);
        if (!bit(base + 1)) return 8 + tree(base + 10, 3);
        return 16 + tree(base + 18, 8);
    };
    let state = 0;
    let rep0 = 0;
    let rep1 = 0;
    let rep2 = 0;
    let rep3 = 0;
    let pos = 0;
    while (pos < size) {
        if (!bit(isMatch + state)) {
            const base = literals + 0x300 * (pos > 0 ? out[pos - 1] >> 5 : 0);
            let symbol = 1;
            if (state >= 7) {
                // After a match, the byte the match would have gone on with.
                let matchByte = out[pos - rep0 - 1];
                do {
                    const matchBit = (matchByte >> 7) & 1;
                    matchByte <<= 1;
                    const b = bit(base + ((1 + matchBit) << 8) + symbol);
                    symbol = (symbol << 1) | b;
                    if (matchBit !== b) break;
                } while (symbol < 0x100);
            }
            while (symbol < 0x100) symbol = (symbol << 1) | bit(base + symbol);
            out[pos++] = symbol & 0xff;
            state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
            continue;
        }
        let len;
        if (bit(isRep + state)) {
            if (!bit(isRepG0 + state)) {
                if (!bit(isRep0Long + state)) {
                    state = state < 7 ? 9 : 11;
                    out[pos] = out[pos - rep0 - 1];
                    pos++;
                    continue;
                }
            } else {
                let distance;
                if (!bit(isRepG1 + state)) {
                    distance = rep1;
                } else {
                    if (!bit(isRepG2 + state)) {
                        distance = rep2;
                    } else {
                        distance = rep3;
                        rep3 = rep2;
                    }
                    rep2 = rep1;
                }
                rep1 = rep0;
                rep0 = distance;
            }
            len = length(repLength);
            state = state < 7 ? 8 : 11;
        } else {
            rep3 = rep2;
            rep2 = rep1;
            rep1 = rep0;
            len = length(matchLength);
            state = state < 7 ? 7 : 10;
            const slot = tree(slots + (Math.min(len, 3) << 6), 6);
            if (slot < 4) {
                rep0 = slot;
            } else {
                const bits = (slot >> 1) - 1;
                rep0 = ((2 | (slot & 1)) << bits) >>> 0;
                if (slot < 14) {
                    rep0 += reverseTree(middle + rep0 - slot, bits);
                } else {
                    rep0 += directBits(bits - 4) * 16 + reverseTree(align, 4);
                }
                // The end marker.
                if (rep0 === 0xffffffff) break;
            }
        }
        for (len += 2; len > 0 && pos < size; len--, pos++) out[pos] = out[pos - rep0 - 1];
    }
    return out;
}
