"""The test classes' shared set-up: the rig for every test with its services ended after
each one, or one service for a whole class."""
import unittest

from .rig import Rig

SERVICE_TITLE = "Printer (Korvelane)"
FOLLOW_DEFAULT = "[Vozazad]\r\nUseDefault=Y\r\n"  # a profile that follows the default printer


class ServiceTest(unittest.TestCase):
    """Tests that start services of their own: `self.rig`; every service ends after a test."""

    def setUp(self):
        self.rig = Rig.get()

    def tearDown(self):
        self.rig.kill_services()


class SharedServiceTest(unittest.TestCase):
    """One service for the whole class, from the profile `ini`, named `service_name` (the
    class's name when None): `cls.service`, its window `cls.window`, `cls.jobs` to count
    the jobs dropped. It is stopped after the class."""

    ini = FOLLOW_DEFAULT
    service_name = None

    @classmethod
    def setUpClass(cls):
        cls.rig = Rig.get()
        cls.service = cls.rig.start_service(ini=cls.ini, name=cls.service_name or cls.__name__)
        cls.window = cls.service.wait_window(SERVICE_TITLE, timeout=30)
        cls.jobs = 0

    @classmethod
    def tearDownClass(cls):
        try:
            cls.service.stop()
        finally:
            cls.rig.kill_services()
