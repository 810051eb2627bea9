"""Takes the README's screenshots from the real program: run it through run_e2e.sh with the
folder to write to as the argument."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import PROGRAM, click, list_window, tray_icon, wait_for  # noqa: E402


def capture(window, path, margin=0):
    geometry = window.geometry
    subprocess.run(["import", "-window", "root", "-crop",
                    f"{geometry['width'] + 2 * margin}x{geometry['height'] + 2 * margin}"
                    f"+{geometry['x'] - margin}+{geometry['y'] - margin}",
                    "+repage", path], check=True)


def main(target):
    folder = tempfile.mkdtemp()
    shutil.copy(os.path.join(os.path.dirname(__file__), "..", "..", "docs", "sample-list.dat"),
                os.path.join(folder, "list.dat"))
    program = subprocess.Popen([PROGRAM], cwd=folder)
    try:
        x, y = tray_icon()
        click(x, y)
        window = wait_for(list_window, what="the list window")
        wait_for(lambda: window.viewable, what="the list window to show")
        time.sleep(0.3)
        capture(window, os.path.join(target, "list-window.png"))
    finally:
        program.kill()
        program.wait()


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]))
