export interface FrameOptions {
    /** Frame type: 1 to 5 box-drawing styles, 6 ASCII `+ - |`. Default 1. */
    frame?: 1 | 2 | 3 | 4 | 5 | 6;
    /** Position type: a letter A to Q (either case) or 1 to 17. Default "A". */
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
    from?: 'psv' | 'csv' | 'tsv' | 'markdown' | 'frame';
}

export interface UnframeOptions {
    /** The width model tried first when measuring the frame. Default "narrow". */
    ambiguous?: 'narrow' | 'wide';
}

/** Thrown for a table that cannot be framed. */
export interface FrameRefusal extends Error {
    /** 1-based line of the input, or 0 when the refusal has no place. */
    line: number;
    /** 1-based column, counted in characters, or 0. */
    column: number;
    /**
     * The character concerned, or 0; for text that is not UTF-8, the byte,
     * or for a lone surrogate its code unit.
     */
    codePoint: number;
}

/**
 * Compiles the package's WebAssembly module without blocking. Optional:
 * without it the first frame() or unframe() compiles it, synchronously, which
 * takes some tens of milliseconds. Call it early, at start-up, and await it
 * where that first call must be quick. Resolves to nothing, once; calling it
 * again returns the same promise or a resolved one.
 */
export function ready(): Promise<void>;

/**
 * Frames a table whose cells are split by `|` or by tabs, and returns exactly
 * what `zentab -f FRAME -p POSITION -a AMBIGUOUS --from FROM` prints: lines
 * ending in LF.
 * Throws a FrameRefusal for input that cannot be framed, and a RangeError or
 * TypeError for bad options.
 */
export function frame(text: string, options?: FrameOptions): string;

/**
 * Reads a ruled table (this package's, the command's or another tool's) back
 * into rows of cells, as `zentab --unframe` does. Throws a FrameRefusal when
 * the text holds no frame, or one whose lines do not agree.
 */
export function unframe(text: string, options?: UnframeOptions): string[][];
