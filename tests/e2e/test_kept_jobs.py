"""Jobs kept after a failure, against the real program under Wine and a CUPS queue that
rejects jobs: a kept job prints in the mode it was taken in, whatever mode control files came
while it waited; a chosen printer that is not installed keeps text jobs (never printed on the
default printer); the status line names the printer and what went wrong; DISABLE during a long
text job throws the document away and keeps the job file."""
import subprocess
import time
import unittest

import korvrig

TITLE = "Printer (Korvelane)"
QUEUE = korvrig.REJECT_QUEUE


def queue_accepts(accepting):
    subprocess.run(["cupsaccept" if accepting else "cupsreject", QUEUE], check=True,
                   capture_output=True, timeout=30)


def text_of(job):
    """The job's printed characters, without blanks (txtwrite drops some spaces)."""
    return "".join(text for page in job.pages() for _, text, _ in page.lines()).replace(" ", "")


class KeptJobs(unittest.TestCase):
    def setUp(self):
        self.rig = korvrig.Rig.get()
        queue_accepts(True)

    def tearDown(self):
        queue_accepts(True)
        self.rig.kill_services()

    def start(self, printer, raw=None):
        ini = f"[Vozazad]\r\nUseDefault=N\r\nPrinter={printer}\r\n"
        self.service = self.rig.start_service(ini=ini, test_page=False)
        self.window = self.service.wait_window(TITLE, timeout=30)
        if raw:
            self.control(raw)

    def control(self, name):
        self.service.drop(name, b"x")
        self.service.wait_gone(name, timeout=15)

    def status(self):
        return self.rig.driver.status_text(self.window)

    def wait_status(self, prefix, timeout=30):
        return korvrig.wait_until(lambda: self.status() if self.status().startswith(prefix)
                                  else None, timeout, f"a status line {prefix!r}", interval=0.3)

    def labels(self):
        return [c["text"] for c in self.rig.driver.controls(self.window)]

    def keep_while_rejecting(self, name, data):
        """Drops a job while the queue rejects; returns the status line its failure showed."""
        queue_accepts(False)
        self.service.drop(name, data)
        status = self.wait_status(f"Status - error: Cannot print on {QUEUE}")
        self.assertTrue((self.service.spool / name).exists())
        return status

    def test_a_kept_text_job_prints_as_text_after_rawprint(self):
        self.start(QUEUE)
        capture = self.rig.capture(QUEUE)
        status = self.keep_while_rejecting("KEPTTEXT", b"KEPT TEXT JOB\r\n")
        self.assertNotEqual(status, f"Status - error: Cannot print on {QUEUE}")  # says why
        self.control("RAWPRINT")
        queue_accepts(True)
        job = capture.wait_job(timeout=90)
        self.assertTrue(job.is_postscript)
        self.assertIn("KEPTTEXTJOB", text_of(job))
        self.service.wait_gone("KEPTTEXT", timeout=15)
        # A job taken after the switch prints raw.
        self.service.drop("NEWRAW", b"NEW RAW JOB\r\n\x0c")
        self.assertEqual(capture.wait_job(timeout=30).data, b"NEW RAW JOB\r\n\x0c")
        capture.assert_quiet(2)

    def test_a_kept_raw_job_prints_raw_after_winprint(self):
        self.start(QUEUE, raw="RAWPRINT")
        capture = self.rig.capture(QUEUE)
        status = self.keep_while_rejecting("KEPTRAW", b"\x1b@KEPT RAW JOB\r\n\x0c")
        self.assertIn("(", status)  # the call and the system's text
        self.control("WINPRINT")
        queue_accepts(True)
        job = capture.wait_job(timeout=90)
        self.assertEqual(job.data, b"\x1b@KEPT RAW JOB\r\n\x0c")
        self.service.wait_gone("KEPTRAW", timeout=15)
        # A job taken after the switch prints as text.
        self.service.drop("NEWTEXT", b"NEW TEXT JOB\r\n")
        job = capture.wait_job(timeout=30)
        self.assertTrue(job.is_postscript)
        self.assertIn("NEWTEXTJOB", text_of(job))

    def test_a_missing_printer_keeps_text_jobs_and_says_so(self):
        self.start("Gone Printer 99")
        default = self.rig.capture(korvrig.DEFAULT_QUEUE)
        self.assertIn("Printer: Gone Printer 99 - not found", self.labels())
        self.service.drop("TEXTJOB", b"NOT FOR THE DEFAULT PRINTER\r\n")
        status = self.wait_status("Status - error: ")
        self.assertEqual(status, "Status - error: Cannot print on Gone Printer 99: "
                                 "the printer is not installed")
        default.assert_quiet(3)
        self.assertTrue((self.service.spool / "TEXTJOB").exists())
        # Raw mode keeps its jobs too, and the label still says what is wrong.
        self.control("RAWPRINT")
        self.assertIn("Printer: Gone Printer 99 (Raw printing) - not found", self.labels())
        self.service.drop("RAWJOB", b"RAW NOT FOR THE DEFAULT\r\n")
        self.wait_status("Status - error: Cannot print on Gone Printer 99: ")
        default.assert_quiet(2)
        self.assertTrue((self.service.spool / "RAWJOB").exists())
        self.assertEqual(self.service.stop(), "disable")
        self.assertTrue((self.service.spool / "TEXTJOB").exists())

    def test_disable_ends_a_long_text_job_and_keeps_its_file(self):
        self.start(korvrig.DEFAULT_QUEUE)
        capture = self.rig.capture(korvrig.DEFAULT_QUEUE)
        line = b"A LONG TEXT JOB THAT WOULD TAKE MINUTES TO PRINT WHOLE UNDER WINE 0123456789\r\n"
        data = line * 40000  # about 3 MB
        self.service.drop("LONGJOB", data)
        self.wait_status("Status - printing", timeout=15)
        time.sleep(2)
        started = time.monotonic()
        self.service.drop("DISABLE", b"x")
        self.assertEqual(self.service.process.wait(timeout=30), 0)
        self.assertLess(time.monotonic() - started, 30)
        self.assertFalse((self.service.spool / "DISABLE").exists())
        self.assertEqual((self.service.spool / "LONGJOB").read_bytes(), data)
        capture.assert_quiet(3)  # the document was thrown away


if __name__ == "__main__":
    unittest.main()
