#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end run of the recording window with a virtual microphone.

Starts its own PulseAudio with two null sinks in a private runtime folder: "nul" is the
output, and the monitor of "mic" is the default input, so whatever is played into "mic" is
what the program records. The real program runs with --aufnehmen in its own X server; the
first word is recorded with the keyboard (a muted microphone first gives a message) (Space, a tone of 660 Hz played into the
microphone, Space). Then the file is checked: it decodes, holds the tone, begins with at
most 150 ms of quiet and peaks at -1 dBFS. Then the game's speech (say_word, linked as the
game links it) says that word while the output is recorded: it must be the tone, not the
voice. The second word is the voice saying "Zebra" into the microphone, Space pressed only
after the word has begun: the file holds the whole word (the take begins with the moment
before the key) and begins with at most 150 ms of quiet. Last, with no sound server at all, Space gives a message and writes nothing.

Exit code 0 when every check held.
"""

import argparse
import array
import math
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pulse import Pulse, read_raw  # noqa: E402
from xsession import Session, bound_whole_run, log, run_steps, wait_for  # noqa: E402

RATE = 44100
TONE_HZ = 660
TITLE = "Wörter aufnehmen"
METER = (330, 222)  # the level meter's top-left corner in the window at its design size


def decode(path, rate=RATE):
    """The samples of a sound file, mono 16 bit at `rate`, through sox."""
    raw = subprocess.run(["sox", path, "-t", "raw", "-r", str(rate), "-e", "signed", "-b", "16", "-c", "1", "-"],
                         capture_output=True, check=True, timeout=30).stdout
    samples = array.array("h")
    samples.frombytes(raw[: len(raw) // 2 * 2])
    return samples


def loud_part(samples, fraction=0.1):
    """The samples from the first to the last one above `fraction` of the peak."""
    peak = max((abs(s) for s in samples), default=0)
    if peak == 0:
        return samples[0:0], 0
    threshold = peak * fraction
    first = next(i for i, s in enumerate(samples) if abs(s) > threshold)
    last = len(samples) - 1 - next(i for i, s in enumerate(reversed(samples)) if abs(s) > threshold)
    return samples[first:last + 1], first


def frequency(samples, rate):
    """The main frequency of a steady sound: the median over its loud tenths of a second of
    their rising zero crossings, so that a gap that a busy machine leaves in a recording
    does not pull it down."""
    size = max(1, rate // 10)
    peak = max((abs(s) for s in samples), default=0)
    estimates = []
    for start in range(0, len(samples) - size + 1, size):
        window = samples[start:start + size]
        if max(abs(s) for s in window) < peak * 0.3:
            continue
        crossings = sum(1 for a, b in zip(window, window[1:]) if a < 0 <= b)
        estimates.append(crossings * rate / size)
    if not estimates:
        crossings = sum(1 for a, b in zip(samples, samples[1:]) if a < 0 <= b)
        return crossings * rate / max(1, len(samples))
    estimates.sort()
    return estimates[len(estimates) // 2]


class Run(Pulse):
    def __init__(self, program, say_word, picture, artefacts):
        # "nul" is the output; whatever is played into "mic" is what the program records.
        super().__init__(artefacts, sinks=("nul", "mic"))
        self.program = program
        self.say_word = say_word
        self.artefacts = artefacts
        self.folder = os.path.join(artefacts, "woerter")
        os.makedirs(self.folder)
        shutil.copy(picture, os.path.join(self.folder, "Ball.png"))
        shutil.copy(picture, os.path.join(self.folder, "Zebra.png"))
        self.session = None
        self.passed = []

    def start_pulse(self):
        self.start_server()
        assert self.pactl("set-default-source", "mic.monitor").returncode == 0

    def recording_streams(self):
        return len(self.pactl("list", "short", "source-outputs").stdout.split("\n")) - 1

    def open_window(self, name, env_runtime):
        self.session = Session(log=log)
        self.session.start_x()
        self.session.env["XDG_RUNTIME_DIR"] = env_runtime
        self.session.env.pop("PULSE_SERVER", None)
        process = self.session.start([self.program, "--aufnehmen", self.folder],
                                     log_path=os.path.join(self.artefacts, name + ".log"))
        windows = []

        def shown():
            windows[:] = self.session.visible_windows(TITLE)
            return bool(windows)
        wait_for("the recording window", shown, 30)
        window = windows[0]
        self.session.focus(window)
        return process, window

    def record_word(self):
        tone = os.path.join(self.artefacts, "ton.wav")
        # 0.4 s quiet, 1 s of the tone, 0.4 s quiet; the mic sink is stereo and halves it.
        subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "1", tone, "synth", "1.0", "sine", str(TONE_HZ),
                        "vol", "0.5", "pad", "0.4", "0.4"], check=True, timeout=30)
        process, window = self.open_window("aufnehmen", self.runtime)
        self.session.screenshot(os.path.join(self.artefacts, "fenster.png"), window=window)
        # A muted microphone: a message, nothing written. (The window reads the input while it
        # is open, so that a take can begin with the moment before the key.)
        assert self.pactl("set-source-mute", "mic.monitor", "1").returncode == 0
        self.session.key("space")
        box = self.message_box(window, "stumm")
        self.session.key("Return")
        wait_for("the box to close", lambda: box not in self.session.visible_windows("Knorzelbart"), 15)
        assert not os.path.exists(os.path.join(self.folder, "Ball.ogg")), "a muted take was written"
        assert self.pactl("set-source-mute", "mic.monitor", "0").returncode == 0
        time.sleep(1.6)  # keys right after a take that ended by itself do nothing for a moment
        self.passed.append("muted")

        self.session.focus(window)
        self.session.key("space")
        wait_for("the window to read the microphone", lambda: self.recording_streams() >= 1, 15, 0.05)
        time.sleep(0.3)  # the input opens as the take begins
        self.session.screenshot(os.path.join(self.artefacts, "aufnahme-laeuft.png"), window=window)
        # The level meter moves while the tone plays.
        meter = (METER[0] + 3, METER[1] + 10)
        quiet = self.pixel(window, *meter)
        player = self.start(["paplay", "-d", "mic", tone])
        moved = []

        def meter_moves():
            moved[:] = [self.pixel(window, *meter)]
            return moved[0] != quiet or player.poll() is not None
        wait_for("the level meter", meter_moves, 15, 0.05)
        self.session.screenshot(os.path.join(self.artefacts, "pegel.png"), window=window)
        assert moved[0] != quiet, f"the level meter stayed at {quiet} while the tone played"
        player.wait(30)
        time.sleep(0.3)  # what the server still holds reaches the program
        self.session.key("space")
        target = os.path.join(self.folder, "Ball.ogg")
        wait_for("Ball.ogg", lambda: os.path.exists(target), 15, 0.05)
        assert not os.path.exists(os.path.join(self.folder, "Zebra.ogg")), "the wrong word was recorded"
        self.session.screenshot(os.path.join(self.artefacts, "aufnahme-gespeichert.png"), window=window)

        # A spoken word for the next one: the voice says "Zebra" into the microphone, and Space
        # comes only as the word begins: the take begins with the moment before the key.
        spoken = os.path.join(self.artefacts, "zebra.wav")
        subprocess.run(["espeak-ng", "-v", "de", "-w", spoken, "Zebra"], check=True, timeout=30)
        self.session.key("Down")
        time.sleep(0.5)
        player = self.start(["paplay", "-d", "mic", spoken])
        time.sleep(0.15)
        self.session.key("space")
        player.wait(30)
        time.sleep(0.3)  # what the server still holds reaches the program
        self.session.key("space")
        zebra = os.path.join(self.folder, "Zebra.ogg")
        wait_for("Zebra.ogg", lambda: os.path.exists(zebra), 15, 0.05)
        said, _ = loud_part(decode(spoken), 0.02)
        kept = decode(zebra)
        word, first = loud_part(kept, 0.02)
        peak_db = 20 * math.log10(max(abs(s) for s in kept) / 32767)
        log(f"Zebra.ogg: {len(kept) / RATE:.2f} s, the word {len(word) / RATE:.2f} s "
            f"(spoken {len(said) / RATE:.2f} s), leading quiet {first * 1000 / RATE:.0f} ms, "
            f"peak {peak_db:.2f} dBFS")
        assert abs(len(word) - len(said)) / RATE < 0.1, "the spoken word was cut or is not all there"
        assert first * 1000 / RATE <= 150, "too much quiet before the spoken word"
        assert abs(peak_db - (-1.0)) <= 0.5, f"the spoken word peaks at {peak_db:.2f} dBFS"
        self.passed.append("spoken word")
        hidden = [n for n in os.listdir(self.folder) if n.startswith(".")]
        assert not hidden, f"temporary files left: {hidden}"
        self.session.close()
        self.session = None
        assert process.poll() is not None
        wait_for("the input to close with the window", lambda: self.recording_streams() == 0, 15, 0.05)

        probe = subprocess.run(["soxi", target], capture_output=True, text=True, timeout=30)
        log(probe.stdout.strip().replace("\n", "; "))
        assert probe.returncode == 0 and "Vorbis" in probe.stdout, "Ball.ogg is no Ogg Vorbis file"
        samples = decode(target)
        seconds = len(samples) / RATE
        tone_part, first = loud_part(samples)
        peak = max(abs(s) for s in samples)
        peak_db = 20 * math.log10(peak / 32767)
        lead_ms = first * 1000 / RATE
        heard = len(tone_part) / RATE
        hz = frequency(tone_part, RATE)
        log(f"Ball.ogg: {seconds:.2f} s, sound {heard:.2f} s at {hz:.0f} Hz, "
            f"leading quiet {lead_ms:.0f} ms, peak {peak_db:.2f} dBFS")
        assert 0.9 <= heard <= 1.15, f"the tone lasts {heard:.2f} s in the file, not about 1 s"
        assert abs(hz - TONE_HZ) < TONE_HZ * 0.03, f"the file holds {hz:.0f} Hz, not the tone"
        assert lead_ms <= 150, f"{lead_ms:.0f} ms of quiet before the sound"
        assert seconds <= heard + 0.3, f"{seconds:.2f} s in all: the quiet at the end was not cut"
        assert abs(peak_db - (-1.0)) <= 0.5, f"peak at {peak_db:.2f} dBFS, not -1"
        self.passed.append("recorded")

    def game_says_the_recording(self):
        raw = os.path.join(self.artefacts, "spiel.raw")
        with self.recording(raw, RATE):
            result = subprocess.run([self.say_word, os.path.join(self.folder, "Ball.png")], env=self.env,
                                    capture_output=True, text=True, timeout=30)
        assert result.returncode == 0, result.stderr
        heard, _ = loud_part(read_raw(raw), 0.3)
        hz = frequency(heard, RATE)
        log(f"the game said Ball: {len(heard) / RATE:.2f} s at {hz:.0f} Hz")
        assert len(heard) / RATE >= 0.8, "the game's word is too short to be the recording"
        assert abs(hz - TONE_HZ) < TONE_HZ * 0.03, f"the game said {hz:.0f} Hz: the voice, not the recording"
        self.passed.append("game plays the recording")

    def pixel(self, window, x, y):
        """The colour at a point given in design pixels (the window may be larger)."""
        width, _, data = self.session.capture(window)
        scale = width / 640
        x, y = int(x * scale), int(y * scale)
        at = (y * width + x) * 3
        return tuple(data[at:at + 3])

    def message_box(self, window, text):
        """The id of the message box over the window; its screenshot is kept."""
        boxes = []

        def shown():
            boxes[:] = [w for w in self.session.visible_windows("Knorzelbart") if w != window]
            return bool(boxes)
        wait_for("a message box", shown, 15)
        path = self.session.screenshot(os.path.join(self.artefacts, text + ".png"), window=boxes[0])
        log(f"message box: {path}")
        return boxes[0]

    def without_server(self):
        empty = tempfile.mkdtemp(prefix="kb-none-")
        try:
            for name in ("Ball.ogg", "Zebra.ogg"):
                if os.path.exists(os.path.join(self.folder, name)):
                    os.remove(os.path.join(self.folder, name))
            before = sorted(os.listdir(self.folder))
            process, window = self.open_window("ohne-server", empty)
            self.session.key("space")
            boxes = []

            def box():
                boxes[:] = [w for w in self.session.visible_windows("Knorzelbart") if w != window]
                return bool(boxes)
            wait_for("the message box", box, 15)
            self.session.screenshot(os.path.join(self.artefacts, "ohne-server.png"), window=boxes[0])
            self.session.key("Return")
            wait_for("the box to close", lambda: not [w for w in self.session.visible_windows("Knorzelbart")
                                                      if w != window], 15)
            assert sorted(os.listdir(self.folder)) == before, "something was written without a microphone"
            assert process.poll() is None, "the window ended"
            self.session.close()
            self.session = None
            self.passed.append("no server")
        finally:
            shutil.rmtree(empty, ignore_errors=True)

    def server_hangs(self):
        """The sound server stops in the middle of a take: the window keeps answering, says so
        within seconds and keeps nothing of the take."""
        for name in ("Ball.ogg", "Zebra.ogg"):
            if os.path.exists(os.path.join(self.folder, name)):
                os.remove(os.path.join(self.folder, name))
        before = sorted(os.listdir(self.folder))
        process, window = self.open_window("haengt", self.runtime)
        time.sleep(0.5)
        self.session.key("space")
        time.sleep(0.5)
        os.kill(self.server.pid, signal.SIGSTOP)
        try:
            started = time.monotonic()
            box = self.message_box(window, "server-haengt")
            log(f"the window said so after {time.monotonic() - started:.1f} s")
            self.session.key("Return")
            wait_for("the box to close", lambda: box not in self.session.visible_windows("Knorzelbart"), 15)
            assert sorted(os.listdir(self.folder)) == before, "a take from a hanging server was kept"
            assert process.poll() is None, "the window ended"
        finally:
            os.kill(self.server.pid, signal.SIGCONT)
        self.session.close()
        self.session = None
        self.passed.append("server hangs")

    def close(self):
        if self.session:
            self.session.close()
        super().close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--say-word", required=True)
    parser.add_argument("--picture", required=True)
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    bound_whole_run(200)
    artefacts = os.path.join(args.artefacts, "record")
    shutil.rmtree(artefacts, ignore_errors=True)
    os.makedirs(artefacts)
    run = Run(os.path.abspath(args.program), os.path.abspath(args.say_word), args.picture, artefacts)
    return run_steps(run.passed, [run.start_pulse, run.record_word, run.game_says_the_recording,
                                  run.server_hangs, run.without_server], run.close)


if __name__ == "__main__":
    sys.exit(main())
