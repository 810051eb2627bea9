"""tint2 with Debian's default configuration: a 30 px bottom panel with a taskbar and an
XEmbed tray. Run without the harness's own tray (QUIVANTO_E2E_NO_TRAY=1)."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import panels  # noqa: E402


class Tint2(panels.PanelTest):
    command = ["tint2", "-c", "/etc/xdg/tint2/tint2rc"]
    panel_class = "tint2"
    panel_side = "bottom"


if __name__ == "__main__":
    unittest.main(verbosity=2)
