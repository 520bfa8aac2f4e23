# SPDX-License-Identifier: GPL-3.0-or-later
"""What the tests over the accessibility bus share: the line log, the list of checks, a
picture folder for the game, the program's object in the accessibility tree, and a run in a
private X server."""

import argparse
import os
import tempfile

import xsession
from xsession import Session, Timeout, bound_whole_run, log


class Checks(xsession.Checks):
    """The checks of a run with its command-line arguments."""

    def __init__(self, args):
        super().__init__()
        self.args = args


def make_db(folder, words):
    """A picture folder with one plain picture for each word, each in its own colour."""
    from PIL import Image
    os.makedirs(folder, exist_ok=True)
    for i, word in enumerate(words):
        Image.new("RGB", (64, 64), (40 + 12 * i, 120, 200)).save(os.path.join(folder, word + ".png"))


def application(pyatspi, pid):
    """The accessible object of the program with this process id, or None."""
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        try:
            if child is not None and child.get_process_id() == pid:
                return child
        except Exception:
            continue
    return None


def walk(root, visit, deepest=12):
    """Calls visit(node) on root and, where it returns True, on the node's children, down to
    `deepest` levels. A node that does not answer (gone, or too busy) ends its branch."""
    def down(node, depth):
        if node is None or depth > deepest:
            return
        try:
            if visit(node):
                for i in range(node.childCount):
                    down(node.getChildAtIndex(i), depth + 1)
        except Exception:
            return
    down(root, 0)


def run_in_x(make_checks, words, seconds, body):
    """Parses --program and --artefacts, bounds the whole run to `seconds`, starts a private
    X server and calls body(checks, session, temp, db) with a picture folder of `words` in a
    temporary folder. Returns the exit code: 0 when every check held."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artefacts", required=True)
    args = parser.parse_args()
    os.makedirs(args.artefacts, exist_ok=True)
    bound_whole_run(seconds)
    run = make_checks(args)
    session = Session(1280, 1024, log=log)
    with tempfile.TemporaryDirectory() as temp:
        db = os.path.join(temp, "db")
        make_db(db, words)
        try:
            session.start_x()
            os.environ["DISPLAY"] = session.display
            body(run, session, temp, db)
        except Timeout as error:
            run.ok("the run ended in time", False, str(error))
        finally:
            session.close()
    log(f"{len(run.passed)} checks passed, {len(run.failed)} failed")
    return 1 if run.failed or not run.passed else 0
