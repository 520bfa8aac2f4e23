#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end runs of the real program being closed at awkward moments.

1. Under openbox, a wrong word is typed and the game window is closed with Alt+F4 while the
   robber walks (the walk blocks the program for 0.6 s; the close waits in the queue until
   the walk handles it). The program must end by itself with exit status 0, not a crash.
2. With its own PulseAudio stopped (SIGSTOP), F2 asks for the word, which blocks the sound
   thread in the server; then "Ende" and the menu's "x". The process must be gone within a
   second and a half of the click (the end waits at most 0.3 s for the sound).

Every process started here dies with this script and is ended in the finally block.
Exit code 0 when every check held.
"""

import argparse
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import play  # noqa: E402
from screen import CANCEL_BUTTON, END_BUTTON, GAME_TITLE, MENU_TITLE  # noqa: E402
from pulse import Pulse  # noqa: E402
from xsession import bound_whole_run, log, run_steps, wait_for  # noqa: E402

# Letter box i in the game window's client pixels.
BOX_LEFT, BOX_TOP, BOX_STEP = 56, 440, 40
# The walk starts one reveal tick (1 s) after the last letter shows and lasts 0.6 s.
INTO_THE_WALK = 1.2
END_BOUND = 1.5


def box_holds_letter(frame, i):
    """Box i shows a letter: dark pixels inside its green."""
    x, y, size = BOX_LEFT + BOX_STEP * i + 7, BOX_TOP + 7, 19
    inner = frame.region(x, y, size, size)
    dark = sum(1 for k in range(0, len(inner), 3) if sum(inner[k:k + 3]) < 200)
    return dark >= 8


class Closing:
    def __init__(self, program, pictures, artefacts):
        self.program, self.pictures, self.artefacts = program, pictures, artefacts
        self.passed = []

    def game_run(self, name):
        folder = os.path.join(self.artefacts, name)
        os.makedirs(folder, exist_ok=True)
        run = play.Run(self.program, self.pictures, folder)
        run.make_fixture()
        return run

    def start(self, run, env=None, window_manager=False):
        run.session.start_x()
        if env:
            run.session.env.update(env)
        if window_manager:
            run.session.start(["openbox", "--sm-disable"],
                              log_path=os.path.join(run.artefacts, "openbox.log"))
            wait_for("openbox", lambda: "window id" in run.session.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False), 10)
        run.process = run.session.start([os.path.join(run.folder, "knorzelbart")], cwd=run.folder,
                                        log_path=os.path.join(run.artefacts, "knorzelbart.log"))

    @staticmethod
    def to_game(run):
        splash = wait_for("the start-up screen",
                          lambda: run.session.visible_windows_of(run.process.pid), 20)[0]
        run.session.focus(splash)
        run.session.key("a")
        menu = run.one_window(MENU_TITLE)
        time.sleep(0.3)
        run.session.focus(menu)
        run.session.type(play.PLAYER)
        run.session.key("Tab", "space")
        game = run.one_window(GAME_TITLE)
        run.gone(MENU_TITLE)
        return game

    def wait_exit(self, run, timeout):
        try:
            return run.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program was still running {timeout} s later")

    # --- 1: a close during the robber's walk -------------------------------------------

    def close_during_walk(self):
        run = self.game_run("close-walk")
        try:
            self.start(run, window_manager=True)
            game = self.to_game(run)
            word = run.ready_for_word(game, 0, 0)
            run.session.focus(game)
            run.session.type("x")  # words start with a capital: a wrong letter
            last = len(word) - 1
            log(f"word {word!r}: waiting for the reveal of its last letter")
            wait_for("the reveal's last letter",
                     lambda: box_holds_letter(run.frame(game), last), 30, 0.02)
            seen = time.monotonic()
            time.sleep(max(0.0, seen + INTO_THE_WALK - time.monotonic()))
            run.session.key("alt+F4")
            log(f"Alt+F4 sent {time.monotonic() - seen:.2f} s after the last letter showed")
            code = self.wait_exit(run, 15)
            log(f"the program ended with exit status {code}")
            assert code == 0, f"exit status {code} after a close during the walk"
            self.passed.append("close during the walk")
        finally:
            run.close()

    # --- 2: the end with a sound server that hangs -------------------------------------

    def end_with_stopped_server(self):
        pulse = Pulse(self.artefacts)
        run = self.game_run("stopped-server")
        try:
            pulse.start_server()
            self.start(run, env={"XDG_RUNTIME_DIR": pulse.runtime})
            game = self.to_game(run)
            run.ready_for_word(game, 0, 0)
            os.kill(pulse.server.pid, signal.SIGSTOP)
            log("the sound server is stopped")
            run.session.focus(game)
            run.session.key("F2")
            time.sleep(0.5)  # the sound thread is now waiting on the server
            run.check_alive()
            run.session.click(game, *END_BUTTON)
            menu = run.one_window(MENU_TITLE)
            run.session.click(menu, *CANCEL_BUTTON)
            clicked = time.monotonic()
            code = self.wait_exit(run, 10)
            took = time.monotonic() - clicked
            log(f"the program ended {took:.2f} s after the click on \"x\", exit status {code}")
            assert code == 0, f"exit status {code}"
            assert took < END_BOUND, f"the end took {took:.2f} s with the sound server stopped"
            self.passed.append("end with a stopped sound server")
        finally:
            run.close()
            pulse.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--pictures", required=True, help="the shipped db folder")
    parser.add_argument("--artefacts", required=True)
    parser.add_argument("--only", choices=["walk", "sound"])
    args = parser.parse_args()
    artefacts = os.path.join(os.path.abspath(args.artefacts), "closing")
    os.makedirs(artefacts, exist_ok=True)
    bound_whole_run(240)
    check = Closing(os.path.abspath(args.program), os.path.abspath(args.pictures), artefacts)
    steps = []
    if args.only in (None, "walk"):
        steps.append(check.close_during_walk)
    if args.only in (None, "sound"):
        steps.append(check.end_with_stopped_server)
    return run_steps(check.passed, steps, lambda: signal.alarm(0))


if __name__ == "__main__":
    sys.exit(main())
