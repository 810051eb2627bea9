"""The program starts into the tray, pops its list up at the pointer and ends on request."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (ProgramTest, SCREEN_HEIGHT, click, list_window, press, run,  # noqa: E402
                     tray_icon, wait_for, windows_named, work_area)

DEFAULTS = (b"Explorer                      |explorer.exe\r\n"
            b"Notepad                       |notepad.exe\r\n")


DOUBLE_CLICK_PAUSE = 0.8


class Foundation(ProgramTest):
    def test_start_click_show_hide_and_leave(self):
        program = self.start()
        wait_for(lambda: os.path.exists(self.path("list.dat")), what="list.dat")
        icon_x, icon_y = tray_icon()
        self.assertEqual(self.read("list.dat"), DEFAULTS)
        window = wait_for(list_window, what="the list window to exist")
        self.assertFalse(window.viewable, "only the tray icon may be visible after start-up")

        click(icon_x, icon_y)
        wait_for(lambda: window.viewable, what="the list window to show")
        geometry = window.geometry
        # Two rows: 1440 twips = 96 pixels high, 3945 twips = 263 wide; right edge at the
        # pointer; bottom on the top edge of trayer's 24-pixel strut.
        self.assertEqual((geometry["width"], geometry["height"]), (263, 96))
        self.assertEqual(geometry["x"] + geometry["width"], icon_x)
        _, area_y, _, area_height = work_area()
        self.assertEqual(area_y + area_height, SCREEN_HEIGHT - 24)
        self.assertEqual(geometry["y"] + geometry["height"], SCREEN_HEIGHT - 24)

        time.sleep(DOUBLE_CLICK_PAUSE)  # else the second click makes a double click
        click(icon_x, icon_y)
        wait_for(lambda: not window.viewable, what="the list window to hide")

        click(icon_x, icon_y, button=3)
        question = wait_for(lambda: windows_named("^Quivanto - Are you sure\\?$"),
                            what="the question")[0]
        self.assertFalse(window.viewable)
        press(question, "y")
        self.assertEqual(program.wait(timeout=10), 0)
        self.assertFalse(any('("quivanto" "Quivanto")' in line
                             for line in subprocess.run(["xwininfo", "-root", "-tree"],
                                                        capture_output=True, text=True)
                             .stdout.splitlines()))

    def test_right_click_no_keeps_the_icon(self):
        program = self.start()
        icon_x, icon_y = tray_icon()
        click(icon_x, icon_y)
        window = wait_for(list_window, what="the list window")
        wait_for(lambda: window.viewable, what="the list window to show")
        click(icon_x, icon_y, button=3)
        question = wait_for(lambda: windows_named("^Quivanto - Are you sure\\?$"),
                            what="the question")[0]
        press(question, "n")
        wait_for(lambda: not windows_named("^Quivanto - Are you sure\\?$"), what="the answer")
        self.assertIsNone(program.poll())
        self.assertFalse(window.viewable)
        self.assertEqual(tray_icon(), (icon_x, icon_y))

    def test_double_click_toggles_three_times(self):
        self.start()
        icon_x, icon_y = tray_icon()
        window = wait_for(list_window, what="the list window")
        run("xdotool", "mousemove", str(icon_x), str(icon_y))
        time.sleep(0.1)
        run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        wait_for(lambda: window.viewable, what="the list window to show")
        time.sleep(DOUBLE_CLICK_PAUSE)
        self.assertTrue(window.viewable, "a double click leaves the window in the opposite state")

    def test_second_instance_is_refused(self):
        first = self.start()
        tray_icon()
        second = self.start()
        box = wait_for(lambda: windows_named("^Quivanto - Multiple Instances Error$"),
                       what="the multiple instances message")[0]
        press(box, "Return")
        self.assertEqual(second.wait(timeout=10), 0)
        self.assertIsNone(first.poll(), "the first instance must be untouched")

    def test_killed_instance_does_not_block_the_next(self):
        first = self.start()
        tray_icon()
        first.kill()
        first.wait()
        time.sleep(0.3)
        self.start()
        tray_icon()
        self.assertFalse(windows_named("^Quivanto - Multiple Instances Error$"))

    def test_empty_list_file_gets_the_defaults(self):
        open(self.path("list.dat"), "wb").close()
        self.start()
        tray_icon()
        self.assertEqual(self.read("list.dat"), DEFAULTS)


if __name__ == "__main__":
    unittest.main(verbosity=2)
