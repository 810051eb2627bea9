"""lxqt-panel 1.2 with LXQt's default panel: 32 px at the bottom, a taskbar and a
StatusNotifier tray that opens the icon's menu on a right click. Run without the harness's
own tray (QUIVANTO_E2E_NO_TRAY=1)."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import panels  # noqa: E402


class LxqtPanel(panels.PanelTest):
    command = ["lxqt-panel"]
    # LXQt's session reads its defaults from /usr/share; a fresh configuration each run.
    environment = {"XDG_CONFIG_DIRS": "/etc/xdg:/usr/share",
                   "XDG_CONFIG_HOME": os.path.join(os.environ.get("QUIVANTO_E2E_WORK", "/tmp"),
                                                   "lxqt-config")}
    panel_class = "lxqt-panel"
    panel_side = "bottom"


if __name__ == "__main__":
    unittest.main(verbosity=2)
