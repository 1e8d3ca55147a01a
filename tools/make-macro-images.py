#!/usr/bin/env python3
"""The pictures of the key elements and their embedding into the program.

  make-macro-images.py draw --out-dir resources/images
      Draws unElementsSmallImages.png (a 96 x 48 strip of 16 x 16 key symbols, read row
      by row: Caret, Left, Up, Right, Down, Backspace, Tab, Enter, Home, End, Del, Paste,
      Word Left, Word Right, Date and Time; the last three cells stay empty) and
      unElementsLargeImages.png (one 32 x 32 caret symbol).

  make-macro-images.py embed --out OUT.cpp IMAGE.png...
      Writes a C++ source that carries the pictures as raw-data resources named after
      their files (without the extension).

Only the standard library is used; the output is byte-for-byte the same on every run.
"""

import argparse
import os
import sys

from picture_files import cpp_byte_array, write_if_changed, write_png

CELL = 16
COLUMNS, ROWS = 6, 3

KEY_FACE = (246, 246, 246, 255)
KEY_EDGE = (120, 128, 140, 255)
KEY_SHADE = (200, 204, 212, 255)
INK = (32, 64, 140, 255)
CARET_INK = (200, 40, 40, 255)
CLEAR = (0, 0, 0, 0)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[CLEAR] * width for _ in range(height)]

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def fill(self, x0, y0, x1, y1, color):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, color)

    def pattern(self, x0, y0, rows, color, scale=1):
        """rows: strings where '#' is ink."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.fill(x0 + dx * scale, y0 + dy * scale, x0 + (dx + 1) * scale, y0 + (dy + 1) * scale, color)


def key_cap(c, x0, y0, size):
    """A rounded key cap filling the cell."""
    last = size - 1
    for y in range(size):
        for x in range(size):
            corner = (x in (0, last)) and (y in (0, last))
            if corner:
                continue
            edge = x in (0, last) or y in (0, last)
            shade = y == last - 1 or x == last - 1
            c.set(x0 + x, y0 + y, KEY_EDGE if edge else KEY_SHADE if shade else KEY_FACE)


# 10 x 10 symbols drawn in the middle of a key cap (offset 3, 3).
SYMBOLS = {
    "left": [
        "..........",
        "...#......",
        "..##......",
        ".#########",
        "##########",
        ".#########",
        "..##......",
        "...#......",
        "..........",
        "..........",
    ],
    "backspace": [
        "..........",
        "...#######",
        "..##.....#",
        ".##.#..#.#",
        "##...##..#",
        ".##.#..#.#",
        "..##.....#",
        "...#######",
        "..........",
        "..........",
    ],
    "tab": [
        "#.........",
        "#.....#...",
        "#.....##..",
        "##########",
        "#.....##..",
        "#.....#...",
        "#.........",
        "..........",
        "..........",
        "..........",
    ],
    "enter": [
        ".........#",
        ".........#",
        "...#.....#",
        "..##.....#",
        ".#########",
        "##########",
        ".##.......",
        "..#.......",
        "..........",
        "..........",
    ],
    "home": [
        "#.........",
        "#...#.....",
        "#..##.....",
        "#.########",
        "##########",
        "#.########",
        "#..##.....",
        "#...#.....",
        "..........",
        "..........",
    ],
    "del": [
        "#######...",
        "#.....##..",
        "#.#..#.##.",
        "#..##...##",
        "#.#..#.##.",
        "#.....##..",
        "#######...",
        "..........",
        "..........",
        "..........",
    ],
    "paste": [
        "...####...",
        ".###..###.",
        ".#......#.",
        ".#.####.#.",
        ".#......#.",
        ".#.####.#.",
        ".#......#.",
        ".#.####.#.",
        ".########.",
        "..........",
    ],
    "wordleft": [
        "..........",
        "...#...#..",
        "..##..##..",
        ".#########",
        "##########",
        ".#########",
        "..##..##..",
        "...#...#..",
        "..........",
        "..........",
    ],
    "date": [
        ".#.....#..",
        "#########.",
        "#.......#.",
        "#########.",
        "#.#.#.#.#.",
        "#.......#.",
        "#.#.#.#.#.",
        "#.......#.",
        "#########.",
        "..........",
    ],
}


def mirrored(rows):
    return [row[::-1] for row in rows]


def rotated_right(rows):
    """A quarter turn clockwise (the left arrow becomes an up arrow)."""
    size = len(rows)
    return ["".join(rows[size - 1 - x][y] for x in range(size)) for y in range(size)]


def symbol(name):
    if name == "right":
        return mirrored(SYMBOLS["left"])
    if name == "up":
        return rotated_right(SYMBOLS["left"])
    if name == "down":
        return list(reversed(rotated_right(SYMBOLS["left"])))
    if name == "end":
        return mirrored(SYMBOLS["home"])
    if name == "wordright":
        return mirrored(SYMBOLS["wordleft"])
    return SYMBOLS[name]


def draw_caret(c, x0, y0, size):
    """A text caret: an I-beam in red."""
    scale = size // CELL
    middle = x0 + size // 2
    c.fill(middle - scale // 2 - 1 + (1 if scale == 1 else 0), y0 + 2 * scale, middle + (scale + 1) // 2,
           y0 + size - 2 * scale, CARET_INK)
    c.fill(middle - 3 * scale, y0 + 1 * scale, middle + 3 * scale, y0 + 2 * scale, CARET_INK)
    c.fill(middle - 3 * scale, y0 + size - 2 * scale, middle + 3 * scale, y0 + size - 1 * scale, CARET_INK)


ORDER = ["caret", "left", "up", "right", "down", "backspace", "tab", "enter", "home", "end", "del", "paste",
         "wordleft", "wordright", "date"]


def draw_small():
    c = Canvas(COLUMNS * CELL, ROWS * CELL)
    for index, name in enumerate(ORDER):
        x0, y0 = (index % COLUMNS) * CELL, (index // COLUMNS) * CELL
        if name == "caret":
            draw_caret(c, x0, y0, CELL)
            continue
        key_cap(c, x0, y0, CELL)
        c.pattern(x0 + 3, y0 + 3, symbol(name), INK)
    return c


def draw_large():
    c = Canvas(2 * CELL, 2 * CELL)
    draw_caret(c, 0, 0, 2 * CELL)
    return c


def embed(out_path, image_paths, symbol="EmbeddedMacroImageResources"):
    arrays, entries = [], []
    for i, path in enumerate(image_paths):
        with open(path, "rb") as f:
            data = f.read()
        name = os.path.splitext(os.path.basename(path))[0]
        arrays.append(cpp_byte_array("Image%d" % i, data))
        entries.append('    {u"%s", Image%d, sizeof Image%d},' % (name, i, i))
    text = (
        "// Generated by tools/make-macro-images.py; do not edit.\n"
        '#include "render/ThemeResources.h"\n\n'
        "namespace quillora {\n\nnamespace {\n%s\n} // namespace\n\n"
        "extern const TEmbeddedResource %s[] = {\n%s\n};\n"
        "extern const size_t %s = %d;\n\n"
        "} // namespace quillora\n"
    ) % ("\n".join(arrays), symbol, "\n".join(entries), symbol[:-len("Resources")] + "ResourceCount", len(entries))
    write_if_changed(out_path, text.encode("ascii"))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("draw")
    p.add_argument("--out-dir", required=True)
    p = sub.add_parser("embed")
    p.add_argument("--out", required=True)
    p.add_argument("--symbol", default="EmbeddedMacroImageResources")
    p.add_argument("images", nargs="+")
    args = parser.parse_args(argv)

    if args.command == "draw":
        small = draw_small()
        write_png(os.path.join(args.out_dir, "unElementsSmallImages.png"), small.width, small.height, small.pixels)
        large = draw_large()
        write_png(os.path.join(args.out_dir, "unElementsLargeImages.png"), large.width, large.height, large.pixels)
    else:
        embed(args.out, args.images, args.symbol)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
