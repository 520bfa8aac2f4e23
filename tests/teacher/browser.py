# SPDX-License-Identifier: GPL-3.0-or-later
"""What the browser tests of the teacher's pages share: a run of checks in a scratch folder,
the program started without a display or the machine's settings, headless Chromium without
any network, and finding a picture's colour in a screenshot."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from machine import private_environment, school_folder_hidden  # noqa: E402


def run_checks(description, prefix, checks):
    """Parses --program and --artefacts, calls checks(args, scratch, passed) in a fresh scratch
    folder (passed(text) prints a PASS line), prints the closing line "N passed, N failed" and
    returns the exit code. Any exception is one failed check."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--program", required=True)
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    args.artefacts = os.path.abspath(args.artefacts)
    os.makedirs(args.artefacts, exist_ok=True)
    count = [0]
    failed = 0

    def passed(text):
        print(f"PASS {text}", flush=True)
        count[0] += 1

    scratch = tempfile.mkdtemp(prefix=prefix)
    try:
        checks(args, scratch, passed)
    except Exception as error:  # noqa: BLE001 - any failure is one failed check
        failed = 1
        print(f"FAIL {type(error).__name__}: {error}", flush=True)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"{count[0]} passed, {failed} failed")
    return failed


def run_program(argv, scratch):
    """Runs one of the program's command-line tasks without a display, with a home of its own
    in scratch: never the machine's settings, record or caches, nor the school's folder."""
    env = private_environment(dict(os.environ, LANG="C.UTF-8", HOME=scratch), os.path.join(scratch, "home"))
    env.pop("DISPLAY", None)
    return subprocess.run(argv, capture_output=True, timeout=60, env=env, preexec_fn=school_folder_hidden)


def chromium(scratch, *arguments):
    """Headless Chromium with a fresh profile in scratch, no network, no first-run pages."""
    profile = os.path.join(scratch, "profil")
    browser = shutil.which("chromium") or "/usr/bin/chromium"
    command = [browser, "--headless", "--disable-gpu", "--no-first-run",
               "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--no-default-browser-check", "--hide-scrollbars",
               f"--user-data-dir={profile}", "--force-device-scale-factor=1", *arguments]
    if os.geteuid() == 0:
        command.insert(1, "--no-sandbox")
    return subprocess.run(command, capture_output=True, timeout=120, env=dict(os.environ, HOME=scratch))


def screenshot(scratch, page, shot, window):
    """Draws the page into shot at window ("W,H"); raises AssertionError without a screenshot."""
    if os.path.exists(shot):
        os.remove(shot)
    result = chromium(scratch, f"--window-size={window}", f"--screenshot={shot}", "file://" + page)
    if not os.path.isfile(shot):
        raise AssertionError(f"no screenshot ({result.returncode}):\n"
                             f"{result.stderr.decode(errors='replace')[-2000:]}")


def print_to_pdf(scratch, page, pdf):
    """Prints the page into pdf; raises AssertionError without a PDF."""
    if os.path.exists(pdf):
        os.remove(pdf)
    result = chromium(scratch, "--no-pdf-header-footer", f"--print-to-pdf={pdf}", "file://" + page)
    if not os.path.isfile(pdf):
        raise AssertionError(f"no PDF ({result.returncode}):\n{result.stderr.decode(errors='replace')[-2000:]}")


def box_of(shot, colour):
    """The bounding box of the pixels of this colour (within a small tolerance) and their
    count, or None."""
    width, height = shot.size
    pixels = shot.load()
    xs, ys = [], []
    for y in range(height):
        for x in range(width):
            r, g, b = pixels[x, y][:3]
            if abs(r - colour[0]) < 12 and abs(g - colour[1]) < 12 and abs(b - colour[2]) < 12:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys), len(xs)


def drawn_size(shot, word, colour):
    """Width, height and pixel count of the picture of `word` drawn in this colour; raises
    AssertionError where it is not drawn."""
    box = box_of(shot, colour)
    if box is None:
        raise AssertionError(f"the picture of {word} {colour} is not drawn")
    x0, y0, x1, y1, count = box
    return x1 - x0 + 1, y1 - y0 + 1, count
