"""Without a notification area, or without a display, Quivanto says so and ends with an error."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import PROGRAM, ProgramTest, press, wait_for  # noqa: E402
from desktop import windows_named  # noqa: E402


class WithoutTray(ProgramTest):
    def test_no_tray_is_told_and_ends_with_an_error(self):
        program = self.start()
        box = wait_for(lambda: windows_named("^Quivanto - No System Tray$"), timeout=15,
                       what="the no-tray message")[0]
        press(box, "Return")
        self.assertEqual(program.wait(timeout=10), 1)
        self.assertFalse(os.path.exists(self.path("list.dat")))

    def test_no_display_is_told_on_stderr(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        result = subprocess.run([PROGRAM], cwd=self.folder, env=env, capture_output=True,
                                text=True, timeout=30)
        self.assertEqual(result.returncode, 1)
        self.assertIn("no display was found", result.stderr)

    def test_unreachable_display_is_told_on_stderr(self):
        env = dict(os.environ, DISPLAY=":4242")
        env.pop("WAYLAND_DISPLAY", None)
        result = subprocess.run([PROGRAM], cwd=self.folder, env=env, capture_output=True,
                                text=True, timeout=30)
        self.assertEqual(result.returncode, 1)
        self.assertIn("cannot be reached", result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
