#!/usr/bin/env python3
"""The element images that start the three element image lists.

  make-element-images.py draw --out-dir resources/images
      Draws diClassesCharImages.png (one 12 x 12 default element image),
      diClassesSmallImages.png (one 16 x 16 default element image) and
      diClassesLargeImages.png (a 64 x 32 strip: the 32 x 32 default element image, then
      the Disabled symbol).

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
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
