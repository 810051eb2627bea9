"""A screen reader's view: every part of the list window and its dialogs is found over the
AT-SPI bus by its name, with a description, and the program is driven from there. Run with
QUIVANTO_E2E_ACCESSIBILITY=1 so the harness starts the accessibility bus."""

import os
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (Accessible, ProgramTest, click, list_window, run, spied,  # noqa: E402
                     spy_environment, tray_icon, wait_for)

# Each window's parts, by role and name.
LIST_WINDOW = [("push button", name) for name in ("Hide", "Add", "Delete", "Properties", "Help")]
LIST_WINDOW += [("image", "Quivanto"), ("label", "About Quivanto"), ("list", "Quivanto list")]
# On Linux Qt names a combo box by its current value and leaves its purpose to a label or,
# here, to its description.
ADD_ITEM = [("push button", "Add"), ("push button", "Close"), ("combo box", None),
            ("list", "Folders"), ("list", "Files"), ("text", "Description")]
PROPERTIES = [("push button", "Update"), ("push button", "Cancel"), ("text", "Description"),
              ("text", "File name")]
ABOUT = [("push button", "License"), ("push button", "System Info"), ("push button", "OK"),
         ("image", "Quivanto")]


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda a: (name is None or a.name == name) and
                                  (role is None or a.getRoleName() == role))


def has_state(accessible, state):
    return accessible.getState().contains(state)


def press(accessible):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def visible_centre(accessible, within):
    """The middle of the part of `accessible` that `within` shows: a row is as wide as its
    whole line, which the list clips."""
    inner = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    outer = within.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    left, right = max(inner.x, outer.x), min(inner.x + inner.width, outer.x + outer.width)
    top, bottom = max(inner.y, outer.y), min(inner.y + inner.height, outer.y + outer.height)
    assert left < right and top < bottom, f"{accessible.name} is not in view"
    return (left + right) // 2, (top + bottom) // 2


class Accessibility(ProgramTest):
    def setUp(self):
        super().setUp()
        self.a11y = Accessible()
        self.notes, pictures = self.path("notes.txt"), self.path("Pictures")
        open(self.notes, "w").close()
        os.mkdir(pictures)
        with open(self.path("list.dat"), "wb") as f:
            f.write(f"Notes                         |{self.notes}\r\n"
                    f"Pictures                      |{pictures}\r\n".encode())
        env, self.spy_log = spy_environment(self.folder)
        self.start(env=env)
        icon = tray_icon()
        click(*icon)
        self.window = wait_for(list_window, what="the list window")
        wait_for(lambda: self.window.viewable, what="the list window to show")
        self.app = wait_for(self.a11y.application, what="the program on the bus")

    def top_level(self, name):
        return wait_for(lambda: next((w for w in self.a11y.top_levels() if w.name == name),
                                     None), what=f"the window '{name}' on the bus")

    def gone(self, name):
        wait_for(lambda: all(w.name != name for w in self.a11y.top_levels()),
                 what=f"the window '{name}' to close")

    def assertNamedAndDescribed(self, root, parts):
        for role, name in parts:
            with self.subTest(window=root.name, part=name):
                found = wait_for(lambda: find(root, role, name), what=f"{role} {name}")
                self.assertTrue(found.description, f"{name} has no description")
                self.assertTrue(has_state(found, pyatspi.STATE_SHOWING), f"{name} not showing")

    def test_list_window_rows_chosen_and_launched_through_the_bus(self):
        window = self.top_level("Quivanto")
        self.assertNamedAndDescribed(window, LIST_WINDOW)
        items = find(window, "list", "Quivanto list")
        rows = wait_for(lambda: [items.getChildAtIndex(i) for i in range(items.childCount)]
                        if items.childCount == 2 else None, what="the two rows")
        self.assertEqual([row.name for row in rows], ["Notes", "Pictures"])
        first, second = rows
        self.assertTrue(has_state(first, pyatspi.STATE_SELECTED), "the first row starts chosen")

        # Choosing a row through its action moves the program's own selection.
        action = second.queryAction()
        action.doAction([action.getName(i) for i in range(action.nActions)].index("Toggle"))
        wait_for(lambda: has_state(second, pyatspi.STATE_SELECTED), what="the second row chosen")
        self.assertFalse(has_state(first, pyatspi.STATE_SELECTED))

        # Where the bus says the first row is, a double-click launches it.
        x, y = visible_centre(first, items)
        run("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        wait_for(lambda: spied(self.spy_log), what="the launch")
        self.assertEqual(spied(self.spy_log), [self.notes])
        wait_for(lambda: not self.window.viewable, what="the list window to hide")

    def test_dialogs_opened_read_and_closed_through_the_bus(self):
        window = self.top_level("Quivanto")

        press(find(window, "push button", "Add"))
        dialog = self.top_level("Quivanto - Add Item to List")
        self.assertNamedAndDescribed(dialog, ADD_ITEM)
        press(find(dialog, "push button", "Close"))
        self.gone("Quivanto - Add Item to List")

        press(find(window, "push button", "Properties"))
        dialog = self.top_level("Quivanto - Properties for Selected Item")
        self.assertNamedAndDescribed(dialog, PROPERTIES)
        self.assertEqual(find(dialog, "text", "File name").queryText().getText(0, -1),
                         self.notes)
        press(find(dialog, "push button", "Cancel"))
        self.gone("Quivanto - Properties for Selected Item")

        # The About area is a label: a pointer user clicks it where the bus says it is.
        about = find(window, "label", "About Quivanto")
        click(*visible_centre(about, window))
        dialog = self.top_level("About Quivanto")
        self.assertNamedAndDescribed(dialog, ABOUT)
        press(find(dialog, "push button", "OK"))
        self.gone("About Quivanto")

        press(find(window, "push button", "Hide"))
        wait_for(lambda: not self.window.viewable, what="Hide to hide the list window")


if __name__ == "__main__":
    unittest.main(verbosity=2)
