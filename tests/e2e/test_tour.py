"""A user's tour of the real program: tray, keys, buttons, dialogs, help, drop, launch.

Messages are read the way a screen reader reads them, over the accessibility bus."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (Accessible, ProgramTest, click, list_window, press, run,  # noqa: E402
                     spied, spy_environment, tray_icon, wait_for, windows_named)

DRAG_SOURCE = os.environ.get("QUIVANTO_DRAG_SOURCE", "")
LIST_LEFT, LIST_TOP, ROW = 8, 48, 13  # the list inside the window, in pixels
CR = "\n"  # the accessibility bus reads the message's line breaks as new lines


def line(description, target):
    return (description.ljust(30) + "|" + target).encode() + b"\r\n"


class Tour(ProgramTest):
    def setUp(self):
        super().setUp()
        self.env, self.spy_log = spy_environment(self.folder)
        self.a11y = Accessible()
        self.readme = os.path.join(self.folder, "readme.txt")
        with open(self.readme, "w") as f:
            f.write("read me\n")
        with open(self.path("list.dat"), "wb") as f:
            f.write(line("Explorer", "explorer.exe") + line("Notepad", "notepad.exe") +
                    line("Readme", self.readme))
        self.program = self.start(env=self.env)
        self.icon = tray_icon()
        self.window = wait_for(list_window, what="the list window")

    def show_list(self):
        if not self.window.viewable:
            click(*self.icon)
            wait_for(lambda: self.window.viewable, what="the list window to show")
        run("xdotool", "windowactivate", "--sync", self.window.id)

    def key(self, name):
        press(self.window, name)

    def row_point(self, index):
        geometry = self.window.geometry
        return geometry["x"] + LIST_LEFT + 40, geometry["y"] + LIST_TOP + ROW * index + ROW // 2

    def select_row(self, index):
        click(*self.row_point(index))

    def test_keys_buttons_and_dialogs(self):
        self.show_list()
        # Insert opens the Add Item dialog; Insert again gives one fresh dialog.
        self.key("Insert")
        first = wait_for(lambda: windows_named("^Quivanto - Add Item to List$"),
                         what="the Add Item dialog")[0]
        self.show_list()
        self.key("Insert")
        wait_for(lambda: [w for w in windows_named("^Quivanto - Add Item to List$")
                          if w.id != first.id], what="a fresh Add Item dialog")
        self.assertEqual(len(windows_named("^Quivanto - Add Item to List$")), 1)

        # The About area on the banner opens the About box, closing the Add Item dialog.
        geometry = self.window.geometry
        click(geometry["x"] + 20, geometry["y"] + 15)
        wait_for(lambda: windows_named("^About Quivanto$"), what="the About box")
        wait_for(lambda: not windows_named("^Quivanto - Add Item to List$"),
                 what="the Add Item dialog to close")

        # Esc hides the list and closes the About box.
        self.show_list()
        self.key("Escape")
        wait_for(lambda: not self.window.viewable, what="Esc to hide the list")
        wait_for(lambda: not windows_named("^About Quivanto$"), what="the About box to close")

    def test_help_missing_then_present(self):
        self.show_list()
        self.key("F1")
        text = self.a11y.answer("Quivanto - Error Occured!", "OK")
        self.assertEqual(text, "The help file could not be found. Please reinstall Quivanto.")
        self.assertEqual(spied(self.spy_log), [])

        with open(self.path("Help.html"), "w") as f:
            f.write("<html><body>help</body></html>")
        self.show_list()
        self.key("F1")
        wait_for(lambda: spied(self.spy_log), what="the help to be opened")
        self.assertEqual(spied(self.spy_log), [self.path("Help.html")])
        self.assertTrue(self.window.viewable, "help leaves the list shown")

    def test_delete_asks_and_rewrites_the_list(self):
        self.show_list()
        self.select_row(0)  # Explorer
        self.key("Delete")
        text = self.a11y.answer("Quivanto - Are you sure?", "Yes")
        self.assertEqual(text, "Are you sure that you want to remove the selected item from your "
                               "Quivanto list?" + CR + CR + "DESCRIPTION: Explorer" + " " * 22 +
                         CR + "FILE NAME: explorer.exe")
        wait_for(lambda: b"explorer.exe" not in self.read("list.dat"), what="the rewrite")
        self.assertEqual(self.read("list.dat"),
                         line("Notepad", "notepad.exe") + line("Readme", self.readme))
        self.assertFalse(os.path.exists(self.path("temp.dat")))

    def test_enter_and_double_click_launch_through_the_desktop(self):
        self.show_list()
        self.select_row(2)  # Readme
        self.key("Return")
        wait_for(lambda: spied(self.spy_log), what="Enter to launch")
        self.assertEqual(spied(self.spy_log), [self.readme])
        wait_for(lambda: not self.window.viewable, what="the list to hide after a launch")

        self.show_list()
        x, y = self.row_point(0)  # Explorer: the file manager on the home folder
        run("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        run("xdotool", "click", "--repeat", "2", "--delay", "60", "1")
        wait_for(lambda: len(spied(self.spy_log)) == 2, what="the double-click to launch")
        self.assertEqual(spied(self.spy_log)[1], os.path.expanduser("~"))

    def test_missing_target_is_reported_and_the_list_stays(self):
        os.remove(self.readme)
        self.show_list()
        self.select_row(2)
        self.key("Return")
        text = self.a11y.answer("Quivanto - File not found!", "OK")
        self.assertEqual(text, "The program that you selected does not exist anymore! Please "
                               "remove it from your Quivanto list." + CR + CR +
                         "DESCRIPTION: Readme" + " " * 24 + CR + "FILE NAME: " + self.readme)
        self.assertTrue(self.window.viewable)
        self.assertEqual(spied(self.spy_log), [])

    def test_drop_from_another_program_adds_the_item(self):
        dropped = os.path.join(self.folder, "dropped file.txt")
        with open(dropped, "w") as f:
            f.write("x")
        self.show_list()
        source = subprocess.Popen([DRAG_SOURCE, dropped])
        self.processes.append(source)
        wait_for(lambda: windows_named("^Quivanto test drag source$"), what="the drag source")
        time.sleep(0.3)
        run("xdotool", "mousemove", "160", "140")
        time.sleep(0.2)
        run("xdotool", "mousedown", "1")
        target_x, target_y = self.row_point(1)
        for step in range(1, 21):
            x = 160 + (target_x - 160) * step // 20
            y = 140 + (target_y - 140) * step // 20
            run("xdotool", "mousemove", str(x), str(y))
            time.sleep(0.03)
        time.sleep(0.3)
        run("xdotool", "mouseup", "1")
        expected = line("dropped file.txt", dropped)
        wait_for(lambda: self.read("list.dat").endswith(expected), what="the dropped item")
        self.assertEqual(self.read("list.dat").count(b"\r\n"), 4)
        self.assertEqual(self.window.geometry["height"], 96 + 2 * ROW)  # one row taller


if __name__ == "__main__":
    unittest.main(verbosity=2)
