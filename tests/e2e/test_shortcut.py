"""The global shortcut opens the list from anywhere, and typing finds a row in it."""

import os
import subprocess
import sys
import time
import unittest

import dbus

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (SCREEN_HEIGHT, SCREEN_WIDTH, ProgramTest, click, list_window,  # noqa: E402
                     press, run, spied, spy_environment, tray_icon, wait_for, windows_named)

NAMES = ("Alpha", "Beta", "Echo", "Gamma")
TRAY_HEIGHT = 24
TOOLS = os.path.join(os.path.dirname(__file__), "tools")
FAKE_PORTAL = os.path.join(os.path.dirname(__file__), "..", "support", "fake_portal.py")


class Shortcut(ProgramTest):
    def other_window(self):
        other = subprocess.Popen(["xmessage", "-geometry", "+100+100", "another program"])
        self.processes.append(other)
        window = wait_for(lambda: windows_named("^xmessage$"), what="another window")[0]
        run("xdotool", "windowactivate", "--sync", window.id)
        return window

    def focused(self):
        return run("xdotool", "getwindowfocus").strip()

    def hold_keys(self):
        """Another program's grab of Super+Alt+Q; false when the X server refused it."""
        holder = subprocess.Popen([sys.executable, os.path.join(TOOLS, "grab_keys.py")],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append(holder)
        return holder.stdout.readline().strip() == "grabbed"

    def test_keys_toggle_the_list_and_typing_finds(self):
        with open(self.path("list.dat"), "w") as f:
            for name in NAMES:
                open(self.path(name), "w").close()
                f.write(f"{name:<30}|{self.path(name)}\r\n")
        env, log = spy_environment(self.folder)
        self.start(env=env)
        tray_icon()
        window = wait_for(list_window, what="the list window")
        self.other_window()
        run("xdotool", "mousemove", "200", "200")  # nowhere near the tray
        self.assertNotEqual(self.focused(), window.id)

        run("xdotool", "key", "super+alt+q")
        wait_for(lambda: window.viewable, what="the list window to show")
        wait_for(lambda: self.focused() == window.id, what="the focus in the list")
        geometry = window.geometry
        bottom = geometry["y"] + geometry["height"]
        self.assertLessEqual(bottom, SCREEN_HEIGHT - TRAY_HEIGHT)  # beside the tray, not over it
        self.assertGreater(bottom, SCREEN_HEIGHT - 2 * TRAY_HEIGHT)
        self.assertLessEqual(geometry["x"] + geometry["width"], SCREEN_WIDTH)

        # "b", then "e" after more than the toolkit's own pause but within our second: "be".
        run("xdotool", "key", "b")
        time.sleep(0.6)
        run("xdotool", "key", "--delay", "50", "e", "Return")
        wait_for(lambda: spied(log), what="the launch")
        self.assertEqual(spied(log), [self.path("Beta")])
        wait_for(lambda: not window.viewable, what="the list to hide after the launch")

        run("xdotool", "key", "super+alt+q")
        wait_for(lambda: window.viewable, what="the list to show again")
        time.sleep(0.3)
        run("xdotool", "key", "super+alt+q")
        wait_for(lambda: not window.viewable, what="the keys to hide the list")

    def test_keys_taken_by_another_program_are_told_once(self):
        self.assertTrue(self.hold_keys())
        program = self.start()
        box = wait_for(lambda: windows_named("^Quivanto - Shortcut Taken$"),
                       what="the message that the keys are taken")[0]
        press(box, "Return")
        wait_for(lambda: not windows_named("^Quivanto - Shortcut Taken$"), what="the answer")
        icon_x, icon_y = tray_icon()
        click(icon_x, icon_y)
        window = wait_for(list_window, what="the list window")
        wait_for(lambda: window.viewable, what="the list window to show from the tray")
        self.assertIsNone(program.poll())
        self.assertFalse(windows_named("^Quivanto - Shortcut Taken$"), "told once only")

    def test_a_wayland_sessions_portal_brings_the_keys(self):
        # The program's X server is XWayland's here, which sees keys only while one of its
        # own windows has the focus: the portal's activations serve instead.
        portal = subprocess.Popen([sys.executable, FAKE_PORTAL], stdout=subprocess.PIPE,
                                  text=True)
        self.processes.append(portal)
        self.assertEqual(portal.stdout.readline().strip(), "ready")
        fake = dbus.Interface(dbus.SessionBus().get_object("org.freedesktop.portal.Desktop",
                                                           "/org/freedesktop/portal/desktop"),
                              "org.quivanto.FakePortal")
        self.start(env=dict(os.environ, WAYLAND_DISPLAY="quivanto-test-no-compositor"))
        tray_icon()
        window = wait_for(list_window, what="the list window")
        wait_for(lambda: fake.LastBind()[1:] == ("show-list", "LOGO+ALT+q"),
                 what="the shortcut bound through the portal")
        self.assertTrue(self.hold_keys(), "the X server's keys are left to others")

        self.other_window()
        session = fake.LastSession()
        fake.Activate(session, "show-list")
        wait_for(lambda: window.viewable, what="the list window to show")
        wait_for(lambda: self.focused() == window.id, what="the focus in the list")
        fake.Activate(session, "show-list")
        wait_for(lambda: not window.viewable, what="the list to hide again")


if __name__ == "__main__":
    unittest.main(verbosity=2)
