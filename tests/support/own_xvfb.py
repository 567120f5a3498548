#!/usr/bin/env python3
"""An Xvfb display of one test's own.

    own_xvfb.py [--screen WxHxD] -- COMMAND [ARG ...]

runs COMMAND with DISPLAY set to a fresh Xvfb server and exits with its status.
Xvfb picks the display number itself (-displayfd) and reports it once it
accepts clients. Guessing a free number from lock files, as xvfb-run -a does,
collides when many tests start at once, and a server started that way can
take the socket of one started like this, which takes no lock file: so every
test that needs an X server starts it through here.
"""

import argparse
import os
import select
import subprocess
import sys
import tempfile
import time

START_TIMEOUT = 20.0  # seconds for Xvfb to open its display


class OwnXvfb:
    """Context manager: an Xvfb server on a free display, with DISPLAY set to
    it (and XAUTHORITY cleared, as it takes no authorization) while inside."""

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
            number = b""
            deadline = time.monotonic() + START_TIMEOUT
            while not number.endswith(b"\n"):
                if time.monotonic() >= deadline:
                    raise RuntimeError("Xvfb did not report its display in time")
                ready, _, _ = select.select([read_end], [], [], 0.5)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        raise RuntimeError("Xvfb ended before it opened a display")
                    number += chunk
            self.display = f":{int(number)}"
            os.environ["DISPLAY"] = self.display
            os.environ.pop("XAUTHORITY", None)
        except BaseException:
            self.__exit__()
            raise
        finally:
            os.close(read_end)
        return self

    def __exit__(self, *exc):
        stop(self.proc)
        return False


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
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    command = options.command[1:] if options.command[:1] == ["--"] else options.command
    if not command:
        parser.error("no command to run")
    with tempfile.TemporaryFile() as log:
        try:
            with OwnXvfb(options.screen, log):
                return subprocess.call(command)
        except RuntimeError as error:
            log.seek(0)
            sys.stderr.write(log.read().decode(errors="replace"))
            print(f"own_xvfb: {error}", file=sys.stderr)
            return 1


if __name__ == "__main__":
    sys.exit(main())
