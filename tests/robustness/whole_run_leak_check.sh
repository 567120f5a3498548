#!/usr/bin/env bash
# One whole game on the X server in DISPLAY, which a window manager that has
# finished starting already manages (tests/support/own_xvfb.py --wm openbox):
# start the sanitized executable, drag a tile, double-click one, click the
# new-game button, wait for a clock tick, close the window as a user does
# (the window manager asks it to close, as its close button does), and check
# that it exits with status 0 and that neither LeakSanitizer nor the other
# sanitizers reported anything.
# With "closed-while-holding" the window is closed in the middle of a drag.
#   whole_run_leak_check.sh <quillamon built with QUILLAMON_SANITIZE> <LSan suppressions> [closed-while-holding]
set -euo pipefail
program=$1
suppressions=$2
ending=${3:-closed}

case ":${ASAN_OPTIONS:-}:" in
*:detect_leaks=0:*)
    echo "whole_run_leak_check: skipped, leak detection is switched off (ASAN_OPTIONS=$ASAN_OPTIONS)"
    exit 77
    ;;
esac

support=$(cd "$(dirname "$0")/../support" && pwd)
# Seconds to wait for what should come at once; the sanitized program starts
# in well under one even on a loaded machine.
wait=15

work=$(mktemp -d)
cleanup() {
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

export QT_QPA_PLATFORM=xcb
# Options given from outside come last and win; where the caller has found
# that LeakSanitizer cannot work here (detect_leaks=0) the check is skipped.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=1"
"$program" 2>"$work/stderr" &
game_pid=$!

fail() {
    echo "whole_run_leak_check: $*" >&2
    echo "--- standard error of the game:" >&2
    cat "$work/stderr" >&2
    exit 1
}

window=$(timeout $wait xdotool search --sync --onlyvisible --name '^Quillamon V1\.0' | head -n 1) ||
    fail "the window did not show"
timeout $wait xdotool windowactivate --sync "$window" || true

# Places in the window's client area, in pixels: the panel's inner area
# begins about (15, 10); each tile is about 187 pixels square.
at() { xdotool mousemove --window "$window" --sync "$1" "$2"; }

# A drag of the top-left tile across the board.
at 108 103
xdotool mousedown 1
at 150 140
at 300 260
at 420 300
xdotool mouseup 1
# A double-click on the middle tile.
at 295 290
xdotool click --repeat 2 --delay 80 1
# A click on the new-game button.
at 675 542
xdotool click 1
# At least one clock tick in the new game: only the timer writes Label1, so
# the first change of its picture after the click shows that one has run.
label1() { import -silent -window "$window" -crop 72x26+659+14 ppm:- | md5sum; }
before=$(label1)
deadline=$((SECONDS + wait))
while [ "$(label1)" = "$before" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the clock did not tick within $wait s"
    sleep 0.05
done

if [ "$ending" = closed-while-holding ]; then
    # Close the window in the middle of a drag, with the button still down
    # and the capture held.
    at 295 290
    xdotool mousedown 1
    at 330 310
fi
python3 "$support/close_window.py" "$window" || fail "could not ask the window manager to close the window"

status=0
timeout $wait tail --pid="$game_pid" -f /dev/null || fail "the game did not end after its window was closed"
wait "$game_pid" || status=$?
game_pid=

if grep -qE 'Sanitizer|runtime error:' "$work/stderr"; then
    fail "a sanitizer reported a fault"
fi
[ "$status" -eq 0 ] || fail "the game exited with status $status"
echo "whole_run_leak_check: the game ran, closed with status 0 and leaked nothing of its own"
cat "$work/stderr"
