#!/usr/bin/env python3
"""Draws the two button faces (110 x 34): the program's red with a soft vertical shade, and a darker
hover face. Run it here to rewrite button.png and button_hover.png."""
import struct
import zlib

WIDTH, HEIGHT, RADIUS = 110, 34, 5


def inside(x, y):
    # Rounded corners: pixels outside the corner circles are transparent.
    cx = RADIUS if x < RADIUS else WIDTH - 1 - RADIUS if x >= WIDTH - RADIUS else x
    cy = RADIUS if y < RADIUS else HEIGHT - 1 - RADIUS if y >= HEIGHT - RADIUS else y
    return (x - cx) ** 2 + (y - cy) ** 2 <= RADIUS ** 2


def face(top, bottom):
    rows = []
    for y in range(HEIGHT):
        t = y / (HEIGHT - 1)
        colour = [round(a + (b - a) * t) for a, b in zip(top, bottom)]
        row = bytearray([0])
        for x in range(WIDTH):
            row += bytes(colour + [255 if inside(x, y) else 0])
        rows.append(bytes(row))
    return b"".join(rows)


def png(path, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(pixels, 9))
                + chunk(b"IEND", b""))


png("button.png", face((236, 86, 90), (200, 30, 36)))
png("button_hover.png", face((190, 28, 34), (140, 16, 22)))
