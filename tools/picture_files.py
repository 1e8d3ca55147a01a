"""Shared pieces of the picture tools: a plain PNG writer, writing a file only when its
bytes change, and a byte array in C++ source. Only the standard library is used."""

import os
import struct
import zlib


def write_png(path, width, height, pixels):
    """pixels: list of rows of (r, g, b, a) tuples."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    write_if_changed(path, png)


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def cpp_byte_array(ident, data):
    """A C++ definition of the bytes as `const unsigned char ident[]`, 20 bytes a line."""
    lines = []
    for i in range(0, len(data), 20):
        lines.append("    " + ", ".join("0x%02X" % b for b in data[i:i + 20]) + ",")
    return "const unsigned char %s[] = {\n%s\n};\n" % (ident, "\n".join(lines))
