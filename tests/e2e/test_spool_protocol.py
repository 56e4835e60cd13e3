"""The spool directory as the host program uses it, against the real program under Wine:
the stop file and the names it never touches."""
import time
import unittest

import korvrig

TITLE = "Printer (Korvelane)"


class SpoolProtocol(korvrig.ServiceTest):
    def test_a_one_byte_disable_stops_the_service_and_is_deleted(self):
        rig = korvrig.Rig.get()
        service = rig.start_service(ini=None, test_page=False)
        service.wait_window(TITLE, timeout=30)
        service.drop("DISABLE", b"x")
        self.assertEqual(service.process.wait(timeout=30), 0)
        self.assertFalse((service.spool / "DISABLE").exists())
        self.assertIsNone(rig.driver.find(TITLE))

    def test_names_with_tmp_and_an_empty_disable_are_left_alone(self):
        rig = korvrig.Rig.get()
        service = rig.start_service(ini=None, test_page=False)
        service.wait_window(TITLE, timeout=30)
        kept = {"JOB.TMP": b"12345", "tmpjob": b"1", "XTMPX": b"twenty bytes of data",
                "DISABLE": b""}
        for name, data in kept.items():
            service.drop(name, data)
        # A small job is taken, so the service has polled past the others.
        service.drop("SMALL", b"12345")
        service.wait_gone("SMALL", timeout=15)
        time.sleep(1)  # about ten more polls
        self.assertTrue(service.running)
        for name, data in kept.items():
            self.assertEqual((service.spool / name).read_bytes(), data, name)
        self.assertEqual(service.stop(), "disable")


if __name__ == "__main__":
    unittest.main()
