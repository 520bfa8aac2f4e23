#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""One copy of the game per user and display, with the real program: a second start ends at
once while the first plays on; a second start with other words says so on standard error,
and in a message box when it has no terminal (started from the desktop, in a private X
server); after the first was killed with SIGKILL a new start plays, and is then itself the
copy a further start finds. The copies find each other by a name in Linux's abstract socket
namespace: no file is made, in the temporary folder or in the home folder.

Closing line: "N passed, N failed".
"""

import argparse
import os
import pty
import signal
import socket
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from machine import school_folder_hidden  # noqa: E402
from xsession import Session, wait_for  # noqa: E402

OTHER_WORDS = "Das Spiel läuft schon, mit seinen eigenen Wörtern aus dem Ordner"


def answers(name):
    """Whether a copy listens under the name (abstract namespace: a leading zero byte)."""
    try:
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
            s.settimeout(5)
            s.connect("\0" + name)
            return s.recv(64).startswith(b"knorzelbart\n")
    except OSError:
        return False


def all_files(folder):
    found = []
    for top, dirs, files in os.walk(folder):
        found += [os.path.relpath(os.path.join(top, f), folder) for f in files + dirs]
    return sorted(found)


class Run:
    def __init__(self, program):
        self.program = program
        self.started = []
        self.passed = self.failed = 0
        self.scratch = tempfile.mkdtemp(prefix="knorzelbart-zweiter-start-")
        self.tmp = os.path.join(self.scratch, "tmp")
        self.home = os.path.join(self.scratch, "home")
        self.words = os.path.join(self.scratch, "Wörter Klasse 1b")
        # The session's runtime folder, as every desktop sets it (without it the toolkit
        # makes one in the temporary folder).
        self.runtime = os.path.join(self.scratch, "runtime")
        for folder in (self.tmp, self.home, self.words, self.runtime):
            os.makedirs(folder, mode=0o700)
        self.display = f"test{os.getpid()}"
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen", DISPLAY=f":{self.display}",
                        KNORZELBART_EINSTELLUNGEN="/nonexistent",
                        KNORZELBART_BENUTZER_EINSTELLUNGEN="/nonexistent", LANG="C.UTF-8",
                        TMPDIR=self.tmp, HOME=self.home, XDG_RUNTIME_DIR=self.runtime)
        for key in ("WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"):
            self.env.pop(key, None)
        self.name = f"knorzelbart-{os.getuid()}-_{self.display}"

    def start(self, *options, env=None, terminal=False, capture=False):
        """Starts the program; with `capture` its standard error is read back. With
        `terminal` its standard input is a terminal, as when a teacher types the command."""
        stdin, keep = subprocess.DEVNULL, None
        if terminal:
            keep, stdin = pty.openpty()
        p = subprocess.Popen([self.program, *options], env=env or self.env, stdin=stdin,
                             preexec_fn=school_folder_hidden, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE if capture else subprocess.DEVNULL)
        if terminal:
            os.close(stdin)
            p.terminal = keep
        self.started.append(p)
        return p

    def check(self, text, step):
        try:
            step()
            print(f"PASS {text}", flush=True)
            self.passed += 1
        except Exception as error:  # noqa: BLE001 - any failure is one failed check
            print(f"FAIL {text}: {type(error).__name__}: {error}", flush=True)
            self.failed += 1

    def end_all(self):
        for p in self.started:
            if p.poll() is None:
                p.kill()
                p.wait()
            if hasattr(p, "terminal"):
                os.close(p.terminal)
        self.started.clear()

    # --- the checks ------------------------------------------------------------------

    def second_start_ends(self):
        self.first = self.start()
        wait_for("the first copy", lambda: answers(self.name), 20)
        second = self.start(terminal=True, capture=True)
        began = time.monotonic()
        code = second.wait(timeout=10)
        took = time.monotonic() - began
        err = second.stderr.read().decode()
        if code != 0 or self.first.poll() is not None:
            raise AssertionError(f"second start ended {code}, first copy {self.first.poll()}")
        if OTHER_WORDS in err:
            raise AssertionError(f"the same words, yet: {err!r}")
        print(f"  the second start ended after {took:.2f} s")

    def other_words_on_stderr(self):
        second = self.start("--db", self.words, terminal=True, capture=True)
        code = second.wait(timeout=10)
        err = second.stderr.read().decode()
        if code != 0 or self.first.poll() is not None:
            raise AssertionError(f"second start ended {code}, first copy {self.first.poll()}")
        db = os.path.join(os.path.dirname(os.path.realpath(self.program)), "db")
        if OTHER_WORDS not in err or db not in err or self.words not in err:
            raise AssertionError(f"standard error: {err!r}")
        print(f"  {err.strip()}")

    def killed_copy_leaves_nothing(self):
        self.first.send_signal(signal.SIGKILL)
        self.first.wait(timeout=10)
        if answers(self.name):
            raise AssertionError("the name still answers after the copy was killed")
        third = self.start()
        wait_for("the new copy", lambda: answers(self.name) or third.poll() is not None, 20)
        if third.poll() is not None:
            raise AssertionError(f"the start after the crash ended ({third.returncode})")
        fourth = self.start()
        code = fourth.wait(timeout=10)
        if code != 0 or third.poll() is not None:
            raise AssertionError(f"after the crash: a further start ended {code}, "
                                 f"the new copy {third.poll()}")

    def no_file_made(self):
        self.end_all()
        left = {"TMPDIR": all_files(self.tmp), "HOME": all_files(self.home)}
        stray = [f for f in os.listdir("/tmp") if f.startswith(self.name)]
        if left["TMPDIR"] or stray:
            raise AssertionError(f"files left: {left}, in /tmp: {stray}")
        # What the desktop's libraries keep for themselves (font caches, say) may appear in
        # the home folder; nothing of the game's own.
        own = [f for f in left["HOME"] if "knorzelbart" in f.lower()]
        if own:
            raise AssertionError(f"the game wrote into the home folder: {own}")
        print(f"  home folder afterwards: {left['HOME'] or 'empty'}")

    def message_box_from_desktop(self):
        session = Session(log=lambda text: print(f"  {text}"))
        try:
            session.start_x()
            env = dict(session.env, KNORZELBART_EINSTELLUNGEN="/nonexistent",
                       KNORZELBART_BENUTZER_EINSTELLUNGEN="/nonexistent", TMPDIR=self.tmp,
                       HOME=self.home, XDG_RUNTIME_DIR=self.runtime)
            # The name carries the display's canonical number: ":1" and ":1.0" are one display.
            name = f"knorzelbart-{os.getuid()}-x{int(session.display.lstrip(':').split('.')[0])}"
            first = self.start(env=env)
            wait_for("the first copy", lambda: answers(name), 30)
            second = self.start("--db", self.words, env=env, capture=True)
            wait_for("the message box of the second start",
                     lambda: session.visible_windows_of(second.pid) or second.poll() is not None, 30)
            if second.poll() is not None:
                raise AssertionError(f"the second start ended ({second.returncode}) without a box")
            box = session.visible_windows_of(second.pid)[0]
            session.focus(box)
            session.key("Return")
            code = second.wait(timeout=20)
            err = second.stderr.read().decode()
            if code != 0 or first.poll() is not None or OTHER_WORDS not in err:
                raise AssertionError(f"second start ended {code}, first {first.poll()}: {err!r}")
        finally:
            self.end_all()
            session.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    args = parser.parse_args()
    run = Run(args.program)
    try:
        run.check("a second start ends at once (status 0); the first plays on", run.second_start_ends)
        run.check("a second start with other words says so on standard error",
                  run.other_words_on_stderr)
        run.check("after SIGKILL the name is free: a new start plays and is the copy a further "
                  "start finds", run.killed_copy_leaves_nothing)
        run.check("no file is made in the temporary folder, none of the game's in the home folder",
                  run.no_file_made)
        run.check("started from the desktop with other words, a message box says so",
                  run.message_box_from_desktop)
    finally:
        run.end_all()
        subprocess.run(["rm", "-rf", run.scratch], check=False)
    print(f"{run.passed} passed, {run.failed} failed")
    return 1 if run.failed else 0


if __name__ == "__main__":
    sys.exit(main())
