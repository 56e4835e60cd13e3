"""The end-to-end rig: korvprint.exe under Wine, printing into CUPS capture queues.

One rig per test run (a Wine prefix, a display, the capture queues); tests start the service
in fresh home directories, drop spool files, wait for captured jobs and drive windows with
korvdriver.exe. See README.md beside this package for the API in short.

    base        paths, queues, RigError, wait_until
    rig         Rig: the run's prefix, display and queues; setup() and cleanup()
    service     Service: korvprint.exe in a home directory of its own
    capture     Capture, CapturedJob: what the queues stored
    postscript  Page, Char: txtwrite positions and rendered pages of PostScript jobs
    driver      Driver, HostWindow: korvdriver.exe
    cases       ServiceTest, SharedServiceTest: the test classes' shared set-up

Run as a module for ctest's fixture:  python3 -m korvrig setup | cleanup
"""
from .base import (CAPTURE_SPOOL, DEFAULT_QUEUE, NATIVE_DIR, QUEUES, REJECT_QUEUE, RIG_SCRIPTS,
                   RUN_DIR, SOURCE_DIR, WIN32_DIR, WINE, WINE_ARCH, RigError, wait_until, windows_path)
from .capture import Capture, CapturedJob
from .cases import FOLLOW_DEFAULT, SERVICE_TITLE, ServiceTest, SharedServiceTest
from .driver import Driver, DriverError, HostWindow, window_arg
from .postscript import Char, Page, parse_txtwrite, postscript_pages, render_png
from .rig import Rig, cleanup, setup
from .service import Service
