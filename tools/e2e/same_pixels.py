#!/usr/bin/env python3
"""Whether two folders of frames (frame_NNNN.png, as viz-render and host_sim viz write them) hold
the same pixels: the RGB of every pixel, whatever each writer's PNG encoding.

Usage: same_pixels.py DIR_A DIR_B COUNT   (exit 0 when the first COUNT frames are identical)"""
import os, struct, sys, zlib


def png_rgb(path):
    """(width, height, RGB bytes) of an 8-bit RGB or RGBA PNG, any filter."""
    if not os.path.isfile(path):
        return None
    with open(path, "rb") as f:
        blob = f.read()
    if blob[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    at, idat, width = 8, b"", 0
    while at < len(blob):
        length, kind = struct.unpack(">I4s", blob[at:at + 8])
        body = blob[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour not in (2, 6):
                return None
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    out, previous = bytearray(), bytearray(stride)
    for y in range(height):
        filter_type = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if filter_type == 1:
                line[i] = (line[i] + a) & 0xFF
            elif filter_type == 2:
                line[i] = (line[i] + b) & 0xFF
            elif filter_type == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif filter_type == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        previous = line
        for x in range(width):
            out += line[x * channels:x * channels + 3]
    return width, height, bytes(out)



def differing_frames(dir_a, dir_b, count):
    """Numbers of the frames among the first `count` that differ or are missing."""
    differing = []
    for frame in range(count):
        name = "frame_%04d.png" % frame
        a, b = png_rgb(os.path.join(dir_a, name)), png_rgb(os.path.join(dir_b, name))
        if a is None or b is None or a != b:
            differing.append(frame)
    return differing


if __name__ == "__main__":
    differing = differing_frames(sys.argv[1], sys.argv[2], int(sys.argv[3]))
    if differing:
        print("frames that differ: %s" % differing[:20], file=sys.stderr)
        sys.exit(1)
