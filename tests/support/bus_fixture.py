"""Private D-Bus buses for tests: a system bus and a session bus of the test's own, in a folder
of its own that carries a mark, with python-dbusmock services on them.

Nothing here ever talks to the machine's real buses: the addresses are set in this process's
environment only after both private buses answer, and every process the tests start gets them.
"""
import os
import shutil
import subprocess
import tempfile
import time

import dbus
import dbus.bus

MARK = ".autoshutdown-test-buses"
MOCK_IFACE = "org.freedesktop.DBus.Mock"

CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>{kind}</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
"""


class Buses:
    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="autoshutdown-buses-")
        open(os.path.join(self.folder, MARK), "w").close()
        self.processes = []
        self.system = self._start_bus("system")
        self.session = self._start_bus("session")
        # From here on this process and its children reach only the private buses.
        os.environ["DBUS_SYSTEM_BUS_ADDRESS"] = self.system
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.session
        os.environ["AUTOSHUTDOWN_TEST_BUS_DIR"] = self.folder
        os.environ["XDG_RUNTIME_DIR"] = self.folder
        # Connections of this fixture's own: dbus.SystemBus() would be shared by every fixture.
        self.connections = {True: dbus.bus.BusConnection(self.system),
                            False: dbus.bus.BusConnection(self.session)}

    def _start_bus(self, kind):
        socket = os.path.join(self.folder, f"{kind}_bus_socket")
        config = os.path.join(self.folder, f"{kind}.conf")
        with open(config, "w") as f:
            f.write(CONFIG.format(kind=kind, socket=socket))
        daemon = subprocess.Popen(
            ["dbus-daemon", f"--config-file={config}", "--nofork", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append(daemon)
        address = daemon.stdout.readline().strip()
        daemon.stdout.close()
        if not address.startswith(f"unix:path={self.folder}/"):
            raise RuntimeError(f"the private {kind} bus did not start")
        return address

    def environment(self, **extra):
        """The environment for a child process: private buses, private runtime folder."""
        env = dict(os.environ)
        env.update(extra)
        for name in ("DBUS_SYSTEM_BUS_ADDRESS", "DBUS_SESSION_BUS_ADDRESS"):
            assert env[name].startswith(f"unix:path={self.folder}/"), name
        return env

    def spawn(self, system, *arguments):
        """Starts python-dbusmock with the arguments; returns its process."""
        command = ["/usr/bin/python3", "-m", "dbusmock"] + (["--system"] if system else []) + list(arguments)
        process = subprocess.Popen(command, env=self.environment(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def bus(self, system):
        return self.connections[system]

    def wait_for(self, system, name, path, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                obj = self.bus(system).get_object(name, path)
                obj.GetCalls(dbus_interface=MOCK_IFACE)
                return obj
            except dbus.exceptions.DBusException:
                time.sleep(0.02)
        raise RuntimeError(f"{name} did not appear")

    def start_logind(self, **answers):
        """The logind template, with GetSessionByPID and one session of the test's own."""
        parameters = "{" + ", ".join(f'"{k}": "{v}"' for k, v in answers.items()) + "}"
        process = self.spawn(True, "--template", "logind", "-p", parameters)
        logind = self.wait_for(True, "org.freedesktop.login1", "/org/freedesktop/login1")
        session = logind.AddSession("c1", "seat0", dbus.UInt32(os.getuid()), "tester", True,
                                    dbus_interface=MOCK_IFACE)
        logind.AddMethod("org.freedesktop.login1.Manager", "GetSessionByPID", "u", "o",
                         f'ret = "{session}"', dbus_interface=MOCK_IFACE)
        clear(logind)  # the calls that set the mock up are not the tests' business
        return process, logind, self.bus(True).get_object("org.freedesktop.login1", session)

    def start_mock(self, system, name, path, interface, methods):
        """A plain service; methods are (name, in signature, out signature, code)."""
        process = self.spawn(system, name, path, interface)
        obj = self.wait_for(system, name, path)
        obj.AddMethods(interface, methods, dbus_interface=MOCK_IFACE)
        clear(obj)
        return process, obj

    def close(self):
        for connection in self.connections.values():
            connection.close()
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(self.folder, ignore_errors=True)


def calls(obj):
    """The method calls a mock received: (name, [arguments as plain Python values])."""
    result = []
    for _, method, arguments in obj.GetCalls(dbus_interface=MOCK_IFACE):
        result.append((str(method), [unwrap(a) for a in arguments]))
    return result


def clear(obj):
    obj.ClearCalls(dbus_interface=MOCK_IFACE)


def unwrap(value):
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, (dbus.Int32, dbus.UInt32, dbus.Int64, dbus.UInt64, dbus.Byte)):
        return int(value)
    if isinstance(value, (dbus.String, dbus.ObjectPath)):
        return str(value)
    return value
