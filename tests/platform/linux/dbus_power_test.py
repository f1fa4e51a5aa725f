#!/usr/bin/python3
"""Power requests over D-Bus against a mocked logind and mocked session managers on private
buses, through the real backend (power_request_driver) and through the real program's buttons
under Xvfb.

    dbus_power_test.py POWER_REQUEST_DRIVER AUTOSHUTDOWN
"""
import os
import socket
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import bus_fixture  # noqa: E402
import x_fixture  # noqa: E402
from bus_fixture import calls, clear  # noqa: E402

DRIVER = PROGRAM = None
MANAGER = "org.freedesktop.login1.Manager"
GNOME = ("org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager")
KDE = ("org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown")
XFCE = ("org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager")


def request(buses, action, *flags, env=None):
    """Runs one request through the real backend; returns (result, elapsed seconds)."""
    start = time.monotonic()
    out = subprocess.run([DRIVER, str(action), *flags], env=env or buses.environment(),
                         capture_output=True, text=True, timeout=30)
    elapsed = time.monotonic() - start
    if out.returncode != 0:
        raise AssertionError(f"driver failed: {out.stderr}")
    values = dict(line.split("=", 1) for line in out.stdout.split())
    return values["result"] == "true", elapsed


def names(obj):
    return [name for name, _ in calls(obj)]


class PowerOverDBusTest(unittest.TestCase):
    def setUp(self):
        self.buses = bus_fixture.Buses()
        self.addCleanup(self.buses.close)
        self.logind_process, self.logind, self.session = self.buses.start_logind()

    def test_each_code_makes_the_call_of_its_table_row(self):
        rows = {1: ("CanPowerOff", "PowerOff"), 2: ("CanReboot", "Reboot"),
                4: ("CanSuspend", "Suspend"), 5: ("CanHibernate", "Hibernate")}
        for action, (can, act) in rows.items():
            with self.subTest(action=action):
                clear(self.logind)
                result, _ = request(self.buses, action)
                self.assertTrue(result)
                self.assertEqual(calls(self.logind), [(can, []), (act, [False])])

    def test_invalid_codes_make_no_call(self):
        _, gnome = self.buses.start_mock(False, *GNOME, [("Logout", "u", "", "")])
        for action in (0, -1, 6):
            with self.subTest(action=action):
                result, _ = request(self.buses, action)
                self.assertFalse(result)
                self.assertEqual(calls(self.logind), [])
                self.assertEqual(calls(gnome), [])

    def test_a_refused_step_requests_nothing(self):
        for answer in ("no", "challenge", "na", "maybe"):
            with self.subTest(answer=answer):
                self.logind.AddMethod(MANAGER, "CanPowerOff", "", "s", f'ret = "{answer}"',
                                      dbus_interface=bus_fixture.MOCK_IFACE)
                clear(self.logind)
                result, _ = request(self.buses, 1)
                self.assertFalse(result)
                self.assertEqual(names(self.logind), ["CanPowerOff"])

    def test_method_errors_are_false(self):
        self.logind.AddMethod(MANAGER, "CanReboot", "", "s",
                              'raise dbus.exceptions.DBusException("no", name="org.freedesktop.DBus.Error.AccessDenied")',
                              dbus_interface=bus_fixture.MOCK_IFACE)
        result, _ = request(self.buses, 2)
        self.assertFalse(result)
        self.assertEqual(names(self.logind), ["CanReboot"])

        clear(self.logind)
        self.logind.AddMethod(MANAGER, "Suspend", "b", "",
                              'raise dbus.exceptions.DBusException("no", name="org.freedesktop.DBus.Error.AccessDenied")',
                              dbus_interface=bus_fixture.MOCK_IFACE)
        result, _ = request(self.buses, 4)
        self.assertFalse(result)
        self.assertEqual(names(self.logind), ["CanSuspend", "Suspend"])

    def test_no_logind_is_false_at_once(self):
        self.logind_process.terminate()
        self.logind_process.wait()
        for action in (1, 2, 3, 4, 5):
            with self.subTest(action=action):
                result, elapsed = request(self.buses, action)
                self.assertFalse(result)
                self.assertLess(elapsed, 0.4)

    def test_the_driver_refuses_buses_it_did_not_get_from_the_fixture(self):
        for name, address in (("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/run/dbus/system_bus_socket"),
                              ("DBUS_SESSION_BUS_ADDRESS", "unix:path=/tmp/elsewhere")):
            with self.subTest(bus=name):
                env = dict(self.buses.environment())
                env[name] = address
                out = subprocess.run([DRIVER, "1"], env=env, capture_output=True, text=True)
                self.assertEqual(out.returncode, 2)
                self.assertIn("refusing", out.stderr)
        self.assertEqual(calls(self.logind), [])

    def test_a_hung_system_bus_costs_at_most_the_limit(self):
        # A socket that accepts and never answers: the handshake would wait forever.
        path = os.path.join(self.buses.folder, "hung_socket")
        hung = socket.socket(socket.AF_UNIX)
        hung.bind(path)
        hung.listen(8)
        self.addCleanup(hung.close)
        env = self.buses.environment(DBUS_SYSTEM_BUS_ADDRESS=f"unix:path={path}")
        result, elapsed = request(self.buses, 1, env=env)
        self.assertFalse(result)
        self.assertLess(elapsed, 1.5)  # the backend's limit is 0.5 s, plus starting the driver
        self.assertEqual(calls(self.logind), [])

    def test_log_off_asks_the_session_manager_first(self):
        _, gnome = self.buses.start_mock(False, *GNOME, [("Logout", "u", "", "")])
        result, _ = request(self.buses, 3)
        self.assertTrue(result)
        self.assertEqual(calls(gnome), [("Logout", [1])])  # no confirmation dialog, not forced
        self.assertEqual(calls(self.session), [])
        self.assertNotIn("GetSessionByPID", names(self.logind))

        clear(gnome)
        result, _ = request(self.buses, 3, "--force")
        self.assertTrue(result)
        self.assertEqual(calls(gnome), [("Logout", [2])])

    def test_log_off_on_plasma_and_xfce(self):
        for service, expected in ((KDE, [("logout", [])]), (XFCE, [("Logout", [False, True])])):
            with self.subTest(service=service[0]):
                process, manager = self.buses.start_mock(
                    False, *service,
                    [("logout", "", "", ""), ("Logout", "bb", "", "")])
                result, _ = request(self.buses, 3)
                self.assertTrue(result)
                self.assertEqual(calls(manager), expected)
                self.assertEqual(calls(self.session), [])
                process.terminate()
                process.wait()
                time.sleep(0.1)

    def test_a_refusing_session_manager_is_not_overridden(self):
        _, gnome = self.buses.start_mock(False, *GNOME, [(
            "Logout", "u", "",
            'raise dbus.exceptions.DBusException("busy", name="org.gnome.SessionManager.NotInRunning")')])
        result, _ = request(self.buses, 3)
        self.assertFalse(result)
        self.assertEqual(calls(self.session), [])

    def test_log_off_falls_back_to_the_logind_session(self):
        result, _ = request(self.buses, 3)
        self.assertTrue(result)
        self.assertIn("GetSessionByPID", names(self.logind))
        self.assertEqual(calls(self.session), [("Terminate", [])])


class ButtonsUnderXvfbTest(unittest.TestCase):
    """The four immediate buttons of the real program, clicked on a real X server."""

    def setUp(self):
        self.buses = bus_fixture.Buses()
        self.addCleanup(self.buses.close)
        _, self.logind, _ = self.buses.start_logind()
        _, self.gnome = self.buses.start_mock(False, *GNOME, [("Logout", "u", "", "")])
        self.x = x_fixture.XServer()
        self.addCleanup(self.x.close)
        self.program = x_fixture.start_program(PROGRAM, self.buses.environment(DISPLAY=self.x.display))
        self.addCleanup(self.stop_program)
        self.window = self.x.wait_until(lambda: self.x.visible_windows(x_fixture.TITLE),
                                        what="the main window")[0]

    def stop_program(self):
        if self.program.poll() is None:
            self.program.terminate()
            self.program.wait(timeout=10)

    def wait_for_calls(self, obj, expected):
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            if calls(obj) == expected:
                return
            time.sleep(0.02)
        self.assertEqual(calls(obj), expected)

    def test_each_button_makes_its_request(self):
        geometry = self.x.xdotool("getwindowgeometry", "--shell", self.window)
        place = dict(line.split("=") for line in geometry.split())
        left, top = int(place["X"]), int(place["Y"])
        self.assertEqual((left, top), (440, 385))  # centred on the 1280 x 1024 screen
        # Button centres: 操作： lies at (244, 152), its buttons 56 x 16 at (16|86, 14|32).
        buttons = [((16, 14), self.logind, [("CanPowerOff", []), ("PowerOff", [False])]),
                   ((86, 14), self.logind, [("CanReboot", []), ("Reboot", [False])]),
                   ((16, 32), self.gnome, [("Logout", [1])]),
                   ((86, 32), self.logind, [("CanSuspend", []), ("Suspend", [False])])]
        for (x, y), mock, expected in buttons:
            clear(self.logind)
            clear(self.gnome)
            self.x.xdotool("mousemove", str(left + 244 + x + 28), str(top + 152 + y + 8), "click", "1")
            self.wait_for_calls(mock, expected)
        self.assertIsNone(self.program.poll())  # still running, nothing asked
        self.program.terminate()
        self.assertEqual(self.program.wait(timeout=10), 0)


if __name__ == "__main__":
    DRIVER, PROGRAM = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
