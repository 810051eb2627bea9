#!/usr/bin/env python3
"""Every disk state a power cut can leave during a change of the list, checked.

Each change (add, remove, edit, the default list, the recovery of a scratch file) runs once
on a real folder under strace, which records its file operations. From that record the
test builds every disk state a power cut could leave under two models, runs the program's
own start-up path on each (the driver's start-each), and requires the list that start
shows to be exactly the list before the change or after it; once the change has returned,
only the list after it.

Model "in-order" (a disk that keeps the order of operations but can stop inside one):
  - a cut after any number of the recorded operations leaves exactly those, in order;
  - the operation the cut falls in, when it is a write, may leave a prefix of its bytes:
    its first byte; each prefix that ends at a 512-byte sector boundary of the file; each
    that ends after a line end, or one byte after it; all but its last byte.
  Nothing is volatile: when the change has returned, everything is on disk.

Model "ext4-like" (a journalled file system that keeps data in memory until flushed):
  - metadata (creating, renaming, removing a name; a file's size, set by a truncation or
    by a write past its end) reaches the journal in order: a cut keeps a prefix of the
    metadata operations, at least every one before the last flush of the folder;
  - data written to a file and not yet flushed sits in 512-byte sectors, and any
    combination of those sectors may have reached the disk; a sector that did not keeps
    what the disk held there (zeros in a region that the size grew into);
  - flushing a file makes its data and size durable, not its name.

Usage: crash_states.py DRIVER [--wine WINE] [--fault NAME --expect-wrong] [--verbose]
With --expect-wrong the test passes only when some state is wrong: the fault was found.
"""

import argparse
import itertools
import os
import re
import shutil
import subprocess
import sys
import tempfile

SECTOR = 512
LIST = "list.dat"
SCRATCH = "temp.dat"


def item(description, target):
    return description.ljust(30)[:30].encode() + b"|" + target.encode()


def lines_bytes(lines, end=b"\r\n"):
    return b"".join(line + end for line in lines)


def few(count, stem="Item", folder="/home/user/documents"):
    return [item(f"{stem} {i}", f"{folder}/{stem.lower()}-{i}.txt") for i in range(count)]


TEN = few(10)  # 10 lines of 64 bytes: the list crosses the first sector boundary
NEW = item("Notes", "/home/user/notes.txt")  # 53 bytes with its line end
# 8 lines of 58 bytes: 464 bytes, so the added line crosses the sector boundary at 512.
BOUNDARY = few(8, "Entry", "/home/user/pp")

# name, files before the change, driver arguments after the folder
SCENARIOS = [
    ("add", {LIST: lines_bytes(few(3))}, ["add", NEW.hex()]),
    ("add to an unfinished line", {LIST: lines_bytes(few(2)) + few(1, "Last")[0]},
     ["add", NEW.hex()]),
    ("add across a sector", {LIST: lines_bytes(BOUNDARY)}, ["add", NEW.hex()]),
    ("add to a missing list", {}, ["add", NEW.hex()]),
    ("remove", {LIST: lines_bytes(TEN)}, ["remove", TEN[4].hex()]),
    ("edit", {LIST: lines_bytes(TEN)}, ["edit", NEW.hex(), TEN[4].hex()]),
    ("default list", {}, ["start"]),
    ("recovery", {SCRATCH: lines_bytes(few(3))}, ["start"]),
]

TRACED = ("openat,open,creat,write,pwrite64,writev,pwritev,fsync,fdatasync,rename,renameat,"
          "renameat2,unlink,unlinkat,ftruncate,truncate,lseek,close,dup,dup2,dup3")


# --- reading strace's record ----------------------------------------------------------

def unhex(text):
    return bytes(int(h, 16) for h in re.findall(r"\\x([0-9a-f]{2})", text))


def split_args(text):
    args, depth, current = [], 0, ""
    for char in text:
        if char in "[{(" or (char == "<"):
            depth += 1
        elif char in "]})" or (char == ">"):
            depth -= 1
        if char == "," and depth == 0:
            args.append(current.strip())
            current = ""
        else:
            current += char
    if current.strip():
        args.append(current.strip())
    return args


def fd_of(arg):
    """(number, path) of an argument like 3</tmp/x> (path None without one)."""
    match = re.match(r"(-?\d+|AT_FDCWD)(?:<(.*)>)?$", arg)
    if not match:
        return None, None
    path = unhex(match.group(2)).decode("utf-8", "replace") if match.group(2) else None
    return match.group(1), path


def syscalls(record):
    """(pid, name, args, result text) for each finished call, joining split ones."""
    pending = {}
    for raw in record.splitlines():
        match = re.match(r"(\d+)\s+(.*)$", raw)
        if not match:
            continue
        pid, rest = match.groups()
        if rest.endswith("<unfinished ...>"):
            pending[pid] = rest[: -len("<unfinished ...>")].rstrip()
            continue
        resumed = re.match(r"<\.\.\. \w+ resumed>(.*)$", rest)
        if resumed:
            rest = pending.pop(pid, "") + resumed.group(1)
        call = re.match(r"(\w+)\((.*)\)\s+=\s+(-?\d+|\?)(?:<.*?>)?(.*)$", rest)
        if call:
            yield pid, call.group(1), split_args(call.group(2)), call.group(3)


class Recorder:
    """Turns the record into operations on names in the folder, replaying them as it goes."""

    def __init__(self, folder, files):
        self.folder = os.path.realpath(folder)
        self.names = set(files)
        self.sizes = {name: len(data) for name, data in files.items()}
        self.fds = {}  # (pid, fd) -> [name or None for the folder, position, appends]
        self.operations = []

    def name_in_folder(self, path, base=None):
        if path is None:
            return False, None
        if not path.startswith("/") and base:
            path = os.path.join(base, path)
        # Wine reaches the folder through its drive links: compare real folders.
        path = path.replace(" (deleted)", "")
        path = os.path.join(os.path.realpath(os.path.dirname(path)), os.path.basename(path))
        if os.path.basename(path) in ("", "."):
            path = os.path.dirname(path)
        if path == self.folder:
            return True, None
        if os.path.dirname(path) == self.folder:
            return True, os.path.basename(path)
        return False, None

    def known_fd(self, pid, arg):
        number, path = fd_of(arg)
        inside, name = self.name_in_folder(path)
        if not inside:
            return None
        key = (pid, number)
        if key not in self.fds:  # an fd handed over by another process: position unknown
            self.fds[key] = [name, None, False]
        self.fds[key][0] = name
        return key

    def write(self, name, offset, data):
        if not data:
            return
        self.operations.append(("write", name, offset, data))
        self.sizes[name] = max(self.sizes.get(name, 0), offset + len(data))

    def take(self, pid, call, args, result):
        if result == "?" or int(result) < 0:
            return
        value = int(result)
        if call in ("openat", "open", "creat"):
            base = fd_of(args[0])[1] if call == "openat" else None
            path_arg = args[1] if call == "openat" else args[0]
            inside, name = self.name_in_folder(unhex(path_arg).decode("utf-8", "replace"), base)
            if not inside:
                return
            flags = args[2] if call != "creat" else "O_CREAT|O_TRUNC|O_WRONLY"
            if name is not None:
                if name not in self.names and "O_CREAT" in flags:
                    self.operations.append(("create", name))
                    self.names.add(name)
                    self.sizes[name] = 0
                elif "O_TRUNC" in flags and ("O_WRONLY" in flags or "O_RDWR" in flags):
                    self.operations.append(("truncate", name, 0))
                    self.sizes[name] = 0
            self.fds[(pid, str(value))] = [name, 0, "O_APPEND" in flags]
        elif call in ("write", "writev", "pwrite64", "pwritev"):
            key = self.known_fd(pid, args[0])
            if key is None or self.fds[key][0] is None:
                return
            name, position, appends = self.fds[key]
            if call in ("write", "pwrite64"):
                data = unhex(args[1])[:value]
            else:
                data = b"".join(unhex(part) for part in re.findall(r'"((?:\\x[0-9a-f]{2})*)"',
                                                                   args[1]))[:value]
            if call.startswith("pwrite"):
                offset = int(args[3])
            else:
                offset = self.sizes.get(name, 0) if appends or position is None else position
                self.fds[key][1] = offset + len(data)
            self.write(name, offset, data)
        elif call == "lseek":
            key = self.known_fd(pid, args[0])
            if key is not None:
                self.fds[key][1] = value
        elif call in ("fsync", "fdatasync"):
            key = self.known_fd(pid, args[0])
            if key is not None:
                name = self.fds[key][0]
                self.operations.append(("folder-flush",) if name is None else ("flush", name))
        elif call in ("rename", "renameat", "renameat2"):
            if call == "rename":
                source, target = unhex(args[0]).decode(), unhex(args[1]).decode()
                bases = (None, None)
            else:
                source, target = unhex(args[1]).decode(), unhex(args[3]).decode()
                bases = (fd_of(args[0])[1], fd_of(args[2])[1])
            inside_a, old = self.name_in_folder(source, bases[0])
            inside_b, new = self.name_in_folder(target, bases[1])
            if inside_a and inside_b and old and new:
                self.operations.append(("rename", old, new))
                self.names.discard(old)
                self.names.add(new)
                self.sizes[new] = self.sizes.pop(old, 0)
        elif call in ("unlink", "unlinkat"):
            path = unhex(args[0] if call == "unlink" else args[1]).decode()
            base = fd_of(args[0])[1] if call == "unlinkat" else None
            inside, name = self.name_in_folder(path, base)
            if inside and name:
                self.operations.append(("unlink", name))
                self.names.discard(name)
        elif call in ("ftruncate", "truncate"):
            if call == "ftruncate":
                key = self.known_fd(pid, args[0])
                name = self.fds[key][0] if key else None
            else:
                inside, name = self.name_in_folder(unhex(args[0]).decode())
            if name:
                self.operations.append(("truncate", name, int(args[1])))
                self.sizes[name] = int(args[1])
        elif call == "close":
            self.fds.pop((pid, fd_of(args[0])[0]), None)
        elif call in ("dup", "dup2", "dup3"):
            key = self.known_fd(pid, args[0])
            if key is not None:
                self.fds[(pid, str(value))] = list(self.fds[key])


# --- the disk, as the operations leave it ------------------------------------------------

class Disk:
    """Names pointing at files (inodes) with their bytes; replays operations in order."""

    def __init__(self, files):
        self.names = {}
        self.data = {}
        for name, content in files.items():
            self.names[name] = self.new_inode(content)

    def new_inode(self, content=b""):
        inode = len(self.data)
        self.data[inode] = bytearray(content)
        return inode

    def copy(self):
        twin = Disk({})
        twin.names = dict(self.names)
        twin.data = {inode: bytearray(content) for inode, content in self.data.items()}
        return twin

    def apply(self, operation, limit=None):
        kind = operation[0]
        if kind == "create":
            self.names[operation[1]] = self.new_inode()
        elif kind == "truncate":
            content = self.data[self.names[operation[1]]]
            resize(content, operation[2])
        elif kind == "write":
            _, name, offset, data = operation
            if limit is not None:
                data = data[:limit]
            content = self.data[self.names[name]]
            if len(content) < offset + len(data):
                resize(content, offset + len(data))
            content[offset:offset + len(data)] = data
        elif kind == "rename":
            self.names[operation[2]] = self.names.pop(operation[1])
        elif kind == "unlink":
            self.names.pop(operation[1])

    def visible(self):
        return frozenset((name, bytes(self.data[inode])) for name, inode in self.names.items())


def resize(content, size):
    if len(content) > size:
        del content[size:]
    else:
        content.extend(bytes(size - len(content)))


def replay(files, operations, count):
    disk = Disk(files)
    for operation in operations[:count]:
        disk.apply(operation)
    return disk


def tear_points(operation):
    _, _, offset, data = operation
    points = {1, len(data) - 1}
    for at, byte in enumerate(data):
        if byte == ord("\n"):
            points.update((at + 1, at + 2))  # a whole line, and one byte of the next
    points.update(b - offset for b in range((offset // SECTOR + 1) * SECTOR, offset + len(data),
                                            SECTOR))
    return sorted(p for p in points if 0 < p < len(data))


def in_order_states(files, operations):
    """(state, returned) for every cut under the in-order model."""
    disk = Disk(files)
    for operation in operations:
        yield disk.visible(), False
        if operation[0] == "write":
            for point in tear_points(operation):
                torn = disk.copy()
                torn.apply(operation, point)
                yield torn.visible(), False
        disk.apply(operation)
    yield disk.visible(), True


class Timeline:
    """The operations as inode operations, with the in-order disk after each one."""

    def __init__(self, files, operations):
        disk = Disk(files)
        self.initial = disk.copy()
        self.steps = []  # (kind, inode or None, operation)
        self.disks = [disk.copy()]
        for operation in operations:
            kind = operation[0]
            inode = None
            if kind in ("write", "truncate", "flush"):
                inode = disk.names[operation[1]]
            disk.apply(operation)
            if kind == "create":
                inode = disk.names[operation[1]]
            self.steps.append((kind, inode, operation, len(disk.data[inode]) if inode is not None
                               and inode in disk.data else None))
            self.disks.append(disk.copy())


def ext4_like_states(files, operations):
    """(state, returned) for every cut under the ext4-like model."""
    timeline = Timeline(files, operations)
    for cut in range(len(operations) + 1):
        yield from ext4_like_cut(timeline, cut, cut == len(operations))


def ext4_like_cut(timeline, cut, returned):
    steps = timeline.steps[:cut]
    # Metadata in journal order: (step index, kind, inode, operation, size after)
    metadata = []
    durable = 0
    sizes = {}
    for index, (kind, inode, operation, size_after) in enumerate(steps):
        if kind == "folder-flush":
            durable = len(metadata)
        elif kind in ("create", "rename", "unlink", "truncate"):
            metadata.append((index, kind, inode, operation, size_after))
        elif kind == "write" and size_after > sizes.get(inode, -1):
            metadata.append((index, "grow", inode, operation, size_after))
        if inode is not None and size_after is not None:
            sizes[inode] = size_after
    last_flush = {}
    for index, (kind, inode, _, _) in enumerate(steps):
        if kind == "flush":
            last_flush[inode] = index
    cache = timeline.disks[cut]
    # Sectors written after each file's last flush, which may or may not be on disk.
    dirty = {}
    for index, (kind, inode, operation, _) in enumerate(steps):
        if kind == "write" and index > last_flush.get(inode, -1):
            _, _, offset, data = operation
            for sector in range(offset // SECTOR, (offset + len(data) - 1) // SECTOR + 1):
                dirty.setdefault(inode, set()).add(sector)
    dirty_list = [(inode, sector) for inode, sectors in sorted(dirty.items())
                  for sector in sorted(sectors)]
    if len(dirty_list) > 12:
        raise SystemExit(f"too many unflushed sectors to try every combination: {len(dirty_list)}")
    for kept in range(durable, len(metadata) + 1):
        names = dict(timeline.initial.names)
        contents = {}
        for inode in set(cache.data):
            flushed_at = last_flush.get(inode)
            base = timeline.disks[flushed_at + 1] if flushed_at is not None else timeline.initial
            contents[inode] = bytearray(base.data.get(inode, b""))
        for index, kind, inode, operation, size_after in metadata[:kept]:
            if kind == "create":
                names[operation[1]] = inode
            elif kind == "rename":
                names[operation[2]] = names.pop(operation[1])
            elif kind == "unlink":
                names.pop(operation[1], None)
            elif index > last_flush.get(inode, -1):
                resize(contents[inode], size_after if kind == "grow" else operation[2])
        for landed in itertools.product((False, True), repeat=len(dirty_list)):
            state = {}
            for name, inode in names.items():
                content = bytearray(contents[inode])
                for (dirty_inode, sector), arrived in zip(dirty_list, landed):
                    if arrived and dirty_inode == inode:
                        start, end = sector * SECTOR, min((sector + 1) * SECTOR, len(content))
                        newest = cache.data[inode][start:end]
                        content[start:start + len(newest)] = newest
                        if len(newest) < end - start:
                            content[start + len(newest):end] = bytes(end - start - len(newest))
                state[name] = bytes(content)
            yield frozenset(state.items()), returned


MODELS = [("in-order", in_order_states), ("ext4-like", ext4_like_states)]


# --- running the driver --------------------------------------------------------------

class Driver:
    def __init__(self, program, wine):
        self.program = program
        self.wine = wine

    def command(self, args):
        return ([self.wine, self.program] if self.wine else [self.program]) + args

    def environment(self, work):
        """Under Wine, a server that ends with its last program, so a traced run ends soon."""
        if not self.wine:
            return None
        wrapper = os.path.join(work, "wineserver")
        with open(wrapper, "w", encoding="utf-8") as out:
            out.write(f'#!/bin/sh\nexec {shutil.which("wineserver")} -p0 "$@"\n')
        os.chmod(wrapper, 0o755)
        return dict(os.environ, WINESERVER=wrapper, WINEDEBUG="-all")

    def path(self, folder):
        return "Z:" + folder.replace("/", "\\") if self.wine else folder

    def record_change(self, folder, args, fault, work):
        record = os.path.join(work, "record.txt")
        watched = [folder] + [os.path.join(folder, name) for name in (LIST, SCRATCH)]
        if self.wine:  # Wine's server opens and renames through the prefix's drive link
            prefix = os.environ.get("WINEPREFIX", os.path.expanduser("~/.wine"))
            watched += [os.path.join(prefix, "dosdevices", "z:") + path for path in watched]
        command = ["strace", "-f", "--seccomp-bpf", "-qq", "-y", "-xx", "-s", "1000000", "-e",
                   "trace=" + TRACED, "-o", record] + [
                       arg for path in watched for arg in ("-P", path)] + self.command(
                       ([f"--fault={fault}"] if fault else []) + ["change", self.path(folder)] +
                       args)
        done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              timeout=120, env=self.environment(work))
        if done.returncode != 0:
            raise SystemExit(f"the change failed: {done.stderr.decode(errors='replace')}")
        with open(record, encoding="ascii", errors="replace") as text:
            return text.read()

    def starts(self, folders, work):
        listing = os.path.join(work, "folders.txt")
        with open(listing, "w", encoding="utf-8") as out:
            out.write("".join(self.path(folder) + "\n" for folder in folders))
        done = subprocess.run(self.command(["start-each", self.path(listing)]),
                              capture_output=True, timeout=600, env=self.environment(work))
        answers = done.stdout.decode().replace("\r\n", "\n").splitlines()
        if done.returncode != 0 or len(answers) != len(folders):
            raise SystemExit(f"start-up runs failed: {done.stderr.decode(errors='replace')}")
        return answers


def materialise(state, folder):
    os.makedirs(folder)
    for name, content in state:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(content)


def describe(answer):
    if not answer.startswith("ok"):
        return "start failed: " + bytes.fromhex(answer.split()[1]).decode(errors="replace")
    rows = [bytes.fromhex(h.rstrip(";")) for h in answer.split()[1:]]
    return repr([row if len(row) <= 50 else row[:24] + b"..." + row[-16:] for row in rows])


class Scenario:
    """One change: recorded, its states built; the start-up answers come later, in one run."""

    def __init__(self, name, files, args):
        self.name, self.files, self.args = name, files, args

    def record(self, driver, fault, work, folders):
        folder = os.path.join(work, "change")
        materialise(self.files.items(), folder)
        recorder = Recorder(folder, self.files)
        for call in syscalls(driver.record_change(folder, self.args, fault, work)):
            recorder.take(*call)
        self.operations = recorder.operations
        final = replay(self.files, self.operations, len(self.operations)).visible()
        on_disk = frozenset((name, read(os.path.join(folder, name))) for name in os.listdir(folder))
        if final != on_disk:
            raise SystemExit(f"{self.name}: the record does not replay to the disk the change left")
        self.per_model = {}
        for model, build in MODELS:
            seen = {}  # state -> whether it can be left after the change returned
            for state, returned in build(self.files, self.operations):
                seen[state] = seen.get(state, False) or returned
            self.per_model[model] = seen
        # Start-up runs on the disk before, the disk after, and every state; each on a copy.
        self.places = {}
        for key in [frozenset(self.files.items()), final] + [
                state for seen in self.per_model.values() for state in seen]:
            if key not in self.places:
                self.places[key] = os.path.join(work, f"state-{len(folders)}")
                materialise(key, self.places[key])
                folders.append(self.places[key])
        self.before = self.places[frozenset(self.files.items())]
        self.after = self.places[final]

    def judge(self, answers, wine, verbose):
        """Per model: (states, wrong ones, states only Wine's unflushed folder makes wrong)."""
        before, after = answers[self.before], answers[self.after]
        results = {}
        for model, seen in self.per_model.items():
            wrong, unflushed = [], 0
            for state, returned in seen.items():
                answer = answers[self.places[state]]
                if answer == after or (answer == before and not returned):
                    continue
                if wine and returned and answer == before:
                    unflushed += 1  # the rename lost: Wine does not flush the folder
                    continue
                wrong.append(state)
                if len(wrong) <= (3 if verbose else 1):
                    files_text = ", ".join(f"{n}={c[-40:]!r}" for n, c in sorted(state))
                    when = "after the change returned" if returned else "during the change"
                    print(f"  {self.name}: wrong ({model}, {when}): {files_text}\n"
                          f"    start shows {describe(answer)}")
            results[model] = (len(seen), wrong, unflushed)
        return results


def read(path):
    with open(path, "rb") as data:
        return data.read()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("driver")
    parser.add_argument("--wine")
    parser.add_argument("--fault")
    parser.add_argument("--expect-wrong", action="store_true")
    parser.add_argument("--verbose", action="store_true")
    options = parser.parse_args()
    if shutil.which("strace") is None:
        print("strace is missing")
        return 1
    driver = Driver(os.path.abspath(options.driver), options.wine)
    scenarios = [Scenario(*scenario) for scenario in SCENARIOS]
    with tempfile.TemporaryDirectory(prefix="crash-states-") as root:
        folders = []
        for index, scenario in enumerate(scenarios):
            work = os.path.join(root, f"change-{index}")
            os.makedirs(work)
            scenario.record(driver, options.fault, work, folders)
        answers = dict(zip(folders, driver.starts(folders, root)))
        total_wrong = 0
        rows = []
        for scenario in scenarios:
            results = scenario.judge(answers, bool(options.wine), options.verbose)
            rows.append((scenario, results))
            total_wrong += sum(len(wrong) for _, wrong, _ in results.values())
    print(f"{'change':28} {'ops':>4} " + " ".join(f"{m + ' states/wrong':>22}" for m, _ in MODELS))
    for scenario, results in rows:
        cells = " ".join(f"{f'{n} / {len(w)}':>22}" for n, w, _ in results.values())
        print(f"{scenario.name:28} {len(scenario.operations):>4} {cells}")
    unflushed = sum(u for _, results in rows for _, _, u in results.values())
    if unflushed:
        print(f"after the change returned, {unflushed} states show the list before: the rename "
              "was not made durable (Wine makes MoveFileEx's write-through a plain rename, "
              "without flushing the folder)")
    if options.expect_wrong:
        print(f"fault {options.fault}: {total_wrong} wrong states found")
        return 0 if total_wrong > 0 else 1
    return 0 if total_wrong == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
