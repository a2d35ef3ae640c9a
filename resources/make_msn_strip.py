#!/usr/bin/env python3
"""Writes images/msn.png: the 138x3 strip under every popup, 24-bit RGB, white at the left to #01AAE0 at the right.

Run it again only if the strip should change; the PNG it writes is committed.
"""
import struct
import zlib

WIDTH, HEIGHT = 138, 3
START = (0xFF, 0xFF, 0xFF)
END = (0x01, 0xAA, 0xE0)


def channel(a, b, x):
    # even steps from a (column 0) to b (last column), rounded to the nearest value
    span = WIDTH - 1
    d = (b - a) * x
    return a + (d + span // 2) // span if d >= 0 else a - ((-d + span // 2) // span)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


row = b"".join(bytes(channel(START[c], END[c], x) for c in range(3)) for x in range(WIDTH))
raw = b"".join(b"\x00" + row for _ in range(HEIGHT))
png = (b"\x89PNG\r\n\x1a\n"
       + chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(raw, 9))
       + chunk(b"IEND", b""))
with open("images/msn.png", "wb") as f:
    f.write(png)
