"""The job log korvprint.log beside the program: a line for the start, each job, each control
file obeyed, each error and the stop; its rotation at 1 MB; printing when it cannot be written."""
import re
import unittest

import korvrig
import test_tray_and_host as tray

TITLE = "Printer (Korvelane)"
QUEUE = "KorvCapture1"
MISSING = "KorvMissingPrinter"
STAMP = r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} "


def set_profile(service, **keys):
    text = "[Vozazad]\r\n" + "".join(f"{k}={v}\r\n" for k, v in keys.items())
    (service.home / "VOZAZAD.INI").write_bytes(text.encode("latin-1"))


class JobLog(korvrig.ServiceTest):
    def start(self, **options):
        service = self.rig.start_service(ini="[Vozazad]\r\nUseDefault=Y\r\n", **options)
        window = service.wait_window(TITLE, timeout=30)
        korvrig.wait_until(lambda: self.rig.driver.status_text(window) == "Status - not printing",
                           20, "the idle status line")
        return service, window

    def test_a_run_leaves_a_line_for_every_event(self):
        service, window = self.start()
        capture = self.rig.capture(QUEUE)
        service.drop("TEXTJOB", b"First page\r\n\x0cSecond page\r\n")
        capture.wait_job(timeout=30)
        service.wait_gone("TEXTJOB")

        set_profile(service, UseDefault="N", Printer=QUEUE)
        service.drop("RAWPRINT", b"x")
        service.wait_gone("RAWPRINT")
        service.drop("RAWJOB", b"raw bytes\x1b@\r\n")
        self.assertEqual(capture.wait_job(timeout=30).data, b"raw bytes\x1b@\r\n")
        service.wait_gone("RAWJOB")

        set_profile(service, UseDefault="N", Printer=MISSING)
        service.drop("RAWPRINT", b"x")
        service.wait_gone("RAWPRINT")
        service.drop("LOSTJOB", b"for a printer that is not there")
        korvrig.wait_until(lambda: self.rig.driver.status_text(window).startswith(
            "Status - error"), 15, "the error")
        self.assertEqual(service.stop(), "disable")
        self.assertTrue((service.spool / "LOSTJOB").exists())

        lines = (service.home / "korvprint.log").read_bytes().decode("latin-1").split("\r\n")
        self.assertEqual(lines[-1], "")  # every line ends in CR LF
        for line in lines[:-1]:
            self.assertRegex(line, "^" + STAMP)
        events = [line[24:] for line in lines[:-1]]
        version = re.escape(self.rig.driver.resources(service.home / "korvprint.exe")["FileVersion"])
        expected = [
            rf'start version={version} printer="{QUEUE}" mode=text',
            rf'job file="TEXTJOB" bytes=26 kind=text printer="{QUEUE}" pages=2 ms=\d+ '
            r'result="printed"',
            r'control file="RAWPRINT"',
            rf'job file="RAWJOB" bytes=13 kind=raw printer="{QUEUE}" ms=\d+ result="printed"',
            r'control file="RAWPRINT"',
            rf'job file="LOSTJOB" bytes=31 kind=raw printer="{MISSING}" ms=\d+ '
            rf'result="failed: Cannot print on {MISSING}: .+"',
            rf'error text="Cannot print on {MISSING}: .+"',
            r'control file="DISABLE"',
            r"stop",
        ]
        self.assertEqual(len(events), len(expected), events)
        for event, pattern in zip(events, expected):
            self.assertRegex(event, "^" + pattern + "$")

    def test_the_log_rotates_at_1_mb_keeping_one_previous_file(self):
        full = b"x" * (1024 * 1024 - 40) + b"\r\n"
        service, _ = self.start(extra_files={"korvprint.log": full, "korvprint.log.1": b"older"})
        korvrig.wait_until(lambda: (service.home / "korvprint.log").stat().st_size < 1000, 15,
                           "the log to rotate")
        self.assertEqual(service.stop(), "disable")
        self.assertEqual((service.home / "korvprint.log.1").read_bytes(), full)
        self.assertEqual(sorted(p.name for p in service.home.glob("korvprint.log*")),
                         ["korvprint.log", "korvprint.log.1"])
        text = (service.home / "korvprint.log").read_bytes().decode("latin-1")
        self.assertRegex(text, "^" + STAMP + "start ")
        self.assertRegex(text, STAMP + "stop\r\n$")

    def test_a_log_that_cannot_be_written_leaves_printing_alone(self):
        # A folder where the log file should be: no file can be opened under its name.
        service, window = self.start(extra_files={"korvprint.log/keep": b""})
        capture = self.rig.capture(QUEUE)
        service.drop("TEXTJOB", b"Printed all the same\r\n")
        self.assertIn("Printed", capture.wait_job(timeout=30).pages()[0].lines()[0][1])
        service.wait_gone("TEXTJOB")
        self.assertEqual(self.rig.driver.status_text(window), "Status - not printing")
        self.assertEqual(service.stop(), "disable")

    def test_log_n_in_the_profile_writes_no_log(self):
        service = self.rig.start_service(ini="[Vozazad]\r\nUseDefault=Y\r\nLog=N\r\n")
        service.wait_window(TITLE, timeout=30)
        service.drop("SETFOCUS", b"x")
        service.wait_gone("SETFOCUS")
        self.assertEqual(service.stop(), "disable")
        self.assertFalse((service.home / "korvprint.log").exists())

    def test_open_log_in_the_icons_menu_opens_the_log_in_an_editor(self):
        service, window, _, icon = tray.start_service(self.rig)
        tray.RemoveFromTheIconMenu.choose(self, window, icon, "l")  # "Open &Log"
        editor = korvrig.wait_until(
            lambda: next((w for w in self.rig.driver.windows()
                          if "korvprint.log" in w["title"] and w["visible"]), None),
            20, "an editor showing korvprint.log")
        self.assertNotEqual(editor["pid"], window["pid"])
        self.rig.driver.post(editor, 0x0010, 0, 0)  # WM_CLOSE
        self.assertEqual(service.stop(), "disable")


if __name__ == "__main__":
    unittest.main()
