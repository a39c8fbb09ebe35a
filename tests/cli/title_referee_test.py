#!/usr/bin/env python3
"""Titles and footers through the command, judged by other readers.

Random tables with random titles go through `zentab --title T --to FORMAT`:
docutils reads the rst directive's title and pandoc the caption of html,
LaTeX, rst, Org and MediaWiki, and html's <tfoot>, and the title and cells
must come back as they were. Frames with titles and footers, in every style,
width model, rule choice and padding, read back with --from frame as the
table alone, and with --with-title give the title and footer again.

Usage: title_referee_test.py ZENTAB. Exits 77 when pandoc or docutils is
missing, which ctest reports as skipped.
"""

import json
import os
import random
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from markup_referee_test import (  # noqa: E402
    LATEX_UNREAD, STAND_INS, normal, pandoc_tables, plain_inlines)

SKIP = 77
ROUNDS = 60
# Markup characters each writer escapes in a cell, so in its caption too.
PIECES = ["a", "Bc", "12", "x y", "日本", "&", "<", ">", '"', "#", "%", "_", "*", "-",
          "(", ")", "!", "?", "+", "=", "表"]
WORDS = ["a", "Total", "漢字", "😀", "e\u0301t", "かな", "αβ", "x1"]
PANDOC_CAPTIONS = {"html": "html", "latex": "latex", "rst": "rst", "org": "org",
                   "mediawiki": "mediawiki"}


def run(zentab, args, text):
    done = subprocess.run([zentab, *args], input=text.encode(), capture_output=True)
    return done.returncode, done.stdout.decode(), done.stderr.decode()


def random_text(rng, pieces, most):
    return " ".join(rng.choice(pieces) for _ in range(rng.randint(1, most))).strip()


def random_table(rng, pieces):
    columns = rng.randint(2, 4)
    return [[random_text(rng, pieces, 2) for _ in range(columns)] for _ in range(rng.randint(1, 4))]


def csv_of(table):
    return "".join(",".join('"' + c.replace('"', '""') + '"' for c in row) + "\n" for row in table)


def psv_of(table):
    return "".join("|".join(row) + "\n" for row in table)


def pandoc_document(document, reader):
    # Text commands pandoc's LaTeX reader drops go to it as stand-ins.
    if reader == "latex":
        for command, stand_in in STAND_INS.items():
            document = document.replace(command, stand_in)
    done = subprocess.run(["pandoc", "-f", reader, "-t", "json"], input=document.encode(),
                          capture_output=True)
    if done.returncode != 0:
        raise AssertionError(f"pandoc -f {reader}: {done.stderr.decode()}")
    return [b for b in json.loads(done.stdout)["blocks"] if b["t"] == "Table"]


def blocks_text(blocks):
    back = str.maketrans({stand_in: LATEX_UNREAD[c] for c, stand_in in STAND_INS.items()})
    text = " ".join(plain_inlines(b["c"]) for b in blocks if b["t"] in ("Plain", "Para"))
    return text.translate(back)


def docutils_title(document):
    from docutils.core import publish_doctree
    from docutils import nodes

    tree = publish_doctree(document, settings_overrides={"report_level": 5, "halt_level": 5})
    titles = [t.astext() for table in tree.findall(nodes.table) for t in table.findall(nodes.title)]
    return titles[0] if titles else None


def caption_failures(zentab, rng):
    failures = []
    for _ in range(ROUNDS):
        table = random_table(rng, ["a", "Bc", "12", "日本"])
        title = random_text(rng, PIECES, 5)
        for fmt in ["rst", "rst-simple", *PANDOC_CAPTIONS]:
            code, out, err = run(zentab, ["--from", "csv", "--to", fmt, "--title", title],
                                 csv_of(table))
            if code != 0:
                if fmt in ("org", "rst-simple") and ("cannot" in err or "refused" in err):
                    continue  # what Org or rst cannot say exactly is refused, as in cells
                failures.append(f"{fmt} refused {title!r}: {err}")
                continue
            if fmt.startswith("rst"):
                got = docutils_title(out)
                if got is None or normal(got) != normal(title):
                    failures.append(f"docutils read {got!r} for {title!r}:\n{out}")
            if fmt in PANDOC_CAPTIONS:
                block = pandoc_document(out, PANDOC_CAPTIONS[fmt])[0]
                caption = blocks_text(block["c"][1][1])
                if normal(caption) != normal(title):
                    failures.append(f"pandoc -f {fmt} read {caption!r} for {title!r}:\n{out}")
                if pandoc_tables(out, PANDOC_CAPTIONS[fmt])[0] != table:
                    failures.append(f"pandoc -f {fmt}: cells differ under {title!r}:\n{out}")
        footer = random_text(rng, PIECES, 4)
        code, out, err = run(zentab, ["--from", "csv", "--to", "html", "--footer", footer],
                             csv_of(table))
        foot = pandoc_document(out, "html")[0]["c"][5][1]
        got = " ".join(blocks_text(cell[4]) for row in foot for cell in row[1])
        if normal(got) != normal(footer):
            failures.append(f"pandoc read the footer {got!r} for {footer!r}:\n{out}")
    return failures


def ink(text):
    return "".join(text.split())


def frame_failures(zentab, rng):
    failures = []
    for _ in range(ROUNDS * 3):
        table = random_table(rng, WORDS)
        title = random_text(rng, WORDS, 10) if rng.random() < 0.8 else ""
        footer = random_text(rng, WORDS, 5) if not title or rng.random() < 0.5 else ""
        model = rng.choice(["narrow", "wide"])
        args = ["-f", str(rng.randint(1, 6)), "--ambiguous", model,
                "--rules", rng.choice(["all", "header", "none"]),
                "--padding", str(rng.randint(0, 2)), "--title-align", rng.choice("lcr")]
        args += ["--title", title] if title else []
        args += ["--footer", footer] if footer else []
        code, frame, err = run(zentab, args, psv_of(table))
        if code != 0:
            failures.append(f"{args} refused: {err}")
            continue
        _, back, err = run(zentab, ["--unframe", "--ambiguous", model], frame)
        if back != psv_of(table):
            failures.append(f"read back {back!r}{err} from\n{frame}")
        _, read, err = run(zentab, ["--from", "frame", "--to", "json", "--with-title",
                                    "--no-header", "--ambiguous", model], frame)
        got = json.loads(read) if read else {}
        if got.get("rows") != table or ink(got.get("title", "")) != ink(title) or \
                ink(got.get("footer", "")) != ink(footer):
            failures.append(f"--with-title read {read!r}{err} from\n{frame}")
    return failures


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    if shutil.which("pandoc") is None:
        print("pandoc is not installed")
        return SKIP
    try:
        import docutils  # noqa: F401
    except ImportError:
        print("docutils is not installed")
        return SKIP
    rng = random.Random(33)
    failures = frame_failures(sys.argv[1], rng) + caption_failures(sys.argv[1], rng)
    for failure in failures[:10]:
        print(failure)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
