#!/usr/bin/env python3
"""Writes the program's mouse cursors as 32x32 monochrome .cur files into
resources/cursors: the text beams, the left-zone arrow, the drag cursors and the
expand button's hand. Each picture is drawn from a few strokes so that it can be
changed here and written again."""
import os
import struct
import sys

SIZE = 32


class Picture:
    def __init__(self):
        # None transparent, 0 black, 1 white
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def put(self, x, y, v):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = v

    def rect(self, x0, y0, x1, y1, v):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, v)

    def outline(self):
        """A white rim around every black pixel, so the cursor shows on dark and light."""
        black = [(x, y) for y in range(SIZE) for x in range(SIZE) if self.px[y][x] == 0]
        for x, y in black:
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    if 0 <= x + dx < SIZE and 0 <= y + dy < SIZE and self.px[y + dy][x + dx] is None:
                        self.px[y + dy][x + dx] = 1


def beam(p, x, top=4, bottom=20, serif=2):
    p.rect(x, top, x, bottom, 0)
    p.rect(x - serif, top, x - 1, top, 0)
    p.rect(x + 1, top, x + serif, top, 0)
    p.rect(x - serif, bottom, x - 1, bottom, 0)
    p.rect(x + 1, bottom, x + serif, bottom, 0)


ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XX",
]


def arrow(p, x0, y0, mirror=False):
    for dy, row in enumerate(ARROW):
        for dx, c in enumerate(row):
            x = x0 - dx if mirror else x0 + dx
            if c == "X":
                p.put(x, y0 + dy, 0)
            elif c == ".":
                p.put(x, y0 + dy, 1)


def field_beam():
    p = Picture(); beam(p, 8); return p, (8, 12)


def field_elements_beam():
    p, hot = field_beam(); p.rect(12, 16, 15, 19, 0); return p, hot


def field_drop_down_beam():
    p, hot = field_beam()
    for i in range(4):
        p.rect(11 + i, 16 + i, 17 - i, 16 + i, 0)
    return p, hot


def container_beam():
    p = Picture(); beam(p, 8, serif=3); p.rect(7, 10, 9, 10, 0); return p, (8, 12)


def container_text_beam():
    p, hot = container_beam(); p.rect(12, 17, 16, 17, 0); p.rect(14, 17, 14, 21, 0); return p, hot


def left_zone():
    p = Picture(); arrow(p, 15, 1, mirror=True); return p, (15, 1)


def drag(copy):
    p = Picture(); arrow(p, 1, 1)
    p.rect(9, 18, 18, 18, 0); p.rect(9, 25, 18, 25, 0); p.rect(9, 18, 9, 25, 0); p.rect(18, 18, 18, 25, 0)
    if copy:
        p.rect(20, 23, 26, 23, 0); p.rect(23, 20, 23, 26, 0)
    return p, (1, 1)


def expand_hand():
    p = Picture()
    p.rect(8, 2, 9, 14, 0)                      # finger
    for x in (11, 14, 17):
        p.rect(x, 9, x + 1, 14, 0)              # knuckles
    p.rect(5, 13, 6, 18, 0)                     # thumb
    p.rect(5, 18, 19, 19, 0); p.rect(7, 20, 18, 24, 0); p.rect(19, 12, 19, 19, 0)
    p.rect(8, 15, 18, 17, 0)
    return p, (8, 2)


CURSORS = {
    "crTextorFieldBeam": field_beam,
    "crTextorFieldElementsBeam": field_elements_beam,
    "crTextorFieldDropDownBeam": field_drop_down_beam,
    "crTextorContainerBeam": container_beam,
    "crTextorContainerTextBeam": container_text_beam,
    "crTextorLeftZone": left_zone,
    "crTextorDragMove": lambda: drag(False),
    "crTextorDragCopy": lambda: drag(True),
    "diExpandButtonCursor": expand_hand,
}


def encode(p, hotspot):
    p.outline()
    row_bytes = SIZE // 8
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        xr = ar = 0
        xbits = abits = 0
        xrow = bytearray(); arow = bytearray()
        for x in range(SIZE):
            v = p.px[y][x]
            xbits = (xbits << 1) | (1 if v == 1 else 0)
            abits = (abits << 1) | (1 if v is None else 0)
            if x % 8 == 7:
                xrow.append(xbits); arow.append(abits); xbits = abits = 0
        xor += xrow; andm += arow
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + bytes(xor) + bytes(andm)
    return struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1],
                                                      len(image), 6 + 16) + image


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "cursors")
    os.makedirs(out, exist_ok=True)
    for name, draw in CURSORS.items():
        p, hot = draw()
        with open(os.path.join(out, name + ".cur"), "wb") as f:
            f.write(encode(p, hot))


if __name__ == "__main__":
    main()
