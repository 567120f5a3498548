"""Waiting for a condition, for the tests that drive real programs on an X
server: poll until it holds, and fail within a bounded time, saying what was
awaited. A test never sleeps a fixed time in place of a condition."""

import time


class Failure(Exception):
    """A check found that the program did not do what it should."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, timeout, interval=0.05, gone=None):
    """Polls probe() until it returns something true, and returns that.
    Fails after timeout seconds, or at once when gone() returns a reason (say,
    the program under test has ended, so nothing will ever come)."""
    deadline = time.monotonic() + timeout
    while True:
        reason = gone() if gone else None
        if reason:
            raise Failure(f"{reason} while waiting for {what}")
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def wait_until_steady(what, look, timeout, interval=0.05, gone=None):
    """Polls look() until two looks in a row give the same value, other than
    None, and returns it: for what comes to rest in its own time, such as a
    window that a window manager may still move once it shows."""
    last = [None]

    def steady():
        now = look()
        agreed = now is not None and now == last[0]
        last[0] = now
        return now if agreed else None

    return wait_for(what, steady, timeout, interval, gone)
