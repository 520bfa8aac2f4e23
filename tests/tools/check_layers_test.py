#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The layer check catches an include that reaches up in every form it can be written in,
and a platform room that includes a room it may not use; it lets every include that stays in
its layer or room or goes down pass."""
import pathlib
import subprocess
import sys
import tempfile

CHECK = pathlib.Path(__file__).resolve().parents[2] / "tools" / "check-layers.py"

HEADERS = ("shell/start.h", "game/other.h", "platform/system/App.h", "platform/files/Files.h",
           "platform/pictures/Pictures.h", "platform/sound/Sound.h", "platform/ui/Form.h",
           "platform/start/Run.h")

UP = ['#include "shell/start.h"', '#include <shell/start.h>', '#include "../shell/start.h"',
      '#  include   "../shell/start.h"', '#include "./../shell/start.h"',
      '/* a note */ #include "shell/start.h"']
FINE = ['#include "platform/system/App.h"', '#include <platform/system/App.h>',
        '#include "../platform/system/App.h"', '#include "platform/start/Run.h"',
        '#include "other.h"', '#include <QString>', '// #include "shell/start.h"',
        '/* #include "shell/start.h" */']

# (the including file, the include, whether the check refuses it)
ROOMS = [
    ("platform/system/Clock.cpp", '#include "platform/files/Files.h"', True),
    ("platform/system/Clock.cpp", '#include "../ui/Form.h"', True),
    ("platform/system/Clock.cpp", '#include <platform/ui/Form.h>', True),
    ("platform/system/Clock.cpp", '#include "App.h"', False),
    ("platform/files/Folders.cpp", '#include "platform/system/App.h"', False),
    ("platform/files/Folders.cpp", '#include "platform/pictures/Pictures.h"', True),
    ("platform/pictures/Check.cpp", '#include "platform/files/Files.h"', False),
    ("platform/pictures/Check.cpp", '#include "platform/sound/Sound.h"', True),
    ("platform/pictures/Check.cpp", '#include "platform/ui/Form.h"', True),
    ("platform/sound/Voice.cpp", '#include "platform/system/App.h"', False),
    ("platform/sound/Voice.cpp", '#include "platform/pictures/Pictures.h"', True),
    ("platform/ui/Box.cpp", '#include "platform/sound/Sound.h"', False),
    ("platform/ui/Box.cpp", '#include "platform/pictures/Pictures.h"', False),
    ("platform/ui/Box.cpp", '#include "Form.h"', False),
    ("platform/ui/Box.cpp", '#include "platform/start/Run.h"', True),
    ("platform/ui/Box.cpp", '#include "platform/start/NotYet.h"', True),
    ("platform/ui/Box.cpp", '#include "platform/ui/NotYet.h"', False),
    ("platform/ui/Box.cpp", '#include "game/other.h"', True),
    ("platform/start/Main.cpp", '#include "platform/ui/Form.h"', False),
    ("platform/Loose.cpp", '#include <QString>', True),
    ("platform/attic/Old.cpp", '#include <QString>', True),
]


def run(line, where="game/Rule.cpp"):
    with tempfile.TemporaryDirectory() as tmp:
        src = pathlib.Path(tmp)
        for name in HEADERS:
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text("#pragma once\n")
        (src / where).parent.mkdir(parents=True, exist_ok=True)
        (src / where).write_text(line + "\n")
        return subprocess.run([sys.executable, str(CHECK), str(src)], capture_output=True, text=True)


def main():
    cases = [("game/Rule.cpp", line, True) for line in UP]
    cases += [("game/Rule.cpp", line, False) for line in FINE]
    cases += ROOMS
    failed = 0
    for where, line, refused in cases:
        result = run(line, where)
        if refused and result.returncode == 0:
            print("not caught:", where, line)
            failed += 1
        elif not refused and result.returncode != 0:
            print("wrongly caught:", where, line, result.stderr.strip())
            failed += 1
    # The real sources keep the rule.
    real = subprocess.run([sys.executable, str(CHECK), str(CHECK.parents[1] / "src")],
                          capture_output=True, text=True)
    if real.returncode != 0:
        print("the sources break the rule:", real.stderr.strip())
        failed += 1
    print("%d passed, %d failed" % (len(cases) + 1 - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
