#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a source file includes a header of a higher layer.

Usage: check-layers.py SRC_DIR

Layers, lowest first: platform; game and pictures; lernstand (the learning record); raeuber
(the game form); shell (start-up screen, menu, start). A folder may include its own layer and those below it.
"""
import pathlib
import re
import sys

LAYER = {"platform": 0, "game": 1, "pictures": 1, "lernstand": 2, "raeuber": 3, "shell": 4}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]+"', re.M)


def main():
    src = pathlib.Path(sys.argv[1])
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or path.parent == src:
            continue
        own = path.relative_to(src).parts[0]
        if own not in LAYER:
            faults.append("%s: folder %s has no layer" % (path, own))
            continue
        for folder in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if folder in LAYER and LAYER[folder] > LAYER[own]:
                faults.append("%s includes %s/, a higher layer than %s/" % (path, folder, own))
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
