"""Where text lands on the page, compared with positions recorded from an earlier build (the
committed test page, dense pages at 10, 12, 17 and 20 characters per inch and in landscape,
lines mixing bold and normal), and lines at 8 and 12 lines per inch that do not overlap.

Positions are Ghostscript's txtwrite origins in tenths of a point (txtwrite at 720 per inch),
kept in data/text_positions/<job>.json. Record them anew (only when a layout change is meant):
    python3 test_text_positions.py --record [EXE]
"""
import json
import sys
import unittest
from pathlib import Path

import korvrig
from korvrig import textjobs
from test_text_printing import DPI, Raster

DATA = Path(__file__).resolve().parent / "data" / "text_positions"
RESOLUTION = 720  # txtwrite units per inch: tenths of a point
INI = "[Vozazad]\r\nUseDefault=Y\r\n"
BLANKS = (" ", "\xa0")  # spaces draw nothing, wherever the driver reports them


def jobs():
    """The jobs whose positions are recorded, by name."""
    out = {"test-page": (korvrig.SOURCE_DIR / "assets" / "VOZAZAD.TST").read_bytes()}
    for cpi in (10, 12, 17, 20):
        out[f"dense-{cpi}cpi"] = textjobs.dense_page(cpi)
    out["dense-landscape"] = textjobs.dense_page(10, landscape=True)
    out["mixed-weights"] = textjobs.mixed_weights()
    return out


def _runs(values):
    """[[value, count], ...] of consecutive equal values."""
    out = []
    for value in values:
        if out and out[-1][0] == value:
            out[-1][1] += 1
        else:
            out.append([value, 1])
    return out


def _unruns(runs):
    return [value for value, count in runs for _ in range(count)]


def positions(job):
    """A job's drawn characters, page by page, in reading order (top to bottom, left to
    right on the sheet): lists of (text, x, y, font, size), x and y in tenths of a point."""
    pages = []
    for page in job.pages(RESOLUTION):
        chars = [(c.text, round(c.x0 * 10), round(c.y1 * 10), c.font, c.size)
                 for c in page.chars if c.text not in BLANKS]
        pages.append(sorted(chars, key=lambda c: (c[2], c[1])))
    return pages


def encode(pages):
    """Compact form: each page's text, and its moves (deltas from the previous character),
    fonts and sizes as runs."""
    out = []
    for chars in pages:
        moves, last = [], (0, 0)
        for _, x, y, _, _ in chars:
            moves.append((x - last[0], y - last[1]))
            last = (x, y)
        out.append({"text": "".join(c[0] for c in chars),
                    "moves": [[dx, dy, n] for (dx, dy), n in _runs(moves)],
                    "fonts": _runs(c[3] for c in chars), "sizes": _runs(c[4] for c in chars)})
    return out


def decode(pages):
    out = []
    for page in pages:
        moves = _unruns([(dx, dy), n] for dx, dy, n in page["moves"])
        x = y = 0
        places = []
        for dx, dy in moves:
            x, y = x + dx, y + dy
            places.append((x, y))
        out.append([(t, px, py, f, s) for t, (px, py), f, s in
                    zip(page["text"], places, _unruns(page["fonts"]), _unruns(page["sizes"]))])
    return out


def print_jobs(rig, exe=None):
    """Prints every job on one service; returns {name: CapturedJob}."""
    capture = rig.capture(korvrig.DEFAULT_QUEUE)
    service = rig.start_service(ini=INI, exe=exe, name="positions")
    try:
        service.wait_window("Printer (Korvelane)", timeout=60)
        printed = {}
        for n, (name, data) in enumerate(jobs().items()):
            service.drop(f"POS{n:02d}", data)
            printed[name] = capture.wait_job(timeout=60)
            service.wait_gone(f"POS{n:02d}", timeout=15)
        return printed
    finally:
        service.stop()


def record(exe=None):
    DATA.mkdir(parents=True, exist_ok=True)
    for name, job in print_jobs(korvrig.Rig.get(), exe).items():
        (DATA / f"{name}.json").write_text(
            json.dumps({"pages": encode(positions(job))}, separators=(",", ":")) + "\n")
        print("recorded", name)


class TextPositions(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rig = korvrig.Rig.get()
        cls.printed = print_jobs(cls.rig)

    @classmethod
    def tearDownClass(cls):
        cls.rig.kill_services()

    def recorded(self, name):
        return decode(json.loads((DATA / f"{name}.json").read_text())["pages"])

    def test_dense_pages_and_mixed_weights_keep_every_position(self):
        for name in ("dense-10cpi", "dense-12cpi", "dense-17cpi", "dense-20cpi",
                     "dense-landscape", "mixed-weights"):
            with self.subTest(name):
                old, new = self.recorded(name), positions(self.printed[name])
                self.assertEqual(len(new), len(old), "pages")
                self.assertGreater(sum(map(len, old)), 40)
                for number, (before, after) in enumerate(zip(old, new), 1):
                    self.assertEqual(after, before, f"page {number}")

    def test_the_test_page_keeps_its_cells_and_only_tight_lines_get_shorter(self):
        old, new = self.recorded("test-page"), positions(self.printed["test-page"])
        self.assertEqual(len(new), len(old), "pages")
        shorter = []
        for before, after in zip(old, new):
            self.assertEqual([c[0] for c in after], [c[0] for c in before])
            for (text, x0, y0, font0, size0), (_, x1, y1, font1, size1) in zip(before, after):
                self.assertEqual((x1, font1), (x0, font0), text)
                if size1 == size0:
                    self.assertEqual(y1, y0, text)
                    continue
                # A smaller font in the same cell: its baseline rises, by less than a line.
                self.assertLess(size1, size0, text)
                self.assertTrue(y0 - 90 < y1 < y0, (text, y0, y1))
                shorter.append((y0, text))
        # Exactly the three lines of the 8 lines per inch block.
        lines = {}
        for y, text in shorter:
            lines[y] = lines.get(y, "") + text
        self.assertEqual(sorted(lines.values()),
                         sorted(f"8linesperinch:{n}line" for n in ("first", "second", "third")))


class TightLines(korvrig.SharedServiceTest):
    """Lines closer than the font's height: each line's lowest ink stays above the next
    line's highest. Every other line is printed in one job and the rest in another, so that
    each rendered band of ink belongs to one line."""

    ini = INI
    service_name = "tight"

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.capture = cls.rig.capture(korvrig.DEFAULT_QUEUE)

    def bands(self, data, name):
        self.service.drop(name, data)
        job = self.capture.wait_job(timeout=60)
        self.service.wait_gone(name, timeout=15)
        rows = Raster(job.path, DPI).inked_rows()
        bands = [[rows[0], rows[0]]]
        for row in rows[1:]:
            if row == bands[-1][1] + 1:
                bands[-1][1] = row
            else:
                bands.append([row, row])
        return bands

    def test_lines_at_8_and_12_lines_per_inch_do_not_overlap(self):
        # Capitals with accents above, descenders below, bars from top to bottom (the box
        # glyphs' lines join across lines by design: none here).
        text = b"\xc9\xd6\xd1gjpqy|[]()_ \xca\xdcgypQ|"
        for lpi, cpi in ((8, 10), (12, 10), (12, 17)):
            with self.subTest(lpi=lpi, cpi=cpi):
                lines = 8
                jobs = [textjobs.PITCH[cpi] + textjobs.lpi(lpi) + textjobs.CRLF.join(
                    text if n % 2 == parity else b"" for n in range(lines)) + textjobs.CRLF
                    for parity in (0, 1)]
                even = self.bands(jobs[0], f"TIGHT{lpi}{cpi}E")
                odd = self.bands(jobs[1], f"TIGHT{lpi}{cpi}O")
                self.assertEqual((len(even), len(odd)), (lines // 2, lines // 2), (even, odd))
                ordered = sorted(even + odd)
                self.assertEqual(ordered[0::2], even)  # the jobs' lines alternate
                for upper, lower in zip(ordered, ordered[1:]):
                    self.assertLess(upper[1], lower[0], f"{upper} overlaps {lower}")
                # The lines keep their spacing: one line height from top to top.
                advance = DPI // lpi
                for upper, lower in zip(even, even[1:]):
                    self.assertAlmostEqual(lower[0] - upper[0], 2 * advance, delta=2)


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] == "--record":
        record(sys.argv[2] if len(sys.argv) > 2 else None)
    else:
        unittest.main()
