# SPDX-License-Identifier: GPL-3.0-or-later
"""What of the test machine a run keeps away from the program: its settings files, the
learning record and caches in the home folder, and the school's settings folder.

The runs must play the same on a school's computer as anywhere: a settings file there (a
locked word folder, say) must never change what a run plays or checks.
"""

import atexit
import ctypes
import os
import tempfile

# The school's folder: its file locks settings for every user whatever the environment
# names, so the program started by a run sees an empty folder in its place.
SCHOOL_FOLDER = "/etc/knorzelbart"

_CLONE_NEWNS = 0x00020000
_CLONE_NEWUSER = 0x10000000
_MS_BIND = 4096
_MS_REC = 16384
_MS_PRIVATE = 1 << 18


def private_environment(env, home):
    """Points the program's settings files, record and caches into `home` (updates env and
    returns it). A run that wants settings names its own files afterwards."""
    env.update(KNORZELBART_EINSTELLUNGEN="/nonexistent",
               KNORZELBART_BENUTZER_EINSTELLUNGEN="/nonexistent",
               XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"),
               XDG_CACHE_HOME=os.path.join(home, "cache"))
    return env


def _write(path, text):
    with open(path, "w") as f:
        f.write(text)


def hide_folder(folder, empty):
    """In the calling process (a child between fork and exec): `folder` is `empty` from now
    on, for this process and what it starts, in a mount namespace of its own (the machine's
    folder is untouched). The user and group ids stay the same numbers."""
    uid, gid = os.getuid(), os.getgid()
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.unshare(_CLONE_NEWUSER | _CLONE_NEWNS) != 0:
        raise OSError(ctypes.get_errno(), f"no namespace of its own to hide {folder} in")
    _write("/proc/self/setgroups", "deny")
    _write("/proc/self/uid_map", f"{uid} {uid} 1")
    _write("/proc/self/gid_map", f"{gid} {gid} 1")
    if libc.mount(None, b"/", None, _MS_REC | _MS_PRIVATE, None) != 0 or \
            libc.mount(os.fsencode(empty), os.fsencode(folder), None, _MS_BIND, None) != 0:
        raise OSError(ctypes.get_errno(), f"{folder} could not be hidden")


def school_folder_hidden():
    """For preexec_fn: the school's settings folder, where the machine has one, is an empty
    folder for the program."""
    if os.path.isdir(SCHOOL_FOLDER):
        hide_folder(SCHOOL_FOLDER, _EMPTY)


# Made before any fork (the child between fork and exec makes no folders), gone at the end.
_EMPTY = None
if os.path.isdir(SCHOOL_FOLDER):
    _EMPTY = tempfile.mkdtemp(prefix="knorzelbart-leer-")
    atexit.register(os.rmdir, _EMPTY)
