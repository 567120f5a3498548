#!/usr/bin/python3
"""Drives the real quillamon executable on a real X server and checks what it shows.

One check per run, on an Xvfb display that the run starts for itself:

    quillamon_e2e.py --program PATH --tiles DIR --decoration BMP --out DIR
                     --wm {none,openbox} [--screen 1280x1024x24] --check NAME

The program is started as a separate process, exactly as a player would start
it; its window is found with xdotool, driven with real pointer events from
xdotool, and judged from screenshots of the root window against the committed
bitmaps. Every screenshot is kept in --out so a failure can be looked at.

The parts: images.py decodes screenshots and bitmaps, x_session.py runs the
X display, the window manager and the program, window_on_screen.py says where
the window's controls show, and checks.py holds the checks.
"""

import argparse
import os
import sys

# The waiting, the X server and the window manager shared by every X test.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))

from checks import CHECKS
from waiting import Failure
from images import Bitmaps
from window_on_screen import CELL, px
from x_session import Session, WindowManager, XServer, print_logs


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True)
    parser.add_argument("--tiles", required=True)
    parser.add_argument("--decoration", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--wm", choices=("none", "openbox"), default="none")
    parser.add_argument("--screen", default="1280x1024x24", help="Xvfb screen: WIDTHxHEIGHTxDEPTH")
    parser.add_argument("--check", choices=sorted(CHECKS), required=True)
    options = parser.parse_args()
    os.makedirs(options.out, exist_ok=True)
    for old in os.listdir(options.out):
        if old.endswith((".png", ".log")):
            os.remove(os.path.join(options.out, old))
    bitmaps = Bitmaps(options.tiles, px(CELL) - 2)
    try:
        with XServer(options.screen, options.out), WindowManager(options), Session(options) as session:
            CHECKS[options.check](session, bitmaps)
    except Failure as failure:
        print(f"FAIL [{options.wm}/{options.check}]: {failure}\nscreenshots and logs: {options.out}", file=sys.stderr)
        print_logs(options.out)
        return 1
    print(f"PASS [{options.wm}/{options.check}]")
    return 0

if __name__ == "__main__":
    sys.exit(main())
