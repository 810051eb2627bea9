#!/usr/bin/env python3
"""Fails when an include points the wrong way through the layers:

    core  <-  commands, dialogs, about  <-  list_window  <-  qt, win32 (front ends, main)

The shared folders (core, commands, dialogs, about, list_window) and platform.h include
standard C++ headers only, besides the folders below them (platform.h counts as core's).
commands, dialogs and about do not include each other. The platform's back ends include
only platform/ headers of ours; one front end never includes the other.

    check_shared_includes.py REPO [--self-test]

With --self-test it first checks that it catches each forbidden include, on a copy of src/.
"""
import pathlib
import re
import shutil
import sys
import tempfile

# Each shared folder and the folders of ours it may include.
SHARED_LAYERS = {
    "core": {"core", "platform/platform.h"},
    "commands": {"core", "commands", "platform/platform.h"},
    "dialogs": {"core", "dialogs", "platform/platform.h"},
    "about": {"core", "about", "platform/platform.h"},
    "list_window": {"core", "commands", "dialogs", "about", "list_window",
                    "platform/platform.h"},
}
PLATFORM_HEADER = "src/platform/platform.h"
BACK_ENDS = ["src/platform/desktop", "src/platform/win32", "src/platform/standard_files.h",
             "src/platform/standard_files.cpp"]
FRONT_ENDS = {"qt": "win32", "win32": "qt"}  # each and the one it must not include

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


def sources(path):
    if path.is_file():
        return [path]
    return sorted(p for p in path.rglob("*") if p.suffix in (".h", ".cpp"))


def includes(path):
    for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
        match = INCLUDE.match(line)
        if match:
            yield number, line.strip(), match.group(1), match.group(2)


def ours_allowed(header, allowed):
    return any(header == name or header.startswith(name + "/") for name in allowed)


def problems(root):
    found = []

    def refuse(path, number, line, why):
        found.append(f"{path.relative_to(root)}:{number}: {line}  ({why})")

    for folder, allowed in SHARED_LAYERS.items():
        for path in sources(root / "src" / folder):
            for number, line, kind, header in includes(path):
                if kind == "<" and header not in STANDARD_HEADERS:
                    refuse(path, number, line, f"{folder} is standard C++ only")
                elif kind == '"' and not ours_allowed(header, allowed):
                    refuse(path, number, line, f"{folder} may include only {sorted(allowed)}")
    platform_header = root / PLATFORM_HEADER
    for number, line, kind, header in includes(platform_header):
        if kind == '"' or header not in STANDARD_HEADERS:
            refuse(platform_header, number, line, "platform.h is standard C++ only")
    for name in BACK_ENDS:
        for path in sources(root / name) if (root / name).exists() else []:
            for number, line, kind, header in includes(path):
                if kind == '"' and not header.startswith("platform/") and \
                        not header.endswith(".moc"):
                    refuse(path, number, line, "a back end includes only platform/")
    for front, other in FRONT_ENDS.items():
        for path in sources(root / "src" / front):
            for number, line, kind, header in includes(path):
                if kind == '"' and header.startswith(other + "/"):
                    refuse(path, number, line, f"the {front} front end never includes {other}")
    return found


def self_test(root):
    """A clean copy passes; each forbidden include added to it is caught."""
    forbidden = [
        ("src/core/list_file.cpp", "#include <QWidget>"),
        ("src/core/list_file.cpp", "#include <windows.h>"),
        ("src/core/list_file.cpp", "#include <unistd.h>"),
        ("src/core/list_file.cpp", '#include "commands/list_commands.h"'),
        ("src/core/list_file.cpp", '#include "dialogs/form2.h"'),
        ("src/core/list_file.cpp", '#include "about/form4.h"'),
        ("src/core/list_file.cpp", '#include "list_window/form1.h"'),
        ("src/commands/list_commands.cpp", '#include "dialogs/form2.h"'),
        ("src/commands/list_commands.cpp", '#include "list_window/form1.h"'),
        ("src/dialogs/form2.cpp", '#include "about/form4.h"'),
        ("src/dialogs/form2.cpp", '#include "list_window/form1.h"'),
        ("src/about/form4.cpp", '#include "commands/command_strip.h"'),
        ("src/about/form4.cpp", '#include "list_window/form1.h"'),
        ("src/list_window/form1.cpp", '#include "qt/list_window.h"'),
        ("src/list_window/form1.cpp", '#include "platform/desktop/desktop_platform.h"'),
        ("src/platform/platform.h", '#include "core/message.h"'),
        ("src/platform/desktop/desktop_platform.cpp", '#include "core/list_file.h"'),
        ("src/platform/win32/win32_platform.cpp", '#include "about/sys_info.h"'),
        ("src/qt/list_window.cpp", '#include "win32/list_window.h"'),
        ("src/win32/list_window.cpp", '#include "qt/list_window.h"'),
    ]
    with tempfile.TemporaryDirectory() as temp:
        copy = pathlib.Path(temp)
        shutil.copytree(root / "src", copy / "src")
        if problems(copy):
            return "self-test: the clean copy was refused"
        for name, line in forbidden:
            victim = copy / name
            clean = victim.read_text()
            victim.write_text(line + "\n" + clean)
            caught = problems(copy)
            victim.write_text(clean)
            if not caught:
                return f"self-test: {line} in {name} went unnoticed"
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
