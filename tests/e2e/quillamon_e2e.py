#!/usr/bin/python3
"""Drives the real quillamon executable on a real X server and checks what it shows.

One check per run, on an Xvfb display that the run starts for itself:

    quillamon_e2e.py --program PATH --tiles DIR --decoration BMP --out DIR
                     --wm {none,openbox} [--screen 1280x1024x24] --check NAME

The program is started as a separate process, exactly as a player would start
it; its window is found with xdotool, driven with real pointer events from
xdotool, and judged from screenshots of the root window against the committed
bitmaps. Every screenshot is kept in --out so a failure can be looked at.
"""

import argparse
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from own_xvfb import Openbox, OwnXvfb, stop  # noqa: E402

TWIPS_PER_PIXEL = 15.0

# The window's frame as the program models it (twips): it centres this outer
# size on the screen, whatever frame the window manager really draws.
MODEL_FRAME_LEFT, MODEL_FRAME_TOP, MODEL_FRAME_RIGHT, MODEL_FRAME_BOTTOM = 60, 450, 60, 60
OUTER_WIDTH, OUTER_HEIGHT = 11760, 9280

# Places inside the panel's inner area, in twips, from the window definition.
PANEL_LEFT, PANEL_TOP = 190, 120
CELL = 2800
LABEL1 = (9720, 120, 975, 375)
LABEL2 = (9000, 7440, 1695, 255)
LABEL3 = (9120, 150, 495, 255)
COMMAND1 = (9360, 7800, 1095, 375)
PICTURE6 = (9000, 480, 1815, 1335)

CAPTION = re.compile(r"^Quillamon V1\.0 {28}dorn_pell {2}\S+@\S+\.\S+$")
CJK_CAPTIONS = {"Label2": "双击图片逆时针旋转", "Label3": "计时:", "Command1": "更新"}

# A tile's place is that of its box, the grab point is measured inside the
# box's 1-px border: a drag puts the box's corner where the inner corner was,
# so the tile lands one pixel right of and below the pointer's offset.
PRESS_DRIFT = 1

WAIT = 15.0            # seconds to wait for any condition that should come at once
DOUBLE_CLICK_GAP = 0.6  # longer than the platform's double-click interval (400 ms)


def px(twips):
    """Nearest pixel, a half going up."""
    return math.floor(twips / TWIPS_PER_PIXEL + 0.5)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# ---------------------------------------------------------------- images

class Image:
    """24-bit RGB picture, rows top to bottom."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def row(self, x, y, n):
        start = (y * self.width + x) * 3
        return self.data[start:start + n * 3]

    def pixel(self, x, y):
        return tuple(self.row(x, y, 1))

    def crop(self, x, y, w, h):
        return Image(w, h, b"".join(self.row(x, y + r, w) for r in range(h)))

    def save_png(self, path):
        raw = b"".join(b"\0" + self.data[r * self.width * 3:(r + 1) * self.width * 3] for r in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            f.write(chunk(b"IEND", b""))


def parse_ppm(blob):
    tokens, pos = [], 0
    while len(tokens) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        if blob[pos:pos + 1] == b"#":
            pos = blob.index(b"\n", pos) + 1
            continue
        end = pos
        while not blob[end:end + 1].isspace():
            end += 1
        tokens.append(blob[pos:end])
        pos = end
    check(tokens[0] == b"P6" and tokens[3] == b"255", "screenshot is not an 8-bit PPM")
    width, height = int(tokens[1]), int(tokens[2])
    data = blob[pos + 1:pos + 1 + width * height * 3]
    check(len(data) == width * height * 3, "screenshot is truncated")
    return Image(width, height, data)


def load_bmp(path):
    with open(path, "rb") as f:
        blob = f.read()
    check(blob[:2] == b"BM", f"{path} is not a BMP")
    offset = struct.unpack_from("<I", blob, 10)[0]
    header = struct.unpack_from("<I", blob, 14)[0]
    width, height, _, bpp, compression, _, _, _, colours = struct.unpack_from("<iiHHIIiiI", blob, 18)
    check(compression == 0 and bpp in (4, 8, 24), f"{path}: unsupported BMP ({bpp} bpp, compression {compression})")
    palette = []
    if bpp <= 8:
        colours = colours or (1 << bpp)
        base = 14 + header
        palette = [bytes((blob[base + 4 * i + 2], blob[base + 4 * i + 1], blob[base + 4 * i])) for i in range(colours)]
    stride = ((width * bpp + 31) // 32) * 4
    rows = []
    for r in range(abs(height)):
        src = offset + (abs(height) - 1 - r if height > 0 else r) * stride
        line = blob[src:src + stride]
        if bpp == 24:
            out = b"".join(bytes((line[3 * x + 2], line[3 * x + 1], line[3 * x])) for x in range(width))
        elif bpp == 8:
            out = b"".join(palette[line[x]] for x in range(width))
        else:
            out = b"".join(palette[(line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15] for x in range(width))
        rows.append(out)
    return Image(width, abs(height), b"".join(rows))


def distinct_key_row(bmp):
    """The bitmap row with the most colour changes: the best one to search for."""
    best, best_changes = 0, -1
    for r in range(bmp.height):
        line = bmp.row(0, r, bmp.width)
        changes = sum(1 for x in range(1, bmp.width) if line[3 * x:3 * x + 3] != line[3 * x - 3:3 * x])
        if changes > best_changes:
            best, best_changes = r, changes
    return best


def region_matches(shot, bmp, x, y, w=None, h=None):
    """True when the shot shows the bitmap's top-left w x h part, unchanged, at (x, y)."""
    w = bmp.width if w is None else w
    h = bmp.height if h is None else h
    if x < 0 or y < 0 or x + w > shot.width or y + h > shot.height:
        return False
    return all(shot.row(x, y + r, w) == bmp.row(0, r, w) for r in range(h))


class Bitmaps:
    """The 36 committed tile bitmaps, keyed (tile, layer), each cut to the tile
    box's inner area as the box shows it (a box of 2800 twips is 187 px with a
    1-px border)."""

    def __init__(self, directory):
        self.tiles = {}
        inner = px(CELL) - 2
        for t in range(9):
            for k in range(1, 5):
                bmp = load_bmp(os.path.join(directory, f"tile-{t}-{k}.bmp"))
                self.tiles[(t, k)] = bmp.crop(0, 0, min(bmp.width, inner), min(bmp.height, inner))
        self.keys = {key: distinct_key_row(bmp) for key, bmp in self.tiles.items()}
        seen = {}
        for key, bmp in self.tiles.items():
            check(bmp.data not in seen, f"bitmaps {seen.get(bmp.data)} and {key} are identical: tiles cannot be told apart")
            seen[bmp.data] = key

    def locate(self, shot, key):
        """Every place where the bitmap shows whole and unchanged."""
        bmp, r = self.tiles[key], self.keys[key]
        needle = bmp.row(0, r, bmp.width)
        found, pos = [], shot.data.find(needle)
        while pos >= 0:
            if pos % 3 == 0:
                x, y = (pos // 3) % shot.width, (pos // 3) // shot.width - r
                if x + bmp.width <= shot.width and region_matches(shot, bmp, x, y):
                    found.append((x, y))
            pos = shot.data.find(needle, pos + 1)
        return found

    def board(self, shot):
        """{(tile, layer): [(x, y), ...]} for every tile bitmap that shows whole."""
        return {key: at for key in self.tiles if (at := self.locate(shot, key))}


# ---------------------------------------------------------------- X side

def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, **kw)


def wait_for(what, probe, timeout=WAIT, interval=0.05):
    """Polls probe() until it returns something true; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


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


def window_geometry(window):
    out = run(["xwininfo", "-id", str(window)]).stdout
    field = lambda name: int(re.search(name + r":\s+(-?\d+)", out).group(1))
    return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"),
            "IsViewable" in out)


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
            self.client = wait_for("the window to settle", self.settled_geometry)
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

    def settled_geometry(self):
        """The client rectangle, once it is viewable and stays put between two looks."""
        first = window_geometry(self.window)
        if not first[4]:
            return None
        if self.options.wm == "openbox" and self.frame_extents() is None:
            return None
        time.sleep(0.05)
        second = window_geometry(self.window)
        return second[:4] if second == first else None

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
            except RuntimeError as error:
                self.log.close()
                raise Failure(str(error)) from None
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
        except RuntimeError as error:
            self.log_file.close()
            raise Failure(f"{error}: see {self.log_file.name}") from None

    def __exit__(self, *exc):
        super().__exit__(*exc)
        self.log_file.close()
        return False


# ---------------------------------------------------------------- the board on screen

class Layout:
    """Where the controls are on the screen, from the board's origin found on it."""

    def __init__(self, origin):
        self.origin = origin  # top-left corner of the panel's inner area, in screen pixels

    def at(self, place):
        x, y, w, h = place
        return (self.origin[0] + px(x), self.origin[1] + px(y), px(w), px(h))

    def cell(self, column, row):
        """Where a tile bitmap shows in a grid cell: inside the tile box's 1-px border."""
        return (self.origin[0] + px(column * CELL) + 1, self.origin[1] + px(row * CELL) + 1)


def read_grid(session, bitmaps, shot):
    """The nine tiles as they lie on the grid: {(column, row): (tile, layer)}. Fails unless
    every cell shows a whole tile bitmap and the nine are different tiles."""
    found = bitmaps.board(shot)
    places = [(at, key) for key, ats in found.items() for at in ats]
    check(len(places) == 9, f"{len(places)} whole tile bitmaps on the screen, not 9: {sorted(places)}")
    tiles = sorted(key[0] for _, key in places)
    check(tiles == list(range(9)), f"the nine cells do not show nine different tiles: {sorted(places)}")
    left = min(at[0] for at, _ in places) - 1
    top = min(at[1] for at, _ in places) - 1
    layout = Layout((left, top))
    grid = {}
    for at, key in places:
        column = [c for c in range(3) if layout.cell(c, 0)[0] == at[0]]
        row = [r for r in range(3) if layout.cell(0, r)[1] == at[1]]
        check(column and row, f"tile {key} at {at} is off the grid whose origin is {layout.origin}")
        grid[(column[0], row[0])] = key
    check(len(grid) == 9, f"two tiles share a cell: {sorted(places)}")
    return layout, grid


def shown_board(s, bitmaps, label):
    """Waits for the window to show the nine tiles on the grid (it maps before
    it has painted); returns the screenshot, the layout and the grid."""
    last = []

    def probe():
        shot = s.screenshot(label)
        try:
            return shot, *read_grid(s, bitmaps, shot)
        except Failure as failure:
            last[:] = [shot, failure]
            return None

    try:
        found = wait_for("the board to show", probe)
    except Failure:
        s.keep(last[0], label + "-timed-out")
        raise last[1]
    s.keep(found[0])
    return found


# ---------------------------------------------------------------- the checks

def check_title(s, bitmaps):
    for prop in ("WM_NAME", "_NET_WM_NAME"):
        value = xprop_string(s.window, prop)
        s.log(f"{prop} = {value!r}")
        check(value is not None, f"the window has no {prop}")
        check(CAPTION.match(value), f"{prop} is not the window's caption: {value!r}")
    icon = xprop_value(s.window, "_NET_WM_ICON")
    check(icon, "the window has no _NET_WM_ICON")
    shown_board(s, bitmaps, "title")


def check_placement(s, bitmaps):
    screen_w, screen_h = screen_size()
    x, y, w, h = s.client
    # The client area is what the outer size leaves inside the modelled frame.
    want_w = (OUTER_WIDTH - MODEL_FRAME_LEFT - MODEL_FRAME_RIGHT) / TWIPS_PER_PIXEL
    want_h = (OUTER_HEIGHT - MODEL_FRAME_TOP - MODEL_FRAME_BOTTOM) / TWIPS_PER_PIXEL
    check(abs(w - want_w) < 1 and abs(h - want_h) < 1,
          f"client area {w}x{h}, expected {want_w:.2f}x{want_h:.2f} from the outer size")
    # Centred by the outer size (client plus the modelled frame).
    outer = (x - MODEL_FRAME_LEFT / 15, y - MODEL_FRAME_TOP / 15,
             w + (MODEL_FRAME_LEFT + MODEL_FRAME_RIGHT) / 15, h + (MODEL_FRAME_TOP + MODEL_FRAME_BOTTOM) / 15)
    off = (outer[0] + outer[2] / 2 - screen_w / 2, outer[1] + outer[3] / 2 - screen_h / 2)
    s.log(f"screen {screen_w}x{screen_h}; modelled outer {outer}; its centre is off by {off}")
    check(abs(off[0]) <= 1 and abs(off[1]) <= 1, f"the window's outer size is not centred: off by {off}")

    extents = s.frame_extents()
    if s.options.wm == "openbox":
        check(extents is not None, "openbox reported no _NET_FRAME_EXTENTS")
        left, right, top, bottom = extents
        frame = (x - left, y - top, w + left + right, h + top + bottom)
        real_off = (frame[0] + frame[2] / 2 - screen_w / 2, frame[1] + frame[3] / 2 - screen_h / 2)
        s.log(f"openbox frame extents (l,r,t,b) {extents}; real outer {frame}; its centre is off by {real_off}")
        # The real frame differs from the modelled one; it may be off centre by
        # no more than half that difference.
        slack = (abs((MODEL_FRAME_LEFT / 15 - left) - (MODEL_FRAME_RIGHT / 15 - right)) / 2 + 1,
                 abs((MODEL_FRAME_TOP / 15 - top) - (MODEL_FRAME_BOTTOM / 15 - bottom)) / 2 + 1)
        check(abs(real_off[0]) <= slack[0] and abs(real_off[1]) <= slack[1],
              f"the real frame is off centre by {real_off}, more than the frame model explains {slack}")
        # Nothing keeps the window on a screen too small for it; on one large
        # enough it must lie wholly on the screen.
        if frame[2] <= screen_w and frame[3] <= screen_h:
            check(frame[0] >= 0 and frame[1] >= 0 and frame[0] + frame[2] <= screen_w
                  and frame[1] + frame[3] <= screen_h,
                  f"the framed window {frame} does not fit on the {screen_w}x{screen_h} screen")
    else:
        check(extents is None, f"frame extents {extents} with no window manager")

    # The panel's inner area lies at the panel's place inside the client area,
    # within its sunken border.
    shot, layout, _ = shown_board(s, bitmaps, "placement")
    border = (layout.origin[0] - x - px(PANEL_LEFT), layout.origin[1] - y - px(PANEL_TOP))
    s.log(f"board origin {layout.origin}, panel border {border} px")
    check(0 <= border[0] <= 3 and border[0] == border[1],
          f"the board does not start inside the panel's border at its place: border {border}")


def check_board(s, bitmaps):
    shot, layout, grid = shown_board(s, bitmaps, "board")
    s.log("cells (column,row) -> (tile,layer): " + ", ".join(f"{c}->{grid[c]}" for c in sorted(grid)))
    x, y, w, h = layout.at(PICTURE6)
    decoration = load_bmp(s.options.decoration)
    check(region_matches(shot, decoration, x, y, w, h),
          f"the decorative picture does not show unscaled, cut to {w}x{h}, at {x},{y}")


def drag(s, start, path):
    """Presses the left button at start, moves through path, releases at its last point."""
    xdotool("mousemove", *start)
    xdotool("mousedown", 1)
    for point in path:
        xdotool("mousemove", *point)
    xdotool("mouseup", 1)


def others_unchanged(bitmaps, shot, before, moved):
    """Every tile but `moved` still shows whole where it was."""
    return all(region_matches(shot, bitmaps.tiles[key], *at)
               for at, key in ((at, key) for key, ats in before.items() for at in ats) if key != moved)


def check_drag(s, bitmaps):
    shot, layout, grid = shown_board(s, bitmaps, "before-drag")
    before = {key: [layout.cell(*cell)] for cell, key in grid.items()}
    key = grid[(2, 1)]                       # the middle tile of the right column
    tx, ty = layout.cell(2, 1)
    bmp = bitmaps.tiles[key]
    grab = (tx + 37, ty + 121)               # any point inside the picture
    # Out to the free panel area right of the board, above the hint label.
    target_x, target_y = layout.origin[0] + 561, layout.origin[1] + 131
    offset = (target_x - tx - PRESS_DRIFT, target_y - ty - PRESS_DRIFT)
    # Halfway lies clear of the board already, where no other tile can cover it.
    halfway = (grab[0] + offset[0], grab[1] + offset[1] // 3)
    end = (grab[0] + offset[0], grab[1] + offset[1])
    s.log(f"dragging tile {key} from {(tx, ty)} by {offset}, grab point {grab}")

    # While the button is held the tile follows the pointer.
    xdotool("mousemove", *grab)
    xdotool("mousedown", 1)
    xdotool("mousemove", grab[0] + 3, grab[1] + 2)
    xdotool("mousemove", *halfway)
    mid = (tx + halfway[0] - grab[0] + PRESS_DRIFT, ty + halfway[1] - grab[1] + PRESS_DRIFT)
    try:
        s.wait_for_screen(f"tile {key} to follow the pointer to {mid}", "held",
                          lambda sh: region_matches(sh, bmp, *mid))
    finally:
        xdotool("mousemove", *end)
        xdotool("mouseup", 1)

    # Dropped at the pointer's offset; clipped at the panel's right edge, so
    # compare the part that must show. Nothing else moved, and the cell is empty.
    visible_w = min(bmp.width, layout.origin[0] + px(11260) - 2 * 4 - target_x)
    dropped = s.wait_for_screen(f"tile {key} to drop at {(target_x, target_y)}", "dropped",
                                lambda sh: region_matches(sh, bmp, target_x, target_y, visible_w))
    check(others_unchanged(bitmaps, dropped, before, key), "a tile other than the dragged one changed")
    check(not region_matches(dropped, bmp, tx, ty, 20, 20), f"tile {key} still shows in its old cell")
    found = bitmaps.board(dropped)
    check(found.pop(key, None) in (None, [(target_x, target_y)]) and found == {k: v for k, v in before.items() if k != key},
          f"the tile pictures showing whole are {bitmaps.board(dropped)}: not the board before, {key} moved")

    # Dragged back from another grab point by the opposite offset, the board
    # is exactly as it was.
    grab2 = (target_x + 150, target_y + 20)
    back = (-offset[0] - 2 * PRESS_DRIFT, -offset[1] - 2 * PRESS_DRIFT)
    drag(s, grab2, [(grab2[0] - 60, grab2[1] + 40), (grab2[0] + back[0], grab2[1] + back[1])])
    s.wait_for_screen("the board to be whole again", "back",
                      lambda sh: others_unchanged(bitmaps, sh, before, None))


def check_turn(s, bitmaps):
    shot, layout, grid = shown_board(s, bitmaps, "before-turn")
    cell = (1, 1)
    tile, layer = grid[cell]
    at = layout.cell(*cell)
    centre = (at[0] + 92, at[1] + 92)
    last_click = 0.0
    # Four double-clicks go once round the layers and back to the start.
    for step in range(4):
        nxt = (tile, layer % 4 + 1)
        time.sleep(max(0.0, last_click + DOUBLE_CLICK_GAP - time.monotonic()))
        xdotool("mousemove", *centre)
        xdotool("click", "--repeat", 2, "--delay", 60, 1)
        last_click = time.monotonic()
        turned = s.wait_for_screen(f"tile {tile} to show layer {nxt[1]} in place", f"turned-{nxt[1]}",
                                   lambda sh: region_matches(sh, bitmaps.tiles[nxt], *at))
        _, now = read_grid(s, bitmaps, turned)
        changed = {c: (grid[c], now[c]) for c in grid if grid[c] != now[c]}
        check(changed == {cell: ((tile, layer), nxt)}, f"a double-click changed more than its tile: {changed}")
        grid, layer = now, nxt[1]


def label_region(shot, layout, place):
    return shot.crop(*layout.at(place)).data


def watch_label(s, layout, until, timeout):
    """Samples Label1 until `until(samples)` holds; samples are (start, end, picture)."""
    samples = []
    deadline = time.monotonic() + timeout
    while True:
        begin = time.monotonic()
        shot = s.screenshot("clock")
        samples.append((begin, time.monotonic(), label_region(shot, layout, LABEL1), shot))
        if until(samples):
            return samples
        if time.monotonic() > deadline:
            s.keep(samples[0][3], "clock-watch-first")
            s.keep(shot, "clock-watch-timed-out")
            raise Failure(f"Label1 did not behave as expected within {timeout:.0f} s")


def changes(samples):
    """Indices of samples whose label picture differs from the one before."""
    return [i for i in range(1, len(samples)) if samples[i][2] != samples[i - 1][2]]


def check_clock(s, bitmaps):
    _, layout, _ = shown_board(s, bitmaps, "clock-start")
    samples = watch_label(s, layout, lambda sm: len(changes(sm)) >= 5, timeout=15)
    marks = changes(samples)
    s.keep(samples[marks[0] - 1][3], "clock-first")
    s.keep(samples[-1][3], "clock-last")
    pictures = [samples[0][2]] + [samples[i][2] for i in marks]
    check(len(set(pictures)) == len(pictures), "Label1 showed the same picture twice: it does not count up")
    for a, b in zip(marks, marks[1:]):
        # A sample shows the screen at some instant while it is taken, so a
        # change lies between the start of the sample before it and the end of
        # the one that shows it; that bounds the interval between two changes.
        shortest = samples[b - 1][0] - samples[a][1]
        longest = samples[b][1] - samples[a - 1][0]
        s.log(f"Label1 changed after {shortest:.2f}..{longest:.2f} s")
        check(shortest - 0.15 <= 1.0 <= longest + 0.15,
              f"Label1 changed after {shortest:.2f}..{longest:.2f} s, not every second")


def check_new_game(s, bitmaps):
    shot, layout, grid = shown_board(s, bitmaps, "before-new-game")
    # The pictures the clock shows in the old game, in order. The count only
    # goes up, so seeing an earlier one again after the new game shows that
    # the clock started over.
    shown = []

    def note(samples):
        for sample in samples:
            if not shown or shown[-1] != sample[2]:
                check(sample[2] not in shown, "Label1 showed an earlier count again in the old game")
                shown.append(sample[2])

    note(watch_label(s, layout, lambda sm: len(changes(sm)) >= 1, timeout=10))

    # Disturb the board: one tile dragged off the grid, another turned.
    key = grid[(0, 0)]
    tx, ty = layout.cell(0, 0)
    drag(s, (tx + 90, ty + 90), [(tx + 120, ty + 110), (tx + 90 + 61, ty + 90 + 47)])
    s.wait_for_screen("the dragged tile to drop", "dragged",
                      lambda sh: region_matches(sh, bitmaps.tiles[key], tx + 61 + PRESS_DRIFT, ty + 47 + PRESS_DRIFT,
                                                100, 100))
    tile, layer = grid[(2, 2)]
    bx, by = layout.cell(2, 2)
    time.sleep(DOUBLE_CLICK_GAP)
    xdotool("mousemove", bx + 120, by + 120)
    xdotool("click", "--repeat", 2, "--delay", 60, 1)
    s.wait_for_screen("the tile to turn", "turned",
                      lambda sh: region_matches(sh, bitmaps.tiles[(tile, layer % 4 + 1)], bx, by))
    # Let the old game's clock run on, past what the new one starts with.
    note(watch_label(s, layout, lambda sm: len(changes(sm)) >= 1, timeout=10))
    disturbed = s.screenshot("disturbed")
    s.keep(disturbed)

    bx, by, bw, bh = layout.at(COMMAND1)
    time.sleep(DOUBLE_CLICK_GAP)
    xdotool("mousemove", bx + bw // 2, by + bh // 2)
    xdotool("click", 1)

    def laid_out():
        sh = s.screenshot("new-game")
        try:
            return sh, read_grid(s, bitmaps, sh)
        except Failure:
            return None

    fresh, (fresh_layout, fresh_grid) = wait_for("every tile to lie on the grid again", laid_out)
    s.keep(fresh)
    check(fresh_layout.origin == layout.origin, f"the board moved: {layout.origin} -> {fresh_layout.origin}")
    s.log("new game: " + ", ".join(f"{c}->{fresh_grid[c]}" for c in sorted(fresh_grid)))
    earlier = shown[:-1]
    restarted = watch_label(s, layout, lambda sm: sm[-1][2] in earlier, timeout=len(shown) + 4)
    s.keep(restarted[-1][3], "clock-restarted")


def structure(picture):
    """Counts of dark pixels and of ink/background changes along rows and columns."""
    dark = [[max(picture.pixel(x, y)) < 110 for x in range(picture.width)] for y in range(picture.height)]
    ink = sum(map(sum, dark))
    along_rows = sum(1 for row in dark for a, b in zip(row, row[1:]) if a != b)
    along_cols = sum(1 for x in range(picture.width) for y in range(1, picture.height) if dark[y][x] != dark[y - 1][x])
    return ink, along_rows, along_cols


def check_captions(s, bitmaps):
    # A font on the system must hold every character the captions use.
    characters = sorted(set("".join(CJK_CAPTIONS.values()) + "\uFF1A") - set(":"))
    charset = " ".join(f"{ord(c):x}" for c in characters)
    fonts = run(["fc-list", f":charset={charset}", "family"]).stdout.strip()
    s.log(f"fonts holding {''.join(characters)}: {fonts.splitlines()}")
    check(fonts, "no installed font holds the captions' characters")

    shot, layout, _ = shown_board(s, bitmaps, "captions")
    real = {name: shot.crop(*layout.at(place)) for name, place in
            (("Label2", LABEL2), ("Label3", LABEL3), ("Command1", COMMAND1))}

    # The same program with only fonts that lack the characters draws
    # missing-glyph boxes: the captions must not look like that.
    control_dir = tempfile.mkdtemp(prefix="quillamon-fonts-")
    try:
        with open(os.path.join(control_dir, "fonts.conf"), "w") as f:
            f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n'
                    + "".join(f"  <dir>{d}</dir>\n" for d in ("/usr/share/fonts/truetype/dejavu",
                                                           "/usr/share/fonts/truetype/liberation2")
                              if os.path.isdir(d))
                    + f"  <cachedir>{control_dir}/cache</cachedir>\n</fontconfig>\n")
        env = dict(s.env, FONTCONFIG_FILE=os.path.join(control_dir, "fonts.conf"))
        s.stop()     # one window at a time on the screen
        with Session(s.options, env=env, tag="missing-glyphs") as control:
            boxes_shot, boxes_layout, _ = shown_board(control, bitmaps, "missing-glyphs")
            boxes = {name: boxes_shot.crop(*boxes_layout.at(place)) for name, place in
                     (("Label2", LABEL2), ("Label3", LABEL3), ("Command1", COMMAND1))}
    finally:
        shutil.rmtree(control_dir, ignore_errors=True)

    for name in ("Label2", "Label3", "Command1"):
        mine, control = real[name], boxes[name]
        mine.save_png(os.path.join(s.options.out, f"caption-{name}.png"))
        control.save_png(os.path.join(s.options.out, f"caption-{name}-missing-glyphs.png"))
        got, box = structure(mine), structure(control)
        s.log(f"{name}: ink/row changes/column changes {got}; with missing glyphs {box}")
        check(got[0] > 0, f"{name} shows no text")
        check(mine.data != control.data, f"{name} looks the same as with missing glyphs")
        # Strokes of real CJK glyphs cross a row many more times than the two
        # sides of an empty box do.
        check(got[1] > 1.3 * box[1], f"{name} has no more strokes than missing-glyph boxes: {got} vs {box}")


CHECKS = {
    "title": check_title,
    "placement": check_placement,
    "board": check_board,
    "drag": check_drag,
    "turn": check_turn,
    "clock": check_clock,
    "new_game": check_new_game,
    "captions": check_captions,
}


def print_logs(out, lines=20):
    """The last lines of every process's messages: where the run is not kept
    (a CI machine), they are all there is to tell why it failed."""
    for name in sorted(os.listdir(out)):
        if name.endswith(".log"):
            with open(os.path.join(out, name), errors="replace") as f:
                tail = f.readlines()[-lines:]
            if tail:
                print(f"--- {name} (last {len(tail)} lines):\n{''.join(tail).rstrip()}", file=sys.stderr)


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
    bitmaps = Bitmaps(options.tiles)
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
