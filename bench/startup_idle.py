#!/usr/bin/python3
"""Start-up time, memory and idle CPU of the real program on an X server.

    bench/startup_idle.py PROGRAM [IDLE_SECONDS]

Needs DISPLAY (an X server of the benchmark's own) and python3-xlib. Prints:
  - the time from exec to the main window being mapped, and to its title strip being drawn;
  - the resident set size two seconds after start;
  - the CPU used over the idle window with the clock running, as % of one core, from the
    scheduler's own run-time counters (/proc/PID/task/*/schedstat) and, for reference, from the
    tick-sampled utime + stime of /proc/PID/stat.
"""
import os
import statistics
import subprocess
import sys
import time

from Xlib import X, display

TITLE = "自动关机"


def window_name(dpy, window):
    try:
        name = window.get_full_property(dpy.intern_atom("_NET_WM_NAME"), dpy.intern_atom("UTF8_STRING"))
        if name:
            return name.value.decode("utf-8", "replace")
        wm = window.get_wm_name()
        return wm or ""
    except Exception:
        return ""


def schedstat_ns(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total


def stat_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def rss_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def start_program(dpy, program):
    """Starts the program; returns it with the times from exec to mapped and to drawn."""
    start = time.monotonic()
    child = subprocess.Popen([program], stdin=subprocess.DEVNULL)
    mapped = drawn = None
    target = None
    deadline = start + 20
    while mapped is None and time.monotonic() < deadline:
        if dpy.pending_events() == 0:
            time.sleep(0.0005)
            continue
        event = dpy.next_event()
        if event.type == X.MapNotify and window_name(dpy, event.window) == TITLE:
            mapped = time.monotonic()
            target = event.window
    if mapped is None:
        child.kill()
        sys.exit("the main window did not appear")
    target_window = target
    # Drawn: the middle of the title strip shows the white of its grey-white-grey gradient.
    while drawn is None and time.monotonic() < deadline:
        try:
            pixel = target_window.get_image(182, 18, 1, 1, X.ZPixmap, 0xFFFFFFFF).data
            if len(pixel) >= 3 and min(pixel[0], pixel[1], pixel[2]) > 240:
                drawn = time.monotonic()
                break
        except Exception:
            pass
        time.sleep(0.0005)
    return child, start, mapped - start, (drawn - start) if drawn else None


def main():
    program = sys.argv[1]
    idle = float(sys.argv[2]) if len(sys.argv) > 2 else 60.0
    starts = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    dpy = display.Display()
    root = dpy.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    dpy.sync()

    # Start-up, several times: the first start after a build also pays for a cold page cache.
    mapped_ms, drawn_ms = [], []
    for _ in range(starts):
        child, _, to_map, to_draw = start_program(dpy, program)
        mapped_ms.append(to_map * 1000)
        drawn_ms.append(to_draw * 1000 if to_draw else float("nan"))
        child.terminate()
        child.wait(timeout=10)
        while dpy.pending_events():
            dpy.next_event()

    child, start, _, _ = start_program(dpy, program)
    time.sleep(max(0.0, start + 2.0 - time.monotonic()))
    rss = rss_kb(child.pid)

    run0, ticks0, t0 = schedstat_ns(child.pid), stat_ticks(child.pid), time.monotonic()
    time.sleep(idle)
    run1, ticks1, t1 = schedstat_ns(child.pid), stat_ticks(child.pid), time.monotonic()
    child.terminate()
    code = child.wait(timeout=10)

    hz = os.sysconf("SC_CLK_TCK")
    print(f"exec to window mapped:   median {statistics.median(mapped_ms):6.1f} ms, "
          f"max {max(mapped_ms):6.1f} ms over {starts} starts")
    print(f"exec to window drawn:    median {statistics.median(drawn_ms):6.1f} ms, "
          f"max {max(drawn_ms):6.1f} ms")
    print(f"RSS 2 s after start:     {rss / 1024:7.1f} MB")
    print(f"idle CPU over {idle:.0f} s:      {(run1 - run0) / 1e9 / (t1 - t0) * 100:7.2f} % of one core"
          f" (tick-sampled utime+stime: {(ticks1 - ticks0) / hz / (t1 - t0) * 100:.2f} %)")
    print(f"exit code after SIGTERM: {code}")


if __name__ == "__main__":
    main()
