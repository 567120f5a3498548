#!/usr/bin/env python3
"""The game takes no command line: started with arguments, Qt's own options
among them, its window comes up exactly as without any.

    command_line_test.py --program PATH

runs on the X server in DISPLAY (start it through tests/support/own_xvfb.py).
The program is started once without arguments and once with them; each time
its window is found by the program's process id, and its title and place on
the screen are read once the window has settled. The two must agree.
"""

import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import waiting  # noqa: E402
from own_xvfb import stop  # noqa: E402
from waiting import Failure  # noqa: E402
from x_window import client_geometry  # noqa: E402

WAIT = 15.0  # seconds for anything that should come at once
POLL = 0.05

# Qt's own options, as a player might pass them, and a few ordinary ones. Qt
# would take the title, the size and place, another platform (no window on
# this display at all) and another display (no start at all) from them.
ARGUMENTS = ["-qwindowtitle", "HELLO", "-qwindowgeometry", "300x200+10+10", "-title", "HI",
             "-geometry", "320x240+20+20", "-platform", "offscreen", "-display", ":999",
             "-reverse", "-style", "fusion", "--help", "a-file.txt"]


def run(cmd):
    return subprocess.run(cmd, capture_output=True, text=True).stdout


def ended(program):
    """What tells a wait that the program has ended, so nothing more will come."""
    return lambda: program.poll() is not None and f"the program ended with status {program.returncode}"


def wait_for(what, probe, program):
    """Waits for what the running program should show; fails at once if it ends."""
    return waiting.wait_for(what, probe, WAIT, POLL, gone=ended(program))


def title(window):
    return {prop: run(["xprop", "-id", str(window), prop]).strip().split("=", 1)[-1].strip()
            for prop in ("WM_NAME", "_NET_WM_NAME")}


def window_manager_frame_known(window):
    """With a window manager, the window has settled once it reports its frame."""
    managed = "window id" in run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"])
    return not managed or "=" in run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"])


def shown_window(program_path, arguments):
    """Title and geometry of the program's window, started with these arguments."""
    program = subprocess.Popen([program_path, *arguments], stdin=subprocess.DEVNULL)
    try:
        def find():
            ids = run(["xdotool", "search", "--onlyvisible", "--pid", str(program.pid)]).split()
            return int(ids[0]) if ids else None

        window = wait_for("its window to show", find, program)

        def placed():
            return client_geometry(window) if window_manager_frame_known(window) else None

        place = waiting.wait_until_steady("its window to settle", placed, WAIT, POLL, gone=ended(program))
        return title(window), place
    finally:
        stop(program)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    options = parser.parse_args()
    try:
        plain = shown_window(options.program, [])
        print(f"without arguments: title {plain[0]}, client area {plain[1]}")
        given = shown_window(options.program, ARGUMENTS)
        print(f"with {' '.join(ARGUMENTS)}: title {given[0]}, client area {given[1]}")
        if given[0] != plain[0]:
            raise Failure(f"the arguments changed the window's title to {given[0]}")
        if given[1] != plain[1]:
            raise Failure(f"the arguments moved or sized the window: {given[1]}, not {plain[1]}")
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
