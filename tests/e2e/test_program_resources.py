"""What the program file carries and shows of itself: the version resource, the manifest, its
own icon (a printer) on its windows and in the notification area."""
import re
import struct
import subprocess
import sys
import unittest

import korvrig
from test_service_window import show_window

TITLE = "Printer (Korvelane)"
APPLICATION_TITLE = "Printer for Korvelane"
WINDOWS_10_ID = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
VISTA_ID = "{e2011457-1546-43c5-a5fe-008deee3d3f0}"


def project_version():
    text = (korvrig.SOURCE_DIR / "CMakeLists.txt").read_text()
    return re.search(r"project\(korvprint VERSION (\d+)\.(\d+)\.(\d+)", text).groups()


def ico_images(data):
    """The images of a .ico of 32-bit images: {size: rows top first of (r, g, b, a)}."""
    count = struct.unpack_from("<H", data, 4)[0]
    images = {}
    for i in range(count):
        size, _, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        size = size or 256
        pixels = data[offset + 40:offset + 40 + 4 * size * size]
        rows = [[(pixels[p + 2], pixels[p + 1], pixels[p], pixels[p + 3])
                 for p in range(4 * size * y, 4 * size * (y + 1), 4)] for y in range(size)]
        images[size] = rows[::-1]  # stored bottom-up
    return images


def program_icon():
    return ico_images((korvrig.SOURCE_DIR / "res" / "korvprint.ico").read_bytes())


def argb(rows):
    return [(a << 24) | (r << 16) | (g << 8) | b if a else 0 for row in rows for r, g, b, a in row]


def find_icon(screen, icon):
    """Where the icon's opaque pixels appear unchanged on the screen rows, or None."""
    opaque = [(x, y, (r, g, b)) for y, row in enumerate(icon) for x, (r, g, b, a) in enumerate(row)
              if a == 255]
    for top in range(len(screen) - len(icon) + 1):
        for left in range(len(screen[0]) - len(icon) + 1):
            if all(screen[top + y][left + x] == rgb for x, y, rgb in opaque):
                return left, top
    return None


class ProgramFile(unittest.TestCase):
    def setUp(self):
        self.rig = korvrig.Rig.get()
        self.exe = korvrig.WIN32_DIR / "korvprint.exe"

    def test_resource_directory_version_and_manifest(self):
        objdump = ("x86_64" if korvrig.WINE_ARCH == "win64" else "i686") + "-w64-mingw32-objdump"
        headers = subprocess.run([objdump, "-p", str(self.exe)], capture_output=True, text=True,
                                 check=True).stdout
        self.assertRegex(headers, r"Resource Directory \[\.rsrc\]")

        found = self.rig.driver.resources(self.exe)
        major, minor, patch = project_version()
        self.assertEqual(found["file_version"], [int(major), int(minor), int(patch), 0])
        self.assertEqual(found["FileVersion"], f"{major}.{minor}.{patch}")
        self.assertEqual(found["ProductVersion"], f"{major}.{minor}.{patch}")
        self.assertEqual(found["ProductName"], "korvprint")
        self.assertEqual(found["FileDescription"], "Printer for Korvelane")

        manifest = found["manifest"]
        self.assertIn('level="asInvoker"', manifest)
        self.assertRegex(manifest, r'name="Microsoft\.Windows\.Common-Controls" version="6\.0\.0\.0"')
        self.assertRegex(manifest, r"<dpiAware[^>]*>true</dpiAware>")
        self.assertIn(VISTA_ID, manifest)
        self.assertIn(WINDOWS_10_ID, manifest)
        self.assertEqual(found["icon_sizes"], [16, 32, 48])

    def test_committed_icon_is_what_its_script_draws(self):
        sys.path.insert(0, str(korvrig.SOURCE_DIR / "res"))
        try:
            import make_icon
        finally:
            sys.path.pop(0)
        self.assertEqual(make_icon.ico(), (korvrig.SOURCE_DIR / "res" / "korvprint.ico").read_bytes())


class OwnIcon(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rig = korvrig.Rig.get()
        cls.driver = cls.rig.driver
        cls.service = cls.rig.start_service(ini="[Vozazad]\r\nUseDefault=N\r\nPrinter=KorvCapture1\r\n")
        cls.window = cls.service.wait_window(TITLE, timeout=30)
        korvrig.wait_until(lambda: cls.driver.status_text(cls.window) == "Status - not printing",
                           20, "the idle status line")

    @classmethod
    def tearDownClass(cls):
        cls.rig.kill_services()

    def assert_own_icon(self, window):
        images = self.rig.window_icons(window)
        ours = argb(program_icon()[32])
        self.assertIn((32, 32), [(w, h) for w, h, _ in images], window)
        self.assertIn(ours, [pixels for w, h, pixels in images if (w, h) == (32, 32)], window)

    def test_windows_show_the_program_icon(self):
        self.assert_own_icon(APPLICATION_TITLE)
        self.assert_own_icon(TITLE)
        # The printer list dialog too.
        show_window(self.window)
        self.driver.click(self.window, "Select &Printer")
        dialog = self.driver.wait_window("Select printer", timeout=10)
        try:
            self.assert_own_icon(dialog)
        finally:
            self.driver.post(dialog, 0x0100, 0x1B, 0)  # Esc closes the list
            korvrig.wait_until(lambda: self.driver.find("Select printer") is None, 10, "closed")

    def test_notification_area_shows_the_program_icon(self):
        icon = program_icon()[16]
        trays = korvrig.wait_until(self.driver.tray_icons, 10, "the icon")

        def shown():
            return any(find_icon(self.rig.screen_pixels(self.driver.rect(t)["window"]), icon)
                       for t in self.driver.tray_icons())

        korvrig.wait_until(shown, 10, f"the printer icon among the icons {trays}")


if __name__ == "__main__":
    unittest.main()
