// The native command, the reference that the page and the package must match.
import { spawnSync } from 'node:child_process';
import path from 'node:path';

export const zentabBin = path.resolve(process.env.ZENTAB_BIN ?? 'build/cli/zentab');

// Runs zentab with args on input (a string or bytes): { status, stdout (bytes), stderr }.
export function runNative(args, input) {
    const run = spawnSync(zentabBin, args, { input, maxBuffer: 1 << 28 });
    if (run.error) throw run.error;
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
