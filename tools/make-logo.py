#!/usr/bin/env python3
"""The vendor's logo of the About box.

  make-logo.py draw --out-dir resources/images
      Draws Logo.png (96 x 32): a rounded blue badge with a white quill stroke, then
      three bars that stand for the vendor's name.

Only the standard library is used; the output is byte-for-byte the same on every run.
"""

import argparse
import os
import sys

from picture_files import write_png

CLEAR = (0, 0, 0, 0)
BADGE = (46, 92, 168, 255)
QUILL = (255, 255, 255, 255)
BARS = (70, 80, 100, 255)
ACCENT = (230, 150, 40, 255)

WIDTH, HEIGHT = 96, 32


def draw(pixels):
    # The badge: a 28 x 28 square with rounded corners.
    radius = 6
    for y in range(2, 30):
        for x in range(2, 30):
            cx = min(max(x, 2 + radius), 29 - radius)
            cy = min(max(y, 2 + radius), 29 - radius)
            if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                pixels[y][x] = BADGE
    # The quill: a thick diagonal stroke with a thin tip, and a line it writes.
    for y in range(6, 24):
        for x in range(6, 26):
            d = abs((x - 6) - (23 - y) * 1.05)
            width = 2.6 if y < 18 else 1.2
            if d <= width and x >= 8:
                pixels[y][x] = QUILL
    for x in range(7, 25):
        pixels[25][x] = ACCENT
    # The name: three bars of falling length.
    for i, length in enumerate((58, 46, 34)):
        y0 = 7 + i * 7
        for y in range(y0, y0 + 4):
            for x in range(36, 36 + length):
                if x < WIDTH - 2:
                    pixels[y][x] = BARS if i else BADGE


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["draw"])
    parser.add_argument("--out-dir", required=True)
    args = parser.parse_args(argv)
    pixels = [[CLEAR] * WIDTH for _ in range(HEIGHT)]
    draw(pixels)
    write_png(os.path.join(args.out_dir, "Logo.png"), WIDTH, HEIGHT, pixels)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
