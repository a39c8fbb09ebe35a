// The runs in which the page draws a frame, shared by the page (page.js) and
// the frame built into it (scripts/assemble-web.mjs). Every cluster beyond
// ASCII that the fonts draw wider or narrower than its columns (fits says
// which do) gets a box of exactly its columns, so the frame lines up whatever
// widths the machine's fonts give those glyphs; the rest stays text, in runs
// rather than an element each. Clusters side by side of one kind, and of one
// glyph width where glyphOf measures, share a box as wide as all of them: a
// wide rule or a Japanese word is one element, not one a character, which the
// browser lays out and paints many times faster. From the layout's triple
// `first` (the first at or after `from`) to offset `to`, each run goes to
// plain(text) or to box({ kind, rule, text, count, columns, glyph, span }),
// span being the columns a box of several clusters takes (0 for one).
function frameRuns(text, layout, first, from, to, fits, glyphOf, plain, box) {
    let done = from;
    let run = null;
    const close = () => {
        run.span = run.count > 1 ? (run.rule ? run.count : run.count * run.columns) : 0;
        box(run);
        run = null;
    };
    for (let at = 3 * first; at < layout.length && layout[at] < to; at += 3) {
        const [start, units, columns] = [layout[at], layout[at + 1], layout[at + 2]];
        const cluster = text.slice(start, start + units);
        if (fits(cluster, columns)) continue;
        const rule = cluster >= '\u2500' && cluster <= '\u257f';
        const kind = `c${Math.min(columns, 2)}${rule ? ' rule' : ''}`;
        const glyph = glyphOf(cluster);
        if (run && start === done && kind === run.kind && columns > 0 && (rule || glyph === run.glyph)) {
            run.text += cluster;
            run.count++;
        } else {
            if (run) close();
            if (start > done) plain(text.slice(done, start));
            run = { kind, rule, text: cluster, count: 1, columns: Math.min(columns, 2), glyph };
        }
        done = start + units;
    }
    if (run) close();
    if (done < to) plain(text.slice(done, to));
}
