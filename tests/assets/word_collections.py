#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The asset check guards the word collections: on a copy of the shipped pictures it passes,
and each way a collection can go wrong makes it fail, naming the collection.

Closing line: "N passed, N failed".
"""

import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
CHECK = os.path.join(ROOT, "tools", "check-assets.py")


def check(assets):
    result = subprocess.run([sys.executable, CHECK, assets], capture_output=True, text=True,
                            timeout=120)
    return result.returncode, [line for line in result.stdout.splitlines()
                               if line.startswith("FAIL ")]


def first_picture(folder):
    return sorted(os.listdir(folder))[0]


def few_words(sammlungen):
    folder = os.path.join(sammlungen, "Obst und Gemüse")
    for name in sorted(os.listdir(folder))[14:]:
        os.remove(os.path.join(folder, name))
    return "sammlungen/Obst und Gemüse: only 14 words"


def word_not_in_db(sammlungen):
    folder = os.path.join(sammlungen, "Tiere")
    shutil.copy(os.path.join(folder, first_picture(folder)), os.path.join(folder, "Wolf.png"))
    return "sammlungen/Tiere/Wolf.png: not in db"


def other_picture(sammlungen):
    folder = os.path.join(sammlungen, "Körper")
    names = sorted(os.listdir(folder))
    shutil.copy(os.path.join(folder, names[1]), os.path.join(folder, names[0]))
    return f"sammlungen/Körper/{names[0]}: another picture than db/{names[0]}"


def bad_name(sammlungen):
    os.rename(os.path.join(sammlungen, "Kleidung"), os.path.join(sammlungen, "kleidung_2"))
    return "sammlungen/kleidung_2: not a collection's name"


def too_few_collections(sammlungen):
    for name in sorted(os.listdir(sammlungen))[:3]:
        shutil.rmtree(os.path.join(sammlungen, name))
    return "sammlungen: 9 collections, expected at least 10"


def main():
    passed = failed = 0
    with tempfile.TemporaryDirectory() as scratch:
        shipped = os.path.join(scratch, "shipped")
        shutil.copytree(os.path.join(ROOT, "assets"), shipped)
        code, failures = check(shipped)
        if code == 0 and not failures:
            passed += 1
            print("PASS the shipped pictures and collections pass the check", flush=True)
        else:
            failed += 1
            print(f"FAIL the shipped pictures: {failures[:5]}", flush=True)
        for breaking in (few_words, word_not_in_db, other_picture, bad_name,
                         too_few_collections):
            assets = os.path.join(scratch, breaking.__name__)
            shutil.copytree(shipped, assets)
            expected = breaking(os.path.join(assets, "sammlungen"))
            code, failures = check(assets)
            if code == 1 and any(f.startswith("FAIL " + expected) for f in failures):
                passed += 1
                print(f"PASS {breaking.__name__}: {expected}", flush=True)
            else:
                failed += 1
                print(f"FAIL {breaking.__name__}: exit {code}, {failures[:5]}", flush=True)
            shutil.rmtree(assets)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
