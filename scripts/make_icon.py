#!/usr/bin/env python3
"""Draws the program icon (resources/vorel.ico): a 32x32 256-colour image and a
16x16 16-colour image, written as a plain ICO with BMP images.

Usage: python3 scripts/make_icon.py [output.ico]
Only the standard library is used, so the icon can be rebuilt anywhere.
"""
import os
import struct
import sys

BLACK = (0, 0, 0)
CYAN = (0, 255, 255)
BLUE = (0, 0, 255)
RED = (255, 0, 0)
WHITE = (255, 255, 255)


def large_image():
    """32x32: a cyan-framed square, blue in its left two-fifths and red in the
    rest, the halves parted by a cyan line, a white bar across the middle."""
    size = 32
    pixels = [[RED] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if x in (0, size - 1) or y in (0, size - 1):
                pixels[y][x] = CYAN
            elif x == 12:
                pixels[y][x] = CYAN
            elif x < 12:
                pixels[y][x] = BLUE
            if 14 <= y <= 17 and 3 <= x <= size - 4:
                pixels[y][x] = WHITE
    opaque = [[True] * size for _ in range(size)]
    return size, pixels, opaque


def small_image():
    """16x16: two overlapping square outlines, red towards the top left and
    blue towards the bottom right, on a transparent background."""
    size = 16
    pixels = [[BLACK] * size for _ in range(size)]
    opaque = [[False] * size for _ in range(size)]

    def outline(left, top, side, colour):
        # Two pixels thick, so the shapes still read at this size.
        for y in range(top, top + side):
            for x in range(left, left + side):
                edge = min(x - left, y - top, left + side - 1 - x, top + side - 1 - y)
                if edge < 2:
                    pixels[y][x] = colour
                    opaque[y][x] = True

    outline(1, 1, 10, RED)
    outline(5, 5, 10, BLUE)
    return size, pixels, opaque


def dib(size, pixels, opaque, bits):
    """One icon image: BITMAPINFOHEADER, palette, XOR bits, AND mask."""
    colours = 1 << bits
    palette = [BLACK]
    for row in pixels:
        for p in row:
            if p not in palette:
                palette.append(p)
    assert len(palette) <= colours
    palette += [BLACK] * (colours - len(palette))
    index = {p: i for i, p in enumerate(palette)}

    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)

    xor_rows = []
    and_rows = []
    for y in reversed(range(size)):  # bottom-up rows
        if bits == 8:
            row = bytes(index[p] for p in pixels[y])
        else:
            nibbles = [index[p] for p in pixels[y]]
            row = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(row + b'\0' * (-len(row) % 4))
        mask = 0
        for x in range(size):
            mask = (mask << 1) | (0 if opaque[y][x] else 1)
        mask_bytes = mask.to_bytes(size // 8, 'big')
        and_rows.append(mask_bytes + b'\0' * (-len(mask_bytes) % 4))
    return header + pal + b''.join(xor_rows) + b''.join(and_rows), 0 if colours >= 256 else colours


def ico(images):
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries = b''
    data = b''
    for size, bits, (blob, colour_count) in images:
        entries += struct.pack('<BBBBHHII', size, size, colour_count, 0, 1, bits,
                               len(blob), offset + len(data))
        data += blob
    return head + entries + data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'vorel.ico')
    large = large_image()
    small = small_image()
    data = ico([(32, 8, dib(*large, 8)), (16, 4, dib(*small, 4))])
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
