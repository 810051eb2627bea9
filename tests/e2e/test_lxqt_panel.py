"""lxqt-panel 1.2 with LXQt's default panel: 32 px at the bottom, a taskbar and a
StatusNotifier tray that opens the icon's menu on a right click. Run without the harness's
own tray (QUIVANTO_E2E_NO_TRAY=1)."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from panels import PanelTest  # noqa: E402


class LxqtPanel(PanelTest):
    command = ["lxqt-panel"]
    # LXQt's session reads its defaults from /usr/share; a fresh configuration each run.
    environment = {"XDG_CONFIG_DIRS": "/etc/xdg:/usr/share",
                   "XDG_CONFIG_HOME": os.path.join(os.environ.get("QUIVANTO_E2E_WORK", "/tmp"),
                                                   "lxqt-config")}
    panel_class = "lxqt-panel"
    panel_side = "bottom"

    def test_the_list_is_no_task(self):
        self.check_the_list_is_no_task()

    def test_the_list_opens_beside_the_panel(self):
        self.check_the_list_opens_beside_the_panel()

    def test_a_double_click_ends_shown(self):
        self.check_a_double_click_ends_shown()

    def test_a_second_right_click_asks_nothing_more(self):
        self.check_a_second_right_click_asks_nothing_more()


if __name__ == "__main__":
    unittest.main(verbosity=2)
