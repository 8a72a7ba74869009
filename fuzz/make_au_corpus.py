#!/usr/bin/env python3
"""Writes the seed files of the AU reader fuzzer into corpus/au (run from anywhere)."""
import os
import struct


def au(encoding, rate, channels, data, size=None, annotation=b""):
    header = struct.pack(">4sIIIII", b".snd", 24 + len(annotation),
                         len(data) if size is None else size, encoding, rate, channels)
    return header + annotation + data


SEEDS = {
    "mulaw.au": au(1, 8000, 1, bytes([0xFF, 0x7F, 0x80, 0x00, 0xE7, 0x12])),
    "linear8_note.au": au(2, 11025, 1, bytes([0x80, 0x7F, 1, 0]), annotation=b"note"),
    "linear16_stereo.au": au(3, 44100, 2, struct.pack(">6h", 1, -1, 0x1234, -32768, 32767, 5)),
    "linear24.au": au(4, 22050, 1, bytes([0x12, 0x35, 0xFF, 0x80, 0x00, 0x01])),
    "linear32_unknown_size.au": au(5, 48000, 1, struct.pack(">3i", 1 << 30, -1, 7),
                                   size=0xFFFFFFFF),
    "float.au": au(6, 8000, 1, struct.pack(">4f", 0.5, -2.0, float("nan"), -1e-4)),
    "alaw_past_end.snd": au(27, 8000, 1, bytes([0xD5, 0x55, 0xAA, 0x2A]), size=1000),
    "g721.au": au(23, 8000, 1, bytes(8)),
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "au")
os.makedirs(folder, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)
