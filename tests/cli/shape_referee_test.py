#!/usr/bin/env python3
"""Columns chosen and rows sorted and cut by zentab, against a model and miller.

Random csv tables go through `zentab --from csv --to csv` with random
--columns, --hide, --sort, --head, --tail and --transpose; a model in Python
(sorted() with the keys the manual states) says what must come out. Where
miller is installed, it is a second referee for plain sorts, cuts, heads and
tails on tables of unique headers. Frames cut by --head end in a row that
says how many rows were left out.

Usage: shape_referee_test.py ZENTAB.
"""

import csv
import io
import random
import re
import shutil
import subprocess
import sys

TABLES = 400
PIECES = ["a", "B", "b", "é", "日本", "x y", "-", "+", ".", ",", "0", "1", "2", "9", "10",
          "-3", "+4", "1,000", "2.50", "-0", ".5", "1e3", "", "Z", "~"]
NUMBER = re.compile(r"^[+-]?(\d{1,3}(,\d)*\d*|\d*)(\.\d*)?$")


def is_number(text):
    body = text[1:] if text[:1] in "+-" else text
    whole, _, fraction = body.partition(".")
    if not whole and not fraction:
        return False
    if whole and not re.fullmatch(r"\d+|\d{1,3}(,\d{3})+", whole):
        return False
    return fraction == "" or fraction.isdigit()


def number_value(text):
    from decimal import Decimal
    body = text.replace(",", "")
    if body.endswith("."):
        body += "0"
    if body.lstrip("+-").startswith("."):
        sign = body[0] if body[0] in "+-" else ""
        body = sign + "0" + body.lstrip("+-")
    return Decimal(body)


def cmp(a, b):
    return (a > b) - (a < b)


def compare_cells(a, b, numeric):
    if not numeric:
        return cmp(a.encode(), b.encode())
    an, bn = is_number(a), is_number(b)
    if an and bn:
        return cmp(number_value(a), number_value(b))
    if an != bn:
        return -1 if an else 1
    return cmp(a.encode(), b.encode())


def resolve(item, header, columns):
    """The 0-based columns of an item; ValueError when there is no such column."""
    if re.fullmatch(r"\d+", item):
        found = [int(item) - 1]
    elif re.fullmatch(r"(\d+)-(\d+)", item):
        first, last = item.split("-")
        found = list(range(int(first) - 1, int(last)))
    else:
        found = [header.index(item)]
    if any(c >= columns for c in found):
        raise ValueError(item)
    return found


def model(rows, opts):
    """The rows zentab must write, or None when it must refuse."""
    header, body = rows[0], rows[1:]
    width = max(len(r) for r in rows)
    try:
        shown = list(range(width))
        if opts.get("columns"):
            shown = [c for item in opts["columns"].split(",") for c in resolve(item, header, width)]
        if opts.get("hide"):
            hidden = {c for item in opts["hide"].split(",") for c in resolve(item, header, width)}
            shown = [c for c in shown if c not in hidden]
        keys = []
        for key in opts.get("sort", "").split(",") if opts.get("sort") else []:
            name, flags = key, ""
            while len(name) >= 2 and name[-2] == ":" and name[-1] in "nr":
                flags += name[-1]
                name = name[:-2]
            keys.append((resolve(name, header, width)[0], "n" in flags, "r" in flags))
    except ValueError:
        return None
    import functools

    def by_keys(x, y):
        for column, numeric, reverse in keys:
            c = compare_cells(x[column], y[column], numeric)
            if c:
                return -c if reverse else c
        return 0

    body = sorted(body, key=functools.cmp_to_key(by_keys))
    if opts.get("head") is not None:
        body = body[:opts["head"]]
    if opts.get("tail") is not None:
        body = body[len(body) - min(opts["tail"], len(body)):]
    out = [[row[c] for c in shown] for row in [header] + body]
    if opts.get("transpose"):
        out = [list(column) for column in zip(*out)] if out and out[0] else []
    return out


def arguments(opts):
    args = []
    for name in ("columns", "hide", "sort", "head", "tail"):
        if opts.get(name) is not None:
            args += ["--" + name, str(opts[name])]
    if opts.get("transpose"):
        args.append("--transpose")
    return args


def random_item(rng, header, width):
    if rng.random() < 0.3:
        return rng.choice(header + ["nope"])
    first = rng.randint(1, width + 1)
    if rng.random() < 0.3:
        return f"{first}-{rng.randint(first, width + 1)}"
    return str(first)


def random_options(rng, header, width):
    opts = {}
    if rng.random() < 0.4:
        opts["columns"] = ",".join(random_item(rng, header, width) for _ in range(rng.randint(1, 4)))
    if rng.random() < 0.2:
        opts["hide"] = ",".join(random_item(rng, header, width) for _ in range(rng.randint(1, 2)))
    if rng.random() < 0.7:
        keys = []
        for _ in range(rng.randint(1, 3)):
            item = random_item(rng, header, width).split("-")[0] or "1"
            keys.append(item + rng.choice(["", ":n", ":r", ":n:r", ":r:n"]))
        opts["sort"] = ",".join(keys)
    if rng.random() < 0.3:
        opts["head"] = rng.randint(0, 8)
    if rng.random() < 0.3:
        opts["tail"] = rng.randint(0, 8)
    opts["transpose"] = rng.random() < 0.15
    return opts


def random_table(rng):
    width = rng.randint(1, 4)
    header = ["".join(rng.choice("ABCab") for _ in range(rng.randint(1, 2))) for _ in range(width)]
    body = [["".join(rng.choice(PIECES) for _ in range(rng.randint(0, 2))) for _ in range(width)]
            for _ in range(rng.randint(0, 9))]
    return [header] + body


def csv_text(rows):
    out = io.StringIO()
    csv.writer(out, lineterminator="\n").writerows(rows)
    return out.getvalue()


def run(zentab, args, text):
    return subprocess.run([zentab] + args, input=text.encode(), capture_output=True)


def check_against_model(zentab, rng):
    failures = 0
    for n in range(TABLES):
        rows = random_table(rng)
        opts = random_options(rng, rows[0], len(rows[0]))
        expected = model(rows, opts)
        done = run(zentab, ["--from", "csv", "--to", "csv"] + arguments(opts), csv_text(rows))
        if expected is None:
            ok = done.returncode == 1 and b"column" in done.stderr
        elif not expected or not expected[0]:
            ok = done.returncode != 0 or done.stdout == b""
        else:
            got = list(csv.reader(io.StringIO(done.stdout.decode())))
            ok = done.returncode == 0 and got == expected
        if not ok:
            failures += 1
            print(f"table {n}: {arguments(opts)}\n{csv_text(rows)}expected {expected}\n"
                  f"got {done.returncode} {done.stdout!r} {done.stderr!r}", file=sys.stderr)
    return failures


def check_against_miller(zentab, rng):
    mlr = shutil.which("mlr")
    if mlr is None:
        print("miller not installed: its referee is skipped", file=sys.stderr)
        return 0
    failures = 0
    for n in range(TABLES // 2):
        rows = random_table(rng)
        header = [f"h{i}" for i in range(len(rows[0]))]
        rows[0] = header
        # miller reads a cell as a number its own way: text cells only for -f.
        column = rng.randrange(len(header))
        reverse = rng.random() < 0.5
        order = list(range(len(header)))
        rng.shuffle(order)
        cut = ",".join(header[i] for i in order[: rng.randint(1, len(order))])
        head = rng.randint(0, 6)
        text = csv_text(rows)
        ours = run(zentab, ["--from", "csv", "--to", "csv", "--sort",
                            header[column] + (":r" if reverse else ""),
                            "-c", cut, "--head", str(head)], text)
        theirs = subprocess.run(
            [mlr, "--icsv", "--ocsv", "--allow-ragged-csv-input", "sort",
             "-r" if reverse else "-f", header[column], "then", "cut", "-o", "-f", cut,
             "then", "head", "-n", str(head)],
            input=text.encode(), capture_output=True)
        if len(rows) == 1 or head == 0:
            continue  # miller writes no header without records
        # miller writes a row of one empty cell as an empty line, zentab as "".
        parsed = [[row or [""] for row in csv.reader(io.StringIO(out.stdout.decode()))]
                  for out in (ours, theirs)]
        if parsed[0] != parsed[1]:
            failures += 1
            print(f"miller table {n}:\n{text}ours {ours.stdout!r}\ntheirs {theirs.stdout!r}",
                  file=sys.stderr)
    return failures


def check_frame_elision(zentab):
    text = "n\n" + "".join(f"{i}\n" for i in range(1300))
    frame = run(zentab, ["--head", "2", "-f", "6"], text).stdout.decode()
    lines = frame.splitlines()
    if lines[-2] != "|… 1,298 more rows|" and not lines[-2].startswith("|… 1,298 more rows"):
        print("frame elision row:\n" + frame, file=sys.stderr)
        return 1
    if len({len(line) for line in lines}) != 1:
        print("frame elision lines differ in width:\n" + frame, file=sys.stderr)
        return 1
    return 0


def main():
    zentab = sys.argv[1]
    rng = random.Random(29)
    failures = check_against_model(zentab, rng) + check_against_miller(zentab, rng)
    failures += check_frame_elision(zentab)
    print(f"{failures} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
