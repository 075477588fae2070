#!/usr/bin/env python3
"""Compares registry exports (`reg export`, UTF-16 .reg files) taken at two moments.

  registry_snapshot.py diff BEFORE.reg AFTER.reg [--keep KEY]... [--ignore KEY]...

Prints every key added or removed and every value added, removed or changed, and exits 1 when
there is any difference beyond the allowed ones:
  --keep KEY    KEY may have appeared, empty: a parent key that unregistration deliberately keeps
  --ignore KEY  KEY and everything under it is not compared (state the platform itself rewrites)
Key names compare without regard to case, as the registry's do.
"""
import sys


def read_export(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-16")
    keys = {}
    current = None
    pending = ""
    for raw in text.splitlines():
        line = pending + raw
        pending = ""
        if line.endswith("\\") and current is not None and not line.startswith("["):
            pending = line[:-1].strip()  # a hex value continued on the next line
            continue
        if line.startswith("[") and line.endswith("]"):
            current = line[1:-1]
            keys[current.lower()] = (current, {})
        elif current is not None and "=" in line:
            name, _, data = line.partition("=")
            keys[current.lower()][1][name.lower()] = (name, data)
    return keys


def under(key, prefixes):
    return any(key == p or key.startswith(p + "\\") for p in prefixes)


def diff(before_path, after_path, keep, ignore):
    before, after = read_export(before_path), read_export(after_path)
    keep = {k.lower() for k in keep}
    ignore = [k.lower() for k in ignore]
    problems = []
    for key in sorted(set(before) | set(after)):
        if under(key, ignore):
            continue
        if key not in after:
            problems.append(f"removed key [{before[key][0]}]")
            continue
        if key not in before:
            name, values = after[key]
            if key in keep and not values:
                print(f"kept parent [{name}]")
            else:
                problems.append(f"added key [{name}]" + "".join(f"\n    {n}={d}" for n, d in values.values()))
            continue
        old, new = before[key][1], after[key][1]
        for value in sorted(set(old) | set(new)):
            if value not in new:
                problems.append(f"[{before[key][0]}] removed {old[value][0]}={old[value][1]}")
            elif value not in old:
                problems.append(f"[{after[key][0]}] added {new[value][0]}={new[value][1]}")
            elif old[value][1] != new[value][1]:
                problems.append(f"[{after[key][0]}] changed {new[value][0]}: {old[value][1]} -> {new[value][1]}")
    for p in problems:
        print(p)
    return 1 if problems else 0


def main(argv):
    if len(argv) < 4 or argv[1] != "diff":
        print(__doc__, file=sys.stderr)
        return 2
    keep, ignore = [], []
    rest = argv[4:]
    while rest:
        flag, key, rest = rest[0], rest[1], rest[2:]
        {"--keep": keep, "--ignore": ignore}[flag].append(key)
    return diff(argv[2], argv[3], keep, ignore)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
