#!/usr/bin/env python3
"""Writes the seed files of the AIFF and 8SVX reader fuzzers into corpus/aiff and corpus/svx
(run from anywhere)."""
import os
import struct

RATE_44100 = bytes([0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0])
RATE_8000 = bytes([0x40, 0x0B, 0xFA, 0, 0, 0, 0, 0, 0, 0])
RATE_INFINITE = bytes([0x7F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0])
RATE_NEGATIVE = bytes([0xC0, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0])


def chunk(tag, body, size=None):
    pad = b"\0" if len(body) % 2 else b""
    return tag + struct.pack(">I", len(body) if size is None else size) + body + pad


def form(form_type, *chunks):
    body = form_type + b"".join(chunks)
    return b"FORM" + struct.pack(">I", len(body)) + body


def comm(channels, frames, bits, rate=RATE_44100, compression=None):
    body = struct.pack(">HIH", channels, frames, bits) + rate
    if compression is not None:
        body += compression + b"\x04name\0"
    return chunk(b"COMM", body)


def ssnd(data, size=None):
    body = struct.pack(">II", 0, 0) + data
    return chunk(b"SSND", body, None if size is None else size)


def vhdr(rate, compression=0):
    return chunk(b"VHDR", struct.pack(">IIIHBBI", 1000, 0, 32, rate, 1, compression, 0x10000))


AIFF_SEEDS = {
    "pcm16_stereo.aif": form(b"AIFF", comm(2, 3, 16), ssnd(struct.pack(">6h", 1, -1, 0x1234,
                                                                        -32768, 32767, 5))),
    "pcm8_name_first.aif": form(b"AIFF", chunk(b"NAME", b"odd"), comm(1, 4, 8, RATE_8000),
                                ssnd(bytes([0x80, 0x7F, 0, 1]))),
    "pcm24_ssnd_first.aif": form(b"AIFF", ssnd(bytes([0x12, 0x35, 0xFF, 0x80, 0, 1])),
                                 comm(1, 2, 24, RATE_INFINITE)),
    "pcm32_past_end.aif": form(b"AIFF", comm(1, 1000, 32, RATE_NEGATIVE),
                               ssnd(struct.pack(">2i", 1 << 30, -1), size=0xFFFFFFFF)),
    "aifc_sowt.aifc": form(b"AIFC", chunk(b"FVER", struct.pack(">I", 0xA2805140)),
                           comm(1, 3, 16, compression=b"sowt"), ssnd(struct.pack("<3h", 1, -2, 3))),
    "aifc_ima4.aifc": form(b"AIFC", comm(1, 64, 16, compression=b"ima4"), ssnd(bytes(34))),
}

SVX_SEEDS = {
    "plain.8svx": form(b"8SVX", vhdr(8363), chunk(b"NAME", b"voice"), chunk(b"ANNO", b"hi"),
                       chunk(b"BODY", bytes([0x80, 0x7F, 0, 1, 0xFF]))),
    "stereo.8svx": form(b"8SVX", vhdr(11025), chunk(b"CHAN", struct.pack(">I", 6)),
                        chunk(b"BODY", bytes([1, 2, 0xFF, 0xFE]))),
    "fibonacci.8svx": form(b"8SVX", vhdr(22050, 1), chunk(b"(c) ", b"1991"),
                           chunk(b"BODY", bytes([0, 10, 0x8F, 0x07, 0xF0, 0x01, 0x23]))),
    "body_past_end.8svx": form(b"8SVX", vhdr(16000), chunk(b"BODY", bytes([1, 2, 3]),
                                                         size=0xFFFFFFFF)),
    "compression_2.8svx": form(b"8SVX", vhdr(8000, 2), chunk(b"BODY", bytes(8))),
}

here = os.path.dirname(os.path.abspath(__file__))
for folder_name, seeds in (("aiff", AIFF_SEEDS), ("svx", SVX_SEEDS)):
    folder = os.path.join(here, "corpus", folder_name)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
