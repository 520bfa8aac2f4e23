#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The teacher's room in the real program, in a private X server, with real keys and a
held mouse button: Ctrl+L from the menu opens it; the keyboard chooses a collection, which is
written to the teacher's settings file; F1 shows the handbook on its page; Esc goes back to
the menu; the button held for two seconds opens the room again, a click does not. A game
then plays with the chosen collection's words. Screenshots land in the artefacts folder.

Exit code 0 when every check held.
"""

import argparse
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from xsession import Session, bound_whole_run, log, run_steps, wait_for  # noqa: E402

MENU = "Bitte Schwierigkeitsgrad wählen"
ROOM = "Knorzelbart – Für Lehrkräfte"
GAME = "Stoppt den Räuber Knorzelbart!"
# The button "Für Lehrkräfte" in the menu's client area (twips 120, 1800, 1500 × 285).
TEACHER_BUTTON = (8 + 50, 120 + 9)
THEME = ["Affe", "Bär", "Biene", "Elefant", "Ente", "Esel", "Fisch", "Frosch", "Fuchs", "Giraffe",
         "Hase", "Hund", "Igel", "Katze", "Kuh", "Maus"]


def program_folder(program, root):
    folder = os.path.join(root, "programm")
    os.mkdir(folder)
    shutil.copy2(program, os.path.join(folder, "knorzelbart"))
    here = os.path.dirname(program)
    shutil.copytree(os.path.join(here, "bilder"), os.path.join(folder, "bilder"))
    shutil.copytree(os.path.join(here, "db"), os.path.join(folder, "db"))
    theme = os.path.join(folder, "sammlungen", "Tiere")
    os.makedirs(theme)
    for word in THEME:
        source = os.path.join(folder, "db", word + ".png")
        if os.path.exists(source):
            shutil.copy2(source, theme)
    return folder


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    os.makedirs(args.artefacts, exist_ok=True)
    bound_whole_run(150)
    session = Session(log=log)
    root = tempfile.mkdtemp(prefix="knorzelbart-room-")
    user_file = os.path.join(root, "benutzer.conf")
    passed = []
    state = {}

    def windows():
        return session.visible_windows_of(state["process"].pid)

    def window_titled(title, timeout=20):
        return session.window_titled(state["process"].pid, title, timeout)

    def gone(title):
        session.no_window_titled(state["process"].pid, title)

    def start():
        session.start_x()
        folder = program_folder(args.program, root)
        session.env.update(KNORZELBART_EINSTELLUNGEN=os.path.join(root, "keine.conf"),
                           KNORZELBART_BENUTZER_EINSTELLUNGEN=user_file, HOME=root)
        state["process"] = session.start([os.path.join(folder, "knorzelbart")], cwd=folder,
                                         log_path=os.path.join(args.artefacts, "teacher_room.log"))
        wait_for("the start-up screen", windows, 20)
        time.sleep(0.5)
        session.key("space")
        state["menu"] = window_titled(MENU)
        session.screenshot(os.path.join(args.artefacts, "teacher_room_menu.png"), window=state["menu"])
        passed.append("menu with its button")

    def control_l():
        session.key("ctrl+l")
        room = window_titled(ROOM)
        session.screenshot(os.path.join(args.artefacts, "teacher_room_words.png"), window=room)
        passed.append("Ctrl+L opens the room")

    def choose_collection():
        # The list of collections has the keyboard: Alle Wörter, then Tiere.
        session.key("Down", "Return")
        def written():
            return os.path.exists(user_file) and "sammlung = Tiere" in open(user_file, encoding="utf-8").read()
        wait_for("sammlung = Tiere in the teacher's file", written, 10)
        passed.append("a collection chosen by the keyboard is kept")

    def help_page():
        session.key("F1")
        time.sleep(1)
        room = window_titled(ROOM)
        session.screenshot(os.path.join(args.artefacts, "teacher_room_help.png"), window=room)
        session.key("Escape")
        gone(ROOM)
        window_titled(MENU)
        passed.append("F1 and Esc")

    def held_button():
        menu = state["menu"]
        session.click(menu, *TEACHER_BUTTON)
        time.sleep(2.5)
        if [w for w in windows() if session.title(w) == ROOM]:
            raise AssertionError("a click on the button opened the room")
        session.run(["xdotool", "mousemove", "--window", str(menu), str(TEACHER_BUTTON[0]), str(TEACHER_BUTTON[1]),
                     "mousedown", "1"])
        time.sleep(2.5)
        session.run(["xdotool", "mouseup", "1"])
        window_titled(ROOM)
        session.key("Escape")
        gone(ROOM)
        passed.append("a click does nothing, the button held opens the room")

    def play():
        window_titled(MENU)
        session.type("Mia")
        session.key("Tab", "Return")
        game = window_titled(GAME)
        session.screenshot(os.path.join(args.artefacts, "teacher_room_game.png"), window=game)
        passed.append("the game starts after the room")

    return run_steps(passed, [start, control_l, choose_collection, help_page, held_button, play],
                     lambda: (session.close(), shutil.rmtree(root, ignore_errors=True)))


if __name__ == "__main__":
    sys.exit(main())
