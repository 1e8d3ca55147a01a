#!/usr/bin/env python3
"""The element images that start the three element image lists.

  make-element-images.py draw --out-dir resources/images
      Draws diClassesCharImages.png (one 12 x 12 default element image),
      diClassesSmallImages.png (one 16 x 16 default element image) and
      diClassesLargeImages.png (a 64 x 32 strip: the 32 x 32 default element image, then
      the Disabled symbol).
      diCommonElementsSmallImages.png (a 128 x 16 strip of the common elements: comment,
      logic frame, star, information, question, important, ready, stop).
      diDataElementLargeImages.png (a 256 x 32 strip of the image element's commands:
      edit, apply, cancel, format, load from file, save to file, a spare picture frame,
      image) and diDataElementSmallImages.png (a 32 x 16 strip: image, data).
      diTitledLargeImages.png (a 64 x 32 strip of the titled elements' commands:
      collapsed, description).
      diLogImages.png (a 27 x 9 strip of the log's signs: hint, warning, error).

Only the standard library is used; the output is byte-for-byte the same on every run.
"""

import argparse
import os
import sys

from picture_files import write_png

CLEAR = (0, 0, 0, 0)
EDGE = (90, 110, 150, 255)
FACE = (226, 234, 248, 255)
INK = (60, 90, 160, 255)
STOP = (190, 50, 50, 255)


def canvas(width, height):
    return [[CLEAR] * width for _ in range(height)]


def element_box(pixels, x0, size):
    """A framed box with three text lines: the default element image."""
    last = size - 1
    for y in range(size):
        for x in range(size):
            edge = x in (0, last) or y in (0, last)
            pixels[y][x0 + x] = EDGE if edge else FACE
    step = max(2, size // 4)
    for i, y in enumerate(range(step, last - 1, step)):
        width = last - 2 * max(2, size // 6) - (i % 2) * (size // 5)
        for x in range(max(2, size // 6), max(2, size // 6) + width):
            if x < last - 1:
                pixels[y][x0 + x] = INK


def disabled_symbol(pixels, x0, size):
    """A circle with a stroke through it."""
    centre = (size - 1) / 2.0
    outer, inner = size / 2.0 - 1, size / 2.0 - 4.5
    for y in range(size):
        for x in range(size):
            dx, dy = x - centre, y - centre
            d2 = dx * dx + dy * dy
            ring = inner * inner <= d2 <= outer * outer
            stroke = abs(dx - dy) <= 2.2 and d2 <= outer * outer
            if ring or stroke:
                pixels[y][x0 + x] = STOP


# ---- the common elements' and the image element's pictures ----

import math

NOTE = (255, 236, 140, 255)
NOTE_EDGE = (190, 150, 40, 255)
FRAME = (110, 110, 120, 255)
GOLD = (245, 190, 30, 255)
GOLD_EDGE = (180, 120, 10, 255)
BLUE = (40, 110, 200, 255)
ORANGE = (230, 130, 30, 255)
RED = (210, 40, 40, 255)
GREEN = (40, 160, 60, 255)
WHITE = (255, 255, 255, 255)
SKY = (150, 200, 240, 255)
HILL = (70, 150, 70, 255)


def put(pixels, x, y, colour):
    if 0 <= y < len(pixels) and 0 <= x < len(pixels[0]):
        pixels[y][x] = colour


def rect(pixels, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(pixels, x, y, colour)


def box(pixels, x0, y0, x1, y1, face, edge):
    rect(pixels, x0, y0, x1, y1, edge)
    rect(pixels, x0 + 1, y0 + 1, x1 - 1, y1 - 1, face)


def disc(pixels, x0, size, colour, edge=None):
    centre = (size - 1) / 2.0
    radius = size / 2.0 - 0.5
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            if d <= radius:
                pixels[y][x0 + x] = edge if edge and d > radius - 1.2 else colour


def glyph(pixels, x0, y0, rows, colour):
    for dy, row in enumerate(rows):
        for dx, c in enumerate(row):
            if c == "#":
                put(pixels, x0 + dx, y0 + dy, colour)


def comment_image(pixels, x0):
    box(pixels, x0 + 1, 1, x0 + 14, 12, NOTE, NOTE_EDGE)
    for y, w in ((4, 9), (6, 10), (8, 7)):
        rect(pixels, x0 + 3, y, x0 + 3 + w - 1, y, NOTE_EDGE)
    glyph(pixels, x0 + 3, 13, ["###", "##", "#"], NOTE_EDGE)


def logic_frame_image(pixels, x0):
    for x in range(x0 + 1, x0 + 15):
        if x % 2:
            put(pixels, x, 15, FRAME)
    for y in range(5, 16):
        if y % 2:
            put(pixels, x0 + 1, y, FRAME)
            put(pixels, x0 + 14, y, FRAME)
    box(pixels, x0 + 0, 0, x0 + 13, 7, NOTE, NOTE_EDGE)
    box(pixels, x0 + 1, 1, x0 + 6, 6, WHITE, FRAME)
    rect(pixels, x0 + 2, 3, x0 + 5, 4, FRAME)
    rect(pixels, x0 + 8, 3, x0 + 11, 4, NOTE_EDGE)


def star_image(pixels, x0, size=16):
    cx, cy = (size - 1) / 2.0, size / 2.0
    outer, inner = size / 2.0 - 0.3, size / 5.0
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = -math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))

    def inside(px, py):
        hit = False
        for i in range(len(points)):
            (ax, ay), (bx, by) = points[i], points[i - 1]
            if (ay > py) != (by > py) and px < (bx - ax) * (py - ay) / (by - ay) + ax:
                hit = not hit
        return hit

    for y in range(size):
        for x in range(size):
            if inside(x + 0.5, y + 0.5):
                edge = not all(inside(x + 0.5 + dx, y + 0.5 + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                pixels[y][x0 + x] = GOLD_EDGE if edge else GOLD


def sign_disc(pixels, x0, colour, rows):
    disc(pixels, x0, 16, colour)
    glyph(pixels, x0 + 8 - (len(rows[0]) + 1) // 2, 8 - len(rows) // 2, rows, WHITE)


INFO = ["##", "", "##", "##", "##", "##", "##"]
QUESTION = ["####", "#  ##", "   ##", "  ##", " ##", "", " ##"]
CHECK = ["      #", "     ##", "#   ##", "## ##", " ###", "  #"]
CROSS = ["#   #", "## ##", " ### ", " ### ", "## ##", "#   #"]


def important_image(pixels, x0):
    for y in range(1, 16):
        half = (y - 1) * 7.5 / 14.0
        for x in range(16):
            if abs(x - 7.5) <= half + 0.5:
                edge = abs(x - 7.5) > half - 0.8 or y == 15
                pixels[y][x0 + x] = RED if edge else GOLD
    glyph(pixels, x0 + 7, 5, ["##", "##", "##", "##", "", "##"], (40, 20, 10, 255))


def picture_image(pixels, x0, size):
    last = size - 1
    box(pixels, x0, 2, x0 + last, last - 2, SKY, FRAME)
    sun = size // 4
    for y in range(size):
        for x in range(size):
            if math.hypot(x - (last - sun - 1), y - (sun + 3)) <= size / 10.0:
                put(pixels, x0 + x, y, GOLD)
    for x in range(1, last):
        top = int(last - 3 - (size / 3.0) * math.sin(math.pi * x / last))
        for y in range(top, last - 2):
            put(pixels, x0 + x, y, HILL)


def data_image(pixels, x0, size):
    last = size - 1
    box(pixels, x0 + 2, 0, x0 + last - 2, last, WHITE, FRAME)
    for y in range(3, last - 1, 3):
        rect(pixels, x0 + 4, y, x0 + last - 5, y, INK)


def large_command(pixels, x0, kind):
    if kind == "edit":
        picture_image(pixels, x0, 32)
        for i in range(14):
            rect(pixels, x0 + 14 + i, 26 - i - 2, x0 + 16 + i, 26 - i, ORANGE)
        rect(pixels, x0 + 12, 25, x0 + 13, 26, INK)
    elif kind == "apply":
        glyph(pixels, x0 + 4, 6, [" " * (16 - i) + "#" * 6 for i in range(10)], GREEN)
        glyph(pixels, x0 + 4, 10, [" " * i + "#" * 6 for i in range(10)], GREEN)
    elif kind == "cancel":
        for i in range(22):
            rect(pixels, x0 + 5 + i, 5 + i, x0 + 8 + i, 6 + i, RED)
            rect(pixels, x0 + 23 - i, 5 + i, x0 + 26 - i, 6 + i, RED)
    elif kind == "format":
        picture_image(pixels, x0, 24)
        box(pixels, x0 + 14, 16, x0 + 31, 31, WHITE, FRAME)
        glyph(pixels, x0 + 17, 21, ["### ###", "# # # #", "### ###", "#   # #", "#   ###"], BLUE)
    elif kind in ("load", "save"):
        box(pixels, x0 + 6, 2, x0 + 25, 29, WHITE, FRAME)
        for y in range(7, 27, 4):
            rect(pixels, x0 + 9, y, x0 + 22, y, SKY)
        arrow = [" " * (6 - i) + "#" * (2 * i + 2) for i in range(7)] + ["    ####"] * 5
        if kind == "save":
            arrow = arrow[::-1]
        glyph(pixels, x0 + 9, 14, arrow, GREEN)
    elif kind == "frame":
        for x in range(2, 30, 2):
            put(pixels, x0 + x, 2, FRAME)
            put(pixels, x0 + x, 29, FRAME)
        for y in range(2, 30, 2):
            put(pixels, x0 + 2, y, FRAME)
            put(pixels, x0 + 29, y, FRAME)
    elif kind == "image":
        picture_image(pixels, x0, 32)


def collapsed_command(pixels, x0):
    """A titled element folded up to its caption bar, a minus disc on the bar."""
    for x in range(x0 + 3, x0 + 29):
        if x % 2:
            put(pixels, x, 27, FRAME)
    for y in range(15, 28):
        if y % 2:
            put(pixels, x0 + 3, y, FRAME)
            put(pixels, x0 + 28, y, FRAME)
    box(pixels, x0 + 1, 4, x0 + 30, 14, NOTE, NOTE_EDGE)
    disc_at(pixels, x0 + 3, 5, 9, WHITE, FRAME)
    rect(pixels, x0 + 5, 9, x0 + 9, 9, FRAME)
    for y in (8, 10):
        rect(pixels, x0 + 14, y, x0 + 27 - (y - 8) * 2, y, NOTE_EDGE)
    # An arrow pointing up into the bar.
    for i in range(4):
        rect(pixels, x0 + 15 - i, 18 + i, x0 + 16 + i, 18 + i, INK)
    rect(pixels, x0 + 15, 22, x0 + 16, 25, INK)


def triangle(pixels, x0, corners, colour):
    """Fills the pixels whose centres lie inside the triangle `corners`."""
    (ax, ay), (bx, by), (cx, cy) = corners

    def side(px, py, qx, qy, rx, ry):
        return (qx - px) * (ry - py) - (qy - py) * (rx - px)

    for y in range(32):
        for x in range(32):
            px, py = x + 0.5, y + 0.5
            d1, d2, d3 = side(ax, ay, bx, by, px, py), side(bx, by, cx, cy, px, py), side(cx, cy, ax, ay, px, py)
            if (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0):
                put(pixels, x0 + x, y, colour)


def description_command(pixels, x0):
    """An element with a pale yellow speech bubble beside it, its pointer on the left."""
    box(pixels, x0 + 1, 12, x0 + 13, 27, FACE, EDGE)
    for y in (16, 19, 22):
        rect(pixels, x0 + 4, y, x0 + 10 - (y % 2) * 2, y, INK)
    box(pixels, x0 + 16, 3, x0 + 30, 17, NOTE, NOTE_EDGE)
    # The pointer: an edged wedge from the bubble's left side down to the element.
    triangle(pixels, x0, ((17, 6), (17, 15), (9, 19)), NOTE_EDGE)
    triangle(pixels, x0, ((18, 7.5), (18, 13.8), (11.6, 17.3)), NOTE)
    for y in (7, 10, 13):
        rect(pixels, x0 + 19, y, x0 + 27 - (y % 2) * 3, y, NOTE_EDGE)


def disc_at(pixels, x0, y0, size, colour, edge=None):
    centre = (size - 1) / 2.0
    radius = size / 2.0 - 0.5
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            if d <= radius:
                put(pixels, x0 + x, y0 + y, edge if edge and d > radius - 1.2 else colour)


def log_sign(pixels, x0, kind):
    """The 9 x 9 signs of log lines: a blue hint disc, an orange warning triangle, a red
    error disc with a cross."""
    if kind == "hint":
        disc_at(pixels, x0, 0, 9, BLUE)
        glyph(pixels, x0 + 4, 1, ["#", "", "#", "#", "#", "#"], WHITE)
    elif kind == "warning":
        for y in range(9):
            half = y / 2.0
            for x in range(9):
                if abs(x - 4) <= half:
                    put(pixels, x0 + x, y, ORANGE)
        glyph(pixels, x0 + 4, 3, ["#", "#", "#", "", "#"], WHITE)
    else:
        disc_at(pixels, x0, 0, 9, RED)
        glyph(pixels, x0 + 2, 2, ["#   #", " # # ", "  #  ", " # # ", "#   #"], WHITE)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["draw"])
    parser.add_argument("--out-dir", required=True)
    args = parser.parse_args(argv)
    for name, size in (("diClassesCharImages", 12), ("diClassesSmallImages", 16)):
        pixels = canvas(size, size)
        element_box(pixels, 0, size)
        write_png(os.path.join(args.out_dir, name + ".png"), size, size, pixels)
    pixels = canvas(64, 32)
    element_box(pixels, 0, 32)
    disabled_symbol(pixels, 32, 32)
    write_png(os.path.join(args.out_dir, "diClassesLargeImages.png"), 64, 32, pixels)

    pixels = canvas(128, 16)
    comment_image(pixels, 0)
    logic_frame_image(pixels, 16)
    star_image(pixels, 32)
    sign_disc(pixels, 48, BLUE, INFO)
    sign_disc(pixels, 64, ORANGE, QUESTION)
    important_image(pixels, 80)
    sign_disc(pixels, 96, GREEN, CHECK)
    sign_disc(pixels, 112, RED, CROSS)
    write_png(os.path.join(args.out_dir, "diCommonElementsSmallImages.png"), 128, 16, pixels)

    pixels = canvas(256, 32)
    for i, kind in enumerate(("edit", "apply", "cancel", "format", "load", "save", "frame", "image")):
        large_command(pixels, 32 * i, kind)
    write_png(os.path.join(args.out_dir, "diDataElementLargeImages.png"), 256, 32, pixels)
    pixels = canvas(32, 16)
    picture_image(pixels, 0, 16)
    data_image(pixels, 16, 16)
    write_png(os.path.join(args.out_dir, "diDataElementSmallImages.png"), 32, 16, pixels)

    pixels = canvas(64, 32)
    collapsed_command(pixels, 0)
    description_command(pixels, 32)
    write_png(os.path.join(args.out_dir, "diTitledLargeImages.png"), 64, 32, pixels)

    pixels = canvas(27, 9)
    for i, kind in enumerate(("hint", "warning", "error")):
        log_sign(pixels, 9 * i, kind)
    write_png(os.path.join(args.out_dir, "diLogImages.png"), 27, 9, pixels)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
