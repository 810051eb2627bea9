"""At twice the scale (QT_SCALE_FACTOR=2) the list window's geometry in twips doubles in
device pixels and its artwork is drawn anew for the density, not enlarged. The 2x
screenshot is kept in e2e-screenshots/ under the test's working folder."""

import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from desktop import SCREEN_HEIGHT, ProgramTest, Window, click, run, tray_icon, wait_for  # noqa: E402

BANNER = (263, 39)  # the banner with its picture buttons, in pixels at 1x


def list_window_of_width(width):
    for wid in run("xdotool", "search", "--class", "quivanto").split():
        info = Window(wid).info()
        if re.search(rf"Width:\s+{width}\b", info) and '"Quivanto"' in info:
            return Window(wid)
    return None


def grab(geometry, path):
    subprocess.run(["import", "-window", "root", "-crop", geometry, "+repage", path], check=True)


def grey(path, *operations):
    """Width, height and 8-bit grey levels of an image, after ImageMagick operations."""
    command = ["convert", path, *operations]
    width, height = map(int, run(*command, "-format", "%w %h", "info:").split())
    levels = subprocess.run(command + ["-colorspace", "gray", "-depth", "8", "gray:-"],
                            capture_output=True, check=True).stdout
    return width, height, levels


def strong_steps(image, step=96):
    """Neighbouring pixel pairs that differ by a hard step: sharp edges. Smoothing an
    enlarged picture spreads each step over several pixels, and these vanish."""
    width, height, levels = image
    count = 0
    for y in range(height):
        row = y * width
        for x in range(width):
            value = levels[row + x]
            if x + 1 < width and abs(value - levels[row + x + 1]) >= step:
                count += 1
            if y + 1 < height and abs(value - levels[row + width + x]) >= step:
                count += 1
    return count


def mixed_blocks(image, spread=24):
    """Aligned 2x2 blocks whose pixels differ: a 1x picture doubled pixel by pixel has none."""
    width, height, levels = image
    count = 0
    for y in range(0, height - 1, 2):
        for x in range(0, width - 1, 2):
            block = (levels[y * width + x], levels[y * width + x + 1],
                     levels[(y + 1) * width + x], levels[(y + 1) * width + x + 1])
            if max(block) - min(block) >= spread:
                count += 1
    return count


class HighDpi(ProgramTest):
    def show_list(self, scale):
        env = dict(os.environ, QT_SCALE_FACTOR=str(scale))
        program = self.start(env=env)
        icon_x, icon_y = tray_icon()
        click(icon_x, icon_y)
        window = wait_for(lambda: list_window_of_width(263 * scale),
                          what=f"the list window at {scale}x")
        wait_for(lambda: window.viewable, what="the list window to show")
        time.sleep(0.3)  # drawn
        return program, window, icon_x

    def banner(self, window, scale, name):
        geometry = window.geometry
        path = self.path(name)
        grab(f"{BANNER[0] * scale}x{BANNER[1] * scale}+{geometry['x']}+{geometry['y']}", path)
        return path

    def test_twice_the_scale_doubles_the_window_and_draws_the_artwork_anew(self):
        program, window, _ = self.show_list(1)
        at_1x = self.banner(window, 1, "banner-1x.png")
        program.kill()
        program.wait()
        time.sleep(0.3)

        _, window, icon_x = self.show_list(2)
        geometry = window.geometry
        # Two rows: 3945 x 1440 twips, 263 x 96 pixels at 1x, in device pixels twice that;
        # right edge at the pointer, bottom on the top edge of trayer's 24-pixel strut.
        self.assertEqual((geometry["width"], geometry["height"]), (526, 192))
        self.assertAlmostEqual(geometry["x"] + geometry["width"], icon_x, delta=2)
        self.assertAlmostEqual(geometry["y"] + geometry["height"], SCREEN_HEIGHT - 24, delta=2)
        at_2x = self.banner(window, 2, "banner-2x.png")
        keep = os.path.join(os.getcwd(), "e2e-screenshots")
        os.makedirs(keep, exist_ok=True)
        grab(f"526x192+{geometry['x']}+{geometry['y']}", os.path.join(keep, "list-window-2x.png"))

        one = grey(at_1x)
        two = grey(at_2x)
        # The same picture in the same place: the 2x banner averaged down matches the 1x one.
        halved = grey(at_2x, "-filter", "box", "-resize", "50%")
        difference = sum(abs(a - b) for a, b in zip(halved[2], one[2])) / len(one[2])
        self.assertLess(difference, 24, "the 2x banner does not show the 1x banner's picture")
        # Not enlarged smoothly: the edges stay as hard as a smooth enlargement cannot be.
        enlarged = grey(at_1x, "-resize", "200%")
        self.assertGreater(strong_steps(two), 2 * strong_steps(enlarged))
        self.assertGreater(strong_steps(two), 1.5 * strong_steps(one))
        # Not enlarged pixel by pixel: edges fall inside the 1x pixels too.
        self.assertGreater(mixed_blocks(two), strong_steps(one) / 4)


if __name__ == "__main__":
    unittest.main(verbosity=2)
