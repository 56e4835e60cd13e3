"""The rig itself: capture queues, Wine's view of them, the driver, starting and killing the
program under Wine, and the PostScript helpers."""
import subprocess
import tempfile
import unittest
from pathlib import Path

import korvrig
from korvrig import DEFAULT_QUEUE, QUEUES


class CaptureQueues(unittest.TestCase):
    def test_each_queue_stores_the_bytes_of_a_job_unchanged(self):
        rig = korvrig.Rig.get()
        data = bytes(range(256)) + b"\r\n\x0c" + b"raw job bytes\r\n" * 100
        with tempfile.NamedTemporaryFile(suffix=".bin") as job_file:
            job_file.write(data)
            job_file.flush()
            for queue in QUEUES:
                with self.subTest(queue=queue):
                    capture = rig.capture(queue)
                    rig.lp(queue, job_file.name, title=f"rig {queue}")
                    job = capture.wait_job(timeout=30)
                    self.assertEqual(job.data, data)
                    self.assertEqual(job.title, f"rig {queue}")
                    self.assertEqual(job.meta["queue"], queue)
                    self.assertEqual(job.meta["user"], rig.cups_user)

    def test_cups_default_is_the_first_capture_queue(self):
        out = subprocess.run(["lpstat", "-d"], check=True, capture_output=True, text=True).stdout
        self.assertIn(DEFAULT_QUEUE, out)


class WineView(unittest.TestCase):
    def test_wine_lists_every_capture_queue_and_the_default(self):
        code, records = korvrig.Rig.get().driver.run("printers")
        self.assertEqual(code, 0)
        for level in (2, 5):
            names = [r["name"] for r in records if r.get("level") == level]
            # The machine may have printers of its own beside the rig's.
            missing = set(QUEUES + (korvrig.REJECT_QUEUE,)) - set(names)
            self.assertFalse(missing, f"level {level}: {sorted(missing)} not listed")
            self.assertEqual(len(names), len(set(names)), f"level {level}: a queue listed twice")
        ports = {r["name"]: r["port"] for r in records if r.get("level") == 2}
        self.assertEqual(ports["KorvShort"], "CUPS:KorvShort")
        default = next(r for r in records if "device" in r)
        self.assertEqual(default["default"], DEFAULT_QUEUE)
        self.assertEqual(default["device"], f"{DEFAULT_QUEUE},wineps.drv,CUPS:{DEFAULT_QUEUE}")


    def test_a_raw_document_from_wine_arrives_unchanged_in_this_runs_capture(self):
        rig = korvrig.Rig.get()
        data = bytes(range(256)) * 4 + b"\x1b@raw\r\n\x0c"
        path = rig.run_dir / "raw-from-wine.bin"
        path.write_bytes(data)
        capture = rig.capture("KorvCapture2")
        self.assertEqual(rig.driver.raw_print("KorvCapture2", path, "Korvelane")["written"],
                         len(data))
        job = capture.wait_job(timeout=30)
        self.assertEqual(job.data, data)
        self.assertEqual(job.title, "Korvelane")
        self.assertEqual(job.meta["user"], rig.cups_user)


class Driver(unittest.TestCase):
    """The driver's commands on its own stand-in window, before anyone relies on them."""

    def test_controls_click_message_box_and_status_bar(self):
        driver = korvrig.Rig.get().driver
        with driver.host("Rig VOZAZAD host", seconds=120, controls=True) as host:
            window = driver.wait_window("Rig VOZAZAD host", timeout=10)
            self.assertEqual(window["hwnd"], host.hwnd)
            self.assertTrue(window["visible"])
            self.assertEqual(driver.status_text(window), "Ready")
            tick = driver.control(window, text="&Tick")
            self.assertIs(tick["checked"], False)
            self.assertEqual(driver.control(window, cls="Static")["text"], "Label text")
            self.assertEqual(driver.control(window, text="&Ask")["rect"], [10, 10, 90, 35])
            self.assertEqual(driver.rect(window)["client"][:2], [0, 0])

            driver.click(window, "&Tick")
            korvrig.wait_until(lambda: driver.control(window, text="&Tick")["checked"], 5,
                               "the check box to be ticked")

            driver.click(window, "&Ask")
            box = driver.msgbox(timeout=10)
            self.assertIsNotNone(box, "no message box after clicking &Ask")
            self.assertEqual(box["caption"], "Confirm")
            self.assertEqual(box["text"], "Proceed?\rSecond line")
            self.assertEqual(box["buttons"], ["OK", "Cancel"])
            driver.press(box, "Cancel")
            korvrig.wait_until(lambda: driver.status_text(window) == "Answer: Cancel", 5,
                               "the status bar to show the answer")
            self.assertIsNone(driver.msgbox(timeout=0))
            self.assertIn({"event": "answer", "button": "Cancel"}, host.events())

            driver.post(window, 0x0010)  # WM_CLOSE
            korvrig.wait_until(lambda: host.process.poll() is not None, 10,
                               "the host window's process to end")
            self.assertIsNone(driver.find("Rig VOZAZAD host"))

    def test_host_window_reports_its_title_and_foreground_state(self):
        driver = korvrig.Rig.get().driver
        with driver.host("Korv3 stand-in", seconds=60) as host:
            state = driver.state(host.hwnd)
            self.assertEqual(state["title"], "Korv3 stand-in")
            self.assertTrue(state["visible"])
            self.assertTrue(state["foreground"])
            driver.set_title(host.hwnd, "Korvelane")
            self.assertEqual(driver.state(host.hwnd)["title"], "Korvelane")
            self.assertIn({"event": "title", "title": "Korvelane"}, host.events())


class Program(korvrig.ServiceTest):
    def test_program_starts_in_a_fresh_home_shows_its_window_and_can_be_killed(self):
        rig = korvrig.Rig.get()
        service = rig.start_service(ini="[Vozazad]\r\nUseDefault=Y\r\n")
        self.assertTrue((service.home / "korvprint.exe").exists())
        self.assertEqual((service.home / "VOZAZAD.TST").read_bytes()[:19], b"Korvelane test page")
        window = service.wait_window("Printer (Korvelane)", timeout=30)
        self.assertEqual(window["class"], "TMainForm")
        self.assertTrue(service.running)
        service.kill()
        self.assertFalse(service.running)
        korvrig.wait_until(lambda: rig.driver.find("Printer (Korvelane)") is None, 10,
                           "the window to go")

    def test_stop_ends_the_program_by_disable_or_else_by_kill(self):
        rig = korvrig.Rig.get()
        service = rig.start_service(ini=None, test_page=False)
        service.wait_window("Printer (Korvelane)", timeout=30)
        how = service.stop(timeout=3)
        self.assertIn(how, ("disable", "kill"))
        self.assertFalse(service.running)
        korvrig.wait_until(lambda: rig.driver.find("Printer (Korvelane)") is None, 10,
                           "the window to go")


class TestPageFile(unittest.TestCase):
    def test_committed_test_page_is_what_its_generator_writes(self):
        assets = korvrig.SOURCE_DIR / "assets"
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run(["python3", str(assets / "make-test-page.py"), f"{tmp}/T"], check=True)
            self.assertEqual((assets / "VOZAZAD.TST").read_bytes(), Path(f"{tmp}/T").read_bytes())

    def test_test_page_shows_every_code_and_box_byte(self):
        page = (korvrig.SOURCE_DIR / "assets" / "VOZAZAD.TST").read_bytes()
        for code in (b"\x010", b"\x012", b"\x017", b"\x01:", b"\x026", b"\x028", b"\x035",
                     b"\x030", b"\x0c"):
            self.assertIn(code, page)
        for byte in (179, 180, *range(191, 198), 217, 218, 219, 223):
            self.assertIn(bytes([byte]), page)
        self.assertNotEqual(page[0], 4)  # portrait
        self.assertNotIn(b"\n", page.replace(b"\r\n", b""))  # every line ends CR LF


class PostScriptHelpers(unittest.TestCase):
    PS = b"""%!PS
/Courier findfont 12 scalefont setfont
72 720 moveto (AB C) show
72 708 moveto (second) show
showpage
/Courier findfont 10 scalefont setfont
100 700 moveto (Page 2) show
showpage
"""

    def test_characters_lines_and_pages(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = Path(tmp) / "job.ps"
            path.write_bytes(self.PS)
            pages = korvrig.postscript_pages(path)
            self.assertEqual(len(pages), 2)
            lines = pages[0].lines()
            self.assertEqual([text for _, text, _ in lines], ["AB C", "second"])
            first = lines[0][2][0]
            self.assertEqual(first.text, "A")
            self.assertAlmostEqual(first.x0, 72, delta=1)
            # Measured down from the top of the page (A4 or letter, as Ghostscript defaults).
            self.assertTrue(any(abs(first.y1 - (h - 720)) <= 2 for h in (792, 842)), first)
            self.assertAlmostEqual(lines[1][0] - lines[0][0], 12, delta=1)
            self.assertEqual(pages[1].text(), "Page 2")
            self.assertAlmostEqual(pages[1].chars[0].size, 10, delta=0.5)
            images = korvrig.render_png(path, Path(tmp) / "png")
            self.assertEqual(len(images), 2)
            self.assertEqual(images[0].read_bytes()[:8], b"\x89PNG\r\n\x1a\n")


if __name__ == "__main__":
    unittest.main()
