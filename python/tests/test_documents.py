"""Documents formatted by the package give what `zentab fmt` prints, and say
of each table left as it is what the command says."""

import random
import re

import pytest

import zentab

# ASCII, wide (CJK), ambiguous (narrow or wide), emoji and combining marks.
WORDS = ["a", "pen", "12.5", "x y", "漢字", "ペン", "表", "±", "Ω○", "😀", "👩\u200d👩\u200d👧",
         "🇯🇵", "e\u0301", "`|`", "\\|", "**b**"]


def random_cell(rng):
    return " ".join(rng.choice(WORDS) for _ in range(rng.randint(0, 3)))


def random_row(rng, cells, blanks):
    pad = lambda: " " * rng.randint(0, blanks)
    inner = "|".join(pad() + random_cell(rng) + pad() for _ in range(cells))
    return inner if rng.random() < 0.2 else f"|{inner}|"


def random_table(rng, prefix):
    columns = rng.randint(1, 4)
    rule = "|".join(rng.choice(["-", "---", ":--", "--:", ":-:", " --- "]) for _ in range(columns))
    rows = [random_row(rng, columns, 2), f"|{rule}|"]
    for _ in range(rng.randint(0, 4)):
        # Now and then a cell past the header's, which leaves the table as it is.
        rows.append(random_row(rng, columns + (rng.random() < 0.08), 3))
    return "".join(prefix + row + "\n" for row in rows)


def random_document(rng):
    parts = []
    for _ in range(rng.randint(1, 5)):
        choice = rng.random()
        if choice < 0.5:
            parts.append(random_table(rng, rng.choice(["", "", "> ", "- "])))
        elif choice < 0.6:
            parts.append("```\n" + random_table(rng, "") + "```\n")
        else:
            parts.append(rng.choice(["# Notes 表\n", "Some text | with a bar.\n", "- item\n"]))
    return "\n".join(parts)


def command_args(kind, ambiguous, padding):
    return ["--in", kind, "-a", ambiguous] + ([] if padding is None else ["--padding", str(padding)])


def said_by_command(lines):
    """The command's "<stdin>:L:C: table left as it is: WORDS" as the package's tuples, less the kind."""
    left = []
    for line in lines:
        found = re.fullmatch(r"<stdin>:(\d+):(\d+): table left as it is: (.*)", line)
        assert found, line
        row, column = int(found[1]), int(found[2])
        left.append((row, column, f"line {row}, column {column}: {found[3]}"))
    return left


@pytest.mark.parametrize("ambiguous", ["narrow", "wide"])
@pytest.mark.parametrize("padding", [None, 0, 2])
def test_markdown_documents_as_the_command_formats_them(fmt_command, ambiguous, padding):
    rng = random.Random(f"{ambiguous}{padding}")
    seen = {"changed": 0, "left": 0}
    for _ in range(30):
        text = random_document(rng)
        status, expected, said = fmt_command(text, command_args("markdown", ambiguous, padding))
        warnings = []
        got = zentab.format_document(text, "markdown", ambiguous=ambiguous, padding=padding,
                                     warnings=warnings)
        assert got == expected, text
        assert [warning[:3] for warning in warnings] == said_by_command(said), text
        assert status == (1 if warnings else 0)
        assert zentab.format_document(got, ambiguous=ambiguous, padding=padding) == got
        seen["changed"] += got != text
        seen["left"] += bool(warnings)
    assert seen["changed"] > 10 and seen["left"] > 0, seen


@pytest.mark.parametrize("kind", ["org", "rst", "text"])
def test_other_kinds_as_the_command_formats_them(fmt_command, kind):
    text = "| a | b |\n|---+---|\n| 漢字 | 1 |\n\n+--+--+\n|x |y |\n+--+--+\n"
    for ambiguous in ("narrow", "wide"):
        warnings = []
        got = zentab.format_document(text, kind, ambiguous=ambiguous, warnings=warnings)
        status, expected, said = fmt_command(text, command_args(kind, ambiguous, None))
        assert (got, [warning[:3] for warning in warnings]) == (expected, said_by_command(said))


def test_tables_line_up_in_display_columns():
    text = "Before.\n\n|a|b|\n|---|---|\n|漢字|1|\n\nAfter.\n"
    assert zentab.format_document(text) == (
        "Before.\n\n| a    | b   |\n| ---- | --- |\n| 漢字 | 1   |\n\nAfter.\n")
    assert zentab.format_document(text, padding=0) == (
        "Before.\n\n|a   |b  |\n|----|---|\n|漢字|1  |\n\nAfter.\n")
    # ± takes two columns where ambiguous characters are wide.
    ambiguous = "| ± | b |\n|---|---|\n| x | y |\n"
    assert zentab.format_document(ambiguous, ambiguous="wide") == (
        "| ±  | b   |\n| --- | --- |\n| x   | y   |\n")
    assert zentab.format_document(ambiguous) == "| ±   | b   |\n| --- | --- |\n| x   | y   |\n"


def test_a_table_left_as_it_is_is_a_warning_with_its_place_and_kind():
    text = "| a | b |\n|---|---|\n| 1 | 2 | 3 |\n"
    warnings = []
    assert zentab.format_document(text, warnings=warnings) == text
    assert [(line, column, kind) for line, column, _, kind in warnings] == [
        (3, 11, "cells_past_header")]
    assert warnings[0][2].startswith("line 3, column 11: this row has 3 cells")
    # No list, no warnings: the text all the same.
    assert zentab.format_document(text) == text


@pytest.mark.parametrize("text,kind,line,column", [
    (b"| a |\n|---|\n| \xff |\n", "invalid_utf8", 3, 3),
    ("x" * (64 << 20) + "\n", "input_too_large", 0, 0),
])
def test_a_document_refused_as_a_whole_raises(text, kind, line, column):
    with pytest.raises(zentab.RefusedError) as refused:
        zentab.format_document(text)
    assert (refused.value.kind, refused.value.line, refused.value.column) == (kind, line, column)


@pytest.mark.parametrize("keywords", [
    dict(kind="html"),
    dict(kind="Markdown "),
    dict(kind=0),
    dict(ambiguous="half"),
    dict(padding=-1),
    dict(padding=1001),
    dict(padding=True),
    dict(padding="1"),
], ids=repr)
def test_bad_options_are_value_errors(keywords):
    with pytest.raises(ValueError) as refused:
        zentab.format_document("| a |\n|---|\n", **keywords)
    assert not isinstance(refused.value, zentab.RefusedError)
