#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader hears, read over the accessibility bus in a real X server.

Run inside its own D-Bus session (dbus-run-session); the accessibility bus starts on demand.
The program runs with accessibility switched on and the on-screen letter keys shown:

- the start-up screen, the menu and the game are windows with their titles;
- the name box is "Dein Name", the level buttons and "x" have German names;
- a word typed by clicks on the on-screen keys alone (Shift for the capital) is counted in
  "richtig: 1 von 15" and announced by a notification;
- the letter boxes say "Buchstabe 1 von N", the robber says how far he has walked;
- five wrong words on level 3 are announced one by one, and the end message is an alert.

Screenshots of the game with its keys, at its first size and enlarged, land in the artefacts
folder. Exit code 0 when every check held.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from screen import GAME_TITLE, MENU_TITLE  # noqa: E402
from xsession import Timeout, log, wait_for  # noqa: E402
from accessibility import Checks, application, run_in_x, walk  # noqa: E402

# Short words: each wrong word is revealed letter by letter, one a second.
WORDS = ["Öl", "Eis", "Bär", "Zug", "Kuh", "Igel", "Hut", "Tor", "Uhr", "Hai", "Ast", "Reh",
         "Ohr", "Axt", "Ei", "Oma", "Opa"]


class Bus:
    """The program's accessible objects, as pyatspi sees them.

    The listener is registered before the program starts: a program that asks the registry
    for its listeners while one is being registered may never hear of it and then sends no
    events at all. Each event's object is asked for its role and name later, when the test
    reads the announcements, and again if the program was too busy to answer in time; an
    announcement also stays in the tree until the next one replaces it.
    """

    def __init__(self):
        import pyatspi
        from gi.repository import Atspi, GLib
        self.pyatspi, self.context, self.pid = pyatspi, GLib.MainContext.default(), None
        # A busy machine answers slowly: calls wait up to 10 s, not 0.8 s.
        Atspi.set_timeout(10000, 30000)
        self.shown, self.pending = [], []
        pyatspi.Registry.registerEventListener(self._showing, "object:state-changed:showing")

    def _showing(self, event):
        if event.detail1:
            self.pending.append(event.source)

    def announcements(self):
        """The announcements so far: from the events, and the one in the tree now."""
        self.pump(0.1)
        left = []
        for source in self.pending:
            try:
                if source.getRoleName() == "notification" and source.name not in self.shown:
                    self.shown.append(source.name)
            except Exception as error:  # gone (replaced), or no answer yet
                if "timeout" in str(error).lower():
                    left.append(source)
        self.pending = left
        for role, name, _ in self.nodes():
            if role == "notification" and name and name not in self.shown:
                self.shown.append(name)
        return self.shown

    def pump(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while self.context.iteration(False):
                pass
            time.sleep(0.02)

    def app(self):
        return application(self.pyatspi, self.pid)

    def nodes(self):
        """Every showing object of the program: (role name, name, object)."""
        found = []

        def visit(node):
            states = node.getState()
            if node.getRoleName() != "application" and not states.contains(self.pyatspi.STATE_SHOWING):
                return False
            found.append((node.getRoleName(), node.name or "", node))
            return True

        walk(self.app(), visit)
        return found

    def find(self, what, predicate, timeout=60):
        def probe():
            self.pump(0.05)
            for role, name, node in self.nodes():
                if predicate(role, name):
                    return (role, name, node)
            return None
        return wait_for(what, probe, timeout, interval=0.2)

    def centre(self, node):
        extents = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return extents.x + extents.width // 2, extents.y + extents.height // 2


class Run(Checks):
    def has(self, bus, what, role, name, timeout=60):
        try:
            found = bus.find(what, lambda r, n: r == role and (n == name if isinstance(name, str) else name(n)),
                             timeout)
            self.ok(what, True, f"{found[0]}: {found[1]}")
            self.last_name = found[1]
            return found[2]
        except Timeout:
            roles = sorted({f"{r}: {n}" for r, n, _ in bus.nodes()})
            self.ok(what, False, "seen: " + "; ".join(roles[:60]))
            return None

    def click(self, session, bus, node):
        x, y = bus.centre(node)
        session.run(["xdotool", "mousemove", str(x), str(y), "click", "1"])
        bus.pump(0.15)

    def main(self, session, db):
        env = {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"}
        session.env.update(env)
        session.start(["openbox", "--sm-disable"], log_path=os.path.join(self.args.artefacts, "access-openbox.log"))
        time.sleep(0.5)
        bus = Bus()
        bus.pump(0.5)
        program = session.start([self.args.program, "--db", db, "--buchstabentasten", "an"],
                                log_path=os.path.join(self.args.artefacts, "access-program.log"))
        bus.pid = program.pid

        splash = self.has(bus, "the start-up screen is a window", "frame", lambda n: n.startswith("Knorzelbart"))
        if splash is None:
            return
        session.focus(wait_for("the start-up screen", lambda: session.visible_windows("^Knorzelbart$"), 15)[0])
        session.key("space")
        self.has(bus, "the menu is a window with its title", "frame", lambda n: n.startswith("Bitte Schwierigkeitsgrad"))
        name_box = self.has(bus, "the name box is \"Dein Name\"", "text", "Dein Name")
        self.has(bus, "the first level button has its name", "push button", "Level 1, leicht")
        level3 = self.has(bus, "the third level button has its name", "push button", "Level 3, schwer")
        self.has(bus, "\"x\" is \"Abbrechen\"", "push button", "Abbrechen")
        menu = wait_for("the menu", lambda: session.visible_windows(MENU_TITLE), 15)[0]
        session.focus(menu)
        if name_box is not None:
            self.click(session, bus, name_box)
        session.type("Mia")
        if level3 is None:
            return
        self.click(session, bus, level3)

        game = wait_for("the game", lambda: session.visible_windows(GAME_TITLE), 15)[0]
        self.has(bus, "the game is a window with its title", "frame", lambda n: n.startswith("Stoppt den R"))
        first_box = self.has(bus, "letter box 1 counts the letters", "text",
                             lambda n: n.startswith("Buchstabe 1 von "))
        picture = self.has(bus, "the picture carries its word while the preview shows it", "image",
                           lambda n: n.startswith("Bild: "))
        word = self.last_name[len("Bild: "):] if picture is not None else ""
        self.has(bus, "the ticks are a count", "label", "richtig: 0 von 15")
        self.has(bus, "the crosses are a count", "label", "falsch: 0")
        self.has(bus, "the robber tells his way", "image", "Räuber: 0 von 5 Schritten zur Schatztruhe")
        self.has(bus, "the picture keeps its word once the preview is gone", "image", "Bild zum Wort")
        # A checkable key: the screen reader says whether it is latched.
        self.has(bus, "the Shift key is named", "check box", "Großbuchstabe")
        time.sleep(0.3)
        session.screenshot(os.path.join(self.args.artefacts, "access-game-keys.png"), window=game)
        # Enlarged, the keys grow with the scene; the clicks below find them where they are.
        session.run(["xdotool", "windowsize", str(game), "1200", "950"])
        time.sleep(1.0)
        session.screenshot(os.path.join(self.args.artefacts, "access-game-keys-large.png"), window=game)
        session.focus(game)

        # The word, by clicks on the on-screen keys alone.
        if first_box is not None:
            self.ok("the first box names the word's length", first_box.name == f"Buchstabe 1 von {len(word)}",
                    first_box.name)
        for letter in word:
            if letter.isupper():
                self.click(session, bus, self.has(bus, "Shift", "check box", "Großbuchstabe"))
            key = bus.find(f"the key {letter.lower()}", lambda r, n, c=letter.lower(): r == "push button" and n in (c, c.upper()))
            self.click(session, bus, key[2])
        self.has(bus, "a right word is counted", "label", "richtig: 1 von 15", timeout=60)
        try:
            wait_for("the announcement of the tick",
                     lambda: any(n.startswith("Richtig!") for n in bus.announcements()), 60)
            self.ok("the tick is announced", True, "; ".join(bus.shown))
        except Timeout:
            self.ok("the tick is announced", False, "; ".join(bus.shown))

        # Five wrong words on level 3: each announced, then the end message as an alert.
        session.focus(game)
        for wrong in range(1, 6):
            # A wrong first letter, again and again: locked boxes ignore it until the word
            # (the next one, or the same one after its cross) waits again.
            def crossed(w=wrong):
                session.type("#")
                bus.pump(1.0)
                return any(f"falsch: {w}" in n for n in bus.announcements())
            try:
                wait_for(f"cross {wrong} announced", crossed, 90, interval=0.1)
                self.ok(f"cross {wrong} is announced", True, bus.shown[-1])
            except Timeout:
                self.ok(f"cross {wrong} is announced", False, "; ".join(bus.shown))
                return
        alert = self.has(bus, "the end message is an alert", "alert", lambda n: True, timeout=30)
        if alert is not None:
            texts = [n for r, n, _ in bus.nodes() if r == "label"]
            self.ok("the alert says the game is lost", any("verloren" in t for t in texts), "; ".join(texts))
        self.has(bus, "the robber reached the chest", "image", "Räuber: 5 von 5 Schritten zur Schatztruhe")
        session.key("Return")


def main():
    return run_in_x(Run, WORDS, 400, lambda run, session, temp, db: run.main(session, db))


if __name__ == "__main__":
    sys.exit(main())
