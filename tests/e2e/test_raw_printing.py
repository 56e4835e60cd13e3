"""Raw jobs through the real program under Wine: through the spooler (Windows 5 and later, as
Wine reports by default) the job's bytes reach the printer unchanged; under Wine's Windows 98
setting the pass-through escape path runs.

What Wine 8 does with the Windows 98 setting (found with relay traces of the program):
- GetVersionExA reports 4.10, platform 1: the printer list comes from EnumPrintersA level 5, one
  entry "NAME on CUPS:NAME" per queue.
- DocumentPropertiesA fails ("Could not load config module": the printer's driver for the
  "Windows 4.0" environment is the 16-bit wineps16.drv), so the printer object holds no device
  settings and a text job fails at its orientation with "Operation not supported on selected
  printer".
- A pass-through document starts (StartDocA 1), and every PASSTHROUGH escape returns its byte
  count; but EndDoc returns 0 and no job reaches CUPS: Wine's local spooler schedules the job
  through the print processor of the "Windows 4.0" environment, spool\\prtprocs\\win40\\
  winprint.dll, which a Wine prefix lacks. Every spooler document fails so under that setting,
  with or without pages (a plain WritePrinter document too), so it is not the missing page.
- With Wine's own winprint.dll copied there, the job arrives: Wine's PostScript header, a line
  "%%BeginDocument: Wine passthrough", then exactly the bytes the escapes carried.
"""
import re
import shutil
import time
import unittest

import korvrig

TITLE = "Printer (Korvelane)"
QUEUE, OTHER_QUEUE = korvrig.DEFAULT_QUEUE, "KorvCapture2"
MISSING = "KorvMissingPrinter"  # 10+ characters: the printer choice keeps such a name
FF = b"\x0c"
PASSTHROUGH_MARK = b"%%BeginDocument: Wine passthrough\n"

# Every byte value, in more chunks than one (the program reads 127 bytes at a time).
ALL_BYTES = bytes(range(256)) * 5 + FF


def read_profile(home):
    """The keys of the profile file (one section is all it holds here)."""
    path = home / "VOZAZAD.INI"
    lines = path.read_text("latin-1").splitlines() if path.exists() else []
    return dict(line.split("=", 1) for line in lines if "=" in line)


def entry(queue):
    """A printer's entry in the list from level 5: the printer on its port."""
    return f"{queue} on CUPS:{queue}"


def page_feed_job():
    """A form feed as the last byte of the first chunk, and another ending the job."""
    return bytes(range(32, 158)) + FF + b"second chunk\r\n" * 10 + FF


class RawService(korvrig.SharedServiceTest):
    """One service per class; each test sets the profile and the mode it needs."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.captures = {queue: cls.rig.capture(queue) for queue in korvrig.QUEUES}

    def setUp(self):
        for capture in self.captures.values():
            capture.new_jobs()  # forget what earlier tests left

    def set_profile(self, **keys):
        text = "[Vozazad]\r\n" + "".join(f"{k}={v}\r\n" for k, v in keys.items())
        (self.service.home / "VOZAZAD.INI").write_bytes(text.encode("latin-1"))

    def profile(self):
        return read_profile(self.service.home)

    def switch(self, control, printer=None):
        """Drops a mode's control file. With `printer`: waits until the printer choice has
        been applied and the window names that printer, so the profile may change again."""
        self.service.drop(control, b"x")
        self.service.wait_gone(control, timeout=15)
        if printer:
            label = f"Printer: {printer}" + (" (Raw printing)" if control != "WINPRINT" else "")
            korvrig.wait_until(lambda: label in self.labels(), 10, f"the label {label!r}")

    def labels(self):
        return [c["text"] for c in self.rig.driver.controls(self.window)]

    def drop_job(self, data):
        type(self).jobs += 1
        name = f"RAW{self.jobs:02d}"
        self.service.drop(name, data)
        return name

    def status(self):
        return self.rig.driver.status_text(self.window)

    def wait_status(self, predicate, what, timeout=15):
        """Waits for a status line that `predicate` accepts and returns it."""
        def matching():
            status = self.status()
            return status if predicate(status) else None
        return korvrig.wait_until(matching, timeout, what, interval=0.3)

    def assertNothingPrinted(self):
        printed = {q: [j.path.name for j in c.new_jobs()] for q, c in self.captures.items()}
        self.assertEqual(printed, {q: [] for q in printed})


class RawThroughTheSpooler(RawService):
    def test_rawprint_sends_every_byte_unchanged(self):
        self.set_profile(UseDefault="N", Printer=QUEUE)
        self.switch("RAWPRINT")
        name = self.drop_job(ALL_BYTES)
        job = self.captures[QUEUE].wait_job(timeout=30)
        self.service.wait_gone(name)
        self.assertEqual(job.data, ALL_BYTES)
        self.assertEqual(job.title, "Korvelane")
        self.wait_status(lambda s: s == "Status - not printing", "the idle status")

    def test_rawpage_on_the_spooler_path_adds_and_holds_back_nothing(self):
        self.set_profile(UseDefault="N", Printer=QUEUE)
        self.switch("RAWPAGE")
        data = page_feed_job()
        name = self.drop_job(data)
        job = self.captures[QUEUE].wait_job(timeout=30)
        self.service.wait_gone(name)
        self.assertEqual(job.data, data)  # no CR LF before, the final form feed kept

    def test_jobs_under_eight_bytes_are_deleted_unprinted(self):
        self.set_profile(UseDefault="N", Printer=QUEUE)
        self.switch("RAWPRINT")
        self.service.wait_gone(self.drop_job(b"7 bytes"))
        name = self.drop_job(b"8 bytes!")
        job = self.captures[QUEUE].wait_job(timeout=30)
        self.service.wait_gone(name)
        self.assertEqual(job.data, b"8 bytes!")  # the only job that arrived
        self.assertNothingPrinted()

    def test_an_empty_printer_key_takes_the_current_printer_and_stores_it(self):
        # The mode switch makes the stored printer current; then the key is emptied, as if
        # the profile had been edited, and the next job finds it empty.
        self.set_profile(UseDefault="N", Printer=OTHER_QUEUE)
        self.switch("RAWPRINT", OTHER_QUEUE)
        self.set_profile(UseDefault="N", Printer="")
        name = self.drop_job(ALL_BYTES)
        job = self.captures[OTHER_QUEUE].wait_job(timeout=30)
        self.service.wait_gone(name)
        self.assertEqual(job.data, ALL_BYTES)
        self.assertEqual(self.profile()["Printer"], OTHER_QUEUE)
        self.assertNothingPrinted()

    def test_a_printer_that_does_not_exist_keeps_the_job_and_says_why(self):
        self.set_profile(UseDefault="N", Printer=MISSING)
        self.switch("RAWPRINT")
        name = self.drop_job(ALL_BYTES)
        status = self.wait_status(lambda s: s.startswith("Status - error"), "the error")
        prefix = f"Status - error: Cannot print on {MISSING}: "
        self.assertTrue(status.startswith(prefix) and len(status) > len(prefix), status)
        self.assertEqual((self.service.spool / name).read_bytes(), ALL_BYTES)
        self.assertTrue(self.service.running)
        self.assertNothingPrinted()

        # Tried again after a pause of about 5 s, not at once: once the printer is right
        # again the job prints then, and only then leaves the spool directory.
        self.set_profile(UseDefault="N", Printer=QUEUE)
        time.sleep(1.5)
        self.assertTrue((self.service.spool / name).exists())
        job = self.captures[QUEUE].wait_job(timeout=15)
        self.service.wait_gone(name)
        self.assertEqual(job.data, ALL_BYTES)
        self.wait_status(lambda s: s == "Status - not printing", "the error to clear")
        self.assertNothingPrinted()

    def test_winprint_makes_jobs_text_again(self):
        self.set_profile(UseDefault="N", Printer=QUEUE)
        self.switch("RAWPRINT")
        self.switch("WINPRINT")
        name = self.drop_job(b"TEXT AGAIN\r\n")
        job = self.captures[QUEUE].wait_job(timeout=30)
        self.service.wait_gone(name)
        self.assertTrue(job.is_postscript, job.data[:40])
        # Spaces draw nothing (one between characters travels with them as a blank cell).
        self.assertEqual(job.pages()[0].text().replace(" ", ""), "TEXTAGAIN")


class PassThroughUnderWindows98(RawService):
    """Wine's Windows 98 setting: GetVersionExA says 4.10, so raw jobs take the pass-through
    escape path and the printer list comes from level 5."""

    @classmethod
    def setUpClass(cls):
        def stored():
            profile = read_profile(cls.service.home)
            return profile if "Printer" in profile else None

        cls.version = korvrig.Rig.get().windows_version("win98")
        cls.version.__enter__()
        try:
            super().setUpClass()
            cls.startup_profile = korvrig.wait_until(stored, 10, "start-up to store the printer")
        except BaseException:
            # No tearDownClass follows: no later program may start under this setting.
            try:
                korvrig.Rig.get().kill_services()
            finally:
                cls.version.__exit__(None, None, None)
            raise

    @classmethod
    def tearDownClass(cls):
        try:
            super().tearDownClass()
        finally:
            cls.version.__exit__(None, None, None)

    def use_printer(self, queue, mode="WINPRINT"):
        """Makes the queue's entry the printer object's printer, in the given mode."""
        self.set_profile(UseDefault="N", Printer=entry(queue))
        self.switch(mode, entry(queue))

    def spooler_print_processor(self):
        """Context manager: Wine's print processor where the Windows 98 setting looks for it,
        so that Wine can spool documents under that setting."""
        processors = self.rig.prefix / "drive_c" / "windows" / "system32" / "spool" / "prtprocs"
        target = processors / "win40" / "winprint.dll"
        test = self

        class _Installed:
            def __enter__(self):
                test.assertFalse(target.exists(), "left over from an earlier run")
                target.parent.mkdir(exist_ok=True)
                native = "w32x86" if korvrig.WINE_ARCH == "win32" else "x64"
                shutil.copy2(processors / native / "winprint.dll", target)

            def __exit__(self, *exc):
                target.unlink(missing_ok=True)

        return _Installed()

    def test_the_printer_list_names_each_printer_on_its_port(self):
        # Start-up followed the default printer and stored its entry.
        self.assertEqual(self.startup_profile["Printer"], entry(QUEUE))
        # Another entry of the list, chosen by its text, becomes the printer: the window
        # names it once the mode switch has applied the choice (a failure if it never does).
        self.set_profile(UseDefault="N", Printer=entry(OTHER_QUEUE))
        self.switch("WINPRINT", printer=entry(OTHER_QUEUE))
        self.use_printer(QUEUE)

    def test_a_raw_job_waits_while_wine_cannot_spool_and_passes_through_once_it_can(self):
        self.use_printer(QUEUE, "RAWPRINT")
        data = ALL_BYTES
        name = self.drop_job(data)
        # EndDoc fails (see above): the job stays for a later try and the status says so.
        status = self.wait_status(lambda s: s.startswith("Status - error"), "the error")
        self.assertRegex(status, rf"^Status - error: Cannot print on {re.escape(QUEUE)}.*: "
                                 r"Printing failed \(EndDoc failed.*\)$")
        self.assertEqual((self.service.spool / name).read_bytes(), data)
        self.assertTrue(self.service.running)
        self.assertIsNotNone(self.rig.driver.find(TITLE))
        self.assertNothingPrinted()

        with self.spooler_print_processor():
            job = self.captures[QUEUE].wait_job(timeout=20)  # the retry, about 5 s on
            self.service.wait_gone(name)
        self.assertEqual(job.title, "Korvelane")
        header, mark, payload = job.data.partition(PASSTHROUGH_MARK)
        self.assertTrue(header.startswith(b"%!PS"), header[:40])
        self.assertEqual(mark, PASSTHROUGH_MARK)
        self.assertEqual(payload, data)  # every byte as it was, the final form feed too
        self.wait_status(lambda s: s == "Status - not printing", "the error to clear")

    def test_rawpage_adds_cr_lf_and_holds_back_the_last_form_feed(self):
        self.use_printer(QUEUE, "RAWPAGE")
        data = page_feed_job()
        with self.spooler_print_processor():
            name = self.drop_job(data)
            job = self.captures[QUEUE].wait_job(timeout=20)
            self.service.wait_gone(name)
        payload = job.data.partition(PASSTHROUGH_MARK)[2]
        # The form feed ending the first chunk goes out before the second chunk, so the bytes
        # keep their order; only the job's final form feed is held back.
        self.assertEqual(payload, b"\r\n" + data[:-1])

    def test_a_text_job_waits_for_device_settings_wine_does_not_give(self):
        self.use_printer(QUEUE)
        name = self.drop_job(b"TEXT UNDER 98\r\n")
        self.assertEqual(
            self.wait_status(lambda s: s.startswith("Status - error"), "the error"),
            f"Status - error: Cannot print on {entry(QUEUE)}: "
            "Operation not supported on selected printer")
        self.assertTrue((self.service.spool / name).exists())
        self.assertTrue(self.service.running)
        self.assertNothingPrinted()
        (self.service.spool / name).unlink()  # out of the way of the class's other tests


if __name__ == "__main__":
    unittest.main()
