"""The layout keywords: the same frames as the command's options of the same
names, from text and from rows, and bad values refused before any framing."""

import random

import pytest

import zentab

ALPHABET = "abc XYZ 019 .-,_" + "ペン表漢字、。" + "○±Ω§" + "e\u0301"


def random_rows(rng):
    columns = rng.randint(1, 4)

    def cell():
        text = "".join(rng.choice(ALPHABET) for _ in range(rng.randint(1, 24))).strip()
        return text or "x"

    return [[cell() for _ in range(columns)] for _ in range(rng.randint(1, 5))]


def random_layout(rng):
    """Keywords for zentab.frame and the command's arguments that say the same."""
    keywords, args = {}, []
    if rng.random() < 0.7:
        keywords["width"] = rng.randint(4, 70)
        args += ["-w", str(keywords["width"])]
    if rng.random() < 0.4:
        widths = [rng.choice([None, rng.randint(1, 12)]) for _ in range(rng.randint(1, 4))]
        keywords["cell_width"] = widths
        args += ["--cell-width", ",".join("-" if w is None else str(w) for w in widths)]
    if rng.random() < 0.5:
        keywords["overflow"] = "truncate"
        args += ["--overflow", "truncate"]
    if rng.random() < 0.5:
        keywords["align"] = "".join(rng.choice("lrcd.") for _ in range(rng.randint(1, 5)))
        args += ["--align", keywords["align"]]
    if rng.random() < 0.5:
        keywords["padding"] = rng.randint(0, 2)
        args += ["--padding", str(keywords["padding"])]
    if rng.random() < 0.5:
        keywords["rules"] = rng.choice(["all", "header", "none"])
        args += ["--rules", keywords["rules"]]
    return keywords, args


@pytest.mark.parametrize("ambiguous", ["narrow", "wide"])
@pytest.mark.parametrize("frame", [1, 2, 6])
def test_layouts_give_the_commands_frames(command, ambiguous, frame):
    rng = random.Random(f"{ambiguous}{frame}")
    for _ in range(25):
        rows = random_rows(rng)
        text = "".join("|".join(row) + "\n" for row in rows)
        keywords, args = random_layout(rng)
        options = dict(frame=frame, ambiguous=ambiguous, **keywords)
        expected = command(text, ["-f", str(frame), "-a", ambiguous, *args])
        if expected is None:
            with pytest.raises(zentab.RefusedError):
                zentab.frame(text, **options)
            continue
        assert zentab.frame(text, **options) == expected, args
        assert zentab.frame(rows, **options) == expected, args
        csv = zentab.convert(rows, to="csv")
        assert zentab.convert(csv, to="frame", fmt="csv", **options) == expected, args


def test_one_cell_width_is_a_list_of_one(command):
    text = "Note|n\nA long note about nothing much|1\n"
    assert zentab.frame(text, cell_width=8) == zentab.frame(text, cell_width=[8])
    assert zentab.frame(text, cell_width=8) == command(text, ["--cell-width", "8"])


def test_width_auto_is_columns_where_output_is_no_terminal(command, monkeypatch):
    # pytest captures standard output, so it is not a terminal here.
    text = "a|" + "word " * 30 + "\n"
    monkeypatch.setenv("COLUMNS", "37")
    assert zentab.frame(text, width="auto") == zentab.frame(text, width=37)
    monkeypatch.delenv("COLUMNS")
    assert zentab.frame(text, width="auto") == zentab.frame(text)


def test_the_module_takes_the_layout_options(command, tmp_path, capsysbinary):
    from zentab.__main__ import main

    source = tmp_path / "notes.csv"
    source.write_text("Item,Note,Price\npen,\"blue, fine\",1.5\nink,black,12.25\n",
                      encoding="utf-8")
    # argparse takes "-,6" for an option unless it is attached.
    args = ["--from", "csv", "-w", "20", "--cell-width=-,6", "--overflow", "truncate",
            "--align", "l.d", "--padding", "1", "--rules", "header"]
    assert main(args + [str(source)]) == 0
    out = capsysbinary.readouterr().out.decode("utf-8")
    assert out == command(source.read_text(encoding="utf-8"), args)


@pytest.mark.parametrize("keywords", [
    dict(width=0),
    dict(width=-1),
    dict(width="80"),
    dict(width=True),
    dict(width=1000001),
    dict(cell_width=0),
    dict(cell_width=[4, 0]),
    dict(cell_width=[4, -2]),
    dict(cell_width="4"),
    dict(overflow="cut"),
    dict(align="lx"),
    dict(align="l r"),
    dict(padding=-1),
    dict(padding=1001),
    dict(padding=1.5),
    dict(rules="some"),
], ids=repr)
def test_bad_layout_values_are_value_errors(keywords):
    with pytest.raises(ValueError) as refused:
        zentab.frame("a|b\n", **keywords)
    assert not isinstance(refused.value, zentab.RefusedError)
    assert next(iter(keywords)) in str(refused.value)
