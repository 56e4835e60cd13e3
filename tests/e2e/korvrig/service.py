"""korvprint.exe running under Wine in a home directory of its own."""
import os
import signal
import subprocess
from pathlib import Path

from .base import WINE, RigError, wait_until


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
                [WINE, str(self.home / "korvprint.exe")], cwd=self.home, env=rig.env,
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

