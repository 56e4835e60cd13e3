"""Pickup benchmark: how fast korvprint.exe takes jobs from WINPRINT to the spooler, what it
costs while idle, and its peak memory; beside it the spooler's own latency in the same run.

    python3 bench_pickup.py --exe build/win64/korvprint.exe --label new --out bench-results/e2e.json

Figures go into the results file under "pickup" (see benchmain); it only reports.
"""
import datetime
import os
import re
import sys
import tempfile
import time
from pathlib import Path

import benchmain  # noqa: F401  (puts the e2e harness on the path)
import korvrig  # noqa: E402

QUEUE = korvrig.DEFAULT_QUEUE
INI = "[Vozazad]\r\nUseDefault=Y\r\n"
LATENCY_JOBS = 50
BURST_JOBS = 100
IDLE_SECONDS = 60
MEMORY_JOBS = 300


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, max(0, round(p / 100 * (len(ordered) - 1))))]


def summary(values_ms):
    return {"n": len(values_ms), "p50_ms": round(percentile(values_ms, 50), 1),
            "p95_ms": round(percentile(values_ms, 95), 1), "max_ms": round(max(values_ms), 1)}


def raw_job(i):
    return b"KORVBENCH RAW %05d\r\n" % i


def text_job(i):
    return b"Korvbench text job %05d\r\nsecond line\r\n\x0c" % i


class CaptureClock:
    """Jobs of the capture queue with the time each was stored (the file's last write)."""

    def __init__(self, rig):
        self.capture = rig.capture(QUEUE)

    def wait(self, count, timeout):
        jobs = []
        deadline = time.monotonic() + timeout
        while len(jobs) < count and time.monotonic() < deadline:
            got = self.capture.new_jobs()
            jobs.extend(got)
            if not got:
                time.sleep(0.002)
        return [(job, job.path.stat().st_mtime) for job in jobs]


def wait_idle_service(svc):
    """Until the service is up and has handled a first job (its printer and font are set)."""
    svc.wait_window("Printer (Korvelane)", timeout=60)


def pickup_latency(rig, svc, clock, kind):
    """Drops one job at a time (renamed into WINPRINT) and waits for its capture; also, from
    the job log, how long the service took to start printing it."""
    latencies = []
    dropped_at = {}
    make = raw_job if kind == "raw" else text_job
    for i in range(LATENCY_JOBS + 1):
        time.sleep(0.25)  # the service is idle when the job comes
        name = f"P{kind[0].upper()}{i:04d}"
        dropped = time.time()
        svc.drop(name, make(i))
        captured = clock.wait(1, 30)
        if not captured:
            raise korvrig.RigError(f"{kind} job {i} was not captured")
        if i > 0:  # the first job also loads the printer driver
            latencies.append((captured[0][1] - dropped) * 1000)
            dropped_at[name] = dropped
    result = summary(latencies)
    starts = [(start - dropped_at[name]) * 1000 for name, start, _ in job_log(svc, dropped_at)]
    if starts:
        result["to_job_start_ms_p50"] = round(percentile(starts, 50), 1)
        result["to_job_start_ms_p95"] = round(percentile(starts, 95), 1)
    return result


def direct_spooler(rig, clock, tmp):
    """The same raw bytes as spooler documents of korvdriver, one process for all."""
    path = Path(tmp) / "direct.bin"
    path.write_bytes(raw_job(0))
    code, records = rig.driver.run("rawprint", QUEUE, korvrig.windows_path(path), "bench",
                                   LATENCY_JOBS + 1, 250, timeout=300)
    if code != 0 or len(records) != LATENCY_JOBS + 1:
        raise korvrig.RigError(f"korvdriver rawprint: exit {code}, {records[-1:]}")
    captured = clock.wait(LATENCY_JOBS + 1, 60)
    by_title = {job.title: mtime for job, mtime in captured}
    latencies = [(by_title[r["title"]] - r["started_ms"] / 1000) * 1000
                 for r in records[1:] if r["title"] in by_title]
    result = summary(latencies)
    # The spooler calls alone (open to close), to set beside a service job's printing time.
    if all("ended_ms" in r for r in records):
        result["document_ms_p50"] = percentile([r["ended_ms"] - r["started_ms"]
                                                for r in records[1:]], 50)
    return result


def burst(svc, clock, kind):
    """BURST_JOBS small jobs renamed into WINPRINT at once: the time until the service has
    taken them all and until all are captured, each exactly once, in listing order (Wine
    lists this folder by name; the names are numbered in the order they were dropped)."""
    make = raw_job if kind == "raw" else text_job
    names = [f"B{kind[0].upper()}{i:04d}" for i in range(BURST_JOBS)]
    for i, name in enumerate(names):
        (svc.spool / f"TMP{name}").write_bytes(make(i))
    started = time.time()
    for name in names:
        os.replace(svc.spool / f"TMP{name}", svc.spool / name)
    taken = None
    while time.time() - started < 120:
        if not any((svc.spool / n).exists() for n in names):
            taken = time.time() - started
            break
        time.sleep(0.005)
    captured = clock.wait(BURST_JOBS, 120)
    seconds = (max(m for _, m in captured) - started) if captured else None
    result = {"jobs": BURST_JOBS, "captured": len(captured),
              "seconds": round(seconds, 2) if seconds is not None else None,
              "all_taken_seconds": round(taken, 2) if taken is not None else None}
    result.update(job_times(svc, names))
    if kind == "raw":
        order = [job.data[len(b"KORVBENCH RAW "):].strip() for job, _ in captured]
        got = [names[int(n)] for n in order if n.isdigit()]
        result["each_once"] = sorted(got) == sorted(names)
        result["in_listing_order"] = got == names
    else:
        result["each_once"] = len(captured) == BURST_JOBS and not any(
            (svc.spool / n).exists() for n in names)
    return result


def job_log(svc, names):
    """(name, start, end) in seconds of the jobs of `names`, from the service's job log."""
    found = []
    path = svc.home / "korvprint.log"
    for line in (path.read_text(errors="replace").splitlines() if path.exists() else []):
        match = re.match(r'(\S+) job file="([^"]+)".* ms=(\d+)', line)
        if match and match.group(2) in names:
            end = datetime.datetime.fromisoformat(match.group(1)).timestamp()
            found.append((match.group(2), end - int(match.group(3)) / 1000, end))
    return found


def job_times(svc, names):
    """Where a burst's time goes, from the job log: printing each job (the spooler calls) and
    the service's own work between one job's end and the next one's start."""
    jobs = job_log(svc, set(names))
    if len(jobs) < 2:
        return {}
    gaps = [(start - prev[2]) * 1000 for prev, (_, start, _) in zip(jobs, jobs[1:])]
    return {"job_ms_p50": round(percentile([(end - start) * 1000 for _, start, end in jobs], 50)),
            "between_jobs_ms_p50": round(percentile(gaps, 50), 1),
            "between_jobs_ms_sum": round(sum(gaps))}


def process_ids(rig, svc=None):
    """korvprint.exe's Linux process (with a service) and the run's wineserver."""
    ids = {}
    home = str(svc.home) if svc else "\0"
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            cmdline = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode("latin-1")
            environ = (entry / "environ").read_bytes()
        except OSError:
            continue
        if svc and "korvprint.exe" in cmdline and ("korvprint" not in ids) and (
                home in cmdline or home.encode() in environ):
            ids["korvprint"] = int(entry.name)
        if "wineserver" in cmdline.split(" ")[0] and (
                b"WINEPREFIX=" + str(rig.prefix).encode() + b"\0") in environ:
            ids["wineserver"] = int(entry.name)
    return ids


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rpartition(")")[2].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def idle_cpu(rig, svc=None, seconds=IDLE_SECONDS):
    """Processor time over `seconds` idle seconds, in % of one core; without a service, the
    floor of the prefix's wineserver alone (Wine's own processes keep it slightly busy)."""
    time.sleep(5)  # the last job's own work is over
    ids = process_ids(rig, svc)
    before = {k: cpu_seconds(p) for k, p in ids.items()}
    started = time.monotonic()
    time.sleep(seconds)
    elapsed = time.monotonic() - started
    used = {k: cpu_seconds(p) - before[k] for k, p in ids.items()}
    result = {f"{k}_percent": round(v / elapsed * 100, 3) for k, v in used.items()}
    result["total_percent"] = round(sum(used.values()) / elapsed * 100, 3)
    result["seconds"] = round(elapsed, 1)
    return result


def peak_memory(svc, clock):
    ids = process_ids(svc.rig, svc)
    for batch in range(MEMORY_JOBS // 50):
        for i in range(50):
            svc.drop(f"M{batch:02d}{i:03d}", raw_job(batch * 50 + i))
        clock.wait(50, 120)
    status = Path(f"/proc/{ids['korvprint']}/status").read_text()
    fields = dict(line.split(":", 1) for line in status.splitlines() if ":" in line)
    return {"jobs": MEMORY_JOBS, "peak_rss_kb": int(fields["VmHWM"].split()[0]),
            "rss_kb": int(fields["VmRSS"].split()[0])}


def run(exe):
    rig = korvrig.Rig.get()
    figures = {"exe": str(exe), "when": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime())}
    with tempfile.TemporaryDirectory() as tmp:
        clock = CaptureClock(rig)
        figures["direct_spooler_raw"] = direct_spooler(rig, clock, tmp)
        figures["idle_floor_without_service"] = idle_cpu(rig, None, 30)
        svc = rig.start_service(ini=INI, exe=exe, name="bench")
        try:
            wait_idle_service(svc)
            figures["pickup_text"] = pickup_latency(rig, svc, clock, "text")
            figures["burst_text"] = burst(svc, clock, "text")
            svc.drop("RAWPRINT", b"x")
            svc.wait_gone("RAWPRINT")
            figures["pickup_raw"] = pickup_latency(rig, svc, clock, "raw")
            figures["burst_raw"] = burst(svc, clock, "raw")
            figures["memory"] = peak_memory(svc, clock)
            figures["idle_cpu"] = idle_cpu(rig, svc)  # after work, as a service spends its day
        finally:
            svc.stop()
    figures["raw_pickup_vs_spooler_p50"] = round(
        figures["pickup_raw"]["p50_ms"] / figures["direct_spooler_raw"]["p50_ms"], 2)
    return figures



if __name__ == "__main__":
    sys.exit(benchmain.main(__doc__, "pickup", run))
