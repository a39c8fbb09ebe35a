/** A table format the package reads and writes. */
export type TableFormat = 'psv' | 'csv' | 'tsv' | 'markdown' | 'frame';

export interface FrameOptions {
    /** Frame type: 1 to 5 box-drawing styles, 6 ASCII `+ - |`. Default 1. */
    frame?: 1 | 2 | 3 | 4 | 5 | 6;
    /**
     * Position type: a letter A to Q (either case) or 1 to 17. Default "A"
     * for a frame; for Markdown written, no alignment unless given.
     */
    position?: string | number;
    /**
     * Width of East Asian "ambiguous" characters such as box drawing: "narrow"
     * (one column: most terminals, editors and web pages) or "wide" (two: CJK
     * terminals and fonts). Default "narrow".
     */
    ambiguous?: 'narrow' | 'wide';
    /**
     * The input's format: "psv" (cells split by `|` or tabs), "csv", "tsv",
     * "markdown" (a GitHub table) or "frame" (a ruled table). Default "psv".
     */
    from?: TableFormat;
    /** The output's format. Default "frame". */
    to?: TableFormat;
    /**
     * "utf-8" (default) or "cp932" (also "shift_jis", "sjis", "windows-31j"):
     * as `zentab -e cp932`, widths counted in code page 932 bytes. Bytes given
     * are read in this encoding and bytes come back in it; a string is
     * written in it first, refused where it cannot be, and the frame comes
     * back as a string.
     */
    encoding?: 'utf-8' | 'utf8' | 'cp932' | 'shift_jis' | 'sjis' | 'windows-31j';
    /** Line ends of the output: "lf" (default) or "crlf", as `--crlf`. */
    lineEnd?: 'lf' | 'crlf';
    /**
     * No line of the frame wider than this many display columns, as
     * `--width`: the widest columns give way first. 0 or absent: no limit.
     * A table that cannot fit throws a ZentabError of kind "frame-too-narrow"
     * whose `found` is the fewest columns it needs.
     */
    width?: number;
    /**
     * No line of a cell wider than this many columns, as `--cell-width`: one
     * number for every column, or one a column, `null` or `"-"` (or 0) for no
     * limit.
     */
    cellWidth?: number | ReadonlyArray<number | null | '-'>;
    /** A cell line too wide: "wrap" (default) into more lines, or "truncate", ending in `…`. */
    overflow?: 'wrap' | 'truncate';
    /**
     * A letter a column placing the body cells, as `--align`: `l` left, `r`
     * right, `c` centred, `d` on the decimal point, `.` (and columns past the
     * letters) as the position type says. Header cells keep the position
     * type's placement.
     */
    align?: string;
    /** Spaces on each side of every cell, 0 (default) to 1000, as `--padding`. */
    padding?: number;
    /** Rules inside the frame: "all" (default), "header" (under the header only) or "none". */
    rules?: 'all' | 'header' | 'none';
    /**
     * How the frame shows the rows under the header, as `--layout`: "table"
     * (default); "records", each row a block of header | value lines whose
     * opening rule carries its number, "[ 1 ]"; "auto", records only when the
     * table cannot fit `width` without cutting a column below 8. `unframe`
     * reads records back as the table. Other formats than a frame ignore it.
     */
    layout?: 'table' | 'records' | 'auto';
    /**
     * The columns to show, in that order, as `-c`: numbers from 1, ranges
     * such as "2-4" and header texts, as "3,1,Name" or [3, 1, "Name"]. A
     * column the table lacks throws a ZentabError of kind "no-such-column".
     * For every output format.
     */
    columns?: string | ReadonlyArray<string | number>;
    /** The columns not to show, in the same words, as `--hide`. */
    hide?: string | ReadonlyArray<string | number>;
    /**
     * The rows under the header sorted, stably, as `--sort`: keys such as
     * "2:n:r,Name"; `:n` compares numbers (signs, decimals, grouping
     * commas; other cells after them), `:r` reverses; text by code point.
     */
    sort?: string | ReadonlyArray<string | number>;
    /**
     * Only the first (`head`) or last (`tail`) rows under the header, 0 to
     * 999999999: a frame ends in a row saying how many it left out, other
     * formats leave them out silently.
     */
    head?: number;
    tail?: number;
    /** Rows become columns, as `--transpose`. */
    transpose?: boolean;
    /**
     * The numbers under the header written anew, as `--number`: one item a
     * column, as "g,.2,-" or ["g", ".2", "-"]: "-" as is, "g" digits grouped
     * by threes, ".N" N decimals (0 to 20) rounded half to even on the
     * digits themselves, "g.N" both. Only cells `sort`'s `:n` reads as
     * numbers change; the header row never does. After sorting, before
     * transposing.
     */
    number?: string | ReadonlyArray<string>;
    /** What "g" groups digits with, one character, as `--group-char`; "." makes the point ",". */
    groupChar?: string;
    /** What an empty cell under the header shows, as `--missing`. */
    missing?: string;
    /**
     * A title over the table and a footer under it, as `--title` and
     * `--footer`: rows spanning a frame, set off by a rule and wrapped at the
     * table's width ("\n" starts a new line). Other formats throw a
     * ZentabError of kind "no-caption".
     */
    title?: string;
    footer?: string;
    /** Where their lines stand, as `--title-align`. Default "c". */
    titleAlign?: 'l' | 'c' | 'r';
    /** With `from: "frame"`, the frame's own title and footer go on, as `--with-title`. */
    withTitle?: boolean;
}

export interface UnframeOptions {
    /** The width model tried first when measuring the frame. Default "narrow". */
    ambiguous?: 'narrow' | 'wide';
}

/** What a refusal is about, in words a program can test. */
export type RefusalKind =
    | 'input-too-large' | 'invalid-utf8' | 'invalid-cp932' | 'control-character' | 'ragged-row'
    | 'no-cells' | 'frame-too-large' | 'out-of-memory' | 'open-quote' | 'stray-quote'
    | 'no-delimiter-row' | 'no-frame-found' | 'frame-mismatch' | 'cell-holds-separator'
    | 'cell-holds-line-break' | 'row-not-held' | 'not-in-cp932' | 'cell-has-edge-blanks'
    | 'too-few-columns' | 'frame-too-narrow' | 'bad-layout' | 'cells-past-header' | 'merged-cells'
    | 'text-outside-table' | 'no-such-table' | 'no-such-column' | 'no-caption'
    | (string & {});

/** Thrown for a table that cannot be framed, with where and why. */
export class ZentabError extends Error {
    name: 'ZentabError';
    /** 1-based line of the input, or 0 when the refusal has no place. */
    line: number;
    /** 1-based column, counted in characters (a surrogate pair as one), or 0. */
    column: number;
    /**
     * The character concerned, or 0; for text that is not UTF-8, the byte,
     * or for a lone surrogate its code unit.
     */
    codePoint: number;
    /** Why: "ragged-row", "invalid-utf8" (a lone surrogate too), ... */
    kind: RefusalKind;
    /**
     * What was counted, or 0: for "frame-too-narrow" the fewest columns the
     * frame needs, for "input-too-large" the bytes.
     */
    found: number;
    /** Its limit, or 0: the width asked, or the most bytes taken. */
    limit: number;
}

/** @deprecated The name of ZentabError before it was a class. */
export type FrameRefusal = ZentabError;

/**
 * Compiles the package's WebAssembly module without blocking. Optional:
 * without it the first frame() or unframe() compiles it, synchronously, which
 * takes some tens of milliseconds. Call it early, at start-up, and await it
 * where that first call must be quick; calls made before it settles still
 * work. Calling it again returns the same promise or a resolved one.
 */
export function ready(): Promise<void>;

/**
 * Frames a table whose cells are split by `|` or by tabs (or converts it
 * between formats), and returns exactly what `zentab -f FRAME -p POSITION
 * -a AMBIGUOUS -e ENCODING --from FROM --to TO [--crlf] [-w WIDTH]
 * [--cell-width CELLWIDTH] [--overflow OVERFLOW] [--align ALIGN]
 * [--padding PADDING] [--rules RULES] [--layout LAYOUT] [-c COLUMNS] [--hide HIDE]
 * [--sort SORT] [--head HEAD] [--tail TAIL] [--transpose] [--number NUMBER]
 * [--group-char GROUPCHAR] [--missing MISSING] [--title TITLE] [--footer FOOTER]
 * [--title-align TITLEALIGN] [--with-title]` prints.
 * Throws a ZentabError for input that cannot be framed, and a RangeError or
 * TypeError for bad options.
 */
export function frame(text: string, options?: FrameOptions): string;
export function frame(bytes: Uint8Array, options?: FrameOptions): Uint8Array;

/**
 * Reads a ruled table (this package's, the command's or another tool's) back
 * into rows of cells, as `zentab --unframe` does. Throws a ZentabError when
 * the text holds no frame, or one whose lines do not agree.
 */
export function unframe(text: string, options?: UnframeOptions): string[][];

/** A kind of document whose tables formatDocument() lines up. */
export type DocumentKind = 'markdown' | 'org' | 'rst' | 'text';

export interface DocumentOptions {
    /**
     * "markdown" (GitHub's pipe tables, default), "org", "rst" (grid and
     * simple tables) or "text" (frames, also inside source comments).
     */
    kind?: DocumentKind;
    /** Width of East Asian "ambiguous" characters, as for frame(). Default "narrow". */
    ambiguous?: 'narrow' | 'wide';
    /** Spaces on each side of every cell, 0 to 1000. Default: the kind's own (1 in Markdown and Org). */
    padding?: number;
}

/** Why a table of a document was left as it is, and where. */
export interface TableRefusal {
    /** Such as "cells-past-header", "control-character" or "merged-cells". */
    kind: RefusalKind;
    /** 1-based line of the document. */
    line: number;
    /** 1-based column, counted in characters. */
    column: number;
    /** Led by the place: "line 3, column 11: this row has 3 cells ...". */
    message: string;
}

/** A table found in a document. */
export interface DocumentTable {
    /** 1-based line of its first line. */
    line: number;
    /** Whether lining it up changed its lines. */
    changed: boolean;
    /** Present when the table was left as it is. */
    refusal?: TableRefusal;
}

export interface FormattedDocument {
    /** The document with its tables lined up. */
    text: string;
    /** Every table found, in the document's order. */
    tables: DocumentTable[];
}

/**
 * Lines up every table of a document in place and returns the document, as
 * `zentab fmt --in KIND -a AMBIGUOUS [--padding PADDING]` prints it: the text
 * around the tables, and each cell's text, come back as they went in. A table
 * that cannot be lined up is left as it is, its entry in `tables` saying why.
 * Throws a ZentabError for a document refused as a whole (too large, or
 * holding a lone surrogate), and a RangeError or TypeError for bad options.
 */
export function formatDocument(text: string, options?: DocumentOptions): FormattedDocument;

declare const zentab: {
    ready: typeof ready;
    frame: typeof frame;
    unframe: typeof unframe;
    formatDocument: typeof formatDocument;
    ZentabError: typeof ZentabError;
};
export default zentab;
