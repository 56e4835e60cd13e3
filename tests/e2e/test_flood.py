"""A flood of 300 jobs, text and raw with mode switches between, against the real program
under Wine and CUPS: every job is captured exactly once, in its mode, and nothing stays in
WINPRINT; the history keeps exactly the last 100 of them."""
import collections
import re
import time
import unittest

import korvrig

TITLE = "Printer (Korvelane)"
# (control file before the batch, mode of its jobs, number of jobs): 300 jobs in all.
BATCHES = [(None, "text", 60), ("RAWPRINT", "raw", 60), ("WINPRINT", "text", 60),
           ("RAWPAGE", "raw", 60), ("WINPRINT", "text", 60)]


class Flood(unittest.TestCase):
    def tearDown(self):
        korvrig.Rig.get().kill_services()

    def test_three_hundred_jobs_are_each_captured_once(self):
        rig = korvrig.Rig.get()
        service = rig.start_service(ini="[Vozazad]\r\nUseDefault=Y\r\n", test_page=False)
        service.wait_window(TITLE, timeout=30)
        capture = rig.capture(korvrig.DEFAULT_QUEUE)
        expected = {"text": set(), "raw": set()}
        number = 0
        started = time.monotonic()
        for control, mode, count in BATCHES:
            if control:
                service.drop(control, b"x")
                service.wait_gone(control, timeout=15)
            names = []
            for _ in range(count):
                number += 1
                tag = f"FLOOD {mode.upper()} {number:04d}"
                expected[mode].add(tag)
                name = f"F{number:04d}"
                service.drop(name, tag.encode() + b"\r\n")
                names.append(name)
            # The batch must be taken before the next mode switch, or its order would decide.
            korvrig.wait_until(lambda: not any((service.spool / n).exists() for n in names),
                               240, f"the {mode} batch to be taken", interval=0.5)
        self.assertEqual(sorted(p.name for p in service.spool.iterdir()), [])

        jobs = []
        korvrig.wait_until(lambda: jobs.extend(capture.new_jobs()) or len(jobs) >= number,
                           120, f"{number} captured jobs", interval=1)
        capture.assert_quiet(3)
        seen = collections.Counter()
        for job in jobs:
            if job.is_postscript:
                # txtwrite drops some spaces: compare without them.
                text = "".join(t for page in job.pages() for _, t, _ in page.lines())
                numbers = re.findall(r"FLOODTEXT(\d{4})", text.replace(" ", ""))
                self.assertEqual(len(numbers), 1, text)
                seen[("text", f"FLOOD TEXT {numbers[0]}")] += 1
            else:
                tag = job.data.decode("latin-1").strip()
                self.assertRegex(tag, r"^FLOOD RAW \d{4}$")
                seen[("raw", tag)] += 1
        self.assertEqual(len(jobs), number)
        for mode, tags in expected.items():
            self.assertEqual({t for (m, t) in seen if m == mode}, tags, mode)
        self.assertEqual(set(seen.values()), {1})
        print(f"flood: {number} jobs in {time.monotonic() - started:.0f} s", flush=True)
        self.assertEqual(service.stop(), "disable")
        self.check_history(service, number)

    def check_history(self, service, number):
        """With the history on by default, HISTORY holds the last 100 jobs, each file with
        the job's own bytes, and its index names exactly those, newest first."""
        history = service.home / "HISTORY"
        last = [f"F{n:04d}" for n in range(number, number - 100, -1)]
        files = sorted(p.name for p in history.iterdir() if p.name != "HISTORY.IDX")
        self.assertEqual(files, sorted(last))
        for name in last:
            self.assertRegex((history / name).read_bytes(), rb"^FLOOD (TEXT|RAW) \d{4}\r\n$")
        lines = (history / "HISTORY.IDX").read_text("latin-1").splitlines()
        self.assertEqual([line.split("\t")[3] for line in lines], last)


if __name__ == "__main__":
    unittest.main()
