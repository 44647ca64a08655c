#!/usr/bin/env python3
"""Points a GIF's background colour index at its transparent colour.

The engine prints a GIF's background index as transparent, so the colour meant to let the
page show through must be the background colour. Image editors set the two separately; this
rewrites byte 11 of the logical screen descriptor with the transparent index of the first
graphic control extension. Usage: gif_background_is_transparent.py FILE...
"""
import sys


def transparent_index(data: bytes) -> int:
    packed = data[10]
    pos = 13 + (3 * (2 << (packed & 7)) if packed & 0x80 else 0)
    while pos < len(data):
        if data[pos] == 0x21 and data[pos + 1] == 0xF9:
            if not data[pos + 3] & 1:
                raise SystemExit("the graphic control extension marks no transparent colour")
            return data[pos + 6]
        if data[pos] == 0x21:  # another extension: skip its sub-blocks
            pos += 2
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
            continue
        break
    raise SystemExit("no graphic control extension before the first image")


for name in sys.argv[1:]:
    with open(name, "rb") as f:
        gif = bytearray(f.read())
    if gif[:6] not in (b"GIF87a", b"GIF89a"):
        raise SystemExit(f"{name}: not a GIF")
    gif[11] = transparent_index(gif)
    with open(name, "wb") as f:
        f.write(gif)
