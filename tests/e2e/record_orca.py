#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a blind teacher hears in the recording window: the real screen reader Orca follows
the real window, with a virtual microphone (a PulseAudio null sink's monitor).

Run inside its own D-Bus session (dbus-run-session), as orca.py is. Checks, from Orca's log
and the accessibility tree:

- on opening, the window says which word is chosen and how many are recorded;
- the window is a window (not a "filler"), its picture is named by the word;
- while a take runs and a tone plays into the microphone, Orca says nothing of the level
  meter, and the start is not read into the take;
- the saved take is said, and the file is there.

Exit code 0 when every check held.
"""

import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from accessibility import application, run_in_x, walk  # noqa: E402
from orca import Run as OrcaRun  # noqa: E402
from pulse import Pulse  # noqa: E402
from xsession import log, wait_for  # noqa: E402

TITLE = "Wörter aufnehmen"


class Run(OrcaRun):
    def record(self, session, db, home, temp):
        self.start_bus(session, home, "record-orca-bus.log")
        pulse = Pulse(temp, sinks=("nul", "mic"))
        try:
            pulse.start_server()
            assert pulse.pactl("set-default-source", "mic.monitor").returncode == 0
            orca = self.start_orca(session, home)
            log("Orca speaks")
            mark = orca.mark()
            session.env["PULSE_SERVER"] = "unix:" + os.path.join(pulse.runtime, "pulse", "native")
            program = session.start([self.args.program, "--aufnehmen", db],
                                    log_path=os.path.join(self.args.artefacts, "record-orca-program.log"))
            window = wait_for("the recording window", lambda: session.visible_windows(TITLE), 60)[0]
            session.focus(window)
            self.hears(orca, "the chosen word is said on opening", mark,
                       lambda s: "ist gewählt" in s and "aufgenommen" in s)
            self.tree(program.pid)

            tone = os.path.join(temp, "ton.wav")
            session.run(["sox", "-n", "-r", "44100", "-c", "1", tone, "synth", "2.0", "sine", "440", "vol", "0.5"])
            time.sleep(1.0)
            mark = orca.mark()
            session.key("space")
            time.sleep(0.5)
            player = pulse.start(["paplay", "-d", "mic", tone])
            player.wait(30)
            time.sleep(1.0)
            during = orca.since(mark)
            log("heard during the take: " + " | ".join(during))
            self.ok("the level meter is not read", not any(re.search(r"\d+ ?(Prozent|%)", s) for s in during),
                    " | ".join(during))
            self.ok("the start is not read into the take", not any("läuft" in s for s in during),
                    " | ".join(during))
            mark = orca.mark()
            session.key("space")
            self.hears(orca, "the saved take is said", mark, lambda s: "gespeichert" in s, 60)
            self.ok("the take is written", os.path.exists(os.path.join(db, "Affe.ogg")), str(os.listdir(db)))
        finally:
            pulse.close()

    def tree(self, pid):
        import pyatspi
        app = wait_for("the program on the accessibility bus", lambda: application(pyatspi, pid), 60)
        roles, names = [], []

        def visit(node):
            roles.append(node.getRoleName())
            names.append(node.name or "")
            return True
        frame = app.getChildAtIndex(0)
        self.ok("the window is a window, not a filler", frame.getRoleName() in ("frame", "window", "dialog"),
                frame.getRoleName())
        walk(frame, visit)
        self.ok("the picture is named by the word", any(n == "Bild: Affe" for n in names),
                ", ".join(n for n in names if n))


def main():
    def body(run, session, temp, db):
        home = os.path.join(temp, "home")
        os.makedirs(home)
        run.record(session, db, home, temp)
    return run_in_x(Run, ["Affe", "Hund"], 400, body)


if __name__ == "__main__":
    sys.exit(main())
