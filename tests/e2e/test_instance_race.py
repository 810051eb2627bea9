"""Twenty copies started at the same moment: one stays in the tray, nineteen say so and end."""

import os
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import (PROGRAM, ProgramTest, press, tray_icon, tree_lines,  # noqa: E402
                     wait_for, windows_named)

COPIES = 20
REFUSAL = "^Quivanto - Multiple Instances Error$"


def docked_icons():
    """The program's icons embedded in the tray host."""
    count = 0
    for line in tree_lines():
        match = re.search(r"(\d+)x(\d+)\+", line)
        if ('("quivanto" "Quivanto")' in line and match and int(match.group(1)) <= 64
                and int(match.group(2)) <= 64):
            count += 1
    return count


class InstanceRace(ProgramTest):
    def start_together(self, copies):
        """Every copy first waits to read a line from one pipe; one write wakes them all."""
        gate = self.path("gate")
        os.mkfifo(gate)
        # Held open for reading and writing, the pipe never blocks a copy opening it.
        held = os.open(gate, os.O_RDWR)
        self.addCleanup(os.close, held)
        for index in range(copies):
            log = open(self.path(f"copy-{index}.log"), "wb")
            self.processes.append(subprocess.Popen(
                ["/bin/sh", "-c", 'read _ < "$1"; exec "$2"', "gate", gate, PROGRAM],
                cwd=self.folder, stdout=log, stderr=subprocess.STDOUT))
            log.close()

        def waiting(process):
            try:
                return os.readlink(f"/proc/{process.pid}/fd/0") == gate
            except OSError:
                return False
        wait_for(lambda: all(waiting(process) for process in self.processes),
                 what="every copy to wait at the gate")
        os.write(held, b"\n" * copies)
        return list(self.processes)

    def test_twenty_at_once_leave_one(self):
        copies = self.start_together(COPIES)
        wait_for(lambda: len(windows_named(REFUSAL)) + docked_icons() >= COPIES, timeout=90,
                 what="every copy to show the refusal or dock its icon")
        boxes = windows_named(REFUSAL)
        self.assertEqual(docked_icons(), 1)
        self.assertEqual(len(boxes), COPIES - 1)
        for box in boxes:
            press(box, "Return")
        wait_for(lambda: sum(copy.poll() is not None for copy in copies) == COPIES - 1,
                 timeout=60, what="the refused copies to end")
        ended = [copy for copy in copies if copy.poll() is not None]
        self.assertEqual([copy.returncode for copy in ended], [0] * (COPIES - 1))
        self.assertFalse(windows_named(REFUSAL))
        self.assertEqual(docked_icons(), 1)

        # The one that stayed is killed outright; the next start is not refused.
        resident = next(copy for copy in copies if copy.poll() is None)
        resident.kill()
        resident.wait()
        wait_for(lambda: docked_icons() == 0, what="the killed copy's icon to go")
        self.start()
        tray_icon()
        self.assertFalse(windows_named(REFUSAL))
        self.assertEqual(docked_icons(), 1)


if __name__ == "__main__":
    unittest.main(verbosity=2)
