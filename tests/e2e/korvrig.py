"""The end-to-end rig: korvprint.exe under Wine, printing into CUPS capture queues.

One rig per test run (a Wine prefix, a display, the capture queues); tests start the service
in fresh home directories, drop spool files, wait for captured jobs and drive windows with
korvdriver.exe. See README.md beside this file for the API in short.

Run as a script for ctest's fixture:  korvrig.py setup | cleanup
"""
import hashlib
import html
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

QUEUES = ("KorvCapture1", "KorvCapture2", "KorvShort")
DEFAULT_QUEUE = "KorvCapture1"
CAPTURE_SPOOL = Path("/var/spool/korvcapture")  # as scripts/rig/queues.sh

SOURCE_DIR = Path(os.environ.get("KORV_SOURCE_DIR", Path(__file__).resolve().parents[2]))
WIN32_DIR = Path(os.environ.get("KORV_WIN32_DIR", SOURCE_DIR / "build" / "win32"))
NATIVE_DIR = Path(os.environ.get("KORV_NATIVE_DIR", SOURCE_DIR / "build" / "native"))
RUN_DIR = Path(os.environ.get("KORV_E2E_RUN", NATIVE_DIR / "e2e-run"))
RIG_SCRIPTS = SOURCE_DIR / "scripts" / "rig"


class RigError(AssertionError):
    """A rig step failed; raised as an assertion so that unittest reports it as a failure."""


def wait_until(predicate, timeout, what, interval=0.1):
    """Polls predicate until it returns a true value, which is returned; fails after timeout s."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise RigError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def _pid_alive(pid):
    try:
        os.kill(pid, 0)
    except (ProcessLookupError, TypeError):
        return False
    except PermissionError:
        return True
    return True


def windows_path(path):
    """The Wine (Z: drive) path of a Unix path."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


# --------------------------------------------------------------------------------------------
# The rig: one per test run, shared by the test processes of that run through state.json.


class Rig:
    _current = None

    def __init__(self, run_dir, state):
        self.run_dir = Path(run_dir)
        self.prefix = Path(state["prefix"])
        self.display = state["display"]
        self.xvfb_pid = state.get("xvfb_pid")
        self.capture_root = Path(state["capture_root"])
        self.cups_user = state["cups_user"]
        self._homes = 0
        self._services = []
        self.driver = Driver(self)

    # --- life cycle

    @classmethod
    def get(cls):
        """The rig of this run: the one ctest's fixture set up, or a new one for this process."""
        if cls._current is None:
            state = _read_state(RUN_DIR)
            if state is None:
                state = setup(RUN_DIR)
                import atexit
                atexit.register(cleanup, RUN_DIR)
            cls._current = cls(RUN_DIR, state)
        return cls._current

    @property
    def env(self):
        env = dict(os.environ)
        env.update(WINEPREFIX=str(self.prefix), WINEARCH="win32",
                   WINEDEBUG=os.environ.get("KORV_WINEDEBUG", "-all"),
                   WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display,
                   CUPS_USER=self.cups_user)
        return env

    def wine(self, *args, timeout=60, check=True):
        """Runs a Windows program (or wine's own tool such as reg) to its end; returns the result
        (returncode, stdout and stderr as bytes)."""
        # Output goes through files, not pipes: Wine's system processes, started by whichever
        # program comes first, inherit its output handles and would hold a pipe open.
        import tempfile
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.Popen(["wine", *map(str, args)], env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=out, stderr=err)
            try:
                returncode = process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                running = subprocess.run(["ps", "-eo", "pid,etimes,args"], capture_output=True,
                                         text=True).stdout
                wine_lines = [l for l in running.splitlines() if "wine" in l or ".exe" in l]
                raise RigError(f"wine {' '.join(map(str, args))} still running after {timeout} s;"
                               " Wine processes:\n" + "\n".join(wine_lines)) from None
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(args, returncode, out.read(), err.read())
        if check and result.returncode != 0:
            raise RigError(f"wine {' '.join(map(str, args))} exited {result.returncode}: "
                           f"{result.stdout.decode(errors='replace')}"
                           f"{result.stderr.decode(errors='replace')}")
        return result

    def reg_add(self, key, name, value, kind="REG_SZ"):
        self.wine("reg", "add", key, "/v", name, "/t", kind, "/d", value, "/f")

    def reg_delete(self, key, name=None):
        args = ["reg", "delete", key] + (["/v", name] if name else []) + ["/f"]
        self.wine(*args, check=False)

    def windows_version(self, version, exe="korvprint.exe"):
        """Context manager: Wine reports `version` (e.g. "win98") to `exe` while inside."""
        rig = self
        key = f"HKCU\\Software\\Wine\\AppDefaults\\{exe}"

        class _Version:
            def __enter__(self):
                rig.reg_add(key, "Version", version)

            def __exit__(self, *exc):
                rig.reg_delete(key)

        return _Version()

    # --- homes and the service

    def new_home(self, name="home"):
        """A fresh, empty home directory below the run directory."""
        self._homes += 1
        home = self.run_dir / "homes" / f"{self._homes:03d}-{os.getpid()}-{name}"
        if home.exists():
            shutil.rmtree(home)
        home.mkdir(parents=True)
        return home

    def start_service(self, ini=None, name="home", exe=None, test_page=True, extra_files=None):
        """Starts korvprint.exe in a new home directory and returns its Service.

        ini: the VOZAZAD.INI contents (str or bytes), or None for no profile file.
        exe: the program to copy in (default build/win32/korvprint.exe).
        test_page: also copy the test page VOZAZAD.TST into the home directory.
        extra_files: {relative name: bytes} written into the home directory before the start.
        """
        home = self.new_home(name)
        shutil.copy2(exe or WIN32_DIR / "korvprint.exe", home / "korvprint.exe")
        if ini is not None:
            (home / "VOZAZAD.INI").write_bytes(ini.encode("latin-1") if isinstance(ini, str)
                                               else ini)
        if test_page:
            shutil.copy2(SOURCE_DIR / "assets" / "VOZAZAD.TST", home / "VOZAZAD.TST")
        for rel, data in (extra_files or {}).items():
            (home / rel).parent.mkdir(parents=True, exist_ok=True)
            (home / rel).write_bytes(data)
        service = Service(self, home)
        self._services.append(service)
        return service

    def kill_services(self):
        """Kills every service this process started that still runs (for tearDown)."""
        for service in self._services:
            if service.running:
                service.kill()
        self._services.clear()

    # --- the display

    def screenshot(self, name):
        """Saves the whole display as <run>/screenshots/<name>.png for a person to look at;
        returns the path."""
        shots = self.run_dir / "screenshots"
        shots.mkdir(exist_ok=True)
        path = shots / f"{name}.png"
        result = subprocess.run(["import", "-display", self.display, "-window", "root", str(path)],
                                stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        if result.returncode != 0:
            raise RigError(f"screenshot {path} failed: {result.stderr.decode(errors='replace')}")
        return path

    def screen_size(self):
        """The display's (width, height) in pixels, as the programs under Wine see the screen."""
        out = subprocess.run(["xdpyinfo", "-display", self.display], stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=30, check=True).stdout
        match = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", out)
        if not match:
            raise RigError(f"no screen dimensions from xdpyinfo: {out[:200]}")
        return int(match.group(1)), int(match.group(2))

    # --- captures

    def capture(self, queue=DEFAULT_QUEUE):
        """A watch on one capture queue from now on: only jobs arriving later are reported."""
        return Capture(self.capture_root / queue)

    def lp(self, queue, path, title=None):
        """Prints a file raw with CUPS's lp as this run's user (so it lands in our captures)."""
        args = ["lp", "-U", self.cups_user, "-d", queue, "-o", "raw"]
        args += ["-t", title] if title else []
        subprocess.run(args + [str(path)], check=True, capture_output=True, timeout=30)


def _read_state(run_dir):
    path = Path(run_dir) / "state.json"
    if not path.exists():
        return None
    state = json.loads(path.read_text())
    if state.get("xvfb_pid") and not _pid_alive(state["xvfb_pid"]):
        return None
    if not (Path(state["prefix"]) / "system.reg").exists():
        return None
    return state


def _run_script(*args, timeout=300):
    result = subprocess.run(["bash", *map(str, args)], stdin=subprocess.DEVNULL,
                            capture_output=True, timeout=timeout)
    if result.returncode != 0:
        raise RigError(f"{' '.join(map(str, args))} failed ({result.returncode}):\n"
                       f"{result.stdout.decode(errors='replace')}"
                       f"{result.stderr.decode(errors='replace')}")
    return result.stdout.decode()


def setup(run_dir=RUN_DIR):
    """Sets up the rig of a test run: capture queues, display, Wine prefix, wineserver."""
    run_dir = Path(run_dir)
    cleanup(run_dir)
    if run_dir.exists():
        shutil.rmtree(run_dir)
    run_dir.mkdir(parents=True)
    started = time.monotonic()
    _run_script(RIG_SCRIPTS / "cups.sh")
    # The queues are the machine's; our jobs are told apart by their CUPS user, one per run
    # directory, and the backend files them under that user's folder.
    user = "korv-" + hashlib.sha1(str(run_dir.resolve()).encode()).hexdigest()[:10]
    spool = CAPTURE_SPOOL / user
    if spool.exists():
        shutil.rmtree(spool)
    for queue in QUEUES:
        (spool / queue).mkdir(parents=True)
    capture_root = run_dir / "capture"
    capture_root.symlink_to(spool, target_is_directory=True)
    state = {"prefix": str(run_dir / "prefix"), "capture_root": str(capture_root),
             "cups_user": user, "display": os.environ.get("DISPLAY", ""), "xvfb_pid": None}
    if not state["display"]:
        display, pid = _run_script(RIG_SCRIPTS / "xvfb.sh", run_dir / "xvfb.log").split()
        state["display"], state["xvfb_pid"] = display, int(pid)
    env = dict(os.environ, DISPLAY=state["display"],
               KORV_NO_WINDOW_MANAGER="1" if state["xvfb_pid"] else "0")
    result = subprocess.run(["bash", str(RIG_SCRIPTS / "prefix.sh"), state["prefix"]], env=env,
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    if result.returncode != 0:
        raise RigError("prefix.sh failed:\n" + result.stderr.decode(errors="replace"))
    # One wineserver for the whole run, started apart from any test's pipes: a server started
    # by a wine call would inherit that call's output pipe and keep readers waiting.
    wenv = dict(env, WINEPREFIX=state["prefix"], WINEARCH="win32", WINEDEBUG="-all")
    subprocess.run(["wineserver", "-p"], env=wenv, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
                   check=True)
    state["setup_seconds"] = round(time.monotonic() - started, 1)
    (run_dir / "state.json").write_text(json.dumps(state, indent=1))
    return state


def cleanup(run_dir=RUN_DIR):
    """Ends the run's Wine processes and display; keeps captures and logs for a look."""
    state_path = Path(run_dir) / "state.json"
    if not state_path.exists():
        return
    state = json.loads(state_path.read_text())
    env = dict(os.environ, WINEPREFIX=state["prefix"])
    subprocess.run(["wineserver", "-k"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    subprocess.run(["wineserver", "-w"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    pid = state.get("xvfb_pid")
    if pid and _pid_alive(pid):
        os.kill(pid, signal.SIGTERM)
        try:
            wait_until(lambda: not _pid_alive(pid), 10, "Xvfb to end")
        except RigError:
            os.kill(pid, signal.SIGKILL)
    state_path.unlink()


# --------------------------------------------------------------------------------------------
# The service under test.


class Service:
    """korvprint.exe running under Wine in its own home directory."""

    def __init__(self, rig, home):
        self.rig = rig
        self.home = Path(home)
        self.spool = self.home / "WINPRINT"
        self.log = self.home.with_name(self.home.name + ".log")
        self._drops = 0
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen(
                ["wine", str(self.home / "korvprint.exe")], cwd=self.home, env=rig.env,
                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                start_new_session=True)

    @property
    def pid(self):
        return self.process.pid

    @property
    def running(self):
        return self.process.poll() is None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.running:
            self.kill()

    def wait_window(self, title, timeout=20):
        """Waits for a top-level window with that exact title; returns the driver's record."""
        return self.rig.driver.wait_window(title, timeout)

    def drop(self, name, data):
        """Puts a spool file in place atomically: written under a TMP name, then renamed."""
        if isinstance(data, str):
            data = data.encode("latin-1")
        self.spool.mkdir(parents=True, exist_ok=True)
        self._drops += 1
        temp = self.spool / f"KORVTMP{self._drops:04d}"
        temp.write_bytes(data)
        os.replace(temp, self.spool / name)
        return self.spool / name

    def wait_gone(self, name, timeout=15):
        """Waits until the spool file `name` has been taken away."""
        path = self.spool / name
        wait_until(lambda: not path.exists(), timeout, f"{path} to vanish")

    def stop(self, timeout=15):
        """Stops the service with a DISABLE control file, killing it if that does not end it
        within `timeout` s. Returns "disable" or "kill"; the process has ended either way."""
        if not self.running:
            return "exited"
        self.drop("DISABLE", b"x")
        try:
            self.process.wait(timeout=timeout)
            return "disable"
        except subprocess.TimeoutExpired:
            self.kill()
            return "kill"

    def kill(self, timeout=10):
        """Kills the service's process and checks that it ended."""
        if self.running:
            os.killpg(self.process.pid, signal.SIGKILL)
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise RigError(f"korvprint (pid {self.pid}) did not end after SIGKILL") from None

    def profile(self, section="Vozazad"):
        """The keys of one section of VOZAZAD.INI as they read back ({} without the file or
        section): section and key names match without regard to case, the first entry counts."""
        path = self.home / "VOZAZAD.INI"
        keys, inside = {}, False
        if not path.exists():
            return keys
        for line in path.read_bytes().decode("latin-1").splitlines():
            line = line.strip()
            if line.startswith("["):
                inside = line[1:].partition("]")[0].strip().lower() == section.lower()
            elif inside and "=" in line:
                key, _, value = line.partition("=")
                if key.strip().lower() not in (k.lower() for k in keys):
                    keys[key.strip()] = value.strip()
        return keys

    def log_text(self):
        return self.log.read_text(errors="replace") if self.log.exists() else ""


# --------------------------------------------------------------------------------------------
# Captured print jobs.


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

    def pages(self):
        """The characters of each page (PostScript jobs): a list of Page."""
        return postscript_pages(self.path)

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


# --------------------------------------------------------------------------------------------
# What a PostScript job shows: characters with positions (Ghostscript's txtwrite) and images.


@dataclass
class Char:
    text: str
    x0: float
    y0: float
    x1: float
    y1: float
    font: str
    size: float


@dataclass
class Page:
    number: int
    chars: list = field(default_factory=list)

    def lines(self, tolerance=1.0):
        """The page's text lines, top to bottom: a list of (baseline y, text, chars). In the
        text, U+00A0 (how Wine's PostScript driver's spaces come out) reads as a space."""
        rows = []
        for ch in sorted(self.chars, key=lambda c: (c.y1, c.x0)):
            if rows and abs(rows[-1][0] - ch.y1) <= tolerance:
                rows[-1][2].append(ch)
            else:
                rows.append((ch.y1, None, [ch]))
        out = []
        for y, _, chars in rows:
            chars.sort(key=lambda c: c.x0)
            out.append((y, "".join(c.text for c in chars).replace("\xa0", " "), chars))
        return out

    def text(self):
        return "\n".join(line for _, line, _ in self.lines())


_SPAN = re.compile(r'<span bbox="[^"]*" font="([^"]*)" size="([^"]*)">')
_CHAR = re.compile(r'<char bbox="([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+)" c="([^"]*)"/>')


def parse_txtwrite(xml_text):
    """Parses the output of gs -sDEVICE=txtwrite -dTextFormat=0 into Pages. Positions are in
    points from the page's top left corner; a space comes as U+00A0."""
    pages, page, font, size = [], None, "", 0.0
    for line in xml_text.splitlines():
        line = line.strip()
        if line.startswith("<page"):
            page = Page(len(pages) + 1)
            pages.append(page)
        elif (m := _SPAN.match(line)):
            font, size = m.group(1), float(m.group(2))
        elif (m := _CHAR.match(line)) and page is not None:
            x0, y0, x1, y1 = (float(m.group(i)) for i in range(1, 5))
            page.chars.append(Char(html.unescape(m.group(5)), x0, y0, x1, y1, font, size))
    return pages


def postscript_pages(path):
    result = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=txtwrite",
                             "-dTextFormat=0", "-sOutputFile=-", str(path)],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    if result.returncode != 0:
        raise RigError(f"gs txtwrite failed on {path}: {result.stderr.decode(errors='replace')}")
    return parse_txtwrite(result.stdout.decode("utf-8", errors="replace"))


def render_png(path, out_dir, resolution=100):
    out_dir = Path(out_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    result = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=png16m",
                             f"-r{resolution}", f"-sOutputFile={out_dir}/page-%03d.png", str(path)],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    if result.returncode != 0:
        raise RigError(f"gs png16m failed on {path}: {result.stderr.decode(errors='replace')}")
    return sorted(out_dir.glob("page-*.png"))


# --------------------------------------------------------------------------------------------
# korvdriver.exe: windows, controls, message boxes, the stand-in host window, profile calls.
# Texts come back as str with one character per byte (encode("latin-1") gives the bytes).
# A window is named by its exact title or by "#<handle>"; records carry "hwnd".


def window_arg(window):
    if isinstance(window, dict):
        return f"#{window['hwnd']}"
    if isinstance(window, int):
        return f"#{window}"
    return window


class DriverError(RigError):
    pass


class Driver:
    def __init__(self, rig):
        self.rig = rig
        self.exe = WIN32_DIR / "korvdriver.exe"

    def run(self, *args, timeout=30):
        """Runs one subcommand; returns (exit code, list of JSON records)."""
        result = self.rig.wine(self.exe, *map(str, args), timeout=timeout, check=False)
        records = []
        for line in result.stdout.decode("latin-1").splitlines():
            line = line.strip()
            if line.startswith("{"):
                records.append(json.loads(line))
        return result.returncode, records

    def _one(self, *args, timeout=30):
        code, records = self.run(*args, timeout=timeout)
        if code != 0 or not records:
            error = records[0].get("error") if records else "no output"
            raise DriverError(f"korvdriver {' '.join(map(str, args))}: {error} (exit {code})")
        return records[0]

    def windows(self):
        """Every top-level window: hwnd, pid, class, title, visible, minimized, maximized,
        foreground, owner."""
        return self.run("windows")[1]

    def find(self, title, timeout=0):
        """The window with that exact title (hidden ones too), or None."""
        code, records = self.run("find", title, int(timeout * 1000), timeout=timeout + 30)
        return records[0] if code == 0 and records else None

    def wait_window(self, title, timeout=20):
        found = self.find(title, timeout)
        if found is None:
            raise DriverError(f"no window titled {title!r} within {timeout} s; windows: "
                              f"{[w['title'] for w in self.windows() if w['title']]}")
        return found

    def state(self, window):
        return self._one("state", window_arg(window))

    def controls(self, window):
        """Child controls: hwnd, parent, class, id, text, visible, enabled, rect (client
        coordinates of the window), and checked for check boxes and radio buttons. A status
        bar's text is its simple panel (or first part). List boxes also give count, selected,
        top (rows from 0, -1 for none) and item_height."""
        code, records = self.run("controls", window_arg(window))
        if code != 0:
            raise DriverError(f"controls of {window!r}: {records}")
        return records

    def control(self, window, text=None, cls=None):
        """The first control with that text and/or class."""
        for control in self.controls(window):
            if (text is None or control["text"] == text) and (
                    cls is None or control["class"].lower() == cls.lower()):
                return control
        raise DriverError(f"no control text={text!r} class={cls!r} in {window!r}")

    def status_text(self, window):
        return self.control(window, cls="msctls_statusbar32")["text"]

    def rect(self, window):
        """{"client": [l, t, r, b], "window": [l, t, r, b] (screen)}."""
        return self._one("rect", window_arg(window))

    def click(self, window, caption):
        """Clicks the button with that caption (BM_CLICK, posted). Fails when it is disabled."""
        return self._one("click", window_arg(window), caption)

    def msgbox(self, timeout=10, pid=None):
        """The visible message box (a #32770 dialog), optionally of one process: hwnd, pid,
        caption, text (its static texts joined by newlines), buttons. None when there is none."""
        args = ["msgbox", int(timeout * 1000)] + ([pid] if pid else [])
        code, records = self.run(*args, timeout=timeout + 30)
        return records[0] if code == 0 and records else None

    def press(self, dialog, caption):
        """Presses a dialog's button (e.g. a message box's "OK") as a click would."""
        return self._one("press", window_arg(dialog), caption)

    def set_title(self, window, text):
        """SetWindowTextA on another program's window, as the service retitles the host."""
        return self._one("title", window_arg(window), text)

    def post(self, window, message, wparam=0, lparam=0):
        return self._one("post", window_arg(window), message, wparam, lparam)

    def type(self, window, text):
        """Posts one WM_CHAR per character of `text` to the window, in order."""
        return self._one("type", window_arg(window), text)

    def tray_icons(self):
        """Handles of the icons in Wine's notification area: the child windows of its own tray
        window (shown when the display has no tray of its own, as under Xvfb). A mouse message
        posted to one reaches its program as the icon's callback message, as a click would."""
        return [c["hwnd"] for w in self.windows() if w["class"] == "__winex11_standalone_tray"
                for c in self.controls(w) if c["class"] == "__winex11_tray_icon"]

    def host(self, title, seconds=None, controls=False):
        """Starts a stand-in host window; returns a HostWindow once it is up."""
        return HostWindow(self, title, seconds, controls)

    def raw_print(self, printer, path, title="korvdriver"):
        """Sends a file's bytes to a printer as a RAW spooler document (WritePrinter)."""
        return self._one("rawprint", printer, windows_path(path), title)

    def profile_batch(self, ops_file):
        """Runs a batch of profile operations through the platform's calls (see IniBatch.h);
        returns the answer lines."""
        result = self.rig.wine(self.exe, "profile", "batch", windows_path(ops_file), timeout=120)
        return result.stdout.decode("latin-1").splitlines()


class HostWindow:
    """korvdriver's stand-in host window, running until stop() (or for `seconds`)."""

    def __init__(self, driver, title, seconds, controls):
        self.title = title
        self.events_path = driver.rig.run_dir / f"host-{os.getpid()}-{time.monotonic_ns()}.log"
        args = ["wine", str(driver.exe), "host", title]
        if seconds:
            args.append(str(int(seconds)))
        if controls:
            args.append("--controls")
        with open(self.events_path, "wb") as out:
            self.process = subprocess.Popen(args, env=driver.rig.env, stdin=subprocess.DEVNULL,
                                            stdout=out, stderr=subprocess.DEVNULL,
                                            start_new_session=True)
        ready = wait_until(lambda: self._event("ready"), 20, f"host window {title!r}")
        self.hwnd = ready["hwnd"]

    def events(self):
        """What the window saw so far: dicts with "event" = ready, title, activate, size,
        answer, closed."""
        if not self.events_path.exists():
            return []
        return [json.loads(line) for line in self.events_path.read_text("latin-1").splitlines()
                if line.startswith("{")]

    def _event(self, kind):
        return next((e for e in self.events() if e["event"] == kind), None)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait(timeout=10)


def main(argv):
    if len(argv) == 2 and argv[1] == "setup":
        state = setup(RUN_DIR)
        print(f"rig ready in {state['setup_seconds']} s: display {state['display']}, "
              f"prefix {state['prefix']}, captures in {state['capture_root']}")
        return 0
    if len(argv) == 2 and argv[1] == "cleanup":
        cleanup(RUN_DIR)
        print("rig cleaned up")
        return 0
    print("usage: korvrig.py setup|cleanup", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
