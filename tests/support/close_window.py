#!/usr/bin/env python3
"""Asks the window manager to close a window, as a click on its title bar's
close button does.

    close_window.py WINDOW_ID

sends _NET_CLOSE_WINDOW for WINDOW_ID (decimal or 0x...) to the root window
of the display in DISPLAY; the window manager then sends the window
WM_DELETE_WINDOW. Unlike Alt+F4 from xdotool this involves no key: openbox
reloads its key bindings one by one when the keyboard device changes, and a
key that arrives during the reload goes to the window instead of openbox.
"""

import ctypes
import ctypes.util
import sys

CLIENT_MESSAGE = 33
SUBSTRUCTURE_NOTIFY = 1 << 19
SUBSTRUCTURE_REDIRECT = 1 << 20
SOURCE_PAGER = 2  # a request on the user's behalf, as from a pager or taskbar


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("client_message", ClientMessage), ("pad", ctypes.c_long * 24)]


def close_window(window):
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(Event)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = xlib.XOpenDisplay(None)
    if not display:
        raise RuntimeError("cannot open the display in DISPLAY")
    try:
        event = Event()
        message = event.client_message
        message.type = CLIENT_MESSAGE
        message.send_event = 1
        message.display = display
        message.window = window
        message.message_type = xlib.XInternAtom(display, b"_NET_CLOSE_WINDOW", 0)
        message.format = 32
        message.data[0] = 0  # CurrentTime
        message.data[1] = SOURCE_PAGER
        if not xlib.XSendEvent(display, xlib.XDefaultRootWindow(display), 0,
                               SUBSTRUCTURE_NOTIFY | SUBSTRUCTURE_REDIRECT, ctypes.byref(event)):
            raise RuntimeError("the X server did not take the close request")
        xlib.XSync(display, 0)
    finally:
        xlib.XCloseDisplay(display)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        close_window(int(sys.argv[1], 0))
    except (ValueError, RuntimeError) as error:
        print(f"close_window: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
