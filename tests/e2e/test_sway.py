"""sway 1.7, headless, with waybar 0.9.17 in Debian's default configuration: a 30 px bar at
the top, its StatusNotifier tray at the right end. The program runs through XWayland, where
sway centres every window it maps. A virtual pointer clicks waybar as a user would; wtype
types. Run by run_sway.sh."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import ProgramTest, list_window, wait_for, windows_named  # noqa: E402

POINTER = os.path.join(os.path.dirname(__file__), "tools", "virtual_pointer.py")
BAR = (0, 0, 1024, 30)
TRAY = (904, 0, 120, 30)  # the right end of the bar, where its tray is


def green_box(box):
    """Where the icon's green is in a box of the Wayland screen, as (left, top, right,
    bottom) in the box, or None. Other modules of the bar have lighter greens."""
    x, y, width, height = box
    data = subprocess.run(["grim", "-t", "ppm", "-g", f"{x},{y} {width}x{height}", "-"],
                          capture_output=True).stdout
    pixels = data[data.index(b"255\n") + 4:] if b"255\n" in data else b""
    xs, ys = [], []
    for at in range(0, min(len(pixels), width * height * 3), 3):
        red, green, blue = pixels[at], pixels[at + 1], pixels[at + 2]
        if 100 < green < 170 and red < 40 and blue < 40:  # the icon's own green
            xs.append((at // 3) % width)
            ys.append((at // 3) // width)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


class Sway(ProgramTest):
    @classmethod
    def setUpClass(cls):
        cls.pointer_process = subprocess.Popen(["/usr/bin/python3", POINTER, "1024", "768"],
                                               stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                               text=True)
        assert cls.pointer_process.stdout.readline().strip() == "ok"
        # A keyboard on the seat all along: keys typed later reach the focused window.
        cls.keyboard = subprocess.Popen(["wtype", "-s", "3600000", "-k", "F24"])

    @classmethod
    def tearDownClass(cls):
        for process in (cls.keyboard, cls.pointer_process):
            process.kill()
            process.wait()

    def pointer(self, command):
        self.pointer_process.stdin.write(command + "\n")
        self.pointer_process.stdin.flush()
        self.assertEqual(self.pointer_process.stdout.readline().strip(), "ok")

    def icon(self):
        last, stable = None, 0
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            box = green_box(TRAY)
            if box is not None and box == last:
                stable += 1
                if stable >= 3:
                    return (TRAY[0] + (box[0] + box[2]) // 2, TRAY[1] + (box[1] + box[3]) // 2)
            else:
                stable = 0
            last = box
            time.sleep(0.1)
        raise AssertionError("the icon did not appear in waybar")

    def resident(self):
        program = self.start()
        x, y = self.icon()
        self.pointer(f"move {x} {y}")
        return program, (x, y)

    def shown(self):
        window = list_window()
        return window is not None and window.viewable

    def key(self, name):
        subprocess.run(["wtype", "-k", name])

    def open_the_list(self):
        self.pointer("click 1")
        wait_for(self.shown, what="the list window")
        time.sleep(0.3)  # sway has placed it by now
        return list_window().geometry

    def test_the_list_opens_beside_the_bar(self):
        self.resident()
        g = self.open_the_list()
        self.assertEqual(g["y"], BAR[3], "the list does not hang from the bar")
        # No place is known for waybar's icon: the list hangs from the bar's right end, its
        # right edge on the last column of the room the bar leaves.
        self.assertIn(g["x"] + g["width"], (1023, 1024))

    def test_the_list_stands_where_it_was_put_and_takes_the_keyboard(self):
        self.resident()
        g = self.open_the_list()
        # Not where sway centres the windows it maps: the middle of the room the bar leaves.
        middle = ((1024 - 263) // 2, BAR[3] + (768 - BAR[3] - g["height"]) // 2)
        self.assertNotEqual(g["x"], middle[0])
        self.assertNotEqual(g["y"], middle[1])
        self.key("Escape")
        wait_for(lambda: not self.shown(), what="Escape to hide the list")
        time.sleep(0.7)
        self.pointer("click 1")
        wait_for(self.shown, what="the list window")
        time.sleep(0.3)
        self.key("Insert")
        wait_for(lambda: windows_named("^Quivanto - Add Item to List$"),
                 what="Insert to open the Add Item dialog")

    def test_a_double_click_ends_shown(self):
        self.resident()
        self.pointer("double 1 80")  # waybar sends three Activate calls for it
        wait_for(self.shown, what="the list window")
        time.sleep(1.0)
        self.assertTrue(self.shown())


if __name__ == "__main__":
    unittest.main(verbosity=2)
