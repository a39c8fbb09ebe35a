#!/usr/bin/env python3
"""Document markup written by zentab, read back by other readers.

Random tables of ASCII and Japanese text and markup characters go through
`zentab --from csv --to FORMAT`; pandoc reads html, latex, rst, rst-simple,
org and mediawiki back, docutils reads both rst forms, and every cell must
come back as it was; pandoc reads jira tables of text and entities back. Runs of blanks are compared as one space, since every one of
these formats renders them so. Cells of inline markup the reader interprets
(emphasis, code, links) come back as a marker that matches no cell.

Usage: markup_referee_test.py ZENTAB. Exits 77 when pandoc or docutils is
missing, which ctest reports as skipped.
"""

import json
import random
import re
import shutil
import subprocess
import sys

SKIP = 77
TABLES = 150
PIECES = [
    "a", "Bc", "12", "3.5", "x y", "日本", "表", "ｶﾅ", "&", "<", ">", '"', "'",
    "#", "$", "%", "_", "^", "~", "\\", "{", "}", "[", "]", "*", "|", "`", "-",
    "--", ":", "::", "/", "+", "=", "@", "(", ")", "!", "?", "1.", "A)", " ",
    "&amp;", "\\\\", "**", "http://x.y", "a_b", "..", "•", "||", "!!", ",", ",,",
]
PANDOC_FORMATS = {
    "html": "html",
    "latex": "latex",
    "rst": "rst",
    "rst-simple": "rst",
    "org": "org",
    "mediawiki": "mediawiki",
}
DOCUTILS_FORMATS = ["rst", "rst-simple"]
# pandoc's jira reader takes other escapes than the wiki does; '&' and the
# entities it starts are what both read alike.
JIRA_PIECES = ["a", "x y", "日本", "1", ";", "&", "&amp;", "&lt;", "&#38;", "&&"]
# Text commands pandoc's LaTeX reader drops: they go to pandoc as private-use
# characters and come back as what they print.
LATEX_UNREAD = {
    "\\textbar{}": "|",
    "\\textquotesingle{}": "'",
    "\\textasciigrave{}": "`",
    "\\textquotedbl{}": '"',
}
STAND_INS = {command: chr(0xE000 + n) for n, command in enumerate(LATEX_UNREAD)}
# Formats that refuse some cells rather than write them inexactly.
MAY_REFUSE = {"org", "rst-simple"}


def normal(text):
    return re.sub(r"\s+", " ", text).strip()


def random_cell(rng):
    text = "".join(rng.choice(PIECES) for _ in range(rng.randint(0, 4)))
    return text.strip(" ")


def random_table(rng):
    columns = rng.randint(1, 4)
    rows = rng.randint(1, 4)
    table = [[random_cell(rng) for _ in range(columns)] for _ in range(rows)]
    table[0][0] = table[0][0] or "h"
    return table


def csv_of(table):
    return "".join(
        ",".join('"' + cell.replace('"', '""') + '"' for cell in row) + "\n" for row in table
    )


def write(zentab, table, fmt, position):
    done = subprocess.run(
        [zentab, "--from", "csv", "--to", fmt, "-p", position],
        input=csv_of(table).encode(),
        capture_output=True,
    )
    if done.returncode == 1 and fmt in MAY_REFUSE:
        return None
    if done.returncode != 0:
        raise AssertionError(f"{fmt} refused {table!r}: {done.stderr.decode()}")
    return done.stdout.decode()


def plain_inlines(inlines):
    text = ""
    for inline in inlines:
        kind = inline["t"]
        if kind == "Str":
            text += inline["c"]
        elif kind in ("Space", "SoftBreak"):
            text += " "
        elif kind == "Span" and inline["c"][0] == ["", [], []]:
            text += plain_inlines(inline["c"][1])  # a LaTeX group, as {[}
        else:
            text += f"<{kind}>"
    return text


def pandoc_cell(cell):
    blocks = cell[4]
    if not blocks:
        return ""
    if len(blocks) != 1 or blocks[0]["t"] not in ("Plain", "Para"):
        return "<" + ",".join(block["t"] for block in blocks) + ">"
    return plain_inlines(blocks[0]["c"])


def pandoc_rows(table_block):
    _, _, _, head, bodies, _ = table_block["c"]
    # A table without a header comes with one row of empty cells.
    rows = [row for row in head[1] if any(cell[4] for cell in row[1])]
    for body in bodies:
        rows += body[2] + body[3]
    return [[pandoc_cell(cell) for cell in row[1]] for row in rows]


def pandoc_tables(document, reader):
    if reader == "latex":
        for command, stand_in in STAND_INS.items():
            document = document.replace(command, stand_in)
    done = subprocess.run(
        ["pandoc", "-f", reader, "-t", "json"], input=document.encode(), capture_output=True
    )
    if done.returncode != 0:
        raise AssertionError(f"pandoc -f {reader}: {done.stderr.decode()}")
    blocks = json.loads(done.stdout)["blocks"]
    back = str.maketrans({stand_in: LATEX_UNREAD[c] for c, stand_in in STAND_INS.items()})
    return [
        [[cell.translate(back) for cell in row] for row in pandoc_rows(block)]
        for block in blocks
        if block["t"] == "Table"
    ]


def docutils_tables(document):
    from docutils.core import publish_doctree
    from docutils import nodes

    tree = publish_doctree(
        document, settings_overrides={"report_level": 5, "halt_level": 5}
    )
    tables = []
    for table in tree.findall(nodes.table):
        rows = []
        for row in table.findall(nodes.row):
            cells = []
            for entry in row.findall(nodes.entry):
                marked = [n for n in entry.findall() if not isinstance(
                    n, (nodes.entry, nodes.paragraph, nodes.Text))]
                cells.append(entry.astext() if not marked else f"<{marked[0].tagname}>")
            rows.append(cells)
        tables.append(rows)
    return tables


def pandoc_rst_match(expected, got):
    # pandoc reads a cell ending in escaped colons, as "..\\:\\:", as ending in
    # one colon; docutils reads it as written.
    return got == expected or (expected.endswith("::") and got == expected[:-1])


def compare(fmt, reader, tables, written, read):
    same = pandoc_rst_match if reader == "rst" else (lambda expected, got: expected == got)
    if len(read) != len(tables):
        return [f"{fmt} via {reader}: {len(tables)} tables written, {len(read)} read"]
    failures = []
    for table, text, got in zip(tables, written, read):
        expected = [[normal(cell) for cell in row] for row in table]
        got = [[normal(cell) for cell in row] for row in got]
        cells_agree = len(got) == len(expected) and all(
            len(g) == len(e) and all(same(ec, gc) for ec, gc in zip(e, g))
            for e, g in zip(expected, got)
        )
        if not cells_agree:
            failures.append(f"{fmt} via {reader}:\n{text}wrote {expected}\nread  {got}")
    return failures


def jira_failures(zentab, rng):
    tables = []
    for _ in range(TABLES):
        columns, rows = rng.randint(1, 3), rng.randint(1, 3)
        tables.append([
            ["".join(rng.choice(JIRA_PIECES) for _ in range(rng.randint(1, 3)))
             for _ in range(columns)]
            for _ in range(rows)
        ])
    written = [write(zentab, table, "jira", "A") for table in tables]
    read = pandoc_tables("\n\nbetween\n\n".join(written), "jira")
    print(f"jira: {len(tables)} tables written and read back")
    return compare("jira", "jira", tables, written, read)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    zentab = sys.argv[1]
    if shutil.which("pandoc") is None:
        print("pandoc is not installed")
        return SKIP
    try:
        import docutils  # noqa: F401
    except ImportError:
        print("docutils is not installed")
        return SKIP
    rng = random.Random(20261208)
    tables = [random_table(rng) for _ in range(TABLES)]
    failures = []
    for fmt, reader in PANDOC_FORMATS.items():
        held, written = [], []
        for n, table in enumerate(tables):
            # Alignment attributes and column letters must not disturb reading.
            text = write(zentab, table, fmt, "ABCDEFGHIJKLMNOPQ"[n % 17])
            if text is not None:
                held.append(table)
                written.append(text)
        # A paragraph between tables keeps each one whole in every reader, but
        # pandoc reads on past a simple table of one row, which has no header,
        # to the next border: such a table is read alone.
        alone = [fmt == "rst-simple" and len(table) == 1 for table in held]
        document = "\n\nbetween\n\n".join(t for t, a in zip(written, alone) if not a)
        read = iter(pandoc_tables(document, reader))
        read = [pandoc_tables(t, reader)[0] if a else next(read, []) for t, a in zip(written, alone)]
        # pandoc continues the row above at any empty cell of a simple
        # table, docutils only at an empty first one: pandoc is asked only
        # about tables without empty cells.
        asked = [not (fmt == "rst-simple" and any("" in row for row in t)) for t in held]
        failures += compare(fmt, reader, *(
            [x for x, a in zip(column, asked) if a] for column in (held, written, read)))
        document = "\n\nbetween\n\n".join(written)
        if fmt in DOCUTILS_FORMATS:
            failures += compare(fmt, "docutils", held, written, docutils_tables(document))
        print(f"{fmt}: {len(held)} of {len(tables)} tables written and read back")
    failures += jira_failures(zentab, rng)
    for failure in failures[:20]:
        print(failure)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
