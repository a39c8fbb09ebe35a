/* Zentab's C interface: frame text tables, convert them between formats and
 * read their cells, from C or C++.
 *
 *   zentab_result* result = zentab_convert("A|B\n1|2\n", 8, NULL);
 *   if (zentab_result_ok(result))
 *       fwrite(zentab_result_data(result), 1, zentab_result_size(result), stdout);
 *   else
 *       fprintf(stderr, "zentab: %s\n", zentab_result_message(result));
 *   zentab_result_free(result);
 *
 * Every type is opaque and every function is safe to call from several
 * threads at once, as long as no thread changes an options object another is
 * converting with. No function throws or aborts on bad input: refusals and
 * running out of memory come back as results. Text is UTF-8, or code page 932
 * bytes when that encoding is set; it need not end in NUL and may hold any
 * bytes (the text is checked, and refused where it is not a table).
 *
 * Link with -lzentab (pkg-config zentab; CMake: find_package(zentab), target
 * zentab::zentab). The library keeps its ABI within a major version: enum
 * values never change, new ones are added at the end. */
#ifndef ZENTAB_H
#define ZENTAB_H

#include <stddef.h>
#include <stdint.h>

#define ZENTAB_VERSION_MAJOR 1
#define ZENTAB_VERSION_MINOR 5
#define ZENTAB_VERSION_PATCH 0

#if defined(ZENTAB_BUILDING_LIBRARY) && defined(__GNUC__)
#define ZENTAB_API __attribute__((visibility("default")))
#else
#define ZENTAB_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Table formats, as the command's --from and --to name them. Formats from
 * ZENTAB_FORMAT_HTML on are written only. */
typedef enum zentab_format {
    ZENTAB_FORMAT_PSV = 0, /* cells separated by '|' or TAB */
    ZENTAB_FORMAT_CSV = 1,
    ZENTAB_FORMAT_TSV = 2,
    ZENTAB_FORMAT_MARKDOWN = 3,
    ZENTAB_FORMAT_FRAME = 4, /* a ruled frame */
    ZENTAB_FORMAT_JSON = 5,
    ZENTAB_FORMAT_JSONL = 6,
    ZENTAB_FORMAT_ALIGNED = 7, /* columns lined up with spaces */
    ZENTAB_FORMAT_HTML = 8,
    ZENTAB_FORMAT_LATEX = 9,
    ZENTAB_FORMAT_RST = 10, /* reStructuredText grid table */
    ZENTAB_FORMAT_RST_SIMPLE = 11,
    ZENTAB_FORMAT_ORG = 12,
    ZENTAB_FORMAT_ASCIIDOC = 13,
    ZENTAB_FORMAT_MEDIAWIKI = 14,
    ZENTAB_FORMAT_JIRA = 15
} zentab_format;

typedef enum zentab_encoding {
    ZENTAB_ENCODING_UTF8 = 0,
    ZENTAB_ENCODING_CP932 = 1 /* Shift-JIS; widths count bytes */
} zentab_encoding;

/* How wide East Asian ambiguous characters (box drawing among them) are. */
typedef enum zentab_width { ZENTAB_WIDTH_NARROW = 0, ZENTAB_WIDTH_WIDE = 1 } zentab_width;

typedef enum zentab_line_end { ZENTAB_LINE_END_LF = 0, ZENTAB_LINE_END_CRLF = 1 } zentab_line_end;

/* What reading JSON does with an array or object inside a row. */
typedef enum zentab_json_nested {
    ZENTAB_JSON_NESTED_REFUSE = 0,
    ZENTAB_JSON_NESTED_TEXT = 1 /* the value's JSON text becomes the cell */
} zentab_json_nested;

/* Why a conversion was refused; ZENTAB_REFUSAL_NONE when it was not. */
typedef enum zentab_refusal_kind {
    ZENTAB_REFUSAL_NONE = 0,
    ZENTAB_REFUSAL_BAD_FRAME_TYPE = 1,
    ZENTAB_REFUSAL_BAD_POSITION_TYPE = 2,
    ZENTAB_REFUSAL_INPUT_TOO_LARGE = 3,
    ZENTAB_REFUSAL_INVALID_UTF8 = 4,
    ZENTAB_REFUSAL_INVALID_CP932 = 5,
    ZENTAB_REFUSAL_CONTROL_CHARACTER = 6,
    ZENTAB_REFUSAL_RAGGED_ROW = 7,
    ZENTAB_REFUSAL_NO_CELLS = 8,
    ZENTAB_REFUSAL_FRAME_TOO_LARGE = 9,
    ZENTAB_REFUSAL_OUT_OF_MEMORY = 10,
    ZENTAB_REFUSAL_OPEN_QUOTE = 11,
    ZENTAB_REFUSAL_STRAY_QUOTE = 12,
    ZENTAB_REFUSAL_NO_DELIMITER_ROW = 13,
    ZENTAB_REFUSAL_NO_FRAME_FOUND = 14,
    ZENTAB_REFUSAL_FRAME_MISMATCH = 15,
    ZENTAB_REFUSAL_CELL_HOLDS_SEPARATOR = 16,
    ZENTAB_REFUSAL_CELL_HOLDS_LINE_BREAK = 17,
    ZENTAB_REFUSAL_ROW_NOT_HELD = 18,
    ZENTAB_REFUSAL_NOT_IN_CP932 = 19,
    ZENTAB_REFUSAL_CELL_HAS_EDGE_BLANKS = 20,
    ZENTAB_REFUSAL_BAD_JSON = 21,
    ZENTAB_REFUSAL_DUPLICATE_NAME = 22,
    ZENTAB_REFUSAL_FORMAT_NOT_READABLE = 23,
    ZENTAB_REFUSAL_TOO_FEW_COLUMNS = 24,
    ZENTAB_REFUSAL_FORMAT_NOT_WRITABLE = 25,
    /* Since 1.1. The table cannot fit the frame width even one character a
     * column: zentab_result_message names the columns it needs. */
    ZENTAB_REFUSAL_FRAME_TOO_NARROW = 26,
    ZENTAB_REFUSAL_BAD_LAYOUT = 27,
    ZENTAB_REFUSAL_CELLS_PAST_HEADER = 28,
    ZENTAB_REFUSAL_MERGED_CELLS = 29,
    ZENTAB_REFUSAL_TEXT_OUTSIDE_TABLE = 30,
    ZENTAB_REFUSAL_NO_SUCH_TABLE = 31,
    /* Since 1.4. A column of zentab_options_set_columns, _hide or _sort
     * that the table does not have: zentab_result_message names it. */
    ZENTAB_REFUSAL_NO_SUCH_COLUMN = 32,
    /* Since 1.5. A title or footer for an output format with no place for
     * it: psv, csv, tsv, Markdown, Jira, JSON Lines, and JSON without
     * zentab_options_set_with_title; a footer in anything but a frame, html
     * and such JSON. */
    ZENTAB_REFUSAL_NO_CAPTION = 33
} zentab_refusal_kind;

/* Since 1.1: what a frame does with a cell line wider than its column may be. */
typedef enum zentab_overflow {
    ZENTAB_OVERFLOW_WRAP = 0,    /* into more lines, at line-break opportunities */
    ZENTAB_OVERFLOW_TRUNCATE = 1 /* cut, ending in an ellipsis within the width */
} zentab_overflow;

/* Since 1.1: which rules a frame draws inside its outer border. */
typedef enum zentab_rules {
    ZENTAB_RULES_ALL = 0,    /* between every two rows */
    ZENTAB_RULES_HEADER = 1, /* under the first row only */
    ZENTAB_RULES_NONE = 2
} zentab_rules;

/* Since 1.5: how a frame shows the rows under its header. */
typedef enum zentab_layout {
    ZENTAB_LAYOUT_TABLE = 0,   /* as a table, the default */
    ZENTAB_LAYOUT_RECORDS = 1, /* each row a block of header | value lines */
    /* records when the table cannot fit the frame width without cutting a
     * cell below 8 columns, else a table */
    ZENTAB_LAYOUT_AUTO = 2
} zentab_layout;
/* Since 1.5: where the lines of a frame's title and footer stand. */
typedef enum zentab_title_align {
    ZENTAB_TITLE_CENTRE = 0,
    ZENTAB_TITLE_LEFT = 1,
    ZENTAB_TITLE_RIGHT = 2
} zentab_title_align;

/* Position types are the letters A..Q, numbered 1..17. */
#define ZENTAB_POSITION(letter) ((letter) - 'A' + 1)

typedef struct zentab_options zentab_options;
typedef struct zentab_result zentab_result;
typedef struct zentab_table zentab_table;

/* The library's version, "MAJOR.MINOR.PATCH"; may differ from the header's
 * macros when a newer library of the same major version is installed. */
ZENTAB_API const char* zentab_version(void);

/* Options, as the command's defaults: psv to a frame of type 1, position A,
 * narrow, UTF-8, LF, nested JSON refused, JSON keyed by a header row; frames
 * of any width, cells wrapped when a width is set, no padding, every rule.
 * Returns NULL when out of memory. Free with zentab_options_free. */
ZENTAB_API zentab_options* zentab_options_new(void);
/* Frees options; NULL is ignored. */
ZENTAB_API void zentab_options_free(zentab_options* options);

/* The setters return 0, or -1 for a value out of the enum's range, leaving
 * the options as they were. options must not be NULL. */
ZENTAB_API int zentab_options_set_from(zentab_options* options, zentab_format from);
ZENTAB_API int zentab_options_set_to(zentab_options* options, zentab_format to);
ZENTAB_API int zentab_options_set_encoding(zentab_options* options, zentab_encoding encoding);
ZENTAB_API int zentab_options_set_width(zentab_options* options, zentab_width width);
ZENTAB_API int zentab_options_set_line_end(zentab_options* options, zentab_line_end line_end);
ZENTAB_API int zentab_options_set_json_nested(zentab_options* options, zentab_json_nested nested);
/* Frame type 1..6. Any number is kept; zentab_convert refuses others with
 * ZENTAB_REFUSAL_BAD_FRAME_TYPE. */
ZENTAB_API int zentab_options_set_frame_type(zentab_options* options, int frame_type);
/* Position 1..17 (ZENTAB_POSITION('A')..ZENTAB_POSITION('Q')): alignment in
 * frames, and in Markdown, which says an alignment only once one is set.
 * Others are refused by zentab_convert with ZENTAB_REFUSAL_BAD_POSITION_TYPE. */
ZENTAB_API int zentab_options_set_position(zentab_options* options, int position);
/* JSON out: nonzero (the default) keys objects by the first row, zero writes
 * arrays of every row, as --no-header. */
ZENTAB_API int zentab_options_set_header(zentab_options* options, int header);

/* How a frame fits its cells (since 1.1); other formats ignore these. Widths
 * are display columns of the width model (bytes in code page 932). Each
 * setter returns 0, or -1 for a value it does not take, leaving the options as
 * they were.
 *
 * No line of the frame wider than columns; 0 (the default) for no limit,
 * below 0 refused. When the cells are too wide the widest columns give way
 * first; a table that cannot fit even one character a column is refused by
 * zentab_convert with ZENTAB_REFUSAL_FRAME_TOO_NARROW. */
ZENTAB_API int zentab_options_set_frame_width(zentab_options* options, int columns);
/* No cell line wider than widths[i] in column i; 0 for no limit there. A
 * single value (count 1) holds for every column; columns past a longer list
 * have no limit; count 0 (widths may then be NULL) removes every limit. A
 * value below 0 is refused. The widths are copied. */
ZENTAB_API int zentab_options_set_cell_widths(zentab_options* options, const int* widths,
                                              size_t count);
ZENTAB_API int zentab_options_set_overflow(zentab_options* options, zentab_overflow overflow);
/* How the body cells of each column are placed, one letter a column: 'l'
 * left, 'r' right, 'c' centred, 'd' on the decimal point (a cell that is not
 * a number goes right), '.' as the position type says; either case. Columns
 * past the letters, and every column for NULL or "", go by the position type,
 * as header cells always do. Any other character is refused. */
ZENTAB_API int zentab_options_set_align(zentab_options* options, const char* letters);
/* Spaces on each side of every cell, 0 (the default) or more. */
ZENTAB_API int zentab_options_set_padding(zentab_options* options, int spaces);
ZENTAB_API int zentab_options_set_rules(zentab_options* options, zentab_rules rules);
/* From Markdown or a frame: the table'th table of a document (1 for the
 * first), found as zentab_format_document finds it; 0, the default, reads
 * the input as one table, and refuses a Markdown input holding anything else
 * with ZENTAB_REFUSAL_TEXT_OUTSIDE_TABLE. A table past the last is refused
 * with ZENTAB_REFUSAL_NO_SUCH_TABLE; a negative one here, with -1. */
ZENTAB_API int zentab_options_set_table(zentab_options* options, int table);

/* Since 1.4: which columns and rows are written, for every output format.
 * The first row is the header: it stays first, and names columns. Each
 * setter returns 0, or -1 for a value it cannot read, leaving the options as
 * they were; NULL or "" sets the default back.
 *
 * The columns written, in that order: 1-based numbers, ranges "2-4" and
 * header texts, separated by commas ("3,1,Price"). A column the table does
 * not have is refused by zentab_convert with ZENTAB_REFUSAL_NO_SUCH_COLUMN.
 * An empty item, column 0 or a range running backwards is -1 here. */
ZENTAB_API int zentab_options_set_columns(zentab_options* options, const char* columns);
/* Columns not written, in the same words. */
ZENTAB_API int zentab_options_set_hide(zentab_options* options, const char* columns);
/* Body rows sorted, stably, by keys separated by commas: a column as above
 * (not a range), followed by ":n" to compare as numbers (a sign, digits
 * grouped by commas in threes, a decimal point; cells that are not numbers after every
 * number, by their text) and ":r" to reverse. Text compares by code point. */
ZENTAB_API int zentab_options_set_sort(zentab_options* options, const char* keys);
/* Only the first rows (or then the last, with tail) of the body, sorted
 * first; -1, the default, for all. A frame ends in a row spanning it that
 * says how many it left out; other formats leave them out silently. Below -1
 * is -1 here. */
ZENTAB_API int zentab_options_set_head(zentab_options* options, int64_t rows);
ZENTAB_API int zentab_options_set_tail(zentab_options* options, int64_t rows);
/* Nonzero: rows become columns, after the columns and rows are chosen. */
ZENTAB_API int zentab_options_set_transpose(zentab_options* options, int transpose);

/* Since 1.5: what the body's cells show, for every output format, after the
 * columns are chosen and the rows sorted (which sees the cells as read) and
 * before they are transposed. The header row stays as it is. Each setter
 * returns 0, or -1 for a value it cannot read, leaving the options as they
 * were; NULL or "" sets the default back.
 *
 * Numbers written anew, one item a column separated by commas: "-" as is,
 * "g" digits grouped by threes, ".N" N decimals (0..20), "g.N" both
 * ("g,.2,-,g.0"); columns past the list as they are. A number is what
 * zentab_options_set_sort's ":n" compares: a sign, digits grouped by commas
 * or not, a decimal point; other cells stay as they are. Decimals are
 * rounded half to even on the digits themselves (2.5 -> 2, 0.125 -> 0.12);
 * the sign stays as written, so -0.004 with ".2" is "-0.00". Leading zeros
 * go, but a 0 before the point. */
ZENTAB_API int zentab_options_set_number(zentab_options* options, const char* styles);
/* The grouping character instead of ",": one UTF-8 character that is not a
 * digit, a sign or a control. With "." the decimal point is written ",".
 * A table in code page 932 holds it in that code page; one it has no form
 * for is refused by zentab_convert with ZENTAB_REFUSAL_NOT_IN_CP932. */
ZENTAB_API int zentab_options_set_group_char(zentab_options* options, const char* character);
/* What an empty body cell shows: UTF-8 text without control characters,
 * held in code page 932 as the group character is. Only cells the table
 * has; a column chosen that a row lacks counts as an empty cell. */
ZENTAB_API int zentab_options_set_missing(zentab_options* options, const char* text);
/* Since 1.5: frames only, as the width and rules are. Records: every row
 * under the header is drawn as a block of lines, the header's cell then the
 * row's, in a frame of two columns; each block opens with a rule carrying
 * its number, "[ 1 ]", and its fields are parted by rules when the rules are
 * ZENTAB_RULES_ALL (else by none). A table of only a header row draws its
 * keys with empty values, numbered 0. Such a frame reads back from
 * ZENTAB_FORMAT_FRAME as the table. Other formats write the table as it is.
 * -1 for a value not of zentab_layout. */
ZENTAB_API int zentab_options_set_layout(zentab_options* options, zentab_layout layout);
/* Since 1.5: a title over the table and a footer under it, in the encoding
 * of the text; NULL or "" for none. A frame draws each as a row spanning the
 * table inside its border, set off by a rule and wrapped to the table's width
 * (a line feed starts a new line); html, LaTeX, reStructuredText, Org,
 * AsciiDoc and MediaWiki write the title as their caption, html the footer in
 * <tfoot>; other formats refuse them with ZENTAB_REFUSAL_NO_CAPTION. Each
 * setter returns 0, or -1 when out of memory or for an alignment that is not
 * a zentab_title_align. */
ZENTAB_API int zentab_options_set_title(zentab_options* options, const char* title);
ZENTAB_API int zentab_options_set_footer(zentab_options* options, const char* footer);
ZENTAB_API int zentab_options_set_title_align(zentab_options* options, zentab_title_align align);
/* Nonzero: the title and footer rows of a frame read (ZENTAB_FORMAT_FRAME)
 * go on into the output, behind any set above; JSON writes an object
 * {"title": ..., "footer": ..., "rows": [...]} with the keys there are. Without
 * it a frame's title and footer are left out of its rows all the same. */
ZENTAB_API int zentab_options_set_with_title(zentab_options* options, int with_title);

/* Reads size bytes of text in the options' from format and writes them in
 * their to format; options NULL means the defaults. Text of nothing but line
 * ends gives empty output. Never NULL: running out of memory gives a result
 * refused with ZENTAB_REFUSAL_OUT_OF_MEMORY. Free it with zentab_result_free. */
ZENTAB_API zentab_result* zentab_convert(const char* text, size_t size,
                                         const zentab_options* options);
/* Takes each part of the output of zentab_convert_to, in order. */
typedef void (*zentab_write)(const char* bytes, size_t size, void* context);
/* zentab_convert with the output handed to write as it is made, so that it
 * is never held whole: a frame drawn in parts of about 64 KiB, any other
 * output in one. The result holds no output; a refused text writes nothing.
 * write must not be NULL. */
ZENTAB_API zentab_result* zentab_convert_to(const char* text, size_t size,
                                            const zentab_options* options, zentab_write write,
                                            void* context);
/* Reads the text in the options' from format into rows of cells, which
 * zentab_result_table gives. */
ZENTAB_API zentab_result* zentab_read(const char* text, size_t size, const zentab_options* options);
/* zentab_read of a frame, whatever the options' from format. */
ZENTAB_API zentab_result* zentab_unframe(const char* text, size_t size,
                                         const zentab_options* options);

/* Nonzero when the result holds output (or a table), zero when refused.
 * A NULL result counts as refused for lack of memory. */
ZENTAB_API int zentab_result_ok(const zentab_result* result);
/* The output of zentab_convert, NUL-terminated after size bytes (it may hold
 * NUL itself); "" for a refusal or a read. Lives as long as the result. */
ZENTAB_API const char* zentab_result_data(const zentab_result* result);
ZENTAB_API size_t zentab_result_size(const zentab_result* result);
/* Why the text was refused; ZENTAB_REFUSAL_NONE when it was not. */
ZENTAB_API zentab_refusal_kind zentab_result_refusal(const zentab_result* result);
/* Where in the text the refusal is: 1-based line, and column counted in
 * characters; 0 when it has no place. */
ZENTAB_API int64_t zentab_result_line(const zentab_result* result);
ZENTAB_API int64_t zentab_result_column(const zentab_result* result);
/* The refusal in English as the command prints it after "zentab: ", e.g.
 * "line 2, column 5: ..."; "" when not refused. Lives as long as the result. */
ZENTAB_API const char* zentab_result_message(const zentab_result* result);
/* The table zentab_read or zentab_unframe read; NULL when refused or for a
 * result of zentab_convert. Lives as long as the result. */
ZENTAB_API const zentab_table* zentab_result_table(const zentab_result* result);
/* Frees a result and its table; NULL is ignored. */
ZENTAB_API void zentab_result_free(zentab_result* result);

/* The rows of a table, and the cells of row (0-based; 0 past the last row). */
ZENTAB_API size_t zentab_table_rows(const zentab_table* table);
ZENTAB_API size_t zentab_table_cells(const zentab_table* table, size_t row);
/* The text of one cell, in the input's encoding and not NUL-terminated; its
 * length goes to *size when size is not NULL. NULL (size 0) past the table. */
ZENTAB_API const char* zentab_table_cell(const zentab_table* table, size_t row, size_t column,
                                         size_t* size);

/* Since 1.3: documents with tables in them. Every table found is lined up in
 * place, and nothing else changes: the bytes around the tables, and every
 * cell's text, come back as they went in.
 *
 *   zentab_document* doc = zentab_format_document(text, size, ZENTAB_DOCUMENT_MARKDOWN,
 *                                                 ZENTAB_WIDTH_NARROW, -1);
 *   if (zentab_document_ok(doc) && zentab_document_changed(doc))
 *       fwrite(zentab_document_data(doc), 1, zentab_document_size(doc), out);
 *   zentab_document_free(doc);
 *
 * The kinds are numbered as the command's --in names them in order. */
typedef enum zentab_document_kind {
    ZENTAB_DOCUMENT_MARKDOWN = 0,
    ZENTAB_DOCUMENT_ORG = 1,
    ZENTAB_DOCUMENT_RST = 2, /* reStructuredText */
    ZENTAB_DOCUMENT_TEXT = 3 /* frames in plain text and in source comments */
} zentab_document_kind;

typedef struct zentab_document zentab_document;

/* Lines up every table of size bytes of UTF-8 text (a byte order mark
 * allowed) of the kind given. width is the width model until the document
 * says otherwise (a "zentab: wide" comment); padding is the spaces on each
 * side of a cell, or -1 for the kind's own (1 in Markdown and Org). A
 * document larger than 64 MiB or not UTF-8, a kind or width out of range or
 * padding below -1, is refused as a whole. Never NULL: running out of memory
 * gives a document refused with ZENTAB_REFUSAL_OUT_OF_MEMORY. Free it with
 * zentab_document_free. */
ZENTAB_API zentab_document* zentab_format_document(const char* text, size_t size,
                                                   zentab_document_kind kind, zentab_width width,
                                                   int padding);

/* Nonzero when the document was read, even if some of its tables were left
 * as they are; zero when it was refused as a whole. NULL counts as refused for
 * lack of memory. */
ZENTAB_API int zentab_document_ok(const zentab_document* document);
/* Why the document was refused, ZENTAB_REFUSAL_NONE when it was not, and
 * where: 1-based line and column in characters, 0 when it has no place. */
ZENTAB_API zentab_refusal_kind zentab_document_refusal(const zentab_document* document);
ZENTAB_API int64_t zentab_document_line(const zentab_document* document);
ZENTAB_API int64_t zentab_document_column(const zentab_document* document);
/* The refusal in English without its place, which a caller names its own way
 * ("notes.md:3:7: ..."); "" when not refused. Lives as long as the document. */
ZENTAB_API const char* zentab_document_message(const zentab_document* document);

/* The document with its tables lined up, NUL-terminated after size bytes; ""
 * when refused. Lives as long as the document. */
ZENTAB_API const char* zentab_document_data(const zentab_document* document);
ZENTAB_API size_t zentab_document_size(const zentab_document* document);
/* Nonzero when some table changed, so the data differs from the text. */
ZENTAB_API int zentab_document_changed(const zentab_document* document);

/* The tables found, in document order; 0 for a refused document. For table
 * i (0-based; past the last: 0, ZENTAB_REFUSAL_NONE and ""): the line of its
 * first row, nonzero when lining it up changes it, and why it was left as it
 * is, with where and in words without the place. */
ZENTAB_API size_t zentab_document_tables(const zentab_document* document);
ZENTAB_API int64_t zentab_document_table_line(const zentab_document* document, size_t table);
ZENTAB_API int zentab_document_table_changes(const zentab_document* document, size_t table);
ZENTAB_API zentab_refusal_kind zentab_document_table_refusal(const zentab_document* document,
                                                             size_t table);
ZENTAB_API int64_t zentab_document_table_refusal_line(const zentab_document* document,
                                                      size_t table);
ZENTAB_API int64_t zentab_document_table_refusal_column(const zentab_document* document,
                                                        size_t table);
ZENTAB_API const char* zentab_document_table_message(const zentab_document* document, size_t table);

/* Frees a document; NULL is ignored. */
ZENTAB_API void zentab_document_free(zentab_document* document);

#ifdef __cplusplus
}
#endif

#endif
