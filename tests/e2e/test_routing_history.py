"""Where jobs go and how they come back, with the real program under Wine: text jobs on the
chosen printer, raw jobs on `RawPrinter`, a routed name on its route's printer; every printed
job listed in "Recent jobs" (read through the window's list-view), sorted by a header click,
"Print Again" (and Enter) and "Print To..." printing it once more, "View" opening it in the
editor, the Delete key taking it away, Esc closing the window, all while a long job prints
too; and `History=0` keeping nothing.

One service for the routing and history cases, which run in the order of their names and build
on each other's jobs; another for the history turned off."""
import korvrig

TEXT_QUEUE, RAW_QUEUE, ROUTE_QUEUE = "KorvCapture1", "KorvCapture2", "KorvShort"
TRAY_CALLBACK = 0x06FF
WM_CLOSE, WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_RBUTTONDOWN = 0x0010, 0x0100, 0x0101, 0x0102, 0x0204
VK_RETURN, VK_ESCAPE, VK_DELETE = 0x0D, 0x1B, 0x2E
COLUMNS = ["Time", "Job", "Kind", "Pages", "Printer"]

TEXT_JOB = b"Invoice 1042, printed once and again\r\n"
CYRILLIC = "\u0421\u0427\u0401\u04221"  # a job file named in Cyrillic: shown through wide calls
CYRILLIC_JOB = b"Invoice 1043 in another script\r\n"
RAW_JOB = bytes(range(256)) + b"\x1b@receipt\x0c"
LABEL_JOB = b"^XA^FO50,50^FDLabel 7^FS^XZ" + bytes(range(128, 256))


def text_of(job):
    """A text job's printed characters without blanks (Wine draws spaces as no-break ones)."""
    return "".join(page.text() for page in job.pages()).replace("\xa0", "").replace(" ", "")


def history_files(service):
    """The jobs' files in HISTORY (its index aside)."""
    folder = service.home / "HISTORY"
    return sorted(p.name for p in folder.rglob("*")
                  if p.is_file() and not p.name.startswith("HISTORY.IDX")) if folder.exists() else []


class RoutedJobsAndTheirHistory(korvrig.SharedServiceTest):
    ini = ("[Vozazad]\r\nUseDefault=Y\r\nRawPrinter=KorvCapture2\r\n"
           "[Routes]\r\nLABEL*=KorvShort\r\n")

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.driver = cls.rig.driver
        cls.captures = {q: cls.rig.capture(q) for q in (TEXT_QUEUE, RAW_QUEUE, ROUTE_QUEUE)}
        cls.first = {}  # the first print of each job, by name

    def setUp(self):
        for capture in self.captures.values():
            capture.new_jobs()  # forget what earlier cases left

    def print_job(self, name, data, queue):
        self.service.drop(name, data)
        job = self.captures[queue].wait_job(timeout=30)
        self.service.wait_gone(name)
        return job

    def switch(self, control):
        self.service.drop(control, b"x")
        self.service.wait_gone(control)

    def open_recent_jobs(self):
        """"Recent &Jobs..." from the icon's menu, chosen by its mnemonic."""
        found = self.driver.find("Recent jobs")
        if found and found["visible"]:
            return found
        icon = next(w for w in self.driver.windows()
                    if w["class"] == "KorvTrayIconWindow" and w["pid"] == self.window["pid"])
        self.driver.post(icon, TRAY_CALLBACK, 0, WM_RBUTTONDOWN)
        menu = korvrig.wait_until(
            lambda: next((w for w in self.driver.windows() if w["class"] == "#32768"
                          and w["visible"] and w["pid"] == self.window["pid"]), None),
            10, "the icon's menu")
        self.driver.post(menu, WM_CHAR, ord("j"), 0)
        return korvrig.wait_until(
            lambda: (lambda w: w if w and w["visible"] else None)(self.driver.find("Recent jobs")),
            10, "the Recent jobs window")

    def press_key(self, window, key):
        """A key pressed in the window's list, as the keyboard would send it."""
        lv = self.driver.list_view(window)["hwnd"]
        self.driver.post(lv, WM_KEYDOWN, key, 1)
        self.driver.post(lv, WM_KEYUP, key, 0xC0000001)

    def rows(self):
        return [r["texts"] for r in self.driver.list_view(self.open_recent_jobs())["rows"]]

    def row_of(self, name):
        return next(i for i, r in enumerate(self.rows()) if r[1] == name)

    def wait_rows(self, predicate, what):
        return korvrig.wait_until(lambda: (lambda r: r if predicate(r) else None)(self.rows()),
                                  10, what, interval=0.5)

    def test_1_text_raw_and_routed_jobs_reach_three_printers(self):
        cyrillic = self.print_job(CYRILLIC, CYRILLIC_JOB, TEXT_QUEUE)
        text = self.print_job("INVOICE1", TEXT_JOB, TEXT_QUEUE)
        self.assertTrue(text.is_postscript)
        self.assertIn("Invoice1042", text_of(text))
        self.switch("RAWPRINT")
        raw = self.print_job("RECEIPT1", RAW_JOB, RAW_QUEUE)
        self.assertEqual(raw.data, RAW_JOB)
        label = self.print_job("LABEL001", LABEL_JOB, ROUTE_QUEUE)  # routed in either mode
        self.assertEqual(label.data, LABEL_JOB)
        self.switch("WINPRINT")
        for capture in self.captures.values():
            capture.assert_quiet(1)
        type(self).first = {"INVOICE1": text, "RECEIPT1": raw, "LABEL001": label,
                            CYRILLIC: cyrillic}
        self.assertEqual(len(history_files(self.service)), 4, history_files(self.service))

    def test_2_recent_jobs_lists_them_newest_first_and_sorts_by_column(self):
        window = self.open_recent_jobs()
        view = self.driver.list_view(window)
        self.assertEqual(view["columns"], COLUMNS)
        rows = [r["texts"] for r in view["rows"]]
        self.assertEqual([r[1:] for r in rows],
                         [["LABEL001", "raw", "", ROUTE_QUEUE],
                          ["RECEIPT1", "raw", "", RAW_QUEUE],
                          ["INVOICE1", "text", "1", TEXT_QUEUE],
                          [CYRILLIC, "text", "1", TEXT_QUEUE]])
        self.assertRegex(rows[0][0], r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")
        print("\nrecent jobs:", self.rig.screenshot("recent-jobs"))
        buttons = {c["text"]: c["enabled"] for c in self.driver.controls(window)
                   if c["class"].lower() == "button"}
        self.assertEqual(buttons, {"Print &Again": False, "Print &To...": False, "&View": False,
                                   "&Delete": False, "&Close": True})  # nothing selected yet

        self.driver.click_column(window, 1)  # Job: ascending
        self.wait_rows(lambda r: [x[1] for x in r] == ["INVOICE1", "LABEL001", "RECEIPT1", CYRILLIC],
                       "the rows sorted by job")
        self.driver.click_column(window, 0)  # Time: newest first again
        self.wait_rows(lambda r: [x[1] for x in r] == ["LABEL001", "RECEIPT1", "INVOICE1", CYRILLIC],
                       "the rows newest first")

    def test_3_print_again_prints_the_same_job_on_its_printer(self):
        window = self.open_recent_jobs()
        self.driver.select_rows(window, [self.row_of("RECEIPT1")])
        self.driver.click(window, "Print &Again")
        again = self.captures[RAW_QUEUE].wait_job(timeout=30)
        self.assertEqual(again.data, self.first["RECEIPT1"].data)  # byte for byte

        self.driver.select_rows(window, [self.row_of("INVOICE1"), self.row_of(CYRILLIC)])
        self.press_key(window, VK_RETURN)  # Enter: "Print Again", the default button
        for name in ("INVOICE1", CYRILLIC):  # in the rows' order
            again = self.captures[TEXT_QUEUE].wait_job(timeout=30)
            self.assertEqual(text_of(again), text_of(self.first[name]))
        for capture in self.captures.values():
            capture.assert_quiet(1)

    def test_3b_view_opens_text_as_text_and_raw_as_a_hex_dump(self):
        window = self.open_recent_jobs()
        temp = self.rig.run_dir / "prefix" / "drive_c" / "users"
        for name, shown in (("INVOICE1", TEXT_JOB), ("RECEIPT1", b"00000000  00 01 02 03")):
            self.driver.select_rows(window, [self.row_of(name)])
            self.driver.click(window, "&View")
            title = f"korvprint-{name}.txt - Notepad"
            editor = self.driver.wait_window(title, timeout=20)
            copy = next(temp.rglob(f"korvprint-{name}.txt"))
            self.assertTrue(copy.read_bytes().startswith(shown), copy.read_bytes()[:80])
            self.driver.post(editor, WM_CLOSE)
            korvrig.wait_until(lambda: self.driver.find(title) is None, 10, "the editor to close")

    def test_4_print_to_sends_it_to_the_printer_picked(self):
        window = self.open_recent_jobs()
        self.driver.select_rows(window, [self.row_of("LABEL001")])
        self.driver.click(window, "Print &To...")
        picker = self.driver.wait_window("Select printer", timeout=10)
        self.driver.type(self.driver.control(picker, cls="ListBox")["hwnd"], "KORVCAPTURE2")
        self.driver.click(picker, "&OK")
        again = self.captures[RAW_QUEUE].wait_job(timeout=30)
        self.assertEqual(again.data, LABEL_JOB)
        self.captures[ROUTE_QUEUE].assert_quiet(1)

    def test_5_the_delete_key_asks_then_removes_the_entry_and_its_file(self):
        window = self.open_recent_jobs()
        before = history_files(self.service)
        count = len(self.rows())
        self.driver.select_rows(window, [self.row_of("INVOICE1")])
        self.press_key(window, VK_DELETE)
        box = self.driver.msgbox(timeout=10, pid=self.window["pid"])
        self.assertEqual((box["caption"], box["text"]),
                         ("Confirm", "Delete the job INVOICE1 from the history?"))
        self.driver.press(box, "OK")
        self.wait_rows(lambda r: len(r) == count - 1 and "INVOICE1" not in [x[1] for x in r],
                       "the entry to go")
        self.assertEqual(len(history_files(self.service)), len(before) - 1)
        self.press_key(window, VK_ESCAPE)  # "Close"
        korvrig.wait_until(lambda: not self.driver.find("Recent jobs")["visible"], 10,
                           "the window to close")


    def test_6_the_window_works_while_a_long_job_prints(self):
        line = b"A LONG TEXT JOB THAT TAKES MINUTES TO PRINT UNDER WINE 0123456789\r\n"
        self.service.drop("LONGJOB", line * 40000)  # about 3 MB; the stop ends it
        korvrig.wait_until(lambda: self.driver.status_text(self.window) == "Status - printing",
                           15, "the long job to print")
        window = self.open_recent_jobs()
        self.driver.click_column(window, 1)
        self.wait_rows(lambda r: [x[1] for x in r] == ["LABEL001", "RECEIPT1", CYRILLIC],
                       "sorted rows")
        self.assertEqual(self.driver.status_text(self.window), "Status - printing")


class HistoryTurnedOff(korvrig.SharedServiceTest):
    ini = "[Vozazad]\r\nUseDefault=Y\r\nHistory=0\r\n"

    def test_printed_jobs_leave_no_history_files(self):
        capture = self.rig.capture(TEXT_QUEUE)
        self.service.drop("PLAIN1", TEXT_JOB)
        capture.wait_job(timeout=30)
        self.service.wait_gone("PLAIN1")
        self.service.drop("RAWPRINT", b"x")
        self.service.wait_gone("RAWPRINT")
        self.service.drop("PLAIN2", RAW_JOB)
        self.assertEqual(capture.wait_job(timeout=30).data, RAW_JOB)
        self.service.wait_gone("PLAIN2")
        folder = self.service.home / "HISTORY"
        self.assertEqual(sorted(folder.iterdir()) if folder.exists() else [], [])


if __name__ == "__main__":
    import unittest
    unittest.main()
