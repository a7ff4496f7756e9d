#!/usr/bin/env python3
"""Draws the station's own pictures (no external tools): the 200x30 logo, bitmap 357."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'resources', 'bitmaps')

# 5x7 glyphs of the letters the logo needs.
GLYPHS = {
    'K': ['10001', '10010', '10100', '11000', '10100', '10010', '10001'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'V': ['10001', '10001', '10001', '10001', '10001', '01010', '00100'],
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'N': ['10001', '11001', '10101', '10011', '10001', '10001', '10001'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'P': ['11110', '10001', '10001', '11110', '10000', '10000', '10000'],
    'C': ['01110', '10001', '10000', '10000', '10000', '10001', '01110'],
    ' ': ['00000'] * 7,
}


def write_bmp24(path, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b'\0' * (row_size - len(row))
        data += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def logo():
    w, h, scale = 200, 30, 3
    text = 'KORVANE PC'
    ink = set()
    x0 = (w - (len(text) * 6 - 1) * scale) // 2
    y0 = (h - 7 * scale) // 2
    for i, ch in enumerate(text):
        for gy, line in enumerate(GLYPHS[ch]):
            for gx, bit in enumerate(line):
                if bit == '1':
                    for sy in range(scale):
                        for sx in range(scale):
                            ink.add((x0 + (i * 6 + gx) * scale + sx, y0 + gy * scale + sy))

    def pixel(x, y):
        if (x, y) in ink:
            return (255, 255, 255)
        if (x + 1, y + 1) in ink:  # drop shadow
            return (10, 40, 70)
        t = x / (w - 1)  # blue to teal gradient
        return (int(20 + 10 * t), int(90 + 80 * t), int(170 - 30 * t))

    write_bmp24(os.path.join(OUT, 'logo_357.bmp'), w, h, pixel)


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    logo()
