# SPDX-License-Identifier: GPL-3.0-or-later
"""Installing and updating the Debian package the way a school's computers do it: dpkg into a
root of its own (so the machine's own /usr is not touched), with no terminal and no answer
ready for a question (standard input is /dev/null, no --force-conf* option), as an
unattended `apt-get upgrade` runs it.

The updates are made from the package just built: a package as it was before (version
1.0.8, the settings example a conffile in /etc, no maintainer scripts) and a later one whose
settings example has changed. An administrator's edit of /etc/knorzelbart/einstellungen.conf
must survive both updates, and neither may stop on a question."""

import hashlib
import os
import shutil
import subprocess

SETTINGS = "etc/knorzelbart/einstellungen.conf"
EXAMPLE = "usr/share/knorzelbart/einstellungen.conf"
ADMIN_LINE = "\nvollbild = ja   # von der Administratorin eingestellt\n"
NEW_EXAMPLE_LINE = "\n# Ein Hinweis, den erst die nächste Version mitbringt.\n"


def new_root(scratch, name):
    root = os.path.join(scratch, name)
    for sub in ("var/lib/dpkg/info", "var/lib/dpkg/updates"):
        os.makedirs(os.path.join(root, sub))
    open(os.path.join(root, "var/lib/dpkg/status"), "w").close()
    return root


def dpkg(root, *args):
    """dpkg in `root` as an unattended update runs it: maintainer scripts run without a chroot
    (they take the root from DPKG_ROOT), standard input is empty. Returns (code, output)."""
    argv = ["dpkg", f"--root={root}", "--force-depends", "--force-script-chrootless",
            "--log=/dev/null"] + list(args)
    result = subprocess.run(argv, stdin=subprocess.DEVNULL, capture_output=True, timeout=180,
                            env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    return result.returncode, (result.stdout + result.stderr).decode(errors="replace")


def must(root, *args):
    code, output = dpkg(root, *args)
    if code != 0:
        raise AssertionError(f"dpkg {' '.join(args)} ended with {code}:\n{output}")
    return output


def status(root, package="knorzelbart"):
    result = subprocess.run(["dpkg-query", f"--admindir={root}/var/lib/dpkg", "-W",
                             "-f=${Status} ${Version}", package],
                            capture_output=True, timeout=60)
    return result.stdout.decode(errors="replace")


def read(root, path):
    with open(os.path.join(root, path), encoding="utf-8") as f:
        return f.read()


def repack(deb, scratch, name, version, change):
    """The package `deb` unpacked, changed by `change(tree)`, given `version` and packed
    again (uncompressed: it only has to be installed here)."""
    tree = os.path.join(scratch, name)
    subprocess.run(["dpkg-deb", "-R", deb, tree], check=True, timeout=120)
    change(tree)
    control = os.path.join(tree, "DEBIAN", "control")
    lines = [f"Version: {version}" if line.startswith("Version:") else line
             for line in read(tree, "DEBIAN/control").splitlines()]
    with open(control, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    with open(os.path.join(tree, "DEBIAN", "md5sums"), "w", encoding="utf-8") as f:
        for folder, _, names in sorted(os.walk(tree)):
            if os.path.relpath(folder, tree).split(os.sep)[0] in ("DEBIAN", "etc"):
                continue
            for file_name in sorted(names):
                path = os.path.join(folder, file_name)
                if os.path.isfile(path) and not os.path.islink(path):
                    with open(path, "rb") as data:
                        digest = hashlib.md5(data.read()).hexdigest()
                    f.write(f"{digest}  {os.path.relpath(path, tree)}\n")
    out = os.path.join(scratch, f"{name}.deb")
    subprocess.run(["dpkg-deb", "-Znone", "--root-owner-group", "-b", tree, out], check=True,
                   capture_output=True, timeout=180)
    shutil.rmtree(tree)
    return out


def as_conffile(tree):
    """The layout before: the example is the conffile in /etc, no maintainer scripts."""
    os.makedirs(os.path.join(tree, "etc", "knorzelbart"))
    shutil.move(os.path.join(tree, EXAMPLE), os.path.join(tree, SETTINGS))
    with open(os.path.join(tree, "DEBIAN", "conffiles"), "w", encoding="utf-8") as f:
        f.write("/" + SETTINGS + "\n")
    for script in ("postinst", "postrm"):
        os.remove(os.path.join(tree, "DEBIAN", script))


def with_new_example(tree):
    with open(os.path.join(tree, EXAMPLE), "a", encoding="utf-8") as f:
        f.write(NEW_EXAMPLE_LINE)


def with_new_conffile(tree):
    as_conffile(tree)
    with open(os.path.join(tree, SETTINGS), "a", encoding="utf-8") as f:
        f.write(NEW_EXAMPLE_LINE)


def edit_settings(root):
    with open(os.path.join(root, SETTINGS), "a", encoding="utf-8") as f:
        f.write(ADMIN_LINE)
    return read(root, SETTINGS)


def check_upgrades_never_ask(checks, deb, scratch, version):
    before = repack(deb, scratch, "before", "1.0.8", as_conffile)
    later = repack(deb, scratch, "later", f"{version}.1", with_new_example)

    # The test itself: the old way (a changed conffile over an edited one) does stop here,
    # so a run that passes below really met no question.
    asked = new_root(scratch, "asked")
    must(asked, "-i", before)
    edit_settings(asked)
    code, output = dpkg(asked, "-i", repack(deb, scratch, "asking", f"{version}.1",
                                            with_new_conffile))
    if code == 0 or "conffile prompt" not in output:
        raise AssertionError(f"a changed conffile did not stop dpkg without a terminal ({code}):"
                             f"\n{output}")
    shutil.rmtree(asked)

    root = new_root(scratch, "upgraded")
    must(root, "-i", before)
    edited = edit_settings(root)
    must(root, "-i", deb)
    if read(root, SETTINGS) != edited:
        raise AssertionError("the update to this version changed the administrator's settings")
    if not status(root).startswith(f"install ok installed {version}"):
        raise AssertionError(f"after the update: {status(root)}")
    must(root, "-i", later)
    if read(root, SETTINGS) != edited:
        raise AssertionError("the next update changed the administrator's settings")
    if NEW_EXAMPLE_LINE not in read(root, EXAMPLE):
        raise AssertionError("the next update did not bring its settings example")
    if not status(root).startswith(f"install ok installed {version}.1"):
        raise AssertionError(f"after the next update: {status(root)}")
    checks.ok(f"unattended updates 1.0.8 → {version} → {version}.1 (changed example) over an "
              "edited /etc/knorzelbart/einstellungen.conf: no question, the edit kept, "
              "the package configured (a conffile would have stopped the same update)")

    # A computer that never had the package gets the settings file from the example; the
    # package taken away keeps it, purged takes it.
    fresh = new_root(scratch, "fresh")
    must(fresh, "-i", deb)
    if read(fresh, SETTINGS) != read(fresh, EXAMPLE):
        raise AssertionError("a first install did not make the settings file from the example")
    edited = edit_settings(fresh)
    must(fresh, "-i", later)
    if read(fresh, SETTINGS) != edited:
        raise AssertionError("an update replaced the settings file it had made")
    must(fresh, "-r", "knorzelbart")
    if read(fresh, SETTINGS) != edited:
        raise AssertionError("removing the package took the settings file")
    must(fresh, "-P", "knorzelbart")
    if os.path.exists(os.path.join(fresh, SETTINGS)):
        raise AssertionError("purging the package left the settings file")
    checks.ok("a first install makes /etc/knorzelbart/einstellungen.conf from the example, an "
              "update keeps it, removing keeps it, purging takes it")
    for path in (root, fresh, before, later):
        shutil.rmtree(path, ignore_errors=True) if os.path.isdir(path) else os.remove(path)
