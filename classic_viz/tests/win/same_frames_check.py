#!/usr/bin/env python3
"""The DLL's frames are the native engine's frames: host_sim renders an effect's DLL under Wine into a
32-bit DIB section, viz-render runs the engine natively, both from the same 16-bit WAV, and every
frame's pixels must be byte-identical (the RGB of each pixel; the PNG encodings differ).

Usage: same_frames_check.py WINEBED BED HOST_SIM_EXE VIZ_RENDER WORK_DIR EFFECT (the registered name)"""
import math, os, shutil, struct, subprocess, sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "e2e"))
from same_pixels import differing_frames  # noqa: E402

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


winebed, bed, host_sim, viz_render, work, effect = sys.argv[1:7]
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
    native = subprocess.run([viz_render, "--effect", effect.lower()] + common + ["--out", native_dir])
    if not check(native.returncode == 0, "%s: viz-render exited with %d" % (name, native.returncode)):
        continue
    dll = subprocess.run([winebed, "run", "--bed", bed, host_sim, "viz", "--effect", effect, "--depth", "32"] +
                         common + ["--out", dll_dir])
    if not check(dll.returncode == 0, "%s: host_sim viz exited with %d" % (name, dll.returncode)):
        continue
    differing = differing_frames(native_dir, dll_dir, frames)
    check(not differing, "%s: frames %s of the DLL differ from the native engine's" % (name, differing[:10]))
    if not differing:
        print("%s: %d frames byte-identical" % (name, frames))

if failures:
    sys.exit(1)
print("%s.dll under Wine draws the native engine's frames" % effect)
