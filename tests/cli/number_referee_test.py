#!/usr/bin/env python3
"""Numbers formatted and empty cells filled by zentab, against Python's decimal.

Random csv tables of numbers written many ways (signs, leading zeros, commas
well and badly placed, long fractions, exponents and other text) go through
`zentab --from csv --to csv` with a random --number list, --group-char and
--missing, and now and then --sort KEY:n and --transpose. The referee rounds
with decimal's ROUND_HALF_EVEN and groups with Python's own formatting; the
number rule is the one shape_referee_test.py models for sorting.

Usage: number_referee_test.py ZENTAB.
"""

import csv
import decimal
import functools
import io
import json
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from shape_referee_test import compare_cells, is_number  # noqa: E402

TABLES = 500
GROUPS = [",", "'", " ", "\u2009", ".", "_", "\u00b7"]
MISSING = ["", "-", "n/a", "\u2014", "?"]
TEXTS = ["", "", "abc", "1e3", "1,2,3", "12,34", "-", ".", "1.2.3", "+", "x 1", "1E-5"]


def random_number(rng):
    sign = rng.choice(["", "", "-", "+"])
    whole = "".join(rng.choice("0123456789") for _ in range(rng.choice([0, 1, 1, 2, 3, 4, 7, 25])))
    if rng.random() < 0.3 and len(whole) > 3:
        digits = whole
        whole = ""
        while len(digits) > 3:
            whole = "," + digits[-3:] + whole
            digits = digits[:-3]
        whole = digits + whole
    fraction = "".join(rng.choice("0123455559") for _ in range(rng.choice([0, 1, 2, 3, 5, 22])))
    point = rng.random() < 0.7 or not whole
    text = sign + whole + ("." + fraction if point else "")
    return text if is_number(text) else sign + "7"


def random_cell(rng):
    return rng.choice(TEXTS) if rng.random() < 0.2 else random_number(rng)


def random_style(rng):
    return rng.choice(["-", "g", ".0", ".1", ".2", ".5", "g.0", "g.2", "g.3", "g.20"])


def formatted(text, style, group, point_mark):
    if style == "-" or not is_number(text):
        return text
    grouped = style.startswith("g")
    decimals = int(style.split(".")[1]) if "." in style else None
    sign = text[0] if text[:1] in "+-" else ""
    whole, dot, fraction = text[len(sign):].replace(",", "").partition(".")
    if decimals is not None:
        with decimal.localcontext() as context:
            context.prec = 200
            value = decimal.Decimal((whole or "0") + "." + (fraction or "0"))
            rounded = value.quantize(decimal.Decimal(1).scaleb(-decimals),
                                     rounding=decimal.ROUND_HALF_EVEN)
        whole, dot, fraction = format(rounded, "f").partition(".")
    whole = whole.lstrip("0") or "0"
    if grouped:
        whole = f"{int(whole):,}".replace(",", "\0").replace("\0", group)
    return sign + whole + (point_mark + fraction if dot else "")


def model(rows, styles, group, missing, sort_key, transpose):
    header, body = rows[0], [list(row) for row in rows[1:]]
    if sort_key is not None:
        body.sort(key=functools.cmp_to_key(
            lambda a, b: compare_cells(a[sort_key], b[sort_key], True)))
    point_mark = "," if group == "." else "."
    out = [list(header)]
    for row in body:
        cells = []
        for column, cell in enumerate(row):
            if cell == "" and missing:
                cells.append(missing)
            else:
                style = styles[column] if column < len(styles) else "-"
                cells.append(formatted(cell, style, group, point_mark))
        out.append(cells)
    if transpose:
        out = [list(column) for column in zip(*out)]
    return out


def csv_text(rows):
    out = io.StringIO()
    csv.writer(out, lineterminator="\n").writerows(rows)
    return out.getvalue()


def run(zentab, args, text):
    return subprocess.run([zentab] + args, input=text.encode(), capture_output=True)


def check_table(zentab, rng, n):
    width = rng.randint(1, 4)
    rows = [[f"1{i}00" for i in range(width)]]  # a header of numbers stays as it is
    rows += [[random_cell(rng) for _ in range(width)] for _ in range(rng.randint(0, 8))]
    styles = [random_style(rng) for _ in range(rng.randint(1, width + 1))]
    group = rng.choice(GROUPS)
    missing = rng.choice(MISSING)
    sort_key = rng.randrange(width) if rng.random() < 0.3 else None
    transpose = rng.random() < 0.2
    args = ["--from", "csv", "--to", "csv", "--number", ",".join(styles), "--group-char", group]
    if missing:
        args += ["--missing", missing]
    if sort_key is not None:
        args += ["--sort", f"{sort_key + 1}:n"]
    if transpose:
        args.append("--transpose")
    expected = model(rows, styles, group, missing, sort_key, transpose)
    done = run(zentab, args, csv_text(rows))
    got = list(csv.reader(io.StringIO(done.stdout.decode())))
    # A row of one empty cell is written as "" and read back so.
    if done.returncode == 0 and got == expected:
        return 0
    print(f"table {n}: {args}\n{csv_text(rows)}expected {expected}\n"
          f"got {done.returncode} {done.stdout!r} {done.stderr!r}", file=sys.stderr)
    return 1


def check_every_format(zentab):
    """JSON, Markdown and a frame carry the same cells as csv does."""
    text = "n,m\n1234.565,\n-0.004,7\n"
    args = ["--from", "csv", "--number", "g.2", "--missing", "none"]
    rows = json.loads(run(zentab, args + ["--to", "json", "--no-header"], text).stdout)
    markdown = run(zentab, args + ["--to", "markdown"], text).stdout.decode()
    frame = run(zentab, args, text).stdout.decode()
    cells = ["1,234.56", "-0.00", "none", "7"]
    ok = rows == [["n", "m"], ["1,234.56", "none"], ["-0.00", "7"]]
    ok = ok and all(cell in markdown and cell in frame for cell in cells)
    if not ok:
        print(f"formats disagree:\n{rows}\n{markdown}\n{frame}", file=sys.stderr)
    return 0 if ok else 1


def check_refusals(zentab):
    failures = 0
    for args in (["--number", "g,"], ["--number", ".21"], ["--number", "x"],
                 ["--group-char", "5"], ["--group-char", "ab"], ["--group-char", ""],
                 ["--group-char", "-"], ["--missing", "a\tb"]):
        done = run(zentab, args, "a\n1\n")
        if done.returncode != 2 or args[0].encode() not in done.stderr:
            failures += 1
            print(f"{args}: {done.returncode} {done.stderr!r}", file=sys.stderr)
    return failures


def main():
    zentab = sys.argv[1]
    rng = random.Random(35)
    failures = sum(check_table(zentab, rng, n) for n in range(TABLES))
    failures += check_every_format(zentab) + check_refusals(zentab)
    print(f"{failures} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
