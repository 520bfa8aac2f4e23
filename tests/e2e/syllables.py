#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end run of the syllables and the initial-sound chart in the real program.

In its own X server (with openbox) and its own PulseAudio on a null sink, the game is
started with --silben --anlauthilfe on a folder of words of two and more syllables:
- the arcs in their two colours lie below the underlines of the word's boxes, at the design
  size and in full screen (F11), where they are scaled with the scene;
- F3 is heard at the sink as the word in syllables, with at least 100 ms of silence between
  them;
- F4 shows the card (its pale yellow) with the picture for the next letter, and says it;
  box 0 stays empty (nothing typed, no cross).
Then, with both settings off, the same screen has no arc and no card, and F3 and F4 are
silent. Screenshots go to the artefact folder.
Exit code 0 when every check held.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import screen  # noqa: E402
import speech  # noqa: E402
from screen import GAME_TITLE, LEVEL_BUTTON, MENU_TITLE, NAME_BOX, Frame  # noqa: E402
from pulse import read_raw  # noqa: E402
from xsession import Checks, Session, Timeout, bound_whole_run, log, wait_for  # noqa: E402

# Words of two syllables and more, so that both arc colours show; the first sound of each is
# in another word too, so that whichever word comes first, F4's card has a picture.
WORDS = ["Banane", "Tomate", "Melone", "Rakete", "Zitrone", "Erdbeere", "Schnecke", "Giraffe",
         "Gitarre", "Kaktus", "Elefant", "Pinguin", "Papagei", "Schneemann", "Flugzeug",
         "Rucksack", "Trommel", "Fenster"]
BLUE = (0x0c, 0x16, 0x50)
RED = (0xa0, 0x1c, 0x26)
CARD = (255, 255, 230)
SCENE = (790, 573)
SCREEN = (1600, 1000)


def count_colour(frame, colour, x0, y0, x1, y1, tolerance=40):
    n = 0
    for y in range(max(0, y0), min(frame.height, y1)):
        for x in range(max(0, x0), min(frame.width, x1)):
            if screen.near(frame.pixel(x, y), colour, tolerance):
                n += 1
    return n


def pauses(raw_path, rate=speech.RATE, min_ms=100):
    """The silent stretches of at least min_ms between sound, in a recording."""
    import math
    samples = read_raw(raw_path)
    window = rate // 100  # 10 ms
    loud = []
    for start in range(0, len(samples) - window + 1, window):
        part = samples[start:start + window]
        loud.append(math.sqrt(sum(s * s for s in part) / window) / 32768 > speech.SILENCE_RMS)
    if True not in loud:
        return []
    first, last = loud.index(True), len(loud) - 1 - loud[::-1].index(True)
    found, run = [], 0
    for is_loud in loud[first:last + 1]:
        if is_loud:
            if run * 10 >= min_ms:
                found.append(run * 10)
            run = 0
        else:
            run += 1
    return found


class Check(Checks):
    def __init__(self, program, db, artefacts):
        super().__init__()
        self.program, self.db, self.artefacts = program, db, artefacts

    def shot(self, session, window, name):
        session.screenshot(os.path.join(self.artefacts, name + ".png"), window=window)

    def start(self, pulse, options, name):
        session = Session(*SCREEN, log=log)
        session.start_x()
        session.env["XDG_RUNTIME_DIR"] = pulse.runtime
        # The syllables kept between starts go to a folder of this run.
        session.env["XDG_CACHE_HOME"] = os.path.join(self.artefacts, "cache")
        session.env.pop("PULSE_SERVER", None)
        session.start(["openbox", "--sm-disable"], log_path=os.path.join(self.artefacts, f"{name}-openbox.log"))
        time.sleep(0.5)
        session.start([self.program, "--db", self.db, *options],
                      log_path=os.path.join(self.artefacts, f"{name}.log"))
        splash = wait_for("the start-up screen", lambda: session.visible_windows("^Knorzelbart$"), 20)[0]
        session.focus(splash)
        session.key("a")
        menu = wait_for("the menu", lambda: session.visible_windows(MENU_TITLE), 30)[0]
        wait_for("the start-up screen to go", lambda: splash not in session.visible_windows("^Knorzelbart$"), 15)
        time.sleep(0.5)
        session.click(menu, *NAME_BOX)
        session.focus(menu)
        session.type("Mia")
        time.sleep(0.3)
        session.click(menu, *LEVEL_BUTTON[1])
        game = wait_for("the game", lambda: session.visible_windows(GAME_TITLE), 30)[0]
        wait_for("the menu to go", lambda: not session.visible_windows(MENU_TITLE), 15)
        time.sleep(1.0)
        session.focus(game)
        return session, game

    def arcs(self, frame, factor, left, top):
        """The pixels of each arc colour in the band below the underlines."""
        x0, x1 = int(left + 50 * factor), int(left + 660 * factor)
        y0, y1 = int(top + 482 * factor), int(top + 497 * factor)
        return count_colour(frame, BLUE, x0, y0, x1, y1), count_colour(frame, RED, x0, y0, x1, y1)

    def with_settings(self, pulse):
        session, game = self.start(pulse, ["--silben", "--anlauthilfe"], "silben")
        try:
            # The hyphenation patterns are read on a thread of their own after the game window
            # opens (a few seconds of processor time); the arcs come when they are there.
            began = time.monotonic()
            frame = wait_for("the arcs", lambda: (lambda f: f if min(self.arcs(f, 1.0, 0, 0)) > 20 else None)(
                Frame(*session.capture(game))), 120, 0.5)
            log(f"the arcs appeared after {time.monotonic() - began:.1f} s")
            self.shot(session, game, "silben-1x")
            blue, red = self.arcs(frame, 1.0, 0, 0)
            self.ok("arcs in two colours below the boxes at scale 1", blue > 20 and red > 20,
                    f"{blue} blue, {red} red pixels")
            # Between the boxes' lower edge (473) and the underlines (479-481) there is no arc.
            above = count_colour(frame, BLUE, 50, 474, 660, 479) + count_colour(frame, RED, 50, 474, 660, 479)
            self.ok("no arc between the boxes and their underlines", above == 0, f"{above} pixels")
            self.ok("the syllables' button and the '?' beside the speaker",
                    not screen.near(frame.pixel(100, 188), screen.SKY, 10)
                    and not screen.near(frame.pixel(164, 188), screen.SKY, 10))

            seconds = pulse.record("silben-f3", lambda: session.key("F3"), 3.5)
            gaps = pauses(os.path.join(pulse.scratch, "silben-f3.raw"))
            self.ok("F3 is heard", seconds >= 0.3, f"{seconds:.2f} s of sound")
            self.ok("F3: at least 100 ms of silence between the syllables", len(gaps) >= 1, f"pauses {gaps} ms")

            seconds = pulse.record("silben-f4", lambda: session.key("F4"), 1.5)

            def card_with_picture():
                # On a busy machine the card can be captured before its picture is painted;
                # it stays six seconds, so a few looks catch it whole.
                shown = Frame(*session.capture(game))
                inside = 100 * 100 - count_colour(shown, CARD, 216, 120, 316, 220, 6)
                return shown if inside > 1000 else None

            try:
                frame = wait_for("the card's picture", card_with_picture, 3, 0.3)
            except Timeout:
                frame = Frame(*session.capture(game))
            self.shot(session, game, "anlauthilfe")
            card = count_colour(frame, CARD, 208, 112, 416, 280, 6)
            self.ok("F4 shows the card", card > 2000, f"{card} card pixels")
            drawn = 100 * 100 - count_colour(frame, CARD, 216, 120, 316, 220, 6)
            self.ok("the card has a picture", drawn > 1000, f"{drawn} pixels of the picture")
            self.ok("F4 is heard", seconds >= 0.3, f"{seconds:.2f} s of sound")
            self.ok("F3 and F4 typed nothing and cost nothing",
                    screen.first_box_empty(frame) and screen.crosses(frame) == 0)

            session.key("F11")
            wait_for("full screen", lambda: session.geometry(game)[2:] == SCREEN, 10)
            time.sleep(0.8)
            frame = Frame(*session.capture(game))
            self.shot(session, game, "silben-vollbild")
            factor = min(SCREEN[0] / SCENE[0], SCREEN[1] / SCENE[1])
            left, top = (SCREEN[0] - SCENE[0] * factor) / 2, (SCREEN[1] - SCENE[1] * factor) / 2
            blue, red = self.arcs(frame, factor, left, top)
            self.ok("arcs in two colours below the boxes in full screen", blue > 20 * factor and red > 20 * factor,
                    f"{blue} blue, {red} red pixels at {factor:.2f}x")
        finally:
            session.close()

    def second_start(self, pulse):
        """The splits were kept by the first start: the arcs are there with the first word."""
        session, game = self.start(pulse, ["--silben"], "silben-2")
        try:
            frame = Frame(*session.capture(game))
            blue, red = self.arcs(frame, 1.0, 0, 0)
            self.ok("a later start: the arcs are there when the first word is shown", blue > 20 and red > 20,
                    f"{blue} blue, {red} red pixels")
            kept = os.path.join(self.artefacts, "cache", "knorzelbart", "silbentrennung.txt")
            self.ok("the splits are kept in the cache folder", os.path.isfile(kept))
        finally:
            session.close()

    def without_settings(self, pulse):
        session, game = self.start(pulse, [], "ohne")
        try:
            frame = Frame(*session.capture(game))
            self.shot(session, game, "ohne-silben")
            blue, red = self.arcs(frame, 1.0, 0, 0)
            self.ok("off: no arc", blue == 0 and red == 0, f"{blue} blue, {red} red pixels")
            self.ok("off: nothing beside the speaker", screen.near(frame.pixel(100, 188), screen.SKY, 10))
            seconds = pulse.record("ohne-f3-f4", lambda: session.key("F3", "F4"), 1.5)
            frame = Frame(*session.capture(game))
            self.ok("off: F3 and F4 are silent", seconds == 0, f"{seconds:.2f} s of sound")
            card = count_colour(frame, CARD, 208, 112, 416, 280, 6)
            self.ok("off: no card, nothing typed", card == 0 and screen.first_box_empty(frame), f"{card} card pixels")
        finally:
            session.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--pictures", required=True, help="the shipped db folder")
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    bound_whole_run(300)
    scratch = os.path.join(args.artefacts, "syllables")
    shutil.rmtree(scratch, ignore_errors=True)
    db = os.path.join(scratch, "db")
    os.makedirs(db)
    for word in WORDS:
        shutil.copy(os.path.join(args.pictures, word + ".png"), db)
    pulse = speech.Run(None, None, scratch)
    check = Check(args.program, db, scratch)
    try:
        pulse.start_server()
        check.with_settings(pulse)
        check.second_start(pulse)
        check.without_settings(pulse)
    except (AssertionError, Timeout, subprocess.TimeoutExpired) as e:
        log(f"FAIL: {e}")
        return 1
    finally:
        pulse.close()
    log(f"{len(check.passed)} passed, {len(check.failed)} failed")
    return 1 if check.failed else 0


if __name__ == "__main__":
    sys.exit(main())
