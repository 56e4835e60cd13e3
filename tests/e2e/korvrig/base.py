"""What every part of the harness shares: the run's paths and queues, the rig's error, waiting."""
import os
import subprocess
import time
from pathlib import Path

QUEUES = ("KorvCapture1", "KorvCapture2", "KorvShort")
REJECT_QUEUE = "KorvReject1"  # as scripts/rig/queues.sh: tests reject and accept it
DEFAULT_QUEUE = "KorvCapture1"
CAPTURE_SPOOL = Path("/var/spool/korvcapture")  # as scripts/rig/queues.sh

SOURCE_DIR = Path(os.environ.get("KORV_SOURCE_DIR", Path(__file__).resolve().parents[3]))


def _wine_arch():
    """win32 where this machine runs 32-bit programs; otherwise win64: the 64-bit build under
    64-bit Wine (32-bit Wine fails with "Exec format error" on a kernel without 32-bit
    emulation). KORV_WINE_ARCH chooses it by hand, as in scripts/rig/wine-env.sh."""
    chosen = os.environ.get("KORV_WINE_ARCH")
    if chosen:
        return chosen
    try:
        runs = subprocess.run(["/usr/lib/wine/wine", "--version"], stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=30).returncode == 0
    except OSError:
        runs = False
    return "win32" if runs else "win64"


WINE_ARCH = _wine_arch()
WINE = "wine" if WINE_ARCH == "win32" else "/usr/lib/wine/wine64"  # the loader programs run with
# The Windows build the rig runs: build/win32 or build/win64, or KORV_WIN32_DIR when set.
WIN32_DIR = Path(os.environ.get("KORV_WIN32_DIR") or SOURCE_DIR / "build" / WINE_ARCH)
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

