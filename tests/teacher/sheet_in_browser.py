#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The picture sheet in a real browser: `knorzelbart --pruefen ORDNER --bogen DATEI.html`
on a folder of pictures in known colours, rendered by headless Chromium to a screenshot
without any network; every picture's colour must be drawn as the game shows it: a 2:1
picture fitted into the 100 x 100 square, 100 x 50.

Closing line: "N passed, N failed".
"""

import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from browser import drawn_size, run_checks, run_program, screenshot  # noqa: E402

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


def checks(args, scratch, passed):
    folder = os.path.join(scratch, "Farben")
    make_folder(folder)
    sheet = os.path.join(args.artefacts, "bilderbogen.html")
    check = run_program([args.program, "--pruefen", folder, "--bogen", sheet], scratch)
    out = check.stdout.decode()
    if check.returncode != 1 or "6 verwendbare Wörter" not in out or not os.path.isfile(sheet):
        raise AssertionError(f"check ended {check.returncode}:\n{out}{check.stderr.decode()}")
    html = open(sheet, encoding="utf-8").read()
    if "http" in html or html.count("data:image/png;base64,") != len(COLOURS):
        raise AssertionError("the sheet is not self-contained")
    passed("the check writes a self-contained sheet (6 pictures embedded)")

    shot = os.path.join(args.artefacts, "bilderbogen.png")
    screenshot(scratch, sheet, shot, "1000,900")
    image = Image.open(shot).convert("RGB")
    for word, colour in COLOURS.items():
        width, height, count = drawn_size(image, word, colour)
        if not (96 <= width <= 104 and 46 <= height <= 54 and count > 4500):
            raise AssertionError(f"{word} is drawn {width} x {height} ({count} pixels)")
    passed(f"Chromium draws every picture fitted into its 100 x 100 square ({shot})")


def main():
    return run_checks(__doc__.splitlines()[0], "knorzelbart-bogen-", checks)

if __name__ == "__main__":
    sys.exit(main())
