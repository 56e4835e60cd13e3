"""korvdriver.exe: windows, controls, message boxes, the stand-in host window, profile calls.
Texts come back as str with one character per byte (encode("latin-1") gives the bytes).
A window is named by its exact title or by "#<handle>"; records carry "hwnd"."""
import json
import os
import signal
import subprocess
import time

from .base import DEFAULT_QUEUE, WIN32_DIR, WINE, RigError, wait_until, windows_path


def wide(control):
    """A control record's wide_text (UTF-8 bytes, one character per byte) as str."""
    return control["wide_text"].encode("latin-1").decode("utf-8", errors="replace")


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

    def status_text_wide(self, window):
        """The status bar's text read with the wide messages (SB_GETTEXTW), as str."""
        return wide(self.control(window, cls="msctls_statusbar32"))

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

    def list_view(self, window):
        """The window's first list-view (report view): {"hwnd", "columns": [titles], "rows":
        [{"texts": [cells], "selected": bool}]}, top row first. Its texts are the control's
        wide texts, so they come back as they are shown (any script)."""
        code, records = self.run("listview", window_arg(window))
        if code != 0 or not records:
            raise DriverError(f"listview {window!r}: {records}")

        def text(t):
            return t.encode("latin-1").decode("utf-8")
        head, rows = records[0], records[1:]
        return {"hwnd": head["hwnd"], "columns": [text(t) for t in head["columns"]],
                "rows": [{"texts": [text(t) for t in r["texts"]], "selected": r["selected"]}
                         for r in rows]}

    def select_rows(self, window, rows):
        """Makes exactly these rows (from 0) of the window's list-view selected, the first
        focused, as clicks would."""
        return self._one("lvselect", window_arg(window), *rows)

    def click_column(self, window, column):
        """Clicks the header of a column (from 0) of the window's list-view (posted mouse
        button messages in the middle of it)."""
        return self._one("lvcolumn", window_arg(window), column)

    def tray_icons(self):
        """Handles of the icons in Wine's notification area: the child windows of its own tray
        window (shown when the display has no tray of its own, as under Xvfb). A mouse message
        posted to one reaches its program as the icon's callback message, as a click would."""
        return [c["hwnd"] for w in self.windows() if w["class"] == "__winex11_standalone_tray"
                for c in self.controls(w) if c["class"] == "__winex11_tray_icon"]

    def resources(self, path):
        """What a program file carries: file_version [a, b, c, d], ProductName,
        ProductVersion, FileVersion, FileDescription (GetFileVersionInfoA), the manifest's
        text and icon_sizes of icon group 1."""
        return self._one("resources", windows_path(path))

    def x_window(self, window):
        """The X window Wine made for a top-level window."""
        return self._one("xwindow", window_arg(window))["xwindow"]

    def host(self, title, seconds=None, controls=False):
        """Starts a stand-in host window; returns a HostWindow once it is up."""
        return HostWindow(self, title, seconds, controls)

    def hold(self, kind, path, seconds, source=None):
        """Holds a file open in another process ("write": creates it from `source`, half now,
        the rest after `seconds`; "read": shared with readers only); returns a HeldFile once
        the file is open."""
        return HeldFile(self, kind, path, seconds, source)

    def raw_print(self, printer, path, title="korvdriver"):
        """Sends a file's bytes to a printer as a RAW spooler document (WritePrinter)."""
        return self._one("rawprint", printer, windows_path(path), title)

    def add_printer(self, name, port, driver=DEFAULT_QUEUE):
        """Adds a printer to the prefix (AddPrinterA level 2) on that port: a file path,
        FILE: ... Wine 8 installs its PostScript driver once per CUPS queue, under the queue's
        name and with its PPD, so a queue's name is the driver to take."""
        return self._one("addprinter", name, port, driver, timeout=60)

    def delete_printer(self, name):
        return self._one("deleteprinter", name, timeout=60)

    def start_doc(self, printer, timeout=30):
        """Starts (and aborts) a document on the printer without naming an output file through
        korvprint's device context: {"started": its StartDocA result, "refused": dialogs its
        guard refused}."""
        return self._one("startdoc", printer, "--as-program", timeout=timeout)

    def start_doc_process(self, printer):
        """The same through plain GDI, left running: it waits for whoever answers a dialog."""
        return self.rig.wine_process(self.exe, "startdoc", printer)

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
        args = [WINE, str(driver.exe), "host", title]
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



class HeldFile:
    """korvdriver holding a file open (see Driver.hold); wait() for its release."""

    def __init__(self, driver, kind, path, seconds, source):
        self.output = driver.rig.run_dir / f"hold-{os.getpid()}-{time.monotonic_ns()}.log"
        args = [WINE, str(driver.exe), "hold", kind, windows_path(path), str(int(seconds))]
        if source is not None:
            args.append(windows_path(source))
        with open(self.output, "wb") as out:
            self.process = subprocess.Popen(args, env=driver.rig.env, stdin=subprocess.DEVNULL,
                                            stdout=out, stderr=subprocess.DEVNULL,
                                            start_new_session=True)
        wait_until(lambda: self._record("held") or self.process.poll() is not None, 30,
                   f"korvdriver to hold {path}")
        if not self._record("held"):
            raise DriverError(f"korvdriver hold {kind} {path}: {self._records()}")

    def _records(self):
        if not self.output.exists():
            return []
        return [json.loads(line) for line in self.output.read_text("latin-1").splitlines()
                if line.startswith("{")]

    def _record(self, key):
        return next((r for r in self._records() if key in r), None)

    def wait(self, timeout=60):
        """Waits for the release; returns its record."""
        self.process.wait(timeout=timeout)
        released = self._record("released")
        if not released or not released.get("ok"):
            raise DriverError(f"korvdriver hold: {self._records()}")
        return released

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(timeout=10)
