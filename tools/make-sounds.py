#!/usr/bin/env python3
"""The program's short feedback sounds.

  make-sounds.py write --out-dir resources/sounds
      Writes one wave file per sound, named after the sound: 16-bit PCM, mono,
      22,050 samples per second, 25 to 160 ms long (about 1 to 7 KB each), quiet (peaks
      at a quarter of full scale) and faded in and out so that they start and end
      without a crack. The build makes each file a raw-data resource of that name.

Only the standard library is used; the output is byte-for-byte the same on every run.
"""

import argparse
import math
import os
import struct
import sys

from picture_files import write_if_changed

RATE = 22050
PEAK = 0.25  # of full scale


def tone(ms, parts, fade_in_ms=4.0, decay=None):
    """Samples (floats in -1..1) of `ms` milliseconds: the sum of `parts`, each a
    (start Hz, end Hz, weight) glide, under a short fade-in and a fade-out over the
    last third (or an exponential decay with the time constant `decay` ms)."""
    count = int(RATE * ms / 1000)
    phases = [0.0] * len(parts)
    total = sum(w for _, _, w in parts)
    samples = []
    fade_in = max(1, int(RATE * fade_in_ms / 1000))
    fade_out = max(1, count // 3)
    for i in range(count):
        t = i / count
        value = 0.0
        for k, (f0, f1, weight) in enumerate(parts):
            frequency = f0 + (f1 - f0) * t
            phases[k] += 2 * math.pi * frequency / RATE
            value += weight * math.sin(phases[k])
        value /= total
        envelope = min(1.0, i / fade_in)
        if decay is not None:
            envelope *= math.exp(-(i * 1000 / RATE) / decay)
        remaining = count - 1 - i
        if remaining < fade_out:
            envelope *= remaining / fade_out
        samples.append(value * envelope)
    return samples


def sequence(*pieces):
    out = []
    for piece in pieces:
        out.extend(piece)
    return out


def silence(ms):
    return [0.0] * int(RATE * ms / 1000)


# name -> samples; each distinct in pitch and shape.
SOUNDS = {
    # The list opens: a soft rising pop.
    "diClassesDropDownSound": lambda: tone(60, [(620, 940, 1.0), (1240, 1880, 0.25)]),
    # A value is taken: two short notes, a fifth apart.
    "diClassesValueSound": lambda: sequence(tone(45, [(880, 880, 1.0)]), tone(70, [(1320, 1320, 1.0)], decay=35)),
    # A palette item runs: a dry tick.
    "diClassesItemSound": lambda: tone(25, [(1500, 1300, 1.0), (3000, 2600, 0.3)], fade_in_ms=1.0),
    # An element is inserted: a low knock, then a higher one.
    "diClassesElementSound": lambda: sequence(tone(35, [(520, 520, 1.0)]), silence(10), tone(45, [(780, 780, 1.0)])),
    # Disabled: a short fall.
    "diClassesDisableSound": lambda: tone(70, [(760, 470, 1.0)]),
    # Expanded: a quick upward glide; collapsed: the same downwards.
    "diExpandButtonExpandSound": lambda: tone(45, [(480, 820, 1.0)]),
    "diExpandButtonCollapseSound": lambda: tone(45, [(820, 480, 1.0)]),
    # A message reaches the log: a small bell that dies away.
    "diLogMessageSound": lambda: tone(160, [(990, 990, 1.0), (1980, 1980, 0.35), (2970, 2970, 0.15)], decay=50),
}


def wave_bytes(samples):
    frames = bytearray()
    for s in samples:
        frames += struct.pack("<h", max(-32767, min(32767, int(round(s * PEAK * 32767)))))
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)  # PCM, mono, 16 bit
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(frames)) + bytes(frames)
    if len(frames) % 2:
        body += b"\0"
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write(out_dir):
    for name, make in SOUNDS.items():
        write_if_changed(os.path.join(out_dir, name + ".wav"), wave_bytes(make()))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    w = commands.add_parser("write")
    w.add_argument("--out-dir", required=True)
    args = parser.parse_args(argv)
    if args.command == "write":
        write(args.out_dir)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
