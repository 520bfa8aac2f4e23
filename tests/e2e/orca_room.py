#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a teacher who uses a screen reader hears in the teacher's room: the real Orca, as in
orca.py. From the menu, Ctrl+L opens the room and the list of collections is read; Ctrl+Tab
turns to each page and Orca names it; on the pages Klasse and Lernstand, and on Einstellungen,
Tab reaches a control that Orca reads by its name.

Run inside its own D-Bus session (dbus-run-session). Exit code 0 when every check held.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from xsession import log, wait_for  # noqa: E402
from accessibility import run_in_x  # noqa: E402
from orca import WORDS, Run  # noqa: E402

ROOM_TITLE = "^Knorzelbart – Für Lehrkräfte$"
# The names Orca reads for the controls Tab reaches on these pages.
CONTROLS = {
    "Klasse": ("Kinder der Klasse", "Name des Kindes", "Hinzufügen", "Umbenennen", "Aus der Liste nehmen"),
    "Lernstand": ("Lernstand führen", "Ordner des Lernstands wählen", "Kinder mit Lernstand",
                  "Bericht anzeigen", "Bericht über das Kind anzeigen", "Kind vergessen", "Alle vergessen"),
}


class RoomRun(Run):
    def room(self, session, db, home):
        self.start_bus(session, home, "orca-room-bus.log",
                       KNORZELBART_EINSTELLUNGEN=os.path.join(home, "keine.conf"))
        orca = self.start_orca(session, home)
        log("Orca speaks")
        session.start([self.args.program, "--db", db],
                      log_path=os.path.join(self.args.artefacts, "orca-room-program.log"))
        self.to_menu(session, orca)

        mark = orca.mark()
        session.key("ctrl+l")
        room = wait_for("the room", lambda: session.visible_windows(ROOM_TITLE), 30)[0]
        session.focus(room)
        self.hears(orca, "the room: its list of collections is read", mark, lambda s: "Sammlungen" in s)
        for page in ("Klasse", "Lernstand", "Einstellungen", "Hilfe"):
            mark = orca.mark()
            session.key("ctrl+Tab")
            self.hears(orca, f"the page {page} is named", mark, lambda s, p=page: p in s, 30)
            if page in CONTROLS:
                mark = orca.mark()
                session.key("Tab")
                self.hears(orca, f"a control of the page {page} is read by its name", mark,
                           lambda s, p=page: any(name in s for name in CONTROLS[p]), 30)
        mark = orca.mark()
        session.key("ctrl+shift+Tab")
        self.hears(orca, "back on the page Einstellungen", mark, lambda s: "Einstellungen" in s, 30)
        mark = orca.mark()
        session.key("Tab")
        self.hears(orca, "a setting is read by its name", mark,
                   lambda s: any(name in s for name in ("Sprache", "Silben", "Seiten für Lehrkräfte")), 30)


def main():
    def body(run, session, temp, db):
        home = os.path.join(temp, "home")
        os.makedirs(home)
        run.room(session, db, home)
    return run_in_x(RoomRun, WORDS, 400, body)


if __name__ == "__main__":
    sys.exit(main())
