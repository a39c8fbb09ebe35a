"""Frame plain-text tables as ruled text tables, and convert tables between
formats, with the same text layer as the zentab command."""

from typing import Any, Iterable, List, Mapping, Optional, Sequence, Tuple, Union

from . import _zentab
from ._errors import RefusedError

__all__ = ["RefusedError", "convert", "frame", "unframe", "FORMATS"]

FORMATS: Tuple[str, ...] = tuple(_zentab.FORMATS)

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
) -> str:
    """The table framed: data is text in format fmt (str, or bytes of UTF-8), rows as lists or dicts,
    or a DataFrame-like object (its columns give the header row). Cells of
    Python objects are str() of the values, None an empty cell."""
    return _write(data, "frame", frame=frame, position=_position_number(position),
                  ambiguous=ambiguous, fmt=fmt, crlf=crlf, nested="error", header=True)


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
) -> str:
    """The table in format to (any the command's --to takes). position gives
    the alignment where the format has one; header=False writes JSON rows as
    arrays; json_nested="text" keeps nested JSON as its text."""
    if position is not None:
        number = _position_number(position)
    else:
        number = 1 if to == "frame" else 0
    return _write(data, to, frame=frame, position=number, ambiguous=ambiguous, fmt=fmt,
                  crlf=crlf, nested=json_nested, header=header)


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
           fmt: str, crlf: bool, nested: str, header: bool) -> str:
    to_number = _format_number(to, False)
    frame_number = _frame_number(frame)
    wide = _wide(ambiguous)
    if isinstance(data, bytearray):
        data = bytes(data)
    if isinstance(data, (str, bytes)):
        return _zentab.convert_text(data, _format_number(fmt, True), to_number, frame_number,
                                    position, wide, bool(crlf), _nested_text(nested), header)
    _nested_text(nested)
    return _zentab.frame_rows(_rows_of(data), to_number, frame_number, position, wide,
                              bool(crlf), header)
