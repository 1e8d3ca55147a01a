#!/usr/bin/env python3
"""The built-in theme's picture and its embedding into the program.

  make-default-theme.py draw --out resources/themes/Default.png
      Draws the 150 x 129 theme image (32-bit with alpha) deterministically and writes it
      as a plain PNG. Every decoration sits inside the cut that resources/themes/Default.txt
      gives it; the colour pixels that the info text points at are set exactly.

  make-default-theme.py test-images --out-dir tests/data/themes
      Writes the small pictures of the test themes.

  make-default-theme.py embed --name NAME --info INFO.txt --image IMAGE.png --out OUT.cpp
      Writes a C++ source that carries both files as the raw-data resources NAME + "Info"
      and NAME + "Image" of the program (render/ThemeResources.h).

Only the standard library is used; the output is byte-for-byte the same on every run.
"""

import argparse
import math
import os
import sys

from picture_files import cpp_byte_array, write_if_changed, write_png

WIDTH, HEIGHT = 150, 129


# ---------------------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0, 0) for _ in range(width)] for _ in range(height)]

    def set(self, x, y, color):
        assert 0 <= x < self.width and 0 <= y < self.height, (x, y)
        self.pixels[y][x] = color

    def over(self, x, y, color, coverage=1.0):
        """Straight-alpha source-over of color (r, g, b, a) scaled by coverage."""
        r, g, b, a = color
        sa = a / 255.0 * max(0.0, min(1.0, coverage))
        if sa <= 0:
            return
        dr, dg, db, da = self.pixels[y][x]
        da /= 255.0
        oa = sa + da * (1 - sa)
        if oa <= 0:
            return
        mix = lambda s, d: int(round((s * sa + d * da * (1 - sa)) / oa))
        self.pixels[y][x] = (mix(r, dr), mix(g, dg), mix(b, db), int(round(oa * 255)))

    def fill_region(self, box, color, inside, samples=4):
        """Covers the pixels of box (inclusive x0, y0, x1, y1) by the share of the sample
        points for which inside(x, y) holds; x and y are relative to the box's corner."""
        x0, y0, x1, y1 = box
        n = samples * samples
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        px = x - x0 + (sx + 0.5) / samples
                        py = y - y0 + (sy + 0.5) / samples
                        if inside(px, py):
                            hits += 1
                if hits:
                    self.over(x, y, color, hits / n)

    def region_is_clear(self, box):
        x0, y0, x1, y1 = box
        return all(self.pixels[y][x][3] == 0 for y in range(y0, y1 + 1) for x in range(x0, x1 + 1))


def in_round_rect(w, h, radius, inset=0.0):
    """Inside test of a rounded rectangle of w x h pixels, shrunk by inset on every side."""
    left, top, right, bottom = inset, inset, w - inset, h - inset
    r = max(0.0, radius - inset)

    def inside(px, py):
        if px < left or px > right or py < top or py > bottom:
            return False
        cx = min(max(px, left + r), right - r)
        cy = min(max(py, top + r), bottom - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r
    return inside


def in_ring(w, h, radius, width, inset=0.0):
    outer = in_round_rect(w, h, radius, inset)
    inner = in_round_rect(w, h, radius, inset + width)
    return lambda px, py: outer(px, py) and not inner(px, py)


def in_disc(cx, cy, r):
    return lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def in_polygon(points):
    def inside(px, py):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def in_thick_line(ax, ay, bx, by, half):
    def inside(px, py):
        dx, dy = bx - ax, by - ay
        t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
        t = max(0.0, min(1.0, t))
        qx, qy = ax + t * dx, ay + t * dy
        return (px - qx) ** 2 + (py - qy) ** 2 <= half * half
    return inside


def size(box):
    return box[2] - box[0] + 1, box[3] - box[1] + 1


# ---------------------------------------------------------------------------- the theme image

# Cuts (inclusive corners) as the info text gives them.
CUTS = {
    "Element": (0, 0, 22, 22),
    "ExternalEditingMode": (33, 0, 40, 7),
    "Mark": (41, 0, 47, 6),
    "Comment": (59, 0, 77, 13),
    "Line": (64, 15, 78, 15),
    "Description": (80, 0, 108, 15),
    "ImageChess": (30, 16, 41, 27),
    "Unaccepted": (43, 16, 54, 26),
    "Field": (0, 29, 14, 43),
    "Substitution": (26, 29, 40, 49),
    "SubstitutionVertNext": (52, 28, 59, 29),
    "SubstitutionHorzNext": (61, 29, 62, 49),
    "CheckBoxChecked": (26, 51, 39, 64),
    "CheckBoxUnchecked": (41, 51, 54, 64),
    "NeedValue": (56, 51, 69, 64),
    "Error": (71, 51, 84, 64),
    "FrameSingle": (29, 87, 33, 91),
    "FrameDot": (34, 87, 39, 92),
    "Referenced": (46, 89, 52, 95),
    "LogicFrame": (33, 97, 52, 117),
    "LogicFrameCollapsed": (54, 86, 74, 106),
    "LogicFrameExpanded": (79, 86, 99, 106),
    "LogicFrameCollapsedData": (104, 86, 124, 106),
    "LogicFrameExpandedData": (129, 86, 149, 106),
    "Collapsed": (54, 108, 74, 128),
    "Expanded": (79, 108, 99, 128),
    "CollapsedData": (104, 108, 124, 128),
    "ExpandedData": (129, 108, 149, 128),
}

# Single pixels that the info text reads as colours: opaque font colours and tints of alpha 133.
KEY_PIXELS = {
    (26, 0): (239, 242, 255, 255),
    (27, 0): (42, 55, 104, 255),
    (28, 0): (0, 0, 0, 255),
    (29, 0): (0, 0, 0, 255),
    (30, 0): (0, 0, 0, 255),
    (31, 0): (142, 137, 104, 255),
    (24, 0): (103, 130, 254, 133),
    (24, 1): (166, 200, 235, 133),
    (24, 2): (13, 98, 195, 133),
    (24, 3): (182, 166, 195, 133),
    (16, 29): (228, 236, 251, 133),
    (16, 30): (231, 214, 250, 133),
    (16, 31): (243, 215, 204, 133),
    (16, 32): (207, 243, 226, 133),
}

WHITE = (255, 255, 255, 255)
NOTE_YELLOW = (254, 248, 203, 255)
NOTE_EDGE = (214, 196, 120, 255)
SOFT_GREY = (160, 160, 160, 255)
FRAME_BLUE = (150, 170, 210, 255)
DOT_GREY = (120, 120, 120, 255)


def draw_element(c):
    box = CUTS["Element"]
    w, h = size(box)
    # A white disc whose edge fades out; a light ring keeps the tinted box's outline visible.
    c.fill_region(box, (205, 205, 210, 255), in_disc(w / 2, h / 2, w / 2))
    c.fill_region(box, WHITE, in_disc(w / 2, h / 2, w / 2 - 1.2))


def draw_tile(c):
    x0, y0, x1, y1 = CUTS["ExternalEditingMode"]
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c.set(x, y, (0, 0, 0, 39))


def draw_mark(c):
    box = CUTS["Mark"]
    w, h = size(box)
    c.fill_region(box, (220, 30, 30, 255), in_ring(w, h, 3, 2))


def draw_comment(c):
    box = CUTS["Comment"]
    w, h = size(box)
    fold = 6
    body = in_polygon([(0, 0), (w - fold, 0), (w, fold), (w, h), (0, h)])
    c.fill_region(box, NOTE_EDGE, body)
    inner = in_polygon([(1, 1), (w - fold - 0.4, 1), (w - 1, fold + 0.4), (w - 1, h - 1), (1, h - 1)])
    c.fill_region(box, NOTE_YELLOW, inner)
    # The folded corner.
    c.fill_region(box, (236, 222, 160, 255), in_polygon([(w - fold, 0), (w - fold, fold), (w, fold)]))


def draw_line(c):
    x0, y0, x1, y1 = CUTS["Line"]
    for x in range(x0, x1 + 1):
        c.set(x, y0, (255, 255, 255, 160))


def draw_description(c):
    box = CUTS["Description"]
    w, h = size(box)
    # A bubble right of an 8-pixel band that holds its pointer; the last two columns and rows
    # stay clear (the info text makes them mouse-transparent).
    body = in_round_rect(w - 2 - 8, h - 2, 4)
    c.fill_region(box, NOTE_EDGE, lambda px, py: body(px - 8, py) or in_polygon([(0, 3), (9, 2), (9, 9)])(px, py))
    inner = in_round_rect(w - 2 - 8, h - 2, 4, 1)
    c.fill_region(box, NOTE_YELLOW,
                  lambda px, py: inner(px - 8, py) or in_polygon([(1.6, 3.4), (9.5, 3), (9.5, 8)])(px, py))


def draw_chess(c):
    x0, y0, x1, y1 = CUTS["ImageChess"]
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            light = ((x - x0) // 6 + (y - y0) // 6) % 2 == 0
            c.set(x, y, (255, 255, 255, 255) if light else (204, 204, 204, 255))


def draw_unaccepted(c):
    x0, y0, x1, y1 = CUTS["Unaccepted"]
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            c.set(x, y, (150, 150, 150, 255) if edge else (243, 243, 243, 255))


def draw_field(c):
    # The outer columns and rows hold a faint shadow, so that "Container", which leaves out
    # the outer columns, is the same rounded box without it.
    box = CUTS["Field"]
    w, h = size(box)
    c.fill_region(box, (0, 0, 0, 28), in_round_rect(w, h, 5))
    c.fill_region(box, SOFT_GREY, in_round_rect(w, h, 4.5, 1))
    c.fill_region(box, WHITE, in_round_rect(w, h, 4, 2))


def draw_substitution(c):
    box = CUTS["Substitution"]
    w, h = size(box)
    c.fill_region(box, FRAME_BLUE, in_round_rect(w, h, 5))
    c.fill_region(box, (236, 242, 252, 255), in_round_rect(w, h, 5, 1))
    x0, y0, x1, y1 = CUTS["SubstitutionVertNext"]
    for x in range(x0, x1 + 1):
        c.set(x, y0, FRAME_BLUE)
    x0, y0, x1, y1 = CUTS["SubstitutionHorzNext"]
    for y in range(y0, y1 + 1):
        c.set(x0, y, FRAME_BLUE)


def draw_check_box(c, name, checked):
    box = CUTS[name]
    w, h = size(box)
    c.fill_region(box, (150, 160, 180, 255), in_disc(w / 2, h / 2, w / 2))
    c.fill_region(box, (242, 245, 250, 255), in_disc(w / 2, h / 2, w / 2 - 1))
    if checked:
        tick = lambda px, py: in_thick_line(3.5, 7.5, 6, 10, 1.0)(px, py) or in_thick_line(6, 10, 10.5, 4, 1.0)(px, py)
        c.fill_region(box, (30, 110, 40, 255), tick)


def draw_need_value(c):
    box = CUTS["NeedValue"]
    w, h = size(box)
    cx, cy = w / 2, h / 2
    arms = []
    for i in range(3):
        angle = math.pi / 2 + i * math.pi / 3
        dx, dy = math.cos(angle) * 5.5, math.sin(angle) * 5.5
        arms.append((cx - dx, cy - dy, cx + dx, cy + dy))
    outline = lambda px, py: any(in_thick_line(*a, 2.0)(px, py) for a in arms)
    star = lambda px, py: any(in_thick_line(*a, 1.2)(px, py) for a in arms)
    c.fill_region(box, (170, 120, 0, 255), outline)
    c.fill_region(box, (250, 200, 20, 255), star)


def draw_error(c):
    box = CUTS["Error"]
    w, h = size(box)
    c.fill_region(box, (160, 20, 20, 255), in_polygon([(w / 2, 0.3), (w - 0.3, h - 0.8), (0.3, h - 0.8)]))
    c.fill_region(box, (225, 45, 45, 255), in_polygon([(w / 2, 2.2), (w - 2, h - 1.8), (2, h - 1.8)]))
    c.fill_region(box, WHITE, lambda px, py: (6.3 <= px <= 7.7 and 4.5 <= py <= 8.8) or in_disc(7, 10.4, 0.8)(px, py))


def draw_frames(c):
    x0, y0, x1, y1 = CUTS["FrameSingle"]
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if x in (x0, x1) or y in (y0, y1):
                c.set(x, y, (128, 128, 128, 255))
    x0, y0, x1, y1 = CUTS["FrameDot"]
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if (x in (x0, x1) or y in (y0, y1)) and (x - x0 + y - y0) % 2 == 0:
                c.set(x, y, DOT_GREY)
    box = CUTS["Referenced"]
    w, h = size(box)
    c.fill_region(box, (40, 90, 190, 255), in_disc(w / 2, h / 2, w / 2))
    # The logic frame: a dotted rounded outline with an empty centre. Dots fall on every
    # second pixel, so that the tiled middle bands (six pixels) keep the rhythm.
    x0, y0, x1, y1 = CUTS["LogicFrame"]
    w, h = size(CUTS["LogicFrame"])
    ring = in_ring(w, h, 6, 1.2)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if (x - x0 + y - y0) % 2 == 0 and ring(x - x0 + 0.5, y - y0 + 0.5):
                c.set(x, y, DOT_GREY)


def draw_expand_button(c, name, plus, data, logic):
    box = CUTS[name]
    fill = (236, 246, 236, 255) if logic else (236, 241, 250, 255)
    edge = (140, 180, 140, 255) if logic else (150, 165, 200, 255)
    sign = (25, 70, 160, 255) if data else (120, 130, 150, 255)
    c.fill_region(box, edge, in_disc(10, 10, 10))
    c.fill_region(box, fill, in_disc(10, 10, 9))
    bar = lambda px, py: 5 <= px <= 15 and 9 <= py <= 11
    upright = lambda px, py: 9 <= px <= 11 and 5 <= py <= 15
    c.fill_region(box, sign, (lambda px, py: bar(px, py) or upright(px, py)) if plus else bar)


def check_cuts():
    for name, (x0, y0, x1, y1) in CUTS.items():
        assert 0 <= x0 <= x1 < WIDTH and 0 <= y0 <= y1 < HEIGHT, name
    # Overlapping cuts are only the ones that share their picture on purpose.
    for (x, y) in KEY_PIXELS:
        for name, (x0, y0, x1, y1) in CUTS.items():
            assert not (x0 <= x <= x1 and y0 <= y <= y1), ("key pixel inside a cut", (x, y), name)


def draw_theme():
    check_cuts()
    c = Canvas(WIDTH, HEIGHT)
    draw_element(c)
    draw_tile(c)
    draw_mark(c)
    draw_comment(c)
    draw_line(c)
    draw_description(c)
    draw_chess(c)
    draw_unaccepted(c)
    draw_field(c)
    draw_substitution(c)
    draw_check_box(c, "CheckBoxChecked", True)
    draw_check_box(c, "CheckBoxUnchecked", False)
    draw_need_value(c)
    draw_error(c)
    draw_frames(c)
    for logic in (False, True):
        prefix = "LogicFrame" if logic else ""
        draw_expand_button(c, prefix + "Collapsed", True, False, logic)
        draw_expand_button(c, prefix + "CollapsedData", True, True, logic)
        draw_expand_button(c, prefix + "Expanded", False, False, logic)
        draw_expand_button(c, prefix + "ExpandedData", False, True, logic)
    for (x, y), color in KEY_PIXELS.items():
        c.set(x, y, color)
    return c


# ---------------------------------------------------------------------------- test pictures

def draw_test_theme():
    """A 40 x 20 picture: a 10 x 10 frame at (0,0) with 3-pixel red borders and a blue centre,
    a 4 x 4 opaque green block at (12,0), colour pixels in row 19, the rest transparent."""
    c = Canvas(40, 20)
    for y in range(10):
        for x in range(10):
            border = x < 3 or x > 6 or y < 3 or y > 6
            c.set(x, y, (255, 0, 0, 255) if border else (0, 0, 255, 255))
    for y in range(4):
        for x in range(12, 16):
            c.set(x, y, (0, 255, 0, 255))
    c.set(0, 19, (10, 20, 30, 255))      # a font colour
    c.set(1, 19, (200, 100, 50, 255))    # a shadow colour
    c.set(2, 19, (0, 0, 0, 0))           # fully transparent: no shadow
    c.set(3, 19, (40, 50, 60, 128))      # an overlay colour
    c.set(39, 19, (1, 2, 3, 255))        # the bottom-right corner
    return c


# ---------------------------------------------------------------------------- embedding

def embed(name, info_path, image_path, out_path):
    with open(info_path, "rb") as f:
        info = f.read()
    with open(image_path, "rb") as f:
        image = f.read()
    text = (
        "// Generated by tools/make-default-theme.py from %s and %s; do not edit.\n"
        '#include "render/ThemeResources.h"\n\n'
        "namespace quillora {\n\nnamespace {\n%s\n%s\n} // namespace\n\n"
        "extern const TEmbeddedResource EmbeddedThemeResources[] = {\n"
        '    {u"%sInfo", ThemeInfo, sizeof ThemeInfo},\n'
        '    {u"%sImage", ThemeImage, sizeof ThemeImage},\n'
        "};\n"
        "extern const size_t EmbeddedThemeResourceCount = 2;\n\n"
        "} // namespace quillora\n"
    ) % (os.path.basename(info_path), os.path.basename(image_path), cpp_byte_array("ThemeInfo", info),
         cpp_byte_array("ThemeImage", image), name, name)
    write_if_changed(out_path, text.encode("ascii"))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("draw")
    p.add_argument("--out", required=True)
    p = sub.add_parser("test-images")
    p.add_argument("--out-dir", required=True)
    p = sub.add_parser("embed")
    p.add_argument("--name", required=True)
    p.add_argument("--info", required=True)
    p.add_argument("--image", required=True)
    p.add_argument("--out", required=True)
    args = parser.parse_args(argv)

    if args.command == "draw":
        c = draw_theme()
        write_png(args.out, c.width, c.height, c.pixels)
    elif args.command == "test-images":
        c = draw_test_theme()
        for name in ("Sample", "Broken"):
            write_png(os.path.join(args.out_dir, name + ".png"), c.width, c.height, c.pixels)
    else:
        embed(args.name, args.info, args.image, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
