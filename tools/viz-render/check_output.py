#!/usr/bin/env python3
"""Runs viz-render as scripts do and checks what it promises: DIR/frame_NNNN.png at the window size
for every frame, and DIR/contact.png. Usage: check_output.py VIZ_RENDER OUT_DIR"""
import os, shutil, struct, subprocess, sys

tool, out = sys.argv[1], sys.argv[2]
shutil.rmtree(out, ignore_errors=True)
subprocess.run([tool, "--effect", "glintora", "--preset", "1", "--size", "96x72", "--fps", "25",
                "--frames", "4", "--out", out], check=True)

def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])

names = sorted(os.listdir(out))
assert names == ["contact.png", "frame_0000.png", "frame_0001.png", "frame_0002.png", "frame_0003.png"], names
for n in names[1:]:
    assert png_size(os.path.join(out, n)) == (96, 72), n
bad = subprocess.run([tool, "--effect", "glintora", "--preset", "3", "--out", out], capture_output=True)
assert bad.returncode == 2, "an unknown preset must be refused"
print("viz-render output as promised")
