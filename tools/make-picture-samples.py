#!/usr/bin/env python3
"""Writes the small golden pictures of tests/data/images byte by byte.

Every pixel follows a formula or table that tests/images/GoldenPicturesTest.cpp repeats,
so the expected frames are known without any other decoder. Run it again only when the
pictures change: python3 tools/make-picture-samples.py tests/data/images
"""
import os
import struct
import sys
import zlib


def tga_header(image_type, width, height, depth, descriptor, cmap=None):
    cmap_type, cmap_len, cmap_size = (1, cmap[0], cmap[1]) if cmap else (0, 0, 0)
    return struct.pack('<BBBHHBHHHHBB', 0, cmap_type, image_type, 0, cmap_len, cmap_size,
                       0, 0, width, height, depth, descriptor)


# Targa true colour, 24-bit, 4 x 3, stored bottom-up.
def tga24_pixel(x, y):
    return (10 + 60 * x, 20 + 80 * y, 5 + 30 * (x + y))  # r, g, b


def truecolor24():
    w, h = 4, 3
    data = tga_header(2, w, h, 24, 0)
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b = tga24_pixel(x, y)
            data += bytes((b, g, r))
    return data


# Targa true colour, 32-bit with alpha, 3 x 2, stored top-down (descriptor bit 5).
def tga32_pixel(x, y):
    return (40 * x + 1, 50 * y + 2, 7, 60 + 80 * x + 30 * y)  # r, g, b, a


def truecolor32():
    w, h = 3, 2
    data = tga_header(2, w, h, 32, 0x28)
    for y in range(h):
        for x in range(w):
            r, g, b, a = tga32_pixel(x, y)
            data += bytes((b, g, r, a))
    return data


# Targa RLE true colour, 24-bit, 5 x 3, bottom-up. Rows from the top:
#   A B C D E / R R R G G / R R R R R
# The first packet repeats R 8 times and so runs from the bottom row into the next.
RLE_R, RLE_G = (200, 30, 30), (30, 200, 60)
RLE_LETTERS = [(10 * i, 20 * i, 30 * i) for i in range(1, 6)]


def rle_truecolor():
    data = tga_header(10, 5, 3, 24, 0)
    bgr = lambda c: bytes((c[2], c[1], c[0]))
    data += bytes((0x80 | 7,)) + bgr(RLE_R)
    data += bytes((0x80 | 1,)) + bgr(RLE_G)
    data += bytes((4,)) + b''.join(bgr(c) for c in RLE_LETTERS)
    return data


# Targa RLE colour-mapped, 8-bit indexes into a 16-bit colour map of 3 entries, 3 x 2,
# top-down. Rows: 2 2 1 / 0 5 0 (index 5 lies outside the map and reads as black).
def rle_mapped():
    data = tga_header(9, 3, 2, 8, 0x20, cmap=(3, 16))
    data += struct.pack('<HHH', 0x7FFF, 0x001F, 0x7C00)
    data += bytes((0x81, 2, 0x03, 1, 0, 5, 0))
    return data


def png(width, height, pixel):
    raw = b''
    for y in range(height):  # filter type 1 (Sub): each byte minus the one of the pixel before
        row = b''.join(bytes(pixel(x, y)) for x in range(width))
        raw += b'\1' + bytes((row[i] - (row[i - 4] if i >= 4 else 0)) & 255 for i in range(len(row)))
    chunk = lambda kind, body: struct.pack('>I', len(body)) + kind + body + struct.pack(
        '>I', zlib.crc32(kind + body) & 0xFFFFFFFF)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def png_pixel(x, y):  # r, g, b, a of the 256 x 256 PNG image inside the icon
    return (x, y, (x + y) & 255, 255 - x // 2)


def small_png_pixel(x, y):  # 3 x 2
    return (100 * x, 120 * y, 33, 255 - 70 * x - 20 * y)


def dib(width, height, bits, palette, color_row, mask_bit):
    """A bitmap image of an icon: header, colour table, colour rows and AND mask rows,
    both stored bottom-up with rows padded to 4 bytes."""
    def pad(row):
        return row + b'\0' * (-len(row) % 4)
    header = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    colors = b''.join(pad(color_row(y)) for y in reversed(range(height)))
    masks = b''
    for y in reversed(range(height)):
        row = bytearray((width + 7) // 8)
        for x in range(width):
            if mask_bit(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        masks += pad(bytes(row))
    return header + table + colors + masks


def icon_file(kind, images):
    """images: (stored width, stored height, word1, word2, data)."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for w, h, word1, word2, data in images:
        out += struct.pack('<BBBBHHII', w, h, 0, 0, word1, word2, len(data), offset)
        offset += len(data)
    return out + b''.join(image[4] for image in images)


# Icon: 16 x 16 4-bit, 32 x 32 32-bit with alpha, 256 x 256 PNG.
ICON4_PALETTE = [(0, 0, 0)] + [(i * 16, 255 - i * 16, i * 8) for i in range(1, 16)]


def icon4_index(x, y):
    return (x + y) % 16


def icon4_mask(x, y):
    return x < 4 and y < 4


def icon32_pixel(x, y):  # r, g, b, a; the last row is black, transparent and masked
    return (0, 0, 0, 0) if y == 31 else (x * 8, y * 8, 128, 255 - y * 8)


def multi_icon():
    def row4(y):
        idx = [icon4_index(x, y) for x in range(16)]
        return bytes((idx[i] << 4) | idx[i + 1] for i in range(0, 16, 2))

    def row32(y):
        return b''.join(bytes((b, g, r, a)) for r, g, b, a in (icon32_pixel(x, y) for x in range(32)))

    return icon_file(1, [
        (16, 16, 1, 4, dib(16, 16, 4, ICON4_PALETTE, row4, icon4_mask)),
        (32, 32, 1, 32, dib(32, 32, 32, [], row32, lambda x, y: y == 31)),
        (0, 0, 1, 32, png(256, 256, png_pixel)),
    ])


# Cursor: 16 x 16 1-bit with hot spot (3, 5), 24 x 24 24-bit with hot spot (11, 12).
def cursor1_bit(x, y):  # colour index: 0 black, 1 white
    return (x + y) % 2


def cursor1_mask(x, y):
    return x >= 8


def cursor24_pixel(x, y):
    return (x * 10, y * 10, 77)


def arrow_cursor():
    def row1(y):
        row = bytearray(2)
        for x in range(16):
            if cursor1_bit(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        return bytes(row)

    def row24(y):
        return b''.join(bytes((b, g, r)) for r, g, b in (cursor24_pixel(x, y) for x in range(24)))

    return icon_file(2, [
        (16, 16, 3, 5, dib(16, 16, 1, [(0, 0, 0), (255, 255, 255)], row1, cursor1_mask)),
        (24, 24, 11, 12, dib(24, 24, 24, [], row24, lambda x, y: False)),
    ])


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else 'tests/data/images'
    os.makedirs(folder, exist_ok=True)
    files = {
        'truecolor24.tga': truecolor24(),
        'truecolor32.tga': truecolor32(),
        'rle-truecolor.tga': rle_truecolor(),
        'rle-mapped.tga': rle_mapped(),
        'multi.ico': multi_icon(),
        'arrow.cur': arrow_cursor(),
        'small.png': png(3, 2, small_png_pixel),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
