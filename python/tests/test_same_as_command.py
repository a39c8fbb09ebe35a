"""Random tables framed and converted by the package give the command's text."""

import json
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


def random_columns(rng, header):
    items = [str(rng.randint(1, len(header) + 1)) for _ in range(rng.randint(1, 3))]
    if rng.random() < 0.4:
        items.append(rng.choice(header))
    return items


SHAPE_SEEDS = range(40)


@pytest.mark.parametrize("seed", SHAPE_SEEDS)
def test_chosen_and_sorted_rows_equal_the_commands(command, seed):
    rng = random.Random(1000 + seed)
    for _ in range(8):
        rows = random_rows(rng)
        rows[0] = [f"h{i}" for i in range(len(rows[0]))]
        for row in rows[1:]:
            if rng.random() < 0.5:
                row[0] = rng.choice(["-1", "2", "1,000", "3.5", "x", "10"])
        text = as_psv(rows)
        options, args = {}, []
        if rng.random() < 0.5:
            options["columns"] = random_columns(rng, rows[0])
            args += ["-c", ",".join(options["columns"])]
        if rng.random() < 0.2:
            options["hide"] = str(rng.randint(1, len(rows[0])))
            args += ["--hide", options["hide"]]
        if rng.random() < 0.7:
            options["sort"] = f"{rng.randint(1, len(rows[0]))}{rng.choice(['', ':n', ':r', ':n:r'])}"
            args += ["--sort", options["sort"]]
        for name in ("head", "tail"):
            if rng.random() < 0.3:
                options[name] = rng.randint(0, 4)
                args += [f"--{name}", str(options[name])]
        if rng.random() < 0.2:
            options["transpose"] = True
            args.append("--transpose")
        to = rng.choice(["frame", "csv", "markdown"])
        expected = command(text, ["--to", to] + args)
        if expected is None:
            with pytest.raises((zentab.RefusedError, ValueError)):
                zentab.convert(text, to=to, **options)
            continue
        assert zentab.convert(text, to=to, **options) == expected, args
        assert zentab.convert(rows, to=to, **options) == expected, args
        if to == "frame":
            assert zentab.frame(text, **options) == expected, args


@pytest.mark.parametrize("options,kind", [
    (dict(columns="9"), "no_such_column"),
    (dict(sort="Price"), "no_such_column"),
    (dict(hide=[1, "nope"]), "no_such_column"),
])
def test_a_column_the_table_lacks_is_refused_by_name(options, kind):
    with pytest.raises(zentab.RefusedError) as refused:
        zentab.frame("Name|Qty\na|1\n", **options)
    assert refused.value.kind == kind


@pytest.mark.parametrize("options", [dict(columns="3-1"), dict(sort="1:n:n"), dict(head=-1),
                                     dict(columns=[True]), dict(tail="2")])
def test_lists_and_counts_that_cannot_be_read_raise_value_error(options):
    with pytest.raises(ValueError) as raised:
        zentab.frame("a|b\n", **options)
    assert not isinstance(raised.value, zentab.RefusedError)


TITLE_WORDS = ["a", "Total", "漢字", "😀", "x y", "かな", "e\u0301"]
TITLE_SEEDS = range(20)


@pytest.mark.parametrize("seed", TITLE_SEEDS)
def test_titles_and_footers_equal_the_commands(command, seed):
    rng = random.Random(3300 + seed)
    for _ in range(6):
        rows = random_rows(rng)
        text = as_psv(rows)
        options, args = {}, []
        if rng.random() < 0.8:
            options["title"] = " ".join(rng.choice(TITLE_WORDS) for _ in range(rng.randint(1, 9)))
            args += ["--title", options["title"]]
        if rng.random() < 0.5:
            options["footer"] = " ".join(rng.choice(TITLE_WORDS) for _ in range(rng.randint(1, 4)))
            args += ["--footer", options["footer"]]
        if rng.random() < 0.5:
            options["title_align"] = rng.choice("lcr")
            args += ["--title-align", options["title_align"]]
        to = rng.choice(["frame", "frame", "html", "rst", "csv"])
        expected = command(text, ["--to", to] + args)
        if expected is None:
            with pytest.raises(zentab.RefusedError):
                zentab.convert(text, to=to, **options)
            continue
        assert zentab.convert(text, to=to, **options) == expected, args
        assert zentab.convert(rows, to=to, **options) == expected, args
        if to == "frame":
            assert zentab.frame(text, **options) == expected, args
            read = json.loads(zentab.convert(expected, fmt="frame", to="json", header=False,
                                             with_title=True))
            assert read == json.loads(command(expected, ["--from", "frame", "--to", "json",
                                                         "--no-header", "--with-title"]))


def test_a_title_where_the_format_has_no_caption_is_refused():
    with pytest.raises(zentab.RefusedError) as refused:
        zentab.convert("a|b\n", to="csv", title="T")
    assert refused.value.kind == "no_caption"
    with pytest.raises(ValueError):
        zentab.frame("a|b\n", title_align="middle")
