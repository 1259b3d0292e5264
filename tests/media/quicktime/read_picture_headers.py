#!/usr/bin/env python3
"""Prints "<kind> <width> <height>" for a picture file, read with the standard library only."""
import struct
import sys


def describe(data):
    if data[:2] == b"BM":
        width, height = struct.unpack_from("<ii", data, 18)
        return "bmp", width, abs(height)
    if data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR":
        width, height = struct.unpack_from(">II", data, 16)
        return "png", width, height
    if data[:6] in (b"GIF87a", b"GIF89a"):
        width, height = struct.unpack_from("<HH", data, 6)
        return "gif", width, height
    if data[:4] in (b"II*\x00", b"MM\x00*"):
        order = "<" if data[:2] == b"II" else ">"
        (ifd,) = struct.unpack_from(order + "I", data, 4)
        (count,) = struct.unpack_from(order + "H", data, ifd)
        size = {}
        for i in range(count):
            tag, kind, _, value = struct.unpack_from(order + "HHII", data, ifd + 2 + 12 * i)
            if kind == 3:
                value = struct.unpack_from(order + "H", data, ifd + 2 + 12 * i + 8)[0]
            size[tag] = value
        return "tiff", size.get(256), size.get(257)
    if len(data) > 524 and data[522:526] == b"\x00\x11\x02\xff":
        top, left, bottom, right = struct.unpack_from(">hhhh", data, 514)
        return "pict", right - left, bottom - top
    return "unknown", 0, 0


with open(sys.argv[1], "rb") as f:
    print("%s %s %s" % describe(f.read()))
