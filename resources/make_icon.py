#!/usr/bin/env python3
"""Draws the program icon: a clock face with a red power badge, 32 x 32 pixels, 256 colours.

Writes an indexed PNG (a palette of at most 256 entries with per-entry transparency). Uses only
the standard library and gives the same bytes on every run:

    resources/make_icon.py resources/autoshutdown.png
"""
import math
import struct
import sys
import zlib

SIZE = 32
SCALE = 8  # supersampling per axis


def blend(dst, src):
    """Paints src (r, g, b, a in 0..1) over dst."""
    a = src[3] + dst[3] * (1 - src[3])
    if a == 0:
        return (0.0, 0.0, 0.0, 0.0)
    return tuple((src[i] * src[3] + dst[i] * dst[3] * (1 - src[3])) / a for i in range(3)) + (a,)


def rgb(r, g, b, a=1.0):
    return (r / 255, g / 255, b / 255, a)


def seg_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - (ax + t * vx), py - (ay + t * vy))


def sample(x, y):
    """The colour at a point of the 32 x 32 square (floating coordinates)."""
    colour = (0.0, 0.0, 0.0, 0.0)
    cx = cy = 15.5
    d = math.hypot(x - cx, y - cy)
    if d <= 15.2:  # rim
        colour = blend(colour, rgb(0, 60, 116))
    if d <= 13.4:  # face: white at the top left, pale blue at the bottom right
        t = max(0.0, min(1.0, ((x + y) / 2 - 4) / 24))
        colour = blend(colour, rgb(255 - 40 * t, 255 - 25 * t, 255 - 5 * t))
    for hour in range(12):  # ticks
        angle = hour * math.pi / 6
        length = 2.6 if hour % 3 == 0 else 1.4
        ox, oy = math.sin(angle), -math.cos(angle)
        if seg_distance(x, y, cx + ox * 12.2, cy + oy * 12.2, cx + ox * (12.2 - length),
                        cy + oy * (12.2 - length)) <= (0.9 if hour % 3 == 0 else 0.55):
            colour = blend(colour, rgb(0, 40, 80))
    # hands at ten past ten
    for angle, length, width in ((-math.pi / 3, 6.5, 1.15), (math.pi / 3, 9.5, 0.8)):
        ex, ey = cx + math.sin(angle) * length, cy - math.cos(angle) * length
        if seg_distance(x, y, cx, cy, ex, ey) <= width:
            colour = blend(colour, rgb(20, 20, 30))
    if d <= 1.6:
        colour = blend(colour, rgb(200, 0, 0))
    # power badge at the bottom right
    bx, by, br = 24.0, 24.0, 7.6
    bd = math.hypot(x - bx, y - by)
    if bd <= br + 0.9:
        colour = blend(colour, rgb(255, 255, 255))
    if bd <= br:
        colour = blend(colour, rgb(215, 25, 25))
    angle = math.atan2(x - bx, -(y - by))
    if abs(bd - 4.2) <= 0.85 and abs(angle) >= math.radians(40):
        colour = blend(colour, rgb(255, 255, 255))
    if seg_distance(x, y, bx, by - 5.4, bx, by - 1.2) <= 0.85:
        colour = blend(colour, rgb(255, 255, 255))
    return colour


def render():
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SCALE):
                for sx in range(SCALE):
                    c = sample(px + (sx + 0.5) / SCALE, py + (sy + 0.5) / SCALE)
                    for i in range(3):
                        acc[i] += c[i] * c[3]
                    acc[3] += c[3]
            n = SCALE * SCALE
            a = acc[3] / n
            colour = tuple(acc[i] / acc[3] if acc[3] else 0 for i in range(3))
            row.append(tuple(round(v * 255) for v in colour) + (round(a * 255),))
        pixels.append(row)
    return pixels


def quantise(pixels):
    """Coarsens the colours until at most 256 remain."""
    for step in (1, 2, 4, 8, 16, 32):
        def q(p):
            if p[3] == 0:
                return (0, 0, 0, 0)
            return tuple(min(255, (v // step) * step + step // 2 if step > 1 else v) for v in p[:3]) + (
                min(255, (p[3] // step) * step + (step // 2 if step > 1 else 0)) if p[3] < 255 else 255,)
        mapped = [[q(p) for p in row] for row in pixels]
        colours = sorted({p for row in mapped for p in row})
        if len(colours) <= 256:
            return mapped, colours
    raise SystemExit("too many colours")


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "autoshutdown.png"
    mapped, colours = quantise(render())
    # Transparent entries first, so that tRNS can stop at the last one that is not opaque.
    colours.sort(key=lambda c: (c[3] == 255, c))
    index = {c: i for i, c in enumerate(colours)}
    raw = b"".join(b"\x00" + bytes(index[p] for p in row) for row in mapped)
    palette = b"".join(bytes(c[:3]) for c in colours)
    alphas = [c[3] for c in colours]
    while alphas and alphas[-1] == 255:
        alphas.pop()
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 3, 0, 0, 0))
    png += chunk(b"PLTE", palette)
    if alphas:
        png += chunk(b"tRNS", bytes(alphas))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(out, "wb") as f:
        f.write(png)
    print(f"{out}: {SIZE}x{SIZE}, {len(colours)} colours")


if __name__ == "__main__":
    main()
