#!/usr/bin/env python3
"""Runs viz-render as scripts do and checks what it promises: DIR/frame_NNNN.png at the window size
for every frame, and DIR/contact.png. Usage: check_output.py VIZ_RENDER OUT_DIR

Every check exits non-zero on its own (no assert: python -O and PYTHONOPTIMIZE remove those)."""
import os, shutil, struct, subprocess, sys

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAILED: " + message, file=sys.stderr)
    return condition


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if not check(len(head) == 24 and head[:8] == b"\x89PNG\r\n\x1a\n", path + " is not a PNG file"):
        return None
    return struct.unpack(">II", head[16:24])


tool, out = sys.argv[1], sys.argv[2]
shutil.rmtree(out, ignore_errors=True)
run = subprocess.run([tool, "--effect", "glintora", "--preset", "1", "--size", "96x72", "--fps", "25",
                      "--frames", "4", "--out", out])
check(run.returncode == 0, "viz-render exited with %d rendering four frames" % run.returncode)

expected = ["contact.png", "frame_0000.png", "frame_0001.png", "frame_0002.png", "frame_0003.png"]
names = sorted(os.listdir(out)) if os.path.isdir(out) else []
check(names == expected, "files written: %s, expected %s" % (names, expected))
for n in expected[1:]:
    path = os.path.join(out, n)
    if check(os.path.isfile(path), n + " is missing"):
        size = png_size(path)
        check(size is None or size == (96, 72), "%s is %s, expected 96x72" % (n, size))

bad = subprocess.run([tool, "--effect", "glintora", "--preset", "3", "--out", out], capture_output=True)
check(bad.returncode == 2, "an unknown preset must be refused with exit code 2, got %d" % bad.returncode)

if failures:
    sys.exit(1)
print("viz-render output as promised")
