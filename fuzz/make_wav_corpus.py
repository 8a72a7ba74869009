#!/usr/bin/env python3
"""Writes the seed files of the WAV reader fuzzer into corpus/wav (run from anywhere)."""
import os
import struct

GUID_TAIL = bytes([0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                   0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71])


def chunk(tag, body, size=None):
    pad = b"\0" if len(body) % 2 else b""
    return tag + struct.pack("<I", len(body) if size is None else size) + body + pad


def fmt(tag, channels, rate, bits, extra=b""):
    align = channels * ((bits + 7) // 8)
    return chunk(b"fmt ", struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
                 + extra)


def extensible(sub_tag, channels, rate, bits):
    return fmt(0xFFFE, channels, rate, bits,
               struct.pack("<HHIH", 22, bits, 0, sub_tag) + GUID_TAIL)


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


SEEDS = {
    "pcm8_mono.wav": riff(fmt(1, 1, 11025, 8), chunk(b"data", bytes([128, 255, 0, 1, 127, 64]))),
    "pcm16_stereo_list_first.wav": riff(
        chunk(b"LIST", b"INFO" + chunk(b"ICOP", b"ab\0")), fmt(1, 2, 22050, 16),
        chunk(b"data", struct.pack("<8h", 0x1235, 32767, -1, 5, 256, -32768, 7, 9))),
    "pcm24_data_first.wav": riff(chunk(b"data", bytes(range(1, 13))), fmt(1, 1, 44100, 24)),
    "float32_fmt18_junk.wav": riff(
        fmt(3, 1, 8000, 32, b"\0\0"), chunk(b"JUNK", b"odd"),
        chunk(b"data", struct.pack("<4f", 0.5, -1.5, 1.0, -0.0001))),
    "extensible_float64.wav": riff(extensible(3, 1, 48000, 64),
                                   chunk(b"data", struct.pack("<3d", 0.25, -1.0, 2.0))),
    "extensible_pcm32_3ch.wav": riff(extensible(1, 3, 10989, 32),
                                     chunk(b"data", struct.pack("<6i", 1, -1, 1 << 30, 0, 5, 6))),
    "data_past_end.wav": riff(fmt(1, 1, 22050, 16),
                              chunk(b"data", struct.pack("<3h", 1, 2, 3), size=1000)),
    "adpcm.wav": riff(fmt(2, 1, 22050, 4), chunk(b"data", bytes(8))),
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "wav")
os.makedirs(folder, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)
