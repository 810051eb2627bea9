"""Drives the real program on the test's X server from outside, as a user would."""

import os
import re
import subprocess
import tempfile
import time
import unittest

PROGRAM = os.environ.get("QUIVANTO_PROGRAM", "")
SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768


def run(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout


def wait_for(condition, timeout=10.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(interval)
    raise AssertionError(f"timed out waiting for {what}")


class Window:
    def __init__(self, wid):
        self.id = wid

    def info(self):
        return run("xwininfo", "-id", self.id)

    def _field(self, name):
        match = re.search(rf"{name}:\s+(-?\d+)", self.info())
        return int(match.group(1)) if match else None

    @property
    def viewable(self):
        return "IsViewable" in self.info()

    @property
    def geometry(self):
        info = self.info()
        values = {}
        for key, label in (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
                           ("width", "Width"), ("height", "Height")):
            values[key] = int(re.search(rf"{label}:\s+(-?\d+)", info).group(1))
        return values

    @property
    def title(self):
        return run("xdotool", "getwindowname", self.id).strip()


def work_area():
    """The window manager's work area (x, y, width, height): the screen less the panels'
    struts."""
    out = subprocess.run(["xprop", "-root", "_NET_WORKAREA"], capture_output=True,
                         text=True).stdout
    if "=" not in out:
        return 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT
    return tuple(int(v) for v in out.split("=", 1)[1].split(",")[:4])


def windows_named(pattern):
    """Top-level windows of the program whose title matches, mapped ones only."""
    ids = run("xdotool", "search", "--onlyvisible", "--name", pattern).split()
    return [Window(wid) for wid in ids]


def tree_lines():
    return run("xwininfo", "-root", "-tree").splitlines()


def tray_icon():
    """The program's icon embedded in the tray host, once its position has settled."""
    def find():
        for line in tree_lines():
            if '("quivanto" "Quivanto")' not in line:
                continue
            match = re.search(r"(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)", line)
            if match and int(match.group(1)) <= 64 and int(match.group(2)) <= 64:
                w, h, x, y = map(int, match.groups())
                return (x + w // 2, y + h // 2)
        return None

    last = None
    stable = 0
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        here = find()
        if here is not None and here == last:
            stable += 1
            if stable >= 5:  # the tray host moves right after an icon docks
                return here
        else:
            stable = 0
        last = here
        time.sleep(0.1)
    raise AssertionError("the tray icon did not dock")


def list_window():
    ids = run("xdotool", "search", "--class", "quivanto").split()
    for wid in ids:
        window = Window(wid)
        info = window.info()
        if re.search(r"Width:\s+263\b", info) and '"Quivanto"' in info:
            return window
    return None


def green_box(box):
    """Where the icon's green is within a box (x, y, width, height) of the screen, as
    (left, top, right, bottom) in the box, or None: nothing else on this panel is green.
    Read from the root window: the panel's own window has an alpha channel."""
    x, y, width, height = box
    data = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}",
                           "-depth", "8", "rgb:-"], capture_output=True).stdout
    xs, ys = [], []
    for at in range(0, min(len(data), width * height * 3), 3):
        red, green, blue = data[at], data[at + 1], data[at + 2]
        if green > 90 and red < 80 and blue < 80:
            xs.append((at // 3) % width)
            ys.append((at // 3) // width)
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys)


def on_screen_windows():
    """Top-level windows at a place on screen, by id, as (x, y, width, height)."""
    found = {}
    for line in run("xwininfo", "-root", "-children").splitlines():
        match = re.search(r"^\s+(0x[0-9a-f]+) .*\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\+", line)
        if match:
            wid, width, height, x, y = match.groups()
            if int(x) >= 0 and int(y) >= 0:
                found[wid] = (int(x), int(y), int(width), int(height))
    return found


def click(x, y, button=1):
    # No --sync: it waits for a motion that never comes when the pointer is already there.
    run("xdotool", "mousemove", str(x), str(y))
    time.sleep(0.1)
    run("xdotool", "click", str(button))


def press(window, key):
    run("xdotool", "windowactivate", "--sync", window.id)
    run("xdotool", "key", "--clearmodifiers", key)


class ProgramTest(unittest.TestCase):
    """Starts the real program in a fresh working folder for each test."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="quivanto-", dir=os.environ.get("QUIVANTO_E2E_WORK"))
        self.processes = []

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.wait()

    def start(self, env=None):
        log = open(os.path.join(self.folder, f"program-{len(self.processes)}.log"), "wb")
        process = subprocess.Popen([PROGRAM], cwd=self.folder, env=env,
                                   stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.processes.append(process)
        return process

    def path(self, name):
        return os.path.join(self.folder, name)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()


def spy_environment(folder):
    """PATH with the spy open action first; its log in the folder."""
    spy_bin = os.path.join(folder, "spy-bin")
    os.makedirs(spy_bin, exist_ok=True)
    spy = os.path.join(spy_bin, "xdg-open")
    with open(os.path.join(os.path.dirname(__file__), "tools", "spy-xdg-open")) as source:
        script = source.read()
    with open(spy, "w") as target:
        target.write(script)
    os.chmod(spy, 0o755)
    log = os.path.join(folder, "spy.log")
    env = dict(os.environ, PATH=spy_bin + os.pathsep + os.environ.get("PATH", ""),
               QUIVANTO_SPY_LOG=log)
    return env, log


def spied(log):
    if not os.path.exists(log):
        return []
    with open(log) as f:
        return f.read().splitlines()


class Accessible:
    """The program's windows as a screen reader sees them, over the AT-SPI bus."""

    def __init__(self):
        import pyatspi  # only the accessibility tests need it
        self.pyatspi = pyatspi

    def application(self):
        for app in self.pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Quivanto":
                return app
        return None

    def top_levels(self):
        app = self.application()
        return [child for child in app if child is not None] if app is not None else []

    def alert(self, title, timeout=10):
        def find():
            for window in self.top_levels():
                if window.name == title and window.getRoleName() in ("alert", "dialog"):
                    return window
            return None
        return wait_for(find, timeout=timeout, what=f"the message '{title}'")

    def texts(self, node):
        found = []
        for child in node:
            if child is None:
                continue
            if child.getRoleName() == "label" and child.name:
                found.append(child.name)
            found.extend(self.texts(child))
        return found

    def press(self, node, name):
        for child in node:
            if child is None:
                continue
            if child.getRoleName() == "push button" and child.name == name:
                child.queryAction().doAction(0)
                return
            if child.childCount:
                try:
                    self.press(child, name)
                    return
                except LookupError:
                    pass
        raise LookupError(name)

    def answer(self, title, button):
        """Reads the message's text, then presses one of its buttons."""
        alert = self.alert(title)
        text = "\n".join(self.texts(alert))
        self.press(alert, button)
        wait_for(lambda: all(w.name != title for w in self.top_levels()),
                 what=f"the message '{title}' to close")
        return text
