"""Random tables framed and converted by the package give the command's text."""

import random

import pytest

import zentab

# ASCII, wide (CJK), East Asian ambiguous and combining characters.
ALPHABET = "abcXYZ019 .-_" + "ペン表漢字" + "○±ΩЖ§" + "e\u0301"


def random_cell(rng):
    text = "".join(rng.choice(ALPHABET) for _ in range(rng.randint(1, 6))).strip()
    return text or "x"


def random_rows(rng):
    columns = rng.randint(1, 5)
    return [[random_cell(rng) for _ in range(columns)] for _ in range(rng.randint(1, 6))]


def as_psv(rows):
    return "".join("|".join(row) + "\n" for row in rows)


CASES = [(seed, ambiguous, frame, position)
         for seed, (ambiguous, frame, position) in enumerate(
             [(a, f, p) for a in ("narrow", "wide") for f in (1, 3, 6) for p in ("A", "h", 17)])]


@pytest.mark.parametrize("seed,ambiguous,frame,position", CASES)
def test_frames_equal_the_commands(command, seed, ambiguous, frame, position):
    rng = random.Random(seed)
    for _ in range(10):
        rows = random_rows(rng)
        text = as_psv(rows)
        expected = command(text, ["-f", str(frame), "-p", str(position), "-a", ambiguous])
        assert expected is not None
        options = dict(frame=frame, position=position, ambiguous=ambiguous)
        assert zentab.frame(text, **options) == expected
        assert zentab.frame(rows, **options) == expected
        assert zentab.frame(expected, fmt="frame", **options) == expected
        assert zentab.unframe(expected, ambiguous=ambiguous) == rows


@pytest.mark.parametrize("to", [name for name in zentab.FORMATS if name != "aligned"])
def test_conversions_equal_the_commands(command, to):
    rng = random.Random(to)
    for _ in range(10):
        rows = random_rows(rng)
        text = as_psv(rows)
        expected = command(text, ["--to", to])
        if expected is None:
            with pytest.raises(zentab.RefusedError):
                zentab.convert(text, to=to)
            continue
        assert zentab.convert(text, to=to) == expected
        assert zentab.convert(rows, to=to) == expected
        csv = command(text, ["--to", "csv", "--crlf"])
        assert zentab.convert(csv, to=to, fmt="csv") == expected


def test_the_module_runs_as_the_command(command, tmp_path, capsysbinary):
    from zentab.__main__ import main

    source = tmp_path / "table.csv"
    source.write_text('a,"b c"\n1,ペン\n', encoding="utf-8")
    args = ["-f", "2", "-p", "C", "-a", "wide", "--from", "csv"]
    assert main(args + [str(source)]) == 0
    assert capsysbinary.readouterr().out.decode("utf-8") == command(source.read_text(), args)
    assert main(["--from", "csv", str(tmp_path / "missing.csv")]) == 1
