"""The Debian package made with `cpack -G DEB`: its control data and contents, lintian, and
(with --fresh-root) installing it with apt into a fresh Debian 12 root and removing it again.
Usage: test_deb.py BUILD_DIR VERSION [--fresh-root]"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

BUILD, VERSION = sys.argv[1], sys.argv[2]
FRESH_ROOT = "--fresh-root" in sys.argv[3:]


def machine_mirror():
    """The Debian archive this machine's own apt uses, so the test reaches what it reaches."""
    for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
        with open(path) as sources:
            for line in sources:
                if line.startswith("URIs:"):
                    for uri in line.split()[1:]:
                        if uri.rstrip("/").endswith("/debian"):
                            return uri
    if os.path.exists("/etc/apt/sources.list"):
        with open("/etc/apt/sources.list") as sources:
            for line in sources:
                words = line.split()
                if len(words) >= 3 and words[0] == "deb" and words[1].rstrip("/").endswith("/debian"):
                    return words[1]
    return None


MIRROR = os.environ.get("QUIVANTO_DEBIAN_MIRROR") or machine_mirror()
SKIPPED = 77  # ctest's SKIP_RETURN_CODE for this test


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def build_package(folder):
    result = run("cpack", "-G", "DEB", "-B", folder, cwd=BUILD)
    if result.returncode != 0:
        raise AssertionError(f"cpack failed:\n{result.stdout}{result.stderr}")
    packages = glob.glob(os.path.join(folder, "quivanto_*.deb"))
    if len(packages) != 1:
        raise AssertionError(f"expected one package, found {packages}")
    return packages[0]


def control_fields(package):
    fields = {}
    for line in run("dpkg-deb", "--field", package).stdout.splitlines():
        if line and not line.startswith(" "):
            key, value = line.split(":", 1)
            fields[key] = value.strip()
    return fields


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="quivanto-deb-")
        cls.package = build_package(cls.work)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def test_control_data(self):
        fields = control_fields(self.package)
        self.assertEqual(os.path.basename(self.package),
                         f"quivanto_{VERSION}_{fields['Architecture']}.deb")
        self.assertEqual(fields["Package"], "quivanto")
        self.assertEqual(fields["Version"], VERSION)
        self.assertEqual(fields["Architecture"], run("dpkg", "--print-architecture").stdout.strip())
        depends = [d.split()[0] for d in fields["Depends"].split(", ")]
        for needed in ("xdg-utils", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6",
                       "libc6", "libstdc++6", "libxcb1"):
            self.assertIn(needed, depends)
        self.assertTrue(fields["Homepage"].startswith("https://"))
        info = run("dpkg-deb", "--info", self.package)
        self.assertEqual(info.returncode, 0, info.stderr)

    def test_contents_lie_under_usr_and_belong_to_root(self):
        listing = run("dpkg-deb", "--contents", self.package).stdout.splitlines()
        paths = {}
        for line in listing:
            mode, owner, _size, _date, _time, path = line.split(None, 5)
            paths[path] = (mode, owner)
        wanted = ["./usr/bin/quivanto", "./usr/bin/quivanto-session",
                  "./usr/share/applications/org.quivanto.Quivanto.desktop",
                  "./usr/share/metainfo/org.quivanto.Quivanto.metainfo.xml",
                  "./usr/share/quivanto/Help.html", "./usr/share/quivanto/License.txt",
                  "./usr/share/man/man1/quivanto.1.gz", "./usr/share/doc/quivanto/copyright",
                  "./usr/share/icons/hicolor/256x256/apps/org.quivanto.Quivanto.png"]
        self.assertEqual([p for p in wanted if p not in paths], [])
        self.assertEqual([p for p in paths if not p.startswith("./usr/")], [])
        self.assertEqual({owner for _mode, owner in paths.values()}, {"root/root"})
        for program in ("./usr/bin/quivanto", "./usr/bin/quivanto-session"):
            self.assertEqual(paths[program][0], "-rwxr-xr-x")

    def test_lintian_finds_no_error_or_warning(self):
        if shutil.which("lintian") is None:
            self.skipTest("lintian is not installed")
        result = run("lintian", "--fail-on", "error,warning", self.package)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


class FreshDebian(unittest.TestCase):
    """apt installs the package into a fresh Debian 12 root made with debootstrap, the menu's
    launcher starts in the user's data folder with the help linked, and apt removes it all."""

    root = None

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="quivanto-fresh-")
        cls.package = build_package(cls.work)
        cls.root = os.path.join(cls.work, "root")
        if MIRROR is None:
            print("skipped: this machine's apt names no Debian archive to make a root from")
            shutil.rmtree(cls.work)
            sys.exit(SKIPPED)
        started = time.monotonic()
        made = run("debootstrap", "--variant=minbase", "bookworm", cls.root, MIRROR)
        if made.returncode != 0:
            print(made.stdout[-3000:], made.stderr[-3000:], file=sys.stderr)
            print(f"skipped: no fresh Debian 12 root could be made from {MIRROR}")
            shutil.rmtree(cls.work)
            sys.exit(SKIPPED)
        print(f"debootstrap took {time.monotonic() - started:.0f} s", file=sys.stderr)
        # No service may start inside the throwaway root.
        with open(os.path.join(cls.root, "usr/sbin/policy-rc.d"), "w") as f:
            f.write("#!/bin/sh\nexit 101\n")
        os.chmod(os.path.join(cls.root, "usr/sbin/policy-rc.d"), 0o755)
        shutil.copy(cls.package, os.path.join(cls.root, "tmp"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def inside(self, command, env=None):
        environment = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "HOME": "/root",
                       "DEBIAN_FRONTEND": "noninteractive", "LC_ALL": "C.UTF-8"}
        environment.update(env or {})
        return subprocess.run(["chroot", self.root, "sh", "-c", command], capture_output=True,
                              text=True, env=environment)

    def must(self, command, env=None):
        result = self.inside(command, env)
        self.assertEqual(result.returncode, 0, f"{command}:\n{result.stdout}{result.stderr}")
        return result.stdout

    def test_install_start_remove(self):
        started = time.monotonic()
        self.must("apt-get update -qq")
        # Depends alone must be enough to run: recommended packages are left out.
        self.must("cd /tmp && apt-get install -y -qq --no-install-recommends ./quivanto_*.deb")
        print(f"apt install took {time.monotonic() - started:.0f} s", file=sys.stderr)
        self.assertEqual(self.must("dpkg-query -W -f '${Status}' quivanto"), "install ok installed")
        files = [line for line in self.must("dpkg -L quivanto").splitlines()
                 if os.path.isfile(self.root + line)]
        self.assertIn("/usr/bin/quivanto", files)

        # The menu entry's command is found on the path.
        self.assertEqual(self.must("command -v quivanto-session").strip(),
                         "/usr/bin/quivanto-session")
        # Every library resolves, the X11 platform plugin's included: it gets as far as
        # looking for the display.
        for binary in ("/usr/bin/quivanto",
                       "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so"):
            if os.path.exists(self.root + binary):
                self.assertNotIn("not found", self.must(f"ldd {binary}"))
        xcb = self.inside("quivanto", env={"QT_QPA_PLATFORM": "xcb", "DISPLAY": ":99"})
        self.assertIn("could not connect to display", xcb.stderr)

        # Started from the menu without a display: the data folder and its help are made,
        # then the program itself explains that it needs a desktop.
        session = self.inside("mkdir -p /home/tester && HOME=/home/tester quivanto-session")
        self.assertEqual(session.returncode, 1, session.stderr)
        self.assertIn("no display was found", session.stderr)
        folder = "/home/tester/.local/share/quivanto"
        self.assertTrue(os.path.isdir(self.root + folder))
        self.assertEqual(os.readlink(self.root + folder + "/Help.html"),
                         "/usr/share/quivanto/Help.html")
        self.assertTrue(os.path.isfile(self.root + "/usr/share/quivanto/Help.html"))

        self.must("apt-get purge -y -qq quivanto")
        self.assertNotEqual(self.inside("dpkg -s quivanto").returncode, 0, "still installed")
        left = [f for f in files if os.path.lexists(self.root + f)]
        self.assertEqual(left, [])
        self.assertFalse(os.path.exists(self.root + "/usr/share/quivanto"))
        # The user's list is the user's: removing the program leaves it.
        self.assertTrue(os.path.isdir(self.root + folder))


if __name__ == "__main__":
    if FRESH_ROOT:
        if os.geteuid() != 0 or shutil.which("debootstrap") is None:
            print("skipped: a fresh root needs root and debootstrap")
            sys.exit(SKIPPED)
        suite = unittest.TestLoader().loadTestsFromTestCase(FreshDebian)
    else:
        suite = unittest.TestLoader().loadTestsFromTestCase(Package)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
