"""A private X server (Xvfb) and the real program on it, driven the way a user drives it."""
import os
import shutil
import subprocess
import time

TITLE = "^自动关机$"


class XServer:
    def __init__(self, width=1280, height=1024):
        if not shutil.which("Xvfb") or not shutil.which("xdotool"):
            raise RuntimeError("Xvfb and xdotool are needed")
        number = 60
        while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            number += 1
        self.display = f":{number}"
        self.process = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            if time.monotonic() > deadline:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.02)

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=self.display),
                              capture_output=True, text=True, timeout=10).stdout.strip()

    def visible_windows(self, name):
        found = self.xdotool("search", "--onlyvisible", "--name", name)
        return found.split() if found else []

    def wait_until(self, condition, timeout=10, what="the condition"):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what}")

    def close(self):
        self.process.terminate()
        self.process.wait()


def start_program(program, env):
    """The real program with the given environment (buses, DISPLAY); Qt's own platform choice."""
    env = dict(env)
    env.pop("QT_QPA_PLATFORM", None)
    return subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
