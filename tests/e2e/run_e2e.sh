#!/usr/bin/env bash
# Runs an end-to-end test against a real X server: Xvfb, a private session bus, an
# openbox window manager and a trayer notification area. Usage: run_e2e.sh PROGRAM TEST.py [args]
set -euo pipefail

program=$(readlink -f "$1")
test_script=$(readlink -f "$2")
shift 2

work=$(mktemp -d /tmp/quivanto-e2e.XXXXXX)
# A private runtime folder: the single-instance lock of this test is its own.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself, so tests running side by side never collide.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not answer on $DISPLAY"; cat "$work/xvfb.log"; exit 1; }

# A private session bus, so no Qt process autolaunches one that outlives the test.
dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 >"$work/dbus" 2>&1
DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$work/dbus")
pids+=("$(sed -n 2p "$work/dbus")")
export DBUS_SESSION_BUS_ADDRESS

if [ "${QUIVANTO_E2E_ACCESSIBILITY:-0}" = 1 ]; then
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
    pids+=($!)
    sleep 0.5
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

# Trayer reserves its strip only when a window manager already runs.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
    sleep 0.05
done

if [ "${QUIVANTO_E2E_NO_TRAY:-0}" != 1 ]; then
    trayer --edge bottom --align right --SetDockType true --SetPartialStrut true \
        --widthtype request --height 24 >"$work/trayer.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && break
        sleep 0.05
    done
fi

export QUIVANTO_PROGRAM="$program"
export QUIVANTO_E2E_WORK="$work"
unset QT_QPA_PLATFORM
/usr/bin/python3 -W ignore::DeprecationWarning -W ignore::ImportWarning -W ignore::ResourceWarning "$test_script" "$@"
