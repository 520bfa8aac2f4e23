#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a blind child hears: the real screen reader Orca follows a real game.

Run inside its own D-Bus session (dbus-run-session); the accessibility bus starts on demand.
The script starts everything itself in a private X server: speech-dispatcher (speaking to a
silent output, no sound card needed, spawned by Orca), Orca with a debug log that is written
line by line, and the program with accessibility on. Every utterance is one "SPEECH OUTPUT"
line of the log; each moment is checked by what Orca says after it:

- the menu: its name box;
- a new word: its letter count, how to hear it, and never the word itself;
- a right word: the tick and the count; a wrong word: the word and its cross when the reveal
  begins, and then where the robber is;
- the victory message (level 1), a second game that says nothing of the first, the defeat
  message (level 3);
- over the accessibility tree (pyatspi): while the word is secret (level 3 after its preview,
  the retry) no object holds it, shown or hidden.

Exit code 0 when every check held. Orca's log and the program's output land in the artefacts
folder.
"""

import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from screen import GAME_TITLE, MENU_TITLE, MESSAGE_TITLE  # noqa: E402
from xsession import Timeout, log, wait_for  # noqa: E402
from accessibility import Checks, application, run_in_x, walk  # noqa: E402

# Two- and three-letter words (a reveal takes a second per letter) that xdotool types as
# they are (it types a capital umlaut as a small one).
WORDS = ["Tag", "Eis", "Bär", "Zug", "Kuh", "Igel", "Hut", "Tor", "Uhr", "Hai", "Ast", "Reh",
         "Ohr", "Axt", "Ei", "Oma", "Opa"]


class OrcaLog:
    """The utterances in Orca's debug log, read as it grows."""

    PATTERN = re.compile(r"SPEECH OUTPUT: '(.*?)'")

    def __init__(self, path):
        self.path = path

    def said(self):
        try:
            with open(self.path, "rb") as f:
                text = f.read().decode("utf-8", errors="replace")
        except FileNotFoundError:
            return []
        return [m.group(1) for m in self.PATTERN.finditer(text)]

    def mark(self):
        return len(self.said())

    def since(self, mark):
        return self.said()[mark:]

    def wait(self, what, mark, predicate, timeout=60):
        """Waits until an utterance after `mark` satisfies predicate; returns it."""
        def probe():
            for line in self.since(mark):
                if predicate(line):
                    return line
            return None
        return wait_for(what, probe, timeout, interval=0.2)


class Tree:
    """The program's accessible objects, as pyatspi reads them."""

    def __init__(self, pid):
        import pyatspi
        self.pyatspi, self.pid = pyatspi, pid

    def app(self):
        return application(self.pyatspi, self.pid)

    def texts(self):
        """(role, every text) of every object reachable from the application."""
        found = []

        def visit(node):
            texts = [node.name or "", node.description or ""]
            try:
                text = node.queryText()
                texts.append(text.getText(0, -1))
            except NotImplementedError:
                pass
            found.append((node.getRoleName(), texts))
            return True

        walk(self.app(), visit)
        return found

    def word(self):
        """The word the picture carries while its preview shows it."""
        for role, texts in self.texts():
            if role == "image" and texts[0].startswith("Bild: "):
                return texts[0][len("Bild: "):]
        return None

    def holders(self, word):
        return [f"{role}: {t}" for role, texts in self.texts() for t in texts if word in t]


class Run(Checks):
    def hears(self, orca, what, mark, predicate, timeout=60):
        try:
            line = orca.wait(what, mark, predicate, timeout)
            self.ok(what, True, line)
            return line
        except Timeout:
            self.ok(what, False, "heard: " + " | ".join(orca.since(mark)[-15:]))
            return None

    def start_orca(self, session, home):
        # speech-dispatcher waits for a sound card unless it speaks to a silent output.
        with open(os.path.join(home, ".libao"), "w") as f:
            f.write("default_driver=null\n")
        config = os.path.join(home, ".config", "speech-dispatcher")
        os.makedirs(config, exist_ok=True)
        with open("/etc/speech-dispatcher/speechd.conf") as f:
            conf = re.sub(r"(?m)^#? *AudioOutputMethod .*$", 'AudioOutputMethod "libao"', f.read())
        with open(os.path.join(config, "speechd.conf"), "w") as f:
            f.write(conf)
        # Started here, in the session's process group, rather than spawned by Orca: Orca
        # then finds it ready and does not wait for it on a busy machine.
        socket = os.path.join(session.env["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
        session.start(["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir", config],
                      log_path=os.path.join(self.args.artefacts, "orca-speechd.log"))
        wait_for("speech-dispatcher's socket", lambda: os.path.exists(socket), 60, interval=0.2)
        # Orca writes its debug file through a block buffer; a line-buffered copy of its
        # launcher lets the test read it while it grows.
        with open(shutil.which("orca")) as f:
            launcher = f.read().replace("open(args.debug_file, 'w')", "open(args.debug_file, 'w', buffering=1)")
        script = os.path.join(home, "orca-lb")
        with open(script, "w") as f:
            f.write(launcher)
        prefs = os.path.join(home, "prefs")
        os.makedirs(prefs, exist_ok=True)
        path = os.path.join(self.args.artefacts, "orca.log")
        if os.path.exists(path):
            os.remove(path)
        session.start(["/usr/bin/python3", script, "--debug-file=" + path, "-u", prefs],
                      log_path=os.path.join(self.args.artefacts, "orca-output.log"))
        orca = OrcaLog(path)
        wait_for("Orca to start speaking", lambda: orca.mark() > 0, 120, interval=0.5)

        def started():
            try:
                with open(path, "rb") as f:
                    return b"ORCA: Startup complete" in f.read()
            except FileNotFoundError:
                return False
        wait_for("Orca to listen to the accessibility bus", started, 120, interval=0.5)
        return orca

    def type_word(self, session, word):
        session.type(word, delay_ms=120)

    def main(self, session, db, home):
        session.env.update({"HOME": home, "XDG_RUNTIME_DIR": os.path.join(home, "run"),
                            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1",
                            "GTK_MODULES": "", "NO_AT_BRIDGE": "0"})
        os.makedirs(session.env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        # The accessibility bus, started here so that Orca and the program find the same one:
        # its address on the X server's root window and on the session bus.
        session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                      log_path=os.path.join(self.args.artefacts, "orca-bus.log"))
        wait_for("the accessibility bus", lambda: "unix:" in session.run(
            ["xprop", "-root", "AT_SPI_BUS"], check=False), 60, interval=0.3)
        orca = self.start_orca(session, home)
        log("Orca speaks")

        program = session.start([self.args.program, "--db", db],
                                log_path=os.path.join(self.args.artefacts, "orca-program.log"))
        tree = Tree(program.pid)
        splash = wait_for("the start-up screen", lambda: session.visible_windows("^Knorzelbart$"), 30)[0]
        session.focus(splash)
        mark = orca.mark()
        session.key("space")
        menu = wait_for("the menu", lambda: session.visible_windows(MENU_TITLE), 30)[0]
        session.focus(menu)
        self.hears(orca, "the menu: the name box is read", mark, lambda s: "Dein Name" in s)

        # Game 1, level 1.
        session.type("Mia")
        mark = orca.mark()
        session.key("Tab", "Return")
        game = wait_for("the game", lambda: session.visible_windows(GAME_TITLE), 30)[0]
        line = self.hears(orca, "a new word: its letter count and how to hear it", mark,
                          lambda s: "Neues Wort:" in s)
        word = wait_for("the picture's word", tree.word, 30)
        if line is not None:
            self.ok("the new word's announcement counts its letters and keeps the word",
                    f"{len(word)} Buchstabe" in line and word not in line and "F2" in line, line)
        session.focus(game)

        # A right word.
        mark = orca.mark()
        self.type_word(session, word)
        self.hears(orca, "a right word: the tick and the count", mark,
                   lambda s: "Richtig" in s and "richtig: 1 von 15" in s)
        line = self.hears(orca, "then the next word", mark, lambda s: "Neues Wort:" in s, 30)

        # A wrong word: the word and its cross as the reveal begins, then the robber.
        word = wait_for("the next word", tree.word, 30)
        mark = orca.mark()
        session.type("#")
        began = time.monotonic()
        line = self.hears(orca, "a wrong word: the word and its cross when the reveal begins", mark,
                          lambda s: f"Das Wort heißt {word}" in s and "falsch: 1" in s, 30)
        self.hears(orca, "then where the robber is", mark,
                   lambda s: "Räuber ist 1 von" in s and "Noch einmal" in s, 60)
        log(f"reveal and robber in {time.monotonic() - began:.1f} s")

        # The rest of the words to the victory (the failed word again first).
        right = 1
        while right < 15:
            current = wait_for("the word to type", tree.word, 30)
            mark = orca.mark()
            self.type_word(session, current)
            right += 1
            expected = f"richtig: {right} von 15"
            try:
                orca.wait(f"tick {right}", mark, lambda s, e=expected: e in s, 60)
            except Timeout:
                self.ok(f"tick {right} is heard", False, " | ".join(orca.since(mark)[-10:]))
                return
            if right < 15:
                try:
                    orca.wait("the next word", mark, lambda s: "Neues Wort:" in s, 30)
                except Timeout:
                    self.ok(f"word {right + 1} is announced", False, " | ".join(orca.since(mark)[-10:]))
                    return
        self.ok("fifteen ticks were heard one by one", True)
        self.hears(orca, "the victory message is read", mark,
                   lambda s: "Herzlichen Glückwunsch Mia, du hast gewonnen" in s, 60)
        message = wait_for("the victory message", lambda: session.visible_windows(MESSAGE_TITLE), 30)[0]
        session.focus(message)
        session.key("Return")
        menu = wait_for("the menu again", lambda: session.visible_windows(MENU_TITLE), 30)[0]
        session.focus(menu)

        # Game 2, level 3: nothing of game 1 is said again.
        time.sleep(0.5)
        mark = orca.mark()
        session.key("Tab", "Tab", "Tab", "Return")
        game = wait_for("the second game", lambda: session.visible_windows(GAME_TITLE), 30)[0]
        self.hears(orca, "the second game begins with its new word", mark, lambda s: "Neues Wort:" in s)
        word = wait_for("the second game's word", tree.word, 30)
        old = [s for s in orca.since(mark) if "falsch: 1" in s or "richtig: 15" in s or "Richtig" in s]
        self.ok("nothing of the first game is said again", not old, " | ".join(old))
        session.focus(game)
        # Level 3 hides the word after its preview: no object holds it then.
        wait_for("the preview to go", lambda: tree.word() is None, 30)
        holders = tree.holders(word)
        self.ok("the secret word is in no object after the preview", not holders, "; ".join(holders))

        # A wrong first letter again and again: the same word fails five times.
        for wrong in range(1, 6):
            mark = orca.mark()
            session.type("#")
            self.hears(orca, f"cross {wrong}: the word when the reveal begins", mark,
                       lambda s, w=wrong, x=word: f"Das Wort heißt {x}" in s and f"falsch: {w}" in s, 40)
            if wrong < 5:
                self.hears(orca, f"the robber's step {wrong}", mark, lambda s, w=wrong: f"Räuber ist {w} von 5" in s, 60)
                if wrong == 1:
                    wait_for("the retry's preview to go", lambda: tree.word() is None, 30)
                    holders = tree.holders(word)
                    self.ok("the secret word is in no object during the retry", not holders, "; ".join(holders))
        self.hears(orca, "the robber reaches the chest", mark, lambda s: "Räuber ist bei der Schatztruhe" in s, 60)
        self.hears(orca, "the defeat message is read", mark, lambda s: "Schade Mia, du hast verloren" in s, 60)
        message = wait_for("the defeat message", lambda: session.visible_windows(MESSAGE_TITLE), 30)[0]
        session.focus(message)
        session.key("Return")


def main():
    def body(run, session, temp, db):
        home = os.path.join(temp, "home")
        os.makedirs(home)
        run.main(session, db, home)
    return run_in_x(Run, WORDS, 560, body)


if __name__ == "__main__":
    sys.exit(main())
