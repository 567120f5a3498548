"""The checks of the real program on a real X server, one per e2e run:
each gets the running session and the committed bitmaps, drives the window
with real pointer events and judges it from screenshots."""

import os
import re
import shutil
import tempfile
import time

from waiting import Failure, check
from images import load_bmp, region_matches
from window_on_screen import (COMMAND1, LABEL1, LABEL2, LABEL3, MODEL_FRAME_BOTTOM,
                              MODEL_FRAME_LEFT, MODEL_FRAME_RIGHT, MODEL_FRAME_TOP, OUTER_HEIGHT, OUTER_WIDTH,
                              PANEL_LEFT, PANEL_TOP, PICTURE6, PRESS_DRIFT, TWIPS_PER_PIXEL, px, read_grid,
                              shown_board)
from x_session import Session, run, screen_size, wait_for, xdotool, xprop_string, xprop_value

CAPTION = re.compile(r"^Quillamon V1\.0 {28}dorn_pell {2}\S+@\S+\.\S+$")
CJK_CAPTIONS = {"Label2": "双击图片逆时针旋转", "Label3": "计时:", "Command1": "更新"}

# No pause is needed between separate clicks: a press pairs into a
# double-click only with the one before it on the same control, within a few
# pixels of it, and never with the second press of a double-click.


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
    # Four double-clicks go once round the layers and back to the start, each
    # on the picture the one before it showed.
    for step in range(4):
        nxt = (tile, layer % 4 + 1)
        xdotool("mousemove", *centre)
        xdotool("click", "--repeat", 2, "--delay", 60, 1)
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
    xdotool("mousemove", bx + 120, by + 120)
    xdotool("click", "--repeat", 2, "--delay", 60, 1)
    s.wait_for_screen("the tile to turn", "turned",
                      lambda sh: region_matches(sh, bitmaps.tiles[(tile, layer % 4 + 1)], bx, by))
    # Let the old game's clock run on, past what the new one starts with.
    note(watch_label(s, layout, lambda sm: len(changes(sm)) >= 1, timeout=10))
    disturbed = s.screenshot("disturbed")
    s.keep(disturbed)

    bx, by, bw, bh = layout.at(COMMAND1)
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
