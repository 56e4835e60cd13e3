"""The release package's installer under Wine, in a prefix of its own: a silent install into
C:\\KORVELAN, the service started from there printing into CUPS, and a silent uninstall that
stops the service and removes the program but keeps the profile and a job still waiting."""
import subprocess
import unittest

import korvrig

TITLE = "Printer (Korvelane)"
QUEUE = "KorvCapture1"
MISSING = "KorvMissingPrinter"
INSTALLED = ["LICENSE.txt", "README.txt", "VOZAZAD.INI", "VOZAZAD.TST", "korvprint.exe",
             "uninstall.exe"]


def build_installer():
    """scripts/package.sh for the architecture the rig runs; the installer's path."""
    arch = korvrig.WINE_ARCH
    out = subprocess.run(["bash", str(korvrig.SOURCE_DIR / "scripts" / "package.sh"), arch],
                         capture_output=True, text=True, timeout=600)
    if out.returncode != 0:
        raise korvrig.RigError("package.sh failed:\n" + out.stderr)
    setup = [line for line in out.stdout.splitlines() if line.endswith("-setup.exe")]
    return korvrig.SOURCE_DIR / setup[-1]


class Installer(unittest.TestCase):
    def test_silent_install_print_and_uninstall(self):
        setup = build_installer()
        rig = korvrig.Rig.get()
        with rig.fresh_prefix("installer") as fresh:
            home = fresh.prefix / "drive_c" / "KORVELAN"
            self.assertFalse(home.exists())
            result = fresh.wine(setup, "/S", timeout=120, check=False)
            self.assertEqual(result.returncode, 0)
            self.assertEqual(sorted(p.name for p in home.iterdir()), INSTALLED)
            startup = list((fresh.prefix / "drive_c" / "users").rglob("Printer for Korvelane.lnk"))
            self.assertEqual(len(startup), 1)
            self.assertEqual(startup[0].parent.name.lower(), "startup")
            self.assertIn(b"UseDefault=Y", (home / "VOZAZAD.INI").read_bytes())

            service = korvrig.Service(fresh, home)
            fresh._services.append(service)
            window = service.wait_window(TITLE, timeout=30)
            capture = fresh.capture(QUEUE)
            service.drop("JOB1", b"InstalledAndPrinting\r\n")
            self.assertIn("InstalledAndPrinting",
                          capture.wait_job(timeout=30).pages()[0].lines()[0][1])
            service.wait_gone("JOB1")

            # A job that cannot print now (raw mode, a printer that is gone) waits in WINPRINT.
            (home / "VOZAZAD.INI").write_bytes(
                f"[Vozazad]\r\nUseDefault=N\r\nPrinter={MISSING}\r\n".encode())
            service.drop("RAWPRINT", b"x")
            service.wait_gone("RAWPRINT")
            service.drop("WAITING", b"a job for later")
            korvrig.wait_until(lambda: fresh.driver.status_text(window).startswith(
                "Status - error"), 15, "the job to fail")

            fresh.wine(home / "uninstall.exe", "/S", timeout=120)
            service.process.wait(timeout=30)  # stopped by the uninstaller's DISABLE
            korvrig.wait_until(lambda: not (home / "uninstall.exe").exists(), 60,
                               "the uninstaller to finish")
            # What the service made stays: the log, and the history of the job it printed.
            self.assertEqual(sorted(p.name for p in home.iterdir()),
                             ["HISTORY", "VOZAZAD.INI", "WINPRINT", "korvprint.log"])
            self.assertEqual(sorted(p.name for p in (home / "WINPRINT").iterdir()), ["WAITING"])
            self.assertIn(MISSING.encode(), (home / "VOZAZAD.INI").read_bytes())
            self.assertFalse(startup[0].exists())


if __name__ == "__main__":
    unittest.main()
