#!/usr/bin/env python3
"""python3 -m zentab and the npm package's zentab bin, against the command.

Random argument lists (options the command takes and ones it refuses, values
good and bad, attached or not, formats, files that exist and ones that do
not, now and then ZENTAB_AMBIGUOUS and COLUMNS) on random small tables: each
face must give the command's exit status, standard output and standard error,
byte for byte. zentab fmt and lsp are the command's alone and not drawn; the
npm package's module holds only psv, csv, tsv, markdown and frame, and may
refuse the others as a bad option, in the command's words, where they are
named.

Usage: faces_parity_test.py ZENTAB [--python-lib DIR] [--npm-bin CLI.CJS]
[--seed N]. Exits 77 when neither face is given or found.
"""

import argparse
import os
import random
import subprocess
import sys
import tempfile

CASES = 300

FORMATS = ["psv", "csv", "tsv", "markdown", "frame", "json", "jsonl", "aligned", "html",
           "latex", "rst", "rst-simple", "org", "asciidoc", "mediawiki", "jira", "Markdown",
           "PSV", "xml", "", "rst_grid"]
# (option, values to draw from); None for a flag.
OPTIONS = [
    ("-f", ["1", "2", "6", "7", "0", "9", "x", "06", ""]),
    ("--frame", ["3", "5", "-1"]),
    ("-p", ["A", "q", "r", "17", "18", "0", "C", "aa"]),
    ("--position", ["B", "12"]),
    ("-a", ["narrow", "wide", "auto", "WIDE", "half"]),
    ("--ambiguous", ["wide", ""]),
    ("-e", ["utf-8", "UTF8", "cp932", "sjis", "latin1"]),
    ("--from", FORMATS),
    ("--to", FORMATS),
    ("--unframe", None),
    ("--crlf", None),
    ("--raw", None),
    ("--json-nested", ["error", "text", "TEXT", "keep"]),
    ("--no-header", None),
    ("-w", ["20", "auto", "0", "5", "x", "1000001"]),
    ("--width", ["12", "AUTO"]),
    ("--cell-width", ["3", "-,4", "3,,4", "0", "-"]),
    ("--overflow", ["wrap", "truncate", "TRUNCATE", "cut"]),
    ("--align", ["l", "LRD", "c.d", "x", ""]),
    ("--padding", ["0", "1", "1001", "007", "-1"]),
    ("--rules", ["all", "header", "none", "Header", "some"]),
    ("--layout", ["table", "records", "auto", "rows"]),
    ("--table", ["1", "2", "0", "x"]),
    ("-c", ["1", "2,1", "B", "9", "2-1", ""]),
    ("--columns", ["1-2"]),
    ("--hide", ["1", "A", ",,"]),
    ("--sort", ["1", "2:n", "1:r", "1:n:n", "B:x"]),
    ("--head", ["0", "1", "-1", "x"]),
    ("--tail", ["1", "01"]),
    ("--transpose", None),
    ("--number", ["g", ".2", "g.1,-", ".21", "x"]),
    ("--group-char", [",", "'", ".", "", "1", "ab"]),
    ("--missing", ["-", "n/a", "\t"]),
    ("--title", ["Sales", "", "A title\\nover two lines"]),
    ("--footer", ["total"]),
    ("--title-align", ["l", "c", "r", "Left", "centre", "middle"]),
    ("--with-title", None),
    ("-h", None),
    ("--help", None),
    ("--version", None),
]
STRAYS = ["--bogus", "-z", "--", "-", "--frame", "-f", "--crlf=1", "--help=x", "--fro", "x", "-"]
WORDS = ["a", "b c", "日本", "é", "7.5", "1,200", "", "x|y", '"q"', "─┼─", "-3", "  pad "]


def random_table(rng):
    columns = rng.randint(1, 4)
    rows = [[rng.choice(WORDS) for _ in range(columns)] for _ in range(rng.randint(1, 4))]
    if rng.random() < 0.1:
        rows[-1] = rows[-1][:-1] or ["z"]  # ragged
    style = rng.random()
    if style < 0.5:
        return "\n".join("|".join(row) for row in rows) + rng.choice(["\n", "", "\r\n"])
    if style < 0.7:
        return "\n".join(",".join(row) for row in rows) + "\n"
    if style < 0.8:
        return "| " + " | ".join(rows[0]) + " |\n|" + "---|" * columns + "\n" + "".join(
            "| " + " | ".join(row) + " |\n" for row in rows[1:])
    if style < 0.9:
        return "[" + ",".join("[" + ",".join('"%s"' % c.replace('"', "") for c in row) + "]"
                              for row in rows) + "]\n"
    return "+---+\n| a |\n+---+\n"


def one_option(rng, files):
    name, values = rng.choice(OPTIONS)
    if values is None:
        return [name]
    value = rng.choice(values)
    form = rng.random()
    if form < 0.2 and name.startswith("--"):
        return [f"{name}={value}"]
    if form < 0.3 and not name.startswith("--") and value:
        return [name + value]
    return [name, value]


def random_args(rng, files):
    args = []
    for _ in range(rng.randint(0, 5)):
        pick = rng.random()
        if pick < 0.8:
            args += one_option(rng, files)
        elif pick < 0.9:
            args.append(rng.choice(STRAYS))
        else:
            args.append(rng.choice(files))
    if args and args[0] in ("fmt", "lsp"):
        args.insert(0, "-f1")
    return args


def random_env(rng):
    env = {key: value for key, value in os.environ.items()
           if key not in ("ZENTAB_AMBIGUOUS", "COLUMNS")}
    if rng.random() < 0.2:
        env["ZENTAB_AMBIGUOUS"] = rng.choice(["narrow", "wide", "auto", "", "tall"])
    if rng.random() < 0.3:
        env["COLUMNS"] = rng.choice(["24", "", "wide", "0024", "8"])
    return env


PACKAGE_FORMATS = {"psv", "csv", "tsv", "markdown", "frame"}


def names_outside_package(args):
    """Whether a format the package's module lacks is asked for."""
    for at, arg in enumerate(args):
        for option in ("--from", "--to"):
            if arg == option and at + 1 < len(args):
                value = args[at + 1]
            elif arg.startswith(option + "="):
                value = arg[len(option) + 1:]
            else:
                continue
            if value.lower() not in PACKAGE_FORMATS:
                return True
    return False


def refused_outside_package(got):
    status, out, err = got
    return (status == 2 and out == b"" and b"is the zentab command's; this package's zentab reads "
            b"and writes psv, csv, tsv, markdown, frame\nTry 'zentab --help'" in err)


def run(command, args, text, env):
    done = subprocess.run(command + args, input=text.encode("utf-8"), capture_output=True,
                          env=env, timeout=60)
    return done.returncode, done.stdout, done.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("zentab")
    parser.add_argument("--python-lib")
    parser.add_argument("--npm-bin")
    parser.add_argument("--seed", type=int, default=20261209)
    given = parser.parse_args()
    faces = {}
    if given.python_lib and os.path.isdir(os.path.join(given.python_lib, "zentab")):
        faces["python3 -m zentab"] = ([sys.executable, "-m", "zentab"], given.python_lib)
    if given.npm_bin and os.path.isfile(given.npm_bin):
        faces["npm zentab"] = (["node", given.npm_bin], None)
    if not faces:
        print("faces_parity: neither python3 -m zentab nor the npm bin was found; skipped")
        return 77
    rng = random.Random(given.seed)
    failures = 0
    outside = 0  # formats the npm module lacks, refused by it
    with tempfile.TemporaryDirectory() as folder:
        table = os.path.join(folder, "table.txt")
        with open(table, "w", encoding="utf-8") as out:
            out.write("a|b\n1|2\n")
        files = [table, os.path.join(folder, "missing.csv"), folder]
        for case in range(CASES):
            args = random_args(rng, files)
            text = random_table(rng)
            env = random_env(rng)
            expected = run([given.zentab], args, text, env)
            for name, (command, lib) in faces.items():
                face_env = dict(env, PYTHONPATH=lib) if lib else env
                got = run(command, args, text, face_env)
                if (name.startswith("npm") and names_outside_package(args)
                        and refused_outside_package(got)):
                    outside += 1
                    continue
                if got != expected:
                    failures += 1
                    print(f"case {case}: {name} {args!r} on {text!r}\n  command: {expected!r}\n"
                          f"  {name}: {got!r}")
    print(f"faces_parity: {CASES} argument lists, {len(faces)} faces, {failures} differences, "
          f"{outside} refused by the npm module for want of the format")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
