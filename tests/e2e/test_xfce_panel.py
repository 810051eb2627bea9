"""A real StatusNotifier host: xfce4-panel 4.18 with its status tray, clicked as a user
clicks it. Run without the harness's XEmbed tray (QUIVANTO_E2E_NO_TRAY=1)."""

import os
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (Window, click, list_window, on_screen_windows, press, run,  # noqa: E402
                     wait_for, windows_named, work_area)
import panels  # noqa: E402

XFCONFD = "/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd"
PANEL_CONFIG = os.path.join(os.path.dirname(__file__), "xfce", "xfce4-panel.xml")


class XfcePanel(panels.PanelProgram):
    @classmethod
    def setUpClass(cls):
        work = os.environ["QUIVANTO_E2E_WORK"]
        config = os.path.join(work, "xfce-config")
        channel_folder = os.path.join(config, "xfce4", "xfconf", "xfce-perchannel-xml")
        os.makedirs(channel_folder)
        shutil.copy(PANEL_CONFIG, channel_folder)
        env = dict(os.environ, XDG_CONFIG_HOME=config, NO_AT_BRIDGE="1")
        log = open(os.path.join(work, "panel.log"), "wb")
        cls.daemons = [subprocess.Popen([XFCONFD], env=env, stdout=log, stderr=log),
                       subprocess.Popen(["xfce4-panel"], env=env, stdout=log, stderr=log)]
        log.close()
        ids = wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--class",
                                   "xfce4-panel").split(), timeout=20, what="the panel")
        g = Window(ids[0]).geometry
        cls.panel_box = (g["x"], g["y"], g["width"], g["height"])

    @classmethod
    def tearDownClass(cls):
        for daemon in reversed(cls.daemons):
            daemon.kill()
            daemon.wait()

    def test_a_click_opens_the_list_at_the_icon_and_another_hides_it(self):
        _, (x, y) = self.resident()
        click(x, y)
        wait_for(self.shown, what="the list window")
        geometry = list_window().geometry
        self.assertEqual(geometry["x"] + geometry["width"], x)
        # Edge to edge with the panel's strut, whatever its height.
        _, area_y, _, area_height = work_area()
        self.assertLess(area_y + area_height, 768, "the panel reserves its strip")
        self.assertEqual(geometry["y"] + geometry["height"], area_y + area_height)
        time.sleep(0.7)
        click(x, y)
        wait_for(lambda: not self.shown(), what="the list window to hide")

    def test_a_double_click_ends_shown(self):
        _, (x, y) = self.resident()
        run("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        wait_for(self.shown, what="the list window")
        time.sleep(1.0)
        self.assertTrue(self.shown())

    def test_a_right_click_offers_to_leave_the_tray(self):
        program, (x, y) = self.resident()
        before = on_screen_windows()
        click(x, y, button=3)
        # The panel pops the menu it reads from us over the bus (its own would be taller);
        # the release of a quick click can land on the entry at once and choose it.
        question = "^Quivanto - Are you sure\\?$"
        found = wait_for(lambda: windows_named(question) or
                         [g for wid, g in on_screen_windows().items()
                          if wid not in before and g[2] >= 100 and 10 < g[3] < 60],
                         what="the icon's menu")
        if not windows_named(question):
            left, top, width, height = found[0]
            time.sleep(0.3)
            click(left + width // 2, top + height // 2)  # its one entry
        box = wait_for(lambda: windows_named(question), what="the question")[0]
        press(box, "Escape")  # No
        wait_for(lambda: not windows_named(question), what="the question to close")
        self.assertIsNone(program.poll())


if __name__ == "__main__":
    unittest.main(verbosity=2)
