#!/usr/bin/env bash
# Clicks Quivanto's icon in Wine's tray window with xdotool: a left click, a double click,
# a right click. Needs DISPLAY (run_windows_tests.sh provides Xvfb without a tray host,
# so Wine shows its own tray window). Usage: tray_click.sh WINE tray_click_program.exe
set -euo pipefail
wine=$1
program=$2
out=$(mktemp)
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    rm -f "$out"
}
trap cleanup EXIT

[ -n "${DISPLAY:-}" ] || { echo "tray_click: DISPLAY is not set" >&2; exit 1; }

"$wine" "$program" >"$out" 2>&1 &
pid=$!

wait_for() { # seconds, then a command that must succeed
    local limit=$(($1 * 10))
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

wait_for 30 grep -q READY "$out" || { echo "the program never put its icon up:"; cat "$out"; exit 1; }
find_tray() { tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -1) && [ -n "$tray" ]; }
wait_for 10 find_tray || { echo "no Wine tray window"; exit 1; }

# The icon is the tray's first and only one: its cell starts at the window's left edge.
xdotool mousemove --window "$tray" 10 10
sleep 0.3
xdotool click 1
sleep 0.8 # longer than the double-click time, so the next two clicks stand apart
xdotool click --repeat 2 --delay 100 1
sleep 0.8
xdotool click 3

status=0
wait_for 30 grep -q DELETED "$out" || status=1
wait "$pid" || status=$?
pid=
cat "$out"

eval "$(xdotool getmouselocation --shell)"
if ! grep -q "CURSOR $X $Y" "$out"; then
    echo "tray_click: the pointer was at $X $Y"
    status=1
fi
exit "$status"
