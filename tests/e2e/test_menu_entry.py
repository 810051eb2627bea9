"""Installed with `cmake --install`, the menu entry's command starts the real program in the
user's data folder, which it makes, with the help linked there; started by hand, the
program keeps its list in the current folder. Usage: test_menu_entry.py BUILD_DIR"""

import os
import shlex
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import ProgramTest, tray_icon, wait_for  # noqa: E402

BUILD = sys.argv.pop(1) if len(sys.argv) > 1 else ""
APP_ID = "org.quivanto.Quivanto"
DEFAULTS = (b"Explorer                      |explorer.exe\r\n"
            b"Notepad                       |notepad.exe\r\n")


def exec_line(entry):
    with open(entry, encoding="utf-8") as f:
        for line in f:
            if line.startswith("Exec="):
                return shlex.split(line[len("Exec="):].strip())
    raise AssertionError(f"{entry} has no Exec line")


class MenuEntry(ProgramTest):
    def setUp(self):
        super().setUp()
        self.prefix = self.path("prefix")
        subprocess.run(["cmake", "--install", BUILD, "--prefix", self.prefix],
                       check=True, capture_output=True)

    def test_menu_and_autostart_entries_keep_the_list_in_the_data_folder(self):
        for entry in (f"share/applications/{APP_ID}.desktop",
                      f"share/quivanto/autostart/{APP_ID}.desktop"):
            with self.subTest(entry=entry):
                data_home = self.path(f"data-{len(self.processes)}")
                # As a desktop starts it: from the user's home, the command found on the PATH.
                env = dict(os.environ, XDG_DATA_HOME=data_home,
                           PATH=os.path.join(self.prefix, "bin") + os.pathsep + os.environ["PATH"])
                log = open(self.path(f"session-{len(self.processes)}.log"), "wb")
                process = subprocess.Popen(exec_line(os.path.join(self.prefix, entry)),
                                           cwd=self.folder, env=env, stdout=log,
                                           stderr=subprocess.STDOUT)
                log.close()
                self.processes.append(process)
                tray_icon()
                folder = os.path.join(data_home, "quivanto")
                wait_for(lambda: os.path.exists(os.path.join(folder, "list.dat")), what="list.dat")
                with open(os.path.join(folder, "list.dat"), "rb") as f:
                    self.assertEqual(f.read(), DEFAULTS)
                self.assertEqual(os.path.realpath(os.path.join(folder, "Help.html")),
                                 os.path.realpath(os.path.join(self.prefix,
                                                               "share/quivanto/Help.html")))
                self.assertFalse(os.path.exists(self.path("list.dat")))
                process.kill()
                process.wait()

    def test_started_by_hand_it_keeps_the_list_in_the_current_folder(self):
        self.processes.append(subprocess.Popen([os.path.join(self.prefix, "bin", "quivanto")],
                                               cwd=self.folder, stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL))
        tray_icon()
        wait_for(lambda: os.path.exists(self.path("list.dat")), what="list.dat")
        self.assertEqual(self.read("list.dat"), DEFAULTS)


if __name__ == "__main__":
    unittest.main(verbosity=2)
