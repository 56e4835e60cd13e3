"""What every part of the harness shares: the run's paths and queues, the rig's error, waiting."""
import os
import time
from pathlib import Path

QUEUES = ("KorvCapture1", "KorvCapture2", "KorvShort")
DEFAULT_QUEUE = "KorvCapture1"
CAPTURE_SPOOL = Path("/var/spool/korvcapture")  # as scripts/rig/queues.sh

SOURCE_DIR = Path(os.environ.get("KORV_SOURCE_DIR", Path(__file__).resolve().parents[3]))
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

