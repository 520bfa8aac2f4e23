# SPDX-License-Identifier: GPL-3.0-or-later
"""A private PulseAudio server with null sinks, for the runs that listen to the program.

The server lives in its own runtime folder (XDG_RUNTIME_DIR), so neither the machine's own
sound server nor another run in parallel is touched; "nul" is the default output, and
parec records its monitor. Everything started here dies with the script and is ended by
close(), which the runs call in a finally block.
"""

import array
import os
import shutil
import signal
import subprocess
import tempfile
import time
from contextlib import contextmanager

from xsession import _die_with_parent, wait_for


def read_raw(path):
    """The samples of a raw recording, mono 16 bit."""
    samples = array.array("h")
    with open(path, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 2 * 2])
    return samples


class Pulse:
    def __init__(self, scratch, sinks=("nul",)):
        self.scratch = scratch
        self.sinks = sinks
        self.processes = []
        self.server = None
        self.runtime = tempfile.mkdtemp(prefix="kb-pulse-")  # short: a socket path lives here
        os.chmod(self.runtime, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, LANG="C.UTF-8")
        self.env.pop("PULSE_SERVER", None)

    def start(self, command, **kwargs):
        process = subprocess.Popen(command, env=self.env, preexec_fn=_die_with_parent, **kwargs)
        self.processes.append(process)
        return process

    def pactl(self, *args):
        return subprocess.run(["pactl", *args], env=self.env, capture_output=True, text=True, timeout=10)

    def start_server(self):
        """Starts the server with one null sink per name, the first the default output; its
        log is pulse.log in the scratch folder."""
        sinks = [f"--load=module-null-sink sink_name={name}" for name in self.sinks]
        self.server = self.start(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--log-target=stderr",
             "--load=module-native-protocol-unix", *sinks],
            stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.scratch, "pulse.log"), "w"))
        wait_for("the PulseAudio server", lambda: self.pactl("info").returncode == 0, 15)
        assert self.pactl("set-default-sink", self.sinks[0]).returncode == 0

    @contextmanager
    def recording(self, raw, rate, after=0.3):
        """Records the monitor of "nul" into the raw file (mono 16 bit at rate) while the
        block runs and for `after` seconds more."""
        with open(raw, "wb") as out:
            parec = self.start(["parec", "-d", "nul.monitor", "--format=s16le", f"--rate={rate}",
                                "--channels=1", "--latency-msec=20"], stdout=out)
            wait_for("parec to record", lambda: os.path.getsize(raw) > 0, 10, 0.05)
            yield
            time.sleep(after)
            parec.terminate()
            parec.wait(5)

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.kill(process.pid, signal.SIGCONT)  # a stopped server would not hear the end
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)
