#!/usr/bin/env python3
"""Prints a TrueType font's metrics as the engine derives them, read with fontTools.

Usage: truetype_metrics.py FONT ENCODING   (ENCODING 1 Mac Roman, other WinAnsi)

An oracle for the engine's TrueType reader: the same rules, applied to the tables as
fontTools decodes them. Exits with 77 when fontTools is not installed.
"""
import sys

try:
    from fontTools.ttLib import TTFont
except ImportError:
    sys.exit(77)

ENGLISH = {0x409, 0x809, 0xC09, 0x1009, 0x1409, 0x1809}


def windows_format4(font):
    for encoding in (1, 0):
        for table in font["cmap"].tables:
            if (table.platformID, table.platEncID, table.format) == (3, encoding, 4):
                return table, encoding == 0
    raise SystemExit("no Windows format-4 cmap")


def character_of(code, encoding):
    if encoding == 1:
        return 0xA4 if code == 0xDB else ord(bytes([code]).decode("mac_roman"))
    try:
        return ord(bytes([code]).decode("cp1252"))
    except UnicodeDecodeError:
        return code


def full_name(font, encoding):
    chosen = None
    for record in font["name"].names:
        if (record.platformID, record.platEncID, record.nameID) != (3, encoding, 4):
            continue
        if chosen is None or record.langID in ENGLISH:
            chosen = record
        if record.langID in ENGLISH:
            break
    low_bytes = chosen.toBytes()[1::2]
    return "".join(chr(b) for b in low_bytes if b not in (0x20, 0))


def main():
    font = TTFont(sys.argv[1])
    encoding = int(sys.argv[2])
    scale = 1000.0 / font["head"].unitsPerEm
    os2, post, hmtx, glyf = font["OS/2"], font["post"], font["hmtx"], font["glyf"]
    cmap, symbolic = windows_format4(font)
    order = font.getGlyphOrder()

    def glyph_of(code):
        if symbolic:
            return cmap.cmap.get(0xF000 + code) or cmap.cmap.get(code) or order[0]
        return cmap.cmap.get(character_of(code, encoding), order[0])

    widths, box = [], None
    for code in range(256):
        name = glyph_of(code)
        widths.append(round(hmtx[name][0] * scale))
        glyph = glyf[name]
        if glyph.numberOfContours >= 0 and hasattr(glyph, "xMin"):
            corners = (glyph.xMin, glyph.yMin, glyph.xMax, glyph.yMax)
            box = corners if box is None else (min(box[0], corners[0]), min(box[1], corners[1]),
                                               max(box[2], corners[2]), max(box[3], corners[3]))
    angle = post.italicAngle
    whole = int(angle // 1)
    fraction = round((angle - whole) * 65536)
    print("name", full_name(font, 0 if symbolic else 1))
    print("ascent", round(os2.usWinAscent * scale))
    print("descent", round(-os2.usWinDescent * scale))
    print("weight", os2.usWeightClass)
    print("italic_hundredths", round((whole + fraction / 65535) * 100))
    print("fixed_pitch", int(post.isFixedPitch != 0))
    print("symbolic", int(symbolic))
    print("max_width", round(font["hhea"].advanceWidthMax * scale))
    print("avg_width", round(os2.xAvgCharWidth * scale))
    print("missing_width", round(hmtx[order[0]][0] * scale))
    print("bbox", *(round(v * scale) for v in (box or (0, 0, 0, 0))))
    print("widths", *widths)


main()
