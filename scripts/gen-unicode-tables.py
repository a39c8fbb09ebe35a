#!/usr/bin/env python3
"""Writes text/unicode/unicode_tables.inc from the Unicode Character Database.

Usage: gen-unicode-tables.py [--ucd DIR] [--out FILE] [--unicode-version X.Y.Z]

DIR defaults to /usr/share/unicode (Debian's unicode-data package), FILE to
text/unicode/unicode_tables.inc beside this script's project, the version to
ZENTAB_UNICODE_VERSION in the project's CMakeLists.txt. The output depends
only on the database files, so regenerating must reproduce the checked-in file.
"""

import argparse
import itertools
import os
import re
import sys
import zlib

CODE_POINTS = 0x110000

# Grapheme_Cluster_Break values, in the order of the GraphemeBreak enum in
# text/unicode/code_point_props.h.
GRAPHEME_BREAKS = [
    "Other", "CR", "LF", "Control", "Extend", "ZWJ", "Regional_Indicator", "Prepend",
    "SpacingMark", "L", "V", "T", "LV", "LVT",
]

# The bit layout of one property byte; code_point_props.h reads the same.
EXT_PICT_BIT = 0x10
EMOJI_PRESENTATION_BIT = 0x20
WIDTH_SHIFT = 6
WIDTH_ZERO, WIDTH_ONE, WIDTH_TWO, WIDTH_AMBIGUOUS = 0, 1, 2, 3

# Line_Break values as text/unicode/line_break_class.h numbers them, after the
# resolution of LB1 that does not depend on context: AI, SG and XX read as AL,
# SA as CM when it is a mark and AL otherwise. CJ stays itself: the rules say
# how strict to be with it. The last two are not Line_Break values: OP drawn
# East Asian wide, which LB30 leaves out, and an unassigned pictographic ID,
# which LB30b joins to an emoji modifier.
LINE_BREAKS = [
    "BK", "CR", "LF", "NL", "SP", "ZW", "ZWJ", "CM", "WJ", "GL", "BA", "HY", "BB", "B2", "CB",
    "OP", "CL", "CP", "QU", "EX", "IS", "SY", "NS", "CJ", "IN", "NU", "PR", "PO", "AL", "HL",
    "ID", "EB", "EM", "RI", "JL", "JV", "JT", "H2", "H3", "OP_EA", "ID_CN_PICT",
]

SOURCES = {
    "eaw": "EastAsianWidth.txt",
    "gbp": "auxiliary/GraphemeBreakProperty.txt",
    "emoji": "emoji/emoji-data.txt",
    "dcp": "DerivedCoreProperties.txt",
    "ucd": "UnicodeData.txt",
    "lb": "LineBreak.txt",
}

LINE = re.compile(r"^([0-9A-F]{4,6})(?:\.\.([0-9A-F]{4,6}))?\s*;\s*([A-Za-z0-9_]+)")


def read(ucd, key):
    path = os.path.join(ucd, SOURCES[key])
    with open(path, encoding="utf-8") as f:
        return f.read()


def check_version(text, name, version):
    # emoji-data.txt states its version in a comment, the others in line 1.
    head = "\n".join(text.splitlines()[:12])
    if version not in head and ("Emoji Version " + version[:-2]) not in head:
        sys.exit(f"{name}: not Unicode {version}")


def ranges(text):
    for line in text.splitlines():
        m = LINE.match(line)
        if m:
            first = int(m.group(1), 16)
            last = int(m.group(2), 16) if m.group(2) else first
            yield first, last, m.group(3)


def general_categories(ucd_text):
    """The General_Category of every code point, Cn where UnicodeData.txt has none."""
    categories = ["Cn"] * CODE_POINTS
    pending_first = None
    for line in ucd_text.splitlines():
        fields = line.split(";")
        cp, name, category = int(fields[0], 16), fields[1], fields[2]
        if name.endswith(", First>"):
            pending_first = cp
            continue
        first = pending_first if name.endswith(", Last>") else cp
        pending_first = None
        categories[first:cp + 1] = [category] * (cp + 1 - first)
    return categories


def zero_width_flags(categories, dcp_text):
    zero = bytearray(CODE_POINTS)
    for c in range(CODE_POINTS):
        if categories[c] in ("Mn", "Me"):
            zero[c] = 1
    for first, last, prop in ranges(dcp_text):
        if prop == "Default_Ignorable_Code_Point":
            for c in range(first, last + 1):
                zero[c] = 1
    return zero


def east_asian_widths(eaw_text):
    # Unassigned code points in these blocks default to W; the file lists the rest.
    eaw = ["N"] * CODE_POINTS
    for first, last in ((0x3400, 0x4DBF), (0x4E00, 0x9FFF), (0xF900, 0xFAFF),
                        (0x20000, 0x2FFFD), (0x30000, 0x3FFFD)):
        eaw[first:last + 1] = ["W"] * (last - first + 1)
    for first, last, value in ranges(eaw_text):
        eaw[first:last + 1] = [value] * (last - first + 1)
    return eaw


def property_bytes(texts, eaw, categories):
    props = bytearray(CODE_POINTS)
    for first, last, value in ranges(texts["gbp"]):
        index = GRAPHEME_BREAKS.index(value)
        for c in range(first, last + 1):
            props[c] = index
    for first, last, value in ranges(texts["emoji"]):
        bit = {"Extended_Pictographic": EXT_PICT_BIT,
               "Emoji_Presentation": EMOJI_PRESENTATION_BIT}.get(value, 0)
        for c in range(first, last + 1):
            props[c] |= bit

    zero = zero_width_flags(categories, texts["dcp"])
    for c in range(CODE_POINTS):
        # A mark or an ignorable stays zero wide even where its East Asian Width
        # says otherwise (variation selectors are "A", U+302A is "W").
        if zero[c]:
            width = WIDTH_ZERO
        elif eaw[c] in ("W", "F"):
            width = WIDTH_TWO
        elif eaw[c] == "A":
            width = WIDTH_AMBIGUOUS
        else:
            width = WIDTH_ONE
        props[c] |= width << WIDTH_SHIFT
    return props


def line_break_classes(lb_text, eaw, categories, props):
    """The LINE_BREAKS index of every code point."""
    # Unassigned code points default to ID in these ranges and to PR among the
    # currency symbols, as LineBreak.txt's header says; to XX elsewhere.
    lb = ["XX"] * CODE_POINTS
    for first, last in ((0x3400, 0x4DBF), (0x4E00, 0x9FFF), (0xF900, 0xFAFF),
                        (0x20000, 0x2FFFD), (0x30000, 0x3FFFD), (0x1F000, 0x1FAFF),
                        (0x1FC00, 0x1FFFD)):
        lb[first:last + 1] = ["ID"] * (last - first + 1)
    lb[0x20A0:0x20D0] = ["PR"] * 0x30
    for first, last, value in ranges(lb_text):
        lb[first:last + 1] = [value] * (last - first + 1)

    classes = bytearray(CODE_POINTS)
    for c in range(CODE_POINTS):
        value = lb[c]
        if value in ("AI", "SG", "XX"):
            value = "AL"
        elif value == "SA":
            value = "CM" if categories[c] in ("Mn", "Mc") else "AL"
        elif value == "OP" and eaw[c] in ("F", "W", "H"):
            value = "OP_EA"
        elif value == "ID" and categories[c] == "Cn" and props[c] & EXT_PICT_BIT:
            value = "ID_CN_PICT"
        classes[c] = LINE_BREAKS.index(value)
    return classes


def dedup_blocks(values, size):
    """Splits values into blocks of size; returns (unique blocks flattened, index per block)."""
    seen, flat, index = {}, [], []
    for start in range(0, len(values), size):
        block = tuple(values[start:start + size])
        if block not in seen:
            seen[block] = len(seen)
            flat.extend(block)
        index.append(seen[block])
    return flat, index


def element_bytes(values):
    return 1 if max(values) < 256 else 2


def stages(classes, shifts):
    """Arrays from the top index down to the leaf classes, for shifts high to low."""
    arrays, values, below = [], classes, 0
    for shift in reversed(shifts):
        flat, values = dedup_blocks(values, 1 << (shift - below))
        arrays.append(flat)
        below = shift
    arrays.append(values)
    arrays.reverse()
    return sum(len(a) * element_bytes(a) for a in arrays), arrays


def compressed_size(arrays):
    """The arrays' bytes as the module holds them, compressed as the page carries them."""
    data = b"".join(
        bytes(a) if element_bytes(a) == 1 else b"".join(v.to_bytes(2, "little") for v in a)
        for a in arrays)
    return len(zlib.compress(data, 9))


def hangul_syllables(props, line_breaks):
    """Leaves the syllables to code: LV and H2 every 28th from U+AC00, LVT and H3 between."""
    lv, lvt = GRAPHEME_BREAKS.index("LV"), GRAPHEME_BREAKS.index("LVT")
    h2, h3 = LINE_BREAKS.index("H2"), LINE_BREAKS.index("H3")
    first = props[0xAC00]
    for c in range(0xAC00, 0xD7A4):
        leading = (c - 0xAC00) % 28 == 0
        if (props[c] & 0x0F != (lv if leading else lvt)
                or props[c] & ~0x0F != first & ~0x0F
                or line_breaks[c] != (h2 if leading else h3)):
            sys.exit(f"U+{c:04X}: Hangul syllable properties changed")
        props[c] = first
        line_breaks[c] = h2


def c_array(name, values, per_line=16):
    kind = "uint8_t" if element_bytes(values) == 1 else "uint16_t"
    lines = [f"static const {kind} {name}[{len(values)}] = {{"]
    for start in range(0, len(values), per_line):
        lines.append("    " + ", ".join(str(v) for v in values[start:start + per_line]) + ",")
    lines.append("};")
    return "\n".join(lines)


def generate(ucd, version):
    texts = {key: read(ucd, key) for key in SOURCES}
    for key in ("eaw", "gbp", "emoji", "dcp", "lb"):
        check_version(texts[key], SOURCES[key], version)
    eaw = east_asian_widths(texts["eaw"])
    categories = general_categories(texts["ucd"])
    props = property_bytes(texts, eaw, categories)
    line_breaks = line_break_classes(texts["lb"], eaw, categories, props)
    hangul_syllables(props, line_breaks)

    # A code point's class is its pair of property byte and line-break class:
    # one lookup gives both.
    pairs = list(zip(props, line_breaks))
    distinct = sorted(set(pairs))
    class_of = {p: i for i, p in enumerate(distinct)}
    classes = [class_of[p] for p in pairs]

    best = None
    # The web page carries the tables compressed, so the shifts are those that
    # compress smallest, then the smallest arrays: larger blocks repeat more.
    # The best have been 14, 10, 7; a narrow search keeps regeneration quick.
    for shifts in itertools.product(range(12, 15), range(8, 11), range(5, 8)):
        size, arrays = stages(classes, shifts)
        cost = (compressed_size(arrays), size)
        if best is None or cost < best[0]:
            best = (cost, size, arrays, shifts)
    _, size, arrays, shifts = best
    size += 2 * len(distinct)

    out = [
        "// Generated by scripts/gen-unicode-tables.py: do not edit.",
        f"// Source: Unicode Character Database {version}, as Debian's unicode-data",
        "// package installs it under /usr/share/unicode:",
        *[f"//   {SOURCES[k]}" for k in ("eaw", "gbp", "emoji", "dcp", "ucd", "lb")],
        f"// Four-stage lookup, {size} bytes: the bits of a code point above kPropShift1,",
        "// kPropShift2 and kPropShift3 each pick a block of the next array; the leaf is a",
        "// class, and kPropByClass holds its property byte (see code_point_props.h),",
        "// kLineBreakByClass its line-break class (see line_break_class.h).",
        "// Hangul syllables all read as U+AC00 here; code tells LV from LVT, H2 from H3.",
        "",
    ]
    out += [f"static constexpr unsigned kPropShift{i + 1} = {s};" for i, s in enumerate(shifts)]
    out.append("")
    for name, values in zip(("kPropTop", "kPropUpper", "kPropLower", "kPropLeaf"), arrays):
        out += [c_array(name, values), ""]
    out += [c_array("kPropByClass", [p for p, _ in distinct]), ""]
    out += [c_array("kLineBreakByClass", [b for _, b in distinct]), ""]
    return "\n".join(out)


def project_unicode_version(root):
    with open(os.path.join(root, "CMakeLists.txt"), encoding="utf-8") as f:
        m = re.search(r"^set\(ZENTAB_UNICODE_VERSION ([0-9.]+)\)", f.read(), re.M)
    if not m:
        sys.exit("CMakeLists.txt sets no ZENTAB_UNICODE_VERSION")
    return m.group(1)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--ucd", default="/usr/share/unicode")
    parser.add_argument("--out", default=os.path.join(root, "text/unicode/unicode_tables.inc"))
    parser.add_argument("--unicode-version")
    args = parser.parse_args()
    text = generate(args.ucd, args.unicode_version or project_unicode_version(root))
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()
