#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a source file includes a header of a higher layer.

Usage: check-layers.py SRC_DIR

Layers, lowest first: platform; game and pictures; lernstand (the learning record); raeuber
(the game form); shell (start-up screen, menu, start). A folder may include its own layer and
those below it. Every form of include counts: "shell/start.h", <shell/start.h>,
"../shell/start.h" and "start.h" found beside the including file.
"""
import os
import pathlib
import re
import sys

LAYER = {"platform": 0, "game": 1, "pictures": 1, "lernstand": 2, "raeuber": 3, "shell": 4}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
# Comments are blanked first, so that an include written in a comment does not count and one
# behind a comment does.
COMMENT = re.compile(r'//[^\n]*|/\*.*?\*/', re.S)


def layer_of(src, target):
    """The layer folder a resolved include lands in, or None when it is outside src."""
    try:
        parts = pathlib.Path(os.path.normpath(target)).relative_to(src).parts
    except ValueError:
        return None
    return parts[0] if len(parts) > 1 else None


def included_folders(src, path):
    text = COMMENT.sub(lambda m: "\n" * m.group(0).count("\n"), path.read_text(encoding="utf-8"))
    for quote, name in INCLUDE.findall(text):
        candidates = []
        if quote == '"':
            candidates.append(path.parent / name)  # beside the including file first
        candidates.append(src / name)  # then the source root, the include path
        found = next((c for c in candidates if c.exists()), candidates[-1])
        folder = layer_of(src, found)
        if folder is None and quote == '"' and not name.startswith("."):
            # A header that does not exist (yet) is judged by the folder it names.
            folder = name.split("/")[0] if "/" in name else None
        if folder is not None:
            yield name, folder


def main():
    src = pathlib.Path(sys.argv[1]).resolve()
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or path.parent == src:
            continue
        own = path.relative_to(src).parts[0]
        if own not in LAYER:
            faults.append("%s: folder %s has no layer" % (path, own))
            continue
        for name, folder in included_folders(src, path):
            if folder in LAYER and LAYER[folder] > LAYER[own]:
                faults.append("%s includes %s (%s/), a higher layer than %s/" % (path, name, folder, own))
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
