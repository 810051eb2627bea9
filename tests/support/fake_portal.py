#!/usr/bin/python3
"""The desktop portal's global shortcuts, played on the session bus for one test.

It answers each request on the path a client predicts from its handle token, before the
method returns, as a quick portal may. A control interface of its own sets how BindShortcuts
answers (grant, cancel, no-keys, left-out, or held back until released) and whether the interface is offered at
all, tells what the last bind asked for, and emits Activated on request. Prints "ready"
once it owns the portal's name.
"""

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SERVICE = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
CONTROL = "org.quivanto.FakePortal"


def portal_path(kind, sender, token):
    return f"{PATH}/{kind}/{sender[1:].replace('.', '_')}/{token}"


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.offered = True
        self.mode = "grant"
        self.last_bind = ("", "", "")
        self.last_session = "/"
        self.held = None

    def respond(self, path, response, results):
        signal = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
        signal.append(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"),
                      signature="ua{sv}")
        self.bus.send_message(signal)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface != SHORTCUTS or name != "version" or not self.offered:
            raise dbus.exceptions.DBusException(
                "No such interface", name="org.freedesktop.DBus.Error.InvalidArgs")
        return dbus.UInt32(1)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        request = portal_path("request", sender, options["handle_token"])
        self.last_session = portal_path("session", sender, options["session_handle_token"])
        self.respond(request, 0, {"session_handle": dbus.String(self.last_session)})
        return dbus.ObjectPath(request)

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender=None):
        request = portal_path("request", sender, options["handle_token"])
        ident, properties = shortcuts[0]
        self.last_bind = (str(session), str(ident), str(properties.get("preferred_trigger", "")))
        keys = "" if self.mode == "no-keys" else "Meta+Alt+Q"
        bound = [(ident, {"description": properties["description"],
                          "trigger_description": dbus.String(keys)})]
        if self.mode in ("grant", "no-keys"):
            self.respond(request, 0, {"shortcuts": dbus.Array(bound, signature="(sa{sv})")})
        elif self.mode == "left-out":
            self.respond(request, 0, {"shortcuts": dbus.Array([], signature="(sa{sv})")})
        elif self.mode == "cancel":
            self.respond(request, 1, {})
        elif self.mode == "held":
            self.held = (request, 0, {"shortcuts": dbus.Array(bound, signature="(sa{sv})")})
        return dbus.ObjectPath(request)

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.method(CONTROL, in_signature="s")
    def SetMode(self, mode):
        self.mode = str(mode)

    @dbus.service.method(CONTROL)
    def Release(self):
        self.respond(*self.held)

    @dbus.service.method(CONTROL, in_signature="b")
    def SetOffered(self, offered):
        self.offered = bool(offered)

    @dbus.service.method(CONTROL, out_signature="sss")
    def LastBind(self):
        return self.last_bind

    @dbus.service.method(CONTROL, out_signature="o")
    def LastSession(self):
        return dbus.ObjectPath(self.last_session)

    @dbus.service.method(CONTROL, in_signature="os")
    def Activate(self, session, shortcut_id):
        self.Activated(session, shortcut_id, dbus.UInt64(1), dbus.Dictionary({}, signature="sv"))


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    name = dbus.service.BusName(SERVICE, bus, do_not_queue=True)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del portal, name


if __name__ == "__main__":
    main()
