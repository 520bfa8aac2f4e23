#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The installed program: `cmake --install` into a scratch DESTDIR lays out the program,
its picture folders, the launcher, the desktop entry and the icons; the launcher starts the
game from that tree in a private X server; and CPack builds a Debian package with the same
files and declared dependencies, which installs, reinstalls and updates without a question.

Closing line: "N passed, N failed".
"""

import argparse
import hashlib
import configparser
import os
import re
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import screen  # noqa: E402
from package_upgrade import check_upgrades_never_ask, must, new_root  # noqa: E402
from teacher_files import check_package_for_administrators, check_teacher_documents  # noqa: E402
from screen import (CANCEL_BUTTON, END_BUTTON, GAME_TITLE, LEVEL_BUTTON,  # noqa: E402
                    MENU_TITLE, NAME_BOX)
from xsession import Session, bound_whole_run, wait_for  # noqa: E402

SUITE_SECONDS = 400
PICTURE_SUFFIXES = (".png", ".jpg", ".jpeg", ".gif", ".bmp", ".webp", ".tif", ".tiff")
# Dependencies that no library link reveals: plugins, fonts and the sound libraries loaded
# at run time, and the libraries the program is built on.
EXPECTED_DEPENDS = ["qt6-qpa-plugins", "qt6-image-formats-plugins", "libqt6svg6",
                    "qt6-translations-l10n",
                    "fonts-liberation", "fonts-comic-neue", "libqt6widgets6", "libqt6gui6",
                    "libqt6core6", "libc6", "libstdc++6",
                    "libespeak-ng1", "espeak-ng-data", "libpulse0", "libsndfile1", "libhyphen0",
                    "hyphen-de"]


class Checks:
    def __init__(self):
        self.passed = 0

    def ok(self, text):
        self.passed += 1
        print(f"[{time.strftime('%H:%M:%S')}] PASS {text}", flush=True)


def run(argv, **kwargs):
    result = subprocess.run(argv, capture_output=True, timeout=kwargs.pop("timeout", 120),
                            **kwargs)
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(argv)} failed ({result.returncode}):\n"
                             f"{result.stdout.decode(errors='replace')}"
                             f"{result.stderr.decode(errors='replace')}")
    return result.stdout.decode(errors="replace")


def files_under(root):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def check_layout(checks, root, project_version):
    usr = os.path.join(root, "usr")
    lib = os.path.join(usr, "lib", "knorzelbart")
    program = os.path.join(lib, "knorzelbart")
    launcher = os.path.join(usr, "bin", "knorzelbart")
    for path in (program, launcher):
        if not (os.path.isfile(path) and os.access(path, os.X_OK)):
            raise AssertionError(f"not an executable file: {path}")
    # Every picture and beside it its variant at twice the size (hut1.gif, hut1@2x.gif).
    bilder = [n for n in os.listdir(os.path.join(lib, "bilder")) if "@" not in n]
    variants = [n for n in os.listdir(os.path.join(lib, "bilder")) if "@" in n]
    if len(bilder) != 25 or sorted(v.replace("@2x", "") for v in variants) != sorted(bilder):
        raise AssertionError(f"bilder/ holds {len(bilder)} pictures and {len(variants)} variants, "
                             "expected 25 and one @2x for each")
    words = [n for n in os.listdir(os.path.join(lib, "db"))
             if n.lower().endswith(PICTURE_SUFFIXES)]
    if len(words) < 300:
        raise AssertionError(f"db/ holds {len(words)} pictures, the package brings 300 or more")
    # The collections: a folder each, every one a vocabulary a game can be won with, every
    # word of them also in db/.
    sammlungen = os.path.join(lib, "sammlungen")
    collections = sorted(os.listdir(sammlungen)) if os.path.isdir(sammlungen) else []
    if len(collections) < 10 or "Obst und Gemüse" not in collections:
        raise AssertionError(f"sammlungen/ holds {collections}")
    for name in collections:
        pictures = os.listdir(os.path.join(sammlungen, name))
        if len(pictures) < 15 or not set(pictures) <= set(words):
            raise AssertionError(f"sammlungen/{name}: {len(pictures)} pictures, not all in db/")
    checks.ok(f"program, bilder/ ({len(bilder)}), db/ ({len(words)}) and sammlungen/ "
              f"({len(collections)} collections) side by side in lib/knorzelbart, launcher in bin")

    for size in (16, 32, 48, 64, 128, 256):
        icon = os.path.join(usr, "share", "icons", "hicolor", f"{size}x{size}", "apps",
                            "knorzelbart.png")
        geometry = run(["identify", "-format", "%wx%h", icon])
        if geometry != f"{size}x{size}":
            raise AssertionError(f"{icon} is {geometry}")
    checks.ok("icons in the hicolor theme, 16 to 256 pixels")

    desktop = os.path.join(usr, "share", "applications", "knorzelbart.desktop")
    result = subprocess.run(["desktop-file-validate", desktop], capture_output=True,
                            timeout=30)
    report = (result.stdout + result.stderr).decode(errors="replace")
    if result.returncode != 0 or re.search(r"\berror\b", report):
        raise AssertionError(f"desktop-file-validate: {report}")
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(desktop, encoding="utf-8")
    fields = entry["Desktop Entry"]
    categories = fields["Categories"].split(";")
    if not {"Game", "Education", "KidsGame"} <= set(categories):
        raise AssertionError(f"categories {fields['Categories']!r}")
    if fields["Exec"].split()[0] != "knorzelbart" or fields["Icon"] != "knorzelbart":
        raise AssertionError(f"Exec {fields['Exec']!r}, Icon {fields['Icon']!r}")
    if not re.search("Grundschule|Schuljahr|Wörter", fields["Comment"]):
        raise AssertionError(f"comment not German: {fields['Comment']!r}")
    checks.ok("desktop entry valid, German comment, Education and KidsGame, runs the launcher")

    doc = os.path.join(usr, "share", "doc", "knorzelbart")
    if not os.path.isfile(os.path.join(doc, "LICENSE-Noto-Emoji")):
        raise AssertionError("the picture licence is not in the documentation folder")
    checks.ok("picture licence in share/doc/knorzelbart")
    check_teacher_documents(checks, root)


def start_from_launcher(checks, root, artefacts):
    session = Session(log=lambda text: print(text, flush=True))
    try:
        session.start_x()
        launcher = os.path.join(root, "usr", "bin", "knorzelbart")
        # Started from an unrelated folder: the program finds its pictures by its own place.
        process = session.start([launcher], cwd="/",
                                log_path=os.path.join(artefacts, "installed.log"))

        def alive():
            if process.poll() is not None:
                raise AssertionError(f"the installed program ended ({process.returncode})")

        def one(title):
            def probe():
                alive()
                found = session.visible_windows(title)
                return found[0] if len(found) == 1 else None
            return wait_for(f"a window titled {title!r}", probe, 20)

        splash = wait_for("the splash screen",
                          lambda: alive() or session.visible_windows_of(process.pid), 20)[0]
        session.focus(splash)
        session.key("space")
        menu = one(MENU_TITLE)
        session.click(menu, *NAME_BOX)
        session.focus(menu)
        session.type("Ben")
        session.click(menu, *LEVEL_BUTTON[1])
        game = one(GAME_TITLE)

        def picture_up():
            alive()
            frame = screen.Frame(*session.capture(game))
            # Some pictures are mostly sky-coloured or white (a ruler, a spoon, a cloud):
            # count the pixels that are not sky rather than comparing mean colours.
            x0, y0, w, h = screen.PICTURE
            drawn = sum(1 for y in range(y0, y0 + h, 2) for x in range(x0, x0 + w, 2)
                        if frame.pixel(x, y) != screen.SKY)
            return drawn > 100 and not screen.covered(frame)
        wait_for("a word picture from the installed db", picture_up, 15)
        time.sleep(0.3)
        session.screenshot(os.path.join(artefacts, "installed-game.png"), window=game)
        checks.ok("the launcher starts the installed game: splash, menu, a word picture")

        session.click(game, *END_BUTTON)
        menu = one(MENU_TITLE)
        session.click(menu, *CANCEL_BUTTON)
        try:
            code = process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise AssertionError("the installed program did not end on the menu's cancel")
        if code != 0:
            raise AssertionError(f"the installed program ended with exit code {code}")
        checks.ok("\"Ende\" and the menu's cancel button end the installed program")
    finally:
        session.close()


def check_package(checks, build, scratch, installed_files, project_version):
    out = os.path.join(scratch, "package")
    run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"),
         "-B", out], timeout=180)
    debs = [n for n in os.listdir(out) if n.endswith(".deb")]
    if len(debs) != 1:
        raise AssertionError(f"cpack made {debs}")
    deb = os.path.join(out, debs[0])
    fields = {}
    for name in ("Package", "Version", "Architecture", "Depends", "Section"):
        fields[name] = run(["dpkg-deb", "-f", deb, name]).strip()
    if fields["Package"] != "knorzelbart" or fields["Version"] != project_version:
        raise AssertionError(f"package {fields['Package']} {fields['Version']}")
    depends = [d.strip().split()[0] for d in fields["Depends"].split(",")]
    missing = [d for d in EXPECTED_DEPENDS if d not in depends]
    if missing:
        raise AssertionError(f"Depends lacks {missing}: {fields['Depends']}")
    checks.ok(f"{debs[0]} declares its dependencies: {fields['Depends']}")

    contents = set()
    for line in run(["dpkg-deb", "-c", deb]).splitlines():
        path = line.split(None, 5)[5]
        if not path.endswith("/"):
            contents.add(os.path.normpath(path.split(" -> ")[0]).lstrip("./"))
    if contents != installed_files:
        raise AssertionError(f"package and install differ: only in package "
                             f"{sorted(contents - installed_files)[:5]}, only installed "
                             f"{sorted(installed_files - contents)[:5]}")
    checks.ok(f"the package holds exactly the installed files ({len(contents)})")
    check_package_for_administrators(checks, deb, scratch, contents)
    check_reinstall_keeps_teachers_work(checks, deb, scratch)
    check_upgrades_never_ask(checks, deb, scratch, project_version)


def tree_digest(folder):
    """The files of a folder with their contents, to compare before and after."""
    digest = {}
    for path in sorted(files_under(folder)):
        with open(os.path.join(folder, path), "rb") as f:
            digest[path] = hashlib.sha256(f.read()).hexdigest()
    return digest


def check_reinstall_keeps_teachers_work(checks, deb, scratch):
    """Installs the package into a root of its own (dpkg --root, so the machine's own /usr is
    not touched), sets up a teacher's vocabulary folder and settings, reinstalls the package
    and compares."""
    root = new_root(scratch, "dpkg-root")
    must(root, "-i", deb)

    shipped = os.path.join(root, "usr/lib/knorzelbart/db")
    teacher = os.path.join(root, "srv/knorzelbart/klasse1a")
    os.makedirs(teacher)
    for name in sorted(os.listdir(shipped))[:3]:
        shutil.copy2(os.path.join(shipped, name), os.path.join(teacher, name))
    with open(os.path.join(teacher, "Tisch.png"), "wb") as f:
        f.write(open(os.path.join(shipped, sorted(os.listdir(shipped))[4]), "rb").read())
    settings = os.path.join(root, "etc/knorzelbart/einstellungen.conf")
    with open(settings, "a", encoding="utf-8") as f:
        f.write("\ndb = /srv/knorzelbart/klasse1a\n")
    before = (tree_digest(teacher), open(settings, "rb").read())

    must(root, "-i", deb)  # the same version again, as an update would
    after = (tree_digest(teacher), open(settings, "rb").read())
    if before != after:
        raise AssertionError("a reinstall of the package changed the teacher's folder or settings")
    checks.ok(f"a reinstall keeps the teacher's folder ({len(before[0])} pictures) and settings")
    must(root, "-r", "knorzelbart")
    if tree_digest(teacher) != before[0]:
        raise AssertionError("removing the package changed the teacher's folder")
    checks.ok("removing the package leaves the teacher's folder alone")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the configured and built build tree")
    parser.add_argument("--version", required=True, help="the project's version")
    parser.add_argument("--artefacts", default="e2e-artefacts")
    parser.add_argument("--skip-package", action="store_true")
    args = parser.parse_args()
    os.makedirs(args.artefacts, exist_ok=True)

    bound_whole_run(SUITE_SECONDS)

    checks = Checks()
    failed = 0
    # Beside the screenshots, so that a run killed outright leaves nothing in /tmp.
    scratch = os.path.join(os.path.abspath(args.artefacts), "install-scratch")
    shutil.rmtree(scratch, ignore_errors=True)
    os.mkdir(scratch)
    try:
        root = os.path.join(scratch, "root")
        run(["cmake", "--install", args.build, "--prefix", "/usr"],
            env=dict(os.environ, DESTDIR=root))
        check_layout(checks, root, args.version)
        start_from_launcher(checks, root, os.path.abspath(args.artefacts))
        if not args.skip_package:
            check_package(checks, args.build, scratch, files_under(root), args.version)
    except Exception as error:  # noqa: BLE001 - any failure is one failed check
        failed = 1
        print(f"FAIL {type(error).__name__}: {error}", flush=True)
    finally:
        signal.alarm(0)
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"{checks.passed} passed, {failed} failed")
    return failed


if __name__ == "__main__":
    sys.exit(main())
