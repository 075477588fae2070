#!/usr/bin/env python3
"""Renders a few frames with viz-render, writes a WAV of a known length, makes a WebM of both with
viz-video and decodes it back: one VP8 picture per frame at the frames' size, Vorbis sound of the
frames' duration. Usage: check_video.py VIZ_VIDEO VIZ_RENDER WORK_DIR"""
import math, os, re, shutil, struct, subprocess, sys

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAILED: " + message, file=sys.stderr)
    return condition


video, render, work = sys.argv[1:4]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
wav = os.path.join(work, "tone.wav")
rate, seconds = 44100, 2
data = b"".join(struct.pack("<hh", int(8000 * math.sin(2 * math.pi * 440 * n / rate)), 0) for n in range(rate * seconds))
with open(wav, "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE")
    f.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, 2, rate, rate * 4, 4, 16))
    f.write(b"data" + struct.pack("<I", len(data)) + data)

frames = os.path.join(work, "frames")
fps, count = 25, 20
run = subprocess.run([render, "--effect", "glintora", "--preset", "1", "--size", "96x72", "--fps", str(fps),
                      "--frames", str(count), "--input", wav, "--out", frames])
check(run.returncode == 0, "viz-render exited with %d" % run.returncode)
out = os.path.join(work, "out.webm")
made = subprocess.run([video, "--frames", frames, "--fps", str(fps), "--audio", wav, "--out", out],
                      capture_output=True, text=True)
check(made.returncode == 0, "viz-video exited with %d: %s" % (made.returncode, made.stderr))
probe = subprocess.run([video, "--probe", out], capture_output=True, text=True)
check(probe.returncode == 0, "the WebM does not decode: %s" % probe.stderr)
text = probe.stdout
check(re.search(r"^video vp8 96x72 frames %d$" % count, text, re.M) is not None,
      "expected %d VP8 pictures of 96x72, found: %r" % (count, text))
sound = re.search(r"^audio vorbis 44100 Hz 2 channels ([0-9.]+) s$", text, re.M)
if check(sound is not None, "expected stereo Vorbis at 44100 Hz, found: %r" % text):
    # The sound of the frames' span, 0.8 s; Vorbis pads its last block.
    check(abs(float(sound.group(1)) - count / fps) < 0.05, "sound lasts %s s, expected %.2f" % (sound.group(1), count / fps))

bad = subprocess.run([video, "--frames", os.path.join(work, "none"), "--fps", "25", "--audio", wav, "--out", out],
                     capture_output=True)
check(bad.returncode == 1, "a folder without frames must fail with 1, got %d" % bad.returncode)
if failures:
    sys.exit(1)
print("viz-video writes what a player decodes")
