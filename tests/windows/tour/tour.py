#!/usr/bin/env python3
"""A person's tour of quivanto.exe under Wine: real clicks and keys from outside with
xdotool, and window_probe.exe to read what the screen shows (titles, control texts, list
rows, message boxes). Needs DISPLAY with a window manager, a running wineserver and Wine's
own tray window; tests/windows/run_windows_tests.sh provides them.

Usage: tour.py WINE QUIVANTO_EXE PROBE_EXE DRAG_SOURCE [--keep] [--screenshots FOLDER]
Prints one line per check and exits 1 when any check failed. With --screenshots it saves
the list window, both dialogs and the About box as PNG files (ImageMagick's import).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

SCREEN_W, SCREEN_H = 1024, 768
TWIPS_PER_PIXEL = 15
TASKBAR_MARGIN = 425
# With --taskbar, run_windows_tests.sh has reserved a taskbar's strip along the bottom of the
# X screen before Wine started, and Wine takes its work area from it.
TASKBAR_HEIGHT = 48
LIST_WIDTH = 263  # 3945 twips
DOUBLE_CLICK_GAP = 0.8  # longer than the double-click time
DEFAULT_LIST = (b"Explorer                      |explorer.exe\r\n"
                b"Notepad                       |notepad.exe\r\n")


class Tour:
    def __init__(self, wine, exe, probe, drag_source, folder, spy_folder):
        self.wine, self.exe, self.probe, self.drag_source = wine, exe, probe, drag_source
        self.folder = folder
        self.failures = []
        self.processes = []
        self.screenshots = None
        self.taskbar = False  # a 48-pixel bottom taskbar: only the placement steps
        self.env = dict(os.environ, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d")
        # Wine hands documents to the desktop's xdg-open: a spy first on PATH writes down
        # what the shell was asked to open, and opens nothing.
        self.spy_log = os.path.join(folder, "opened.txt")
        self.program_env = dict(self.env, PATH=spy_folder + os.pathsep + os.environ["PATH"],
                                QUIVANTO_SPY_LOG=self.spy_log)

    # ---- checks -------------------------------------------------------------------
    def check(self, name, ok, detail=""):
        print(("ok   " if ok else "FAIL ") + name + ("" if ok else ": " + str(detail)),
              flush=True)
        if not ok:
            self.failures.append(name)
        return ok

    def equal(self, name, actual, expected):
        return self.check(name, actual == expected, f"got {actual!r}, expected {expected!r}")

    # ---- the outside world --------------------------------------------------------
    def run_probe(self, *args):
        out = subprocess.run([self.wine, self.probe, *map(str, args)], env=self.env,
                             capture_output=True, timeout=30)
        text = out.stdout.decode("utf-8", "replace").strip()
        return json.loads(text) if out.returncode == 0 and text else None

    def windows(self):
        return self.run_probe("windows") or []

    def children(self, hwnd):
        return self.run_probe("children", hwnd) or []

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                              timeout=30).stdout

    def click_at(self, x, y, button=1):
        self.xdotool("mousemove", x, y)
        time.sleep(0.15)
        self.xdotool("click", button)

    def click_control(self, control, button=1):
        self.click_at(control["x"] + control["w"] // 2, control["y"] + control["h"] // 2, button)

    def key(self, *keys):
        self.xdotool("key", "--delay", "120", *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", "60", text)

    def wait_for(self, what, seconds=15, step=0.25):
        deadline = time.time() + seconds
        while True:
            value = what()
            if value or time.time() > deadline:
                return value
            time.sleep(step)

    def start_program(self):
        process = subprocess.Popen([self.wine, self.exe], cwd=self.folder, env=self.program_env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def screenshot(self, name, window):
        if self.screenshots is None or window is None:
            return
        time.sleep(0.5)  # drawn, tooltips gone
        subprocess.run(["import", "-window", "root", "-crop",
                        f"{window['w']}x{window['h']}+{window['x']}+{window['y']}", "+repage",
                        os.path.join(self.screenshots, f"windows-{name}.png")], check=False)

    # ---- what is on screen --------------------------------------------------------
    def top(self, cls=None, text=None, visible=True, pid=None):
        for w in self.windows():
            if cls is not None and w["cls"] != cls:
                continue
            if text is not None and w["text"] != text:
                continue
            if visible is not None and w["visible"] != visible:
                continue
            if pid is not None and w["pid"] != pid:
                continue
            return w
        return None

    def list_window(self, visible=None):
        return self.top("QuivantoListWindow", visible=visible)

    def message_box(self, title):
        box = self.wait_for(lambda: self.top("#32770", title))
        if not box:
            return None, None
        time.sleep(0.3)  # fully drawn, for the icon
        return box, self.run_probe("msgbox", box["hwnd"])

    def control(self, parent, cls=None, text=None, id=None):
        for c in self.children(parent["hwnd"]):
            if (cls is None or c["cls"].lower() == cls.lower()) and \
                    (text is None or c["text"] == text) and (id is None or c["id"] == id):
                return c
        return None

    def lst_apps(self):
        window = self.list_window()
        return self.control(window, "ListBox", id=1001) if window else None

    def rows(self):
        lst = self.lst_apps()
        return self.run_probe("list", lst["hwnd"]) if lst else None

    def click_row(self, listbox, rows, index):
        height = rows["itemHeight"]
        y = listbox["cy"] + (index - rows["top"]) * height + height // 2
        self.click_at(listbox["cx"] + 20, y)

    def list_bytes(self):
        path = os.path.join(self.folder, "list.dat")
        if not os.path.exists(path):
            return b""
        with open(path, "rb") as f:
            return f.read()

    def tray(self):
        found = self.xdotool("search", "--onlyvisible", "--name", "^Wine System Tray$").split()
        return found[0] if found else None

    def tray_click(self, button=1):
        # Where Wine has the tray (xdotool's geometry is off by the frame). The program's
        # icon is the tray's first: its cell starts at the left edge.
        tray = self.top("__winex11_standalone_tray")
        x, y = tray["cx"] + 10, tray["cy"] + 10
        self.click_at(x, y, button)
        return x, y

    def answer(self, reply, button_text):
        button = next((b for b in reply["buttons"] if b["text"] == button_text), None)
        if self.check(f"the box has a {button_text} button", button is not None, reply):
            self.click_control(button)

    def show_list(self, click=True):
        """Shows the list window from the tray and clicks into its list (focus quirk)."""
        if not self.list_window(visible=True):
            time.sleep(DOUBLE_CLICK_GAP)
            self.tray_click()
            self.wait_for(lambda: self.list_window(visible=True), 5)
        lst = self.lst_apps()
        rows = self.rows()
        if click and lst and rows and rows["count"]:
            self.click_row(lst, rows, max(rows["selected"], 0))
        return lst

    def select_row_with(self, fragment):
        # One click on the row: two on the same row would be a double click, a launch.
        lst = self.show_list(click=False)
        rows = self.rows()
        index = next((i for i, r in enumerate(rows["rows"]) if fragment in r), None)
        if index is not None:
            self.click_row(lst, rows, index)
            time.sleep(0.3)
        return index

    # ---- the tour -----------------------------------------------------------------
    def start(self):
        self.first = self.start_program()
        tray = self.wait_for(self.tray, 30)
        if not self.check("the tray icon appears", tray is not None):
            return False
        # Room on the left for the list window, as above a taskbar's notification area.
        self.xdotool("windowmove", "--sync", tray, 700, 300)
        time.sleep(0.5)
        self.wait_for(lambda: os.path.exists(os.path.join(self.folder, "list.dat")), 10)
        self.equal("a first start writes the default list.dat", self.list_bytes(), DEFAULT_LIST)
        self.check("after start-up nothing but the icon shows",
                   self.list_window(visible=True) is None)
        return True

    def tray_toggle(self):
        x, _ = self.tray_click()
        window = self.wait_for(lambda: self.list_window(visible=True), 5)
        if not self.check("a tray click shows the list window", window is not None):
            return
        self.equal("its right edge is at the pointer", window["x"] + window["w"], x)
        self.check_bottom(window)
        self.equal("it is 263 pixels wide", window["w"], LIST_WIDTH)
        rows = self.rows()
        self.screenshot("list-window", window)
        self.equal("the list shows the two defaults, the first selected",
                   (rows["rows"], rows["selected"]),
                   ([line.decode() for line in DEFAULT_LIST.split(b"\r\n")[:2]], 0))
        time.sleep(DOUBLE_CLICK_GAP)
        self.tray_click()
        self.check("a second click hides it",
                   self.wait_for(lambda: self.list_window(visible=False), 5) is not None)

    def shortcut_and_typing(self):
        self.key("super+alt+q")
        window = self.wait_for(lambda: self.list_window(visible=True), 5)
        if not self.check("Win+Alt+Q shows the list window", window is not None):
            return
        lst = self.lst_apps()
        rows = self.rows()
        self.check("and a row selected", rows["selected"] >= 0, rows)
        # Wine leaves the X focus where it was until a click (see NOTES): click the selected
        # row, which changes nothing, then type.
        self.click_row(lst, rows, max(rows["selected"], 0))
        time.sleep(0.3)
        self.key("n")
        rows = self.rows()
        self.check("typing N selects Notepad", rows["rows"][rows["selected"]].startswith("Notepad"),
                   rows)
        self.check("and launches nothing", self.list_window(visible=True) is not None)
        self.key("super+alt+q")
        self.check("the keys again hide it",
                   self.wait_for(lambda: self.list_window(visible=False), 5) is not None)

    def check_bottom(self, window):
        bottom = window["y"] + window["h"]
        if self.taskbar:
            self.equal("its bottom is on the 48-pixel taskbar's top edge", bottom,
                       SCREEN_H - TASKBAR_HEIGHT)
        else:
            self.check("with no taskbar its bottom is 425 twips above the screen's bottom",
                       abs(bottom * TWIPS_PER_PIXEL - (SCREEN_H * TWIPS_PER_PIXEL - TASKBAR_MARGIN))
                       <= TWIPS_PER_PIXEL, f"bottom {bottom} px")

    def keyboard_select(self):
        """Enter on the icon, as the notification area tells it with the fourth protocol
        version: the list shows above the taskbar with the keyboard in its list."""
        tray = self.top("QuivantoTrayWindow", visible=None)
        wine_tray = self.top("__winex11_standalone_tray")
        icon_x, icon_y = wine_tray["cx"] + 10, wine_tray["cy"] + 10
        nin_keyselect, callback = 0x401, 0x200
        self.run_probe("post", tray["hwnd"], callback, (icon_y << 16) | icon_x,
                       (1 << 16) | nin_keyselect)
        window = self.wait_for(lambda: self.list_window(visible=True), 5)
        if not self.check("a key on the icon shows the list window", window is not None):
            return
        self.check_bottom(window)
        self.check("it stands wholly on the screen", window["x"] >= 0 and
                   window["x"] + window["w"] <= SCREEN_W, window)
        lst = self.lst_apps()
        focus = self.wait_for(lambda: (self.run_probe("focus", window["hwnd"]) or {}).get("hwnd")
                              == lst["hwnd"] if lst else False, 3)
        self.check("the keyboard is in the list", focus is not None)
        time.sleep(DOUBLE_CLICK_GAP)
        self.tray_click()
        self.check("a click hides it again",
                   self.wait_for(lambda: self.list_window(visible=False), 5) is not None)

    def add_item(self):
        self.show_list()
        self.key("Insert")
        dialog = self.wait_for(lambda: self.top(text="Quivanto - Add Item to List"), 10)
        if not self.check("Insert opens Add Item", dialog is not None):
            return
        window = self.list_window()
        self.equal("its right edge touches the list window's left edge",
                   dialog["x"] + dialog["w"], window["x"])
        self.equal("its bottom is on the list window's bottom line",
                   dialog["y"] + dialog["h"], window["y"] + window["h"])
        files = next((c for c in self.children(dialog["hwnd"]) if c["cls"] == "ListBox" and
                      "tour_target.txt" in (self.run_probe("list", c["hwnd"]) or {"rows": []})
                      ["rows"]), None)
        if not self.check("its file list shows the working folder's files", files is not None):
            return
        rows = self.run_probe("list", files["hwnd"])
        self.click_row(files, rows, rows["rows"].index("tour_target.txt"))
        time.sleep(0.4)
        self.screenshot("add-item", self.top(text="Quivanto - Add Item to List"))
        add = self.control(dialog, "Button", "&Add")
        if not self.check("it has an &Add button", add is not None):
            return
        before = self.list_bytes()
        self.click_control(add)
        time.sleep(1)
        added = self.list_bytes()[len(before):]
        self.check("adding a file appends its line",
                   added.startswith(b"tour_target.txt" + b" " * 15 + b"|") and
                   added.endswith(b"\\tour_target.txt\r\n"), added)
        self.check("the list window shows the new row",
                   any(r.startswith("tour_target.txt") for r in self.rows()["rows"]))
        close = self.control(dialog, "Button", "&Close")
        if self.check("it has a &Close button", close is not None):
            self.click_control(close)
        self.check("&Close closes it", self.wait_for(
            lambda: self.top(text="Quivanto - Add Item to List") is None, 5))

    def rename(self):
        if self.select_row_with("tour_target.txt") is None:
            self.check("the added row is there to rename", False)
            return
        window = self.list_window()
        self.click_control(self.control(window, id=1004))  # picProperties
        dialog = self.wait_for(
            lambda: self.top(text="Quivanto - Properties for Selected Item"), 10)
        if not self.check("Properties opens", dialog is not None):
            return
        edits = [c for c in self.children(dialog["hwnd"]) if c["cls"] == "Edit"]
        box = next((e for e in edits if e["text"].startswith("tour_target.txt")), None)
        if not self.check("it shows the description", box is not None, edits):
            return
        self.screenshot("properties", dialog)
        self.click_control(box)
        self.key("End")
        self.key(*["BackSpace"] * 32)
        self.type_text("Renamed")
        update = next((c for c in self.children(dialog["hwnd"])
                       if c["cls"] == "Button" and "pdate" in c["text"]), None)
        if self.check("it has an Update button", update is not None):
            self.click_control(update)
        time.sleep(1)
        lines = self.list_bytes().split(b"\r\n")
        self.check("Properties renames the item in list.dat",
                   any(line.startswith(b"Renamed" + b" " * 23 + b"|") and
                       line.endswith(b"\\tour_target.txt") for line in lines) and
                   not any(line.startswith(b"tour_target.txt") for line in lines), lines)

    def delete_with_question(self):
        if self.select_row_with("Renamed") is None:
            self.check("the renamed row is there to remove", False)
            return
        self.key("Delete")
        box, reply = self.message_box("Quivanto - Are you sure?")
        if not self.check("Delete asks first", reply is not None):
            return
        self.check("the question names the item",
                   reply["text"].startswith("Are you sure that you want to remove the selected "
                                            "item from your Quivanto list?") and
                   "DESCRIPTION: Renamed" + " " * 23 in reply["text"], reply["text"])
        self.equal("it asks with a question icon", reply["icon"], "question")
        self.equal("it offers Yes and No, No the default",
                   [(b["text"], b["default"]) for b in reply["buttons"]],
                   [("&Yes", False), ("&No", True)])
        self.answer(reply, "&Yes")
        time.sleep(1)
        self.check("Yes removes the line from list.dat", b"Renamed" not in self.list_bytes())
        self.check("and the row from the list",
                   not any(r.startswith("Renamed") for r in self.rows()["rows"]))

    def drop(self):
        path = os.path.join(self.folder, "dropped.txt")
        source = subprocess.Popen([self.drag_source, path], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        self.processes.append(source)
        found = self.wait_for(lambda: self.xdotool(
            "search", "--onlyvisible", "--name", "^Quivanto test drag source$").split(), 10)
        if not self.check("the drag source is on screen", bool(found)):
            return
        self.xdotool("windowmove", "--sync", found[0], 60, 120)
        time.sleep(0.5)
        lst = self.show_list()
        self.xdotool("mousemove", "--window", found[0], 40, 40)
        time.sleep(0.3)
        where = dict(line.split("=") for line in
                     self.xdotool("getmouselocation", "--shell").split() if "=" in line)
        x, y = int(where["X"]), int(where["Y"])
        self.xdotool("mousedown", 1)
        target = (lst["x"] + lst["w"] // 2, lst["y"] + lst["h"] // 2)
        for step in range(1, 11):
            self.xdotool("mousemove", x + (target[0] - x) * step // 10,
                         y + (target[1] - y) * step // 10)
            time.sleep(0.08)
        time.sleep(0.3)
        self.xdotool("mouseup", 1)
        added = self.wait_for(lambda: b"dropped.txt" in self.list_bytes(), 10)
        lines = self.list_bytes().split(b"\r\n")
        self.check("a file dragged from an X program is added",
                   added and any(line.startswith(b"dropped.txt" + b" " * 19 + b"|") and
                                 line.endswith(b"\\dropped.txt") for line in lines), lines)
        source.terminate()

    def vanished_target(self):
        os.remove(os.path.join(self.folder, "dropped.txt"))
        if self.select_row_with("dropped.txt") is None:
            self.check("the dropped row is there to launch", False)
            return
        self.key("Return")
        box, reply = self.message_box("Quivanto - File not found!")
        if not self.check("a vanished target gives 'Quivanto - File not found!'",
                          reply is not None):
            return
        self.check("the message names the item",
                   reply["text"].startswith("The program that you selected does not exist "
                                            "anymore!") and "dropped.txt" in reply["text"],
                   reply["text"])
        self.equal("with an exclamation icon", reply["icon"], "exclamation")
        self.answer(reply, "OK")

    def keyboard(self):
        """Tab and Shift+Tab walk the list window's controls, each named for screen readers."""
        self.show_list()
        window = self.list_window()
        # id, name and class of every control in the tab order, the list first
        order = [(1001, "Quivanto list", "ListBox"), (1004, "Properties", "Button"),
                 (1003, "Delete", "Button"), (1002, "Add", "Button"), (1005, "Help", "Button"),
                 (1006, "Hide", "Button"), (1007, "About Quivanto", "Button")]

        def focused():
            f = self.run_probe("focus", window["hwnd"]) or {}
            return (f.get("id"), f.get("text"), f.get("cls"))

        seen = [focused()]
        for _ in order:
            self.key("Tab")
            seen.append(focused())
        self.equal("Tab walks every control, named, and wraps", seen, order + order[:1])
        seen = [focused()]
        for _ in order:
            self.key("shift+Tab")
            seen.append(focused())
        self.equal("Shift+Tab walks back and wraps", seen, [order[0]] + order[::-1])
        for _ in range(2):
            self.key("Tab")  # Properties, then Delete
        self.key("Return")
        box, reply = self.message_box("Quivanto - Are you sure?")
        if self.check("Enter on the focused Delete asks first", reply is not None):
            self.answer(reply, "&No")

    def help(self):
        self.show_list()
        self.key("F1")
        self.wait_for(lambda: os.path.exists(self.spy_log), 15)
        text = open(self.spy_log, encoding="utf-8").read() if os.path.exists(self.spy_log) \
            else ""
        self.equal("F1 opens Help.html through the shell", urllib.parse.unquote(text.strip()),
                   "file://" + os.path.join(self.folder, "Help.html"))

    def about(self):
        self.show_list()
        window = self.list_window()
        self.click_control(self.control(window, id=1007))  # lblAbout
        about = self.wait_for(lambda: self.top(text="About Quivanto"), 10)
        if not self.check("the banner's left part opens the About box", about is not None):
            return
        texts = [c["text"] for c in self.children(about["hwnd"])]
        self.screenshot("about", about)
        self.check('About shows "Version 2.5.2"', "Version 2.5.2" in texts, texts)
        ok = self.control(about, "Button", "&OK")
        if self.check("it has an &OK button", ok is not None, texts):
            self.click_control(ok)
        self.check("OK closes it", self.wait_for(
            lambda: self.top(text="About Quivanto") is None, 5))

    def last_item(self):
        while True:
            rows = self.rows()
            if rows["count"] <= 1:
                break
            self.select_row_with(rows["rows"][-1][:10])
            self.key("Delete")
            box, reply = self.message_box("Quivanto - Are you sure?")
            if not reply:
                self.check("removing down to one item", False)
                return
            self.answer(reply, "&Yes")
            time.sleep(0.8)
        remaining = self.list_bytes()
        self.show_list()
        self.key("Delete")
        box, reply = self.message_box("Quivanto")
        if not self.check("the last item is refused", reply is not None):
            return
        self.equal("with the last-item text", reply["text"],
                   "You cannot remove the last item! Please add an item first.")
        self.equal("and no icon", reply["icon"], "none")
        self.answer(reply, "OK")
        time.sleep(0.5)
        self.equal("the list file is unchanged", self.list_bytes(), remaining)

    def second_instance(self):
        second = self.start_program()
        box, reply = self.message_box("Quivanto - Multiple Instances Error")
        if not self.check("a second instance is refused", reply is not None):
            return
        self.equal("with its text and an exclamation icon", (reply["text"], reply["icon"]),
                   ("Quivanto is already running.", "exclamation"))
        self.answer(reply, "OK")
        try:
            second.wait(15)
        except subprocess.TimeoutExpired:
            pass
        self.check("the second copy ends", second.poll() is not None)
        self.check("the first goes on", self.first.poll() is None)

    def quit(self):
        if self.list_window(visible=True):
            time.sleep(DOUBLE_CLICK_GAP)
        self.tray_click(3)
        box, reply = self.message_box("Quivanto - Are you sure?")
        if not self.check("a right click asks to leave the tray", reply is not None):
            return
        self.equal("the question", (reply["text"], reply["icon"]),
                   ("Do you want to remove Quivanto from your system tray?", "question"))
        self.equal("No is the default", [b["text"] for b in reply["buttons"] if b["default"]],
                   ["&No"])
        self.answer(reply, "&Yes")
        try:
            self.first.wait(15)
        except subprocess.TimeoutExpired:
            pass
        self.check("Yes ends the program", self.first.poll() is not None)
        self.check("and removes the icon", self.top("QuivantoTrayWindow", visible=None) is None)

    def run(self):
        if not self.start():
            return
        if self.taskbar:
            for step in (self.tray_toggle, self.keyboard_select):
                step()
            return
        for step in (self.tray_toggle, self.keyboard_select, self.shortcut_and_typing,
                     self.add_item, self.rename, self.delete_with_question, self.about,
                     self.keyboard, self.help, self.drop, self.vanished_target, self.last_item,
                     self.second_instance, self.quit):
            try:
                step()
            except Exception as error:  # a step that breaks is a failure, the tour goes on
                self.check(step.__name__ + " ran to its end", False, repr(error))

    def stop(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()


def main():
    wine, exe, probe, drag_source = sys.argv[1:5]
    keep = "--keep" in sys.argv
    # A letter beyond ASCII in the working folder's name, as in many users' folders.
    folder = tempfile.mkdtemp(prefix="quivanto-tour-\u00c4pfel-")
    repo = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))))
    shutil.copy(os.path.join(repo, "resources", "Help.html"), folder)
    for name in ("tour_target.txt", "dropped.txt"):
        with open(os.path.join(folder, name), "w") as f:
            f.write("Quivanto tour\n")
    spy_folder = os.path.join(folder, "spy")
    os.mkdir(spy_folder)
    os.symlink(os.path.join(repo, "tests", "e2e", "tools", "spy-xdg-open"),
               os.path.join(spy_folder, "xdg-open"))
    tour = Tour(wine, exe, probe, drag_source, folder, spy_folder)
    tour.taskbar = "--taskbar" in sys.argv
    if "--screenshots" in sys.argv:
        tour.screenshots = os.path.abspath(sys.argv[sys.argv.index("--screenshots") + 1])
    started = time.time()
    try:
        tour.run()
    finally:
        tour.stop()
        if not keep:
            shutil.rmtree(folder, ignore_errors=True)
    print(f"tour: {len(tour.failures)} failed, {time.time() - started:.0f} s")
    sys.exit(1 if tour.failures else 0)


if __name__ == "__main__":
    main()
