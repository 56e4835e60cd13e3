"""What reaches outside WINPRINT or outlives the service, against the real program under Wine
and CUPS: a Linux link named DISABLE that appears while a long text job prints is never
obeyed (the job prints whole, the file it points to keeps its bytes, times and name; a real
DISABLE put in its place is then obeyed); a raw job kept while its queue rejects prints raw
after the service is killed and started again in text mode; a job named in Cyrillic shows
as written in the status line, read back with the wide messages."""
import os
import subprocess
import time
import unittest

import korvrig

QUEUE = korvrig.REJECT_QUEUE
STATE_FILE = "KEPTMODE.TMP"


def queue_accepts(accepting):
    subprocess.run(["cupsaccept" if accepting else "cupsreject", QUEUE], check=True,
                   capture_output=True, timeout=30)


class OutsideAndRestart(korvrig.ServiceTest):
    def setUp(self):
        super().setUp()
        queue_accepts(True)

    def tearDown(self):
        queue_accepts(True)
        super().tearDown()

    def start(self, printer=korvrig.DEFAULT_QUEUE, service=None):
        ini = f"[Vozazad]\r\nUseDefault=N\r\nPrinter={printer}\r\n"
        self.service = (self.rig.restart_service(service) if service else
                        self.rig.start_service(ini=ini, test_page=False))
        self.window = self.service.wait_window(korvrig.SERVICE_TITLE, timeout=30)
        self.capture = self.rig.capture(printer)

    def status(self):
        return self.rig.driver.status_text_wide(self.window)

    def wait_status(self, part, timeout=30):
        return korvrig.wait_until(lambda: self.status() if part in self.status() else None,
                                  timeout, f"a status line with {part!r}", interval=0.3)

    def test_a_link_named_disable_is_never_obeyed_and_a_real_one_then_is(self):
        self.start()
        outside = self.rig.run_dir / f"outside-disable-{os.getpid()}-{time.monotonic_ns()}"
        outside.write_bytes(b"x")
        os.utime(outside, (1_000_000_000, 1_000_000_000))
        before = outside.stat()
        line = b"A LONG TEXT JOB THAT A LINK NAMED DISABLE MUST NOT STOP 0123456789\r\n"
        self.service.drop("LONGJOB", line * 12000)  # about 800 KB: many looks for DISABLE
        self.wait_status("Status - printing", timeout=15)
        os.symlink(outside, self.service.spool / "DISABLE")
        # Decided: a link is never obeyed, whatever its name; the job prints to its end.
        job = self.capture.wait_job(timeout=180)
        self.assertTrue(job.is_postscript)
        self.service.wait_gone("LONGJOB", timeout=15)
        self.assertTrue(self.service.running)
        self.wait_status("not taken: DISABLE: it is a link to a file outside WINPRINT")
        self.assertTrue((self.service.spool / "DISABLE").is_symlink())
        after = outside.stat()
        self.assertEqual(outside.read_bytes(), b"x")
        self.assertEqual((after.st_mtime_ns, after.st_atime_ns, after.st_ino, after.st_mode),
                         (before.st_mtime_ns, before.st_atime_ns, before.st_ino, before.st_mode))
        # A real DISABLE in the link's place is the control file: obeyed and removed.
        self.service.drop("DISABLE", b"x")
        self.assertEqual(self.service.process.wait(timeout=30), 0)
        self.assertFalse(os.path.lexists(self.service.spool / "DISABLE"))
        self.assertEqual(outside.read_bytes(), b"x")
        self.assertEqual(outside.stat().st_mtime_ns, before.st_mtime_ns)

    def test_a_kept_raw_job_prints_raw_after_a_restart(self):
        self.start(QUEUE)
        self.service.drop("RAWPRINT", b"x")
        self.service.wait_gone("RAWPRINT")
        queue_accepts(False)
        data = bytes(range(256)) + b"\x1b@KEPT RAW JOB\r\n\x0c"
        self.service.drop("KEPTRAW", data)
        self.wait_status(f"Status - error: Cannot print on {QUEUE}")
        state = self.service.spool / STATE_FILE
        self.assertIn(b"raw ", state.read_bytes())
        self.service.kill()
        # Started again in text mode, with the queue still rejecting: kept, still raw.
        self.start(QUEUE, service=self.service)
        labels = [c["text"] for c in self.rig.driver.controls(self.window)]
        self.assertIn(f"Printer: {QUEUE}", labels)  # not "(Raw printing)": text mode
        self.wait_status(f"Status - error: Cannot print on {QUEUE}")
        self.assertTrue((self.service.spool / "KEPTRAW").exists())
        queue_accepts(True)
        self.assertEqual(self.capture.wait_job(timeout=90).data, data)
        self.service.wait_gone("KEPTRAW")
        self.assertFalse(state.exists())  # nothing kept: no state file, and never printed
        self.service.drop("NEWTEXT", b"A NEW JOB PRINTS AS TEXT\r\n")
        self.assertTrue(self.capture.wait_job(timeout=30).is_postscript)
        self.capture.assert_quiet(2)
        self.assertEqual(self.service.stop(), "disable")

    def test_a_cyrillic_name_shows_as_written_in_the_status_line(self):
        self.start()
        name = "\u0417\u0410\u041a\u0410\u0417 \u21167"  # ЗАКАЗ №7
        temp = self.service.spool / "KORVTMPNAMED"
        self.service.spool.mkdir(exist_ok=True)
        source = self.service.home / "named-source"
        source.write_bytes(b"A JOB ITS WRITER STILL HOLDS\r\n" * 20)
        with self.rig.driver.hold("write", temp, 6, source) as held:
            os.replace(temp, self.service.spool / name)
            status = self.wait_status(name, timeout=15)
            self.assertTrue(status.startswith("Status - error: cannot open"), status)
            held.wait(timeout=30)
        self.assertEqual(self.capture.wait_job(timeout=30).is_postscript, True)
        self.service.wait_gone(name)
        self.assertEqual(self.service.stop(), "disable")


if __name__ == "__main__":
    unittest.main()
