"""Raw jobs drawn through the printer driver (RawJobs=ESCP) under Wine: the committed ESC/P
sample read back from the PostScript with Ghostscript (its 852 names, its table's columns on the
cell grid, bold and double-width runs, two pages, the logo band in the rendered page); positions
measured from the sheet's edge; RawJobs=Pass still byte-exact and the [RawJobs] section over the
key; and a raw job on a PDF writer drawn into its file.

Under Wine the "PDF writer" is a printer of that name on a file port with Wine's PostScript
driver: what the program does for the writer (draw the raw job, name the file .pdf) is what is
checked; the file holds PostScript, which Ghostscript renders as it would a PDF."""
import unittest

import korvrig
from korvrig.postscript import gray_page, postscript_pages, render_png

SAMPLE = korvrig.SOURCE_DIR / "assets" / "escp-sample.prn"
PDF_WRITER = "Microsoft Print to PDF"
DPI = 300
MARGIN = 75  # Wine's PostScript driver: a quarter inch all round at 300 dpi
NAMES = ["Anton\u00edn Dvo\u0159\u00e1k", "\u017dofie \u0160\u0165astn\u00e1",
         "\u0141ukasz Wr\u00f3bel", "Zolt\u00e1n K\u0151v\u00e1ri",
         "\u013dubom\u00edr \u0164a\u017ek\u00fd"]
ALL_BYTES = bytes(range(256)) * 3


def clean(text):
    """txtwrite names the hyphen glyph U+00AD."""
    return text.replace("\xad", "-")


def line_with(page, needle):
    for _, text, chars in page.lines():
        if needle in clean(text):
            return clean(text), chars
    raise AssertionError(f"no line with {needle!r} in\n{page.text()}")


class EscpRawJobs(korvrig.SharedServiceTest):
    """One service in raw mode; each test writes the keys it needs (read for every job). The
    sample is printed once, fitted to the printable area, and read by several tests."""

    service_name = "escp"
    ini = korvrig.FOLLOW_DEFAULT + "RawJobs=ESCP\r\nEscpFit=Y\r\n"

    @classmethod
    def setUpClass(cls):
        cls.rig = korvrig.Rig.get()
        cls.pdf_port = cls.rig.run_dir / "pdf-writer-port.prn"
        try:
            cls.rig.driver.delete_printer(PDF_WRITER)  # left by an earlier run in this prefix
        except korvrig.DriverError:
            pass
        cls.rig.driver.add_printer(PDF_WRITER, korvrig.windows_path(cls.pdf_port))
        super().setUpClass()
        cls.capture = cls.rig.capture(korvrig.DEFAULT_QUEUE)
        cls.service.drop("RAWPRINT", b"x")
        cls.service.wait_gone("RAWPRINT", timeout=15)
        cls.sample = cls.print_raw("SAMPLE", SAMPLE.read_bytes())
        cls.pages = cls.sample.pages(720)  # tenths of a point

    @classmethod
    def tearDownClass(cls):
        try:
            super().tearDownClass()
        finally:
            cls.rig.driver.delete_printer(PDF_WRITER)

    @classmethod
    def print_raw(cls, name, data, ini=None):
        if ini is not None:
            (cls.service.home / "VOZAZAD.INI").write_bytes(ini.encode("latin-1"))
        cls.capture.new_jobs()
        cls.service.drop(name, data)
        cls.service.wait_gone(name, timeout=60)
        return cls.capture.wait_job(timeout=60)

    def cell(self):
        """The fitted pica cell in points, from the address line's letters."""
        _, chars = line_with(self.pages[0], "Hlavn")
        return (chars[10].x0 - chars[0].x0) / 10

    def test_sample_prints_its_text_in_852_on_the_cell_grid(self):
        self.assertEqual(len(self.pages), 2)
        first = [clean(text).strip() for _, text, _ in self.pages[0].lines()]
        for name in NAMES:
            self.assertIn(name, first)
        self.assertIn("Invoice 2026-0815", line_with(self.pages[0], "Hlavn")[0])
        second = [clean(text).strip() for _, text, _ in self.pages[1].lines()]
        self.assertEqual(second, ["Terms", "Payment within 14 days. Goods remain ours until paid "
                                  "in full.", "Page 2 of 2"])

        # Every character of the item table in a cell of the grid, columns aligned.
        cell = self.cell()
        self.assertAlmostEqual(cell, 7.2 * 8 / 8.5, delta=0.1)  # the sheet fitted across
        _, address = line_with(self.pages[0], "Hlavn")
        left = address[0].x0
        amounts = []
        for item in ["Printer ribbon", "Continuous paper", "Labels", "Service visit"]:
            _, chars = line_with(self.pages[0], item)
            for ch in chars:
                column = (ch.x0 - left) / cell
                self.assertAlmostEqual(column, round(column), delta=0.15, msg=(item, ch.text))
            amounts.append(round((chars[-1].x0 - left) / cell))
        self.assertEqual(len(set(amounts)), 1, amounts)

    def test_bold_and_double_width_runs_where_the_job_put_them(self):
        cell = self.cell()
        _, head = line_with(self.pages[0], "KORVELANE TRADING")
        self.assertTrue(all(c.font.endswith("-Bold") for c in head if c.text.strip()))
        self.assertAlmostEqual(head[1].x0 - head[0].x0, 2 * cell, delta=0.3)
        _, terms = line_with(self.pages[1], "Terms")
        self.assertAlmostEqual(terms[1].x0 - terms[0].x0, 2 * cell, delta=0.3)
        self.assertFalse(any(c.font.endswith("-Bold") for c in terms))

        _, total = line_with(self.pages[0], "TOTAL EUR")
        bold = "".join(c.text for c in total if c.font.endswith("-Bold")).replace("\xa0", " ")
        self.assertEqual(bold.split(), ["TOTAL", "EUR", "256.90"])
        _, item = line_with(self.pages[0], "Unit price")
        self.assertFalse(any(c.font.endswith("-Bold") for c in item))
        # Condensed columns: 17 characters an inch, the same height.
        _, condensed = line_with(self.pages[0], "Condensed columns")
        self.assertAlmostEqual(condensed[1].x0 - condensed[0].x0, cell * 10 / 17.14, delta=0.2)

    def test_the_logo_band_is_in_the_rendered_page(self):
        width, _, pixels = gray_page(self.sample.path, DPI)
        scale = self.cell() / 7.2

        def dark(dot_x, dot_y):  # a dot of the 180 dpi band, fitted, on the sheet
            x = MARGIN + round((dot_x + 0.5) * DPI / 180 * scale)
            y = MARGIN + round((dot_y + 0.5) * DPI / 180 * scale)
            return pixels[y * width + x] < 128

        self.assertTrue(dark(11.5, 1) and dark(11.5, 22) and dark(1, 11.5) and dark(22, 11.5))
        self.assertFalse(dark(11.5, 11.5))  # the ring's hole
        self.assertTrue(dark(32, 1) and dark(32, 9) and dark(32, 17))  # three bars
        self.assertFalse(dark(32, 5))
        self.assertFalse(dark(90, 20))  # the shortest bar ends before

    def test_positions_are_measured_from_the_sheets_edge(self):
        ini = korvrig.FOLLOW_DEFAULT + "RawJobs=ESCP\r\n"
        # One inch across and two down, then one more inch along the line.
        job = self.print_raw("PLACED", b"\x1b$\x3c\x00\x1b(V\x02\x00\xd0\x02A\x1b$\x78\x00B", ini)
        chars = job.pages(720)[0].chars
        self.assertEqual([c.text for c in chars], ["A", "B"])
        self.assertAlmostEqual(chars[0].x0, 72, delta=1)
        self.assertAlmostEqual(chars[1].x0, 144, delta=1)
        # The sample unfitted starts in the margin: the log says so.
        self.print_raw("UNFITTED", SAMPLE.read_bytes())
        log = (self.service.home / "korvprint.log").read_bytes().decode("latin-1")
        self.assertIn("ESC/P content fell outside the printable area of KorvCapture1", log)

    def test_pass_stays_byte_exact_and_the_section_names_printers(self):
        job = self.print_raw("PASSED", ALL_BYTES, korvrig.FOLLOW_DEFAULT + "RawJobs=Pass\r\n")
        self.assertEqual(job.data, ALL_BYTES)
        ini = (korvrig.FOLLOW_DEFAULT + "RawJobs=Pass\r\n[RawJobs]\r\n"
               f"{korvrig.DEFAULT_QUEUE}=ESCP\r\n")
        job = self.print_raw("DRAWN", b"\x1bE" + "Dvo\u0159\u00e1k".encode("cp437", "replace"),
                             ini)
        self.assertTrue(job.is_postscript)
        self.assertEqual(clean(job.pages()[0].text()).strip(), "Dvo?\u00e1k")

    def test_a_raw_job_on_the_pdf_writer_is_drawn_into_its_file(self):
        folder = self.service.home / "PDF"
        ini = (f"[Vozazad]\r\nUseDefault=N\r\nPrinter={PDF_WRITER}\r\nOutputFolder=PDF\r\n"
               "RawJobs=Pass\r\n")
        (self.service.home / "VOZAZAD.INI").write_bytes(ini.encode("latin-1"))
        self.service.drop("TOPDF", SAMPLE.read_bytes())
        self.service.wait_gone("TOPDF", timeout=60)
        files = []
        korvrig.wait_until(lambda: files.extend(folder.glob("TOPDF-*.pdf")) or files, 30,
                           "the writer's file")
        korvrig.wait_until(lambda: files[0].stat().st_size > 0, 30, "the file written")
        self.assertEqual(len(render_png(files[0], self.rig.run_dir / "escp-pdf", 50)), 2)
        pages = postscript_pages(files[0])
        self.assertIn("Terms", pages[1].text())


if __name__ == "__main__":
    unittest.main()
