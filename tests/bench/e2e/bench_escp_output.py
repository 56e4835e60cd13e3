"""Raw jobs drawn (RawJobs=ESCP) beside text mode: a dense 80 x 66 ESC/P page with style
changes and a 24-dot graphic band, and text mode's dense page, each as a 20-page job. Figures:
the service's own milliseconds per page (the job log's ms for the job) and the PostScript bytes
per page.

    python3 bench_escp_output.py --exe build/win32/korvprint.exe --label new --out bench-results/e2e.json

Figures go into the results file under "escp_output" (see benchmain); it only reports.
"""
import re
import sys
import time

import benchmain  # noqa: F401  (puts the e2e harness on the path)
import korvrig  # noqa: E402
from korvrig import textjobs  # noqa: E402

QUEUE = korvrig.DEFAULT_QUEUE
INI = "[Vozazad]\r\nUseDefault=Y\r\nRawJobs=ESCP\r\nEscpFit=Y\r\n"
PAGES = 20
ROUNDS = 3
ESC = b"\x1b"


def escp_band():
    """A 24-dot band eight inches across at 180 dpi: a stripe pattern, then down 1/6 inch."""
    columns = b"".join(bytes([0xF0 if x % 8 < 4 else 0x0F, 0x3C, 0xC3]) for x in range(1440))
    return ESC + b"*\x27" + bytes([1440 % 256, 1440 // 256]) + columns + b"\r" + ESC + b"J\x1e"


def escp_dense_page():
    """65 dense lines of 80 cells after the band, bold toggled at every bar, every fourth line
    underlined, the rules italic; a form feed at the end."""
    out = [escp_band()]
    for n, line in enumerate(textjobs.dense_lines(65)):
        line = line[:80]
        if line[1] == textjobs.H:
            line = ESC + b"4" + line + ESC + b"5"
        else:
            parts = line.split(bytes([textjobs.V]))
            line = bytes([textjobs.V]).join(
                (ESC + b"E" if i % 2 else ESC + b"F") + part for i, part in enumerate(parts))
            line += ESC + b"F"
        if n % 4 == 0:
            line = ESC + b"-\x01" + line + ESC + b"-\x00"
        out.append(line + textjobs.CRLF)
    return b"".join(out) + textjobs.FF


def service_ms(svc, name):
    """The job log's milliseconds for the job file `name`."""
    log = (svc.home / "korvprint.log").read_bytes().decode("latin-1")
    found = re.findall(rf'job file="{name}" .* ms=(\d+) result="printed"', log)
    return int(found[-1])


def measure(svc, capture, name, data, pages):
    capture.new_jobs()
    svc.drop(name, data)
    job = capture.wait_job(timeout=600)
    svc.wait_gone(name, timeout=60)
    korvrig.wait_until(lambda: f'file="{name}"' in (svc.home / "korvprint.log").read_text(
        "latin-1"), 30, "the job's log line")
    return service_ms(svc, name) / pages, len(job.data) / pages


def best_of(svc, capture, prefix, data):
    per_page = [measure(svc, capture, f"{prefix}{r}", data, PAGES) for r in range(ROUNDS)]
    return {"pages": PAGES, "service_ms_per_page": [round(ms, 1) for ms, _ in per_page],
            "best_service_ms_per_page": round(min(ms for ms, _ in per_page), 1),
            "postscript_bytes_per_page": round(per_page[-1][1])}


def run(exe):
    rig = korvrig.Rig.get()
    figures = {"exe": str(exe), "when": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime())}
    capture = rig.capture(QUEUE)
    svc = rig.start_service(ini=INI, exe=exe, name="bench-escp")
    try:
        svc.wait_window("Printer (Korvelane)", timeout=60)
        # Text mode first; the first job loads the driver and fits the font: not counted.
        measure(svc, capture, "WARMUP", textjobs.dense_page(), 1)
        figures["text_dense_page"] = best_of(svc, capture, "TEXT", textjobs.dense_job(PAGES))
        svc.drop("RAWPRINT", b"x")
        svc.wait_gone("RAWPRINT", timeout=15)
        measure(svc, capture, "WARMESCP", escp_dense_page(), 1)
        figures["escp_dense_page"] = best_of(svc, capture, "ESCP", escp_dense_page() * PAGES)
    finally:
        svc.stop()
    return figures


if __name__ == "__main__":
    sys.exit(benchmain.main(__doc__, "escp_output", run))
