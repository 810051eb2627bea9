"""Another X client that holds Super+Alt+Q, as a program that took the keys first would.
Prints "grabbed" once the server has the grab, then waits to be ended."""

import ctypes
import signal
import sys

MOD1, MOD4 = 1 << 3, 1 << 6
GRAB_MODE_ASYNC = 1
XK_Q = 0x71

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong,
                         ctypes.c_int, ctypes.c_int, ctypes.c_int]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no X display")
x11.XGrabKey(display, x11.XKeysymToKeycode(display, XK_Q), MOD1 | MOD4,
             x11.XDefaultRootWindow(display), 1, GRAB_MODE_ASYNC, GRAB_MODE_ASYNC)
x11.XSync(display, 0)
print("grabbed", flush=True)
signal.sigwait({signal.SIGTERM, signal.SIGINT})
