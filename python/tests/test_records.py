"""Rows drawn as records by the package give the command's text, and read back."""

import random

import pytest

import zentab

WORDS = ["a", "x y", "ペン", "Ω", "e\u0301", "7.5", "[ 1 ]"]


def random_rows(rng):
    columns = rng.randint(1, 4)

    def cell(row):
        lines = [" ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 2)))
                 for _ in range(1 if row == 0 or columns == 1 else rng.randint(1, 2))]
        return "\n".join(lines)
    return [[cell(r) for _ in range(columns)] for r in range(rng.randint(1, 4))]


def as_csv(rows):
    def quoted(cell):
        return '"' + cell.replace('"', '""') + '"'
    return "".join(",".join(quoted(cell) for cell in row) + "\n" for row in rows)


@pytest.mark.parametrize("seed", range(24))
def test_records_equal_the_commands_and_read_back(command, seed):
    rng = random.Random(500 + seed)
    for _ in range(6):
        rows = random_rows(rng)
        text = as_csv(rows)
        layout = rng.choice(["records", "records", "auto"])
        options = dict(fmt="csv", layout=layout, frame=rng.randint(1, 6),
                       ambiguous=rng.choice(["narrow", "wide"]), rules=rng.choice(["all", "header"]),
                       padding=rng.randint(0, 1), position=rng.choice("ADHQ"))
        args = ["--from", "csv", "--layout", layout, "-f", str(options["frame"]),
                "-a", options["ambiguous"], "--rules", options["rules"],
                "--padding", str(options["padding"]), "-p", options["position"]]
        if layout == "auto" or rng.random() < 0.3:
            options["width"] = rng.randint(20, 50)
            args += ["-w", str(options["width"])]
        expected = command(text, args)
        if expected is None:
            with pytest.raises(zentab.RefusedError):
                zentab.frame(text, **options)
            continue
        assert zentab.frame(text, **options) == expected, args
        assert zentab.frame(rows, **{k: v for k, v in options.items() if k != "fmt"}) == expected
        assert zentab.convert(text, to="frame", **options) == expected, args
        if "width" not in options and "[ 1 ]" in expected.splitlines()[0]:
            assert zentab.unframe(expected, ambiguous=options["ambiguous"]) == rows, expected


def test_other_formats_write_the_table_and_a_bad_layout_raises():
    assert zentab.convert("a|b\n1|2\n", to="csv", layout="records") == "a,b\n1,2\n"
    with pytest.raises(ValueError, match="layout"):
        zentab.frame("a|b\n", layout="cards")
