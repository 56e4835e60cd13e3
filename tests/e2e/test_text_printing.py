"""Text jobs through the real program under Wine: what arrives at the printer as PostScript
(Wine's driver, 300 dpi, Courier New mapped to Liberation Mono): pages, the cell grid at 10 and
12 characters per inch, the line advance at 6 and 8 lines per inch, landscape, the cut at the
right edge, box drawing, overlapping lines, and the test page; and text jobs read in code page
852."""
import re
import unittest

import korvrig
from korvrig.postscript import gray_page

TITLE = "Printer (Korvelane)"
CRLF = b"\r\n"
FF = b"\x0c"
CPI_10, CPI_12 = b"\x010", b"\x012"
LPI_6, LPI_8 = b"\x026", b"\x028"

# Wine's PostScript driver: 300 device pixels per inch; printable area at the default A4 paper
# 2329 x 3358 pixels (landscape swaps them), a quarter inch in from the sheet's top left.
DPI = 300
HORZRES, VERTRES = 2329, 3358
MARGIN = 75  # pixels
POINT = 72 / DPI  # points per device pixel
LEFT = MARGIN * POINT  # the first cell's left edge on the sheet, in points

# txtwrite gives positions rounded to whole points; device pixels add a quarter point.
ROUNDING = 0.5 + POINT
# The distance between two such positions.
SPACING = 1 + POINT
# Liberation Mono's ascent: the baseline lies this many ems below the top of a cell.
ASCENT = 1705 / 2048


def pitch(cpi):
    return 72 / cpi


def page_count(job):
    """Pages of a PostScript job: its %%Page comments, one per page the driver started."""
    return len(re.findall(rb"^%%Page: ", job.data, re.M))


def drawn(text):
    """The characters a line shows: spaces leave their cells blank and draw nothing (those
    between characters travel with them in one call, as blank cells)."""
    return text.replace(" ", "")


def inked(chars):
    """The characters of a line that draw something."""
    return [c for c in chars if c.text not in (" ", "\xa0")]


class TextPrinting(korvrig.SharedServiceTest):
    """One service for every job of this class; each test drops its own job."""

    service_name = "text"

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.capture = cls.rig.capture(korvrig.DEFAULT_QUEUE)

    def print_job(self, data, name=None):
        """Drops a text job and returns what reached the printer; the job file must be gone."""
        type(self).jobs += 1
        name = name or f"TEXT{self.jobs:02d}"
        self.service.drop(name, data)
        job = self.capture.wait_job(timeout=30)
        self.service.wait_gone(name, timeout=15)
        self.assertTrue(job.is_postscript, job.data[:40])
        self.assertEqual(job.title, "Korvelane")
        return job

    def assertOnGrid(self, chars, cells, step, left=None):
        """Each character's x lies on cell n of a grid `step` points wide, within rounding;
        returns the grid's left edge (fitted from the characters when not given)."""
        self.assertEqual(len(chars), len(cells), [c.text for c in chars])
        if left is None:
            left = sum(c.x0 - n * step for c, n in zip(chars, cells)) / len(chars)
        for char, n in zip(chars, cells):
            self.assertAlmostEqual(char.x0, left + n * step, delta=ROUNDING,
                                   msg=f"{char.text!r} in cell {n} of a {step:.2f} pt grid")
        return left

    def assertAdvance(self, lines, step):
        """Consecutive lines lie `step` points apart (lines at one pitch, so baselines compare)."""
        for (upper, text, _), (lower, next_text, _) in zip(lines, lines[1:]):
            self.assertAlmostEqual(lower - upper, step, delta=SPACING,
                                   msg=f"{text!r} to {next_text!r}")

    # ----------------------------------------------------------------------------------------

    def test_cells_follow_the_pitch_and_lines_the_line_spacing(self):
        ruler = b"ABCDEFGHIJ" * 6
        job = self.print_job(
            ruler + CRLF + b"x y  z" + CRLF             # 10 per inch, 6 lines per inch
            + CPI_12 + ruler + CRLF + b"KLMNO" + CRLF    # 12 per inch
            + CPI_10 + LPI_8 + b"EIGHT1" + CRLF + b"EIGHT2" + CRLF + b"EIGHT3" + CRLF
            + LPI_6 + b"SIX1" + CRLF + b"SIX2" + CRLF)
        self.assertIn(b"%%Orientation: Portrait", job.data)
        pages = job.pages()
        self.assertEqual(len(pages), 1)
        self.assertEqual(page_count(job), 1)
        lines = pages[0].lines()
        self.assertEqual([drawn(text) for _, text, _ in lines],
                         [ruler.decode(), "xyz", ruler.decode(), "KLMNO", "EIGHT1", "EIGHT2",
                          "EIGHT3", "SIX1", "SIX2"])
        ten, twelve = pitch(10), pitch(12)
        left = self.assertOnGrid(lines[0][2], range(60), ten)
        self.assertAlmostEqual(left, LEFT, delta=ROUNDING)  # the first cell's left edge
        # Spaces keep their cells.
        self.assertOnGrid(inked(lines[1][2]), [0, 2, 5], ten, left)
        self.assertOnGrid(lines[2][2], range(60), twelve, left)
        self.assertOnGrid(lines[3][2], range(5), twelve, left)
        for line in lines[4:]:
            self.assertOnGrid(line[2], range(len(line[1])), ten, left)
        # At 6 lines per inch lines are 12 pt apart, at 8 lines per inch 9 pt; a line
        # advances by the spacing in force at its line feed.
        self.assertAdvance(lines[0:2], 72 / 6)
        self.assertAdvance(lines[2:4], 72 / 6)
        self.assertAdvance(lines[4:7], 72 / 8)
        self.assertAdvance(lines[7:9], 72 / 6)
        # 8 lines per inch is closer than the letters are high: a smaller font in the same
        # cells, its baseline higher in the cell by the difference of the fonts' ascents.
        eight, six = lines[6][2][0].size, lines[7][2][0].size
        self.assertLess(eight, six)
        self.assertAlmostEqual(lines[7][0] - lines[6][0], 72 / 8 + (six - eight) * ASCENT,
                               delta=SPACING)
        # Each pitch has its own font size: 12 per inch is the smaller.
        self.assertLess(lines[2][2][0].size, lines[0][2][0].size)

    def test_text_past_the_right_edge_is_cut_not_wrapped(self):
        long_line = b"0123456789" * 10
        job = self.print_job(long_line + CRLF + b"NEXT" + CRLF)
        lines = job.pages()[0].lines()
        cells = HORZRES // 30  # 30 pixels a cell at 10 per inch: 77 cells fit
        self.assertEqual([text for _, text, _ in lines], [long_line[:cells].decode(), "NEXT"])
        left = self.assertOnGrid(lines[0][2], range(cells), pitch(10))
        # The next line starts at the left edge, one line down: nothing wrapped.
        self.assertOnGrid(lines[1][2], range(4), pitch(10), left)
        self.assertAdvance(lines, 72 / 6)

    def test_form_feeds_start_pages_and_a_final_one_adds_none(self):
        job = self.print_job(b"FIRST PAGE" + CRLF + b"LINE 2" + CRLF + FF + FF
                             + b"SECOND PAGE" + CRLF + FF)
        self.assertEqual(page_count(job), 2)
        self.assertIn(b"%%Pages: 2", job.data)
        pages = job.pages()
        self.assertEqual([drawn(page.text()) for page in pages], ["FIRSTPAGE\nLINE2", "SECONDPAGE"])
        # The new page's text starts at the top left, like the first page's.
        first, second = pages[0].lines()[0], pages[1].lines()[0]
        self.assertAlmostEqual(second[0], first[0], delta=ROUNDING)
        self.assertAlmostEqual(second[2][0].x0, first[2][0].x0, delta=ROUNDING)

    def test_the_orientation_byte_turns_the_page_and_is_not_printed(self):
        wide = b"Y" * 200
        job = self.print_job(b"\x04" + b"LANDSCAPE" + CRLF + wide + CRLF)
        self.assertIn(b"%%Orientation: Landscape", job.data)
        self.assertEqual(page_count(job), 1)
        # Ghostscript reports positions on the portrait sheet, where landscape lines run up the
        # page: a line is a column of characters, its cells stacked along y.
        columns = {}
        for char in job.pages()[0].chars:
            columns.setdefault(round(char.x0), []).append(char)
        self.assertEqual(len(columns), 2, sorted(columns))
        first, second = (sorted(columns[x], key=lambda c: -c.y0) for x in sorted(columns))
        self.assertEqual("".join(c.text for c in first), "LANDSCAPE")
        # The long side holds the line: 111 cells, more than the sheet is wide (595 pt), and
        # the rest is cut.
        cells = VERTRES // 30
        self.assertEqual(len(second), cells)
        extent = second[0].y0 - second[-1].y0
        self.assertAlmostEqual(extent, (cells - 1) * pitch(10), delta=SPACING)
        self.assertGreater(extent, 595)
        # Byte 4 took no cell: both lines start in the first cell.
        self.assertAlmostEqual(first[0].y0, second[0].y0, delta=ROUNDING)
        self.assertAlmostEqual(second[0].x0 - first[0].x0, 72 / 6, delta=SPACING)

        # The next job without the byte is portrait again, its first byte printed.
        job = self.print_job(b"PORTRAIT" + CRLF)
        self.assertIn(b"%%Orientation: Portrait", job.data)
        self.assertEqual(job.pages()[0].text(), "PORTRAIT")

    def test_box_drawing_bytes_draw_joined_lines_and_blocks(self):
        rows = [bytes([218, 196, 196, 194, 196, 191]),
                bytes([179]) + b"AB" + bytes([179]) + b"C" + bytes([179]),
                bytes([195, 196, 196, 197, 196, 180]),
                bytes([192, 196, 196, 193, 196, 217]),
                bytes([219, 223])]
        job = self.print_job(CRLF.join(rows) + CRLF)
        page = job.pages()[0]
        self.assertEqual(page.text(), "ABC")
        # Glyphs take cells like characters: the letters sit in cells 1, 2 and 4.
        self.assertOnGrid(page.lines()[0][2], [1, 2, 4], pitch(10), LEFT)

        # The cell at 10 per inch and 6 lines per inch is 30 x 50 pixels; a line runs through
        # its middle, drawn with a pen of 3 pixels: at 13 across and 23 down.
        def mid_x(col):
            return col * 30 + 13

        def mid_y(row):
            return row * 50 + 23

        segments = stroked_segments(job.data)
        # Rows 0, 2 and 3 are horizontal lines from the first cell's middle to the last's;
        # columns 0, 3 and 5 vertical lines from the first row's middle to the last's.
        for row in (0, 2, 3):
            self.assertCovered(segments, "h", mid_y(row), mid_x(0), mid_x(5))
        for col in (0, 3, 5):
            self.assertCovered(segments, "v", mid_x(col), mid_y(0), mid_y(3))
        self.assertNotIn(mid_y(1), {s[1] for s in segments if s[0] == "h"})  # the text row

        # Rendered, the lines are dark and the cells between them light; the full block is
        # dark, the upper half block dark above and light below.
        image = Raster(job.path, DPI)
        for row in (0, 2, 3):
            for x in range(mid_x(0), mid_x(5) + 1, 10):
                self.assertTrue(image.dark_near(x, mid_y(row)), (x, row))
        for col in (0, 3, 5):
            for y in range(mid_y(0), mid_y(3) + 1, 10):
                self.assertTrue(image.dark_near(x=mid_x(col), y=y), (col, y))
        between = (mid_y(2) + mid_y(3)) // 2
        self.assertFalse(image.dark_near((mid_x(0) + mid_x(3)) // 2, between))  # lower left
        self.assertFalse(image.dark_near((mid_x(3) + mid_x(5)) // 2, between))  # lower right
        self.assertTrue(image.dark_near(15, 4 * 50 + 25))  # full block
        self.assertTrue(image.dark_near(45, 4 * 50 + 10))  # upper half block, top
        self.assertFalse(image.dark_near(45, 4 * 50 + 40))  # and below it

    def test_a_following_line_erases_nothing_of_the_line_above(self):
        # At 8 lines per inch the font's cells (fitted to the pitch) are taller than the line:
        # the next line's characters overlap the bottom of this line's cells.
        line = b"HHHHHHHHHH"
        alone = Raster(self.print_job(LPI_8 + line + CRLF).path, DPI)
        followed_job = self.print_job(LPI_8 + line + CRLF + line + CRLF)
        followed = Raster(followed_job.path, DPI)
        rows = alone.inked_rows()
        advance = DPI // 8
        self.assertLess(rows[-1] - rows[0], advance, "glyphs taller than a line")
        # Above the second line's first ink, only the first line shows: all of it, both times.
        upper = range(0, rows[0] + advance)
        self.assertGreater(alone.ink(upper), 0)
        self.assertEqual(followed.ink(upper), alone.ink(upper))
        # Nothing is painted white: on white paper that only ever erases.
        self.assertNotIn(b"1.00 1.00 1.00 setrgbcolor", followed_job.data)

    def assertCovered(self, segments, direction, at, start, end):
        """The segments of that direction on the line `at` cover start..end without a gap."""
        spans = sorted((min(a, b), max(a, b)) for d, line, a, b in segments
                       if d == direction and line == at)
        reach = start
        for a, b in spans:
            if a <= reach:
                reach = max(reach, b)
        self.assertGreaterEqual(reach, end, f"{direction} line at {at}: {spans}")

    def test_the_test_page_prints_on_two_pages(self):
        test_page = (self.service.home / "VOZAZAD.TST").read_bytes()
        job = self.print_job(test_page, name="VOZAZAD.TST")
        self.assertEqual(page_count(job), 2)
        pages = job.pages()
        self.assertEqual(len(pages), 2)
        self.assertEqual(drawn(pages[0].lines()[0][1]), drawn("Korvelane test page"))
        self.assertEqual([drawn(line) for _, line, _ in pages[1].lines()],
                         [drawn("Korvelane test page, page 2"),
                          drawn("A form feed started this page.")])
        # The four pitches of its ruler lines: 10, 12, 17 and 20 per inch.
        rulers = [chars for _, text, chars in pages[0].lines() if text.endswith("1234567890")]
        self.assertEqual(len(rulers), 4)
        widths = [(chars[-1].x0 - chars[-40].x0) / 39 for chars in rulers]
        self.assertEqual(widths, sorted(widths, reverse=True))
        self.assertAlmostEqual(widths[0], pitch(10), delta=0.05)
        self.assertAlmostEqual(widths[1], pitch(12), delta=0.05)


def stroked_segments(postscript):
    """The straight lines the job strokes, in device pixels: ("h", y, x0, x1) or
    ("v", x, y0, y1). Wine writes each as "x y moveto x y lineto stroke"."""
    segments = []
    for m in re.finditer(rb"(-?\d+) (-?\d+) moveto\s+(-?\d+) (-?\d+) lineto\s+stroke",
                         postscript):
        x0, y0, x1, y1 = (int(v) for v in m.groups())
        if y0 == y1:
            segments.append(("h", y0, x0, x1))
        elif x0 == x1:
            segments.append(("v", x0, y0, y1))
    return segments


class CodePageTextPrinting(korvrig.SharedServiceTest):
    """Text jobs read in code page 852 (`CodePage=852`): letters through the wide calls, the
    table's box pieces drawn, 437's joins that are letters in 852 printed as those letters."""

    service_name = "codepage"
    ini = korvrig.FOLLOW_DEFAULT + "CodePage=852\r\n"

    def test_letters_are_852s_and_only_its_pieces_are_drawn(self):
        capture = self.rig.capture(korvrig.DEFAULT_QUEUE)
        names = "Anton\u00edn Dvo\u0159\u00e1k, \u017dofie \u0160\u0165astn\u00e1, \u0141ukasz"
        rows = [bytes([0xC9, 0xCD, 0xCD, 0xCB, 0xCD, 0xBB]),
                bytes([0xBA]) + b"AB" + bytes([0xBA]) + b"C" + bytes([0xBA]),
                bytes([0xC8, 0xCD, 0xCD, 0xCA, 0xCD, 0xBC]),
                bytes([0xD5, 0xB5, 0xDB])]  # 437's joins, letters in 852; a full block
        self.service.drop("CP852", names.encode("cp852") + CRLF + CRLF.join(rows) + CRLF)
        job = capture.wait_job(timeout=30)
        self.service.wait_gone("CP852", timeout=15)
        lines = [text for _, text, _ in job.pages()[0].lines()]
        self.assertEqual([drawn(t) for t in lines],
                         [drawn(names), "ABC", "\u0147\u00c1"])

        # Cells of 30 x 50 pixels, lines of 3: a double line lies 3 pixels either side of the
        # cell's middle (13 across, 23 down), the gap between its two lines light.
        image = Raster(job.path, DPI)
        top = 50  # the frame's first row, below the names
        for x in [*range(30, 90, 5), *range(120, 150, 5)]:  # the plain double lines' cells
            self.assertTrue(image.dark_near(x, top + 21, 0), x)
            self.assertTrue(image.dark_near(x, top + 27, 0), x)
        self.assertFalse(image.dark_near(45, top + 24, 0))
        for y in range(top + 30, top + 2 * 50 + 20, 5):
            for col in (0, 3, 5):
                self.assertTrue(image.dark_near(col * 30 + 11, y, 0), (col, y))
                self.assertTrue(image.dark_near(col * 30 + 17, y, 0), (col, y))
                self.assertFalse(image.dark_near(col * 30 + 14, y, 0), (col, y))
        self.assertTrue(image.dark_near(2 * 30 + 15, 4 * 50 + 25, 0))  # the full block


class Raster:
    """The first page rendered in grey at the device's resolution, so that a device pixel
    (x, y) of the printable area is image pixel (x + margin, y + margin)."""

    def __init__(self, path, dpi):
        self.width, self.height, self.pixels = gray_page(path, dpi)

    def inked_rows(self):
        """Image rows holding a dark pixel, top to bottom."""
        return [y for y in range(self.height)
                if min(self.pixels[y * self.width:(y + 1) * self.width]) < 128]

    def ink(self, rows):
        """Dark pixels in those image rows."""
        return sum(sum(1 for v in self.pixels[y * self.width:(y + 1) * self.width] if v < 128)
                   for y in rows)

    def dark_near(self, x, y, reach=2):
        """Some pixel within `reach` of device pixel (x, y) is dark."""
        for dy in range(-reach, reach + 1):
            for dx in range(-reach, reach + 1):
                px, py = x + MARGIN + dx, y + MARGIN + dy
                if self.pixels[py * self.width + px] < 128:
                    return True
        return False


if __name__ == "__main__":
    unittest.main()
