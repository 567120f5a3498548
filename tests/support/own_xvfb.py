#!/usr/bin/env python3
"""An X server of one test's own, with a window manager when the test needs one.

    own_xvfb.py [--screen WxHxD] [--wm openbox] -- COMMAND [ARG ...]

runs COMMAND with DISPLAY set to a fresh Xvfb server and exits with its status.
COMMAND starts only once the server answers and, with --wm openbox, once
openbox has finished starting; so COMMAND may map its window at once. When the
server or the window manager cannot start, it says why (with their messages)
and exits with status 1 within seconds.

From Python (the module is importable from tests/support):

    with OwnXvfb("1280x1024x24", log_file), Openbox(log_file):
        ...   # DISPLAY is set; openbox manages the screen

Every test that needs an X server starts it through here:
- Xvfb picks the display number itself (-displayfd) and reports it once it
  accepts clients. Guessing a free number from lock files, as xvfb-run -a
  does, collides when many tests start at once, and a server started that way
  can take the socket of one started like this, which takes no lock file.
- openbox takes over the screen and sets _NET_SUPPORTING_WM_CHECK some time
  before it enters its main loop. A window mapped in between is read into a
  queue openbox does not look at again until another event wakes it, so the
  window stays unmapped for as long as nothing else happens on the display.
  openbox runs its --startup command just before its main loop: that is the
  moment to wait for.
"""

import argparse
import os
import select
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

from waiting import Failure, wait_for

START_TIMEOUT = 15.0  # seconds for Xvfb or openbox to be ready
POLL = 0.02           # seconds between two looks at a condition


class OwnXvfb:
    """Context manager: an Xvfb server on a free display that answers, with
    DISPLAY set to it (and XAUTHORITY cleared, as it takes no authorization)
    while inside."""

    def __init__(self, screen="1280x1024x24", log=None):
        self.screen, self.log = screen, log
        self.display = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        # -noreset: by default the server resets whenever its last client
        # leaves, and drops every connection still in its handshake. A short
        # probe (xdotool, xprop) ending just as the program or the window
        # manager connects would then make that one fail to open the display.
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                                      "-nolisten", "tcp", "-noreset"],
                                     pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT,
                                     stdin=subprocess.DEVNULL)
        os.close(write_end)
        try:
            deadline = time.monotonic() + START_TIMEOUT
            number = b""
            while not number.endswith(b"\n"):
                if time.monotonic() >= deadline:
                    raise Failure("Xvfb did not report its display in time")
                ready, _, _ = select.select([read_end], [], [], POLL)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        raise Failure("Xvfb ended before it opened a display")
                    number += chunk
            self.display = f":{int(number)}"
            os.environ["DISPLAY"] = self.display
            os.environ.pop("XAUTHORITY", None)
            wait_until("Xvfb to answer", answers, deadline, self.proc)
        except BaseException:
            self.__exit__()
            raise
        finally:
            os.close(read_end)
        return self

    def __exit__(self, *exc):
        stop(self.proc)
        return False


class Openbox:
    """Context manager: openbox on the display in DISPLAY, entered once it has
    finished starting. Its settings and cache are kept in a folder of its own,
    so a user's openbox configuration does not change what tests see."""

    def __init__(self, log=None):
        self.log, self.proc = log, None

    def __enter__(self):
        self.home = tempfile.mkdtemp(prefix="own-openbox-")
        started = os.path.join(self.home, "started")
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                   XDG_CACHE_HOME=os.path.join(self.home, "cache"))
        try:
            self.proc = subprocess.Popen(["openbox", "--sm-disable", "--startup",
                                          f"touch {shlex.quote(started)}"],
                                         env=env, stdout=self.log, stderr=subprocess.STDOUT,
                                         stdin=subprocess.DEVNULL)
            wait_until("openbox to finish starting", lambda: os.path.exists(started),
                       time.monotonic() + START_TIMEOUT, self.proc)
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        if self.proc is not None:
            stop(self.proc)
        shutil.rmtree(self.home, ignore_errors=True)
        return False


WINDOW_MANAGERS = {"none": None, "openbox": Openbox}


def answers():
    """True when the X server in DISPLAY accepts a client and replies to it."""
    return subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0


def wait_until(what, condition, deadline, proc):
    """Polls condition() until it holds; fails when proc ends first or the
    deadline passes."""
    def ended():
        return proc.poll() is not None and f"{proc.args[0]} ended with status {proc.returncode}"
    wait_for(what, condition, max(0.0, deadline - time.monotonic()), POLL, gone=ended)


def stop(proc):
    """Ends a process this run started."""
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--screen", default="1280x1024x24")
    parser.add_argument("--wm", choices=sorted(WINDOW_MANAGERS), default="none")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    command = options.command[1:] if options.command[:1] == ["--"] else options.command
    if not command:
        parser.error("no command to run")
    window_manager = WINDOW_MANAGERS[options.wm]
    with tempfile.TemporaryFile() as log:
        try:
            with OwnXvfb(options.screen, log):
                if window_manager is None:
                    status = subprocess.call(command)
                else:
                    with window_manager(log):
                        status = subprocess.call(command)
        except Failure as error:
            print_messages(log)
            print(f"own_xvfb: {error}", file=sys.stderr)
            return 1
        if status != 0:
            print_messages(log)
        return status


def print_messages(log):
    log.seek(0)
    messages = log.read().decode(errors="replace").strip()
    if messages:
        print(f"--- messages of the X server and the window manager:\n{messages}", file=sys.stderr)


if __name__ == "__main__":
    sys.exit(main())
