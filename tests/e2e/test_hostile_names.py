"""Targets with hostile names open exactly themselves: no shell, no option, no other file."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (ProgramTest, click, list_window, press, run, tray_icon,  # noqa: E402
                     wait_for, windows_named)

LIST_LEFT, LIST_TOP, ROW = 8, 48, 13  # the list inside the window, in pixels
DOUBLE_CLICK_PAUSE = 0.8

# Records its own name and every argument exactly, line breaks and all.
SPY = b"""#!/bin/sh
{ printf '%s\\036' "$0" "$#" "$@"; printf '\\035'; } >> "$QUIVANTO_SPY_LOG"
"""

# Documents, named as an attacker would name them; each must reach xdg-open alone, whole.
DOCUMENTS = [b"$(touch pwned).txt", b"a;touch pwned;b.txt", b"`touch pwned`.txt",
             b"x' \"y\" | touch pwned & z > w.txt", b"caf\xe9 \xff.txt",
             b"tab\tand\x1bescape.txt"]
# (A name with a line break cannot be a line of the list: drops refuse it.)
PROGRAM_NAME = b"tool;touch pwned.sh"  # an executable: started directly, with no argument


def line(description, target):
    return description.ljust(30).encode() + b"|" + target + b"\r\n"


class HostileNames(ProgramTest):
    def setUp(self):
        super().setUp()
        folder = os.fsencode(self.folder)
        spy_bin = os.path.join(self.folder, "spy-bin")
        os.mkdir(spy_bin)
        self.spy = os.path.join(spy_bin, "xdg-open")
        with open(self.spy, "wb") as f:
            f.write(SPY)
        os.chmod(self.spy, 0o755)
        self.log = self.path("spy.log")
        self.env = dict(os.environ, PATH=spy_bin + os.pathsep + os.environ["PATH"],
                        QUIVANTO_SPY_LOG=self.log)
        for name in DOCUMENTS:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(b"x")
        self.program_file = os.path.join(folder, PROGRAM_NAME)
        with open(self.program_file, "wb") as f:
            f.write(SPY)
        os.chmod(self.program_file, 0o755)
        with open(os.path.join(folder, b"-rf --help"), "wb") as f:
            f.write(b"x")
        with open(os.path.join(folder, b"Help.html"), "wb") as f:
            f.write(b"x")
        # Rows sort by description: row i is entry i.
        self.expected = [(os.path.join(folder, name), 1) for name in DOCUMENTS]
        rows = [line(f"Hostile {i}", os.path.join(folder, name))
                for i, name in enumerate(DOCUMENTS)]
        rows.append(line("Hostile 6", self.program_file))
        self.expected.append((self.program_file, 0))
        rows.append(line("Hostile 7", b"-rf --help"))  # relative, from the working folder
        self.expected.append((os.path.join(folder, b"-rf --help"), 1))
        # The system would read this name only up to its zero byte, and open Help.html.
        rows.append(line("Hostile 8", b"Help.html\0 --evil"))
        with open(self.path("list.dat"), "wb") as f:
            f.write(b"".join(rows))

    def calls(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, "rb") as f:
            records = f.read().split(b"\x1d")[:-1]
        return [record.split(b"\x1e")[:-1] for record in records]

    def launch_row(self, window, icon, index):
        if not window.viewable:
            time.sleep(DOUBLE_CLICK_PAUSE)
            click(*icon)
            wait_for(lambda: window.viewable, what="the list window to show")
        geometry = window.geometry
        click(geometry["x"] + LIST_LEFT + 40, geometry["y"] + LIST_TOP + ROW * index + ROW // 2)
        press(window, "Return")

    def test_each_target_opens_itself_alone(self):
        program = self.start(env=self.env)
        icon = tray_icon()
        window = wait_for(list_window, what="the list window")
        for index, (target, arguments) in enumerate(self.expected):
            self.launch_row(window, icon, index)
            wait_for(lambda: len(self.calls()) == index + 1, what=f"row {index} to open")
            called, count, *given = self.calls()[index]
            if arguments == 0:  # the program itself, started without a shell
                self.assertEqual((called, count, given), (target, b"0", []))
            else:
                self.assertEqual((called, count, given), (os.fsencode(self.spy), b"1", [target]))
            wait_for(lambda: not window.viewable, what="the list to hide after a launch")

        self.launch_row(window, icon, len(self.expected))
        box = wait_for(lambda: windows_named("^Quivanto - File not found!$"),
                       what="the zero byte to be refused")[0]
        press(box, "Return")
        time.sleep(0.5)
        self.assertEqual(len(self.calls()), len(self.expected))
        self.assertIsNone(program.poll())
        found = run("find", self.folder, "-name", "pwned*")
        self.assertEqual(found, "", "a shell ran part of a name")


if __name__ == "__main__":
    unittest.main(verbosity=2)
