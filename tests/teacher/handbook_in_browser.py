#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The handbook on paper: tools/handbook.py turns it into its HTML page, headless Chromium
prints that on A4, and poppler's pdftotext reads the pages back. The title and the quick
start fill the first page and the next section begins on the second; no word of any page
reaches past the right margin (long command lines and tables wrap); every screenshot is
drawn.

Closing line: "N passed, N failed".
"""

import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from browser import print_to_pdf, run_checks  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SOURCE = os.path.join(ROOT, "docs", "handbuch")
A4_WIDTH = 595.3
RIGHT_MARGIN = 1.5 / 2.54 * 72  # the print style's page margin, in points


def words(text):
    return " ".join(re.sub(r"[*`]", "", text).split())


def quick_start(markdown):
    """The quick start's last paragraph as plain words, and the heading that follows it."""
    part = markdown.split("\n## Schnellstart", 1)[1]
    body, following = part.split("\n## ", 1)
    last = [p for p in body.strip().split("\n\n") if p.strip()][-1]
    return words(last), following.splitlines()[0].strip()


def page_text(pdf, page):
    result = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), pdf, "-"],
                            capture_output=True, timeout=60)
    return words(result.stdout.decode())


def checks(args, scratch, passed):
    page = os.path.join(scratch, "Handbuch.html")
    subprocess.run([sys.executable, os.path.join(ROOT, "tools", "handbook.py"),
                    os.path.join(SOURCE, "Handbuch.md"), page], check=True, timeout=60)
    pictures = [name for name in os.listdir(SOURCE) if name.endswith(".png")]
    for name in pictures:
        shutil.copy2(os.path.join(SOURCE, name), scratch)
    pdf = os.path.join(args.artefacts, "handbuch.pdf")
    print_to_pdf(scratch, page, pdf)
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, timeout=60).stdout.decode()
    pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+)", info, re.M)
    if abs(float(size.group(1)) - A4_WIDTH) > 2 or abs(float(size.group(2)) - 841.9) > 2:
        raise AssertionError(f"the pages are not A4: {size.group(0)}")

    with open(os.path.join(SOURCE, "Handbuch.md"), encoding="utf-8") as f:
        last, following = quick_start(f.read())
    first, second = page_text(pdf, 1), page_text(pdf, 2)
    if "Schnellstart" not in first or last not in first:
        raise AssertionError(f"the quick start does not end on the first page: {first[-300:]!r}")
    if not second.startswith(following):
        raise AssertionError(f"the second page does not begin with {following!r}: {second[:200]!r}")
    passed(f"the quick start fits the first A4 page, {following!r} begins the second "
           f"({pages} pages, {pdf})")

    boxes = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, timeout=60).stdout.decode()
    right = max(float(x) for x in re.findall(r'<word xMin="[\d.]+" yMin="[\d.]+" xMax="([\d.]+)"', boxes))
    if right > A4_WIDTH - RIGHT_MARGIN + 2:
        raise AssertionError(f"a word reaches {right:.0f} pt, past the margin at "
                             f"{A4_WIDTH - RIGHT_MARGIN:.0f} pt")
    passed(f"no word passes the right margin (rightmost at {right:.0f} of {A4_WIDTH - RIGHT_MARGIN:.0f} pt)")

    with open(pdf, "rb") as f:
        drawn = len(re.findall(rb"/Subtype\s*/Image", f.read()))
    if drawn < len(pictures):
        raise AssertionError(f"{drawn} pictures printed, the handbook has {len(pictures)}")
    passed(f"all {len(pictures)} screenshots are printed")


def main():
    return run_checks(__doc__.splitlines()[0], "knorzelbart-handbuch-", checks)


if __name__ == "__main__":
    sys.exit(main())
