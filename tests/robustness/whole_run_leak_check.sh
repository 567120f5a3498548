#!/usr/bin/env bash
# One whole game on the X server in DISPLAY: start the sanitized executable,
# drag a tile, double-click one, click the new-game button, let the clock
# tick, close the window as a user does (Alt+F4 to the window manager, which
# asks the window to close), and check that it exits with status 0 and that
# neither LeakSanitizer nor the other sanitizers reported anything.
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

work=$(mktemp -d)
cleanup() {
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The window manager keeps its settings and cache in this run's own folder.
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!

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

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillamon V1\.0' | head -n 1) ||
    fail "the window did not show"
xdotool windowactivate --sync "$window" || true

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
# At least one clock tick: nothing outside the program shows when it ran,
# so there is no condition to wait for here.
sleep 1.5

if [ "$ending" = closed-while-holding ]; then
    # Close the window in the middle of a drag, with the button still down
    # and the capture held.
    at 295 290
    xdotool mousedown 1
    at 330 310
fi
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4

status=0
timeout 60 tail --pid="$game_pid" -f /dev/null || fail "the game did not end after its window was closed"
wait "$game_pid" || status=$?
game_pid=

if grep -qE 'Sanitizer|runtime error:' "$work/stderr"; then
    fail "a sanitizer reported a fault"
fi
[ "$status" -eq 0 ] || fail "the game exited with status $status"
echo "whole_run_leak_check: the game ran, closed with status 0 and leaked nothing of its own"
cat "$work/stderr"
