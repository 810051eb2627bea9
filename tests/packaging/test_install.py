"""What `cmake --install` puts in place: the files a desktop reads, valid by the freedesktop
validators, and a session launcher that keeps the list in the user's data folder.
Usage: test_install.py BUILD_DIR VERSION"""

import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

BUILD, VERSION = sys.argv[1], sys.argv[2]
APP_ID = "org.quivanto.Quivanto"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def desktop_entry(path):
    entry = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                entry[key] = value
    return entry


class Installed(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="quivanto-install-")
        cls.prefix = os.path.join(cls.work, "prefix")
        result = run("cmake", "--install", BUILD, "--prefix", cls.prefix)
        if result.returncode != 0:
            raise AssertionError(f"cmake --install failed:\n{result.stdout}{result.stderr}")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def test_every_file_is_in_place(self):
        expected = [
            "bin/quivanto", "bin/quivanto-session",
            "share/quivanto/Help.html", "share/quivanto/License.txt",
            f"share/quivanto/autostart/{APP_ID}.desktop",
            f"share/applications/{APP_ID}.desktop",
            f"share/metainfo/{APP_ID}.metainfo.xml",
            f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
            "share/man/man1/quivanto.1.gz", "share/man/man1/quivanto-session.1.gz",
            "share/doc/quivanto/copyright", "share/doc/quivanto/changelog.gz",
        ] + [f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES]
        missing = [name for name in expected if not os.path.isfile(self.path(name))]
        self.assertEqual(missing, [])
        for program in ("bin/quivanto", "bin/quivanto-session"):
            self.assertTrue(os.stat(self.path(program)).st_mode & stat.S_IXOTH, program)

    def test_desktop_entries_are_valid(self):
        for entry in (f"share/applications/{APP_ID}.desktop",
                      f"share/quivanto/autostart/{APP_ID}.desktop"):
            with self.subTest(entry=entry):
                result = run("desktop-file-validate", self.path(entry))
                self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))

    def test_desktop_entries_start_the_installed_launcher_with_an_installed_icon(self):
        for name in (f"share/applications/{APP_ID}.desktop",
                     f"share/quivanto/autostart/{APP_ID}.desktop"):
            with self.subTest(entry=name):
                entry = desktop_entry(self.path(name))
                command = entry["Exec"].split()[0]
                self.assertTrue(os.access(self.path(os.path.join("bin", command)), os.X_OK),
                                f"Exec={entry['Exec']} is not an installed program")
                self.assertEqual(entry["TryExec"], command)
                self.assertEqual(entry["Icon"], APP_ID)
                self.assertEqual(entry.get("Terminal"), "false")

    def test_metainfo_is_valid_and_names_this_release(self):
        metainfo = self.path(f"share/metainfo/{APP_ID}.metainfo.xml")
        result = run("appstreamcli", "validate", "--no-net", metainfo)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        root = ElementTree.parse(metainfo).getroot()
        self.assertEqual(root.findtext("id"), APP_ID)
        self.assertEqual(root.findtext("launchable"), f"{APP_ID}.desktop")
        self.assertTrue(root.findtext("screenshots/screenshot/image").startswith("https://"))
        newest = root.find("releases/release")
        self.assertEqual(newest.get("version"), VERSION,
                         "add this version to the metainfo's releases")
        changelog = run("sh", "-c", f"gzip -dc '{self.path('share/doc/quivanto/changelog.gz')}'")
        self.assertRegex(changelog.stdout.splitlines()[0], rf"^quivanto \({re.escape(VERSION)}\) ",
                         "add this version to packaging/changelog")

    def test_icons_have_their_folders_size_and_are_drawn(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                png = self.path(f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")
                self.assertEqual(run("identify", "-format", "%w %h", png).stdout,
                                 f"{size} {size}")
                # The artwork covers most of the square; an empty image would be all alpha 0.
                coverage = float(run("convert", png, "-alpha", "extract", "-format",
                                     "%[fx:mean]", "info:").stdout)
                self.assertGreater(coverage, 0.5)

    def test_manual_pages_render_without_warnings(self):
        for page in ("quivanto", "quivanto-session"):
            with self.subTest(page=page):
                # From the manual's root, where the launcher's page finds the one it names.
                result = run("man", "--warnings", "-l", f"man1/{page}.1.gz",
                             cwd=self.path("share/man"),
                             env=dict(os.environ, MANWIDTH="80", MAN_KEEP_STDERR="1"))
                self.assertEqual(result.stderr, "")
                self.assertIn("quivanto-session", result.stdout)
                self.assertIn("list.dat", result.stdout)


STUB = """#!/bin/sh
# Stands in for the program: records where and how it was started.
pwd > "$QUIVANTO_STUB_RECORD"
echo "$#" >> "$QUIVANTO_STUB_RECORD"
"""


class SessionLauncher(unittest.TestCase):
    """The launcher the menu entry starts, with a stand-in for the program beside it."""

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="quivanto-session-")
        cls.prefix = os.path.join(cls.work, "prefix")
        result = run("cmake", "--install", BUILD, "--prefix", cls.prefix)
        if result.returncode != 0:
            raise AssertionError(f"cmake --install failed:\n{result.stdout}{result.stderr}")
        program = os.path.join(cls.prefix, "bin", "quivanto")
        with open(program, "w") as f:
            f.write(STUB)
        os.chmod(program, 0o755)
        cls.help = os.path.realpath(os.path.join(cls.prefix, "share/quivanto/Help.html"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="home-", dir=self.work)
        self.record = os.path.join(self.home, "record")

    def start(self, launcher=None, **env):
        environment = {"PATH": "/usr/bin:/bin", "HOME": self.home,
                       "QUIVANTO_STUB_RECORD": self.record}
        environment.update(env)
        result = run(launcher or os.path.join(self.prefix, "bin", "quivanto-session"),
                     env=environment, cwd="/")
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(self.record) as f:
            folder, arguments = f.read().split()
        self.assertEqual(arguments, "0", "the program takes no arguments")
        return folder

    def assertHelpLinked(self, folder):
        link = os.path.join(folder, "Help.html")
        self.assertTrue(os.path.islink(link), "Help.html must be a link, so updates follow")
        self.assertEqual(os.path.realpath(link), self.help)

    def test_starts_in_the_data_folder_it_creates(self):
        data = os.path.join(self.home, "data")
        cases = {
            "XDG_DATA_HOME set": ({"XDG_DATA_HOME": data}, os.path.join(data, "quivanto")),
            "XDG_DATA_HOME unset": ({}, os.path.join(self.home, ".local/share/quivanto")),
            "XDG_DATA_HOME empty": ({"XDG_DATA_HOME": ""},
                                    os.path.join(self.home, ".local/share/quivanto")),
            # Relative paths there are invalid and must be ignored.
            "XDG_DATA_HOME relative": ({"XDG_DATA_HOME": "data"},
                                       os.path.join(self.home, ".local/share/quivanto")),
        }
        for name, (env, expected) in cases.items():
            with self.subTest(name):
                shutil.rmtree(expected, ignore_errors=True)
                self.assertEqual(self.start(**env), expected)
                self.assertEqual(stat.S_IMODE(os.stat(expected).st_mode), 0o700)
                self.assertHelpLinked(expected)

    def test_second_start_keeps_the_folder_and_its_list(self):
        folder = self.start()
        with open(os.path.join(folder, "list.dat"), "wb") as f:
            f.write(b"Mine                          |/bin/true\r\n")
        self.assertEqual(self.start(), folder)
        with open(os.path.join(folder, "list.dat"), "rb") as f:
            self.assertEqual(f.read(), b"Mine                          |/bin/true\r\n")
        self.assertHelpLinked(folder)

    def test_users_own_help_is_kept_and_a_dangling_link_replaced(self):
        folder = os.path.join(self.home, ".local/share/quivanto")
        os.makedirs(folder)
        own = os.path.join(folder, "Help.html")
        with open(own, "w") as f:
            f.write("mine")
        self.start()
        self.assertFalse(os.path.islink(own))
        with open(own) as f:
            self.assertEqual(f.read(), "mine")

        os.remove(own)
        os.symlink(os.path.join(self.work, "gone", "Help.html"), own)
        self.start()
        self.assertHelpLinked(folder)

    def test_started_through_a_link_finds_the_program_beside_the_real_launcher(self):
        bin_folder = os.path.join(self.home, "bin")
        os.makedirs(bin_folder)
        link = os.path.join(bin_folder, "quivanto-session")
        os.symlink(os.path.join(self.prefix, "bin", "quivanto-session"), link)
        folder = self.start(launcher=link)
        self.assertEqual(folder, os.path.join(self.home, ".local/share/quivanto"))
        self.assertHelpLinked(folder)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
