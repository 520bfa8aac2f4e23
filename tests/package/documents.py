#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the package says about the program: the German manual page describes every option
of `knorzelbart --hilfe` (and only options the program takes) and every key of the settings
example, and renders without
warnings; the AppStream metadata validates with every address looked up, names no host
that does not exist, has a German and an English summary and a content rating; the package
description names the teacher's folder, not the shipped one; the handbook's pictures lie
beside it and its links resolve.

Closing line: "N passed, N failed".
"""

import argparse
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"
OPTION = re.compile(r"(?<![\w-])--?[a-zäöüß][a-zäöüß-]*")


def run(argv, **kwargs):
    result = subprocess.run(argv, capture_output=True, text=True, timeout=60, **kwargs)
    return result.returncode, result.stdout + result.stderr


def sections(page):
    """The manual page's sections by their heading, as roff source."""
    found, name = {}, None
    for line in page.splitlines():
        if line.startswith(".SH "):
            name = line[4:].strip().strip('"')
            found[name] = []
        elif name:
            found[name].append(line)
    return {k: "\n".join(v) for k, v in found.items()}


def plain(roff):
    """Roff source as text: font changes gone, escaped dashes as dashes."""
    text = re.sub(r"\\f[BIRP]", "", roff).replace("\\-", "-")
    return re.sub(r"^\.(B|I|BR|BI|RB|IR|RI|TP|PP|br)\b ?", "", text, flags=re.M).replace('"', "")


def check_manual_page(checks, program, manpage, version):
    with open(manpage, encoding="utf-8") as f:
        page = f.read()
    parts = sections(page)
    for heading in ("BEZEICHNUNG", "ÜBERSICHT", "BESCHREIBUNG", "OPTIONEN", "EINSTELLUNGEN",
                    "DATEIEN"):
        if heading not in parts:
            raise AssertionError(f"the manual page has no section {heading}")
    th = re.search(r'^\.TH KNORZELBART 6 "[^"]+" "knorzelbart ([^"]+)"', page, re.M)
    if not th or th.group(1) != version:
        raise AssertionError(f"the manual page's title line does not name version {version}")

    code, help_text = run([program, "--hilfe"], env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    if code != 0:
        raise AssertionError(f"--hilfe ended with {code}: {help_text}")
    # The options are the first column of the help's indented lines.
    help_options = set()
    for line in help_text.splitlines():
        if line.startswith("  -"):
            help_options |= set(OPTION.findall(re.split(r"\s{2,}", line.strip())[0]))
    # Every option the page names, with the value it shows, is one the program takes.
    # A MODUS is the first value its description names in bold.
    page_options = set()
    for term, body in re.findall(r"^\.TP\n(.*)\n((?:(?!\.TP).*\n?)*)", parts["OPTIONEN"], re.M):
        first_value = re.search(r"\\fB(\w+)\\fP", body)
        sample = {"MODUS": first_value.group(1) if first_value else "?", "ORDNER": ROOT,
                  "DATEI.html": os.path.join(ROOT, "bogen.html")}
        for alternative in plain(term).strip().split(", "):
            words = alternative.split()
            page_options.add(words[0])
            argv = ([program] + [sample.get(w, w) for w in words if not w.startswith("[")] +
                    ["--hilfe"])
            code, output = run(argv, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            if code != 0:
                raise AssertionError(f"the manual page shows {alternative!r}, the program says "
                                     f"({code}): {output}")
    missing = help_options - page_options
    if not help_options or missing:
        raise AssertionError(f"options of --hilfe not in the manual page: {sorted(missing)}")
    checks.ok(f"the manual page describes the {len(help_options)} options of --hilfe, and the "
              f"program takes all {len(page_options)} it shows")

    with open(os.path.join(ROOT, "packaging", "einstellungen.conf"), encoding="utf-8") as f:
        keys = re.findall(r"^#(\w+) =", f.read(), re.M)
    described = re.findall(r"^\.TP\n\.B (\w+)$", parts["EINSTELLUNGEN"], re.M)
    if not keys or sorted(keys) != sorted(described):
        raise AssertionError(f"settings example {keys}, manual page {described}")
    checks.ok(f"the manual page describes every key of the settings example: {', '.join(keys)}")

    # groff reports its warnings on standard error; the page itself goes nowhere.
    code, warnings = run(["sh", "-c", f"man --warnings -E UTF-8 -l -Tutf8 -Z '{manpage}' >/dev/null"],
                         env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"))
    if code != 0 or warnings.strip():
        raise AssertionError(f"man --warnings: {warnings}")
    code, whatis = run(["lexgrog", manpage])
    if code != 0 or "knorzelbart - Rechtschreibspiel" not in whatis:
        raise AssertionError(f"lexgrog: {whatis}")
    checks.ok("the manual page renders without warnings and has its one-line description")


def check_metainfo(checks, metainfo, version):
    # Not told to stay off the net: an address the file named would be looked up, and one
    # that does not exist fails the validation.
    code, report = run(["appstreamcli", "validate", "--pedantic", metainfo])
    if code != 0:
        raise AssertionError(f"appstreamcli validate:\n{report}")
    component = ET.parse(metainfo).getroot()
    summaries = {s.get(XML_LANG, "en"): s.text for s in component.findall("summary")}
    if set(summaries) != {"en", "de"}:
        raise AssertionError(f"summaries {summaries}")
    if not all("school" in summaries["en"] or "Schul" in text for text in summaries.values()):
        raise AssertionError(f"summaries {summaries}")
    for lang in ("en", "de"):
        paragraphs = [p for p in component.find("description").findall("p")
                      if p.get(XML_LANG, "en") == lang]
        if not paragraphs:
            raise AssertionError(f"no description in {lang}")
    rating = component.find("content_rating")
    if rating is None or rating.get("type") != "oars-1.1" or len(rating):
        raise AssertionError("the content rating must be OARS 1.1 with nothing to rate")
    releases = [r.get("version") for r in component.find("releases")]
    if releases[:1] != [version]:
        raise AssertionError(f"releases {releases}, the project is {version}")
    desktop = component.find("launchable").text
    if not os.path.isfile(os.path.join(ROOT, "packaging", desktop)):
        raise AssertionError(f"the launchable {desktop} is not the desktop entry")
    checks.ok("AppStream metadata valid (appstreamcli --pedantic): German and English summary "
              "and description, OARS content rating, the launchable desktop entry, "
              f"release {version}")

    with open(metainfo, encoding="utf-8") as f:
        addresses = re.findall(r"\b(?:https?|ftp)://[^\s<\"']+", f.read())
    made_up = [a for a in addresses if re.match(r"\w+://([\w.-]*\.)?example\.(org|com|net)\b", a)]
    if made_up or component.find("screenshots") is not None or component.find("url") is not None:
        raise AssertionError(f"the metadata points to pages that do not exist: {made_up or addresses}")
    checks.ok("the metadata names no page the project does not have (no example.org, no "
              "homepage or screenshot address)")


def check_description(checks, cpack_config):
    with open(cpack_config, encoding="utf-8") as f:
        config = f.read()
    match = re.search(r'set\(CPACK_PACKAGE_DESCRIPTION "(.*?)"\)', config, re.S)
    description = match.group(1) if match else ""
    for needed in ("--db", "einstellungen.conf", "--pruefen", "Handbuch.html"):
        if needed not in description:
            raise AssertionError(f"the package description lacks {needed!r}:\n{description}")
    if "/usr/lib/knorzelbart/db" in description:
        raise AssertionError("the package description calls the shipped folder the vocabulary")
    checks.ok("the package description names the teacher's folder, --db, the settings, "
              "--pruefen and the handbook")


def check_handbook(checks, handbook):
    with open(handbook, encoding="utf-8") as f:
        text = f.read()
    pictures = re.findall(r"!\[[^\]]*\]\(([^)]+)\)", text)
    missing = [p for p in pictures
               if "/" in p or not os.path.isfile(os.path.join(os.path.dirname(handbook), p))]
    if missing:
        raise AssertionError(f"the handbook names pictures that do not lie beside it: {missing}")
    anchors = set(re.findall(r"\]\(#([^)]+)\)", text))
    headings = set()
    for heading in re.findall(r"^#+ (.+)$", text, re.M):
        slug = heading.lower().translate(str.maketrans({"ä": "a", "ö": "o", "ü": "u", "ß": ""}))
        headings.add(re.sub(r"\s+", "-", re.sub(r"[^\w\s-]", "", slug).strip()))
    if anchors - headings:
        raise AssertionError(f"the handbook links to sections it does not have: {anchors - headings}")
    checks.ok(f"the handbook's {len(pictures)} pictures lie beside it and its links resolve")


class Checks:
    def __init__(self):
        self.passed = 0

    def ok(self, text):
        self.passed += 1
        print(f"PASS {text}", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--build", required=True, help="the configured build tree")
    parser.add_argument("--version", required=True)
    args = parser.parse_args()
    packaging = os.path.join(args.build, "packaging")
    checks, failed = Checks(), 0
    for check, argv in (
            (check_manual_page, (args.program, os.path.join(packaging, "knorzelbart.6"),
                                 args.version)),
            (check_metainfo, (os.path.join(packaging, "org.example.knorzelbart.metainfo.xml"),
                              args.version)),
            (check_description, (os.path.join(args.build, "CPackConfig.cmake"),)),
            (check_handbook, (os.path.join(ROOT, "docs", "handbuch", "Handbuch.md"),))):
        try:
            check(checks, *argv)
        except Exception as error:  # noqa: BLE001 - each failure is one failed check
            failed += 1
            print(f"FAIL {check.__name__}: {type(error).__name__}: {error}", flush=True)
    print(f"{checks.passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
