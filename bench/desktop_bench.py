"""Quivanto against the bare tray program on a real X server (run inside the end-to-end
harness): start to tray icon docked, idle memory, idle wakeups, tray click to list shown.

Usage: run_e2e.sh QUIVANTO desktop_bench.py BARE_TRAY [--runs N] [--dock-runs N]
       [--sni-runs N] [--idle S] [--clicks N] [--big N] [--start-only] [--verbose]

Readiness is seen from outside only: the icon window reparented into the tray host's panel
and viewable, an item registered with a StatusNotifier watcher, the list window viewable.
Start-up is timed in pairs, the two programs taking turns at going first, and reported as
the median of the pair ratios with its quartiles. Prints one line per figure."""

import argparse
import os
import random
import shutil
import statistics
import string
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwatch  # noqa: E402
from report import figure  # noqa: E402

WATCHER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e",
                       "tools", "fake_tray_host.py")
DEFAULT_LIST = (b"Explorer                      |explorer.exe\r\n"
                b"Notepad                       |notepad.exe\r\n")
LIST_WIDTH = 263  # pixels, both programs
SETTLE_BETWEEN_CLICKS = 0.8  # beyond any double-click interval


class Session:
    def __init__(self):
        self.x = xwatch.Display()
        self.work = tempfile.mkdtemp(prefix="bench-", dir=os.environ.get("QUIVANTO_E2E_WORK"))
        self.panel = self._panel()

    def _panel(self):
        for window in self.x.descendants(self.x.root):
            if self.x.name(window) == "panel":
                return window
        raise SystemExit("no tray host panel on this display")

    def _inside_panel(self, window):
        while window and window != self.x.root:
            if window == self.panel:
                return True
            window = self.x.parent(window)
        return False

    def start(self, program, list_bytes=DEFAULT_LIST, timeout=60):
        """Starts the program in a fresh folder; returns (process, icon window, seconds to
        the icon docked and viewable)."""
        folder = tempfile.mkdtemp(dir=self.work)
        with open(os.path.join(folder, "list.dat"), "wb") as f:
            f.write(list_bytes)
        self.x.select(self.x.root, xwatch.SUBSTRUCTURE_NOTIFY)
        self.x.drain()
        started = time.perf_counter()
        process = subprocess.Popen([program], cwd=folder, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        icon = None
        while time.perf_counter() - started < timeout:
            event = self.x.next_event(0.0002 if icon else 0.05)
            if (icon is None and event is not None and event.type == xwatch.REPARENT_NOTIFY
                    and self._inside_panel(event.xreparent.parent)):
                icon = event.xreparent.window
            if icon is not None and self.x.viewable(icon):
                docked = time.perf_counter() - started
                self.cpu_at_dock = cpu_seconds(process.pid)
                self.x.select(self.x.root, 0)
                return process, icon, docked
        process.kill()
        process.wait()
        raise SystemExit(f"{program}: the tray icon did not dock")

    @staticmethod
    def stop(process):
        process.terminate()
        process.wait()
        time.sleep(0.3)  # the tray host drops the old icon

    def settled_icon_centre(self, icon):
        """The tray host moves its icons after one docks: wait until the place holds."""
        last, stable = None, 0
        for _ in range(150):
            attributes = self.x.attributes(icon)
            x, y = self.x.position(icon)
            here = (x + attributes.width // 2, y + attributes.height // 2)
            stable = stable + 1 if here == last else 0
            if stable >= 5:
                return here
            last = here
            time.sleep(0.1)
        raise SystemExit("the tray icon did not settle")

    def list_window(self, pid):
        for window in self.x.windows_of(pid):
            attributes = self.x.attributes(window)
            if attributes is not None and attributes.width == LIST_WIDTH:
                return window
        return None

    def wait_viewable(self, window, viewable, timeout=5):
        deadline = time.perf_counter() + timeout
        while time.perf_counter() < deadline:
            if self.x.viewable(window) == viewable:
                return time.perf_counter()
            self.x.next_event(0.0002)
        raise SystemExit("the list window did not " + ("show" if viewable else "hide"))

    def click_latencies(self, program, clicks, idle_seconds):
        """Seconds from a click on the icon to the list window viewable, for `clicks`
        showing clicks, the first click first (each followed by a hiding click); then the
        context switches over `idle_seconds` once the list has been shown and hidden."""
        process, icon, _ = self.start(program)
        try:
            x, y = self.settled_icon_centre(icon)
            self.x.move_pointer(x, y)
            time.sleep(SETTLE_BETWEEN_CLICKS)
            # A program may create its list window only when it first shows it.
            window = self.list_window(process.pid)
            sent = self.x.click()
            while window is None or not self.x.viewable(window):
                if time.perf_counter() - sent > 10:
                    raise SystemExit(f"{program}: the list window did not show")
                window = window or self.list_window(process.pid)
            latencies = [time.perf_counter() - sent]
            self.x.select(window, xwatch.STRUCTURE_NOTIFY)
            for _ in range(clicks - 1):
                time.sleep(SETTLE_BETWEEN_CLICKS)
                self.x.click()
                self.wait_viewable(window, False)
                time.sleep(SETTLE_BETWEEN_CLICKS)
                self.x.drain()
                sent = self.x.click()
                latencies.append(self.wait_viewable(window, True) - sent)
            time.sleep(SETTLE_BETWEEN_CLICKS)
            self.x.click()
            self.wait_viewable(window, False)
            self.x.move_pointer(x - 300, y - 300)  # no tooltip waiting to show or hide
            time.sleep(2.0)
            before, _ = context_switches(process.pid)
            time.sleep(idle_seconds)
            after, _ = context_switches(process.pid)
            return latencies, after - before
        finally:
            self.stop(process)


class StatusNotifierTray:
    """A StatusNotifier watcher with a host on the session bus, beside the XEmbed tray: both
    programs then register an item with it instead of docking an icon. The watcher writes
    a line for each registration, which is the moment its panel would show the item."""

    def __init__(self, work):
        self.work = work
        self.log = os.path.join(work, "watcher.log")
        self.process = subprocess.Popen(["/usr/bin/python3", WATCHER, self.log],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.perf_counter() + 10
        while not self._text().startswith("ready"):
            if time.perf_counter() > deadline:
                raise SystemExit("the StatusNotifier watcher did not start")
            time.sleep(0.01)

    def _text(self):
        try:
            with open(self.log) as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def start(self, program, timeout=30):
        folder = tempfile.mkdtemp(dir=self.work)
        with open(os.path.join(folder, "list.dat"), "wb") as f:
            f.write(DEFAULT_LIST)
        seen = os.path.getsize(self.log)
        started = time.perf_counter()
        process = subprocess.Popen([program], cwd=folder, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        while time.perf_counter() - started < timeout:
            if os.path.getsize(self.log) > seen:
                registered = time.perf_counter() - started
                self.cpu_at_dock = cpu_seconds(process.pid)
                return process, registered
            time.sleep(0.0002)
        process.kill()
        process.wait()
        raise SystemExit(f"{program}: no item registered with the watcher")

    def close(self):
        self.process.terminate()
        self.process.wait()


def smaps_rollup(pid):
    values = {}
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 3 and parts[1].isdigit():
                values[parts[0].rstrip(":")] = int(parts[1])  # kB
    return values


def cpu_seconds(pid):
    """Time every thread of the process has run on a processor so far."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except FileNotFoundError:
            pass
    return total / 1e9


def context_switches(pid):
    """Voluntary plus involuntary context switches of every thread, and the thread count."""
    total, threads = 0, 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
            threads += 1
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total, threads


def measure_at_rest(session, program, idle_seconds):
    process, _, docked = session.start(program)
    try:
        time.sleep(2.0)  # counted from the icon docked
        memory = smaps_rollup(process.pid)
        before, threads = context_switches(process.pid)
        time.sleep(idle_seconds)
        after, _ = context_switches(process.pid)
        return {"dock": docked * 1000, "cpu": session.cpu_at_dock * 1000,
                "pss": memory["Pss"] / 1024, "rss": memory["Rss"] / 1024, "threads": threads,
                "wakeups": after - before}
    finally:
        session.stop(process)


def big_list(rows):
    """`rows` item lines of made-up words in the order they were added, not sorted."""
    rng = random.Random(rows)

    def word(shortest, longest):
        letters = "".join(rng.choice(string.ascii_lowercase)
                          for _ in range(rng.randint(shortest, longest)))
        return letters.capitalize() if rng.random() < 0.25 else letters

    lines = []
    for _ in range(rows):
        description = f"{word(3, 12)} {word(2, 14)}"[:30].ljust(30)
        lines.append(f"{description}|/home/user/{word(4, 10)}/{word(3, 12)}.txt\r\n")
    return "".join(lines).encode()


def quartiles(values):
    """The lower quartile, the median and the upper quartile."""
    if len(values) < 2:
        return values[0], values[0], values[0]
    low, middle, high = statistics.quantiles(values, n=4, method="inclusive")
    return low, middle, high


def paired(args, quivanto, measure, pairs):
    """`measure` run for both programs `pairs` times back to back, taking turns at going
    first; returns each program's results and the ratio Quivanto / bare of every pair. A
    pair meets one weather, so its ratio holds on a busy machine where times do not."""
    results = {"bare": [], "quivanto": []}
    ratios = []
    order = [("bare", args.bare), ("quivanto", quivanto)]
    for pair in range(pairs):
        this = {}
        for name, program in order if pair % 2 == 0 else reversed(order):
            this[name] = measure(program)
            results[name].append(this[name])
        ratios.append(this["quivanto"]["dock"] / this["bare"]["dock"])
        if args.verbose:
            print(pair, this, file=sys.stderr)
    return results, ratios


def report_docks(docks, ratios, title="start to tray icon docked (XEmbed)"):
    def both(key):
        return (statistics.median(r[key] for r in docks["quivanto"]),
                statistics.median(r[key] for r in docks["bare"]))

    low, middle, high = quartiles(ratios)
    figure(title, *both("dock"), "ms", goal=1.10,
           quotient=middle,
           note=f"{len(ratios)} pairs: median of the pair ratios, quartiles {low:.2f}-{high:.2f};"
           " times are medians")
    figure("  processor time until then", *both("cpu"), "ms",
           note=f"median of {len(ratios)}, all threads")


def interleaved(args, quivanto, measure):
    """`measure` run args.runs times for each program, taking turns at going first."""
    results = {"bare": [], "quivanto": []}
    order = [("bare", args.bare), ("quivanto", quivanto)]
    for run in range(args.runs):
        for name, program in order if run % 2 == 0 else reversed(order):
            results[name].append(measure(program))
            if args.verbose:
                print(name, results[name][-1], file=sys.stderr)
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--dock-runs", type=int, default=31)
    parser.add_argument("--idle", type=float, default=10.0)
    parser.add_argument("--clicks", type=int, default=20)
    parser.add_argument("--big", type=int, default=100000)
    parser.add_argument("--sni-runs", type=int, default=31,
                        help="pairs started with a StatusNotifier watcher; 0: none")
    parser.add_argument("--start-only", action="store_true",
                        help="only start to docked, for quick comparisons")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    quivanto = os.environ["QUIVANTO_PROGRAM"]
    args.bare = os.path.abspath(args.bare)
    session = Session()
    try:
        def dock(program):
            process, _, docked = session.start(program)
            session.stop(process)
            return {"dock": docked * 1000, "cpu": session.cpu_at_dock * 1000}

        docks, dock_ratios = paired(args, quivanto, dock, args.dock_runs)
        sni_docks = None
        if args.sni_runs:
            tray = StatusNotifierTray(session.work)
            try:
                def register(program):
                    process, registered = tray.start(program)
                    session.stop(process)
                    return {"dock": registered * 1000, "cpu": tray.cpu_at_dock * 1000}

                sni_docks = paired(args, quivanto, register, args.sni_runs)
            finally:
                tray.close()
        if args.start_only:
            report_docks(docks, dock_ratios)
            if sni_docks:
                report_docks(*sni_docks, "start to item registered (StatusNotifier)")
            return
        rest = interleaved(args, quivanto,
                           lambda program: measure_at_rest(session, program, args.idle))

        def med(results, name, key):
            return statistics.median(r[key] for r in results[name])

        def both(results, key):
            return med(results, "quivanto", key), med(results, "bare", key)

        n = args.runs
        report_docks(docks, dock_ratios)
        if sni_docks:
            report_docks(*sni_docks, "start to item registered (StatusNotifier)")
        figure("idle PSS after 2 s", *both(rest, "pss"), "MB", goal=1.10, note=f"median of {n}")
        figure("idle RSS after 2 s", *both(rest, "rss"), "MB", goal=1.10, note=f"median of {n}")
        figure("threads", *both(rest, "threads"), "")
        figure(f"context switches over {args.idle:g} s idle",
               max(r["wakeups"] for r in rest["quivanto"]),
               max(r["wakeups"] for r in rest["bare"]), "", goal_absolute=0,
               note=f"worst of {n}, all threads", ratio=False)

        clicks_q, idle_q = session.click_latencies(quivanto, args.clicks, args.idle)
        clicks_b, idle_b = session.click_latencies(args.bare, args.clicks, args.idle)
        if args.verbose:
            print("clicks", clicks_q, clicks_b, file=sys.stderr)
        ms = 1000
        figure("tray click to list shown, median", statistics.median(clicks_q) * ms,
               statistics.median(clicks_b) * ms, "ms", goal_absolute=16,
               note=f"{args.clicks} clicks, the first included")
        figure("tray click to list shown, worst", max(clicks_q) * ms, max(clicks_b) * ms, "ms",
               note=f"{args.clicks} clicks")
        figure("tray click to list shown, first click", clicks_q[0] * ms, clicks_b[0] * ms, "ms",
               note="fonts and pictures load here")
        figure("context switches, idle after a show", idle_q, idle_b, "", ratio=False,
               note=f"over {args.idle:g} s, all threads")

        if args.big:
            big = big_list(args.big)
            times = []
            for _ in range(3):
                process, _, docked = session.start(quivanto, big)
                session.stop(process)
                times.append(docked * 1000)
            figure(f"start to tray icon docked, {args.big:,} items", statistics.median(times),
                   med(docks, "bare", "dock"), "ms", note="median of 3; bare with 2 items")
    finally:
        shutil.rmtree(session.work, ignore_errors=True)


if __name__ == "__main__":
    main()
