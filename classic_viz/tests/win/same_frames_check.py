#!/usr/bin/env python3
"""The DLL's frames are the native engine's frames: host_sim renders Glintora.dll under Wine into a
32-bit DIB section, viz-render runs the engine natively, both from the same 16-bit WAV, and every
frame's pixels must be byte-identical (the RGB of each pixel; the PNG encodings differ).

Usage: same_frames_check.py WINEBED BED HOST_SIM_EXE VIZ_RENDER WORK_DIR"""
import math, os, shutil, struct, subprocess, sys, zlib

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAILED: " + message, file=sys.stderr)
    return condition


def write_wav(path, seconds=3, rate=44100):
    """Chords, a sweep and noise bursts, then a near-silent break: loud and quiet moments both."""
    frames = []
    noise = 12345
    for n in range(seconds * rate):
        t = n / rate
        quiet = 1.6 < t < 2.2
        v = 0.0
        if not quiet:
            for hz in (110.0, 220.0 * (1 + t), 330.0, 1760.0 * (1 + 2 * t)):
                v += 0.2 * math.sin(2 * math.pi * hz * t)
            noise = (noise * 1103515245 + 12345) & 0x7FFFFFFF
            if (n // 5512) % 2 == 0:
                v += 0.3 * (noise / 0x3FFFFFFF - 1.0) * math.exp(-((n % 5512) / 800.0))
        left = max(-32768, min(32767, int(v * 20000)))
        right = max(-32768, min(32767, int(-v * 15000)))
        frames.append(struct.pack("<hh", left, right))
    data = b"".join(frames)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE")
        f.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, 2, rate, rate * 4, 4, 16))
        f.write(b"data" + struct.pack("<I", len(data)) + data)


def png_rgb(path):
    """(width, height, RGB bytes) of an 8-bit RGB or RGBA PNG, any filter."""
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


winebed, bed, host_sim, viz_render, work = sys.argv[1:6]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
wav = os.path.join(work, "input.wav")
write_wav(wav)

# Every preset at the default window, and one whose canvas is scaled to a window of another shape.
cases = [(0, "350x320", 45), (1, "350x320", 45), (2, "350x320", 45), (0, "517x301", 20), (1, "700x480", 20)]
for preset, size, frames in cases:
    name = "preset%d_%s" % (preset, size)
    native_dir, dll_dir = os.path.join(work, name, "native"), os.path.join(work, name, "dll")
    common = ["--preset", str(preset), "--size", size, "--fps", "30", "--frames", str(frames), "--input", wav]
    native = subprocess.run([viz_render, "--effect", "glintora"] + common + ["--out", native_dir])
    if not check(native.returncode == 0, "%s: viz-render exited with %d" % (name, native.returncode)):
        continue
    dll = subprocess.run([winebed, "run", "--bed", bed, host_sim, "viz", "--effect", "Glintora", "--depth", "32"] +
                         common + ["--out", dll_dir])
    if not check(dll.returncode == 0, "%s: host_sim viz exited with %d" % (name, dll.returncode)):
        continue
    differing = []
    for frame in range(frames):
        file = "frame_%04d.png" % frame
        a, b = png_rgb(os.path.join(native_dir, file)), png_rgb(os.path.join(dll_dir, file))
        if a is None or b is None or a != b:
            differing.append(frame)
    check(not differing, "%s: frames %s of the DLL differ from the native engine's" % (name, differing[:10]))
    if not differing:
        print("%s: %d frames byte-identical" % (name, frames))

if failures:
    sys.exit(1)
print("Glintora.dll under Wine draws the native engine's frames")
