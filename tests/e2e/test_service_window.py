"""The service window of the real program under Wine: its layout and texts, raw mode's marks,
the test page with its confirmation, and the printer list dialog of "Select &Printer"."""
import unittest

import korvrig

TITLE = "Printer (Korvelane)"
TRAY_CALLBACK = 0x06FF
WM_LBUTTONDBLCLK = 0x0203
WM_KEYDOWN = 0x0100
VK_ESCAPE = 0x1B
VK_F9 = 0x78
WM_LBUTTONDOWN, WM_LBUTTONUP = 0x0201, 0x0202

TEST_PAGE_QUESTION = "Click on OK to send test page to the printer"

# The window layout: control caption -> (left, top, width, height) in client coordinates.
BUTTONS = {
    "&Exit": (319, 24, 60, 25),
    "Use Windows default printer": (13, 77, 316, 14),
    "Select &Printer": (12, 116, 108, 25),
    "Printer &Font": (12, 24, 100, 25),
    "Print &Test Page": (152, 24, 127, 25),
}


def start_idle(ini):
    """Starts the service, waits until its loop polls and returns (service, window)."""
    rig = korvrig.Rig.get()
    service = rig.start_service(ini=ini)
    window = service.wait_window(TITLE, timeout=30)
    korvrig.wait_until(lambda: rig.driver.status_text(window) == "Status - not printing", 20,
                       "the idle status line")
    # A small file taken: the loop polls, its start-up (host window, icon settings) is done.
    service.drop("POLLED", b"12345")
    service.wait_gone("POLLED", timeout=30)
    return service, window


def show_window(window):
    """Double-clicks the notification-area icon (its callback message to the icon's hidden
    window) and waits until the service window is shown."""
    driver = korvrig.Rig.get().driver
    tray = next(w for w in driver.windows()
                if w["class"] == "KorvTrayIconWindow" and w["pid"] == window["pid"])
    driver.post(tray, TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK)
    korvrig.wait_until(lambda: driver.state(window)["visible"], 10, "the service window to show")


def by_text(controls):
    return {c["text"]: c for c in controls}


def labels(driver, window):
    """(printer label, font label): the statics at 10,160 and 10,195."""
    statics = {tuple(c["rect"][:2]): c["text"] for c in driver.controls(window)
               if c["class"] == "Static"}
    return statics[(10, 160)], statics[(10, 195)]


class DefaultPrinterWindow(unittest.TestCase):
    """One service following the Windows default printer (no profile file), window shown."""

    @classmethod
    def setUpClass(cls):
        cls.rig = korvrig.Rig.get()
        cls.driver = cls.rig.driver
        cls.service, cls.window = start_idle(ini=None)
        show_window(cls.window)

    @classmethod
    def tearDownClass(cls):
        cls.rig.kill_services()

    def test_layout_texts_and_states_after_start(self):
        driver = self.driver
        print("\nservice window:", self.rig.screenshot("service-window"))
        self.assertEqual(driver.rect(self.window)["client"], [0, 0, 415, 251])
        controls = driver.controls(self.window)
        shown = by_text(controls)
        for caption, (left, top, width, height) in BUTTONS.items():
            with self.subTest(control=caption):
                self.assertEqual(shown[caption]["class"], "Button")
                self.assertEqual(shown[caption]["rect"], [left, top, left + width, top + height])
                self.assertTrue(shown[caption]["visible"])
        self.assertIs(shown["Use Windows default printer"]["checked"], True)
        self.assertFalse(shown["Select &Printer"]["enabled"])  # UseDefault is "Y"
        for caption in ("&Exit", "Printer &Font", "Print &Test Page",
                        "Use Windows default printer"):
            self.assertTrue(shown[caption]["enabled"], caption)
        # A disabled button cannot be clicked.
        with self.assertRaises(korvrig.DriverError):
            driver.click(self.window, "Select &Printer")

        printer_label, font_label = labels(driver, self.window)
        self.assertEqual(printer_label, "Printer: KorvCapture1")
        self.assertEqual(font_label, "Font: Courier New")
        for text in (printer_label, font_label):  # sized to their texts
            left, top, right, bottom = shown[text]["rect"]
            self.assertGreater(right - left, 50, text)
            self.assertGreater(bottom - top, 5, text)
        status = driver.control(self.window, cls="msctls_statusbar32")
        self.assertEqual(status["text"], "Status - not printing")
        self.assertEqual(status["rect"], [0, 226, 415, 251])
        # The current printer's name is stored.
        self.assertEqual(self.service.profile().get("Printer"), "KorvCapture1")

    def test_test_page_asks_first_and_prints_only_on_ok(self):
        driver, service = self.driver, self.service
        capture = self.rig.capture("KorvCapture1")
        copied = service.spool / "VOZAZAD.TST"

        driver.click(self.window, "Print &Test Page")
        box = driver.msgbox(timeout=10, pid=self.window["pid"])
        self.assertIsNotNone(box, "no confirmation")
        self.assertEqual((box["caption"], box["text"], box["buttons"]),
                         ("Confirm", TEST_PAGE_QUESTION, ["OK", "Cancel"]))
        driver.press(box, "Cancel")
        korvrig.wait_until(lambda: driver.msgbox(timeout=0, pid=self.window["pid"]) is None, 10,
                           "the box to close")
        capture.assert_quiet(2)  # about twenty polls: a copy would have been printed
        self.assertFalse(copied.exists())

        driver.click(self.window, "Print &Test Page")
        box = driver.msgbox(timeout=10, pid=self.window["pid"])
        self.assertEqual(box["text"], TEST_PAGE_QUESTION)
        driver.press(box, "OK")
        job = capture.wait_job(timeout=60)
        service.wait_gone("VOZAZAD.TST", timeout=30)
        self.assertTrue(job.is_postscript)
        self.assertEqual(job.title, "Korvelane")
        # The test page's first line (the grid's blanks do not come out as characters).
        self.assertIn("Korvelanetestpage", "".join(job.pages()[0].text().split()))
        korvrig.wait_until(lambda: driver.status_text(self.window) == "Status - not printing",
                           10, "the idle status line after the job")


class RawModeWindow(korvrig.ServiceTest):
    def test_rawprint_marks_the_window_winprint_and_the_box_take_the_marks_back(self):
        driver = korvrig.Rig.get().driver
        service, window = start_idle(ini=None)

        def states():
            shown = by_text(driver.controls(window))
            return (labels(driver, window)[0], shown["Printer &Font"]["enabled"],
                    shown["Print &Test Page"]["enabled"], shown["Select &Printer"]["enabled"],
                    shown["Use Windows default printer"]["checked"])

        start = ("Printer: KorvCapture1", True, True, False, True)
        korvrig.wait_until(lambda: states() == start, 10, f"the states at start {start}")
        service.drop("RAWPRINT", b"x")
        service.wait_gone("RAWPRINT")
        raw = ("Printer: KorvCapture1 (Raw printing)", False, False, True, False)
        korvrig.wait_until(lambda: states() == raw, 10, f"raw mode's marks {raw}")
        self.assertEqual(service.profile().get("UseDefault"), "N")

        service.drop("WINPRINT", b"x")
        service.wait_gone("WINPRINT")
        text = ("Printer: KorvCapture1", True, True, True, False)  # the box stays clear
        korvrig.wait_until(lambda: states() == text, 10, f"text mode's states {text}")
        self.assertEqual(service.profile().get("UseDefault"), "N")

        # Ticking the box by hand follows the default printer again.
        driver.click(window, "Use Windows default printer")
        korvrig.wait_until(lambda: states() == start, 10, f"the states of the ticked box {start}")
        self.assertEqual(service.profile(), {"Printer": "KorvCapture1", "UseDefault": "Y"})
        self.assertEqual(service.stop(), "disable")


class PrinterListDialog(unittest.TestCase):
    """One service with a printer of its own choice (UseDefault "N"), so that "Select &Printer"
    is enabled. Every test opens the list, reads its state and closes it one way."""

    @classmethod
    def setUpClass(cls):
        cls.rig = korvrig.Rig.get()
        cls.driver = cls.rig.driver
        cls.service, cls.window = start_idle(
            ini="[Vozazad]\r\nUseDefault=N\r\nPrinter=KorvCapture1\r\n")
        show_window(cls.window)
        _, records = cls.driver.run("printers")
        cls.printers = [r["name"] for r in records if r.get("level") == 2]

    @classmethod
    def tearDownClass(cls):
        cls.rig.kill_services()

    def current_printer(self):
        label = labels(self.driver, self.window)[0]
        self.assertTrue(label.startswith("Printer: "), label)
        return label[len("Printer: "):]

    def open_list(self):
        self.driver.click(self.window, "Select &Printer")
        dialog = self.driver.wait_window("Select printer", timeout=10)
        self.assertTrue(self.driver.state(dialog)["visible"])
        return dialog

    def list_box(self, dialog):
        return self.driver.control(dialog, cls="ListBox")

    def find_row(self, dialog, name):
        """Types a name into the list's incremental search and returns the row it makes
        current. A leading "#" matches no row and so empties the search first."""
        self.driver.type(self.list_box(dialog), "#" + name)
        return self.list_box(dialog)["selected"]

    def wait_closed(self):
        """Waits until the list is gone and the service window answers again: the window's
        thread takes a message from outside only after "Select &Printer" has run to its end,
        so the profile file then holds what it stored."""
        korvrig.wait_until(lambda: self.driver.find("Select printer") is None, 10,
                           "the printer list to close")
        self.driver.controls(self.window)

    def test_lists_the_printers_and_keeps_the_one_chosen_with_f9(self):
        driver = self.driver
        before = self.current_printer()
        dialog = self.open_list()
        state = driver.state(dialog)
        self.assertEqual((state["class"], state["owner"]), ("TVListBoxForm", self.window["hwnd"]))
        controls = by_text(driver.controls(dialog))
        listed = self.list_box(dialog)
        # Every printer Wine knows is a row; the current one is current and on top.
        self.assertEqual(listed["count"], len(self.printers))
        self.assertEqual(listed["top"], 0)
        self.assertTrue(controls["&OK"]["enabled"])
        self.assertFalse(controls["&Help"]["visible"])
        print("\nprinter list:", self.rig.screenshot("printer-list"))
        first_current = listed["selected"]
        rows = {name: self.find_row(dialog, name) for name in self.printers}
        self.assertEqual(sorted(rows.values()), list(range(len(self.printers))), rows)
        self.assertEqual(rows[before], first_current)

        # Sized to its rows and placed in the middle of the screen.
        row_height = listed["item_height"]
        left, top, right, bottom = listed["rect"]
        self.assertEqual(bottom - top, len(self.printers) * row_height + 4)
        outer = driver.rect(dialog)["window"]
        width, height = outer[2] - outer[0], outer[3] - outer[1]
        self.assertEqual(width, right - left + 8)
        self.assertEqual(driver.rect(dialog)["client"][3], bottom - top + 26 + 15)
        screen_width, screen_height = self.rig.screen_size()
        self.assertEqual(outer[0], screen_width // 3 // 2 + screen_width // 3 - width // 2)
        self.assertEqual(outer[1], screen_height // 3 // 2 + screen_height // 3 - height // 2)
        self.assertEqual(controls["&OK"]["rect"][:2], [8, height - 26 - 35])
        self.assertEqual(controls["&Cancel"]["rect"][:2], [width - 70 - 30, height - 26 - 35])

        chosen = "KorvCapture2" if before != "KorvCapture2" else "KorvCapture1"
        self.assertEqual(self.find_row(dialog, chosen), rows[chosen])
        driver.post(self.list_box(dialog), WM_KEYDOWN, VK_F9, 0)
        self.wait_closed()
        korvrig.wait_until(lambda: self.current_printer() == chosen, 10, "the new printer label")
        self.assertEqual(self.service.profile(), {"UseDefault": "N", "Printer": chosen})

        # The choice is the printer that prints now.
        capture = self.rig.capture(chosen)
        driver.click(self.window, "Print &Test Page")
        driver.press(driver.msgbox(timeout=10, pid=self.window["pid"]), "OK")
        job = capture.wait_job(timeout=60)
        self.assertEqual(job.meta["queue"], chosen)
        self.service.wait_gone("VOZAZAD.TST", timeout=30)

    def test_cancel_and_escape_keep_the_choice(self):
        driver = self.driver
        before = self.current_printer()
        other = next(p for p in self.printers if p != before)
        for how in ("&Cancel", "Escape"):
            with self.subTest(how=how):
                dialog = self.open_list()
                at_first = self.list_box(dialog)["selected"]
                self.assertNotEqual(self.find_row(dialog, other), at_first)
                if how == "Escape":
                    driver.post(self.list_box(dialog), WM_KEYDOWN, VK_ESCAPE, 0)
                else:
                    driver.press(dialog, how)
                self.wait_closed()
                self.assertEqual(self.current_printer(), before)
                self.assertEqual(self.service.profile().get("Printer"), before)

    def test_a_double_click_takes_the_row_and_a_short_name_does_not_hold(self):
        driver = self.driver
        before = self.current_printer()
        # KorvShort: under ten characters, so the current printer is stored over it.
        dialog = self.open_list()
        at_first = self.list_box(dialog)["selected"]
        self.assertNotEqual(self.find_row(dialog, "KorvShort"), at_first)
        driver.press(dialog, "&OK")
        self.wait_closed()
        self.assertEqual(self.current_printer(), before)
        self.assertEqual(self.service.profile().get("Printer"), before)

        # A double click on a row accepts that row at once.
        other = next(p for p in self.printers if p != before and len(p) >= 10)
        dialog = self.open_list()
        row = self.find_row(dialog, other)
        self.find_row(dialog, before)  # away from it, so that the click has to move there
        listed = self.list_box(dialog)
        y = (row - listed["top"]) * listed["item_height"] + listed["item_height"] // 2
        # Press, release, and the second press that the system reports as a double click
        # (the list goes with it, so its release is not sent).
        for message, buttons in ((WM_LBUTTONDOWN, 1), (WM_LBUTTONUP, 0), (WM_LBUTTONDBLCLK, 1)):
            driver.post(listed, message, buttons, (y << 16) | 20)
        self.wait_closed()
        korvrig.wait_until(lambda: self.current_printer() == other, 10, f"the label of {other}")
        self.assertEqual(self.service.profile().get("Printer"), other)


if __name__ == "__main__":
    unittest.main()
