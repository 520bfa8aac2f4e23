# SPDX-License-Identifier: GPL-3.0-or-later
"""What the installed tree and the package give an administrator: the handbook, the
machine-readable copyright, the changelog, the settings example (in /usr/share/knorzelbart;
the package's postinst makes the /etc file from it when missing, so there is no conffile),
the German manual page, the AppStream metadata, lintian without errors and without the tags
of a missing manual page or missing hardening, and no file a teacher's own folder could
collide with."""

import fnmatch
import gzip
import os
import re
import subprocess

SETTINGS = "etc/knorzelbart/einstellungen.conf"
EXAMPLE = "usr/share/knorzelbart/einstellungen.conf"
# lintian tags the package must not earn (the hardening ones are informational: -I).
FORBIDDEN_TAGS = ("no-manual-page", "hardening-no-bindnow", "hardening-no-fortify-functions",
                  "hardening-no-relro", "hardening-no-pie")


def check_teacher_documents(checks, root):
    doc = os.path.join(root, "usr", "share", "doc", "knorzelbart")
    with open(os.path.join(doc, "copyright"), encoding="utf-8") as f:
        copyright_text = f.read()
    if not copyright_text.startswith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"):
        raise AssertionError("copyright is not in the machine-readable format")
    for licence in ("License: GPL-3.0-or-later", "License: Apache-2.0"):
        if copyright_text.count(licence) < 2:  # used by a Files paragraph and given in full
            raise AssertionError(f"copyright lacks {licence!r}")
    # Every drawn picture the package installs falls under the pictures' licence.
    patterns = []
    for paragraph in copyright_text.split("\n\n"):
        files = re.match(r"Files:((?:.*\n?)(?: .*\n?)*)", paragraph)
        if files and "License: Apache-2.0" in paragraph:
            patterns += files.group(1).split()
    lib = os.path.join(root, "usr", "lib", "knorzelbart")
    pictures = [os.path.relpath(os.path.join(folder, name), root)
                for sub in ("bilder", "db", "sammlungen")
                for folder, _, names in os.walk(os.path.join(lib, sub)) for name in names]
    unlicensed = sorted(path for path in pictures
                        if not any(fnmatch.fnmatch(path, pattern) for pattern in patterns))
    if unlicensed:
        raise AssertionError(f"copyright names no licence for {unlicensed[:3]}")
    with gzip.open(os.path.join(doc, "changelog.gz"), "rt", encoding="utf-8") as f:
        first = f.readline()
    if not re.match(r"knorzelbart \(\d+\.\d+\.\d+\) \w+; urgency=\w+", first):
        raise AssertionError(f"changelog starts {first!r}")
    with open(os.path.join(doc, "Handbuch.html"), encoding="utf-8") as f:
        handbook = f.read()
    for part in ("<h1", "Installieren", "--pruefen", "--bogen", "einstellungen.conf",
                 "Exec=knorzelbart --db", "F11", "Was das Spiel speichert und sendet"):
        if part not in handbook:
            raise AssertionError(f"the handbook lacks {part!r}")
    if re.search(r"<(script|link)\b", handbook) or "http://" in handbook.replace(
            "http://www.apache.org", ""):
        raise AssertionError("the handbook should need nothing from elsewhere")
    # Its screenshots lie beside it, named without a folder.
    for picture in re.findall(r'<img\b[^>]*\bsrc="([^"]+)"', handbook):
        if "/" in picture or ":" in picture or not os.path.isfile(os.path.join(doc, picture)):
            raise AssertionError(f"the handbook's picture {picture!r} is not beside it")
    checks.ok("copyright (machine-readable, GPL-3.0-or-later and Apache-2.0 for every picture), "
              "changelog.gz and Handbuch.html in share/doc/knorzelbart")

    with open(os.path.join(root, EXAMPLE), encoding="utf-8") as f:
        settings = f.read()
    active = [line for line in settings.splitlines() if line.strip() and
              not line.lstrip().startswith("#")]
    if active:
        raise AssertionError(f"the settings example sets something: {active}")
    for key in ("#db =", "#vollbild =", "#sprache =", "#buchstabentasten =", "#gesperrt ="):
        if key not in settings:
            raise AssertionError(f"the settings example does not document {key}")
    checks.ok("the settings example in /usr/share/knorzelbart documents every key and sets none")

    with gzip.open(os.path.join(root, "usr/share/man/man6/knorzelbart.6.gz"), "rt",
                   encoding="utf-8") as f:
        page = f.read()
    for part in (".TH KNORZELBART 6", ".SH OPTIONEN", ".SH EINSTELLUNGEN", "\\-\\-db"):
        if part not in page:
            raise AssertionError(f"the manual page lacks {part!r}")
    checks.ok("the German manual page in share/man/man6")
    # The metadata with the desktop entry and icons it names, as a software centre reads them.
    result = subprocess.run(["appstreamcli", "validate-tree", "--pedantic", root],
                            capture_output=True, timeout=120)
    report = (result.stdout + result.stderr).decode(errors="replace")
    if result.returncode != 0 or not os.path.isfile(
            os.path.join(root, "usr/share/metainfo/org.example.knorzelbart.metainfo.xml")):
        raise AssertionError(f"appstreamcli validate-tree:\n{report}")
    checks.ok("the AppStream metadata in share/metainfo validates with the installed tree")


def check_package_for_administrators(checks, deb, scratch, contents):
    control = os.path.join(scratch, "control")
    subprocess.run(["dpkg-deb", "-e", deb, control], check=True, timeout=60)
    conffiles = os.path.join(control, "conffiles")
    if os.path.exists(conffiles) and open(conffiles, encoding="utf-8").read().split():
        raise AssertionError(f"conffiles {open(conffiles, encoding='utf-8').read().split()}: "
                             "an update would ask about them")
    for script in ("postinst", "postrm"):
        if not os.access(os.path.join(control, script), os.X_OK):
            raise AssertionError(f"the package has no executable {script}")
    # dpkg writes only the files a package lists, and postinst only the settings file when
    # it is missing; so a package with nothing but /usr cannot touch a teacher's folder,
    # whether it lies in /home, /srv or on a stick, on install, reinstall or update.
    outside = sorted(p for p in contents if not p.startswith("usr/"))
    if outside:
        raise AssertionError(f"the package writes outside /usr: {outside}")
    checks.ok("no conffile; the package's files all lie under /usr, the settings example in "
              "/usr/share/knorzelbart; postinst and postrm look after /etc")

    result = subprocess.run(["lintian", "-I", "--no-tag-display-limit", deb],
                            capture_output=True, timeout=300)
    report = (result.stdout + result.stderr).decode(errors="replace")
    errors = [line for line in report.splitlines() if line.startswith("E:")]
    if errors:
        raise AssertionError("lintian errors:\n" + "\n".join(errors))
    tags = [line for line in report.splitlines()
            if re.match(r"[EWI]: \S+: (" + "|".join(FORBIDDEN_TAGS) + r")\b", line)]
    if tags:
        raise AssertionError("lintian:\n" + "\n".join(tags))
    warnings = [line for line in report.splitlines() if line.startswith("W:")]
    checks.ok(f"lintian: no errors, a manual page, every hardening ({len(warnings)} warnings)")
