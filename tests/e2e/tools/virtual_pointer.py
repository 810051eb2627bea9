#!/usr/bin/python3
"""A pointer for a Wayland compositor that has none (sway's headless back end), through the
wlroots virtual-pointer protocol, spoken on the Wayland socket directly.

Reads commands from standard input, one a line, and answers "ok" to each:
    move X Y          the pointer to X,Y of a WIDTH x HEIGHT layout
    click BUTTON      1 left, 3 right
    double BUTTON     two clicks DELAY_MS apart
Usage: virtual_pointer.py WIDTH HEIGHT
"""

import os
import socket
import struct
import sys
import time

DISPLAY_ID, REGISTRY_ID, SYNC_ID, MANAGER_ID, POINTER_ID = 1, 2, 3, 4, 5
BUTTONS = {1: 0x110, 2: 0x112, 3: 0x111}  # the kernel's BTN_LEFT, BTN_MIDDLE, BTN_RIGHT


def message(object_id, opcode, payload=b""):
    return struct.pack("<II", object_id, (8 + len(payload)) << 16 | opcode) + payload


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


class VirtualPointer:
    def __init__(self, width, height):
        self.width, self.height = width, height
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ.get("WAYLAND_DISPLAY",
                                                                          "wayland-0"))
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(path)
        self.socket.sendall(message(DISPLAY_ID, 1, struct.pack("<I", REGISTRY_ID)) +
                            message(DISPLAY_ID, 0, struct.pack("<I", SYNC_ID)))
        name = self.find_global("zwlr_virtual_pointer_manager_v1")
        self.socket.sendall(
            message(REGISTRY_ID, 0, struct.pack("<I", name) +
                    string("zwlr_virtual_pointer_manager_v1") + struct.pack("<II", 1, MANAGER_ID)) +
            message(MANAGER_ID, 0, struct.pack("<II", 0, POINTER_ID)))

    def find_global(self, interface):
        found = None
        buffer = b""
        while True:
            buffer += self.socket.recv(65536)
            while len(buffer) >= 8:
                object_id, size_opcode = struct.unpack_from("<II", buffer)
                size, opcode = size_opcode >> 16, size_opcode & 0xFFFF
                if len(buffer) < size:
                    break
                body, buffer = buffer[8:size], buffer[size:]
                if object_id == REGISTRY_ID and opcode == 0:
                    name, length = struct.unpack_from("<II", body)
                    if body[8:8 + length - 1].decode() == interface:
                        found = name
                elif object_id == SYNC_ID:
                    if found is None:
                        raise SystemExit(f"the compositor has no {interface}")
                    return found

    def now(self):
        return int(time.monotonic() * 1000) & 0xFFFFFFFF

    def move(self, x, y):
        self.socket.sendall(
            message(POINTER_ID, 1, struct.pack("<IIIII", self.now(), x, y, self.width,
                                               self.height)) + message(POINTER_ID, 4))

    def button(self, button, pressed):
        self.socket.sendall(message(POINTER_ID, 2, struct.pack("<III", self.now(), BUTTONS[button],
                                                               1 if pressed else 0)) +
                            message(POINTER_ID, 4))

    def click(self, button):
        self.button(button, True)
        time.sleep(0.03)
        self.button(button, False)


def main():
    pointer = VirtualPointer(int(sys.argv[1]), int(sys.argv[2]))
    print("ok", flush=True)
    for line in sys.stdin:
        words = line.split()
        if words[0] == "move":
            pointer.move(int(words[1]), int(words[2]))
        elif words[0] == "click":
            pointer.click(int(words[1]))
        elif words[0] == "double":
            pointer.click(int(words[1]))
            time.sleep(int(words[2]) / 1000)
            pointer.click(int(words[1]))
        print("ok", flush=True)


if __name__ == "__main__":
    main()
