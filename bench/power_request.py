#!/usr/bin/python3
"""How long one power request takes through the real D-Bus backend against a mocked logind
(and a mocked GNOME session manager for logging off) on private buses: median of 100.

    bench/power_request.py POWER_REQUEST_DRIVER
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
import bus_fixture  # noqa: E402


def measure(buses, action, label):
    out = subprocess.run([sys.argv[1], str(action), "--repeat", "100"], env=buses.environment(),
                         capture_output=True, text=True, check=True).stdout
    values = dict(line.split("=", 1) for line in out.split())
    print(f"{label:34s} median {int(values['median_us']) / 1000:6.2f} ms, "
          f"max {int(values['max_us']) / 1000:6.2f} ms (100 requests, result {values['result']})")


def main():
    buses = bus_fixture.Buses()
    try:
        buses.start_logind()
        measure(buses, 1, "power off (CanPowerOff, PowerOff)")
        measure(buses, 3, "log off through logind")
        buses.start_mock(False, "org.gnome.SessionManager", "/org/gnome/SessionManager",
                         "org.gnome.SessionManager", [("Logout", "u", "", "")])
        measure(buses, 3, "log off through GNOME")
    finally:
        buses.close()


if __name__ == "__main__":
    main()
