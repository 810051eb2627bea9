#!/usr/bin/env bash
# Runs an end-to-end test in a headless sway session with waybar (Debian's default
# configuration) and XWayland. Sway refuses to run as root, so the session, the program and
# the test run as an unprivileged user made for the purpose.
# Usage: run_sway.sh PROGRAM TEST.py [args]
set -euo pipefail

program=$(readlink -f "$1")
test_script=$(readlink -f "$2")
shift 2
user=quivanto-e2e

if [ "$(id -u)" -eq 0 ]; then
    id "$user" >/dev/null 2>&1 ||
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user"
    work=$(mktemp -d /tmp/quivanto-sway.XXXXXX)
    chown "$user:" "$work"
    trap 'rm -rf "$work"' EXIT
    setpriv --reuid="$user" --regid="$user" --clear-groups --reset-env \
        env PATH="$PATH" QUIVANTO_SWAY_WORK="$work" "$0" "$program" "$test_script" "$@"
    exit $?
fi

work=${QUIVANTO_SWAY_WORK:-$(mktemp -d /tmp/quivanto-sway.XXXXXX)}
export HOME="$work" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME"
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap cleanup EXIT

dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 >"$work/dbus" 2>&1
DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$work/dbus")
pids+=("$(sed -n 2p "$work/dbus")")
export DBUS_SESSION_BUS_ADDRESS

cat >"$work/sway.config" <<CONFIG
xwayland enable
output HEADLESS-1 resolution 1024x768 position 0 0
bar {
    swaybar_command waybar
}
exec echo "\$DISPLAY" > "$work/display"
CONFIG
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway --config "$work/sway.config" >"$work/sway.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
    [ -s "$work/display" ] && compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" >/dev/null && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "sway did not start"; cat "$work/sway.log"; exit 1; }
SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" | head -n1)
WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*" | grep -v lock | head -n1)")
DISPLAY=$(head -n1 "$work/display")
export SWAYSOCK WAYLAND_DISPLAY DISPLAY

export QUIVANTO_PROGRAM="$program"
export QUIVANTO_E2E_WORK="$work"
unset QT_QPA_PLATFORM
/usr/bin/python3 -W ignore::DeprecationWarning -W ignore::ResourceWarning "$test_script" "$@"
