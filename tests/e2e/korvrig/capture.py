"""Print jobs as the capture queues stored them."""
import time
from dataclasses import dataclass
from pathlib import Path

from .base import RigError, wait_until
from .postscript import postscript_pages, render_png


@dataclass
class CapturedJob:
    path: Path
    meta: dict

    @property
    def data(self):
        return self.path.read_bytes()

    @property
    def title(self):
        return self.meta.get("title", "")

    @property
    def is_postscript(self):
        return self.data.startswith(b"%!")

    def pages(self, resolution=72):
        """The characters of each page (PostScript jobs): a list of Page; positions in whole
        points, or finer with a higher resolution (see postscript_pages)."""
        return postscript_pages(self.path, resolution)

    def render(self, out_dir=None, resolution=100):
        """Renders each page to PNG; returns the image paths."""
        return render_png(self.path, out_dir or self.path.with_suffix(".png.d"), resolution)


class Capture:
    """New jobs of one capture queue: those not there when the watch was made."""

    def __init__(self, directory):
        self.directory = Path(directory)
        self._seen = set(self._names())

    def _names(self):
        if not self.directory.exists():
            return []
        return sorted(p.name for p in self.directory.glob("*.job"))

    def _job(self, name):
        path = self.directory / name
        meta = {}
        meta_path = path.with_suffix(".meta")
        if meta_path.exists():
            for line in meta_path.read_text(errors="replace").splitlines():
                key, _, value = line.partition("=")
                meta[key] = value
        return CapturedJob(path, meta)

    def new_jobs(self):
        """Jobs that arrived since the last call (or the watch's start), in order of arrival."""
        names = [n for n in self._names() if n not in self._seen]
        self._seen.update(names)
        return [self._job(n) for n in names]

    def wait_job(self, timeout=30):
        """Waits for the next job to arrive and returns it."""
        pending = []

        def arrived():
            pending.extend(self.new_jobs())
            return bool(pending)

        wait_until(arrived, timeout, f"a print job in {self.directory}", interval=0.2)
        # Later arrivals stay for the next call.
        self._seen.difference_update(job.path.name for job in pending[1:])
        return pending[0]

    def assert_quiet(self, seconds):
        """Checks that no job arrives within `seconds`."""
        time.sleep(seconds)
        jobs = self.new_jobs()
        if jobs:
            raise RigError(f"unexpected print job(s) in {self.directory}: "
                           f"{[j.path.name for j in jobs]}")

