"""Where text lands on the page, compared with positions recorded from an earlier build: the
committed test page, dense pages at 10, 12, 17 and 20 characters per inch and in landscape,
lines mixing bold and normal.

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

    def test_every_job_keeps_every_position(self):
        for name in ("test-page", "dense-10cpi", "dense-12cpi", "dense-17cpi", "dense-20cpi",
                     "dense-landscape", "mixed-weights"):
            with self.subTest(name):
                old, new = self.recorded(name), positions(self.printed[name])
                self.assertEqual(len(new), len(old), "pages")
                self.assertGreater(sum(map(len, old)), 40)
                for number, (before, after) in enumerate(zip(old, new), 1):
                    self.assertEqual(after, before, f"page {number}")


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] == "--record":
        record(sys.argv[2] if len(sys.argv) > 2 else None)
    else:
        unittest.main()
