"""Start-up of the real program under Wine: the spool directory, the service title, one
instance only, and the fatal message when the spool directory cannot be made."""
import unittest

import korvrig

TITLE = "Printer (Korvelane)"


class StartUp(korvrig.ServiceTest):
    def test_makes_the_missing_spool_directory_and_takes_the_service_title(self):
        rig = korvrig.Rig.get()
        service = rig.start_service(ini=None, test_page=False)
        window = service.wait_window(TITLE, timeout=30)
        self.assertEqual(window["class"], "TMainForm")
        self.assertTrue(window["minimized"])
        self.assertTrue(service.spool.is_dir())
        korvrig.wait_until(lambda: rig.driver.status_text(window) == "Status - not printing", 10,
                           "the idle status line")
        application = rig.driver.find("Printer for Korvelane")
        self.assertIsNotNone(application)
        # Hidden from the start, then minimised by the host window activation: never shown.
        self.assertTrue(not application["visible"] or application["minimized"], application)
        self.assertEqual(window["owner"], application["hwnd"])
        self.assertEqual(service.stop(), "disable")

    def test_a_second_copy_ends_at_once_and_the_first_keeps_serving(self):
        rig = korvrig.Rig.get()
        first = rig.start_service(ini=None, test_page=False)
        first.wait_window(TITLE, timeout=30)
        second = rig.start_service(ini=None, test_page=False)
        self.assertEqual(second.process.wait(timeout=30), 0)
        self.assertIsNone(rig.driver.msgbox(timeout=0), "the second copy showed a message")
        self.assertFalse(second.spool.exists())  # it ended before touching its directories
        titled = [w for w in rig.driver.windows() if w["title"] == TITLE]
        self.assertEqual(len(titled), 1)
        # The first copy still polls: a job under eight bytes is taken and deleted.
        first.drop("SMALL", b"12345")
        first.wait_gone("SMALL", timeout=15)
        self.assertTrue(first.running)
        self.assertEqual(first.stop(), "disable")

    def test_a_spool_directory_that_cannot_be_made_is_fatal(self):
        rig = korvrig.Rig.get()
        # A file in the way: the directory can be neither entered nor created.
        service = rig.start_service(ini=None, test_page=False,
                                    extra_files={"WINPRINT": b"not a directory"})
        box = rig.driver.msgbox(timeout=30)
        self.assertIsNotNone(box, "no fatal message")
        spool = korvrig.windows_path(service.home) + "\\\\WINPRINT"  # with its doubled backslash
        self.assertEqual(box["text"], "Korvelane printer error\rCannot create directory " + spool)
        self.assertEqual(box["caption"], "Error")
        self.assertEqual(box["buttons"], ["OK"])
        self.assertTrue(service.running)  # it waits for the message to be read
        self.assertIsNone(rig.driver.find(TITLE))
        rig.driver.press(box, "OK")
        service.process.wait(timeout=30)
        self.assertIsNone(rig.driver.msgbox(timeout=1))


if __name__ == "__main__":
    unittest.main()
