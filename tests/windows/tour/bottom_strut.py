"""Holds a dock window along the bottom of the X screen that reserves a strip of the given
height (_NET_WM_STRUT_PARTIAL), as a taskbar does, until it is killed. Usage:
bottom_strut.py HEIGHT"""

import ctypes
import ctypes.util
import signal
import sys

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XCreateSimpleWindow.restype = ctypes.c_ulong
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                    ctypes.c_ulong]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
x11.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]

PROP_MODE_REPLACE = 0
XA_ATOM, XA_CARDINAL = 4, 6


def main():
    height = int(sys.argv[1])
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    width, screen_height = x11.XDisplayWidth(display, 0), x11.XDisplayHeight(display, 0)
    root = x11.XDefaultRootWindow(display)
    window = x11.XCreateSimpleWindow(display, root, 0, screen_height - height, width, height, 0,
                                     0, 0x303030)
    dock = (ctypes.c_long * 1)(x11.XInternAtom(display, b"_NET_WM_WINDOW_TYPE_DOCK", 0))
    x11.XChangeProperty(display, window, x11.XInternAtom(display, b"_NET_WM_WINDOW_TYPE", 0),
                        XA_ATOM, 32, PROP_MODE_REPLACE, dock, 1)
    # left, right, top, bottom, then the start and end of each along its edge
    strut = (ctypes.c_long * 12)(0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1)
    x11.XChangeProperty(display, window, x11.XInternAtom(display, b"_NET_WM_STRUT_PARTIAL", 0),
                        XA_CARDINAL, 32, PROP_MODE_REPLACE, strut, 12)
    x11.XChangeProperty(display, window, x11.XInternAtom(display, b"_NET_WM_STRUT", 0),
                        XA_CARDINAL, 32, PROP_MODE_REPLACE, strut, 4)
    x11.XMapWindow(display, window)
    x11.XFlush(display)
    print("READY", flush=True)
    signal.sigwait({signal.SIGTERM, signal.SIGINT})


if __name__ == "__main__":
    main()
