"""Frame plain-text tables as ruled text tables, and convert tables between
formats, with the same text layer as the zentab command."""

import os
import sys
from typing import Any, Iterable, List, Mapping, Optional, Sequence, Tuple, Union

from . import _zentab
from ._errors import RefusedError

__all__ = ["RefusedError", "convert", "format_document", "frame", "unframe", "DOCUMENT_KINDS",
           "FORMATS"]

FORMATS: Tuple[str, ...] = tuple(_zentab.FORMATS)
DOCUMENT_KINDS: Tuple[str, ...] = tuple(_zentab.DOCUMENT_KINDS)

_POSITIONS = "abcdefghijklmnopq"


def _format_number(name: str, reading: bool) -> int:
    entry = _zentab.FORMATS.get(name.lower()) if isinstance(name, str) else None
    if entry is None:
        raise ValueError(f"invalid format {name!r} (use one of {', '.join(FORMATS)})")
    number, written_only, writable = entry
    if reading and written_only:
        raise ValueError(f"{name} is only written, never read")
    if not reading and not writable:
        raise ValueError(f"{name} is only read, never written")
    return number


def _position_number(position: Union[str, int]) -> int:
    """A..Q in either case or 1..17, as the command's -p takes them."""
    if isinstance(position, int) and not isinstance(position, bool):
        if 1 <= position <= 17:
            return position
    elif isinstance(position, str):
        text = position.strip().lower()
        if len(text) == 1 and text in _POSITIONS:
            return _POSITIONS.index(text) + 1
        if text.isdigit() and 1 <= int(text) <= 17:
            return int(text)
    raise ValueError(f"invalid position type {position!r} (use A to Q or 1 to 17)")


def _frame_number(frame: Union[int, str]) -> int:
    try:
        number = int(frame)
    except (TypeError, ValueError):
        number = 0
    if isinstance(frame, bool) or not 1 <= number <= 6:
        raise ValueError(f"invalid frame type {frame!r} (use 1 to 6)")
    return number


def _wide(ambiguous: str) -> bool:
    if ambiguous not in ("narrow", "wide"):
        raise ValueError(f"invalid width model {ambiguous!r} (use narrow or wide)")
    return ambiguous == "wide"


# The command's limits for --width, --cell-width and --padding.
_MOST_COLUMNS = 1000000
_MOST_PADDING = 1000


def _columns(value: Any, name: str, least: int, most: int) -> int:
    if isinstance(value, bool) or not isinstance(value, int) or not least <= value <= most:
        raise ValueError(f"invalid {name} {value!r} (use a whole number from {least} to {most})")
    return value


def _auto_width() -> int:
    """The command's --width auto: standard output's terminal, else $COLUMNS, else none."""
    try:
        if sys.stdout is not None and sys.stdout.isatty():
            columns = os.get_terminal_size(sys.stdout.fileno()).columns
            if columns > 0:
                return columns
    except (AttributeError, OSError, ValueError):
        pass
    given = os.environ.get("COLUMNS", "")
    if given.isdigit() and 0 < int(given) <= _MOST_COLUMNS:
        return int(given)
    return 0


def _layout(width: Union[int, str, None], cell_width: Any, overflow: str, align: str,
            padding: int, rules: str, layout: str = "table") -> tuple:
    """The layout keywords as the text layer's numbers; () for the defaults."""
    if (width is None and cell_width is None and overflow == "wrap" and not align
            and padding == 0 and rules == "all" and layout == "table"):
        return ()
    names = _zentab.LAYOUT
    if width is None:
        columns = 0
    elif width == "auto":
        columns = _auto_width()
    else:
        columns = _columns(width, "width", 1, _MOST_COLUMNS)
    if cell_width is None:
        cell_widths: List[int] = []
    elif isinstance(cell_width, int) and not isinstance(cell_width, bool):
        cell_widths = [_columns(cell_width, "cell_width", 1, _MOST_COLUMNS)]
    elif isinstance(cell_width, (list, tuple)):
        cell_widths = [0 if each is None else _columns(each, "cell_width", 1, _MOST_COLUMNS)
                       for each in cell_width]
    else:
        raise ValueError(f"invalid cell_width {cell_width!r} (use a number of columns, or a "
                         "list of them with None for no limit)")
    if overflow not in names["overflow"]:
        raise ValueError(f"invalid overflow {overflow!r} (use wrap or truncate)")
    if not isinstance(align, str) or any(letter not in names["align"] for letter in align.lower()):
        raise ValueError(f"invalid align {align!r} (use a letter a column: l, r, c, d or .)")
    if rules not in names["rules"]:
        raise ValueError(f"invalid rules {rules!r} (use all, header or none)")
    if layout not in names["layout"]:
        raise ValueError(f"invalid layout {layout!r} (use table, records or auto)")
    return (columns, cell_widths, names["overflow"][overflow],
            [names["align"][letter] for letter in align.lower()],
            _columns(padding, "padding", 0, _MOST_PADDING), names["rules"][rules],
            names["layout"][layout])


# The command's limit for --head and --tail.
_MOST_ROWS = 999999999

Columns = Union[str, int, Sequence[Union[str, int]], None]


def _column_list(value: Columns, name: str) -> str:
    """A list of columns as the command takes it: "1,3-4,Name", or a list of
    numbers and header texts."""
    if value is None:
        return ""
    if isinstance(value, bool):
        raise ValueError(f"invalid {name} {value!r}")
    if isinstance(value, (str, int)):
        return str(value)
    if isinstance(value, (list, tuple)) and all(isinstance(each, (str, int)) and
                                                not isinstance(each, bool) for each in value):
        return ",".join(str(each) for each in value)
    raise ValueError(f"invalid {name} {value!r} (use a str such as '3,1-2,Name' or a list of "
                     "column numbers and header texts)")


def _rows(value: Optional[int], name: str) -> int:
    return -1 if value is None else _columns(value, name, 0, _MOST_ROWS)


def _shape(columns: Columns, hide: Columns, sort: Columns, head: Optional[int],
           tail: Optional[int], transpose: bool) -> tuple:
    """The columns and rows chosen, as the text layer takes them; () for all."""
    if columns is None and hide is None and sort is None and head is None and tail is None \
            and not transpose:
        return ()
    return (_column_list(columns, "columns"), _column_list(hide, "hide"),
            _column_list(sort, "sort"), _rows(head, "head"), _rows(tail, "tail"),
            bool(transpose))


Numbers = Union[str, Sequence[str], None]


def _cells(number: Numbers, group_char: str, missing: Optional[str]) -> tuple:
    """Numbers formatted and empty cells filled, as the text layer takes them;
    () for neither."""
    if number is None and group_char == "," and not missing:
        return ()
    if isinstance(number, (list, tuple)) and all(isinstance(each, str) for each in number):
        number = ",".join(number)
    if number is not None and not isinstance(number, str):
        raise ValueError(f"invalid number {number!r} (use a str such as 'g,.2,-' or a list of "
                         "them)")
    if not isinstance(group_char, str) or (missing is not None and not isinstance(missing, str)):
        raise ValueError(f"invalid group_char {group_char!r} or missing {missing!r} (use str)")
    return (number or "", group_char, missing or "")


# The letters only: the command takes words too.
_TITLE_ALIGN = {name: number for name, number in _zentab.TITLE_ALIGN.items() if len(name) == 1}


def _titles(title: Optional[str], footer: Optional[str], title_align: str,
            with_title: bool) -> tuple:
    """The title, footer and their alignment as the text layer takes them; ()
    for none."""
    if title is None and footer is None and title_align == "c" and not with_title:
        return ()
    for value, name in ((title, "title"), (footer, "footer")):
        if value is not None and not isinstance(value, str):
            raise ValueError(f"invalid {name} {value!r} (use a str)")
    if title_align not in _TITLE_ALIGN:
        raise ValueError(f"invalid title_align {title_align!r} (use 'l', 'c' or 'r')")
    return (title or "", footer or "", _TITLE_ALIGN[title_align], bool(with_title))


def _cell(value: Any) -> str:
    return "" if value is None else str(value)


def _rows_of(data: Any) -> List[List[str]]:
    """Rows of cell texts from a DataFrame-like object (columns and
    itertuples), a list of dicts (keys in first-seen order) or a list of
    lists."""
    if hasattr(data, "columns") and hasattr(data, "itertuples"):
        header = [_cell(name) for name in data.columns]
        body = [[_cell(value) for value in row] for row in data.itertuples(index=False, name=None)]
        return [header] + body
    rows = list(data)
    if rows and all(isinstance(row, Mapping) for row in rows):
        keys: dict = {}
        for row in rows:
            keys.update(dict.fromkeys(row))
        return [[_cell(key) for key in keys]] + [[_cell(row.get(key)) for key in keys] for row in rows]
    if any(isinstance(row, (str, bytes, Mapping)) for row in rows):
        raise TypeError("rows must be all lists (or tuples) of values, or all dicts")
    return [[_cell(value) for value in row] for row in rows]


def frame(
    data: Union[str, bytes, Iterable[Sequence[Any]], Iterable[Mapping[Any, Any]], Any],
    *,
    frame: Union[int, str] = 1,
    position: Union[str, int] = "A",
    ambiguous: str = "narrow",
    fmt: str = "psv",
    crlf: bool = False,
    width: Union[int, str, None] = None,
    cell_width: Union[int, Sequence[Optional[int]], None] = None,
    overflow: str = "wrap",
    align: str = "",
    padding: int = 0,
    rules: str = "all",
    layout: str = "table",
    columns: Columns = None,
    hide: Columns = None,
    sort: Columns = None,
    head: Optional[int] = None,
    tail: Optional[int] = None,
    transpose: bool = False,
    number: Numbers = None,
    group_char: str = ",",
    missing: Optional[str] = None,
    title: Optional[str] = None,
    footer: Optional[str] = None,
    title_align: str = "c",
) -> str:
    """The table framed: data is text in format fmt (str, or bytes of UTF-8), rows as lists or dicts,
    or a DataFrame-like object (its columns give the header row). Cells of
    Python objects are str() of the values, None an empty cell.

    How the frame fits its cells, as the command's options of the same names:

    - width: no line of the frame wider than this many display columns; the
      widest columns give way first. "auto" is the width of the terminal
      standard output goes to, else $COLUMNS, else no limit; None, no limit.
      A table that cannot fit raises RefusedError of kind "frame_too_narrow".
    - cell_width: no line of a cell wider than this; one number for every
      column, or a list of one a column, None for no limit there.
    - overflow: "wrap" (the default) breaks a line too wide into more lines,
      which read back (unframe) as one cell of several lines; "truncate" cuts
      it, ending in an ellipsis.
    - align: one letter a column places the body cells: "l" left, "r" right,
      "c" centred, "d" on the decimal point, "." as position says; columns
      past the letters go by position, as header cells always do.
    - padding: spaces on each side of every cell (default 0).
    - rules: "all" (default), "header" (under the first row only) or "none";
      without rules between body rows, unframe gives each line as a row.
    - layout: "table" (default); "records", each row under the header a
      block of header | value lines numbered "[ 1 ]", "[ 2 ]"... in its
      opening rule (rules="all" rules between fields too), as the command's
      --layout records; "auto", records only when the table cannot fit width
      without cutting a column below 8. unframe reads records back as the
      table.

    Which columns and rows, as the command's -c, --hide, --sort, --head,
    --tail and --transpose, for every output format:

    - columns, hide: the columns shown, in that order, or not shown: column
      numbers from 1, ranges "2-4" and header texts, as "3,1,Name" or a list
      such as [3, 1, "Name"]. A column the table lacks raises RefusedError of
      kind "no_such_column".
    - sort: keys, the first first, as "2:n:r,Name" or a list of them; ":n"
      compares numbers, ":r" reverses. Stable; text by code point.
    - head, tail: only the first or last so many rows under the header; a
      frame ends in a row saying how many were left out.
    - transpose: rows become columns.

    What the body's cells show, as the command's --number, --group-char and
    --missing, after the columns are chosen and sorted and before they turn:

    - number: one item a column, as "g,.2,-" or ["g", ".2", "-"]: "-" as is,
      "g" digits grouped by threes, ".N" N decimals (0..20) rounded half to
      even on the digits themselves, "g.N" both. Only numbers change, as
      sort's ":n" reads them; the header row never does.
    - group_char: what "g" groups with, one character; "." makes the point ",".
    - missing: what an empty cell under the header shows (None there too).

    A title and footer, as the command's --title, --footer and --title-align:
    rows spanning the frame over the header and under the last row, wrapped
    at the table's width ("\n" starts a new line), placed "c" (centred), "l"
    or "r".

    For example, a CSV export wrapped to fit 60 columns, numbers on their
    decimal point: frame(text, fmt="csv", width=60, align="ld", rules="header").
    """
    return _write(data, "frame", frame=frame, position=_position_number(position),
                  ambiguous=ambiguous, fmt=fmt, crlf=crlf, nested="error", header=True,
                  layout=_layout(width, cell_width, overflow, align, padding, rules, layout),
                  shape=_shape(columns, hide, sort, head, tail, transpose),
                  cells=_cells(number, group_char, missing),
                  titles=_titles(title, footer, title_align, False))


def convert(
    data: Union[str, bytes, Iterable[Sequence[Any]], Iterable[Mapping[Any, Any]], Any],
    to: str = "csv",
    fmt: str = "psv",
    *,
    frame: Union[int, str] = 1,
    position: Optional[Union[str, int]] = None,
    ambiguous: str = "narrow",
    crlf: bool = False,
    json_nested: str = "error",
    header: bool = True,
    width: Union[int, str, None] = None,
    cell_width: Union[int, Sequence[Optional[int]], None] = None,
    overflow: str = "wrap",
    align: str = "",
    padding: int = 0,
    rules: str = "all",
    layout: str = "table",
    columns: Columns = None,
    hide: Columns = None,
    sort: Columns = None,
    head: Optional[int] = None,
    tail: Optional[int] = None,
    transpose: bool = False,
    number: Numbers = None,
    group_char: str = ",",
    missing: Optional[str] = None,
    title: Optional[str] = None,
    footer: Optional[str] = None,
    title_align: str = "c",
    with_title: bool = False,
) -> str:
    """The table in format to (any the command's --to takes). position gives
    the alignment where the format has one; header=False writes JSON rows as
    arrays; json_nested="text" keeps nested JSON as its text. width,
    cell_width, overflow, align, padding and rules fit a frame as in frame();
    other formats keep every cell whole and ignore them, layout too. columns,
    hide, sort, head, tail and transpose choose columns and rows, and number,
    group_char and missing write the body's cells, as in frame(). title
    and footer are a frame's as in frame(), the caption of html, latex, rst,
    org, asciidoc and mediawiki, and html's <tfoot>; other formats raise
    RefusedError of kind "no_caption". with_title keeps the title and footer
    of a frame read (fmt="frame"): to="json" then gives
    {"title": ..., "footer": ..., "rows": [...]}."""
    if position is not None:
        position_number = _position_number(position)
    else:
        position_number = 1 if to == "frame" else 0
    return _write(data, to, frame=frame, position=position_number, ambiguous=ambiguous, fmt=fmt,
                  crlf=crlf, nested=json_nested, header=header,
                  layout=_layout(width, cell_width, overflow, align, padding, rules, layout),
                  shape=_shape(columns, hide, sort, head, tail, transpose),
                  cells=_cells(number, group_char, missing),
                  titles=_titles(title, footer, title_align, with_title))


def unframe(text: str, *, fmt: str = "frame", ambiguous: str = "narrow",
            json_nested: str = "error") -> List[List[str]]:
    """The cells of a table in text: a frame, ours or another tool's, by default."""
    if not isinstance(text, str):
        raise TypeError("unframe takes the table as a str")
    return _zentab.read_cells(text, _format_number(fmt, True), _wide(ambiguous),
                              _nested_text(json_nested))


def _nested_text(json_nested: str) -> bool:
    if json_nested not in ("error", "text"):
        raise ValueError(f"invalid json_nested {json_nested!r} (use error or text)")
    return json_nested == "text"


def _write(data: Any, to: str, *, frame: Union[int, str], position: int, ambiguous: str,
           fmt: str, crlf: bool, nested: str, header: bool, layout: tuple,
           shape: tuple, cells: tuple, titles: tuple = ()) -> str:
    to_number = _format_number(to, False)
    frame_number = _frame_number(frame)
    wide = _wide(ambiguous)
    if isinstance(data, bytearray):
        data = bytes(data)
    if isinstance(data, (str, bytes)):
        return _zentab.convert_text(data, _format_number(fmt, True), to_number, frame_number,
                                    position, wide, bool(crlf), _nested_text(nested), header,
                                    layout, shape, cells, titles)
    _nested_text(nested)
    return _zentab.frame_rows(_rows_of(data), to_number, frame_number, position, wide,
                              bool(crlf), header, layout, shape, cells, titles)


# A table left as it is: (line, column, message, kind), as RefusedError has them.
TableLeft = Tuple[int, int, str, str]


def format_document(text: Union[str, bytes], kind: str = "markdown", *, ambiguous: str = "narrow",
                    padding: Optional[int] = None,
                    warnings: Optional[List[TableLeft]] = None) -> str:
    """The document with every table in it lined up in place, as `zentab fmt
    --in KIND` prints it: the text around the tables, and each cell's text,
    come back as they went in. kind is markdown, org, rst or text; padding,
    spaces each side of a cell, None for the kind's own (1 in Markdown).

    A table that cannot be lined up is left as it is; for each, when warnings
    is a list, (line, column, message, kind) is appended to it. A document
    refused as a whole (too large, not UTF-8) raises RefusedError."""
    if not isinstance(text, (str, bytes)):
        raise TypeError("format_document takes the document as a str (or bytes of UTF-8)")
    number = _zentab.DOCUMENT_KINDS.get(kind) if isinstance(kind, str) else None
    if number is None:
        raise ValueError(f"invalid kind {kind!r} (use one of {', '.join(DOCUMENT_KINDS)})")
    spaces = -1 if padding is None else _columns(padding, "padding", 0, _MOST_PADDING)
    formatted, left = _zentab.format_document(text, number, _wide(ambiguous), spaces)
    if warnings is not None:
        warnings.extend(left)
    return formatted
