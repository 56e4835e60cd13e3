"""The rig of a test run: Wine prefix, display, capture queues; set up and cleaned up once."""
import contextlib
import copy
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import time
from pathlib import Path

from .base import (CAPTURE_SPOOL, DEFAULT_QUEUE, QUEUES, REJECT_QUEUE, RIG_SCRIPTS, RUN_DIR,
                   SOURCE_DIR, WIN32_DIR, WINE, WINE_ARCH, RigError, _pid_alive, wait_until)
from .capture import Capture
from .driver import Driver
from .service import Service


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
        env.update(WINEPREFIX=str(self.prefix), WINEARCH=WINE_ARCH, KORV_WINE_ARCH=WINE_ARCH,
                   WINEDEBUG=os.environ.get("KORV_WINEDEBUG", "-all"),
                   WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display,
                   CUPS_USER=self.cups_user)
        if WINE_ARCH == "win64":
            env["WINELOADER"] = WINE
        return env

    @contextlib.contextmanager
    def fresh_prefix(self, name):
        """A rig like this one (display, queues) in a new Wine prefix of its own, as on a
        machine that never saw korvprint; its Wine processes end and it is removed after."""
        fresh = copy.copy(self)
        fresh.prefix = self.run_dir / f"prefix-{name}"
        fresh._services = []
        fresh.driver = Driver(fresh)
        shutil.rmtree(fresh.prefix, ignore_errors=True)
        env = dict(os.environ, DISPLAY=self.display, KORV_WINE_ARCH=WINE_ARCH,
                   KORV_NO_WINDOW_MANAGER="1" if self.xvfb_pid else "0")
        result = subprocess.run(["bash", str(RIG_SCRIPTS / "prefix.sh"), str(fresh.prefix)],
                                env=env, stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=300)
        if result.returncode != 0:
            raise RigError("prefix.sh failed:\n" + result.stderr.decode(errors="replace"))
        subprocess.run(["wineserver", "-p"], env=fresh.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       start_new_session=True, check=True)
        try:
            yield fresh
        finally:
            fresh.kill_services()
            for step in ("-k", "-w"):
                subprocess.run(["wineserver", step], env=fresh.env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
            shutil.rmtree(fresh.prefix, ignore_errors=True)

    def wine(self, *args, timeout=60, check=True):
        """Runs a Windows program (or wine's own tool such as reg) to its end; returns the result
        (returncode, stdout and stderr as bytes)."""
        # Output goes through files, not pipes: Wine's system processes, started by whichever
        # program comes first, inherit its output handles and would hold a pipe open.
        import tempfile
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.Popen([WINE, *map(str, args)], env=self.env,
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

    def wine_process(self, *args):
        """Starts a Windows program and leaves it running; returns the Popen. Its output goes
        to a temporary file (not a pipe, see wine()), `.output`."""
        import tempfile
        out = tempfile.TemporaryFile()
        process = subprocess.Popen([WINE, *map(str, args)], env=self.env,
                                   stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL)
        process.output = out
        return process

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

    def restart_service(self, service):
        """Starts korvprint.exe again in the home of `service`, which has ended."""
        again = Service(self, service.home)
        self._services.append(again)
        return again

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

    def screen_pixels(self, rect):
        """The display's pixels in rect (left, top, right, bottom): rows, top first, of
        (red, green, blue) tuples."""
        left, top, right, bottom = rect
        width, height = right - left, bottom - top
        result = subprocess.run(["import", "-display", self.display, "-window", "root", "-crop",
                                 f"{width}x{height}+{left}+{top}", "-depth", "8", "ppm:-"],
                                stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        magic, size, maxval, data = result.stdout.split(b"\n", 3)
        if result.returncode != 0 or magic != b"P6" or maxval != b"255":
            raise RigError(f"screen capture failed: {result.stderr.decode(errors='replace')}")
        width, height = map(int, size.split())
        return [[tuple(data[3 * (y * width + x):3 * (y * width + x) + 3]) for x in range(width)]
                for y in range(height)]

    def window_icons(self, window):
        """The icon images Wine gave the window's X window (_NET_WM_ICON): a list of
        (width, height, [ARGB values, rows top first])."""
        xid = self.driver.x_window(window)
        out = subprocess.run(["xprop", "-display", self.display, "-id", str(xid), "-notype",
                              "-f", "_NET_WM_ICON", "32c", " = $0+", "_NET_WM_ICON"],
                             stdin=subprocess.DEVNULL, capture_output=True, text=True,
                             timeout=30).stdout
        if "=" not in out:
            return []
        values = [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
        images = []
        while len(values) >= 2:
            width, height = values[0], values[1]
            images.append((width, height, values[2:2 + width * height]))
            values = values[2 + width * height:]
        return images

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
    for queue in QUEUES + (REJECT_QUEUE,):
        (spool / queue).mkdir(parents=True)
    capture_root = run_dir / "capture"
    capture_root.symlink_to(spool, target_is_directory=True)
    state = {"prefix": str(run_dir / "prefix"), "capture_root": str(capture_root),
             "cups_user": user, "display": os.environ.get("DISPLAY", ""), "xvfb_pid": None}
    if not state["display"]:
        display, pid = _run_script(RIG_SCRIPTS / "xvfb.sh", run_dir / "xvfb.log").split()
        state["display"], state["xvfb_pid"] = display, int(pid)
    env = dict(os.environ, DISPLAY=state["display"], KORV_WINE_ARCH=WINE_ARCH,
               KORV_NO_WINDOW_MANAGER="1" if state["xvfb_pid"] else "0")
    result = subprocess.run(["bash", str(RIG_SCRIPTS / "prefix.sh"), state["prefix"]], env=env,
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    if result.returncode != 0:
        raise RigError("prefix.sh failed:\n" + result.stderr.decode(errors="replace"))
    # One wineserver for the whole run, started apart from any test's pipes: a server started
    # by a wine call would inherit that call's output pipe and keep readers waiting.
    wenv = dict(env, WINEPREFIX=state["prefix"], WINEARCH=WINE_ARCH, WINEDEBUG="-all")
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

