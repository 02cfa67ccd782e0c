#!/usr/bin/env python3
"""Draws the application icon: a gauge with its needle over four bars, on a dark tile.

Usage: make-icons.py OUTPUT_DIR NAME

Writes the hicolor theme's OUTPUT_DIR/scalable/apps/NAME.svg and
OUTPUT_DIR/SIZExSIZE/apps/NAME.png for 48, 64, 128 and 256 pixels, all from the one drawing
below (in a 64 x 64 grid), the PNGs smoothed by sampling every pixel several times.
Only the standard library is used.
"""
import math
import os
import struct
import sys
import zlib

SIZES = (48, 64, 128, 256)
SAMPLES = 4
TILE = (0x1F, 0x2A, 0x44)
TICK = (0xF2, 0x8C, 0x28)
WHITE = (0xF4, 0xF6, 0xFA)
CENTRE = (32.0, 36.0)
RADIUS = 22.0
# The scale runs from 210 degrees (lower left) to -30 degrees (lower right); the needle points
# at 40 degrees.
FIRST, LAST, NEEDLE = 210.0, -30.0, 40.0


def polar(angle, radius):
    a = math.radians(angle)
    return CENTRE[0] + radius * math.cos(a), CENTRE[1] - radius * math.sin(a)


def ticks():
    """Quadrilaterals of the scale: orange up to the needle, white after."""
    shapes = []
    for i in range(9):
        angle = FIRST + (LAST - FIRST) * i / 8
        half = 4.0
        points = [polar(angle - half, RADIUS), polar(angle + half, RADIUS),
                  polar(angle + half, RADIUS - 6), polar(angle - half, RADIUS - 6)]
        shapes.append((TICK if angle >= NEEDLE else WHITE, points))
    return shapes


def needle():
    tip = polar(NEEDLE, RADIUS - 3)
    left = polar(NEEDLE + 90, 2.5)
    right = polar(NEEDLE - 90, 2.5)
    return [(WHITE, [left, tip, right])]


BARS = [(WHITE, [(x, 50.0), (x + 7.0, 50.0), (x + 7.0, 55.0), (x, 55.0)])
        for x in (14.0, 23.0, 32.0, 41.0)]
POLYGONS = ticks() + needle() + BARS
BOXES = [(min(x for x, _ in p), min(y for _, y in p), max(x for x, _ in p),
          max(y for _, y in p)) for _, p in POLYGONS]
HUB = (CENTRE, 4.0)


def inside_tile(x, y):
    # A square with corners rounded at radius 10, 2 units in from the edge.
    lo, hi, r = 2.0, 62.0, 10.0
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_polygon(points, x, y):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def colour_at(x, y):
    """The colour (r, g, b, alpha 0 or 1) of the drawing at a point of the 64 grid."""
    if not inside_tile(x, y):
        return (0, 0, 0, 0)
    (hx, hy), hr = HUB
    if (x - hx) ** 2 + (y - hy) ** 2 <= hr * hr:
        return WHITE + (1,)
    for (colour, points), (x0, y0, x1, y1) in zip(POLYGONS, BOXES):
        if x0 <= x <= x1 and y0 <= y <= y1 and inside_polygon(points, x, y):
            return colour + (1,)
    return TILE + (1,)


def png(size):
    # Large pictures need fewer samples per pixel for the same smoothness.
    samples = SAMPLES if size <= 128 else SAMPLES // 2
    rows = []
    scale = 64.0 / size
    for py in range(size):
        row = bytearray([0])
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    cr, cg, cb, ca = colour_at((px + (sx + 0.5) / samples) * scale,
                                               (py + (sy + 0.5) / samples) * scale)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a:
                row += bytes((round(r / a), round(g / a), round(b / a),
                              round(255 * a / samples ** 2)))
            else:
                row += bytes(4)
        rows.append(bytes(row))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def svg():
    def hexcolour(c):
        return "#%02x%02x%02x" % c

    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" '
             'viewBox="0 0 64 64">',
             '<rect x="2" y="2" width="60" height="60" rx="10" fill="%s"/>' % hexcolour(TILE)]
    for colour, points in POLYGONS:
        parts.append('<polygon fill="%s" points="%s"/>' % (
            hexcolour(colour), " ".join("%.2f,%.2f" % p for p in points)))
    (hx, hy), hr = HUB
    parts.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (hx, hy, hr, hexcolour(WHITE)))
    parts.append("</svg>\n")
    return "\n".join(parts)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    out, name = sys.argv[1], sys.argv[2]
    scalable = os.path.join(out, "scalable", "apps")
    os.makedirs(scalable, exist_ok=True)
    with open(os.path.join(scalable, name + ".svg"), "w") as f:
        f.write(svg())
    for size in SIZES:
        folder = os.path.join(out, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + ".png"), "wb") as f:
            f.write(png(size))


if __name__ == "__main__":
    main()
