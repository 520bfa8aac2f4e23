#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A school morning in the real program, in a private X server with a virtual microphone, with
real keys and clicks and no terminal after the start: the teacher opens the room with Ctrl+L,
types a class of three on the page Klasse, chooses the collection Tiere on Wörter, records one
of its words (a tone played into the microphone), switches the record on on Lernstand and
goes back to the menu. Two children pick their names from the menu's name buttons and play a
few letters each. Then the teacher opens the report on one child: the browser is the
desktop's business, so the report file is checked; it names that child and no other.
Screenshots land in the artefacts folder.

Exit code 0 when every check held.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pulse import Pulse  # noqa: E402
from teacher_room import GAME, MENU, ROOM, program_folder  # noqa: E402
from xsession import Session, bound_whole_run, log, run_steps, wait_for  # noqa: E402

RECORDER = "Knorzelbart – Wörter aufnehmen"
# "Schließen" in the recording window as it opens.
RECORDER_CLOSE = (615, 500)
CHILDREN = ["Ayla", "Ben", "Carla"]
# The room at its design size: the pages lie in the tab frame at (8, 8) below the tabs.
PAGE = (8 + 2, 8 + 34)
# Places on the pages (their design pixels), the middle of a control.
STIMMEN = (576 + 78, 344 + 18)       # Wörter: "Stimmen aufnehmen"
NAME_BOX = (305 + 150, 118 + 12)     # Klasse: "Name des Kindes"
RECORD_ON = (10 + 150, 44 + 18)      # Lernstand: "Lernstand: aus/an"
CHILD_LIST = (10 + 140, 116 + 8)    # Lernstand: the first child with a record
REPORT_CHILD = (305 + 152, 162 + 18)  # Lernstand: "Bericht über das Kind anzeigen"
# "Ende" in the game window as it opens.
GAME_END = (156, 88)
# The menu in twips / 15: the name buttons sit below the levels, three a row.
NAME_BUTTON_WIDTH = (5055 - 4 * 60) / 3


def name_button(index):
    return (int((60 + index * (NAME_BUTTON_WIDTH + 60) + NAME_BUTTON_WIDTH / 2) / 15), int((2175 + 60 + 300) / 15))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    artefacts = os.path.join(args.artefacts, "teacher_story")
    shutil.rmtree(artefacts, ignore_errors=True)
    os.makedirs(artefacts)
    bound_whole_run(170)
    root = tempfile.mkdtemp(prefix="knorzelbart-story-")
    pulse = Pulse(artefacts, sinks=("nul", "mic"))
    session = Session(log=log)
    user_file = os.path.join(root, "benutzer.conf")
    data = os.path.join(root, "daten")
    passed = []
    state = {}

    def shot(name, window):
        session.screenshot(os.path.join(artefacts, name + ".png"), window=window)

    def windows():
        return session.visible_windows_of(state["process"].pid)

    def window_titled(title, timeout=20):
        return session.window_titled(state["process"].pid, title, timeout)

    def gone(title):
        session.no_window_titled(state["process"].pid, title)

    def on_page(place):
        return PAGE[0] + place[0], PAGE[1] + place[1]

    def settings():
        return open(user_file, encoding="utf-8").read() if os.path.exists(user_file) else ""

    def start():
        pulse.start_server()
        assert pulse.pactl("set-default-source", "mic.monitor").returncode == 0
        session.start_x()
        state["folder"] = program_folder(args.program, root)
        session.env.update(KNORZELBART_EINSTELLUNGEN=os.path.join(root, "keine.conf"),
                           KNORZELBART_BENUTZER_EINSTELLUNGEN=user_file, HOME=root, XDG_DATA_HOME=data,
                           XDG_RUNTIME_DIR=pulse.runtime)
        session.env.pop("PULSE_SERVER", None)
        state["process"] = session.start([os.path.join(state["folder"], "knorzelbart")], cwd=state["folder"],
                                         log_path=os.path.join(artefacts, "program.log"))
        wait_for("the start-up screen", windows, 20)
        time.sleep(0.5)
        session.key("space")
        state["menu"] = window_titled(MENU)
        session.key("ctrl+l")
        state["room"] = window_titled(ROOM)
        passed.append("Ctrl+L opens the room")

    def class_list():
        room = state["room"]
        session.key("ctrl+Tab")
        time.sleep(0.5)
        session.click(room, *on_page(NAME_BOX))
        for child in CHILDREN:
            session.type(child)
            session.key("Return")
            time.sleep(0.3)
        shot("klasse", room)
        listed = os.path.join(data, "knorzelbart")

        def written():
            for base, _, files in os.walk(listed):
                for name in files:
                    text = open(os.path.join(base, name), encoding="utf-8", errors="replace").read()
                    if all(child in text for child in CHILDREN):
                        return True
            return False
        wait_for("the class list of three in the record's folder", written, 10)
        passed.append("a class of three typed on Klasse")

    def collection():
        room = state["room"]
        session.key("ctrl+shift+Tab")
        time.sleep(0.5)
        # The list of collections: Alle Wörter, then Tiere.
        session.key("Down", "Return")
        wait_for("sammlung = Tiere in the teacher's file", lambda: "sammlung = Tiere" in settings(), 10)
        shot("woerter", room)
        passed.append("the collection Tiere chosen")

    def record_word():
        tone = os.path.join(artefacts, "ton.wav")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "1", tone, "synth", "1.0", "sine", "660",
                        "vol", "0.5", "pad", "0.3", "0.3"], check=True, timeout=30)
        session.click(state["room"], *on_page(STIMMEN))
        recorder = window_titled(RECORDER)
        shot("aufnehmen", recorder)
        theme = os.path.join(state["folder"], "sammlungen", "Tiere")
        before = set(os.listdir(theme))
        session.key("space")
        wait_for("the window to read the microphone",
                 lambda: len(pulse.pactl("list", "short", "source-outputs").stdout.split("\n")) > 1, 15, 0.05)
        time.sleep(0.3)
        pulse.start(["paplay", "-d", "mic", tone]).wait(30)
        time.sleep(0.3)
        session.key("space")

        def new_take():
            return [name for name in set(os.listdir(theme)) - before if name.endswith(".ogg")]
        takes = wait_for("a take in the collection's folder", new_take, 15, 0.05)
        log(f"recorded {takes}")
        shot("aufgenommen", recorder)
        time.sleep(1.6)  # keys and clicks right after a take do nothing for a moment
        session.click(recorder, *RECORDER_CLOSE)
        gone(RECORDER)
        passed.append("one word recorded through the microphone")

    def record_on():
        room = state["room"]
        session.focus(room)
        session.key("ctrl+Tab", "ctrl+Tab")
        time.sleep(0.5)
        session.click(room, *on_page(RECORD_ON))
        wait_for("lernstand = an in the teacher's file", lambda: "lernstand = an" in settings(), 10)
        shot("lernstand", room)
        session.key("Escape")
        gone(ROOM)
        passed.append("the record switched on")

    def children_play():
        for index in (0, 1):
            menu = window_titled(MENU)
            # The desktop gives the menu the keyboard back (there is no window manager here).
            session.focus(menu)
            time.sleep(0.5)
            shot(f"menu_{index}", menu)
            session.click(menu, *name_button(index))
            time.sleep(0.3)
            shot(f"gewaehlt_{index}", menu)
            session.key("Return")
            game = window_titled(GAME)
            # A letter that no word of the collection has: the child missed it, and the
            # record keeps that at once.
            session.type("q", delay_ms=150)
            time.sleep(0.5)
            shot(f"spiel_{index}", game)
            session.click(game, *GAME_END)
            gone(GAME)
        passed.append("two children chose their names and played")

    def report():
        menu = window_titled(MENU)
        session.focus(menu)
        session.key("ctrl+l")
        room = window_titled(ROOM)
        session.key("ctrl+Tab", "ctrl+Tab")
        time.sleep(0.5)
        session.click(room, *on_page(CHILD_LIST))
        time.sleep(0.3)
        session.click(room, *on_page(REPORT_CHILD))
        path = os.path.join(data, "knorzelbart", "bericht.html")
        time.sleep(0.5)
        shot("bericht", room)
        wait_for("the report file", lambda: os.path.exists(path), 15)
        text = open(path, encoding="utf-8").read()
        named = [child for child in CHILDREN if child in text]
        assert named == [CHILDREN[0]], f"the report names {named}, not only {CHILDREN[0]}"
        passed.append("the report on one child names that child only")

    def close():
        session.close()
        pulse.close()
        shutil.rmtree(root, ignore_errors=True)

    return run_steps(passed, [start, class_list, collection, record_word, record_on, children_play, report], close)


if __name__ == "__main__":
    sys.exit(main())
