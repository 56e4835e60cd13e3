"""Spool files that resist, against the real program under Wine + CUPS: a Linux symbolic
link to a file elsewhere, names the ANSI code page cannot hold or Windows treats specially,
a job replaced under the same name, read-only files and a file a writer still holds. In each:
every job prints once, nothing outside WINPRINT is read or changed, the files behind print."""
import os
import time
import unittest

import korvrig

TITLE = "Printer (Korvelane)"
INI = "[Vozazad]\r\nUseDefault=Y\r\n"


def job_bytes(tag):
    """A raw job whose bytes tell it apart."""
    return f"<{tag}>".encode("utf-8") + bytes(range(32, 127)) + b"\r\n\x0c"


class SpoolFiles(unittest.TestCase):
    def setUp(self):
        self.rig = korvrig.Rig.get()
        self.cap = self.rig.capture("KorvCapture1")
        self.service = self.rig.start_service(ini=INI, test_page=False)
        self.window = self.service.wait_window(TITLE, timeout=30)
        # Raw mode: the captured bytes are the job's bytes.
        self.service.drop("RAWPRINT", b"x")
        self.service.wait_gone("RAWPRINT", timeout=15)

    def tearDown(self):
        self.rig.kill_services()

    def captured(self, count, timeout=30):
        jobs = [self.cap.wait_job(timeout=timeout).data for _ in range(count)]
        return jobs

    def status(self):
        return self.rig.driver.status_text(self.window)

    def test_a_link_to_a_file_outside_winprint_is_never_read_or_deleted(self):
        outside = self.rig.run_dir / f"outside-{os.getpid()}-{time.monotonic_ns()}"
        outside.write_bytes(job_bytes("OUTSIDE"))
        os.utime(outside, (1_000_000_000, 1_000_000_000))
        before = outside.stat()
        self.service.spool.mkdir(exist_ok=True)
        os.symlink(outside, self.service.spool / "A_LINK")
        # A link with a control name is not obeyed either (WINPRINT would leave raw mode).
        os.symlink(outside, self.service.spool / "WINPRINT")
        time.sleep(1)
        self.service.drop("AFTER", job_bytes("AFTER"))
        self.assertEqual(self.captured(1), [job_bytes("AFTER")])  # still raw
        self.service.wait_gone("AFTER")
        self.cap.assert_quiet(3)
        after = outside.stat()
        self.assertEqual(outside.read_bytes(), job_bytes("OUTSIDE"))
        self.assertEqual((after.st_mtime_ns, after.st_mode, after.st_ino),
                         (before.st_mtime_ns, before.st_mode, before.st_ino))
        self.assertEqual(after.st_atime_ns, before.st_atime_ns)  # never read
        self.assertTrue((self.service.spool / "A_LINK").is_symlink())
        self.assertTrue((self.service.spool / "WINPRINT").is_symlink())
        self.assertIn("a link to a file outside WINPRINT", self.status())
        # Said once each, in the job log too.
        log = (self.service.home / "korvprint.log").read_text("utf-8", errors="replace")
        self.assertEqual(log.count("not taken: A_LINK"), 1, log)
        self.assertEqual(log.count("not taken: WINPRINT"), 1, log)
        self.assertEqual(self.service.stop(), "disable")

    def test_names_the_code_page_cannot_hold_or_windows_forbids_or_reserves_print(self):
        names = ["\u0417\u0410\u041a\u0410\u0417", "ENDS.", "SPACE ", "CON", "NUL.TXT", "LPT1",
                 "\U0001F5A8PRINT", "COLON:STAR*", 'ASK?LT<GT>PIPE|"Q"']
        for name in names:
            self.service.drop(name, job_bytes(name))
            self.service.wait_gone(name, timeout=20)
        self.service.drop("LAST", job_bytes("LAST"))
        got = self.captured(len(names) + 1)
        self.assertEqual(got, [job_bytes(n) for n in names] + [job_bytes("LAST")])
        self.service.wait_gone("LAST")
        self.cap.assert_quiet(2)
        self.assertEqual(sorted(os.listdir(self.service.spool)), [])
        self.assertEqual(self.service.stop(), "disable")

    def test_a_name_that_is_not_valid_in_the_systems_encoding_prints(self):
        bad = os.fsencode(self.service.spool) + b"/BAD\xff\xfeNAME"
        with open(bad, "wb") as f:
            f.write(job_bytes("BAD"))
        self.service.drop("BEHIND", job_bytes("BEHIND"))
        # Wine gives it a name it can open again: printed once, like the one behind it.
        got = self.captured(2, timeout=30)
        self.assertEqual(sorted(got), sorted([job_bytes("BAD"), job_bytes("BEHIND")]))
        self.service.wait_gone("BEHIND")
        self.assertEqual(os.listdir(self.service.spool), [])
        self.cap.assert_quiet(2)
        self.assertEqual(self.service.stop(), "disable")

    def test_a_job_another_program_reads_without_letting_it_go_waits_for_it(self):
        # Another program reads it and denies deleting: the service never prints what it
        # could not remove afterwards (it would print again), so the job waits, named in
        # the status line, and prints once when the reader lets go.
        temp = self.service.spool / "KORVTMPFIRST"
        self.service.spool.mkdir(exist_ok=True)
        temp.write_bytes(job_bytes("FIRST"))
        with self.rig.driver.hold("read", temp, 8) as held:
            os.replace(temp, self.service.spool / "SAME")
            korvrig.wait_until(lambda: "SAME" in self.status(), 10, "the status to name SAME")
            self.cap.assert_quiet(2)
            held.wait(timeout=30)
        self.assertEqual(self.captured(1), [job_bytes("FIRST")])
        self.service.wait_gone("SAME", timeout=15)
        self.cap.assert_quiet(3)
        self.assertEqual(self.service.stop(), "disable")

    def test_read_only_files_are_handled_once_and_deleted(self):
        self.service.drop("WINPRINT", b"x")  # back to text mode, then raw again read-only
        self.service.wait_gone("WINPRINT")
        temp = self.service.spool / "KORVTMPRO"
        temp.write_bytes(b"x")
        os.chmod(temp, 0o444)
        os.replace(temp, self.service.spool / "RAWPRINT")
        self.service.wait_gone("RAWPRINT")
        self.cap.assert_quiet(1)
        temp = self.service.spool / "KORVTMPJOB"
        temp.write_bytes(job_bytes("READONLY"))
        os.chmod(temp, 0o444)
        os.replace(temp, self.service.spool / "READONLY")
        self.service.drop("AFTER", job_bytes("AFTER"))
        self.assertEqual(sorted(self.captured(2)),
                         sorted([job_bytes("READONLY"), job_bytes("AFTER")]))
        for name in ("READONLY", "AFTER"):
            self.service.wait_gone(name)
        self.cap.assert_quiet(3)
        self.assertEqual(self.service.stop(), "disable")

    def test_a_file_a_writer_still_holds_prints_whole_once_it_is_closed(self):
        source = self.rig.run_dir / f"source-{os.getpid()}-{time.monotonic_ns()}"
        whole = b"".join(job_bytes(f"PART{i}") for i in range(200))
        source.write_bytes(whole)
        target = self.service.spool / "WRITING"
        with self.rig.driver.hold("write", target, 8, source) as held:
            self.service.drop("BEHIND", job_bytes("BEHIND"))
            self.assertEqual(self.captured(1), [job_bytes("BEHIND")])
            self.assertTrue(target.exists())
            korvrig.wait_until(lambda: "cannot open WRITING" in self.status(), 5,
                               "the status line to name WRITING")
            held.wait(timeout=30)
        self.assertEqual(self.captured(1), [whole])
        self.service.wait_gone("WRITING")
        self.cap.assert_quiet(3)
        self.assertEqual(self.service.stop(), "disable")


if __name__ == "__main__":
    unittest.main()
