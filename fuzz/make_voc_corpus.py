#!/usr/bin/env python3
"""Writes the seed files of the VOC reader fuzzer into corpus/voc (run from anywhere)."""
import os
import struct


def block(kind, body, length=None):
    n = len(body) if length is None else length
    return bytes([kind]) + struct.pack("<I", n)[:3] + body


def sound(time_constant, samples, pack=0):
    return block(1, bytes([time_constant, pack]) + samples)


def typed(rate, bits, channels, codec, samples):
    return block(9, struct.pack("<IBBHI", rate, bits, channels, codec, 0) + samples)


def voc(*blocks, terminated=True):
    # The signature, version and checksum are left blank: the reader does not look at them.
    header = bytes(20) + struct.pack("<HHH", 26, 0x010A, 0x1129)
    return header + b"".join(blocks) + (b"\0" if terminated else b"")


SEEDS = {
    "sound_continuation.voc": voc(sound(156, bytes([128, 255, 0, 1])), block(2, bytes([64, 192]))),
    "every_block_type.voc": voc(
        block(8, bytes([0x00, 0xD3, 0x00, 1])), sound(165, bytes([128, 129, 130, 131])),
        block(3, bytes([0x10, 0x00, 156])), block(4, bytes([1, 0])), block(5, b"hi\0"),
        block(6, bytes([0xFF, 0xFF])), block(7, b""), block(10, bytes([2, 1, 0, 0, 9]))),
    "typed_mixed.voc": voc(typed(44100, 16, 2, 4, struct.pack("<3h", 0x1234, -32768, 7)),
                           block(2, struct.pack("<h", -1)), typed(8000, 8, 1, 0, bytes([0, 255]))),
    "unterminated.voc": voc(sound(0, bytes([128, 255])), block(2, bytes([1, 2]), length=5000),
                            terminated=False),
    "packed.voc": voc(sound(165, bytes(6), pack=1)),
    "typed_adpcm.voc": voc(typed(22050, 4, 1, 1, bytes(6))),
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "voc")
os.makedirs(folder, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)
