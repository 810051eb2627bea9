"""Takes the README's screenshots from the real program: run it through run_e2e.sh with the
folder to write to as the argument."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (PROGRAM, click, list_window, press, run, tray_icon, wait_for,  # noqa: E402
                     windows_named)
from test_high_dpi import list_window_of_width  # noqa: E402


def capture(window, path, margin=0):
    geometry = window.geometry
    subprocess.run(["import", "-window", "root", "-crop",
                    f"{geometry['width'] + 2 * margin}x{geometry['height'] + 2 * margin}"
                    f"+{geometry['x'] - margin}+{geometry['y'] - margin}",
                    "+repage", path], check=True)


def with_sample_list():
    folder = tempfile.mkdtemp()
    shutil.copy(os.path.join(os.path.dirname(__file__), "..", "..", "docs", "sample-list.dat"),
                os.path.join(folder, "list.dat"))
    return folder


def at_twice_the_scale(target):
    program = subprocess.Popen([PROGRAM], cwd=with_sample_list(),
                               env=dict(os.environ, QT_SCALE_FACTOR="2"))
    try:
        x, y = tray_icon()
        click(x, y)
        window = wait_for(lambda: list_window_of_width(2 * 263), what="the list window at 2x")
        wait_for(lambda: window.viewable, what="the list window to show")
        time.sleep(0.3)
        capture(window, os.path.join(target, "list-window-2x.png"))
    finally:
        program.kill()
        program.wait()


def main(target):
    program = subprocess.Popen([PROGRAM], cwd=with_sample_list())
    try:
        x, y = tray_icon()
        click(x, y)
        window = wait_for(list_window, what="the list window")
        wait_for(lambda: window.viewable, what="the list window to show")
        time.sleep(0.3)
        capture(window, os.path.join(target, "list-window.png"))

        def shot(open_dialog, title, name):
            run("xdotool", "windowactivate", "--sync", window.id)
            open_dialog()
            dialog = wait_for(lambda: windows_named(f"^{title}$"), what=title)[0]
            time.sleep(0.5)
            capture(dialog, os.path.join(target, name), margin=30)

        geometry = window.geometry
        shot(lambda: press(window, "Insert"), "Quivanto - Add Item to List", "add-item.png")
        click(geometry["x"] + 8 + 10, geometry["y"] + 60)  # the first row
        shot(lambda: click(geometry["x"] + 190, geometry["y"] + 26),
             "Quivanto - Properties for Selected Item", "properties.png")
        shot(lambda: click(geometry["x"] + 20, geometry["y"] + 15), "About Quivanto", "about.png")
    finally:
        program.kill()
        program.wait()


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]))
    time.sleep(0.3)  # the first copy gone, the second may start
    at_twice_the_scale(os.path.abspath(sys.argv[1]))
