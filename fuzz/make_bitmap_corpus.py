#!/usr/bin/env python3
"""Writes the seed files of the bitmap decoder fuzzer into corpus/bitmap (run from anywhere)."""
import os
import struct


def bmp(width, height, bits, pixels, palette=b"", compression=0, header_size=40):
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression,
                       len(pixels), 2835, 2835, len(palette) // 4, 0)
    info += bytes(header_size - len(info))
    offset = 14 + len(info) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + palette + pixels


GREY4 = b"".join(bytes([v, v, v, 0]) for v in (0, 85, 170, 255))
SEEDS = {
    "rgb24_2x2.bmp": bmp(2, 2, 24, bytes([0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0])),
    "rgb32_top_down.bmp": bmp(2, -1, 32, bytes([1, 2, 3, 0, 4, 5, 6, 0])),
    "palette8_3x1.bmp": bmp(3, 1, 8, bytes([0, 1, 3, 0]), palette=GREY4),
    "palette4_2x2.bmp": bmp(2, 2, 4, bytes([0x01, 0, 0, 0, 0x23, 0, 0, 0]), palette=GREY4),
    "mono1_8x1.bmp": bmp(8, 1, 1, bytes([0xA5, 0, 0, 0]), palette=GREY4[:8]),
    "v5_header.bmp": bmp(1, 1, 24, bytes([9, 8, 7, 0]), header_size=124),
    "rle8.bmp": bmp(1, 1, 8, bytes([1, 0, 0, 1]), palette=GREY4, compression=1),
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bitmap")
os.makedirs(folder, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)
