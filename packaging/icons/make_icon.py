#!/usr/bin/env python3
"""Writes the program icon: a 2 x 2 block of green board cells with black
borders holding a black, white, red and yellow disc, as a 32 x 32 PNG with a
16-colour palette and as a scalable SVG of the same geometry.

Run from this directory; the outputs are committed, so the build never needs
it. Uses the standard library only.
"""
import struct
import zlib

SIZE = 32
CELL = 16
RADIUS = 6.0  # outer radius of a disc, its outline included
PALETTE = [
    (0, 0, 0),  # 0 black: borders, outlines, seat 1
    (255, 255, 255),  # 1 white: seat 2
    (255, 0, 0),  # 2 red: seat 3
    (255, 255, 0),  # 3 yellow: seat 4
    (0, 128, 0),  # 4 green: the cells
]
# (column, row) of each cell and the palette index of its disc.
DISCS = [((0, 0), 0), ((1, 0), 1), ((0, 1), 2), ((1, 1), 3)]


def pixel(x, y):
    column, row = x // CELL, y // CELL
    left, top = column * CELL, row * CELL
    if x in (left, left + CELL - 1) or y in (top, top + CELL - 1):
        return 0
    disc = dict(DISCS)[(column, row)]
    dx = x + 0.5 - (left + CELL / 2)
    dy = y + 0.5 - (top + CELL / 2)
    distance = (dx * dx + dy * dy) ** 0.5
    if distance <= RADIUS - 1:
        return disc
    if distance <= RADIUS:
        return 0
    return 4


def chunk(kind, data):
    body = kind + data
    return (struct.pack(">I", len(data)) + body +
            struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))


def write_png(path):
    rows = b""
    for y in range(SIZE):
        row = bytearray([0])  # filter: none
        for x in range(0, SIZE, 2):
            row.append(pixel(x, y) << 4 | pixel(x + 1, y))
        rows += bytes(row)
    palette = b"".join(bytes(c) for c in PALETTE)
    palette += bytes(3 * (16 - len(PALETTE)))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 4, 3, 0, 0, 0))
    png += chunk(b"PLTE", palette)
    png += chunk(b"IDAT", zlib.compress(rows, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def write_svg(path):
    colours = ["#%02x%02x%02x" % c for c in PALETTE]
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" '
        'viewBox="0 0 32 32">',
        '  <rect width="32" height="32" fill="#000000"/>',
    ]
    for (column, row), disc in DISCS:
        left, top = column * CELL, row * CELL
        parts.append('  <rect x="%d" y="%d" width="14" height="14" fill="%s"/>'
                     % (left + 1, top + 1, colours[4]))
        parts.append('  <circle cx="%d" cy="%d" r="%.1f" fill="%s" '
                     'stroke="#000000" stroke-width="1"/>'
                     % (left + CELL // 2, top + CELL // 2, RADIUS - 0.5,
                        colours[disc]))
    parts.append("</svg>")
    with open(path, "w") as out:
        out.write("\n".join(parts) + "\n")


if __name__ == "__main__":
    write_png("quadriflank_32.png")
    write_svg("quadriflank.svg")
