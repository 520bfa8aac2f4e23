#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The scene follows its window, in a real X server with a window manager (openbox):

- at its first size the game window shows letter box 0 where the layout puts it; resized
  to twice its size it shows the box at twice its place and the sun at the top right of the
  enlarged scene;
- F11 switches to full screen and back;
- with QT_SCALE_FACTOR=2 on a 1280 x 1024 screen every window lies fully on the screen.

Exit code 0 when every check held; the closing line says how many checks passed.
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from screen import BOX_GREEN, GAME_TITLE, MENU_TITLE, SKY, Frame  # noqa: E402
from xsession import Checks, Session, Timeout, bound_whole_run, log, wait_for  # noqa: E402

BOX_0 = (56, 440)    # letter box 0 in design pixels
SUN_CENTRE = (608 + 56, 56)


class Check(Checks):
    def __init__(self, program, db, artefacts):
        super().__init__()
        self.program, self.db, self.artefacts = program, db, artefacts

    def session(self, width, height, env=None):
        session = Session(width, height, log=log)
        session.start_x()
        if env:
            session.env.update(env)
        session.start(["openbox", "--sm-disable"], log_path=os.path.join(self.artefacts, "openbox.log"))
        time.sleep(0.5)
        return session

    def start_game(self, session, name):
        session.start([self.program, "--db", self.db],
                      log_path=os.path.join(self.artefacts, f"scaling-{name}.log"))
        splash = wait_for("the start-up screen", lambda: session.visible_windows("^Knorzelbart$"), 15)[0]
        windows = {"splash": splash}
        self.places = {"splash": session.geometry(splash)}
        session.focus(splash)
        session.key("a")
        menu = wait_for("the menu", lambda: session.visible_windows(MENU_TITLE), 15)[0]
        windows["menu"] = menu
        time.sleep(0.3)
        self.places["menu"] = session.geometry(menu)
        session.focus(menu)
        session.type("Mia")
        session.key("Tab", "space")
        game = wait_for("the game", lambda: session.visible_windows(GAME_TITLE), 15)[0]
        windows["game"] = game
        time.sleep(0.5)
        self.places["game"] = session.geometry(game)
        return windows

    @staticmethod
    def first(frame, colour, x0, y0, x1, y1):
        """The first pixel of the colour, row by row, in the rectangle."""
        for y in range(max(0, y0), min(frame.height, y1)):
            for x in range(max(0, x0), min(frame.width, x1)):
                if frame.pixel(x, y) == colour:
                    return x, y
        return None

    def follows_window(self):
        session = self.session(2000, 1400)
        try:
            game = self.start_game(session, "resize")["game"]
            frame = Frame(*session.capture(game))
            found = self.first(frame, BOX_GREEN, 0, 400, 200, 500)
            self.ok("letter box 0 at its design place", found and abs(found[0] - BOX_0[0] - 1) <= 2
                    and abs(found[1] - BOX_0[1] - 1) <= 2, f"found {found}")
            session.run(["xdotool", "windowsize", str(game), "1580", "1146"])
            wait_for("the doubled window", lambda: session.geometry(game)[2:] == (1580, 1146), 10)
            time.sleep(0.5)
            frame = Frame(*session.capture(game))
            session.screenshot(os.path.join(self.artefacts, "scaling-2x.png"), window=game)
            found = self.first(frame, BOX_GREEN, 0, 820, 400, 1000)
            self.ok("letter box 0 at twice its place", found and abs(found[0] - 2 * BOX_0[0] - 2) <= 3
                    and abs(found[1] - 2 * BOX_0[1] - 2) <= 3, f"found {found}")
            sun = frame.pixel(2 * SUN_CENTRE[0], 2 * SUN_CENTRE[1])
            self.ok("the sun at the top right of the enlarged scene", sun != SKY and sun[0] > 200
                    and sun[2] < 100, f"pixel {sun}")

            screen = (2000, 1400)
            session.focus(game)
            session.key("F11")
            wait_for("full screen", lambda: session.geometry(game)[2:] == screen, 10)
            self.ok("F11 fills the screen", True)
            time.sleep(0.5)
            session.screenshot(os.path.join(self.artefacts, "scaling-fullscreen.png"), window=game)
            session.key("F11")
            wait_for("the window again", lambda: session.geometry(game)[2:] != screen, 10)
            self.ok("F11 again leaves full screen", session.geometry(game)[2:] == (1580, 1146),
                    f"{session.geometry(game)}")
        finally:
            session.close()

    def small_screen(self):
        session = self.session(1280, 1024, {"QT_SCALE_FACTOR": "2"})
        try:
            self.start_game(session, "small")
            for name, (x, y, w, h) in self.places.items():
                inside = x >= 0 and y >= 0 and x + w <= 1280 and y + h <= 1024
                self.ok(f"{name} fully on a 1280x1024 screen at QT_SCALE_FACTOR=2", inside,
                        f"{x},{y} {w}x{h}")
            session.screenshot(os.path.join(self.artefacts, "scaling-small-screen.png"),
                               region=(0, 0, 1280, 1024))
        finally:
            session.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--db", required=True)
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    os.makedirs(args.artefacts, exist_ok=True)
    bound_whole_run(170)
    check = Check(args.program, args.db, args.artefacts)
    try:
        check.follows_window()
        check.small_screen()
    except Timeout as error:
        check.failed.append(str(error))
        log(f"FAIL {error}")
    print(f"{len(check.passed)} passed, {len(check.failed)} failed")
    return 1 if check.failed else 0


if __name__ == "__main__":
    sys.exit(main())
