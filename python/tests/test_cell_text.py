"""Numbers formatted and empty cells filled by the package, as the command does."""

import csv
import io
import random

import pytest

import zentab

NUMBERS = ["1234.5", "-0.004", "2.5", "0.125", "+1,234,567.891", "007", ".5", "1,2,3", "1e3",
           "x", "", "", "999.995", "12"]
STYLES = ["-", "g", ".0", ".2", "g.2", "g.0", ".3"]
GROUPS = [",", "'", ".", " ", "\u2009"]


def random_rows(rng):
    width = rng.randint(1, 4)
    rows = [[f"h{i}" for i in range(width)]]
    rows += [[rng.choice(NUMBERS) for _ in range(width)] for _ in range(rng.randint(1, 6))]
    return rows


def as_csv(rows):
    out = io.StringIO()
    csv.writer(out, lineterminator="\n").writerows(rows)
    return out.getvalue()


@pytest.mark.parametrize("seed", range(30))
def test_formatted_cells_equal_the_commands(command, seed):
    rng = random.Random(3500 + seed)
    for _ in range(8):
        rows = random_rows(rng)
        text = as_csv(rows)
        styles = [rng.choice(STYLES) for _ in range(rng.randint(1, len(rows[0])))]
        options = dict(number=",".join(styles) if rng.random() < 0.5 else styles,
                       group_char=rng.choice(GROUPS))
        args = ["--number", ",".join(styles), "--group-char", options["group_char"]]
        if rng.random() < 0.6:
            options["missing"] = rng.choice(["-", "n/a", "\u2014"])
            args += ["--missing", options["missing"]]
        if rng.random() < 0.3:
            options["sort"] = "1:n"
            args += ["--sort", "1:n"]
        if rng.random() < 0.2:
            options["transpose"] = True
            args.append("--transpose")
        to = rng.choice(["frame", "csv", "json", "markdown"])
        expected = command(text, ["--from", "csv", "--to", to] + args)
        if expected is None:  # turned, a header of equal texts that JSON cannot key by
            with pytest.raises(zentab.RefusedError):
                zentab.convert(text, to=to, fmt="csv", **options)
            continue
        assert zentab.convert(text, to=to, fmt="csv", **options) == expected, args
        python_rows = [rows[0]] + [[None if cell == "" else cell for cell in row]
                                   for row in rows[1:]]
        assert zentab.convert(python_rows, to=to, **options) == expected, args
        if to == "frame":
            assert zentab.frame(text, fmt="csv", **options) == expected, args


def test_python_numbers_are_formatted_as_their_text():
    assert zentab.convert([["n", "m"], [1234.5, None], [-2, 3]], to="csv", number="g.1,.2",
                          missing="-") == 'n,m\n"1,234.5",-\n-2.0,3.00\n'


@pytest.mark.parametrize("options", [dict(number="g,"), dict(number=".21"), dict(number=[1]),
                                     dict(group_char="5"), dict(group_char="ab"),
                                     dict(group_char=""), dict(missing="a\nb")])
def test_values_that_cannot_be_read_raise_value_error(options):
    with pytest.raises(ValueError):
        zentab.frame("a|b\n1|2\n", **options)
