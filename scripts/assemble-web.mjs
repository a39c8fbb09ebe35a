// Wraps the optimised modules into the page and the npm package.
//   node scripts/assemble-web.mjs <page .wasm> <unpacker .wasm> <package .wasm> <version> <output directory>
// Writes <output>/zentab.html and <output>/npm/ (ready for npm pack).
import { execFileSync } from 'node:child_process';
import crypto from 'node:crypto';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import zlib from 'node:zlib';

import { packModule } from './pack-module.mjs';

const [pageWasmPath, unpackWasmPath, wasmPath, version, outDir] = process.argv.slice(2);
if (!outDir) throw new Error('usage: assemble-web.mjs <page .wasm> <unpacker .wasm> <package .wasm> <version> <output directory>');
const web = new URL('../web/', import.meta.url);
const read = (name) => fs.readFileSync(new URL(name, web), 'utf8');
const wasm = fs.readFileSync(wasmPath);

// Replaced by a function, so that `$` in the inserted text stays literal.
// Exactly once: a minifier that copied a marker would leave a copy unfilled.
const fill = (template, marker, text) => {
    const count = template.split(marker).length - 1;
    if (count !== 1) throw new Error(`template holds ${marker} ${count} times, not once`);
    return template.replace(marker, () => text);
};
const sha256 = (text) => `'sha256-${crypto.createHash('sha256').update(text).digest('base64')}'`;

// The page's script, which the 40 KB budget counts, minified by terser
// (web/tools, which scripts/build-web.sh installs). Top-level names
// stay: the worker's source names zentabOpen and frameJob. Without terser,
// whole-line comments and indentation go, and nothing inside a line.
const shrinkScript = async (text) => {
    let terser;
    try {
        terser = createRequire(new URL('../web/tools/', import.meta.url))('terser');
    } catch {
        console.warn('assemble-web: no terser (scripts/build-web.sh installs it), the page carries a larger script');
        return text.split('\n').map((line) => line.trim()).filter((line) => line && !line.startsWith('//')).join('\n');
    }
    const minified = await terser.minify(text, { ecma: 2020, compress: { passes: 2 }, mangle: true });
    return minified.code;
};
// The style loses its comments and the blanks around punctuation: the page's
// style holds no strings in which they would count.
const shrinkStyle = (text) => text.replace(/\/\*[\s\S]*?\*\//g, '').replace(/\s*([{};,>])\s*/g, '$1')
    .replace(/:\s+/g, ':').replace(/;}/g, '}').trim();
// Indentation goes from the page's markup; its pre starts empty, and no
// line of the sample in its textarea starts with a blank.
const shrinkMarkup = (text) => text.replace(/\n\s+/g, '\n');

// The sample's frame for the page's defaults (web/page.js: type 1, position
// A, narrow, UTF-8, psv, no fit), drawn by the page's own module, so that the
// page shows it before its module is ready: in the page's boxes, as it draws
// its small pictures, since what the fonts draw is not known here. A box of
// several clusters takes its --n from a class, the page's style allowing no
// style attribute: the classes, and their rules for the style.
const escapeMarkup = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
function builtInFrame(markup, pageWasm) {
    const sample = markup.match(/<textarea id="input"[^>]*>\n?([^<]*)<\/textarea>/)[1];
    const zentabOpen = new Function(`${read('zentab-core.js')}\nreturn zentabOpen;`)();
    const frameRuns = new Function(`${read('frame_runs.js')}\nreturn frameRuns;`)();
    const zentab = zentabOpen(new WebAssembly.Instance(new WebAssembly.Module(pageWasm), {}));
    const framed = zentab.frameText(sample, 1, 1, false, false, false, true, 0, 4, {});
    if (framed.refusal) throw new Error(`the page's sample is refused: ${framed.refusal.message}`);
    const { text } = framed;
    const spans = new Set();
    let html = '';
    frameRuns(text, zentab.layoutOfOutput(false), 0, 0, text.length, () => false, () => 0,
        (plain) => { html += escapeMarkup(plain); },
        ({ kind, text: clusters, span }) => {
            if (span) spans.add(span);
            html += `<span class="${kind}${span ? ` n${span}` : ''}">${escapeMarkup(clusters)}</span>`;
        });
    return { html, style: [...spans].map((n) => `.n${n}{--n:${n}}`).join('') };
}

const core = read('zentab-core.js');
// The page carries the module LZMA-compressed (scripts/pack-module.mjs), a
// tenth smaller than zopfli's gzip, in base64, which hides its repetitions
// from the gzip of the page itself: smaller once the page is served gzipped.
const packed = packModule(fs.readFileSync(pageWasmPath)).toString('base64');
const pageCode = fill(fill(fill(read('page.js'), '/* ZENTAB_CORE */', core), '/* ZENTAB_RUNS */', read('frame_runs.js')),
    '/* ZENTAB_UNPACK */', read('module_unpack.js'));
const script = fill(fill(await shrinkScript(pageCode), '/* ZENTAB_WASM_PACKED */', packed),
    '/* ZENTAB_UNPACK_WASM */', fs.readFileSync(unpackWasmPath).toString('base64'));
const builtIn = builtInFrame(read('page.html'), fs.readFileSync(pageWasmPath));
const style = shrinkStyle(read('page.css')) + builtIn.style;
const csp = [
    "default-src 'none'",
    `script-src ${sha256(script)} 'wasm-unsafe-eval'`,
    // The page's worker, made from its own script.
    'worker-src blob:',
    `style-src ${sha256(style)}`,
    "base-uri 'none'",
    "form-action 'none'",
].join('; ');
let page = shrinkMarkup(read('page.html'));
page = fill(page, '/* ZENTAB_BUILT_IN_FRAME */', builtIn.html);
page = fill(page, '/* ZENTAB_CSP */', csp);
page = fill(page, '/* ZENTAB_STYLE */', style);
page = fill(page, '/* ZENTAB_SCRIPT */', script);
fs.mkdirSync(outDir, { recursive: true });
fs.writeFileSync(path.join(outDir, 'zentab.html'), page);

const npmDir = path.join(outDir, 'npm');
fs.rmSync(npmDir, { recursive: true, force: true });
fs.mkdirSync(npmDir);
const index = fill(fill(read('npm/index.cjs'), '/* ZENTAB_CORE */', core), '/* ZENTAB_WASM */', wasm.toString('base64'));
fs.writeFileSync(path.join(npmDir, 'index.cjs'), index);
for (const name of ['index.js', 'index.d.ts', 'README.md']) fs.copyFileSync(new URL(`npm/${name}`, web), path.join(npmDir, name));
// The same types for require(), where TypeScript looks for them beside index.cjs.
fs.copyFileSync(new URL('npm/index.d.ts', web), path.join(npmDir, 'index.d.cts'));
fs.copyFileSync(new URL('npm/cli.cjs', web), path.join(npmDir, 'cli.cjs'));
fs.chmodSync(path.join(npmDir, 'cli.cjs'), 0o755);
const manifest = JSON.parse(read('npm/package.json'));
manifest.version = version;
// Where the sources live, when this checkout knows.
try {
    const origin = execFileSync('git', ['remote', 'get-url', 'origin'], { stdio: ['ignore', 'pipe', 'ignore'] }).toString().trim();
    if (origin) manifest.repository.url = origin.startsWith('git+') ? origin : `git+${origin}`;
} catch {
    // No remote: the manifest's own.
}
fs.writeFileSync(path.join(npmDir, 'package.json'), `${JSON.stringify(manifest, null, 2)}\n`);

const gzipped = zlib.gzipSync(page, { level: 9 }).length;
console.log(`zentab.html: ${page.length} bytes, ${gzipped} gzipped; modules: page ${fs.statSync(pageWasmPath).size} bytes, package ${wasm.length}`);
