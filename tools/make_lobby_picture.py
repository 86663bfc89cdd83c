#!/usr/bin/env python3
"""Paints the picture of the lobby download window: players around a table, linked as a
network. Writes a PPM and turns it into settings/lobby.jpg with cjpeg (libjpeg-turbo-progs)."""
import math
import os
import subprocess
import sys
import tempfile

# Twice the size it is shown at, so it stays sharp on screens of twice the pixel density.
W, H = 320, 320
K = W / 160  # the drawing below is measured for 160 pixels
SS = 3  # supersampling for smooth edges


def lerp(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def paint():
    w, h = W * SS, H * SS
    px = [[(0, 0, 0)] * w for _ in range(h)]
    cx, cy = w / 2, h / 2
    seats = [(cx + math.cos(a) * w * 0.36, cy + math.sin(a) * h * 0.36)
             for a in (math.pi / 2, math.pi, -math.pi / 2, 0)]
    colours = [(214, 48, 49), (41, 98, 199), (0, 140, 140), (236, 140, 20)]
    for y in range(h):
        for x in range(w):
            # night-blue backdrop with a soft light in the middle
            d = math.hypot(x - cx, y - cy) / (w * 0.75)
            c = lerp((40, 70, 110), (8, 16, 36), min(1.0, d))
            # the round table: wood rim, green felt
            r = math.hypot(x - cx, y - cy)
            if r < w * 0.30:
                felt = lerp((26, 120, 60), (10, 70, 34), r / (w * 0.30))
                c = felt
            elif r < w * 0.33:
                grain = 0.5 + 0.5 * math.sin(((x + y) * 0.15 + r * 0.05) / K)
                c = lerp((110, 62, 28), (150, 92, 44), grain)
            px[y][x] = c
    # links between the players
    for i in range(4):
        for j in range(i + 1, 4):
            (x0, y0), (x1, y1) = seats[i], seats[j]
            steps = int(math.hypot(x1 - x0, y1 - y0))
            for s in range(steps):
                t = s / steps
                x, y = int(x0 + (x1 - x0) * t), int(y0 + (y1 - y0) * t)
                reach = int(2 * K)
                for dy in range(-reach, reach + 1):
                    for dx in range(-reach, reach + 1):
                        if 0 <= x + dx < w and 0 <= y + dy < h and (s // int(9 * K)) % 2 == 0:
                            px[y + dy][x + dx] = lerp(px[y + dy][x + dx], (250, 230, 140), 0.6)
    # three fanned cards in the middle: a heart, a spade and a diamond
    def pip(kind, u, v):
        x, y = u / (13.0 * K), -v / (13.0 * K)
        if kind == 0:  # heart
            return (x * x + y * y - 1) ** 3 - x * x * y ** 3 < 0
        if kind == 1:  # spade: an upside-down heart with a stem
            return ((x * x + y * y - 1) ** 3 + x * x * y ** 3 < 0) or (abs(x) < 0.18 and -1.5 < y < -0.4)
        return abs(x) / 0.8 + abs(y) < 1.2  # diamond
    for k, ang in enumerate((-0.38, 0.0, 0.38)):
        ca, sa = math.cos(ang), math.sin(ang)
        for y in range(int(cy - 110 * K), int(cy + 110 * K)):
            for x in range(int(cx - 110 * K), int(cx + 110 * K)):
                lx, ly = x - cx, y - (cy + 40 * K)
                u = lx * ca + ly * sa
                v = -lx * sa + ly * ca + 40 * K
                if abs(u) < 36 * K and abs(v) < 52 * K:
                    edge = abs(u) > 33 * K or abs(v) > 49 * K
                    c = (70, 70, 70) if edge else (250, 248, 240)
                    if not edge and pip(k, u, v + 6 * K):
                        c = (25, 25, 30) if k == 1 else (205, 28, 40)
                    px[y][x] = c
    # the players: glossy balls in the seat colours
    for (sx, sy), col in zip(seats, colours):
        for y in range(int(sy - 30 * K), int(sy + 30 * K)):
            for x in range(int(sx - 30 * K), int(sx + 30 * K)):
                r = math.hypot(x - sx, y - sy)
                if r < 22 * K:
                    light = max(0.0, 1 - math.hypot(x - sx + 8 * K, y - sy + 8 * K) / (22 * K))
                    px[y][x] = lerp(lerp(col, (0, 0, 0), r / (60 * K)), (255, 255, 255),
                                    light * 0.7)
                elif r < 25 * K:
                    px[y][x] = (20, 20, 20)
    # downsample
    out = bytearray()
    for y in range(H):
        for x in range(W):
            acc = [0, 0, 0]
            for dy in range(SS):
                for dx in range(SS):
                    p = px[y * SS + dy][x * SS + dx]
                    for i in range(3):
                        acc[i] += p[i]
            out += bytes(v // (SS * SS) for v in acc)
    return out


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "settings", "lobby.jpg")
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        f.write(paint())
        ppm = f.name
    try:
        with open(target, "wb") as out:
            subprocess.run(["cjpeg", "-quality", "88", "-optimize", ppm], stdout=out, check=True)
    finally:
        os.unlink(ppm)
    print("wrote", target)


if __name__ == "__main__":
    main()
