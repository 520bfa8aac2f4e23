#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end run of the built program in its own X server, driven by real key presses and
mouse clicks: splash -> key -> menu -> name -> level 1 -> fifteen right words -> victory
message -> OK -> menu; level 3 -> five wrong words -> defeat message -> OK -> menu -> "x".

The run starts the program without options, so that it reads its words from the folder db
beside itself (and no settings: the session names none), and copies the program and its bilder/ into a temporary folder and writes a db of its
own. The word picture on the screen tells the run which word is up: each picture's coarse
colour signature is worked out beforehand and matched against the screen.

Screenshots of each stage go to the artefact folder (--artefacts).
Exit code 0 when every check held; the closing line says how many stages passed.
"""

import argparse
import difflib
import os
import re
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import screen  # noqa: E402
from screen import (CANCEL_BUTTON, GAME_TITLE, LEVEL_BUTTON, MENU_TITLE,  # noqa: E402
                    MESSAGE_TITLE, NAME_BOX, SPLASH_SIZE)
from xsession import Session, Timeout, bound_whole_run, wait_for  # noqa: E402

# Short ASCII words whose pictures look clearly different from one another.
WORDS = ["Apfel", "Auto", "Bus", "Ei", "Hund", "Hut", "Kuh", "Mond", "Zug", "Haus", "Herz",
         "Igel", "Wal", "Uhr", "Buch", "Stern", "Frosch"]
PLAYER = "Mia"

SUITE_SECONDS = 270


class Run:
    def __init__(self, program, pictures, artefacts):
        self.program = program
        self.pictures = pictures
        self.artefacts = artefacts
        self.passed = []
        self.session = Session(log=self.log)
        self.folder = None
        self.process = None
        self.signatures = {}
        self.window_log = open(os.path.join(artefacts, "windows.log"), "w")

    def log(self, text):
        print(f"[{time.strftime('%H:%M:%S')}] {text}", flush=True)

    def stage(self, name):
        self.passed.append(name)
        self.log(f"PASS {name}")

    def shot(self, name, window=None, region=None):
        path = os.path.join(self.artefacts, name + ".png")
        self.session.screenshot(path, window=window, region=region)
        self.window_log.write(f"--- {name}\n{self.session.tree()}\n")
        self.window_log.flush()
        return path

    # --- set-up ----------------------------------------------------------------------

    def make_fixture(self):
        # Beside the screenshots, so that a run killed outright leaves nothing in /tmp; the
        # next run starts afresh.
        self.folder = os.path.join(self.artefacts, "fixture")
        shutil.rmtree(self.folder, ignore_errors=True)
        os.mkdir(self.folder)
        shutil.copy2(self.program, os.path.join(self.folder, "knorzelbart"))
        bilder = os.path.join(os.path.dirname(self.program), "bilder")
        shutil.copytree(bilder, os.path.join(self.folder, "bilder"))
        db = os.path.join(self.folder, "db")
        os.mkdir(db)
        for word in WORDS:
            source = os.path.join(self.pictures, word + ".png")
            if not os.path.isfile(source):
                raise AssertionError(f"fixture picture missing: {source}")
            shutil.copy2(source, os.path.join(db, word + ".png"))
            self.signatures[word] = screen.reference_signature(source)
        closest = min(screen.distance(self.signatures[a], self.signatures[b])
                      for a in WORDS for b in WORDS if a < b)
        if closest < 12:
            raise AssertionError(f"fixture pictures too alike to tell apart ({closest:.1f})")
        self.log(f"fixture in {self.folder}: {len(WORDS)} pictures")

    def start_program(self):
        self.session.start_x()
        self.process = self.session.start(
            [os.path.join(self.folder, "knorzelbart")], cwd=self.folder,
            log_path=os.path.join(self.artefacts, "knorzelbart.log"))

    def close(self):
        self.session.close()
        self.window_log.close()
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)

    # --- windows ---------------------------------------------------------------------

    def one_window(self, title, timeout=15):
        def probe():
            self.check_alive()
            found = self.session.visible_windows(title)
            return found[0] if len(found) == 1 else None
        return wait_for(f"one visible window titled {title!r}", probe, timeout)

    def gone(self, title, timeout=15):
        def probe():
            self.check_alive()
            return not self.session.visible_windows(title)
        wait_for(f"no visible window titled {title!r}", probe, timeout)

    def message_box(self, timeout):
        """The message box: a visible window titled "Knorzelbart" other than the game's."""
        game = set(self.session.visible_windows(GAME_TITLE))

        def probe():
            self.check_alive()
            boxes = [w for w in self.session.visible_windows(MESSAGE_TITLE) if w not in game]
            return boxes[0] if boxes else None
        return wait_for("the message box", probe, timeout)

    def check_alive(self):
        if self.process.poll() is not None:
            raise AssertionError(f"the program ended unexpectedly (exit code "
                                 f"{self.process.returncode})")

    def frame(self, window):
        return screen.Frame(*self.session.capture(window))

    # --- reading the game screen -----------------------------------------------------

    def word_on_screen(self, frame):
        seen = screen.picture_signature(frame)
        ranked = sorted((screen.distance(seen, sig), word)
                        for word, sig in self.signatures.items())
        (best, word), (second, _) = ranked[0], ranked[1]
        if best > 20 or second - best < 8:
            return None
        return word

    def ready_for_word(self, game, ticks, crosses):
        """Waits until a new word is up: picture uncovered, box 0 empty, marks as given."""
        def probe():
            self.check_alive()
            frame = self.frame(game)
            if screen.ticks(frame) != ticks or screen.crosses(frame) != crosses:
                return None
            if screen.covered(frame) or not screen.first_box_empty(frame):
                return None
            return self.word_on_screen(frame)
        return wait_for(f"a word to type ({ticks} ticks, {crosses} crosses)", probe, 20)

    def marks(self, game, ticks, crosses, timeout):
        def probe():
            self.check_alive()
            frame = self.frame(game)
            return screen.ticks(frame) == ticks and screen.crosses(frame) == crosses
        wait_for(f"{ticks} ticks and {crosses} crosses", probe, timeout)

    # --- text of a message box ---------------------------------------------------------

    def read_text(self, png):
        if not shutil.which("tesseract"):
            self.log("tesseract is missing: message text not read (tools/setup.sh installs it)")
            return None
        bigger = png[:-4] + "-ocr.png"
        subprocess.run(["convert", png, "-resize", "300%", "-colorspace", "Gray", bigger],
                       check=True, timeout=30)
        text = subprocess.run(["tesseract", bigger, "-", "-l", "deu", "--psm", "6"],
                              capture_output=True, check=True, timeout=60).stdout.decode()
        os.remove(bigger)
        return " ".join(text.split())

    def expect_text(self, shot, box, expected, timeout=15):
        """Reads the message box until it says what is expected: a box that is not painted
        yet is read again, never waited for by a fixed pause."""
        deadline = time.monotonic() + timeout
        while True:
            png = self.shot(shot, window=box)
            text = self.read_text(png)
            if text is None:
                return
            ratio = difflib.SequenceMatcher(None, text, expected).ratio()
            self.log(f"message reads {text!r} ({ratio:.2f} like {expected!r})")
            if PLAYER in text and ratio >= 0.8:
                return
            if time.monotonic() > deadline:
                raise AssertionError(f"message box text {text!r}, expected {expected!r}")
            time.sleep(0.2)

    # --- the runs ----------------------------------------------------------------------

    def splash_to_menu(self):
        def splash():
            self.check_alive()
            windows = self.session.visible_windows_of(self.process.pid)
            return windows[0] if len(windows) == 1 else None
        window = wait_for("the splash screen", splash, 20)
        title = self.session.title(window)
        if re.search(GAME_TITLE, title) or re.search(MENU_TITLE, title):
            raise AssertionError(f"the program started with {title!r}, not the splash screen")
        x, y, w, h = self.session.geometry(window)
        if (w, h) != SPLASH_SIZE:
            raise AssertionError(f"splash screen is {w}x{h}, expected {SPLASH_SIZE}")
        # Let it paint before the picture is taken.
        time.sleep(0.5)
        self.shot("01-splash", window=window)
        self.stage("splash screen shown first, borderless and centred")

        self.session.focus(window)
        self.session.key("a")
        menu = self.one_window(MENU_TITLE)

        def splash_gone():
            return window not in self.session.visible_windows_of(self.process.pid)
        wait_for("the splash screen to go", splash_gone, 10)
        if self.session.visible_windows(GAME_TITLE):
            raise AssertionError("the game window is up before a level was chosen")
        self.stage("a character key leads from the splash screen to the menu")
        return menu

    def choose(self, menu, level, name=None):
        if name is not None:
            self.session.click(menu, *NAME_BOX)
            self.session.focus(menu)
            self.session.type(name)
            time.sleep(0.3)
            self.shot("02-menu", window=menu)
        self.session.click(menu, *LEVEL_BUTTON[level])
        game = self.one_window(GAME_TITLE)
        self.gone(MENU_TITLE)
        self.stage(f"level {level} opens the game window and hides the menu")
        return game

    def after_message(self, box, outcome):
        self.session.focus(box)
        self.session.key("Return")
        wait_for("the message box to close",
                 lambda: box not in self.session.visible_windows(MESSAGE_TITLE), 10)
        menu = self.one_window(MENU_TITLE)
        self.gone(GAME_TITLE)
        self.stage(f"OK after the {outcome} message shows the menu again, game hidden")
        return menu

    def win_on_level_1(self, game):
        time.sleep(0.3)
        self.shot("03-game", window=game)
        for k in range(15):
            word = self.ready_for_word(game, k, 0)
            self.session.focus(game)
            if k == 2:
                self.session.type(word[:2])
                time.sleep(0.4)
                self.shot("04-typing", window=game)
                self.session.type(word[2:])
            else:
                self.session.type(word)
            self.marks(game, k + 1, 0, 10)
            self.log(f"right word {k + 1}: {word}")
        self.stage("fifteen right words give fifteen ticks")

        return self.end_message(game, 25, "05-victory", "victory",
                                f"Herzlichen Glückwunsch {PLAYER}, du hast gewonnen.")

    def end_message(self, game, seconds, shot, kind, text):
        """Waits for the end-of-game message, checks its text and answers it."""
        box = self.message_box(seconds)
        gx, gy, gw, gh = self.session.geometry(game)
        time.sleep(0.3)
        self.shot(shot, region=(gx, gy, gw, gh))
        self.expect_text(f"{shot}-message", box, text)
        self.stage(f"the {kind} message names the player")
        return self.after_message(box, kind)

    def lose_on_level_3(self, game):
        time.sleep(0.3)
        self.shot("07-level3", window=game)
        for k in range(5):
            word = self.ready_for_word(game, 0, k)
            for attempt in range(4):
                self.session.focus(game)
                # Words begin with a capital letter: a small letter is always wrong.
                self.session.type("x")
                try:
                    wait_for("the wrong letter in the first box",
                             lambda: not screen.first_box_empty(self.frame(game)), 3)
                    break
                except Timeout:
                    if attempt == 3:
                        raise
            self.marks(game, 0, k + 1, 30)
            self.log(f"wrong word {k + 1}: {word}")
        self.stage("five wrong words on level 3 give five crosses")

        return self.end_message(game, 15, "08-defeat", "defeat",
                                f"Schade {PLAYER}, du hast verloren.")

    def cancel(self, menu):
        self.session.click(menu, *CANCEL_BUTTON)
        try:
            code = self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end after the menu's cancel button")
        if code != 0:
            raise AssertionError(f"the program ended with exit code {code}")
        self.stage("the menu's cancel button ends the program")

    def play(self):
        self.make_fixture()
        self.start_program()
        menu = self.splash_to_menu()
        game = self.choose(menu, 1, name=PLAYER)
        menu = self.win_on_level_1(game)
        time.sleep(0.3)
        self.shot("06-menu-again", window=menu)
        game = self.choose(menu, 3)
        menu = self.lose_on_level_3(game)
        self.cancel(menu)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the built knorzelbart")
    parser.add_argument("--pictures", help="folder of word pictures (default: db beside "
                        "the program)")
    parser.add_argument("--artefacts", default="e2e-artefacts")
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    pictures = args.pictures or os.path.join(os.path.dirname(program), "db")
    os.makedirs(args.artefacts, exist_ok=True)

    bound_whole_run(SUITE_SECONDS)

    run = Run(program, pictures, os.path.abspath(args.artefacts))
    failed = 0
    try:
        run.play()
    except Exception as error:  # noqa: BLE001 - report any failure as a failed stage
        failed = 1
        run.log(f"FAIL {type(error).__name__}: {error}")
        try:
            run.shot("failure", region=(0, 0, run.session.width, run.session.height))
        except Exception:  # noqa: BLE001
            pass
    finally:
        signal.alarm(0)
        run.close()
    run.log(f"screenshots in {run.artefacts}")
    print(f"{len(run.passed)} passed, {failed} failed")
    return failed


if __name__ == "__main__":
    sys.exit(main())
