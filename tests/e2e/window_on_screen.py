"""Where the window's controls show on the screen: the window's definition
in twips, brought to pixels, and the board read from a screenshot."""

import math

from waiting import Failure, check
from x_session import wait_for

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

# A tile's place is that of its box, the grab point is measured inside the
# box's 1-px border: a drag puts the box's corner where the inner corner was,
# so the tile lands one pixel right of and below the pointer's offset.
PRESS_DRIFT = 1


def px(twips):
    """Nearest pixel, a half going up."""
    return math.floor(twips / TWIPS_PER_PIXEL + 0.5)


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
