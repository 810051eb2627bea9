"""A StatusNotifier host (the D-Bus tray of most Linux panels), played by a small fake
watcher on the test's session bus, calling the item as panels do, with what a real panel
cannot be made to send: coordinates, ContextMenu, a host that starts late."""

import os
import re
import subprocess
import sys
import time
import unittest

import dbus

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (ProgramTest, list_window, press, run, tree_lines, wait_for,  # noqa: E402
                     windows_named)

HOST = os.path.join(os.path.dirname(__file__), "tools", "fake_tray_host.py")
GRAB_KEYS = os.path.join(os.path.dirname(__file__), "tools", "grab_keys.py")
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
REMOVE_ENTRY = "Remove Quivanto from the system tray..."


class StatusNotifierHost(ProgramTest):
    """Run without the harness's XEmbed tray (QUIVANTO_E2E_NO_TRAY=1)."""

    def start_host(self, delay=0.0):
        self.host_log = self.path("host.log")
        host = subprocess.Popen(["/usr/bin/python3", HOST, self.host_log, str(delay)])
        self.addCleanup(lambda: (host.kill(), host.wait()))
        if delay == 0:
            wait_for(lambda: "ready" in self.host_lines(), what="the fake host")
        return host

    def host_lines(self):
        if not os.path.exists(self.host_log):
            return ""
        with open(self.host_log) as f:
            return f.read()

    def item(self, timeout=10):
        """The registered item's service name and object on the bus."""
        line = wait_for(lambda: [l for l in self.host_lines().splitlines()
                                 if l.startswith("registered ")],
                        timeout=timeout, what="the item to register")[0]
        service = line.split()[1]
        bus = dbus.SessionBus()
        return service, bus.get_object(service, "/StatusNotifierItem")

    def properties(self, item):
        return item.GetAll(ITEM, dbus_interface=dbus.PROPERTIES_IFACE)

    def shown(self):
        window = list_window()
        return window is not None and window.viewable

    def resident(self):
        program = self.start()
        service, item = self.item()
        # Started hidden; the item answers once the program runs its event loop.
        self.properties(item)
        return program, service, item

    def test_a_host_that_starts_late_gets_the_icon(self):
        program = self.start()
        self.start_host(delay=1.5)
        self.item()
        self.assertIsNone(program.poll(), "it must wait for a tray, not give up")
        time.sleep(0.5)
        self.assertFalse(windows_named("^Quivanto - No System Tray$"))
        self.assertTrue(os.path.exists(self.path("list.dat")))

    def test_an_xembed_icon_moves_to_a_host_that_registers_later(self):
        # As mate-panel does when started after the program: its XEmbed tray first.
        trayer = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right",
                                   "--SetDockType", "true", "--height", "24"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (trayer.kill(), trayer.wait()))
        program = self.start()
        docked = lambda: [l for l in tree_lines() if '("quivanto" "Quivanto")' in l and
                          re.search(r"\b(1[6-9]|2\d)x(1[6-9]|2\d)\+", l)]
        wait_for(docked, what="the icon in the XEmbed tray")
        self.start_host()
        service, item = self.item()
        wait_for(lambda: not docked(), what="the XEmbed icon to go")
        menu = dbus.SessionBus().get_object(service, self.properties(item)["Menu"])
        _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU)
        self.assertEqual([str(child[1].get("label", "")) for child in layout[2]], [REMOVE_ENTRY])
        self.assertIsNone(program.poll())

    def test_the_list_opens_at_the_x_the_host_gives(self):
        self.start_host()
        _, _, item = self.resident()
        run("xdotool", "mousemove", "300", "200")  # the pointer is elsewhere: ignored
        item.Activate(700, 760, dbus_interface=ITEM)
        wait_for(self.shown, what="the list window")
        geometry = list_window().geometry
        self.assertEqual(geometry["x"] + geometry["width"], 700)
        self.assertLess(geometry["y"] + geometry["height"], 768 - 20)  # above the margin
        time.sleep(0.7)
        item.Activate(700, 760, dbus_interface=ITEM)
        wait_for(lambda: not self.shown(), what="the list window to hide")

        # A host that does not know where its icon is sends 0,0: the pointer then counts.
        self.check_the_pointer_counts_for(((0, 0),))

    def test_the_pointer_counts_for_a_host_that_sends_a_placeholder(self):
        self.start_host()
        self.resident()
        run("xdotool", "mousemove", "300", "200")
        # mate-panel sends 0,25 wherever the click was; waybar a point inside the icon.
        self.check_the_pointer_counts_for(((0, 25), (7, 16)))

    def check_the_pointer_counts_for(self, places):
        _, item = self.item()
        for x, y in places:
            time.sleep(0.7)
            item.Activate(x, y, dbus_interface=ITEM)
            wait_for(self.shown, what="the list window")
            geometry = list_window().geometry
            self.assertEqual(geometry["x"] + geometry["width"], 300, f"Activate({x},{y})")
            time.sleep(0.7)
            item.Activate(x, y, dbus_interface=ITEM)
            wait_for(lambda: not self.shown(), what="the list window to hide")

    def test_a_double_click_ends_shown_as_on_the_xembed_tray(self):
        self.start_host()
        _, _, item = self.resident()
        # Hosts send one Activate per click; waybar a third for the toolkit's double press.
        for calls in (2, 3):
            for _ in range(calls):
                item.Activate(700, 760, dbus_interface=ITEM)
                time.sleep(0.045)
            wait_for(self.shown, what="the list window")
            time.sleep(1.0)  # and it stays
            self.assertTrue(self.shown(), f"{calls} calls")
            item.Activate(700, 760, dbus_interface=ITEM)
            wait_for(lambda: not self.shown(), what="the list window to hide")
            time.sleep(0.7)

    def test_context_menu_asks_whether_to_leave_the_tray(self):
        self.start_host()
        program, _, item = self.resident()
        item.ContextMenu(700, 760, dbus_interface=ITEM)
        box = wait_for(lambda: windows_named("^Quivanto - Are you sure\\?$"),
                       what="the question")[0]
        press(box, "Escape")  # No
        wait_for(lambda: not windows_named("^Quivanto - Are you sure\\?$"),
                 what="the question to close")
        self.assertIsNone(program.poll())

    def test_the_menu_entry_asks_and_yes_leaves_the_tray(self):
        self.start_host()
        program, service, item = self.resident()
        menu_path = self.properties(item)["Menu"]
        menu = dbus.SessionBus().get_object(service, menu_path)
        _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU)
        entries = [(int(child[0]), str(child[1].get("label", ""))) for child in layout[2]]
        self.assertEqual([label for _, label in entries], [REMOVE_ENTRY])
        menu.Event(entries[0][0], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0),
                   dbus_interface=MENU)
        box = wait_for(lambda: windows_named("^Quivanto - Are you sure\\?$"),
                       what="the question")[0]
        run("xdotool", "windowactivate", "--sync", box.id)
        run("xdotool", "key", "--clearmodifiers", "alt+y")
        self.assertEqual(program.wait(timeout=10), 0)
        self.assertFalse(dbus.SessionBus().name_has_owner(service))

    def test_leaving_the_tray_while_start_up_still_waits_ends_the_program(self):
        self.start_host()
        holder = subprocess.Popen(["/usr/bin/python3", GRAB_KEYS], stdout=subprocess.PIPE,
                                  text=True)
        self.addCleanup(lambda: (holder.kill(), holder.wait()))
        self.assertEqual(holder.stdout.readline().strip(), "grabbed")
        program = self.start()
        taken = wait_for(lambda: windows_named("^Quivanto - Shortcut Taken$"),
                         what="the start-up message")[0]
        _, item = self.item()
        item.ContextMenu(700, 760, dbus_interface=ITEM)
        box = wait_for(lambda: windows_named("^Quivanto - Are you sure\\?$"),
                       what="the question")[0]
        run("xdotool", "windowactivate", "--sync", box.id)
        run("xdotool", "key", "--clearmodifiers", "alt+y")
        wait_for(lambda: not windows_named("^Quivanto - Are you sure\\?$"), what="the answer")
        press(taken, "Return")
        self.assertEqual(program.wait(timeout=10), 0)

    def test_the_icon_comes_in_every_panel_size(self):
        self.start_host()
        _, _, item = self.resident()
        pixmaps = self.properties(item)["IconPixmap"]
        sizes = [(int(w), int(h)) for w, h, _ in pixmaps]
        self.assertEqual(sizes, [(s, s) for s in (16, 22, 24, 32, 48, 64)])
        for w, h, data in pixmaps:
            self.assertEqual(len(data), 4 * w * h)
            alphas = bytes(data)[0::4]  # ARGB in network order: alpha first
            self.assertGreater(sum(1 for a in alphas if a == 255), w * h // 4,
                               f"the {w} px icon is mostly see-through")


if __name__ == "__main__":
    unittest.main(verbosity=2)
