"""The host program's window and the notification-area icon, with the real program under Wine:
the host window retitled and brought to the front at start and on SETFOCUS, the service window
hidden to the icon, shown by a double click, sent away by "&Exit" or hidden by a close command
while the service goes on printing, and "&Remove" from the icon's menu.

The icon is reached two ways: by posting its callback message (0x06FF, the mouse message in
lParam) to the icon's hidden window, and through Wine's own notification area, whose icon
windows pass a mouse message posted to them on to the program as that callback message. The
icon's menu is driven as a user's keyboard would: once it is up (a "#32768" window of the
service's process), the mnemonic character posted to it chooses the item."""
import unittest

import korvrig

TITLE = "Printer (Korvelane)"
TRAY_CALLBACK = 0x06FF
WM_KEYDOWN, WM_CHAR = 0x0100, 0x0102
VK_ESCAPE = 0x1B
WM_SYSCOMMAND, SC_MINIMIZE, SC_CLOSE = 0x0112, 0xF020, 0xF060
WM_LBUTTONDBLCLK = 0x0203
WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK = 0x0204, 0x0205, 0x0206

REMOVE_QUESTION = "Are you sure?  Korvelane will not print\rif the printer is removed"
TEXT_JOB = b"Printed while the window is hidden\r\n"


def start_service(rig):
    """Starts the service; returns (service, its window, the icon's hidden window, the icon in
    Wine's notification area), once the print loop polls."""
    driver = rig.driver
    icons_before = set(driver.tray_icons())
    service = rig.start_service(ini=None, test_page=False)
    window = service.wait_window(TITLE, timeout=30)
    # The loop polls only after the host window's two activations and the icon's settings
    # (the icon stays on a double click from then on): a small file taken marks that point.
    service.drop("POLLED", b"12345")
    service.wait_gone("POLLED", timeout=30)
    hidden = next(w for w in driver.windows()
                  if w["class"] == "KorvTrayIconWindow" and w["pid"] == window["pid"])
    added = korvrig.wait_until(lambda: set(driver.tray_icons()) - icons_before, 10,
                               "the service's icon in the notification area")
    return service, window, hidden, added.pop()


def popup_menu(driver, pid):
    """The visible pop-up menu window of that process, or None."""
    return next((w for w in driver.windows()
                 if w["class"] == "#32768" and w["visible"] and w["pid"] == pid), None)


class HostWindowAndIcon(unittest.TestCase):
    """One stand-in host window titled "VOZAZAD", then one service for the whole class. The
    tests run in the order of their names: the host window's test, which also looks at the
    state right after the start, comes before the icon's."""

    @classmethod
    def setUpClass(cls):
        cls.rig = korvrig.Rig.get()
        cls.driver = cls.rig.driver
        cls.host = cls.driver.host("VOZAZAD", seconds=280)
        try:
            cls.service, cls.window, cls.hidden, cls.icon = start_service(cls.rig)
        except BaseException:
            cls.host.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.rig.kill_services()
        cls.host.stop()

    def host_in_front(self):
        state = self.driver.state(self.host.hwnd)
        return state["foreground"] and state["maximized"] and state["visible"]

    def wait_host_in_front(self, timeout, what):
        try:
            korvrig.wait_until(self.host_in_front, timeout, what)
        except korvrig.RigError as error:
            in_front = [w for w in self.driver.windows() if w["foreground"]]
            self.fail(f"{error}; host {self.driver.state(self.host.hwnd)}, in front {in_front}, "
                      f"host events {self.host.events()}")

    def assert_handed_back(self):
        """The host window's activation has minimised the application and hidden the service."""
        self.assertTrue(self.driver.find("Printer for Korvelane")["minimized"])
        self.assert_service_hidden()

    def assert_service_hidden(self):
        self.assertFalse(self.driver.state(self.window)["visible"])
        self.assertFalse(self.driver.state(self.hidden)["visible"])
        self.assertIn(self.icon, self.driver.tray_icons(), "the icon went away")

    def show_by_double_click(self, post):
        post()
        korvrig.wait_until(lambda: self.driver.state(self.window)["visible"], 10,
                           "the service window to show")
        state = self.driver.state(self.window)
        self.assertFalse(state["minimized"])
        self.assertEqual(self.driver.rect(self.window)["client"], [0, 0, 415, 251])
        # The icon stays: its window and its place in the notification area.
        self.driver.state(self.hidden)  # fails when the window is gone
        self.assertIn(self.icon, self.driver.tray_icons())

    def system_command(self, command):
        """Closing or minimising the window hides it, with only the icon left."""
        self.driver.post(self.window, WM_SYSCOMMAND, command, 0)
        korvrig.wait_until(lambda: not self.driver.state(self.window)["visible"], 10,
                           f"system command {command:#x} to hide the window")
        self.assertTrue(self.service.running)
        self.assert_service_hidden()

    def test_host_window_is_retitled_and_in_front_after_start_and_after_setfocus(self):
        driver = self.driver
        self.wait_host_in_front(20, "the host window in front, maximised")
        self.assertEqual(driver.state(self.host.hwnd)["title"], "Korvelane")
        self.assertIn({"event": "title", "title": "Korvelane"}, self.host.events())
        self.assert_handed_back()

        # Another window takes the front; SETFOCUS hands it back to the host.
        with driver.host("Some other program", seconds=120) as other:
            korvrig.wait_until(lambda: driver.state(other.hwnd)["foreground"], 10,
                               "the other window in front")
            self.assertFalse(driver.state(self.host.hwnd)["foreground"])
            self.service.drop("SETFOCUS", b"x")
            self.service.wait_gone("SETFOCUS")
            self.wait_host_in_front(20, "the host window in front again")
            self.assertFalse(driver.state(other.hwnd)["foreground"])
        self.assertEqual(driver.state(self.host.hwnd)["title"], "Korvelane")
        self.assert_handed_back()

        # "&Exit", and Esc (the window's cancel key), hand the screen back at once.
        exit_button = driver.control(self.window, text="&Exit")
        for press in (lambda: driver.click(self.window, "&Exit"),
                      lambda: driver.post(exit_button, WM_KEYDOWN, VK_ESCAPE, 0)):
            self.show_by_double_click(
                lambda: driver.post(self.hidden, TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK))
            self.assertFalse(driver.state(self.host.hwnd)["foreground"])
            press()
            self.wait_host_in_front(20, "the host window in front after &Exit")
            self.assert_handed_back()

    def test_icon_double_clicks_show_the_window_and_system_commands_hide_it_again(self):
        driver = self.driver
        # Left double click: the callback message straight to the icon's hidden window.
        self.show_by_double_click(
            lambda: driver.post(self.hidden, TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK))
        print("\nshown by the icon:", self.rig.screenshot("service-window-from-icon"))
        self.system_command(SC_CLOSE)
        # Right double click through Wine's notification area.
        self.show_by_double_click(lambda: driver.post(self.icon, WM_RBUTTONDBLCLK, 0, 0))
        self.system_command(SC_MINIMIZE)
        self.show_by_double_click(lambda: driver.post(self.icon, WM_RBUTTONDBLCLK, 0, 0))
        self.system_command(SC_CLOSE)

        # Hidden, the service goes on printing.
        capture = self.rig.capture("KorvCapture1")
        self.service.drop("HIDDEN1", TEXT_JOB)
        job = capture.wait_job(timeout=60)
        self.service.wait_gone("HIDDEN1", timeout=30)
        self.assertTrue(job.is_postscript)
        self.assertIn("Printedwhilethewindowishidden", "".join(job.pages()[0].text().split()))
        self.assert_service_hidden()


class RemoveFromTheIconMenu(korvrig.ServiceTest):
    def choose(self, window, icon, mnemonic):
        """Right-clicks the icon in Wine's notification area and types the menu item's
        mnemonic into the pop-up menu."""
        driver = korvrig.Rig.get().driver
        driver.post(icon, WM_RBUTTONDOWN, 0, 0)
        driver.post(icon, WM_RBUTTONUP, 0, 0)
        menu = korvrig.wait_until(lambda: popup_menu(driver, window["pid"]), 10, "the icon's menu")
        # The menu comes up with the application window in front.
        self.assertTrue(driver.find("Printer for Korvelane")["foreground"])
        driver.post(menu, WM_CHAR, ord(mnemonic), 0)
        korvrig.wait_until(lambda: popup_menu(driver, window["pid"]) is None, 10,
                           "the menu to close")

    def test_printer_options_shows_the_window_and_remove_asks_before_ending(self):
        rig = korvrig.Rig.get()
        driver = rig.driver
        service, window, hidden, icon = start_service(rig)

        self.choose(window, icon, "p")  # "&Printer Options"
        korvrig.wait_until(lambda: driver.state(window)["visible"], 10, "the service window")

        self.choose(window, icon, "r")  # "&Remove"
        box = driver.msgbox(timeout=10, pid=window["pid"])
        self.assertIsNotNone(box, "no question before removing")
        self.assertEqual((box["caption"], box["text"], box["buttons"]),
                         ("Confirm", REMOVE_QUESTION, ["OK", "Cancel"]))
        print("\nremove question:", rig.screenshot("remove-question"))
        driver.press(box, "Cancel")
        korvrig.wait_until(lambda: driver.msgbox(timeout=0, pid=window["pid"]) is None, 10,
                           "the question to close")
        # Cancel: the service carries on polling, its icon in place.
        service.drop("SMALL", b"12345")
        service.wait_gone("SMALL")
        self.assertTrue(service.running)
        self.assertIn(icon, driver.tray_icons())

        self.choose(window, icon, "r")
        box = driver.msgbox(timeout=10, pid=window["pid"])
        self.assertEqual(box["text"], REMOVE_QUESTION)
        driver.press(box, "OK")
        self.assertEqual(service.process.wait(timeout=20), 0)
        self.assertIsNone(driver.find(TITLE))
        self.assertNotIn(hidden["hwnd"], [w["hwnd"] for w in driver.windows()])
        korvrig.wait_until(lambda: icon not in driver.tray_icons(), 10,
                           "the icon to leave the notification area")


if __name__ == "__main__":
    unittest.main()
