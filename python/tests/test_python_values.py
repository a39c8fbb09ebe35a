"""Rows given as Python values, refusals as exceptions, and framing off the GIL."""

import sys
import threading

import pytest

import zentab


def test_a_dataframe_frames_with_its_columns_as_header():
    pandas = pytest.importorskip("pandas")
    data = pandas.DataFrame({"No": [1, 2], "Item": ["ペン", None], "Price": [1.5, 20]})
    assert zentab.frame(data, frame=6) == (
        "+--+----+-----+\n"
        "|No|Item|Price|\n"
        "+--+----+-----+\n"
        "|1 |ペン|1.5  |\n"
        "+--+----+-----+\n"
        "|2 |    |20.0 |\n"
        "+--+----+-----+\n")


def test_dicts_take_keys_in_first_seen_order_and_none_is_empty():
    rows = [{"b": 1, "a": None}, {"c": "x", "b": 2}]
    assert zentab.convert(rows, to="csv") == "b,a,c\n1,,\n2,,x\n"
    assert zentab.unframe(zentab.frame(rows)) == [["b", "a", "c"], ["1", "", ""], ["2", "", "x"]]


@pytest.mark.parametrize("data,fmt,kind,line,column", [
    ("a|b\n1|2|3\n", "psv", "ragged_row", 2, 4),
    ('a,b\n1,"2\n', "csv", "open_quote", 2, 3),
    ("a|\x01b\n", "psv", "control_character", 1, 3),
    (b"a|\xffb\n", "psv", "invalid_utf8", 1, 3),
    ('[["a"], ["b", 1,]]', "json", "bad_json", 1, 17),
    ([["a", "b"], ["c", "d|e"]], "psv", "cell_holds_separator", 2, 2),
    ([["a"], ["b\x07"]], "psv", "control_character", 2, 1),
    ([], "psv", "no_cells", 0, 0),
])
def test_refusals_carry_kind_line_and_column(data, fmt, kind, line, column):
    with pytest.raises(zentab.RefusedError) as refused:
        zentab.frame(data, fmt=fmt)
    assert isinstance(refused.value, ValueError)
    assert (refused.value.kind, refused.value.line, refused.value.column) == (kind, line, column)
    if line:
        assert str(refused.value).startswith(f"line {line}, column {column}: ")


def test_a_line_break_in_a_value_makes_a_cell_of_several_lines():
    rows = [["Name", "Address"], ["Ito", "2-1 Kanda\nChiyoda, Tokyo"], ["Sato", "—"]]
    for rules in ("all", "header"):
        framed = zentab.frame(rows, frame=2, rules=rules)
        assert framed.count("\n") == 7 + (rules == "all")


@pytest.mark.parametrize("call", [
    lambda: zentab.frame("a", frame=7),
    lambda: zentab.frame("a", position="R"),
    lambda: zentab.frame("a", ambiguous="half"),
    lambda: zentab.convert("a", to="aligned"),
    lambda: zentab.convert("a", fmt="html"),
])
def test_bad_options_are_value_errors(call):
    with pytest.raises(ValueError):
        call()


def test_framing_releases_the_gil():
    # Text, not rows: rows pass through Python code, which lets other threads in.
    lines = [f"{r},{'ペン' * (r % 7)},{'x' * (r % 13)},±\n" for r in range(30000)]
    text = "".join(lines)
    assert len(text.encode("utf-8")) < 1 << 20
    counter = [0]
    advanced = []
    done = threading.Event()

    def frame_a_few():
        for _ in range(4):
            before = counter[0]
            zentab.frame(text, fmt="csv")
            advanced.append(counter[0] > before)
        done.set()

    # Python hands the GIL over only when it is released, or after this long.
    interval = sys.getswitchinterval()
    sys.setswitchinterval(60)
    try:
        worker = threading.Thread(target=frame_a_few)
        worker.start()
        while not done.wait(0.0001):
            counter[0] += 1
        worker.join()
    finally:
        sys.setswitchinterval(interval)
    # This thread ran during the calls: with the GIL held, it could not run
    # during any of them. Not every call: on a busy machine the scheduler may
    # give this thread no turn during one.
    assert any(advanced)
