#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the game's picture files.

Usage: check-assets.py [ASSETS_DIR]   (default: the assets folder of this repo)

Exits with status 1 and names every problem when a check fails.
"""
import os
import sys
import unicodedata

try:
    from PIL import Image
except ImportError:
    sys.exit("check-assets: Pillow (python3-pil) is needed")

BILDER = (["räuberrechts.gif", "räuberrechtsgeht.gif", "Schatztruheeeee.gif"]
          + ["hut%d.gif" % n for n in range(1, 8)]
          + ["bei_sieg_%d.gif" % n for n in range(1, 6)]
          + ["assistent_richtig_%d.bmp" % n for n in range(1, 6)]
          + ["assistent_fehler_%d.bmp" % n for n in range(1, 6)])

BILDER_SIZES = {"räuberrechts.gif": (77, 84), "räuberrechtsgeht.gif": (77, 84),
                "Schatztruheeeee.gif": (32, 42)}

LAYOUT_SIZES = {"mushroom.gif": (200, 100), "tree.gif": (200, 200), "fence.gif": (200, 100),
                "sun.bmp": (200, 200), "grass.bmp": (800, 200), "tick.bmp": (20, 20),
                "cross.bmp": (20, 20), "robber.gif": (77, 84), "chest.gif": (32, 42),
                "icon16.png": (16, 16), "icon32.png": (32, 32), "icon48.png": (48, 48),
                "icon64.png": (64, 64), "icon128.png": (128, 128), "icon256.png": (256, 256)}

# Every picture of the scene has a variant drawn at twice its size (hut1@2x.gif); a variant
# at another factor (@4x) is optional but must then be exact too.
VARIANT_FACTORS = (2,)
SCALED_LAYOUT = [n for n in LAYOUT_SIZES if not n.startswith("icon")]

MIN_WORDS = 16
# The shipped vocabulary: all words in db/, and the collections under sammlungen/, each a
# folder named as the teacher sees it, with words that all stand in db/ too.
MIN_SHIPPED_WORDS = 300
MIN_COLLECTIONS = 10
MIN_COLLECTION_WORDS = 15


class Checker:
    def __init__(self):
        self.passed = 0
        self.failures = []

    def check(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failures.append(what)
        return ok


def bmp_bits(path):
    with open(path, "rb") as f:
        head = f.read(30)
    return int.from_bytes(head[28:30], "little") if head[:2] == b"BM" else 0


def check_picture(c, path, size=None):
    """Decodes one picture and checks its size and format rules. Returns its size."""
    name = os.path.basename(path)
    if not c.check(os.path.isfile(path), "%s: missing" % path):
        return None
    try:
        with Image.open(path) as im:
            im.load()
            fmt, got, info = im.format, im.size, dict(im.info)
    except Exception as e:  # any decoding error is a failure
        c.check(False, "%s: does not decode (%s)" % (path, e))
        return None
    if size:
        c.check(got == size, "%s: size %dx%d, expected %dx%d" % (path, got[0], got[1], size[0], size[1]))
    ext = name.rsplit(".", 1)[-1].lower()
    if ext == "bmp":
        c.check(fmt == "BMP" and bmp_bits(path) == 24, "%s: not a 24-bit BMP" % path)
    elif ext == "gif":
        c.check(fmt == "GIF" and "transparency" in info, "%s: GIF without a transparent colour" % path)
    elif ext == "png":
        c.check(fmt == "PNG", "%s: not a PNG" % path)
    return got


def variant_name(name, factor):
    stem, ext = os.path.splitext(name)
    return "%s@%dx%s" % (stem, factor, ext)


def check_variants(c, folder, names):
    """Each named picture has its @2x variant, and every @Nx file in the folder is exactly N
    times the size of its original, in the original's format."""
    wanted = {variant_name(n, f) for n in names for f in VARIANT_FACTORS}
    present = set(os.listdir(folder)) if os.path.isdir(folder) else set()
    for variant in sorted(wanted | {n for n in present if "@" in n}):
        stem, ext = os.path.splitext(variant)
        base, _, factor = stem.rpartition("@")
        original = base + ext
        if not c.check(factor[:-1].isdigit() and factor.endswith("x") and original in present,
                       "%s/%s: no original %s" % (folder, variant, original)):
            continue
        factor = int(factor[:-1])
        with Image.open(os.path.join(folder, original)) as im:
            size = im.size
        check_picture(c, os.path.join(folder, variant), (size[0] * factor, size[1] * factor))


def word_of(name):
    """The word a picture file stands for: its name without the extension, first letter upper-cased."""
    stem = name.rsplit(".", 1)[0]
    return stem[:1].upper() + stem[1:]


def check_word_folder(c, folder, label):
    """Every file a 200 x 200 picture whose name is a word of 2 to 12 letters; returns the words."""
    words = []
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        word = word_of(name)
        c.check(name == unicodedata.normalize("NFC", name), "%s/%s: name not in NFC" % (label, name))
        c.check(len(name) > 4 and name[-4] == ".", "%s/%s: no three-letter extension" % (label, name))
        c.check(2 <= len(word) <= 12 and word.isalpha(),
                "%s/%s: word %r is not 2 to 12 letters" % (label, name, word))
        check_picture(c, path, (200, 200))
        words.append(word)
    c.check(len(set(words)) == len(words), "%s: two files give the same word" % label)
    return words


def check_collections(c, assets, all_words):
    """The collections: at least ten, each a folder with a German name and enough words for a
    game that can be won, every word also in db/ with the very same picture."""
    root = os.path.join(assets, "sammlungen")
    if not c.check(os.path.isdir(root), "%s: missing" % root):
        return
    c.check(len(all_words) >= MIN_SHIPPED_WORDS,
            "db: %d words, the collections need at least %d" % (len(all_words), MIN_SHIPPED_WORDS))
    names = sorted(os.listdir(root))
    c.check(len(names) >= MIN_COLLECTIONS, "sammlungen: %d collections, expected at least %d"
            % (len(names), MIN_COLLECTIONS))
    db = os.path.join(assets, "db")
    for name in names:
        folder = os.path.join(root, name)
        label = "sammlungen/" + name
        c.check(name == unicodedata.normalize("NFC", name), "%s: name not in NFC" % label)
        c.check(name[:1].isupper() and all(ch.isalpha() or ch == " " for ch in name)
                and "  " not in name and name == name.strip(),
                "%s: not a collection's name (letters and single blanks, a capital first)" % label)
        if not c.check(os.path.isdir(folder), "%s: not a folder" % label):
            continue
        words = check_word_folder(c, folder, label)
        c.check(len(words) >= MIN_COLLECTION_WORDS, "%s: only %d words, a game that can be won needs %d"
                % (label, len(words), MIN_COLLECTION_WORDS))
        for picture in sorted(os.listdir(folder)):
            shipped = os.path.join(db, picture)
            if c.check(os.path.isfile(shipped), "%s/%s: not in db" % (label, picture)):
                with open(shipped, "rb") as a, open(os.path.join(folder, picture), "rb") as b:
                    c.check(a.read() == b.read(), "%s/%s: another picture than db/%s" % (label, picture, picture))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    assets = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets")
    c = Checker()

    bilder = os.path.join(assets, "bilder")
    for name in BILDER:
        check_picture(c, os.path.join(bilder, name), BILDER_SIZES.get(name))
    check_variants(c, bilder, BILDER)
    if os.path.isdir(bilder):
        for name in os.listdir(bilder):
            c.check(name == unicodedata.normalize("NFC", name), "bilder/%s: name not in NFC" % name)

    layout = os.path.join(assets, "layout")
    for name, size in sorted(LAYOUT_SIZES.items()):
        check_picture(c, os.path.join(layout, name), size)
    check_variants(c, layout, SCALED_LAYOUT)
    logo = os.path.join(layout, "logo.svg")
    if c.check(os.path.isfile(logo), "%s: missing" % logo):
        with open(logo, encoding="utf-8") as f:
            text = f.read()
        c.check('viewBox="0 0 236 55"' in text, "%s: view box is not 0 0 236 55" % logo)

    db = os.path.join(assets, "db")
    words = []
    if c.check(os.path.isdir(db), "%s: missing" % db):
        words = check_word_folder(c, db, "db")
        c.check(len(words) >= MIN_WORDS, "db: only %d word pictures, a game needs %d" % (len(words), MIN_WORDS))
    check_collections(c, assets, words)

    for f in c.failures:
        print("FAIL " + f)
    print("check-assets: %d words, %d passed, %d failed" % (len(words), c.passed, len(c.failures)))
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main())
