"""A notification area that appears only after the program started: the icon docks."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import ProgramTest, tray_icon, windows_named  # noqa: E402


class LateTray(ProgramTest):
    """Run without the harness's tray host (QUIVANTO_E2E_NO_TRAY=1); the test starts one."""

    def start_tray_host(self):
        log = open(self.path("trayer.log"), "wb")
        host = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right",
                                 "--SetDockType", "true", "--SetPartialStrut", "true",
                                 "--widthtype", "request", "--height", "24"],
                                stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.addCleanup(lambda: (host.kill(), host.wait()))
        return host

    def test_tray_host_after_a_second_gets_the_icon(self):
        program = self.start()
        time.sleep(1)
        self.assertIsNone(program.poll(), "it must wait for a tray, not give up")
        self.start_tray_host()
        tray_icon()
        self.assertIsNone(program.poll())
        self.assertFalse(windows_named("^Quivanto - No System Tray$"))
        self.assertTrue(os.path.exists(self.path("list.dat")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
