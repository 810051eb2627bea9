"""Assistive technologies find the list window's parts through AT-SPI, with names and
descriptions, and drive it: run with QUIVANTO_E2E_ACCESSIBILITY=1 so the harness starts
the accessibility bus."""

import os
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
from desktop import ProgramTest, click, list_window, run, tray_icon, wait_for  # noqa: E402

SPY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tools", "spy-xdg-open")
BUTTONS = ("Hide", "Add", "Delete", "Properties", "Help")


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.casefold() == name:
            return app
    return None


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda a: a.getRoleName() == role and a.name == name)


def has_state(accessible, state):
    return accessible.getState().contains(state)


def visible_centre(accessible, within):
    """The middle of the part of `accessible` that `within` shows: a row is as wide as
    its whole line, which the list clips."""
    inner = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    outer = within.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    left, right = max(inner.x, outer.x), min(inner.x + inner.width, outer.x + outer.width)
    top, bottom = max(inner.y, outer.y), min(inner.y + inner.height, outer.y + outer.height)
    assert left < right and top < bottom, "the row is not in view"
    return (left + right) // 2, (top + bottom) // 2


class Accessibility(ProgramTest):
    def start_with_spy(self):
        # The desktop's open action is recorded instead of run.
        tools = self.path("tools")
        os.makedirs(tools)
        os.symlink(SPY, os.path.join(tools, "xdg-open"))
        self.spy_log = self.path("opened.log")
        env = dict(os.environ, PATH=tools + os.pathsep + os.environ["PATH"],
                   QUIVANTO_SPY_LOG=self.spy_log)
        self.start(env=env)

    def test_list_window_is_found_and_driven_through_atspi(self):
        notes, pictures = self.path("notes.txt"), self.path("Pictures")
        open(notes, "w").close()
        os.mkdir(pictures)
        with open(self.path("list.dat"), "wb") as f:
            f.write(f"Notes                         |{notes}\r\n"
                    f"Pictures                      |{pictures}\r\n".encode())
        self.start_with_spy()
        icon_x, icon_y = tray_icon()
        click(icon_x, icon_y)
        window = wait_for(list_window, what="the list window")
        wait_for(lambda: window.viewable, what="the list window to show")

        app = wait_for(lambda: application("quivanto"), what="the application on the bus")
        items = wait_for(lambda: find(app, "list", "Quivanto list"), what="the list")
        self.assertTrue(items.description)
        rows = wait_for(lambda: [items.getChildAtIndex(i) for i in range(items.childCount)]
                        if items.childCount == 2 else None, what="the two rows")
        self.assertEqual([row.name for row in rows], ["Notes", "Pictures"])
        first, second = rows
        self.assertTrue(has_state(first, pyatspi.STATE_SELECTED), "the first row starts chosen")

        for name in BUTTONS:
            with self.subTest(button=name):
                button = find(app, "push button", name)
                self.assertIsNotNone(button, f"no button named {name}")
                self.assertTrue(button.description)
                self.assertTrue(has_state(button, pyatspi.STATE_SHOWING))
                self.assertTrue(has_state(button, pyatspi.STATE_FOCUSABLE))
        banner = find(app, "image", "Quivanto")
        about = find(app, "label", "About Quivanto")
        self.assertTrue(banner is not None and banner.description)
        self.assertTrue(about is not None and about.description)

        # Choosing a row through its action moves the program's own selection.
        action = second.queryAction()
        action.doAction([action.getName(i) for i in range(action.nActions)].index("Toggle"))
        wait_for(lambda: has_state(second, pyatspi.STATE_SELECTED), what="the second row chosen")
        self.assertFalse(has_state(first, pyatspi.STATE_SELECTED))

        # Where AT-SPI says the first row is, a double-click launches it.
        x, y = visible_centre(first, items)
        run("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        opened = wait_for(lambda: os.path.exists(self.spy_log) and self.read("opened.log"),
                          what="the launch")
        self.assertEqual(opened, (notes + "\n").encode())
        wait_for(lambda: not window.viewable, what="the list window to hide after the launch")


if __name__ == "__main__":
    unittest.main(verbosity=2)
