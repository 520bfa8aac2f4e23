#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""One copy of the game per user and display, with the real program (offscreen, no X
server needed): a second start ends at once while the first plays on; after the first was
killed with SIGKILL a new start plays, and is then itself the copy a further start finds.

Closing line: "N passed, N failed".
"""

import argparse
import os
import signal
import socket
import subprocess
import sys
import time


def wait_for(what, probe, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if probe():
            return
        time.sleep(0.05)
    raise AssertionError(f"waited {seconds} s for {what}")


def answers(path):
    try:
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
            s.connect(path)
        return True
    except OSError:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    args = parser.parse_args()
    display = f"test{os.getpid()}"
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", DISPLAY=f":{display}",
               KNORZELBART_EINSTELLUNGEN="/nonexistent",
               KNORZELBART_BENUTZER_EINSTELLUNGEN="/nonexistent", LANG="C.UTF-8")
    env.pop("WAYLAND_DISPLAY", None)
    tmp = env.get("TMPDIR", "/tmp")
    path = os.path.join(tmp, f"knorzelbart-{os.getuid()}-_{display}")
    started = []

    def start():
        p = subprocess.Popen([args.program], env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        started.append(p)
        return p

    passed = failed = 0
    try:
        first = start()
        wait_for("the first copy's socket", lambda: answers(path), 20)
        second = start()
        began = time.monotonic()
        code = second.wait(timeout=10)
        took = time.monotonic() - began
        if code != 0 or first.poll() is not None:
            raise AssertionError(f"second start ended {code}, first copy {first.poll()}")
        print(f"PASS a second start ends at once ({took:.2f} s, status 0); the first plays on")
        passed += 1

        first.send_signal(signal.SIGKILL)
        first.wait(timeout=10)
        if not os.path.exists(path) or answers(path):
            raise AssertionError("the killed copy should have left a dead socket behind")
        third = start()
        wait_for("the new copy's socket", lambda: answers(path) or third.poll() is not None, 20)
        time.sleep(1.0)
        if third.poll() is not None:
            raise AssertionError(f"the start after the crash ended ({third.returncode})")
        fourth = start()
        code = fourth.wait(timeout=10)
        if code != 0 or third.poll() is not None:
            raise AssertionError(f"after the crash: a further start ended {code}, "
                                 f"the new copy {third.poll()}")
        print("PASS after SIGKILL a new start plays and is the copy a further start finds")
        passed += 1
    except Exception as error:  # noqa: BLE001 - any failure is one failed check
        failed = 1
        print(f"FAIL {type(error).__name__}: {error}", flush=True)
    finally:
        for p in started:
            if p.poll() is None:
                p.kill()
                p.wait()
        if os.path.exists(path):
            os.remove(path)
    print(f"{passed} passed, {failed} failed")
    return failed


if __name__ == "__main__":
    sys.exit(main())
