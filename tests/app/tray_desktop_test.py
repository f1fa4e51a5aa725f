#!/usr/bin/python3
"""The real program's tray icon under Xvfb, on the three kinds of desktop it meets:
- a StatusNotifierItem host (a mocked StatusNotifierWatcher on a private session bus): the item
  registers with the right tooltip, its menu lists exactly the visible items of TrayMenu, and
  choosing items through com.canonical.dbusmenu does what the menu says;
- an XEmbed notification area (trayer): clicks on the icon itself;
- no notification area at all: hiding leaves the window minimised on the task bar.

    tray_desktop_test.py AUTOSHUTDOWN
"""
import os
import subprocess
import sys
import time
import unittest

import dbus

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import bus_fixture  # noqa: E402
import x_fixture  # noqa: E402
from bus_fixture import calls  # noqa: E402

PROGRAM = None
WATCHER = ("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher")
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"


class TrayAsStatusNotifierItemTest(unittest.TestCase):
    def setUp(self):
        self.buses = bus_fixture.Buses()
        self.addCleanup(self.buses.close)
        process = self.buses.spawn(False, *WATCHER)
        self.watcher = self.buses.wait_for(False, WATCHER[0], WATCHER[1])
        self.watcher.AddProperties(WATCHER[2], {
            "IsStatusNotifierHostRegistered": True,
            "ProtocolVersion": dbus.Int32(0),
            "RegisteredStatusNotifierItems": dbus.Array([], signature="s"),
        }, dbus_interface=bus_fixture.MOCK_IFACE)
        self.watcher.AddMethods(WATCHER[2], [("RegisterStatusNotifierItem", "s", "", ""),
                                             ("RegisterStatusNotifierHost", "s", "", "")],
                                dbus_interface=bus_fixture.MOCK_IFACE)
        self.x = x_fixture.XServer()
        self.addCleanup(self.x.close)
        self.program = x_fixture.start_program(PROGRAM, self.buses.environment(DISPLAY=self.x.display))
        self.addCleanup(self.stop)
        self.x.wait_until(lambda: self.x.visible_windows(x_fixture.TITLE), what="the main window")
        registered = self.x.wait_until(
            lambda: [args for name, args in calls(self.watcher) if name == "RegisterStatusNotifierItem"],
            what="the item to register")
        self.service = registered[0][0]
        bus = self.buses.bus(False)
        self.item = bus.get_object(self.service, "/StatusNotifierItem")
        menu_path = self.item.Get(ITEM, "Menu", dbus_interface=PROPERTIES)
        self.menu = bus.get_object(self.service, menu_path)

    def stop(self):
        if self.program.poll() is None:
            self.program.terminate()
            self.assertEqual(self.program.wait(timeout=10), 0)

    def layout(self):
        """The menu's items, as a host would show them: labels, "-" for separators."""
        _, (_, _, children) = self.menu.GetLayout(0, -1, dbus.Array([], signature="s"),
                                                  dbus_interface=MENU)
        shown = []
        for child in children:
            ident, props, _ = child
            if not bool(props.get("visible", True)):
                continue
            label = "-" if props.get("type") == "separator" else str(props.get("label", ""))
            shown.append((label, int(ident)))
        return shown

    def labels(self):
        return [label for label, _ in self.layout()]

    def choose(self, label):
        ident = dict(self.layout())[label]
        self.menu.Event(dbus.Int32(ident), "clicked", dbus.Int32(0, variant_level=1),
                        dbus.UInt32(0), dbus_interface=MENU)

    def main_window_shown(self):
        return bool(self.x.visible_windows(x_fixture.TITLE))

    def test_the_item_carries_the_tip(self):
        tooltip = self.item.Get(ITEM, "ToolTip", dbus_interface=PROPERTIES)
        text = str(tooltip[2]) + str(tooltip[3])
        self.assertTrue(text.startswith(" 定时关机程序"), text)
        self.assertIn("作者：自动关机开发组", text)
        self.assertIn("欢迎反馈意见和建议", text)

    def test_the_menu_holds_exactly_the_visible_items(self):
        self.assertEqual(self.labels(), ["隐藏", "-", "退出", "-"])

    def test_hide_and_show_through_the_menu(self):
        self.choose("隐藏")
        self.x.wait_until(lambda: not self.main_window_shown(), what="the window to hide")
        self.x.wait_until(lambda: self.labels() == ["显示", "-", "退出", "-"], what="the items to swap")
        self.choose("显示")
        self.x.wait_until(self.main_window_shown, what="the window to come back")
        self.x.wait_until(lambda: self.labels() == ["隐藏", "-", "退出", "-"], what="the items to swap back")

    def test_a_double_click_brings_the_window_back_a_single_one_does_not(self):
        self.choose("隐藏")
        self.x.wait_until(lambda: not self.main_window_shown(), what="the window to hide")
        self.item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)
        time.sleep(1.0)  # longer than a double-click
        self.assertFalse(self.main_window_shown())
        self.item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)
        self.item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)
        self.x.wait_until(self.main_window_shown, what="the window to come back")
        self.assertEqual(self.labels(), ["显示", "-", "退出", "-"])  # the items stay as they were

    def test_minimising_hides_the_window_to_the_tray(self):
        window = self.x.visible_windows(x_fixture.TITLE)[0]
        self.x.start_window_manager()  # it takes over the window already shown
        self.x.wait_until(lambda: "Normal" in self.wm_state(window), what="the window to be managed")
        self.x.xdotool("windowminimize", window)
        # Hidden (withdrawn: the window manager drops its WM_STATE), not merely minimised
        # (iconic); the menu still offers "隐藏".
        self.x.wait_until(lambda: "Normal" not in self.wm_state(window) and
                          "Iconic" not in self.wm_state(window), what="the window to hide")
        self.assertEqual(self.labels(), ["隐藏", "-", "退出", "-"])
        self.item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)
        self.item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)
        self.x.wait_until(lambda: "Normal" in self.wm_state(window), what="the window to come back")
        self.assertTrue(self.main_window_shown())

    def wm_state(self, window):
        return subprocess.run(["xprop", "-id", window, "WM_STATE"], capture_output=True, text=True,
                              env=dict(os.environ, DISPLAY=self.x.display)).stdout

    def test_exit_asks_first(self):
        self.choose("退出")
        self.x.wait_until(lambda: self.x.visible_windows("^提示：$"), what="the exit question")
        self.assertTrue(self.main_window_shown())  # nothing happens before the answer


class XEmbedTrayTest(unittest.TestCase):
    """An XEmbed notification area: the icon takes the mouse itself."""

    def setUp(self):
        self.buses = bus_fixture.Buses()
        self.addCleanup(self.buses.close)
        self.x = x_fixture.XServer()
        self.addCleanup(self.x.close)
        env = dict(os.environ, DISPLAY=self.x.display)
        tray = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                                 "pixel", "--width", "200", "--heighttype", "pixel", "--height", "32"],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (tray.terminate(), tray.wait()))
        self.x.wait_until(lambda: self.x.visible_windows("^panel$"), what="the notification area")
        self.program = x_fixture.start_program(PROGRAM, self.buses.environment(DISPLAY=self.x.display))
        self.addCleanup(lambda: (self.program.terminate(), self.program.wait(timeout=10)))
        self.window = self.x.wait_until(lambda: self.x.visible_windows(x_fixture.TITLE),
                                        what="the main window")[0]
        # The icon: the program's 22-pixel window embedded in the area at the bottom right.
        self.icon = self.x.wait_until(self.find_icon, what="the tray icon")

    def find_icon(self):
        tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                              env=dict(os.environ, DISPLAY=self.x.display)).stdout
        for line in tree.splitlines():
            if '"autoshutdown": ("autoshutdown"' in line and "400x254" not in line:
                absolute = line.split()[-1]  # +X+Y
                _, x, y = absolute.split("+")
                return int(x) + 11, int(y) + 15
        return None

    def popups(self):
        return len(self.x.visible_windows_by_class("autoshutdown"))

    def test_double_click_shows_right_click_pops_up_the_menu(self):
        x, y = self.icon
        self.x.xdotool("mousemove", "791", "395", "click", "1")  # "_"
        self.x.wait_until(lambda: not self.x.visible_windows(x_fixture.TITLE), what="the window to hide")
        self.x.xdotool("mousemove", str(x), str(y), "click", "1")  # a single click: nothing
        time.sleep(0.6)
        self.assertFalse(self.x.visible_windows(x_fixture.TITLE))
        self.x.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "--delay", "80", "1")
        self.x.wait_until(lambda: self.x.visible_windows(x_fixture.TITLE), what="the window to come back")
        before = self.popups()
        self.x.xdotool("mousemove", str(x), str(y), "click", "3")
        self.x.wait_until(lambda: self.popups() > before, what="the menu to pop up")
        self.x.xdotool("key", "Escape")
        self.x.wait_until(lambda: self.popups() == before, what="the menu to close")


class WithoutATrayHostTest(unittest.TestCase):
    """No notification area at all: hiding would leave no way back, so the window minimises."""

    def setUp(self):
        self.buses = bus_fixture.Buses()
        self.addCleanup(self.buses.close)
        self.x = x_fixture.XServer()
        self.addCleanup(self.x.close)
        self.x.start_window_manager()
        self.program = x_fixture.start_program(PROGRAM, self.buses.environment(DISPLAY=self.x.display))
        self.addCleanup(lambda: (self.program.terminate(), self.program.wait(timeout=10)))
        self.window = self.x.wait_until(lambda: self.x.visible_windows(x_fixture.TITLE),
                                        what="the main window")[0]
        time.sleep(0.5)

    def wm_state(self):
        return subprocess.run(["xprop", "-id", self.window, "WM_STATE"], capture_output=True,
                              text=True, env=dict(os.environ, DISPLAY=self.x.display)).stdout

    def test_hide_button_and_minimising_leave_it_on_the_task_bar(self):
        geometry = self.x.xdotool("getwindowgeometry", "--shell", self.window)
        place = dict(line.split("=") for line in geometry.split())
        self.x.xdotool("mousemove", str(int(place["X"]) + 351), str(int(place["Y"]) + 10), "click", "1")
        self.x.wait_until(lambda: "Iconic" in self.wm_state(), what="the window to minimise")
        self.x.xdotool("windowactivate", self.window)
        self.x.wait_until(lambda: "Normal" in self.wm_state(), what="the window to come back")
        self.x.xdotool("windowminimize", self.window)
        self.x.wait_until(lambda: "Iconic" in self.wm_state(), what="the window to minimise")
        time.sleep(0.3)
        self.assertIn("Iconic", self.wm_state())  # minimised, still there: not hidden


if __name__ == "__main__":
    PROGRAM = sys.argv[1]
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=2)
