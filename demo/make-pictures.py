#!/usr/bin/env python3
"""Draws the demo panel's pictures as Windows bitmap files.

Usage: make-pictures.py OUTPUT_DIR

The pictures are plain BMP files as the handheld's tools write them: page backgrounds with a
256-colour palette, button symbols on a key colour (the top-left pixel, which the panel replaces
by the button face), the motor states of a picture switch and a schematic for a picture panel,
in 24 bits. Only the standard library is used.
"""
import math
import os
import struct
import sys


class Canvas:
    def __init__(self, width, height, color):
        self.width = width
        self.height = height
        self.pixels = [[color] * width for _ in range(height)]

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def rect(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.height, y1)):
            row = self.pixels[y]
            for x in range(max(0, x0), min(self.width, x1)):
                row[x] = color

    def frame(self, x0, y0, x1, y1, color):
        self.rect(x0, y0, x1, y0 + 1, color)
        self.rect(x0, y1 - 1, x1, y1, color)
        self.rect(x0, y0, x0 + 1, y1, color)
        self.rect(x1 - 1, y0, x1, y1, color)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            self.rect(x0, y, x1, y + 1, mix(top, bottom, t))

    def round_rect(self, x0, y0, x1, y1, radius, color):
        for y in range(y0, y1):
            for x in range(x0, x1):
                cx = min(max(x, x0 + radius), x1 - 1 - radius)
                cy = min(max(y, y0 + radius), y1 - 1 - radius)
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    self.put(x, y, color)

    def disc(self, cx, cy, r, color):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, color)

    def ring(self, cx, cy, r, width, color):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                d = math.hypot(x - cx, y - cy)
                if r - width <= d <= r:
                    self.put(x, y, color)

    def polygon(self, points, color):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            xs = []
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if (ya <= y + 0.5 < yb) or (yb <= y + 0.5 < ya):
                    xs.append(xa + (y + 0.5 - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                self.rect(int(round(a)), y, int(round(b)), y + 1, color)

    def line(self, x0, y0, x1, y1, width, color):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            self.disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, color)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def write_bmp(path, canvas, bits):
    """Writes 24-bit or 8-bit (palette of the colours used, at most 256) bottom-up BMP."""
    width, height = canvas.width, canvas.height
    if bits == 8:
        colors = sorted({c for row in canvas.pixels for c in row})
        if len(colors) > 256:
            raise ValueError(f"{path}: {len(colors)} colours do not fit a palette")
        index = {c: i for i, c in enumerate(colors)}
        table = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in colors)
        table += b"\0" * (4 * 256 - len(table))
        stride = (width + 3) & ~3
        rows = [bytes(index[c] for c in row) + b"\0" * (stride - width) for row in canvas.pixels]
        colors_used = 256
    else:
        table = b""
        stride = (width * 3 + 3) & ~3
        rows = [b"".join(struct.pack("<BBB", c[2], c[1], c[0]) for c in row)
                + b"\0" * (stride - width * 3) for row in canvas.pixels]
        colors_used = 0
    pixels = b"".join(reversed(rows))
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       colors_used, 0)
    with open(path, "wb") as out:
        out.write(header + info + table + pixels)


# Colours of the demo machine's panel.
HEADER_TOP = (222, 232, 244)
HEADER_BOTTOM = (180, 198, 222)
PAPER = (236, 240, 244)
CARD = (250, 251, 252)
EDGE = (170, 182, 196)
ACCENT = (240, 140, 20)
PIPE = (120, 132, 146)
WATER = (70, 150, 220)
KEY = (255, 0, 255)  # button key colour: replaced by the face colour


def page_background(title_band, cards):
    canvas = Canvas(240, 320, PAPER)
    canvas.vgradient(0, 0, 240, 34, HEADER_TOP, HEADER_BOTTOM)
    canvas.rect(0, 34, 240, 37, ACCENT)
    canvas.rect(title_band[0], 6, title_band[0] + 4, 28, ACCENT)
    for x0, y0, x1, y1 in cards:
        canvas.round_rect(x0 + 2, y0 + 2, x1 + 2, y1 + 2, 6, (205, 212, 222))
        canvas.round_rect(x0, y0, x1, y1, 6, EDGE)
        canvas.round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 5, CARD)
    return canvas


def home_background():
    canvas = page_background((8,), [(6, 44, 234, 180), (6, 188, 234, 314)])
    # Schematic: tank, pipe, pump.
    canvas.round_rect(20, 62, 80, 160, 8, PIPE)
    canvas.round_rect(23, 65, 77, 157, 6, (214, 226, 238))
    canvas.rect(23, 110, 77, 157, WATER)
    for y in range(110, 157, 8):
        canvas.rect(23, y, 77, y + 1, (90, 168, 232))
    canvas.rect(80, 140, 150, 148, PIPE)
    canvas.rect(196, 140, 226, 148, PIPE)
    canvas.rect(218, 70, 226, 148, PIPE)
    canvas.polygon([(214, 70), (230, 70), (222, 60)], PIPE)
    return canvas


def button_symbol(kind):
    canvas = Canvas(24, 24, KEY)
    dark = (30, 50, 90)
    if kind == "home":
        canvas.polygon([(12, 3), (22, 12), (2, 12)], dark)
        canvas.rect(5, 12, 19, 21, dark)
        canvas.rect(10, 15, 14, 21, (250, 250, 250))
    elif kind == "next":
        canvas.polygon([(5, 4), (19, 12), (5, 20)], dark)
    elif kind == "start":
        canvas.disc(12, 12, 10, (30, 150, 60))
        canvas.polygon([(9, 6), (18, 12), (9, 18)], (250, 250, 250))
    elif kind == "stop":
        canvas.disc(12, 12, 10, (200, 40, 40))
        canvas.rect(7, 7, 17, 17, (250, 250, 250))
    elif kind == "reset":
        canvas.ring(12, 12, 9, 3, dark)
        canvas.rect(12, 1, 24, 12, KEY)
        canvas.polygon([(12, 0), (20, 5), (12, 10)], dark)
    return canvas


def motor_state(body, light, spokes):
    canvas = Canvas(48, 48, (255, 255, 255))
    canvas.disc(24, 24, 22, (60, 66, 74))
    canvas.disc(24, 24, 19, body)
    for i in range(spokes):
        a = 2 * math.pi * i / max(1, spokes) + 0.3
        canvas.line(24, 24, 24 + 15 * math.cos(a), 24 + 15 * math.sin(a), 4, light)
    canvas.disc(24, 24, 5, (40, 44, 50))
    return canvas


def mixer_schematic():
    canvas = Canvas(96, 72, (250, 250, 250))
    canvas.round_rect(26, 8, 70, 66, 10, PIPE)
    canvas.round_rect(29, 11, 67, 63, 8, (226, 232, 240))
    canvas.rect(29, 36, 67, 63, (236, 196, 90))
    canvas.rect(46, 2, 50, 50, (60, 66, 74))
    canvas.polygon([(34, 46), (62, 50), (34, 54)], (60, 66, 74))
    canvas.rect(0, 20, 26, 25, PIPE)
    canvas.rect(70, 52, 96, 57, PIPE)
    return canvas


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    pictures = {
        "home.bmp": (home_background(), 8),
        "drive.bmp": (page_background((8,), [(6, 44, 234, 148), (6, 156, 234, 276)]), 8),
        "recipe.bmp": (page_background((8,), [(6, 44, 234, 176), (6, 184, 234, 276)]), 8),
        "vectors.bmp": (page_background((8,), [(6, 44, 234, 276)]), 8),
        "service.bmp": (page_background((8,), [(6, 44, 234, 120), (6, 128, 234, 276)]), 8),
        "btn-home.bmp": (button_symbol("home"), 24),
        "btn-next.bmp": (button_symbol("next"), 24),
        "btn-start.bmp": (button_symbol("start"), 24),
        "btn-stop.bmp": (button_symbol("stop"), 24),
        "btn-reset.bmp": (button_symbol("reset"), 24),
        "motor-off.bmp": (motor_state((150, 156, 164), (110, 116, 124), 3), 24),
        "motor-run.bmp": (motor_state((60, 170, 80), (230, 250, 230), 6), 24),
        "motor-warn.bmp": (motor_state((236, 190, 40), (120, 90, 10), 3), 24),
        "motor-fault.bmp": (motor_state((210, 50, 50), (255, 220, 220), 2), 24),
        "mixer.bmp": (mixer_schematic(), 24),
    }
    for name, (canvas, bits) in pictures.items():
        write_bmp(os.path.join(out, name), canvas, bits)


if __name__ == "__main__":
    main()
