#!/usr/bin/env python3
"""Fails when a file of the shared folders includes anything but standard C++ headers and
other shared headers: no Qt, no operating-system header, no front end, no back end.

    check_shared_includes.py REPO [--self-test]

With --self-test it first checks that it catches such includes, on a copy of the folders.
"""
import pathlib
import re
import shutil
import sys
import tempfile

SHARED_FOLDERS = ["src/core", "src/commands", "src/dialogs", "src/about"]
SHARED_FILES = ["src/platform/platform.h"]
SHARED_PREFIXES = ("core/", "commands/", "dialogs/", "about/")

STANDARD_HEADERS = set("""
algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono cinttypes
climits clocale cmath compare concepts cstddef cstdint cstdio cstdlib cstring ctime cwchar
cwctype deque exception filesystem format forward_list fstream functional initializer_list
iomanip ios iosfwd iostream istream iterator limits list locale map memory mutex new numeric
optional ostream queue random ranges ratio regex set source_location span sstream stack
stdexcept string string_view system_error thread tuple type_traits typeinfo unordered_map
unordered_set utility variant vector version
""".split())

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def shared_files(root):
    for folder in SHARED_FOLDERS:
        yield from sorted((root / folder).rglob("*.h"))
        yield from sorted((root / folder).rglob("*.cpp"))
    for name in SHARED_FILES:
        yield root / name


def problems(root):
    found = []
    for path in shared_files(root):
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, header = match.groups()
            allowed = (header in STANDARD_HEADERS if kind == "<" else
                       header.startswith(SHARED_PREFIXES) or header == "platform/platform.h")
            if not allowed:
                found.append(f"{path.relative_to(root)}:{number}: {line.strip()}")
    return found


def self_test(root):
    """A clean copy passes; each forbidden include added to it is caught."""
    forbidden = ["#include <QWidget>", "#include <windows.h>", "#include <unistd.h>",
                 '#include "qt/list_window.h"', '#include "platform/desktop/desktop_platform.h"']
    with tempfile.TemporaryDirectory() as temp:
        copy = pathlib.Path(temp)
        for folder in SHARED_FOLDERS:
            shutil.copytree(root / folder, copy / folder)
        for name in SHARED_FILES:
            (copy / name).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(root / name, copy / name)
        if problems(copy):
            return "self-test: the clean copy was refused"
        victim = copy / "src/core/form1.cpp"
        clean = victim.read_text()
        for line in forbidden:
            victim.write_text(line + "\n" + clean)
            if not problems(copy):
                return f"self-test: {line} went unnoticed"
        victim.write_text(clean)
    return None


def main():
    root = pathlib.Path(sys.argv[1])
    if "--self-test" in sys.argv[2:]:
        failure = self_test(root)
        if failure:
            print(failure)
            return 1
    found = problems(root)
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
