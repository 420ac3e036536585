#!/usr/bin/env python3
"""Writes KxSymbolProbe.ttf: a two-glyph TrueType font whose only character map is a symbol
encoding (platform 3, encoding 0) mapping U+F041 to a filled square 0.8 em wide and high, standing
on the baseline from 0.1 em. Glyph 0 is empty, so a character the map lacks draws nothing."""
import struct
import sys

FAMILY = "KxSymbolProbe"


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def glyph_square():
    head = struct.pack(">hhhhh", 1, 100, 0, 900, 800)
    body = struct.pack(">HH", 3, 0) + bytes([1, 1, 1, 1])
    xs = struct.pack(">4h", 100, 0, 800, 0)
    ys = struct.pack(">4h", 0, 800, 0, -800)
    g = head + body + xs + ys
    return g + b"\0" * (len(g) % 2)


def cmap():
    sub = struct.pack(">7H", 4, 32, 0, 4, 4, 1, 0)
    sub += struct.pack(">2H", 0xF041, 0xFFFF) + struct.pack(">H", 0)
    sub += struct.pack(">2H", 0xF041, 0xFFFF)
    sub += struct.pack(">2H", (1 - 0xF041) & 0xFFFF, 1)
    sub += struct.pack(">2H", 0, 0)
    return struct.pack(">HH", 0, 1) + struct.pack(">HHI", 3, 0, 12) + sub


def name():
    names = {1: FAMILY, 2: "Regular", 4: FAMILY, 6: FAMILY}
    records, strings = b"", b""
    for platform, encoding, language, codec in ((1, 0, 0, "latin-1"), (3, 1, 0x409, "utf-16-be")):
        for nid, text in names.items():
            s = text.encode(codec)
            records += struct.pack(">6H", platform, encoding, language, nid, len(s), len(strings))
            strings += s
    count = len(records) // 12
    return struct.pack(">3H", 0, count, 6 + len(records)) + records + strings


def os2():
    t = struct.pack(">HhHHH", 1, 1000, 400, 5, 0)
    t += struct.pack(">10h", 650, 700, 0, 140, 650, 700, 0, 480, 50, 250)
    t += struct.pack(">h", 0) + bytes(10) + struct.pack(">4I", 0, 0, 0, 0) + b"KXLB"
    t += struct.pack(">HHH", 0x40, 0xF041, 0xF041)
    t += struct.pack(">hhhHH", 800, -200, 0, 800, 200)
    t += struct.pack(">II", 0x80000000, 0)
    return t


def font():
    glyf = glyph_square()
    tables = {
        b"OS/2": os2(),
        b"cmap": cmap(),
        b"glyf": glyf,
        b"head": struct.pack(">IIIIHHqqhhhhHHhhh", 0x10000, 0x10000, 0, 0x5F0F3CF5, 0x000B, 1000, 0, 0,
                             100, 0, 900, 800, 0, 8, 2, 0, 0),
        b"hhea": struct.pack(">Ihhh H hhh hhh 4h hH".replace(" ", ""), 0x10000, 800, -200, 0, 1000, 0, 100, 900,
                             1, 0, 0, 0, 0, 0, 0, 0, 2),
        b"hmtx": struct.pack(">4h", 1000, 0, 1000, 100),
        b"loca": struct.pack(">3H", 0, 0, len(glyf) // 2),
        b"maxp": struct.pack(">I13H", 0x10000, 2, 4, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0),
        b"name": name(),
        b"post": struct.pack(">IIhhIIIII", 0x30000, 0, -100, 50, 0, 0, 0, 0, 0),
    }
    count = len(tables)
    search = 16 * 2 ** (count.bit_length() - 1)
    header = struct.pack(">IHHHH", 0x10000, count, search, count.bit_length() - 1, count * 16 - search)
    offset = len(header) + 16 * count
    directory, body = b"", b""
    for tag in sorted(tables):
        data = tables[tag]
        directory += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        body += data + b"\0" * (-len(data) % 4)
    result = bytearray(header + directory + body)
    head_at = offset + body.index(tables[b"head"])
    struct.pack_into(">I", result, head_at + 8, (0xB1B0AFBA - checksum(bytes(result))) & 0xFFFFFFFF)
    return bytes(result)


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "KxSymbolProbe.ttf", "wb") as f:
        f.write(font())
