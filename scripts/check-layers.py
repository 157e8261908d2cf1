#!/usr/bin/env python3
"""Checks that every #include between the source folders points down.

cmake/layers.txt lists the folders from the bottom up; a file in a folder may
include files of its own folder and of the folders on the lines above it, but
not of a folder on its own line or below. Prints each include that breaks the
rule and exits 1 when there is one. With --graph it prints, for each folder,
the folders it includes.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^/"]+)/[^"]*"', re.M)


def read_layers():
    level = {}
    with open(os.path.join(ROOT, "cmake", "layers.txt"), encoding="utf-8") as f:
        lines = [l.split() for l in f if l.strip() and not l.startswith("#")]
    for i, folders in enumerate(lines):
        for folder in folders:
            level[folder] = i
    return level


def includes_by_folder(level):
    found = {}
    for folder in level:
        path = os.path.join(ROOT, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cpp", ".rc", ".in")):
                continue
            with open(os.path.join(path, name), encoding="utf-8") as f:
                for n, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m:
                        found.setdefault(folder, []).append((f"{folder}/{name}", n, m.group(1)))
    return found


def main():
    level = read_layers()
    found = includes_by_folder(level)
    if "--graph" in sys.argv:
        for folder in sorted(level, key=lambda d: (level[d], d)):
            used = sorted({t for _, _, t in found.get(folder, []) if t != folder and t in level},
                          key=lambda d: (level[d], d))
            print(f"{folder:10} -> {' '.join(used)}")
        return 0
    bad = 0
    for folder, includes in found.items():
        for where, line, target in includes:
            if target == folder or target not in level:
                continue
            if level[target] >= level[folder]:
                print(f"{where}:{line}: includes {target}/, which is not below {folder}/ in cmake/layers.txt")
                bad += 1
    if bad:
        print(f"{bad} include(s) against the direction of cmake/layers.txt")
        return 1
    print(f"includes point down: {sum(len(v) for v in found.values())} includes in {len(found)} folders")
    return 0


if __name__ == "__main__":
    sys.exit(main())
