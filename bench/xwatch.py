"""A small X client over ctypes (libX11 and libXtst): watches windows appear, dock and
map, and sends clicks, without starting a tool process per question."""

import ctypes
import ctypes.util
import select
import time
from ctypes import (CFUNCTYPE, POINTER, Structure, Union, byref, c_char_p, c_int, c_long,
                    c_uint, c_ulong, c_void_p)

Window = c_ulong
Atom = c_ulong

STRUCTURE_NOTIFY = 1 << 17
SUBSTRUCTURE_NOTIFY = 1 << 19
UNMAP_NOTIFY, MAP_NOTIFY, REPARENT_NOTIFY = 18, 19, 21
IS_VIEWABLE = 2
XA_CARDINAL = 6


class XAnyEvent(Structure):
    _fields_ = [("type", c_int), ("serial", c_ulong), ("send_event", c_int),
                ("display", c_void_p), ("window", Window)]


class XReparentEvent(Structure):
    _fields_ = [("type", c_int), ("serial", c_ulong), ("send_event", c_int),
                ("display", c_void_p), ("event", Window), ("window", Window),
                ("parent", Window), ("x", c_int), ("y", c_int), ("override_redirect", c_int)]


class XMapEvent(Structure):
    _fields_ = [("type", c_int), ("serial", c_ulong), ("send_event", c_int),
                ("display", c_void_p), ("event", Window), ("window", Window),
                ("override_redirect", c_int)]


class XEvent(Union):
    _fields_ = [("type", c_int), ("xany", XAnyEvent), ("xreparent", XReparentEvent),
                ("xmap", XMapEvent), ("pad", c_long * 24)]


class XWindowAttributes(Structure):
    _fields_ = [("x", c_int), ("y", c_int), ("width", c_int), ("height", c_int),
                ("border_width", c_int), ("depth", c_int), ("visual", c_void_p),
                ("root", Window), ("c_class", c_int), ("bit_gravity", c_int),
                ("win_gravity", c_int), ("backing_store", c_int), ("backing_planes", c_ulong),
                ("backing_pixel", c_ulong), ("save_under", c_int), ("colormap", c_ulong),
                ("map_installed", c_int), ("map_state", c_int), ("all_event_masks", c_long),
                ("your_event_mask", c_long), ("do_not_propagate_mask", c_long),
                ("override_redirect", c_int), ("screen", c_void_p)]


ErrorHandler = CFUNCTYPE(c_int, c_void_p, c_void_p)


def _load(name):
    path = ctypes.util.find_library(name)
    if path is None:
        raise OSError(f"lib{name} is missing")
    return ctypes.CDLL(path)


class Display:
    def __init__(self):
        self.x = _load("X11")
        self.xtst = _load("Xtst")
        x = self.x
        x.XOpenDisplay.restype = c_void_p
        x.XOpenDisplay.argtypes = [c_char_p]
        x.XDefaultRootWindow.restype = Window
        x.XDefaultRootWindow.argtypes = [c_void_p]
        x.XSelectInput.argtypes = [c_void_p, Window, c_long]
        x.XPending.argtypes = [c_void_p]
        x.XNextEvent.argtypes = [c_void_p, POINTER(XEvent)]
        x.XConnectionNumber.argtypes = [c_void_p]
        x.XFlush.argtypes = [c_void_p]
        x.XSync.argtypes = [c_void_p, c_int]
        x.XQueryTree.argtypes = [c_void_p, Window, POINTER(Window), POINTER(Window),
                                 POINTER(POINTER(Window)), POINTER(c_uint)]
        x.XFree.argtypes = [c_void_p]
        x.XGetWindowAttributes.argtypes = [c_void_p, Window, POINTER(XWindowAttributes)]
        x.XInternAtom.restype = Atom
        x.XInternAtom.argtypes = [c_void_p, c_char_p, c_int]
        x.XGetWindowProperty.argtypes = [c_void_p, Window, Atom, c_long, c_long, c_int, Atom,
                                         POINTER(Atom), POINTER(c_int), POINTER(c_ulong),
                                         POINTER(c_ulong), POINTER(c_void_p)]
        x.XFetchName.argtypes = [c_void_p, Window, POINTER(c_char_p)]
        x.XTranslateCoordinates.argtypes = [c_void_p, Window, Window, c_int, c_int,
                                            POINTER(c_int), POINTER(c_int), POINTER(Window)]
        self.xtst.XTestFakeButtonEvent.argtypes = [c_void_p, c_uint, c_int, c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [c_void_p, c_int, c_int, c_int, c_ulong]
        # Windows come and go while we look at them: a failed request is no reason to stop.
        self._on_error = ErrorHandler(lambda display, error: 0)
        x.XSetErrorHandler(self._on_error)
        self.dpy = x.XOpenDisplay(None)
        if not self.dpy:
            raise OSError("cannot open the display")
        self.root = x.XDefaultRootWindow(self.dpy)
        self.fd = x.XConnectionNumber(self.dpy)
        self.pid_atom = x.XInternAtom(self.dpy, b"_NET_WM_PID", 0)

    # Events

    def select(self, window, mask):
        self.x.XSelectInput(self.dpy, window, mask)
        self.x.XSync(self.dpy, 0)

    def next_event(self, timeout):
        """The next event, or None when none came within `timeout` seconds."""
        if not self.x.XPending(self.dpy):
            ready, _, _ = select.select([self.fd], [], [], max(timeout, 0))
            if not ready or not self.x.XPending(self.dpy):
                return None
        event = XEvent()
        self.x.XNextEvent(self.dpy, byref(event))
        return event

    def drain(self):
        self.x.XSync(self.dpy, 0)
        while self.next_event(0) is not None:
            pass

    # Questions

    def parent(self, window):
        root, parent, children, count = Window(), Window(), POINTER(Window)(), c_uint()
        if not self.x.XQueryTree(self.dpy, window, byref(root), byref(parent), byref(children),
                                 byref(count)):
            return None
        if children:
            self.x.XFree(children)
        return parent.value

    def children(self, window):
        root, parent, children, count = Window(), Window(), POINTER(Window)(), c_uint()
        if not self.x.XQueryTree(self.dpy, window, byref(root), byref(parent), byref(children),
                                 byref(count)):
            return []
        found = [children[i] for i in range(count.value)]
        if children:
            self.x.XFree(children)
        return found

    def descendants(self, window):
        found = []
        for child in self.children(window):
            found.append(child)
            found.extend(self.descendants(child))
        return found

    def is_inside(self, window, ancestor):
        while window and window != self.root:
            window = self.parent(window)
            if window == ancestor:
                return True
        return False

    def attributes(self, window):
        attributes = XWindowAttributes()
        if not self.x.XGetWindowAttributes(self.dpy, window, byref(attributes)):
            return None
        return attributes

    def viewable(self, window):
        attributes = self.attributes(window)
        return attributes is not None and attributes.map_state == IS_VIEWABLE

    def pid(self, window):
        kind, fmt, count, after = Atom(), c_int(), c_ulong(), c_ulong()
        data = c_void_p()
        status = self.x.XGetWindowProperty(self.dpy, window, self.pid_atom, 0, 1, 0, XA_CARDINAL,
                                           byref(kind), byref(fmt), byref(count), byref(after),
                                           byref(data))
        if status != 0 or not data:
            return None
        value = ctypes.cast(data, POINTER(c_ulong))[0] if count.value == 1 else None
        self.x.XFree(data)
        return value

    def name(self, window):
        text = c_char_p()
        if not self.x.XFetchName(self.dpy, window, byref(text)) or not text.value:
            return None
        value = text.value.decode(errors="replace")
        self.x.XFree(ctypes.cast(text, c_void_p))
        return value

    def position(self, window):
        x, y, child = c_int(), c_int(), Window()
        self.x.XTranslateCoordinates(self.dpy, window, self.root, 0, 0, byref(x), byref(y),
                                     byref(child))
        return x.value, y.value

    def windows_of(self, pid):
        return [w for w in self.descendants(self.root) if self.pid(w) == pid]

    # Input

    def move_pointer(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        self.x.XFlush(self.dpy)

    def click(self, button=1):
        """Presses and releases at once; returns the moment the click left for the server."""
        self.xtst.XTestFakeButtonEvent(self.dpy, button, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.dpy, button, 0, 0)
        sent = time.perf_counter()
        self.x.XFlush(self.dpy)
        return sent
