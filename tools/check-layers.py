#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a source file includes a header of a higher layer, or a platform room includes
a room it may not use.

Usage: check-layers.py SRC_DIR

Layers, lowest first: platform; game; lernstand (the learning record); raeuber (the game
form); shell (start-up screen, menu, teacher's windows, start). A folder may include its own
layer and those below it.

The platform is split into rooms, one folder each; a file of a room may include its own room
and the rooms listed for it in ROOM_USES:
  system    the program itself: clock, timers, hooks, threads, the end (uses no other room)
  files     folders and files (uses system)
  pictures  decoding and checking pictures (uses files, system)
  sound     voice, sound output, microphone, sound files (uses files, system)
  ui        forms, controls, events, accessibility, dialogs (uses pictures, sound, files, system)
  start     the program's start with and without windows (uses every room)
Pictures and sound do not use each other. Every platform file lies in a room. The layers
above the platform may include every room.

Every form of include counts: "shell/start.h", <shell/start.h>, "../shell/start.h" and
"start.h" found beside the including file.
"""
import os
import pathlib
import re
import sys

LAYER = {"platform": 0, "game": 1, "lernstand": 2, "raeuber": 3, "shell": 4}
ROOM_USES = {
    "system": set(),
    "files": {"system"},
    "pictures": {"files", "system"},
    "sound": {"files", "system"},
    "ui": {"pictures", "sound", "files", "system"},
    "start": {"ui", "pictures", "sound", "files", "system"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
# Comments are blanked first, so that an include written in a comment does not count and one
# behind a comment does.
COMMENT = re.compile(r'//[^\n]*|/\*.*?\*/', re.S)


def place(parts):
    """The layer folder and, in the platform, the room of a path given by its parts below src
    (the file's own name last); None for what is not there."""
    folder = parts[0] if len(parts) > 1 else None
    room = parts[1] if folder == "platform" and len(parts) > 2 else None
    return folder, room


def place_of(src, target):
    """Where a resolved include lands: (folder, room), or (None, None) outside src."""
    try:
        parts = pathlib.Path(os.path.normpath(target)).relative_to(src).parts
    except ValueError:
        return None, None
    return place(parts)


def included_places(src, path):
    text = COMMENT.sub(lambda m: "\n" * m.group(0).count("\n"), path.read_text(encoding="utf-8"))
    for quote, name in INCLUDE.findall(text):
        candidates = []
        if quote == '"':
            candidates.append(path.parent / name)  # beside the including file first
        candidates.append(src / name)  # then the source root, the include path
        found = next((c for c in candidates if c.exists()), candidates[-1])
        folder, room = place_of(src, found)
        if folder is None and quote == '"' and not name.startswith("."):
            # A header that does not exist (yet) is judged by the folder it names.
            folder, room = place(pathlib.PurePosixPath(name).parts)
        if folder is not None:
            yield name, folder, room


def faults_of(src, path):
    parts = path.relative_to(src).parts
    own, own_room = place(parts)
    if own not in LAYER:
        return ["%s: folder %s has no layer" % (path, own)]
    if own == "platform" and own_room not in ROOM_USES:
        return ["%s: lies in no room of the platform (%s)" % (path, ", ".join(ROOM_USES))]
    faults = []
    for name, folder, room in included_places(src, path):
        if folder in LAYER and LAYER[folder] > LAYER[own]:
            faults.append("%s includes %s (%s/), a higher layer than %s/" % (path, name, folder, own))
        elif own == "platform" and folder == "platform" and room != own_room and room not in ROOM_USES[own_room]:
            faults.append("%s includes %s (platform/%s/), a room platform/%s/ may not use" %
                          (path, name, room, own_room))
    return faults


def main():
    src = pathlib.Path(sys.argv[1]).resolve()
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix in (".h", ".cpp") and path.parent != src:
            faults += faults_of(src, path)
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
