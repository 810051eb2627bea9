"""The checks every real panel gets: where the list opens, that it is no taskbar task, that
a double click leaves it shown, and that a second right click asks nothing more. A test of
one desktop says how its panel starts and where its tray and taskbar are."""

import os
import subprocess
import time

from desktop import (ProgramTest, Window, click, green_box, list_window, on_screen_windows,
                     press, run, wait_for, windows_named, work_area)

QUESTION = "^Quivanto - Are you sure\\?$"


def pixels(box):
    x, y, width, height = box
    return subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}",
                           "-depth", "8", "rgb:-"], capture_output=True).stdout


class PanelProgram(ProgramTest):
    """The program on a real panel whose box (x, y, width, height) the class sets as
    panel_box: its icon found by its green, the program ended and its icon gone after."""

    def icon(self):
        """The centre of our icon in the panel, on screen, once it is drawn and still."""
        last = None
        stable = 0
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            box = green_box(self.panel_box)
            if box is not None and box == last:
                stable += 1
                if stable >= 3:
                    left, top, right, bottom = box
                    return (self.panel_box[0] + (left + right) // 2,
                            self.panel_box[1] + (top + bottom) // 2)
            else:
                stable = 0
            last = box
            time.sleep(0.1)
        raise AssertionError("the icon did not appear in the panel")

    def resident(self):
        program = self.start(env=dict(os.environ, NO_AT_BRIDGE="1"))
        self.addCleanup(self.end_program)
        return program, self.icon()

    def end_program(self):
        for box in windows_named(QUESTION):
            press(box, "Escape")
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.wait()
        wait_for(lambda: green_box(self.panel_box) is None, what="the icon to leave the panel")

    def shown(self):
        window = list_window()
        return window is not None and window.viewable


class PanelTest(PanelProgram):
    command = []       # starts the panel
    environment = {}   # its settings
    panel_class = ""   # the X class of the panel window that holds the tray
    panel_side = ""    # where that panel stands: "top" or "bottom"

    @classmethod
    def setUpClass(cls):
        cls.panel = None
        cls.start_panel()

    @classmethod
    def tearDownClass(cls):
        cls.stop_panel()

    @classmethod
    def start_panel(cls):
        work = os.environ["QUIVANTO_E2E_WORK"]
        log = open(os.path.join(work, "panel.log"), "ab")
        env = dict(os.environ, NO_AT_BRIDGE="1", **cls.environment)
        cls.panel = subprocess.Popen(cls.command, env=env, stdout=log, stderr=log)
        log.close()
        # A loaded machine shows a panel well before it settles: mate-panel stands 24 px
        # high before 25.
        cls.panel_box = wait_for(cls.settled_panel, timeout=20, what="the panel")

    @classmethod
    def stop_panel(cls):
        if cls.panel is not None:
            cls.panel.kill()
            cls.panel.wait()
            cls.panel = None

    @classmethod
    def find_panel(cls):
        """The panel window that holds the tray, as (x, y, width, height), once it stands
        at its edge of the screen."""
        for wid in run("xdotool", "search", "--onlyvisible", "--class", cls.panel_class).split():
            g = Window(wid).geometry
            at_edge = g["y"] == 0 if cls.panel_side == "top" else g["y"] + g["height"] == 768
            if g["width"] == 1024 and 16 <= g["height"] <= 48 and at_edge:
                return (g["x"], g["y"], g["width"], g["height"])
        return None

    @classmethod
    def settled_panel(cls):
        """The panel's box once it stays the same for half a second."""
        box = cls.find_panel()
        if box is None:
            return None
        time.sleep(0.5)
        return box if cls.find_panel() == box else None

    def taskbar_box(self, icon_x):
        """Where a task button of ours would show: the tray's panel left of the list, which
        opens with its right edge at the icon."""
        x, y, _, height = self.panel_box
        return (x, y, icon_x - 263 - 10, height)

    @staticmethod
    def open_menus():
        """Mapped windows of a one-entry menu's shape; a panel keeps its menu window when
        the menu closes, so only a mapped one is open."""
        return {wid: g for wid, g in on_screen_windows().items()
                if g[2] >= 100 and 10 < g[3] < 60 and Window(wid).viewable}

    def right_click(self, x, y):
        """A right click on the icon, and the pick of the one entry where the panel opens
        the icon's menu instead of asking the program."""
        asked = bool(windows_named(QUESTION))
        before = self.open_menus()
        click(x, y, button=3)

        def menu_or_question():
            menus = [g for wid, g in self.open_menus().items() if wid not in before]
            if menus:
                return menus[0]
            return not asked and bool(windows_named(QUESTION))

        deadline = time.monotonic() + (2 if asked else 10)
        found = None
        while not found and time.monotonic() < deadline:
            found = menu_or_question()
            time.sleep(0.05)
        if isinstance(found, tuple):
            left, top, width, height = found
            time.sleep(0.3)
            click(left + width // 2, top + height // 2)
        elif not asked:
            self.assertTrue(found, "neither the question nor the icon's menu came")

    def test_the_list_is_no_task(self):
        _, (x, y) = self.resident()
        taskbar = self.taskbar_box(x)
        before = pixels(taskbar)
        click(x, y)
        wait_for(self.shown, what="the list window")
        time.sleep(0.5)  # a taskbar adds a task button a moment after the window maps
        self.assertEqual(pixels(taskbar), before, "the list window shows as a taskbar task")

    def test_the_list_opens_beside_the_panel(self):
        _, (x, y) = self.resident()
        click(x, y)
        wait_for(self.shown, what="the list window")
        panel_top, panel_bottom = self.panel_box[1], self.panel_box[1] + self.panel_box[3]

        def edge_at_panel(g):
            if self.panel_side == "top":
                return g["y"], panel_bottom
            return g["y"] + g["height"], panel_top

        # A window manager may still be settling a window that has just mapped; the last
        # place seen while it is shown counts.
        g = list_window().geometry
        deadline = time.monotonic() + 2
        while len(set(edge_at_panel(g))) != 1 and time.monotonic() < deadline:
            time.sleep(0.05)
            window = list_window()
            if window is None or not window.viewable:
                break
            g = window.geometry
        self.assertEqual(g["x"] + g["width"], x)
        manager = run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").strip()
        self.assertEqual(*edge_at_panel(g), f"work area {work_area()}; {manager}")

    def test_a_double_click_ends_shown(self):
        _, (x, y) = self.resident()
        run("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        wait_for(self.shown, what="the list window")
        time.sleep(1.0)
        self.assertTrue(self.shown())

    def test_a_second_right_click_asks_nothing_more(self):
        program, (x, y) = self.resident()
        self.right_click(x, y)
        wait_for(lambda: windows_named(QUESTION), what="the question")
        self.right_click(x, y)
        time.sleep(1.0)
        questions = windows_named(QUESTION)
        self.assertEqual(len(questions), 1)
        press(questions[0], "Escape")  # No
        wait_for(lambda: not windows_named(QUESTION), what="the question to close")
        self.assertIsNone(program.poll())
