"""The X side of an e2e run: this run's own Xvfb display and window
manager (through tests/support/own_xvfb.py), the program started on it as a
separate process, its window found and probed with xprop, xwininfo and
xdotool, and screenshots of the root window."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

import waiting
from images import parse_ppm
from own_xvfb import Openbox, OwnXvfb, stop
from waiting import Failure, check
from x_window import client_geometry

WAIT = 15.0  # seconds to wait for any condition that should come at once


def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, **kw)


def wait_for(what, probe, timeout=WAIT, interval=0.05):
    """Polls probe() until it returns something true; fails after timeout seconds."""
    return waiting.wait_for(what, probe, timeout, interval)


def xprop_value(window, prop):
    out = run(["xprop", "-id", str(window), prop]).stdout.strip()
    if "not found" in out or "no such atom" in out or "=" not in out:
        return None
    return out.split("=", 1)[1].strip()


def xprop_string(window, prop):
    value = xprop_value(window, prop)
    if value is None:
        return None
    check(value.startswith('"') and value.endswith('"'), f"{prop} is not a string: {value!r}")
    return re.sub(r"\\(.)", r"\1", value[1:-1])


def screen_size():
    out = run(["xwininfo", "-root"]).stdout
    return (int(re.search(r"Width:\s+(\d+)", out).group(1)), int(re.search(r"Height:\s+(\d+)", out).group(1)))


def xdotool(*args):
    result = run(["xdotool", *map(str, args)])
    check(result.returncode == 0, f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")


class Session:
    """One X display with the program running on it, optionally under openbox."""

    def __init__(self, options, env=None, tag="run"):
        self.options, self.tag, self.shots = options, tag, 0
        self.processes = []
        self.env = dict(os.environ if env is None else env)
        self.runtime = tempfile.mkdtemp(prefix="quillamon-e2e-")
        self.env.setdefault("XDG_RUNTIME_DIR", self.runtime)
        os.chmod(self.runtime, 0o700)

    def __enter__(self):
        try:
            self.program = self.start([self.options.program], "quillamon")
            self.window = wait_for("the Quillamon window to map", self.find_window)
            self.client = waiting.wait_until_steady("the window to settle", self.placed_geometry, WAIT)
            self.log(f"window 0x{self.window:x} client at {self.client[:2]} size {self.client[2:4]}")
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        for proc, name, log in reversed(self.processes):
            stop(proc)
            log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)
        return False

    def stop(self):
        self.__exit__(None, None, None)
        self.processes = []

    def start(self, cmd, name):
        log = open(os.path.join(self.options.out, f"{self.tag}-{name}.log"), "w")
        proc = subprocess.Popen(cmd, env=self.env, stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        self.processes.append((proc, name, log))
        return proc

    def find_window(self):
        check(self.program.poll() is None, f"quillamon exited with status {self.program.returncode}")
        out = run(["xdotool", "search", "--onlyvisible", "--name", "Quillamon"], env=self.env).stdout.split()
        for w in map(int, out):
            if (xprop_value(w, "WM_CLASS") or "").startswith('"quillamon"'):
                return w
        return None

    def placed_geometry(self):
        """The client rectangle once it is viewable and, under openbox, framed."""
        if self.options.wm == "openbox" and self.frame_extents() is None:
            return None
        return client_geometry(self.window)

    def frame_extents(self):
        value = xprop_value(self.window, "_NET_FRAME_EXTENTS")
        return tuple(int(v) for v in value.split(",")) if value else None

    def alive(self):
        check(self.program.poll() is None, f"quillamon exited with status {self.program.returncode}")

    def screenshot(self, label):
        self.alive()
        blob = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                              capture_output=True, check=True, env=self.env).stdout
        shot = parse_ppm(blob)
        shot.label = label
        return shot

    def wait_for_screen(self, what, label, condition, timeout=WAIT):
        """Takes screenshots until condition(shot) holds; keeps the one that
        satisfied it, or the last one when it times out."""
        last = []

        def probe():
            shot = self.screenshot(label)
            last[:] = [shot]
            return shot if condition(shot) else None

        try:
            shot = wait_for(what, probe, timeout)
        except Failure:
            if last:
                self.keep(last[0], label + "-timed-out")
            raise
        self.keep(shot)
        return shot

    def keep(self, shot, label=None):
        self.shots += 1
        name = f"{self.tag}-{self.shots:02d}-{label or shot.label}.png"
        shot.save_png(os.path.join(self.options.out, name))
        return name

    def log(self, text):
        print(f"[{self.options.wm}/{self.options.check}] {text}", flush=True)


class WindowManager:
    """openbox on the display for the whole run, when asked for; entered once
    it has finished starting, so the program's window is managed at once."""

    def __init__(self, options):
        self.options, self.wm, self.log = options, None, None

    def __enter__(self):
        if self.options.wm == "openbox":
            self.log = open(os.path.join(self.options.out, "openbox.log"), "w")
            self.wm = Openbox(self.log)
            try:
                self.wm.__enter__()
            except Failure:
                self.log.close()
                raise
        return self

    def __exit__(self, *exc):
        if self.wm is not None:
            self.wm.__exit__(*exc)
            self.log.close()
        return False


class XServer(OwnXvfb):
    """This run's own Xvfb display, its messages kept beside the screenshots."""

    def __init__(self, screen, out):
        self.log_file = open(os.path.join(out, "xvfb.log"), "w")
        super().__init__(screen, self.log_file)

    def __enter__(self):
        try:
            return super().__enter__()
        except Failure as error:
            self.log_file.close()
            raise Failure(f"{error}: see {self.log_file.name}") from None

    def __exit__(self, *exc):
        super().__exit__(*exc)
        self.log_file.close()
        return False


def print_logs(out, lines=20):
    """The last lines of every process's messages: where the run is not kept
    (a CI machine), they are all there is to tell why it failed."""
    for name in sorted(os.listdir(out)):
        if name.endswith(".log"):
            with open(os.path.join(out, name), errors="replace") as f:
                tail = f.readlines()[-lines:]
            if tail:
                print(f"--- {name} (last {len(tail)} lines):\n{''.join(tail).rstrip()}", file=sys.stderr)
