#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end run of the sound output against a real PulseAudio server.

Starts its own PulseAudio with a null sink in a private runtime folder, records the sink's
monitor with parec, and has say_word (the game's speech code, linked as the game links it)
say a word with the built-in voice and a word from a teacher's Ogg Vorbis recording. Each
must leave at least 0.3 s of sound above silence in the recording. Then, with no server at
all, the word must return at once and the program end quietly.

With --program, the real game in its own X server as well: a click on the speaker button
beside the picture must be heard at the sink, and the word is then typed as usual; with no
sound server the game plays a word just the same.

Everything started here dies with this script and is ended in the finally block.
Exit code 0 when every check held.
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pulse import Pulse, read_raw  # noqa: E402
from xsession import bound_whole_run, log, run_steps  # noqa: E402

RATE = 22050
WINDOW = RATE // 50  # 20 ms
SILENCE_RMS = 0.01   # a null sink's monitor is exactly 0 when nothing plays
SPEAKER_BUTTON = (8 + 28, 160 + 28)  # the middle of the speaker button in the game window


def speech_seconds(raw_path):
    """Seconds of the recording whose 20 ms windows are louder than silence."""
    samples = read_raw(raw_path)
    loud = 0
    for start in range(0, len(samples) - WINDOW + 1, WINDOW):
        window = samples[start:start + WINDOW]
        rms = math.sqrt(sum(s * s for s in window) / WINDOW) / 32768
        if rms > SILENCE_RMS:
            loud += 1
    return loud * WINDOW / RATE


def report(output):
    values = {}
    for line in output.splitlines():
        parts = line.split()
        if len(parts) == 2:
            values[parts[0]] = float(parts[1])
    return values


class Run(Pulse):
    def __init__(self, say_word, picture, scratch):
        super().__init__(scratch)
        self.say_word = say_word
        self.picture = picture
        self.passed = []

    def record_while(self, name, picture):
        raw = os.path.join(self.scratch, name + ".raw")
        with self.recording(raw, RATE):
            result = subprocess.run([self.say_word, picture], env=self.env, capture_output=True, text=True,
                                    timeout=30)
        values = report(result.stdout)
        log(f"{name}: {values} rc={result.returncode}")
        assert result.returncode == 0, result.stderr
        assert values.get("reached") == 1, f"{name}: the server was not reached"
        assert values.get("returned_ms", 1e9) < 50, f"{name}: the call blocked {values.get('returned_ms')} ms"
        seconds = speech_seconds(raw)
        log(f"{name}: {seconds:.2f} s of sound above silence")
        assert seconds >= 0.3, f"{name}: only {seconds:.2f} s of sound recorded"
        self.passed.append(name)

    def record(self, name, action, seconds=2.0):
        """Records the sink's monitor while `action` runs and for `seconds` after it."""
        raw = os.path.join(self.scratch, name + ".raw")
        with self.recording(raw, RATE, after=seconds):
            action()
        return speech_seconds(raw)

    def game(self, program, pictures, artefacts, with_server):
        """The real game: a click on the speaker button, then the word typed as usual."""
        import play  # the e2e run's helpers for the game window
        name = "game" if with_server else "game-silent"
        folder = os.path.join(artefacts, name)
        os.makedirs(folder, exist_ok=True)
        game_run = play.Run(program, pictures, folder)
        empty = tempfile.mkdtemp(prefix="kb-none-")
        try:
            game_run.make_fixture()
            game_run.session.start_x()
            game_run.session.env["XDG_RUNTIME_DIR"] = self.runtime if with_server else empty
            game_run.session.env.pop("PULSE_SERVER", None)
            game_run.process = game_run.session.start(
                [os.path.join(game_run.folder, "knorzelbart")], cwd=game_run.folder,
                log_path=os.path.join(folder, "knorzelbart.log"))
            menu = game_run.splash_to_menu()
            game = game_run.choose(menu, 1, name=play.PLAYER)
            word = game_run.ready_for_word(game, 0, 0)
            time.sleep(0.3)
            game_run.shot("speaker", window=game)

            def click():
                game_run.session.click(game, *SPEAKER_BUTTON)
            if with_server:
                seconds = self.record(name, click)
                log(f"{name}: the speaker button gave {seconds:.2f} s of sound above silence")
                assert seconds >= 0.3, f"the speaker button: only {seconds:.2f} s of sound recorded"
            else:
                click()
            # The letter box kept the focus: the word goes in without a click on it.
            game_run.session.type(word)
            game_run.marks(game, 1, 0, 10)
            self.passed.append(name)
        finally:
            game_run.close()
            shutil.rmtree(empty, ignore_errors=True)

    def without_server(self):
        empty = tempfile.mkdtemp(prefix="kb-none-")
        try:
            env = dict(self.env, XDG_RUNTIME_DIR=empty)
            began = time.monotonic()
            result = subprocess.run([self.say_word, self.picture], env=env, capture_output=True, text=True,
                                    timeout=30)
            took = time.monotonic() - began
        finally:
            shutil.rmtree(empty, ignore_errors=True)
        values = report(result.stdout)
        log(f"no server: {values} rc={result.returncode}, whole run {took:.2f} s")
        assert result.returncode == 0 and values.get("reached") == 0
        assert values.get("returned_ms", 1e9) < 50
        assert took < 3, f"without a server the program took {took:.1f} s"
        assert result.stderr.strip() == "", f"something was said on stderr: {result.stderr}"
        self.passed.append("no server")

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--say-word", required=True)
    parser.add_argument("--picture", required=True, help="a shipped picture with no recording beside it")
    parser.add_argument("--artefacts", required=True)
    parser.add_argument("--program", help="the built game, to click its speaker button")
    parser.add_argument("--pictures", help="the shipped db folder, for the game's run")
    args = parser.parse_args()
    bound_whole_run(240)
    scratch = os.path.join(args.artefacts, "speech")
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)

    # A teacher's folder: a picture and a recording beside it (a rising tone, 1 s, Vorbis).
    teacher = os.path.join(scratch, "db")
    os.makedirs(teacher)
    shutil.copy(args.picture, os.path.join(teacher, "Ball.png"))
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", os.path.join(teacher, "Ball.ogg"),
                    "synth", "1", "sine", "300-600", "vol", "0.5"], check=True)

    run = Run(os.path.abspath(args.say_word), args.picture, scratch)
    steps = [run.start_server, lambda: run.record_while("voice", args.picture),
             lambda: run.record_while("recording", os.path.join(teacher, "Ball.png")), run.without_server]
    if args.program:
        steps += [lambda: run.game(args.program, args.pictures, scratch, with_server=True),
                  lambda: run.game(args.program, args.pictures, scratch, with_server=False)]
    return run_steps(run.passed, steps, run.close)


if __name__ == "__main__":
    sys.exit(main())
