"""mate-panel 1.27 with MATE's default layout: the tray on a 25 px panel at the top, the
window list and the workspace switcher on one at the bottom. Its notification area shows
its XEmbed tray before its StatusNotifier host registers. Run without the harness's own
tray (QUIVANTO_E2E_NO_TRAY=1)."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import tree_lines, wait_for, windows_named  # noqa: E402
import panels  # noqa: E402


class MatePanel(panels.PanelTest):
    command = ["mate-panel"]
    environment = {"GSETTINGS_BACKEND": "memory"}  # the default layout, afresh each run
    panel_class = "mate-panel"
    panel_side = "top"

    def taskbar_box(self, icon_x):
        # The window list and the workspace switcher, which draws every window too.
        return (0, 768 - 24, 1024, 24)

    def test_a_panel_started_after_the_program_still_asks(self):
        self.stop_panel()
        self.start(env=dict(os.environ, NO_AT_BRIDGE="1"))
        self.addCleanup(self.end_program)
        time.sleep(1.0)  # the program waits for a tray meanwhile
        self.start_panel()
        x, y = self.icon()
        # Our icon is the StatusNotifier item, not an XEmbed icon docked beside it.
        self.assertFalse([line for line in tree_lines()
                          if '("quivanto" "Quivanto")' in line and "22x22" in line])
        self.right_click(x, y)
        wait_for(lambda: windows_named(panels.QUESTION), what="the question")


if __name__ == "__main__":
    unittest.main(verbosity=2)
