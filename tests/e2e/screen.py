# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the windows' controls are, and what the test reads off the game window's pixels:
which picture is up, whether it is covered, how many ticks and crosses show, whether the
first letter box is empty.

Positions are the game window's client pixels, as its fixed layout places the controls.
"""

import subprocess

# Window titles (regular expressions; the toolkit may append the program's name). They stay
# clear of non-ASCII letters: without a UTF-8 locale the old-style title property carries the
# title's UTF-8 bytes as if they were Latin-1, and xdotool may look at that one.
GAME_TITLE = "^Stoppt den R.{1,4}uber Knorzelbart!"
MENU_TITLE = "^Bitte Schwierigkeitsgrad w"
MESSAGE_TITLE = "^Knorzelbart$"

# The menu's controls in its client pixels (its layout is in twips, 15 to a pixel).
NAME_BOX = (1200 // 15 + 40, 120 // 15 + 12)
LEVEL_BUTTON = {1: ((2040 + 375 // 2) // 15, (960 + 375 // 2) // 15),
                3: ((3960 + 855 // 2) // 15, (720 + 855 // 2) // 15)}
CANCEL_BUTTON = ((4560 + 375 // 2) // 15, (120 + 345 // 2) // 15)
SPLASH_SIZE = (9840 // 15, 7125 // 15)
# The game window's "Ende" button, in its client pixels.
END_BUTTON = (120 + 73 // 2, 72 + 33 // 2)

SKY = (128, 255, 255)        # the game window's background
NAVY = (0, 0, 128)           # the cover over the word picture
BOX_GREEN = (192, 255, 192)  # an empty letter box

PICTURE = (8, 8, 100, 100)   # the word picture and its cover
GRID = 5                     # a picture's signature: the mean colours of 5 x 5 blocks


class Frame:
    """One capture of a window: width, height and RGB bytes."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def region(self, x, y, w, h):
        rows = []
        for row in range(y, y + h):
            i = (row * self.width + x) * 3
            rows.append(self.data[i:i + w * 3])
        return b"".join(rows)


def near(a, b, tolerance=24):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def signature(rgb, size=100):
    """Mean colour of each of GRID x GRID blocks of a size x size RGB picture."""
    block = size // GRID
    sig = []
    for by in range(GRID):
        for bx in range(GRID):
            total = [0, 0, 0]
            for y in range(by * block, (by + 1) * block):
                start = (y * size + bx * block) * 3
                row = rgb[start:start + block * 3]
                total[0] += sum(row[0::3])
                total[1] += sum(row[1::3])
                total[2] += sum(row[2::3])
            n = block * block
            sig.extend(t / n for t in total)
    return sig


def distance(a, b):
    return sum(abs(p - q) for p, q in zip(a, b)) / len(a)


def reference_signature(path):
    """The signature of a picture file as the game shows it: over the sky, 100 x 100."""
    rgb = subprocess.run(
        ["convert", path, "-background", "rgb(%d,%d,%d)" % SKY, "-flatten",
         "-resize", "100x100!", "-depth", "8", "rgb:-"],
        capture_output=True, check=True, timeout=30).stdout
    return signature(rgb)


def picture_signature(frame):
    return signature(frame.region(*PICTURE))


def covered(frame):
    """The navy cover with its "X" lies over the word picture."""
    rgb = frame.region(*PICTURE)
    navy = sum(1 for i in range(0, len(rgb), 3) if near(rgb[i:i + 3], NAVY, 30))
    return navy > 0.6 * PICTURE[2] * PICTURE[3]


def _marks(frame, top):
    count = 0
    for i in range(15):
        # Each mark is 20 px wide and its right neighbour overlaps it by 4 px: its centre
        # column is its own.
        if not near(frame.pixel(208 + 16 * i + 10, top + 10), SKY, 40):
            count += 1
    return count


def ticks(frame):
    return _marks(frame, 8)


def crosses(frame):
    return _marks(frame, 32)


def first_box_empty(frame):
    """Letter box 0 is shown and holds no letter (the blinking text cursor may be there)."""
    x, y, size = 56 + 7, 440 + 7, 19
    inner = frame.region(x, y, size, size)
    marked_columns = 0
    for column in range(size):
        pixels = [inner[(row * size + column) * 3:(row * size + column) * 3 + 3]
                  for row in range(size)]
        if not all(near(p, BOX_GREEN, 30) for p in pixels):
            marked_columns += 1
    # A letter spans several columns; the cursor is one or two pixels wide.
    return marked_columns <= 2
