# SPDX-License-Identifier: GPL-3.0-or-later
"""A private X server and the few X tools the end-to-end runs drive it with.

Everything started here is started in its own process group, dies with the Python process
that started it (parent-death signal) and is ended by Session.close(), which the runs call
in a finally block. Every wait polls with a deadline; nothing waits without one.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from machine import private_environment, school_folder_hidden

PR_SET_PDEATHSIG = 1


def _die_with_parent():
    # Runs in the child between fork and exec: if the test process goes away for any
    # reason (a crash, a kill by the test runner), the kernel ends the child as well.
    os.setsid()
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def log(text):
    """One line of the run's log, with the time of day."""
    print(f"[{time.strftime('%H:%M:%S')}] {text}", flush=True)


class Checks:
    """The checks of one run: each passes or fails with its name and a detail."""

    def __init__(self):
        self.passed, self.failed = [], []

    def ok(self, name, condition, detail=""):
        (self.passed if condition else self.failed).append(name)
        log(("PASS " if condition else "FAIL ") + name + (f" ({detail})" if detail else ""))


class Timeout(AssertionError):
    pass


def wait_for(what, probe, timeout, interval=0.15):
    """Calls probe() until it returns something truthy; returns that, or raises Timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout(f"gave up after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class Session:
    def __init__(self, width=1024, height=768, log=print):
        self.log = log
        self.processes = []
        self.display = None
        self.env = None
        self.home = None
        self.width, self.height = width, height

    # --- processes -------------------------------------------------------------------

    def start_x(self, timeout=15):
        """Starts Xvfb on a display number that it picks itself (the first free one)."""
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(write_end)
        self.processes.append(xvfb)
        number = b""
        deadline = time.monotonic() + timeout
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or xvfb.poll() is not None:
                    raise Timeout("Xvfb did not report its display number")
                ready, _, _ = select.select([read_end], [], [], left)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        raise Timeout("Xvfb closed its display pipe without a number")
                    number += chunk
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        # The program sees a UTF-8 locale, as on a desktop, whatever the runner has set.
        self.env = dict(os.environ, DISPLAY=self.display, LANG="C.UTF-8")
        self.env.pop("LC_ALL", None)
        for key in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"):
            self.env.pop(key, None)
        # Never the machine's own settings, record or caches: a school's settings on the test
        # machine must not change what a run plays. A test that wants settings names its own.
        self.home = tempfile.mkdtemp(prefix="knorzelbart-e2e-")
        private_environment(self.env, self.home)
        self.log(f"Xvfb on display {self.display}")
        return self.display

    def start(self, argv, cwd=None, log_path=None):
        """Starts a process in the session; the program itself never sees the school's
        settings folder of the machine."""
        out = open(log_path, "wb") if log_path else subprocess.DEVNULL
        preexec = _die_with_parent
        if "knorzelbart" in os.path.basename(argv[0]):
            def preexec():
                _die_with_parent()
                school_folder_hidden()
        process = subprocess.Popen(argv, cwd=cwd, env=self.env, stdin=subprocess.DEVNULL,
                                   stdout=out, stderr=subprocess.STDOUT, preexec_fn=preexec)
        if log_path:
            out.close()
        self.processes.append(process)
        return process

    def close(self):
        """Ends every process this session started, the last started first."""
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    try:
                        os.killpg(process.pid, signal.SIGKILL)
                    except ProcessLookupError:
                        pass
                    process.wait(timeout=5)
        self.processes.clear()
        if getattr(self, "home", None):
            shutil.rmtree(self.home, ignore_errors=True)
            self.home = None

    # --- X tools ---------------------------------------------------------------------

    def run(self, argv, timeout=10, check=True, binary=False):
        result = subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise AssertionError(f"{argv[0]} failed ({result.returncode}): "
                                 f"{result.stderr.decode(errors='replace').strip()}")
        return result.stdout if binary else result.stdout.decode(errors="replace")

    def visible_windows(self, name_regex):
        """Ids of the mapped windows whose title matches the (POSIX extended) regex."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name_regex],
                                env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=10)
        return [int(line) for line in result.stdout.split()]

    def visible_windows_of(self, pid):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                                env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=10)
        return [int(line) for line in result.stdout.split()]

    def window_titled(self, pid, title, timeout=20):
        """The one visible window of process pid titled exactly `title`, once it is there, and
        half a second later: time for it to take the keyboard."""
        def probe():
            found = [w for w in self.visible_windows_of(pid) if self.title(w) == title]
            return found[0] if len(found) == 1 else None
        try:
            window = wait_for(f"a window titled exactly {title!r}", probe, timeout)
        except Timeout:
            titles = [self.title(w) for w in self.visible_windows_of(pid)]
            raise Timeout(f"no window titled exactly {title!r}; the program shows {titles}") from None
        time.sleep(0.5)
        return window

    def no_window_titled(self, pid, title, timeout=10):
        """Waits until process pid shows no window titled exactly `title`."""
        wait_for(f"no window titled {title!r}",
                 lambda: not [w for w in self.visible_windows_of(pid) if self.title(w) == title], timeout)

    def title(self, window):
        return self.run(["xdotool", "getwindowname", str(window)], check=False).strip()

    def geometry(self, window):
        """(x, y, width, height) of a window in root coordinates."""
        values = {}
        for line in self.run(["xdotool", "getwindowgeometry", "--shell", str(window)]).split():
            key, _, value = line.partition("=")
            values[key] = int(value)
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def tree(self):
        return self.run(["xwininfo", "-root", "-tree"], check=False)

    def focus(self, window):
        self.run(["xdotool", "windowfocus", "--sync", str(window)], timeout=10)

    def type(self, text, delay_ms=40):
        self.run(["xdotool", "type", "--delay", str(delay_ms), "--", text], timeout=30)

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "40", *keys])

    def click(self, window, x, y):
        """A left click at (x, y) inside the window's client area."""
        self.run(["xdotool", "mousemove", "--window", str(window), str(x), str(y),
                  "click", "1"])

    def capture(self, window):
        """The window's pixels as (width, height, bytes of RGB triples)."""
        _, _, width, height = self.geometry(window)
        data = self.run(["import", "-silent", "-window", str(window), "-depth", "8", "rgb:-"],
                        binary=True, timeout=15)
        if len(data) != width * height * 3:
            raise AssertionError(f"capture of window {window}: {len(data)} bytes for "
                                 f"{width}x{height}")
        return width, height, data

    def screenshot(self, path, window=None, region=None):
        """Saves a PNG of a window, or of a region (x, y, w, h) of the whole screen."""
        if window is not None:
            argv = ["import", "-silent", "-window", str(window), path]
        else:
            x, y, w, h = region
            argv = ["import", "-silent", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}",
                    "+repage", path]
        self.run(argv, timeout=15)
        return path


def run_steps(passed, steps, close):
    """Runs the steps in turn until one fails, then close(); returns the exit code, 0 when
    every step held. `passed` is the list of the checks that held, for the last line."""
    try:
        for step in steps:
            step()
    except (AssertionError, Timeout, subprocess.TimeoutExpired) as e:
        log(f"FAIL: {e}")
        return 1
    finally:
        close()
    log(f"all {len(passed)} checks passed: {', '.join(passed)}")
    return 0


def bound_whole_run(seconds):
    """Ends the run with Timeout after `seconds`, and cleanly on SIGTERM (CTest's timeout)."""
    def out_of_time(signum, frame):
        raise Timeout(f"the whole run took longer than {seconds} s")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.signal(signal.SIGTERM, lambda s, f: sys.exit("terminated"))
    signal.alarm(seconds)
