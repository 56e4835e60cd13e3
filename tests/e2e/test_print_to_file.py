"""Print-to-file printers under Wine: a printer of the run's prefix whose port is a file (Wine's
PostScript driver) gets its documents written into OutputFolder, named after the job and the
time, and nobody is ever asked for a file name.

What Wine 8 does (found with this module): StartDocA on a FILE: printer without an output file
opens a "#32770" dialog "Print to File" ("Output File Name:", OK, Cancel) on the calling thread
and waits for it. When the dialog cannot be made, Wine starts the document anyway (StartDocA
returns 1, output unknown); korvprint's device context then aborts it and reports a failure.
"""
import re
import time
import unittest

import korvrig
from korvrig.postscript import postscript_pages

TITLE = "Printer (Korvelane)"
FILE_PRINTER = "KorvFileOutput"  # port: a file path
PROMPT_PRINTER = "KorvFilePrompt"  # port: FILE:, which asks for a name
ALL_BYTES = bytes(range(256)) * 3


def label_texts(driver, window):
    return [c["text"] for c in driver.controls(window) if c["text"].startswith("Printer: ")]


def dialogs(driver):
    return [w for w in driver.windows() if w["class"] == "#32770"]


class PrintToFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rig = korvrig.Rig.get()
        cls.driver = cls.rig.driver
        cls.port_file = cls.rig.run_dir / "file-port.prn"
        for name, port in ((FILE_PRINTER, korvrig.windows_path(cls.port_file)),
                           (PROMPT_PRINTER, "FILE:")):
            try:
                cls.driver.delete_printer(name)  # left by an earlier run in this prefix
            except korvrig.DriverError:
                pass
            cls.driver.add_printer(name, port)

    @classmethod
    def tearDownClass(cls):
        cls.rig.kill_services()
        for name in (FILE_PRINTER, PROMPT_PRINTER):
            cls.driver.delete_printer(name)

    def tearDown(self):
        self.rig.kill_services()

    def start(self, folder):
        ini = (f"[Vozazad]\r\nUseDefault=N\r\nPrinter={FILE_PRINTER}\r\n"
               f"OutputFolder={folder}\r\n")
        svc = self.rig.start_service(ini=ini)
        window = svc.wait_window(TITLE)
        korvrig.wait_until(lambda: self.driver.status_text(window) == "Status - not printing",
                           30, "the service to start")
        return svc, window

    def wait_file(self, folder, pattern, timeout=30):
        found = []

        def look():
            found[:] = [p for p in folder.glob("*") if re.fullmatch(pattern, p.name)]
            return bool(found) and found[0].stat().st_size > 0

        korvrig.wait_until(look, timeout, f"a file {pattern} in {folder}")
        time.sleep(0.5)  # the spooler may still be writing
        return found[0]

    def test_text_and_raw_jobs_land_as_files_and_no_window_appears(self):
        svc, window = self.start("OUT\\FILES")  # relative to the home, two levels made
        before = {w["hwnd"] for w in self.driver.windows()}
        folder = svc.home / "OUT" / "FILES"
        self.assertEqual(label_texts(self.driver, window),
                         [f"Printer: {FILE_PRINTER} -> "
                          f"{korvrig.windows_path(svc.home)}\\OUT\\FILES"])

        svc.drop("JOB1", b"HELLO FILE PRINTER\r\nSECOND LINE\r\n")
        svc.wait_gone("JOB1", timeout=30)
        text = self.wait_file(folder, r"JOB1-\d{8}-\d{6}\.prn")
        self.assertTrue(text.read_bytes().startswith(b"%!"), text.read_bytes()[:40])
        lines = [line for _, line, _ in postscript_pages(text)[0].lines()]
        # Each character sits in its own cell; blanks are not drawn.
        self.assertEqual([l.replace(" ", "") for l in lines[:2]], ["HELLOFILEPRINTER", "SECONDLINE"])

        svc.drop("RAWPRINT", b"x")
        svc.wait_gone("RAWPRINT")
        svc.drop("JOB2", ALL_BYTES)
        svc.wait_gone("JOB2", timeout=30)
        raw = self.wait_file(folder, r"JOB2-\d{8}-\d{6}\.prn")
        self.assertEqual(raw.read_bytes(), ALL_BYTES)


        self.assertEqual(sorted(p.name for p in svc.spool.iterdir()), [])
        self.assertFalse(self.port_file.exists() and self.port_file.stat().st_size > 0,
                         "the port's own file was written")
        self.assertEqual(dialogs(self.driver), [])
        new = [w for w in self.driver.windows() if w["hwnd"] not in before and w["visible"]]
        self.assertEqual(new, [])
        self.assertEqual(self.driver.status_text(window), "Status - not printing")

    def test_folder_that_cannot_be_made_keeps_the_job_until_it_can(self):
        svc, window = self.start("BLOCKED")
        (svc.home / "BLOCKED").write_bytes(b"a file where the folder should be")
        svc.drop("JOB1", b"KEPT UNTIL THE FOLDER CAN BE MADE\r\n")
        folder_path = f"{korvrig.windows_path(svc.home)}\\BLOCKED"
        # The status names the printer, then why its file cannot be made.
        korvrig.wait_until(
            lambda: re.fullmatch(
                r"Status - error: Cannot print on [^:]+: Cannot write in the output folder "
                + re.escape(folder_path), self.driver.status_text(window) or ""),
            30, "the folder's error in the status line")
        self.assertTrue((svc.spool / "JOB1").exists())
        (svc.home / "BLOCKED").unlink()
        svc.wait_gone("JOB1", timeout=60)  # tried again after 5 s
        self.wait_file(svc.home / "BLOCKED", r"JOB1-\d{8}-\d{6}\.prn")

    def test_file_prompt_waits_for_a_person_unless_dialogs_are_refused(self):
        # Without the guard Wine asks for a file name and the caller waits.
        process = self.driver.start_doc_process(PROMPT_PRINTER)
        try:
            korvrig.wait_until(lambda: dialogs(self.driver), 30, "Wine's file dialog")
            self.assertIsNone(process.poll(), "StartDocA returned without an answer")
            for box in dialogs(self.driver):
                self.driver.post(box["hwnd"], 0x0010)  # WM_CLOSE: cancel it
            process.wait(timeout=30)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
            process.output.close()
        # With it the same call fails at once and no window is ever made.
        result = self.driver.start_doc(PROMPT_PRINTER)
        self.assertLessEqual(result["started"], 0)
        self.assertGreaterEqual(result["refused"], 1)
        self.assertEqual(dialogs(self.driver), [])


if __name__ == "__main__":
    unittest.main()
