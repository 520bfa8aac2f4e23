#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Takes the handbook's screenshots of the teacher's pages from the real program at its real
size, with the shipped words, and writes them small into docs/handbuch:

- lehrer-klasse.png: the school-morning run (tests/e2e/teacher_story.py, a private X server
  and a virtual microphone) types a class of three; its screenshot of the page is taken over;
- aufnehmen.png: the recording window on a teacher's folder of shipped animal words, one of
  them recorded. The folder is /home/lehrerin/Wörter/Tiere, as the handbook's examples name
  it, in a private mount namespace (`unshare -m`, root) so that no path of this machine shows
  and nothing is left in /home;
- bericht.png: a learning record of three children on shipped words, turned into the report
  by `knorzelbart --bericht` and drawn by headless Chromium at A4 width (the top of it).

    /usr/bin/python3 tools/handbook-screenshots.py --program build/src/knorzelbart

The menu, the game and the Wörter page (menue.png, spiel.png, lehrer-woerter.png) were taken
by hand from the same program (the menu cut to its controls) and made small the same way.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

from PIL import Image

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "teacher"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from browser import program_env, screenshot  # noqa: E402
from pulse import Pulse  # noqa: E402
from report_in_browser import key_file, line  # noqa: E402
from teacher_room import THEME  # noqa: E402
from xsession import Session, log, wait_for  # noqa: E402

TEACHER_FOLDER = "/home/lehrerin/Wörter/Tiere"
RECORDER = "Knorzelbart – Wörter aufnehmen"

# Three children on shipped words, over two weeks, with the kinds of mistake a first
# grader makes (the letter typed at the first wrong place).
RECORD = {
    "ayla": [line("2026-11-23", 1, "a", "Hund", 3, "t"), line("2026-11-23", 1, "r", "Katze"),
             line("2026-11-24", 2, "u", "Fuchs", 1, "k"), line("2026-11-24", 2, "r", "Hund"),
             line("2026-11-30", 2, "a", "Igel", 1, "e"), line("2026-12-01", 2, "r", "Maus")],
    "ben": [line("2026-11-23", 1, "a", "Fuß", 2, "s"), line("2026-11-25", 1, "r", "Katze"),
            line("2026-11-25", 1, "a", "Katze", 2, "z"), line("2026-12-02", 2, "r", "Hund")],
    "carla": [line("2026-11-26", 3, "r", "Hund"), line("2026-11-26", 3, "r", "Katze"),
              line("2026-12-03", 3, "a", "Igel", 1, "e")],
}


def small(source, target):
    """Writes the screenshot as a PNG of at most 256 colours, compressed as far as it goes."""
    image = Image.open(source).convert("RGB")
    image.quantize(colors=256, dither=Image.Dither.NONE).save(target, optimize=True)
    print(f"{target}: {image.width} x {image.height}, {os.path.getsize(target)} bytes")


def teacher_pages(program, out, scratch):
    artefacts = os.path.join(scratch, "story")
    run = subprocess.run([sys.executable, os.path.join(ROOT, "tests", "e2e", "teacher_story.py"),
                          "--program", program, "--artefacts", artefacts], timeout=300)
    if run.returncode != 0:
        raise SystemExit(f"the school-morning run failed ({run.returncode}); see {artefacts}")
    shots = os.path.join(artefacts, "teacher_story")
    small(os.path.join(shots, "klasse.png"), os.path.join(out, "lehrer-klasse.png"))


def recorder(program, out, scratch):
    """Runs in its own mount namespace (see main): /home is an empty tmpfs here."""
    subprocess.run(["mount", "-t", "tmpfs", "handbuch", "/home"], check=True)
    os.makedirs(TEACHER_FOLDER)
    db = os.path.join(os.path.dirname(program), "db")
    for word in THEME:
        if os.path.exists(os.path.join(db, word + ".png")):
            shutil.copy2(os.path.join(db, word + ".png"), TEACHER_FOLDER)
    # One word already has the teacher's voice (a tone stands in for it).
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "1", os.path.join(TEACHER_FOLDER, "Affe.ogg"),
                    "synth", "1.2", "sine", "440", "vol", "0.3"], check=True, timeout=30)
    pulse = Pulse(scratch, sinks=("nul", "mic"))
    session = Session(log=log)
    try:
        pulse.start_server()
        pulse.pactl("set-default-source", "mic.monitor")
        session.start_x()
        session.env.update(KNORZELBART_EINSTELLUNGEN="/nonexistent", HOME="/home/lehrerin",
                           KNORZELBART_BENUTZER_EINSTELLUNGEN="/nonexistent",
                           XDG_RUNTIME_DIR=pulse.runtime)
        session.env.pop("PULSE_SERVER", None)
        process = session.start([program, "--aufnehmen", TEACHER_FOLDER],
                                log_path=os.path.join(scratch, "aufnehmen.log"))

        def window():
            found = [w for w in session.visible_windows_of(process.pid) if session.title(w) == RECORDER]
            return found[0] if found else None
        shown = wait_for("the recording window", window, 20)
        time.sleep(1.0)
        shot = session.screenshot(os.path.join(scratch, "aufnehmen.png"), window=shown)
        small(shot, os.path.join(out, "aufnehmen.png"))
    finally:
        session.close()
        pulse.close()


def report(program, out, scratch):
    record = os.path.join(scratch, "lernstand")
    os.makedirs(record)
    for child, lines in RECORD.items():
        with open(os.path.join(record, key_file(child, "rechnerA")), "wb") as f:
            f.write(b"".join(lines))
    page = os.path.join(scratch, "bericht.html")
    db = os.path.join(os.path.dirname(os.path.abspath(program)), "db")
    run = subprocess.run([program, "--lernstand", record, "--db", db, "--bericht", page],
                         capture_output=True, timeout=60, env=program_env(HOME=scratch))
    if run.returncode != 0:
        raise SystemExit(f"the report failed: {run.stdout.decode()}{run.stderr.decode()}")
    # The page names its record folder: the one on the school's server, not this scratch.
    with open(page, encoding="utf-8") as f:
        html = f.read().replace(record, "/srv/knorzelbart/lernstand-1a")
    with open(page, "w", encoding="utf-8") as f:
        f.write(html)
    shot = os.path.join(scratch, "bericht-oben.png")
    screenshot(scratch, page, shot, "794,692")  # the class and the first child
    small(shot, os.path.join(out, "bericht.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "src", "knorzelbart"))
    parser.add_argument("--out", default=os.path.join(ROOT, "docs", "handbuch"))
    parser.add_argument("--nur", choices=("bericht", "klasse", "aufnehmen"), help="only this picture")
    parser.add_argument("--im-namensraum", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    out = os.path.abspath(args.out)
    scratch = tempfile.mkdtemp(prefix="knorzelbart-handbuch-")
    try:
        if args.im_namensraum:
            recorder(program, out, scratch)
            return
        if args.nur in (None, "bericht"):
            report(program, out, scratch)
        if args.nur in (None, "klasse"):
            teacher_pages(program, out, scratch)
        if args.nur in (None, "aufnehmen"):
            subprocess.run(["unshare", "-m", "--propagation", "private", sys.executable,
                            os.path.abspath(__file__), "--program", program, "--out", out,
                            "--im-namensraum"], check=True, timeout=120)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
