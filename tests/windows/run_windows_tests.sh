#!/usr/bin/env bash
# Builds the decisions layer and the win32 back end for Windows with mingw-w64 into
# build-windows/ and runs their tests under Wine: first without a display, then the tray,
# message box and screen tests under Xvfb. Installs what is missing (Debian packages).
# Extra arguments go to both ctest runs.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
build="${QUIVANTO_WINDOWS_BUILD_DIR:-$repo/build-windows}"
screen_size=1024x768

install_missing cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xdotool \
    openbox x11-utils libx11-6 python3 g++ qt6-base-dev pkg-config \
    librsvg2-bin imagemagick nsis strace

cmake -S "$repo/windows" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DQUIVANTO_WERROR=ON
cmake --build "$build" -j "$(nproc)"

export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all
xvfb_pid=
keeper_pid=
openbox_pid=
strut_pid=
stop_wine() {
    [ -n "$keeper_pid" ] && kill "$keeper_pid" 2>/dev/null || true
    keeper_pid=
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
finish() {
    stop_wine
    [ -n "$strut_pid" ] && kill "$strut_pid" 2>/dev/null || true
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap finish EXIT

# One server stays up for all tests (otherwise each test waits for it to time out after
# its last process), Wine's services start once and quietly, and a keeper holds the
# desktop, which Wine would otherwise close after the first test for good.
start_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver -p
    wine wineboot >/dev/null 2>&1
    wine "$build/bin/desktop_keeper.exe" >/dev/null 2>&1 &
    keeper_pid=$!
}

cd "$build"
echo "== Windows tests under Wine, no display"
unset DISPLAY WAYLAND_DISPLAY
start_wine
status=0
ctest -L '^wine$' --output-on-failure "$@" || status=$?
# The server and desktop of the display-less run must be gone before a display appears,
# or Wine goes on without one.
stop_wine

echo "== The list's crash states under Wine, each Wine with a server of its own"
ctest -L '^wine_crash$' --output-on-failure "$@" || status=$?
wineserver -w 2>/dev/null || true

echo "== Windows tests under Wine on Xvfb ($screen_size)"
display_file="$build/xvfb-display"
rm -f "$display_file"
Xvfb -displayfd 1 -screen 0 "${screen_size}x24" -nolisten tcp >"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$display_file")"
export QUIVANTO_TEST_SCREEN=$screen_size
start_wine
# Wine's windows on a loaded machine now and then miss a deadline; a real fault fails twice.
ctest -L '^wine_display$' --output-on-failure --repeat until-pass:2 "$@" || status=$?

# The X program the tour drags a file from: the Linux build's, or built here.
drag_source="${QUIVANTO_DRAG_SOURCE:-$repo/build/tests/drag_source}"
if [ ! -x "$drag_source" ]; then
    drag_source="$build/tour/drag_source"
    mkdir -p "$build/tour"
    g++ -std=c++20 -O1 -fPIC "$repo/tests/e2e/tools/drag_source.cpp" -o "$drag_source" \
        $(pkg-config --cflags --libs Qt6Widgets)
fi

echo "== The program's tour under Wine on Xvfb ($screen_size) with a window manager"
stop_wine
openbox >/dev/null 2>&1 &
openbox_pid=$!
start_wine
python3 "$repo/tests/windows/tour/tour.py" "$(command -v wine)" "$build/bin/quivanto.exe" \
    "$build/bin/window_probe.exe" "$drag_source" || status=$?

echo "== The list beside a 48-pixel bottom taskbar, by mouse and by key"
stop_wine
# Wine reads the work area once, when its server starts: the strut must be there first.
python3 "$repo/tests/windows/tour/bottom_strut.py" 48 >/dev/null 2>&1 &
strut_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q "= 0, 0, [0-9]*, $((${screen_size#*x} - 48))," &&
        break
    sleep 0.1
done
start_wine
python3 "$repo/tests/windows/tour/tour.py" "$(command -v wine)" "$build/bin/quivanto.exe" \
    "$build/bin/window_probe.exe" "$drag_source" --taskbar || status=$?
exit "$status"
