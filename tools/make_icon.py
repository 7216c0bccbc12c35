#!/usr/bin/env python3
"""Writes resources/trellisbourne.ico: a garden trellis with a climbing vine
and a budding flower, as 32 x 32 and 16 x 16 images in 16 colours.

Standard library only; the output is the same byte for byte on every run.
Usage: make_icon.py [output.ico]
"""
import math
import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, SILVER, RED, LIME, YELLOW = 0, 1, 2, 3, 7, 9, 10, 11
CLEAR = None  # transparent


def draw(size):
    """Returns size rows of size palette indexes (or CLEAR), top row first."""
    s = size / 32.0
    img = [[CLEAR] * size for _ in range(size)]

    def put(x, y, colour):
        if 0 <= x < size and 0 <= y < size:
            img[y][x] = colour

    def disc(cx, cy, r, colour):
        for y in range(size):
            for x in range(size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    img[y][x] = colour

    # The trellis: diagonal slats crossing inside a square frame.
    lo, hi = round(3 * s), size - 1 - round(3 * s)
    step = 8 if size >= 32 else 5
    for y in range(lo, hi + 1):
        for x in range(lo, hi + 1):
            edge = x in (lo, hi) or y in (lo, hi)
            slat = (x + y) % step == 0 or (x - y) % step == 0
            if edge:
                put(x, y, MAROON)
            elif slat:
                put(x, y, OLIVE)

    # The vine: a stem swaying up from the foot of the trellis.
    top = 8 * s
    stem = []
    for y in range(size - 1, int(top) - 1, -1):
        x = size / 2 + 4.5 * s * math.sin((size - 1 - y) / (5.0 * s))
        stem.append((x, y))
        put(int(x), y, GREEN)
        if size >= 32:
            put(int(x) + 1, y, GREEN)

    # Leaves on alternating sides of the stem.
    big = size >= 32
    spots = (0.25, 0.5, 0.75) if big else (0.3, 0.65)
    for i, frac in enumerate(spots):
        x, y = stem[int(frac * (len(stem) - 1))]
        side = 1 if i % 2 == 0 else -1
        if big:
            cx = x + 1 + side * 3.5
            disc(cx, y + 0.5, 2.4, GREEN)
            disc(cx, y + 0.5, 1.6, LIME)
        else:
            put(int(x) + side, y, LIME)
            put(int(x) + 2 * side, y, LIME)
            put(int(x) + side, y - 1, LIME)

    # The bud at the top of the stem.
    bx, by = stem[-1]
    bx += 0.5 if size >= 32 else 0.0
    if big:
        disc(bx, by, 3.6, RED)
        disc(bx, by, 1.6, YELLOW)
    else:
        disc(bx, by, 1.6, RED)
        put(int(bx), int(by), YELLOW)
    return img


def bitmap(img):
    """The icon image: header, palette, 4-bit colour rows and 1-bit mask rows, bottom up."""
    size = len(img)
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         (xor_row + and_row) * size, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor, mask = bytearray(), bytearray()
    for row in reversed(img):
        colours = [BLACK if c is CLEAR else c for c in row]
        packed = bytes((colours[i] << 4) | colours[i + 1] for i in range(0, size, 2))
        xor += packed.ljust(xor_row, b'\0')
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is CLEAR else 0)
        mask += bits.to_bytes((size + 7) // 8, 'big').ljust(and_row, b'\0')
    return header + palette + bytes(xor) + bytes(mask)


def icon(sizes):
    images = [bitmap(draw(n)) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, '..', 'resources', 'trellisbourne.ico')
    with open(target, 'wb') as f:
        f.write(icon((32, 16)))


if __name__ == '__main__':
    main()
