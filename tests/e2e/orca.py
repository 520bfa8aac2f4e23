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
  the retry) no object holds it, shown or hidden;
- a folder of fifteen-letter words, said without asking: every new word is announced, a
  wrong letter is told at once, and Orca's speech and the program's voice, each on a null
  sink of a private PulseAudio server, are never loud at once.

The test's Orca runs beside any other Orca of the same user: its copy of the launcher neither
looks for other Orcas nor calls itself "orca". When it ends early all the same, the test says
so at once with what it printed.

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
from accessibility import Checks, application, make_db, run_in_x, walk  # noqa: E402
from pulse import Pulse, read_raw  # noqa: E402

# Two- and three-letter words (a reveal takes a second per letter) that xdotool types as
# they are (it types a capital umlaut as a small one).
WORDS = ["Tag", "Eis", "Bär", "Zug", "Kuh", "Igel", "Hut", "Tor", "Uhr", "Hai", "Ast", "Reh",
         "Ohr", "Axt", "Ei", "Oma", "Opa"]
# Fifteen letters each, as xdotool types them.
LONG_WORDS = ["Regenbogenfisch", "Fussballspieler", "Kinderspielzeug", "Schokoladenkeks", "Bilderbuchseite"]


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


class Voices:
    """Orca's speech and the program's voice, each on a null sink of a private PulseAudio
    server, recorded side by side: the moments both are loud at once are an overlap."""

    RATE = 16000
    FRAME = 0.02  # seconds
    LOUD = 300    # mean absolute sample value of a frame that holds speech

    def __init__(self, artefacts):
        self.artefacts = artefacts
        self.pulse = Pulse(artefacts, sinks=("game", "orca"))
        self.pulse.start_server()
        self.server = "unix:" + os.path.join(self.pulse.runtime, "pulse", "native")
        self.recorders = []

    def record(self):
        self.files = [os.path.join(self.artefacts, f"voice-{sink}.raw") for sink in ("game", "orca")]
        for sink, path in zip(("game", "orca"), self.files):
            out = open(path, "wb")
            self.recorders.append(self.pulse.start(
                ["parec", "-d", sink + ".monitor", "--format=s16le", f"--rate={self.RATE}", "--channels=1",
                 "--latency-msec=20"], stdout=out))
        wait_for("both recordings", lambda: all(os.path.getsize(p) > 0 for p in self.files), 10, 0.05)

    def loud(self, path):
        samples = read_raw(path)
        n = int(self.RATE * self.FRAME)
        return [sum(abs(x) for x in samples[i:i + n]) / n > self.LOUD for i in range(0, len(samples) - n + 1, n)]

    def stop(self):
        """(seconds of the program's voice, of Orca's, of both at once, the overlaps as
        (start, length) in seconds)."""
        time.sleep(0.5)
        for recorder in self.recorders:
            recorder.terminate()
            recorder.wait(5)
        game, orca = (self.loud(p) for p in self.files)
        both = [g and o for g, o in zip(game, orca)]
        spans, start = [], None
        for i, b in enumerate(both + [False]):
            if b and start is None:
                start = i
            elif not b and start is not None:
                spans.append((round(start * self.FRAME, 2), round((i - start) * self.FRAME, 2)))
                start = None
        return sum(game) * self.FRAME, sum(orca) * self.FRAME, sum(both) * self.FRAME, spans

    def close(self):
        self.pulse.close()


class Run(Checks):
    def hears(self, orca, what, mark, predicate, timeout=60):
        try:
            line = orca.wait(what, mark, predicate, timeout)
            self.ok(what, True, line)
            return line
        except Timeout:
            self.ok(what, False, "heard: " + " | ".join(orca.since(mark)[-15:]))
            return None

    voices = None

    def start_bus(self, session, home, bus_log, **extra_env):
        """The session of a screen-reader run: a home of its own, accessibility switched on,
        and the accessibility bus, started here so that Orca and the program find the same
        one (its address on the X server's root window and on the session bus)."""
        session.env.update({"HOME": home, "XDG_RUNTIME_DIR": os.path.join(home, "run"),
                            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1",
                            "GTK_MODULES": "", "NO_AT_BRIDGE": "0", **extra_env})
        os.makedirs(session.env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                      log_path=os.path.join(self.args.artefacts, bus_log))
        wait_for("the accessibility bus", lambda: "unix:" in session.run(
            ["xprop", "-root", "AT_SPI_BUS"], check=False), 60, interval=0.3)

    def start_orca(self, session, home):
        # speech-dispatcher speaks through libao, which waits for a sound card unless it has an
        # output: the private sound server's null sink "orca", recorded beside the program's.
        # A run that records no voices (its own sound server serves the program) gives Orca a
        # silent output.
        with open(os.path.join(home, ".libao"), "w") as f:
            f.write("default_driver=pulse\n" if self.voices else "default_driver=null\n")
        if self.voices:
            session.env["PULSE_SERVER"] = self.voices.server
            session.env["PULSE_SINK"] = "orca"
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
        if self.voices:
            session.env["PULSE_SINK"] = "game"  # the program's voice
        # Orca writes its debug file through a block buffer; a line-buffered copy of its
        # launcher lets the test read it while it grows.
        # It neither refuses to start beside another Orca of the user (each has its own buses
        # and speech here) nor takes the name "orca" that another Orca looks for.
        with open(shutil.which("orca")) as f:
            launcher = f.read().replace("open(args.debug_file, 'w')", "open(args.debug_file, 'w', buffering=1)")
        for original, replacement in [("    if otherOrcas():\n        print(messages.CLI_OTHER_ORCAS_ERROR)",
                                       "    if False:\n        print(messages.CLI_OTHER_ORCAS_ERROR)"),
                                      ("setProcessName('orca')", "setProcessName('orca-e2e')")]:
            if original not in launcher:
                raise Timeout(f"Orca's launcher has changed; the test cannot adapt it ({original!r} not found)")
            launcher = launcher.replace(original, replacement)
        script = os.path.join(home, "orca-lb")
        with open(script, "w") as f:
            f.write(launcher)
        prefs = os.path.join(home, "prefs")
        os.makedirs(prefs, exist_ok=True)
        path = os.path.join(self.args.artefacts, "orca.log")
        if os.path.exists(path):
            os.remove(path)
        output = os.path.join(self.args.artefacts, "orca-output.log")
        process = session.start(["/usr/bin/python3", script, "--debug-file=" + path, "-u", prefs], log_path=output)
        orca = OrcaLog(path)

        def alive():
            # An Orca that ended is reported at once, with what it said, rather than waited for.
            if process.poll() is not None:
                with open(output, errors="replace") as f:
                    said = f.read().strip()[-500:]
                raise Timeout(f"Orca ended at start (exit {process.returncode}): {said}")

        def speaking():
            alive()
            return orca.mark() > 0
        wait_for("Orca to start speaking", speaking, 120, interval=0.5)

        def started():
            alive()
            try:
                with open(path, "rb") as f:
                    return b"ORCA: Startup complete" in f.read()
            except FileNotFoundError:
                return False
        wait_for("Orca to listen to the accessibility bus", started, 120, interval=0.5)
        return orca

    def type_word(self, session, word):
        session.type(word, delay_ms=120)

    def to_menu(self, session, orca):
        """From the start-up screen to the menu with the space bar: Orca reads the name box."""
        splash = wait_for("the start-up screen", lambda: session.visible_windows("^Knorzelbart$"), 30)[0]
        session.focus(splash)
        mark = orca.mark()
        session.key("space")
        menu = wait_for("the menu", lambda: session.visible_windows(MENU_TITLE), 30)[0]
        session.focus(menu)
        self.hears(orca, "the menu: the name box is read", mark, lambda s: "Dein Name" in s)
        return menu

    def main(self, session, db, home, long_db):
        self.voices = Voices(self.args.artefacts)
        self.start_bus(session, home, "orca-bus.log")
        orca = self.start_orca(session, home)
        log("Orca speaks")

        program = session.start([self.args.program, "--db", db],
                                log_path=os.path.join(self.args.artefacts, "orca-program.log"))
        tree = Tree(program.pid)
        self.to_menu(session, orca)

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
        menu = wait_for("the menu after the defeat", lambda: session.visible_windows(MENU_TITLE), 30)[0]
        session.focus(menu)
        session.key("Tab", "Tab", "Tab", "Tab", "Return")  # Abbrechen
        wait_for("the program to end", lambda: program.poll() is not None, 30)
        self.long_words(session, orca, long_db)

    def long_words(self, session, orca, db):
        """Words of fifteen letters, said without asking: each new word is announced after its
        boxes appear, and the program's voice never speaks while Orca does."""
        self.voices.record()
        program = session.start([self.args.program, "--db", db, "--sprache", "automatisch"],
                                log_path=os.path.join(self.args.artefacts, "orca-program-long.log"))
        tree = Tree(program.pid)
        splash = wait_for("the start-up screen", lambda: session.visible_windows("^Knorzelbart$"), 30)[0]
        session.focus(splash)
        session.key("space")
        menu = wait_for("the menu", lambda: session.visible_windows(MENU_TITLE), 30)[0]
        session.focus(menu)
        session.type("Mia")
        mark = orca.mark()
        session.key("Tab", "Return")
        game = wait_for("the game", lambda: session.visible_windows(GAME_TITLE), 30)[0]
        self.hears(orca, "a long first word is announced", mark, lambda s: "Neues Wort: 15 Buchstaben" in s)
        session.focus(game)
        # As a blind child does: the word is heard before it is typed (after the announcement).
        time.sleep(9)
        for n in range(2, 5):
            word = wait_for("the long word", tree.word, 30)
            mark = orca.mark()
            self.type_word(session, word)
            self.hears(orca, f"long word {n} is announced after the last one was right", mark,
                       lambda s: "Neues Wort: 15 Buchstaben" in s, 60)
        # A wrong letter: "Falsch." at once, the word when the reveal begins.
        word = wait_for("the long word", tree.word, 30)
        mark = orca.mark()
        session.type("#")
        began = time.monotonic()
        self.hears(orca, "a wrong letter is told at once", mark, lambda s: "Falsch." in s, 10)
        heard = time.monotonic() - began
        self.ok("\"Falsch.\" comes within two seconds of the key", heard < 2.0, f"{heard:.1f} s")
        self.hears(orca, "the long word is said when its reveal begins", mark,
                   lambda s: f"Das Wort heißt {word}" in s, 30)
        self.hears(orca, "then where the robber is", mark, lambda s: "Räuber ist 1 von" in s, 60)
        time.sleep(4)  # the word said again after the robber's step
        mark = orca.mark()
        session.key("F2")
        self.hears(orca, "F2 is echoed", mark, lambda s: "F2" in s or "F 2" in s, 10)
        time.sleep(4)
        game_s, orca_s, both_s, spans = self.voices.stop()
        log(f"voices: the program {game_s:.1f} s, Orca {orca_s:.1f} s, both at once {both_s:.2f} s {spans}")
        # At least the word F2 asked for: a word said unasked waits for Orca, and the test
        # types before that wait ends.
        self.ok("the program's voice was heard", game_s > 0.5, f"{game_s:.1f} s")
        self.ok("Orca was heard", orca_s > 5.0, f"{orca_s:.1f} s")
        # A frame or two where a voice fades out while the other begins is no overlap.
        self.ok("the program's voice and Orca never speak at once", both_s <= 0.5, f"{both_s:.2f} s: {spans}")
        session.key("ctrl+shift+e")


def main():
    def body(run, session, temp, db):
        home = os.path.join(temp, "home")
        os.makedirs(home)
        long_db = os.path.join(temp, "long")
        make_db(long_db, LONG_WORDS)
        try:
            run.main(session, db, home, long_db)
        finally:
            if getattr(run, "voices", None):
                run.voices.close()
    return run_in_x(Run, WORDS, 680, body)


if __name__ == "__main__":
    sys.exit(main())
