#!/usr/bin/python3
"""A StatusNotifier watcher that also says a host draws the items, on the session bus.

It appends "registered <service> <sender>" to the log for every item that registers, so a
test can find the item and then call it as a panel would. Usage:
fake_tray_host.py LOG [DELAY_SECONDS]
"""

import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"


class Watcher(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.log = log
        self.items = []

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        self.items.append(service)
        with open(self.log, "a") as f:
            f.write(f"registered {service} {sender}\n")
        self.StatusNotifierItemRegistered(service)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s",
                         path_keyword="object_path", connection_keyword="connection")
    def Introspect(self, object_path, connection):
        # python-dbus leaves properties out; clients that read them by introspection need them.
        xml = super().Introspect(object_path, connection)
        properties = ('<property name="RegisteredStatusNotifierItems" type="as" access="read"/>'
                      '<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>'
                      '<property name="ProtocolVersion" type="i" access="read"/>')
        marker = f'<interface name="{WATCHER}">'
        return xml.replace(marker, marker + properties)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(True),
                "ProtocolVersion": dbus.Int32(0)}


def main():
    log = sys.argv[1]
    time.sleep(float(sys.argv[2]) if len(sys.argv) > 2 else 0)
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, log)
    name = dbus.service.BusName(WATCHER, bus)
    with open(log, "a") as f:
        f.write("ready\n")
    GLib.MainLoop().run()
    del watcher, name


if __name__ == "__main__":
    main()
