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
            # -noreset: without it the server resets whenever its last client leaves, and a
            # client connecting meanwhile is refused.
            ["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
             "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Ready once a client gets an answer (the socket file can come before that).
        deadline = time.monotonic() + 10
        while self.xdotool("getdisplaygeometry") == "":
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.02)

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=self.display),
                              capture_output=True, text=True, timeout=10).stdout.strip()

    def visible_windows(self, name):
        found = self.xdotool("search", "--onlyvisible", "--name", name)
        return found.split() if found else []

    def visible_windows_by_class(self, name):
        found = self.xdotool("search", "--onlyvisible", "--classname", name)
        return found.split() if found else []

    def wait_until(self, condition, timeout=10, what="the condition"):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what}")

    def start_window_manager(self):
        """openbox, ready to manage windows when this returns; stopped with the server."""
        env = dict(os.environ, DISPLAY=self.display)
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.wait_until(lambda: "window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True,
            env=env).stdout, what="the window manager")

    def close(self):
        if getattr(self, "wm", None):
            self.wm.terminate()
            self.wm.wait()
        self.process.terminate()
        self.process.wait()


def start_program(program, env):
    """The real program with the given environment (buses, DISPLAY); Qt's own platform choice."""
    env = dict(env)
    env.pop("QT_QPA_PLATFORM", None)
    return subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
