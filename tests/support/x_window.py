"""What xwininfo tells of a window, for the tests that drive real programs on
an X server."""

import re
import subprocess


def client_geometry(window):
    """The window's client area on the screen as (x, y, width, height), or
    None while it is not viewable."""
    out = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True).stdout
    if "IsViewable" not in out:
        return None
    field = lambda name: int(re.search(name + r":\s+(-?\d+)", out).group(1))
    return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))
