#!/usr/bin/env python3
"""host_sim's visualization side as the player's menus see it: `host_sim effects` lists every effect
the registry's Effects key names, with its class id, title and preset titles (trailing blanks kept);
`host_sim viz` refuses an unknown effect and a preset the effect refuses.

Usage: host_sim_effects_check.py WINEBED BED HOST_SIM_EXE WORK_DIR"""
import os, shutil, subprocess, sys

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAILED: " + message, file=sys.stderr)
    return condition


winebed, bed, host_sim, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
run = [winebed, "run", "--bed", bed, host_sim]

listing = subprocess.run(run + ["effects"], capture_output=True, text=True, encoding="utf-8")
check(listing.returncode == 0, "host_sim effects exited with %d" % listing.returncode)
lines = [line.rstrip("\r") for line in listing.stdout.split("\n")]
listings = {
    "Glintora": ["Glintora  {A50DC524-938A-11D4-A8AF-00105AC582C2}", '  title "Glintora", 3 presets',
                 '  0 "Starlight"', '  1 "Star Clouds"', '  2 "Star Glow"'],
    "Tessaray": ["Tessaray  {4E4C3BE4-46B9-11D4-A8AF-00105AC582C2}", '  title "Tessaray", 3 presets',
                 '  0 "клумбы огней"', '  1 "ритм квадратов  "', '  2 "восхищение   "'],
    "Throbwave": ["Throbwave  {EFA4BFC4-46BA-11D4-A8AF-00105AC582C2}", '  title "Throbwave", 3 presets',
                  '  0 "эти губы"', '  1 "остров музыки "', '  2 "ритм стали  "'],
    "Emberlux": ["Emberlux  {43D2E184-46AC-11D4-A8AF-00105AC582C2}", '  title "Emberlux", 3 presets',
                 '  0 "танец пламени"', '  1 "краски огня "', '  2 "заливка  "'],
}
for name, expected in listings.items():
    at = lines.index(expected[0]) if expected[0] in lines else -1
    check(at >= 0 and lines[at:at + len(expected)] == expected,
          "the listing of %s: expected %r, got %r" % (name, expected, lines))

for arguments, status, what in [
        (["--effect", "NoSuchEffect", "--preset", "0", "--demo", "--frames", "1"], 1, "an unregistered effect"),
        (["--effect", "Glintora", "--preset", "3", "--demo", "--frames", "1"], 2, "preset 3, which Glintora refuses"),
        (["--effect", "Glintora", "--preset", "0", "--frames", "1"], 2, "no sound named")]:
    refused = subprocess.run(run + ["viz"] + arguments + ["--out", work], capture_output=True)
    check(refused.returncode == status, "%s: exit %d, expected %d" % (what, refused.returncode, status))

made = subprocess.run(run + ["viz", "--effect", "glintora", "--preset", "2", "--demo", "--frames", "3", "--size",
                             "64x48", "--out", work], capture_output=True)
check(made.returncode == 0, "three frames of the demo programme: exit %d" % made.returncode)
names = sorted(os.listdir(work)) if os.path.isdir(work) else []
check(names == ["contact.png", "frame_0000.png", "frame_0001.png", "frame_0002.png"], "files written: %s" % names)

if failures:
    sys.exit(1)
print("host_sim lists and refuses as the player's menus would")
