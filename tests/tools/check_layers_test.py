#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The layer check catches an include that reaches up in every form it can be written in,
and lets every include that stays in its layer or goes down pass."""
import pathlib
import subprocess
import sys
import tempfile

CHECK = pathlib.Path(__file__).resolve().parents[2] / "tools" / "check-layers.py"

UP = ['#include "shell/start.h"', '#include <shell/start.h>', '#include "../shell/start.h"',
      '#  include   "../shell/start.h"', '#include "./../shell/start.h"',
      '/* a note */ #include "shell/start.h"']
FINE = ['#include "platform/App.h"', '#include <platform/App.h>', '#include "../platform/App.h"',
        '#include "other.h"', '#include <QString>', '// #include "shell/start.h"',
        '/* #include "shell/start.h" */']


def run(line):
    with tempfile.TemporaryDirectory() as tmp:
        src = pathlib.Path(tmp)
        for folder, name in (("shell", "start.h"), ("platform", "App.h"), ("game", "other.h")):
            (src / folder).mkdir(exist_ok=True)
            (src / folder / name).write_text("#pragma once\n")
        (src / "game" / "Rule.cpp").write_text(line + "\n")
        return subprocess.run([sys.executable, str(CHECK), str(src)], capture_output=True, text=True)


def main():
    failed = 0
    for line in UP:
        if run(line).returncode == 0:
            print("not caught:", line)
            failed += 1
    for line in FINE:
        result = run(line)
        if result.returncode != 0:
            print("wrongly caught:", line, result.stderr.strip())
            failed += 1
    total = len(UP) + len(FINE)
    print("%d passed, %d failed" % (total - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
