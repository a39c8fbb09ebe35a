#!/usr/bin/env python3
"""The records layout of zentab, against a database shell's expanded mode and
against itself read back.

The shell's expanded output captured in tests/text/formats/fixtures (by
scripts/capture-psql-fixtures.sh) gives name | value blocks for a small
table; zentab, reading the same table as the shell aligned it, must show the
same names and values record for record, in every frame style. Random csv
tables drawn with --layout records, in every style, width model, rules and
padding, with -w, must read back with --from frame as the table; --layout
with --to another format is a usage error naming the option.

Usage: records_referee_test.py ZENTAB.
"""

import csv
import io
import json
import os
import random
import re
import subprocess
import sys

FIXTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "text", "formats",
                        "fixtures")
TABLES = 300
WORDS = ["a", "bb", "x y", "日本", "é", "7.5", "-", "+", "[ 1 ]", "─┼─"]
VERTICALS = "|┃│"


def run(zentab, args, text):
    return subprocess.run([zentab] + args, input=text.encode(), capture_output=True)


def shell_records(text):
    """Blocks of (name, value) from the shell's expanded output: a value
    ending in '+' goes on under a blank name on the next line."""
    records = []
    for line in text.splitlines():
        if line.startswith("-[ RECORD"):
            records.append([])
            continue
        if not line.strip() or not records:
            continue
        name, _, value = line.partition("|")
        name, value = name.strip(), value[1:] if value.startswith(" ") else value
        if not name and records[-1]:
            last_name, last_value = records[-1][-1]
            records[-1][-1] = (last_name, last_value[:-1] + "\n" + value.rstrip())
        else:
            records[-1].append((name, value.rstrip()))
    return records


def frame_records(frame):
    """Blocks of (key, value) from a records frame of ASCII cells: a rule
    with "[ N ]" opens a block, a rule without one or a key parts fields,
    and lines under a blank key go on the field above."""
    records = []
    lines = frame.splitlines()
    joint = next(i for i, ch in enumerate(lines[0]) if i > 0 and ch not in "━─-[] 0123456789")
    ruled = True
    for line in lines:
        if line[0] not in VERTICALS:
            if "[ " in line:
                records.append([])
            ruled = True
            continue
        key, value = line[1:joint].strip(), line[joint + 1:-1].strip()
        if ruled or key:
            records[-1].append([key, value])
        else:
            records[-1][-1][1] += "\n" + value
        ruled = False
    return [[tuple(field) for field in record] for record in records]


def check_shell(zentab):
    with open(os.path.join(FIXTURES, "psql_captured_expanded.txt"), encoding="utf-8") as f:
        want = shell_records(f.read())
    with open(os.path.join(FIXTURES, "psql_captured_border1.txt"), encoding="utf-8") as f:
        aligned = f.read()
    assert len(want) == 3 and want[0][2] == ("note", "ripe\nsoon"), want
    for style in range(1, 7):
        for rules in ("all", "header"):
            done = run(zentab, ["--from", "frame", "--layout", "records", "-f", str(style),
                                "--rules", rules], aligned)
            assert done.returncode == 0, done.stderr
            got = frame_records(done.stdout.decode())
            assert got == want, (style, rules, got, want)


def random_cell(rng):
    lines = [" ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 3)))
             for _ in range(rng.choice([1, 1, 1, 2]))]
    return "\n".join(lines) if rng.random() > 0.1 else ""


def check_round_trips(zentab):
    rng = random.Random(51)
    for round_ in range(TABLES):
        columns = rng.randint(2, 4)
        rows = [[random_cell(rng) for _ in range(columns)] for _ in range(rng.randint(1, 4))]
        out = io.StringIO()
        csv.writer(out, lineterminator="\n").writerows(rows)
        model = rng.choice(["narrow", "wide"])
        args = ["--from", "csv", "--layout", "records", "-f", str(1 + round_ % 6),
                "--ambiguous", model, "--padding", str(rng.randint(0, 2)),
                "-p", rng.choice("ABCDEFGHIJKLMNOPQ")]
        if round_ % 4 == 0:
            args += ["-w", str(rng.randint(30, 60))]
        drawn = run(zentab, args, out.getvalue())
        if drawn.returncode != 0 and b"narrow" in drawn.stderr:
            continue
        assert drawn.returncode == 0, (args, drawn.stderr)
        back = run(zentab, ["--from", "frame", "--to", "json", "--no-header",
                            "--ambiguous", model], drawn.stdout.decode())
        assert back.returncode == 0, (drawn.stdout.decode(), back.stderr)
        got = json.loads(back.stdout)
        if "-w" in args:
            squeeze = lambda text: re.sub(r"[ \n]", "", text)
            got = [[squeeze(cell) for cell in row] for row in got]
            rows = [[squeeze(cell) for cell in row] for row in rows]
        assert got == rows, (args, drawn.stdout.decode(), got, rows)


def check_other_formats(zentab):
    for args in (["--to", "csv"], ["--unframe"]):
        done = run(zentab, ["--layout", "records"] + args, "a|b\n1|2\n")
        assert done.returncode == 2 and b"--layout" in done.stderr, done
    done = run(zentab, ["--layout", "table", "--to", "csv"], "a|b\n1|2\n")
    assert done.stdout == b"a,b\n1,2\n", done


def main():
    zentab = sys.argv[1]
    check_shell(zentab)
    check_round_trips(zentab)
    check_other_formats(zentab)
    print("records layout: the shell's expanded content, round trips and refusals agree")


if __name__ == "__main__":
    main()
