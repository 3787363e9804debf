#!/usr/bin/env python3
"""Draws examples/logo.png, the sample logo: a receipt, the name in block letters and an
orange rule, on a transparent background (which prints as paper).

Uses only the standard library, so it runs anywhere python3 does:
    python3 examples/make_logo.py [OUT.png]
"""
import struct
import sys
import zlib

WIDTH, HEIGHT = 192, 64
INK = (22, 38, 92, 255)        # dark blue: black at any usual threshold
RULE = (240, 122, 20, 255)     # orange, mean 127: black from threshold 128 up
PAPER = (255, 255, 255, 255)
SHADE = (120, 130, 150, 255)   # mean 133
CLEAR = (0, 0, 0, 0)           # transparent; the colour under it is black on purpose

# 5 x 7 letters, one string per row, "#" for ink.
LETTERS = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
}


def draw():
    pixels = [[CLEAR] * WIDTH for _ in range(HEIGHT)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(HEIGHT, y1)):
            for x in range(max(0, x0), min(WIDTH, x1)):
                pixels[y][x] = colour

    # The receipt: an outlined slip with a torn (zigzag) bottom edge and printed lines.
    left, top, right, bottom = 6, 4, 42, 56
    fill(left, top, right, bottom, INK)
    fill(left + 2, top + 2, right - 2, bottom, PAPER)
    for x in range(left, right):
        depth = 4 - abs((x - left) % 8 - 4)  # teeth 8 pixels apart
        fill(x, bottom - depth, x + 1, bottom + 4, CLEAR)
        fill(x, bottom - depth - 2, x + 1, bottom - depth, INK)
    for row, length in enumerate((24, 18, 26, 14, 22)):
        fill(left + 5, top + 7 + 7 * row, left + 5 + length, top + 10 + 7 * row, SHADE)

    # The name, each letter pixel drawn 4 x 4 with 4 pixels between letters.
    scale, x = 4, 52
    for letter in "PLOVAN":
        for row, bits in enumerate(LETTERS[letter]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    fill(x + col * scale, 10 + row * scale, x + (col + 1) * scale, 10 + (row + 1) * scale, INK)
        x += 6 * scale
    fill(52, 46, 52 + 6 * 6 * scale - scale, 50, RULE)
    return pixels


def png(pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in pixels)
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else __file__.rsplit("/", 1)[0] + "/logo.png"
    with open(out, "wb") as f:
        f.write(png(draw()))
