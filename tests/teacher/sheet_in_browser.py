#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The picture sheet in a real browser: `knorzelbart --pruefen ORDNER --bogen DATEI.html`
on a folder of pictures in known colours, rendered by headless Chromium to a screenshot
without any network; every picture's colour must be drawn as the game shows it: a 2:1
picture fitted into the 100 x 100 square, 100 x 50.

Closing line: "N passed, N failed".
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

from PIL import Image

# Word -> colour of its picture; far from each other and from the page's black and white.
COLOURS = {
    "Tomate": (220, 30, 30), "Gras": (30, 170, 40), "Meer": (30, 60, 210),
    "Sonne": (250, 210, 20), "Pflaume": (130, 40, 150), "Türkis": (20, 200, 200),
}


def make_folder(folder):
    os.makedirs(folder)
    for word, colour in COLOURS.items():
        # Wide pictures: the game fits them into its square box with their proportions, so
        # must the sheet.
        Image.new("RGB", (240, 120), colour).save(os.path.join(folder, f"{word}.png"))
    with open(os.path.join(folder, "Notiz.png"), "w") as note:
        note.write("kein Bild\n")


def square_of(shot, colour):
    """The bounding box of the pixels of this colour (within a small tolerance), or None."""
    width, height = shot.size
    pixels = shot.load()
    xs, ys = [], []
    for y in range(0, height):
        for x in range(0, width):
            r, g, b = pixels[x, y][:3]
            if abs(r - colour[0]) < 12 and abs(g - colour[1]) < 12 and abs(b - colour[2]) < 12:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys), len(xs)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    args.artefacts = os.path.abspath(args.artefacts)
    os.makedirs(args.artefacts, exist_ok=True)
    passed = failed = 0
    scratch = tempfile.mkdtemp(prefix="knorzelbart-bogen-")
    try:
        folder = os.path.join(scratch, "Farben")
        make_folder(folder)
        sheet = os.path.join(args.artefacts, "bilderbogen.html")
        env = dict(os.environ, KNORZELBART_EINSTELLUNGEN="/nonexistent",
                   KNORZELBART_BENUTZER_EINSTELLUNGEN="/nonexistent", LANG="C.UTF-8")
        env.pop("DISPLAY", None)
        check = subprocess.run([args.program, "--pruefen", folder, "--bogen", sheet],
                               capture_output=True, timeout=60, env=env)
        out = check.stdout.decode()
        if check.returncode != 1 or "6 verwendbare Wörter" not in out or not os.path.isfile(sheet):
            raise AssertionError(f"check ended {check.returncode}:\n{out}{check.stderr.decode()}")
        html = open(sheet, encoding="utf-8").read()
        if "http" in html or html.count("data:image/png;base64,") != len(COLOURS):
            raise AssertionError("the sheet is not self-contained")
        print("PASS the check writes a self-contained sheet (6 pictures embedded)")
        passed += 1

        shot = os.path.join(args.artefacts, "bilderbogen.png")
        if os.path.exists(shot):
            os.remove(shot)
        profile = os.path.join(scratch, "profil")
        browser = shutil.which("chromium") or "/usr/bin/chromium"
        command = [browser, "--headless", "--disable-gpu", "--no-first-run",
                   "--disable-background-networking", "--disable-component-update",
                   "--disable-sync", "--no-default-browser-check", "--hide-scrollbars",
                   f"--user-data-dir={profile}", "--force-device-scale-factor=1",
                   "--window-size=1000,900", f"--screenshot={shot}", "file://" + sheet]
        if os.geteuid() == 0:
            command.insert(1, "--no-sandbox")
        result = subprocess.run(command, capture_output=True, timeout=120,
                                env=dict(os.environ, HOME=scratch))
        if not os.path.isfile(shot):
            raise AssertionError(f"no screenshot ({result.returncode}):\n"
                                 f"{result.stderr.decode(errors='replace')[-2000:]}")
        image = Image.open(shot).convert("RGB")
        for word, colour in COLOURS.items():
            box = square_of(image, colour)
            if box is None:
                raise AssertionError(f"the picture of {word} {colour} is not drawn")
            x0, y0, x1, y1, count = box
            if not (96 <= x1 - x0 + 1 <= 104 and 46 <= y1 - y0 + 1 <= 54 and count > 4500):
                raise AssertionError(f"{word} is drawn {x1 - x0 + 1} x {y1 - y0 + 1} ({count} pixels)")
        print(f"PASS Chromium draws every picture fitted into its 100 x 100 square ({shot})")
        passed += 1
    except Exception as error:  # noqa: BLE001 - any failure is one failed check
        failed = 1
        print(f"FAIL {type(error).__name__}: {error}", flush=True)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"{passed} passed, {failed} failed")
    return failed


if __name__ == "__main__":
    sys.exit(main())
