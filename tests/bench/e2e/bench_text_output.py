"""Text output benchmark: a dense 100-page text job with box drawing, dropped into WINPRINT,
timed until the capture queue has stored it, and the PostScript bytes per dense page.

    python3 bench_text_output.py --exe build/win64/korvprint.exe --label new --out bench-results/e2e.json

Figures go into the results file under "text_output" (see benchmain); it only reports.
"""
import re
import sys
import time

import benchmain  # noqa: F401  (puts the e2e harness on the path)
import korvrig  # noqa: E402
from korvrig import textjobs  # noqa: E402

QUEUE = korvrig.DEFAULT_QUEUE
INI = "[Vozazad]\r\nUseDefault=Y\r\n"
PAGES = 100
ROUNDS = 3


def postscript_figures(data, pages):
    """Size and drawing operators of a PostScript job, per page."""
    return {"bytes_per_page": round(len(data) / pages),
            "moveto_per_page": round(len(re.findall(rb"\bmoveto\b", data)) / pages),
            "setrgbcolor_per_page": round(len(re.findall(rb"\bsetrgbcolor\b", data)) / pages)}


def timed_job(svc, capture, name, data, timeout):
    """Drops the job and returns (seconds until the queue stored it, the captured job)."""
    dropped = time.time()
    svc.drop(name, data)
    job = capture.wait_job(timeout=timeout)
    svc.wait_gone(name, timeout=30)
    return job.path.stat().st_mtime - dropped, job


def run(exe):
    rig = korvrig.Rig.get()
    figures = {"exe": str(exe), "when": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime())}
    capture = rig.capture(QUEUE)
    svc = rig.start_service(ini=INI, exe=exe, name="bench-text")
    try:
        svc.wait_window("Printer (Korvelane)", timeout=60)
        # The first job loads the printer driver and fits the font: not timed.
        timed_job(svc, capture, "WARMUP", textjobs.dense_page(), 120)
        _, page = timed_job(svc, capture, "DENSE1", textjobs.dense_page(), 120)
        figures["dense_page"] = postscript_figures(page.data, 1)
        seconds = []
        for round_ in range(ROUNDS):
            took, job = timed_job(svc, capture, f"DENSE{PAGES}{round_}",
                                  textjobs.dense_job(PAGES), 600)
            seconds.append(round(took, 2))
        figures["dense_100_pages"] = {"pages": PAGES, "seconds": seconds,
                                      "best_seconds": min(seconds),
                                      **postscript_figures(job.data, PAGES)}
    finally:
        svc.stop()
    return figures



if __name__ == "__main__":
    sys.exit(benchmain.main(__doc__, "text_output", run))
