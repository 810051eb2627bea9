"""Takes the README's screenshots from the real program: run it through run_e2e.sh with the
folder to write to as the argument."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import PROGRAM, click, tray_icon, wait_for  # noqa: E402
from test_high_dpi import list_window_of_width  # noqa: E402


def capture(window, path, margin=0):
    geometry = window.geometry
    subprocess.run(["import", "-window", "root", "-crop",
                    f"{geometry['width'] + 2 * margin}x{geometry['height'] + 2 * margin}"
                    f"+{geometry['x'] - margin}+{geometry['y'] - margin}",
                    "+repage", path], check=True)


def take(target, name, scale):
    folder = tempfile.mkdtemp()
    shutil.copy(os.path.join(os.path.dirname(__file__), "..", "..", "docs", "sample-list.dat"),
                os.path.join(folder, "list.dat"))
    program = subprocess.Popen([PROGRAM], cwd=folder,
                               env=dict(os.environ, QT_SCALE_FACTOR=str(scale)))
    try:
        x, y = tray_icon()
        click(x, y)
        window = wait_for(lambda: list_window_of_width(263 * scale), what="the list window")
        wait_for(lambda: window.viewable, what="the list window to show")
        time.sleep(0.3)
        capture(window, os.path.join(target, name))
    finally:
        program.kill()
        program.wait()
        time.sleep(0.3)


def main(target):
    take(target, "list-window.png", 1)
    take(target, "list-window-2x.png", 2)


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]))
