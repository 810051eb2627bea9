# Shared by scripts/run and scripts/test: install what is missing, then build.
# shellcheck shell=bash

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${QUIVANTO_BUILD_DIR:-$repo/build}"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_missing() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# What building and running need (the build includes the tests, which use GoogleTest's
# sources).
build_packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libxcb1-dev xdg-utils
    fonts-urw-base35 fonts-dejavu-core googletest)
# What the tests need besides: a real X server, a window manager, a tray host, tools
# that click and read windows from outside, an accessibility bus; clang with libFuzzer; the
# validators and tools that build the Debian package, check it and install it into a fresh
# Debian root; a real StatusNotifier tray (xfce4-panel), and D-Bus for a fake one and for
# a fake desktop portal; the panels of other desktops (LXQt, MATE, tint2) and a headless
# sway session with waybar, XWayland, a key typist and a screenshot tool.
test_packages=(xvfb xauth xdotool x11-utils imagemagick trayer openbox dbus-x11 dbus-daemon
    at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0 xfce4-panel xfconf python3-dbus
    python3-gi
    lxqt-panel mate-panel tint2 sway waybar xwayland wtype grim
    clang-format clang libclang-rt-14-dev strace
    desktop-file-utils appstream dpkg-dev lintian man-db debootstrap)

build_quivanto() {
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build" -j "$(nproc)"
}
