#!/usr/bin/env python3
"""Draws the station's own pictures with no external tools, reproducibly:
the 200x30 logo (bitmap 357), the lamp icons 327 and 328, the animated fans 336 to 338 and the
fan at rest 339."""
import math
import os
import struct
import zlib

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


def write_png_rgba(path, width, height, pixel):
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # no filter
        for x in range(width):
            raw += bytes(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def lamp(path, colour):
    """A 12x12 disc with transparent corners."""
    def pixel(x, y):
        d = math.hypot(x + 0.5 - 6, y + 0.5 - 6)
        if d > 6:
            return (0, 0, 0, 0)
        alpha = 255 if d <= 5.5 else int(255 * (6 - d) / 0.5)
        return (*colour, alpha)
    write_png_rgba(path, 12, 12, pixel)


def lzw_encode(indices, min_code_size):
    """GIF LZW: variable-length codes, least significant bit first, clear when the table fills."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bit_buffer, bit_count = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xff)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    prefix = ()
    for index in indices:
        candidate = prefix + (index,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], size)
        if next_code < 4096:
            table[candidate] = next_code
            if next_code == (1 << size) and size < 12:
                size += 1
            next_code += 1
        else:
            emit(clear, size)
            table, next_code, size = reset()
        prefix = (index,)
    if prefix:
        emit(table[prefix], size)
    emit(end, size)
    if bit_count:
        out.append(bit_buffer & 0xff)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        piece = data[i:i + 255]
        out.append(len(piece))
        out += piece
    out.append(0)
    return bytes(out)


FAN_PALETTE = [(240, 240, 240), (70, 70, 80), (40, 110, 200), (150, 190, 235),
               (200, 60, 40), (255, 255, 255), (120, 120, 130), (0, 0, 0)]


def fan_frame(size, angle_deg):
    """Palette indices of a three-bladed fan turned by angle_deg."""
    c = (size - 1) / 2
    pixels = []
    for y in range(size):
        for x in range(size):
            dx, dy = x - c, y - c
            r = math.hypot(dx, dy)
            a = (math.degrees(math.atan2(dy, dx)) - angle_deg) % 120
            if r > 57:
                p = 0
            elif r > 53:
                p = 1  # frame ring
            elif r <= 9:
                p = 4 if r <= 5 else 6  # hub
            elif 10 <= a <= 50 and r < 50:
                p = 2 if a < 42 else 3  # blade with a light trailing edge
            else:
                p = 5
            pixels.append(p)
    return pixels


def fan_gif(path, delay_hundredths, frames=12, size=120):
    palette = FAN_PALETTE
    bits = 3  # 8 colours
    gif = bytearray(b'GIF89a')
    gif += struct.pack('<HHBBB', size, size, 0x80 | (bits - 1) << 4 | (bits - 1), 0, 0)
    for colour in palette:
        gif += bytes(colour)
    # Loop forever.
    gif += b'\x21\xff\x0bNETSCAPE2.0\x03\x01' + struct.pack('<H', 0) + b'\x00'
    for f in range(frames):
        gif += b'\x21\xf9\x04' + bytes([1 << 2]) + struct.pack('<H', delay_hundredths) + b'\x00\x00'
        gif += b',' + struct.pack('<HHHHB', 0, 0, size, size, 0)
        gif += bytes([bits])
        gif += sub_blocks(lzw_encode(fan_frame(size, f * 10), bits))
    gif += b';'
    with open(path, 'wb') as out:
        out.write(gif)


def fan_still(path, size=120):
    pixels = fan_frame(size, 0)
    write_bmp24(path, size, size, lambda x, y: FAN_PALETTE[pixels[y * size + x]])


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    logo()
    icons = os.path.join(HERE, '..', 'resources', 'icons')
    os.makedirs(icons, exist_ok=True)
    lamp(os.path.join(icons, 'lamp_off_327.png'), (127, 127, 127))
    lamp(os.path.join(icons, 'lamp_on_328.png'), (237, 28, 36))
    pictures = os.path.join(HERE, '..', 'resources', 'pictures')
    os.makedirs(pictures, exist_ok=True)
    fan_gif(os.path.join(pictures, 'fan_336.gif'), 10)
    fan_gif(os.path.join(pictures, 'fan_337.gif'), 5)
    fan_gif(os.path.join(pictures, 'fan_338.gif'), 20)
    fan_still(os.path.join(pictures, 'fan_339.bmp'))
