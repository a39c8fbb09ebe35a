#!/usr/bin/env python3
"""Writes ui/zentab.ico: one 32 x 32 image with 256 colours, a small ruled table."""
import struct
import sys

SIZE = 32
WHITE, NAVY, SKY, SHADOW = 0, 1, 2, 3
PALETTE = [(255, 255, 255), (128, 0, 0), (250, 220, 170), (160, 160, 160)]  # BGR


def picture():
    rows = [[None] * SIZE for _ in range(SIZE)]  # None: transparent
    left, top, right, bottom = 2, 4, 28, 27
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            rows[y][x] = SKY if y < 11 else WHITE
    for y in range(top + 1, bottom + 2):
        rows[y][right + 1] = SHADOW
    for x in range(left + 1, right + 2):
        rows[bottom + 1][x] = SHADOW
    for y in (top, 11, 19, bottom):
        for x in range(left, right + 1):
            rows[y][x] = NAVY
    for x in (left, 11, 20, right):
        for y in range(top, bottom + 1):
            rows[y][x] = NAVY
    return rows


def icon_bytes():
    rows = picture()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b"".join(struct.pack("<BBBB", *c, 0) for c in PALETTE)
    palette += b"\0\0\0\0" * (256 - len(PALETTE))
    pixels = b"".join(bytes(c or 0 for c in rows[y]) for y in reversed(range(SIZE)))
    mask = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if rows[y][x] is None:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    image = header + palette + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "ui/zentab.ico"
    with open(out, "wb") as f:
        f.write(icon_bytes())
