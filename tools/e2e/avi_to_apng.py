#!/usr/bin/env python3
"""The about box's animation clip as an animated PNG, for the demo page.

    avi_to_apng.py CLIP.avi OUT.png

Reads an uncompressed 8-bit AVI as our writer makes it (one 'vids' stream of 'DIB ' frames with
one palette) and writes every frame, at the clip's own frame time, as an indexed-colour APNG."""
import struct
import sys
import zlib


def chunks(data, start, end):
    at = start
    while at + 8 <= end:
        tag, size = data[at:at + 4], struct.unpack_from("<I", data, at + 4)[0]
        yield tag, at + 8, size
        at += 8 + size + (size & 1)


def read_clip(path):
    data = open(path, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"AVI ":
        raise SystemExit(f"{path}: not an AVI file")
    header = palette = None
    frames = []

    def walk(start, end):
        nonlocal header, palette
        for tag, body, size in chunks(data, start, end):
            if tag == b"LIST":
                walk(body + 4, body + size)
            elif tag == b"avih":
                header = struct.unpack_from("<I12xI12xII", data, body)  # us/frame, frames, width, height
            elif tag == b"strf":
                bits = struct.unpack_from("<H", data, body + 14)[0]
                if bits != 8:
                    raise SystemExit(f"{path}: {bits}-bit frames, expected 8")
                palette = b"".join(bytes((data[q + 2], data[q + 1], data[q])) for q in range(body + 40, body + 40 + 1024, 4))
            elif tag == b"00db":
                frames.append(data[body:body + size])

    walk(12, len(data))
    if header is None or palette is None or not frames:
        raise SystemExit(f"{path}: no header, palette or frames")
    return header, palette, frames


def png_chunk(tag, body):
    return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    (us_per_frame, count, width, height), palette, frames = read_clip(sys.argv[1])
    stride = (width + 3) & ~3
    out = [b"\x89PNG\r\n\x1a\n", png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)),
           png_chunk(b"PLTE", palette), png_chunk(b"acTL", struct.pack(">II", len(frames), 0))]
    sequence = 0
    for index, frame in enumerate(frames):
        # DIB rows run bottom-up; PNG rows top-down, each after a filter byte.
        rows = b"".join(b"\0" + frame[(height - 1 - y) * stride:(height - 1 - y) * stride + width] for y in range(height))
        out.append(png_chunk(b"fcTL", struct.pack(">IIIIIHHBB", sequence, width, height, 0, 0, us_per_frame // 1000, 1000, 0, 0)))
        sequence += 1
        image = zlib.compress(rows, 9)
        if index == 0:
            out.append(png_chunk(b"IDAT", image))
        else:
            out.append(png_chunk(b"fdAT", struct.pack(">I", sequence) + image))
            sequence += 1
    out.append(png_chunk(b"IEND", b""))
    open(sys.argv[2], "wb").write(b"".join(out))
    print(f"{sys.argv[2]}: {len(frames)} frames of {width} x {height}, {us_per_frame // 1000} ms each (header: {count})")


if __name__ == "__main__":
    main()
