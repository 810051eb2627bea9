#!/usr/bin/env python3
"""The Windows edition under Wine against a bare Win32 tray program built the same way, both
stripped as released: start to tray icon added, size, working set after start. Figures,
never pass or fail. Needs DISPLAY (no window manager: Wine's tray window then maps straight
on the root) and a running wineserver with a desktop keeper; bench/run_windows provides them.

The start-up times are taken in pairs, one program right after the other, which goes first
alternating, so both meet the same machine load; each pair gives a ratio, and the median
of the ratios with their interquartile range says whether the program is within 1.10 of
the bare one in one run, however loaded the machine.

Usage: windows_bench.py WINE QUIVANTO_EXE BARE_EXE PROBE_EXE STRIP [--pairs N]
"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwatch  # noqa: E402

DEFAULT_LIST = (b"Explorer                      |explorer.exe\r\n"
                b"Notepad                       |notepad.exe\r\n")
TRAY_NAME = "Wine System Tray"
ENV = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d")


class Bench:
    def __init__(self, wine, probe):
        self.wine, self.probe = wine, probe
        self.x = xwatch.Display()
        self.work = tempfile.mkdtemp(prefix="quivanto-wbench-")

    def probe_json(self, *args):
        out = subprocess.run([self.wine, self.probe, *map(str, args)], env=ENV,
                             capture_output=True, timeout=30)
        return json.loads(out.stdout.decode()) if out.returncode == 0 else None

    def tray_shown(self):
        return any(self.x.name(w) == TRAY_NAME and self.x.viewable(w)
                   for w in self.x.children(self.x.root))

    def start(self, program, timeout=60):
        """Starts `program` in a fresh folder; returns (process, seconds until Wine's tray
        window maps with its icon)."""
        folder = tempfile.mkdtemp(dir=self.work)
        with open(os.path.join(folder, "list.dat"), "wb") as f:
            f.write(DEFAULT_LIST)
        self.x.select(self.x.root, xwatch.SUBSTRUCTURE_NOTIFY)
        self.x.drain()
        started = time.perf_counter()
        process = subprocess.Popen([self.wine, program], cwd=folder, env=ENV,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        while time.perf_counter() - started < timeout:
            event = self.x.next_event(0.05)
            if event is not None and event.type == xwatch.MAP_NOTIFY and \
                    self.x.name(event.xmap.window) == TRAY_NAME:
                shown = time.perf_counter() - started
                self.x.select(self.x.root, 0)
                return process, shown
        process.kill()
        raise SystemExit(f"{program}: the tray icon never appeared")

    def working_set(self, window_class):
        windows = self.probe_json("windows") or []
        window = next((w for w in windows if w["cls"] == window_class), None)
        return self.probe_json("memory", window["hwnd"]) if window else None

    def stop(self, process):
        """Ends the program and waits until the tray, left without icons, is hidden."""
        process.kill()
        process.wait()
        deadline = time.time() + 10
        while self.tray_shown() and time.time() < deadline:
            time.sleep(0.05)
        time.sleep(0.3)


def stripped_copy(strip, exe, folder):
    copy = os.path.join(folder, os.path.basename(exe))
    subprocess.run([strip, "-o", copy, exe], check=True)
    return copy


def quartiles(values):
    """The first quartile, the median and the third quartile."""
    if len(values) < 2:
        return (values[0],) * 3 if values else (float("nan"),) * 3
    q1, q2, q3 = statistics.quantiles(values, n=4, method="inclusive")
    return q1, q2, q3


# Working sets are read after this many pairs' starts; the rest only time the start.
MEMORY_PAIRS = 5
GOAL = 1.10


def main():
    wine, built_quivanto, built_bare, probe, strip = sys.argv[1:6]
    pairs = int(sys.argv[sys.argv.index("--pairs") + 1]) if "--pairs" in sys.argv else 31
    bench = Bench(wine, probe)
    # Timed as released: Wine maps a PE image's debug sections with the rest, which a
    # development build carries by the megabyte.
    quivanto = stripped_copy(strip, built_quivanto, bench.work)
    bare = stripped_copy(strip, built_bare, bench.work)
    programs = {"quivanto": (quivanto, "QuivantoListWindow"),
                "bare": (bare, "BareTrayWindow")}
    starts = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    ratios = []
    try:
        for pair in range(pairs):
            order = ["quivanto", "bare"] if pair % 2 == 0 else ["bare", "quivanto"]
            seconds_of = {}
            for name in order:
                exe, window_class = programs[name]
                process, seconds = bench.start(exe)
                seconds_of[name] = seconds
                starts[name].append(seconds)
                if pair < MEMORY_PAIRS:
                    time.sleep(1.0)  # start-up over
                    counters = bench.working_set(window_class)
                    if counters:
                        memory[name].append(counters["workingSet"] / 1024)
                bench.stop(process)
            ratios.append(seconds_of["quivanto"] / seconds_of["bare"])
    finally:
        size_of = {"quivanto": os.path.getsize(quivanto), "bare": os.path.getsize(bare)}
        shutil.rmtree(bench.work, ignore_errors=True)

    def median(values):
        return statistics.median(values) if values else float("nan")

    q, b = median(starts["quivanto"]), median(starts["bare"])
    r1, r2, r3 = quartiles(ratios)
    print(f"Windows edition under Wine ({pairs} pairs, which starts first alternating):")
    print("  start to tray icon added    median   quartiles")
    for name, label in (("quivanto", "quivanto"), ("bare", "bare Win32 tray")):
        s1, s2, s3 = quartiles(starts[name])
        print(f"    {label:<25} {s2 * 1000:4.0f} ms  {s1 * 1000:.0f}-{s3 * 1000:.0f} ms")
    verdict = "within" if r2 <= GOAL else "NOT within"
    print(f"  ratio per pair: median {r2:.2f}, interquartile range {r1:.2f}-{r3:.2f} "
          f"({r3 - r1:.2f} wide): {verdict} {GOAL:.2f}")
    print(f"  medians of each: quivanto {q * 1000:.0f} ms, bare {b * 1000:.0f} ms")
    print(f"  quivanto.exe stripped: {size_of['quivanto'] / 1024:.0f} KB (goal under 1024 KB); "
          f"bare tray {size_of['bare'] / 1024:.0f} KB")
    print(f"  working set after start (first {MEMORY_PAIRS} pairs): quivanto "
          f"{median(memory['quivanto']):.0f} KB, bare Win32 tray {median(memory['bare']):.0f} KB")


if __name__ == "__main__":
    main()
