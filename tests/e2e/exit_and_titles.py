#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program in a private X server without a window manager, driven by the keyboard
alone: every window title is exactly its caption; the menu has the keyboard again after a
game; Return presses the focused menu button; the program ends with status 0 after the
menu's "x" and with a non-zero status after an error message (an empty db folder).

Exit code 0 when every check held.
"""

import argparse
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from xsession import Session, bound_whole_run, wait_for  # noqa: E402

MENU = "Bitte Schwierigkeitsgrad wählen"
GAME = "Stoppt den Räuber Knorzelbart!"
MESSAGE = "Knorzelbart"
ENDE_BUTTON = (120 + 73 // 2, 72 + 33 // 2)


def log(text):
    print(f"[{time.strftime('%H:%M:%S')}] {text}", flush=True)


class Program:
    def __init__(self, session, folder):
        self.session = session
        self.process = session.start([os.path.join(folder, "knorzelbart")], cwd=folder)

    def windows(self):
        return self.session.visible_windows_of(self.process.pid)

    def window_titled(self, title, timeout=20):
        return self.session.window_titled(self.process.pid, title, timeout)

    def exit_status(self, timeout=15):
        wait_for("the program's end", lambda: self.process.poll() is not None, timeout)
        return self.process.returncode

    def to_menu_and_level_one(self):
        wait_for("the start-up screen", self.windows, 20)
        time.sleep(0.5)
        self.session.key("space")
        self.window_titled(MENU)
        self.session.type("Mia")
        self.session.key("Tab", "Return")  # level 1, by the keyboard


def program_folder(program, root, empty_db):
    folder = os.path.join(root, "empty" if empty_db else "full")
    os.mkdir(folder)
    shutil.copy2(program, os.path.join(folder, "knorzelbart"))
    here = os.path.dirname(program)
    shutil.copytree(os.path.join(here, "bilder"), os.path.join(folder, "bilder"))
    if empty_db:
        os.mkdir(os.path.join(folder, "db"))
    else:
        shutil.copytree(os.path.join(here, "db"), os.path.join(folder, "db"))
    return folder


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    args = parser.parse_args()
    bound_whole_run(110)
    session = Session(log=log)
    root = tempfile.mkdtemp(prefix="knorzelbart-exit-")
    try:
        session.start_x()

        # A game, "Ende", and the menu's "x", all by the keyboard.
        game_run = Program(session, program_folder(args.program, root, empty_db=False))
        game_run.to_menu_and_level_one()
        game = game_run.window_titled(GAME)
        log("the titles of the menu and the game are exact")
        session.click(game, *ENDE_BUTTON)
        game_run.window_titled(MENU)
        # The name box has the keyboard: four Tabs reach "x", Return presses it.
        session.key("Tab", "Tab", "Tab", "Tab", "Return")
        status = game_run.exit_status()
        if status != 0:
            raise AssertionError(f"the program ended with status {status} after the menu's x")
        log("after a game the menu has the keyboard; the x ends the program with status 0")

        # An empty db folder: the message, OK, and a status that says it failed.
        error_run = Program(session, program_folder(args.program, root, empty_db=True))
        error_run.to_menu_and_level_one()
        error_run.window_titled(MESSAGE)
        session.key("Return")
        status = error_run.exit_status()
        if status == 0:
            raise AssertionError("the program ended with status 0 after its error message")
        log(f"after the error message the program ended with status {status}")
        print("exit_and_titles: all checks held")
        return 0
    finally:
        session.close()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
