"""python3 -m zentab: the command's common options, over the same text layer."""

import argparse
import sys
from typing import List, Optional, Union

from . import FORMATS, RefusedError, convert


def _parser() -> argparse.ArgumentParser:
    parser = argparse.ArgumentParser(
        prog="python3 -m zentab",
        description="Frame the table in FILE, or standard input, as a ruled text table; "
        "with --from and --to, convert between table formats.",
    )
    parser.add_argument("file", nargs="?", default="-", help="the input (default: standard input)")
    parser.add_argument("-f", "--frame", default="1", help="frame type 1..6 (default 1)")
    parser.add_argument("-p", "--position", help="position type A..Q or 1..17 (default A)")
    parser.add_argument("-a", "--ambiguous", default="narrow", choices=("narrow", "wide"),
                        help="width of East Asian ambiguous characters")
    parser.add_argument("--from", dest="source", default="psv", metavar="FORMAT",
                        help=f"the input's format (default psv): {', '.join(FORMATS)}")
    parser.add_argument("--to", metavar="FORMAT",
                        help="the output's format (default frame)")
    parser.add_argument("--unframe", action="store_true", help="short for --from frame --to psv")
    parser.add_argument("--crlf", action="store_true", help="end output lines with CR LF")
    parser.add_argument("-w", "--width", type=_width, metavar="N",
                        help="no line of the frame wider than N columns; auto: the terminal's")
    parser.add_argument("--cell-width", type=_cell_widths, metavar="N",
                        help="no cell line wider than N; or one a column, - for no limit")
    parser.add_argument("--overflow", default="wrap", choices=("wrap", "truncate"),
                        help="a cell line too wide is wrapped (default) or truncated")
    parser.add_argument("--align", default="", metavar="SPEC",
                        help="a letter a column for body cells: l, r, c, d (decimal) or .")
    parser.add_argument("--padding", type=int, default=0, metavar="N",
                        help="spaces on each side of every cell (default 0)")
    parser.add_argument("--rules", default="all", choices=("all", "header", "none"),
                        help="rules inside the frame (default all)")
    parser.add_argument("--layout", default="table", choices=("table", "records", "auto"),
                        help="rows as a table (default), as records of header | value lines, "
                             "or records when the table cannot fit -w")
    return parser


def _width(text: str) -> Union[int, str]:
    return "auto" if text.lower() == "auto" else int(text)


def _cell_widths(text: str) -> List[Optional[int]]:
    return [None if item == "-" else int(item) for item in text.split(",")]


def _read(path: str) -> bytes:
    # Bytes as they are, so the text layer places bytes that are not UTF-8.
    if path == "-":
        return sys.stdin.buffer.read()
    with open(path, "rb") as source:
        return source.read()


def main(argv: Optional[List[str]] = None) -> int:
    args = _parser().parse_args(argv)
    source = "frame" if args.unframe else args.source
    target = args.to or ("psv" if args.unframe else "frame")
    if args.layout != "table" and target != "frame":
        _parser().error("--layout records and auto lay out a frame's rows; they cannot be used "
                        "with --to or --unframe")
    try:
        text = _read(args.file)
        output = convert(text, to=target, fmt=source, frame=args.frame,
                         position=args.position, ambiguous=args.ambiguous, crlf=args.crlf,
                         width=args.width, cell_width=args.cell_width, overflow=args.overflow,
                         align=args.align, padding=args.padding, rules=args.rules,
                         layout=args.layout)
    except RefusedError as refusal:
        print(f"zentab: {refusal}", file=sys.stderr)
        return 1
    except (OSError, ValueError) as error:
        print(f"zentab: {error}", file=sys.stderr)
        return 1
    sys.stdout.buffer.write(output.encode("utf-8"))
    sys.stdout.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
