"""tint2 with Debian's default configuration: a 30 px bottom panel with a taskbar and an
XEmbed tray. Run without the harness's own tray (QUIVANTO_E2E_NO_TRAY=1)."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from panels import PanelTest  # noqa: E402


class Tint2(PanelTest):
    command = ["tint2", "-c", "/etc/xdg/tint2/tint2rc"]
    panel_class = "tint2"
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
