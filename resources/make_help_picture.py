#!/usr/bin/env python3
"""Draws the help window's picture: an evening sky over hills, a large clock face and a power
sign, 670 x 502 pixels, and encodes it as a baseline JPEG with cjpeg (Debian package
libjpeg-turbo-progs). The same bytes on every run:

    resources/make_help_picture.py resources/help.jpg
"""
import math
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 670, 502


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def pixel(x, y):
    # Sky: deep blue at the top to warm orange near the horizon.
    horizon = 330
    colour = mix((20, 40, 110), (250, 170, 90), min(1.0, y / horizon))
    # Two hills.
    if y > horizon - 40 * math.sin(x / WIDTH * math.pi) - 10:
        colour = mix((40, 90, 50), (20, 50, 30), (y - 250) / 252)
    if y > 380 + 30 * math.cos(x / 90):
        colour = mix((30, 70, 40), (10, 30, 20), (y - 380) / 122)
    # The clock face.
    cx, cy, r = 335, 200, 140
    d = math.hypot(x - cx, y - cy)
    if d <= r:
        colour = (0, 60, 116) if d > r - 10 else mix((255, 255, 255), (215, 230, 245), d / r)
        for hour in range(12):
            a = hour * math.pi / 6
            tx, ty = cx + math.sin(a) * (r - 26), cy - math.cos(a) * (r - 26)
            if math.hypot(x - tx, y - ty) <= (7 if hour % 3 == 0 else 4):
                colour = (0, 40, 80)
        for angle, length, width in ((-math.pi / 3, 70, 7), (math.pi / 3, 105, 4)):
            ex, ey = cx + math.sin(angle) * length, cy - math.cos(angle) * length
            vx, vy = ex - cx, ey - cy
            t = max(0.0, min(1.0, ((x - cx) * vx + (y - cy) * vy) / (vx * vx + vy * vy)))
            if math.hypot(x - cx - t * vx, y - cy - t * vy) <= width:
                colour = (20, 20, 30)
        if d <= 9:
            colour = (200, 0, 0)
    # The power sign, lower right.
    px, py = 520, 330
    pd = math.hypot(x - px, y - py)
    if pd <= 62:
        colour = (215, 25, 25)
        angle = math.atan2(x - px, -(y - py))
        if abs(pd - 34) <= 7 and abs(angle) >= math.radians(38):
            colour = (255, 255, 255)
        if abs(x - px) <= 7 and py - 46 <= y <= py - 8:
            colour = (255, 255, 255)
    return colour


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "help.jpg"
    rows = bytearray()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            rows.extend(pixel(x, y))
    with tempfile.TemporaryDirectory() as folder:
        ppm = os.path.join(folder, "picture.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT) + bytes(rows))
        subprocess.run(["cjpeg", "-baseline", "-quality", "85", "-optimize", "-outfile", out, ppm],
                       check=True)
    print(f"{out}: {WIDTH}x{HEIGHT}, {os.path.getsize(out)} bytes")


if __name__ == "__main__":
    main()
