#!/usr/bin/env python3
"""Draws the program icon (a quill over a small stack of cards) and writes
res/quillstack.ico with 16x16 and 32x32 images, 32-bit with alpha.

Standard library only, so the icon can be regenerated anywhere:
    python3 res/make_icon.py [output.ico]
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 8  # samples per pixel along each axis, for smooth edges


def hex_rgba(text, alpha=255):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


# --- shapes: each is a function (x, y) -> bool in pixel coordinates ---------

def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        t = min(max(t, 0.0), 1.0)
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= (width / 2) ** 2
    return inside


class Axis:
    """Coordinates along the quill: u from the nib towards the tip, v across."""

    def __init__(self, nib, tip):
        self.nx, self.ny = nib
        dx, dy = tip[0] - nib[0], tip[1] - nib[1]
        self.length = math.hypot(dx, dy)
        self.dx, self.dy = dx / self.length, dy / self.length

    def local(self, x, y):
        rx, ry = x - self.nx, y - self.ny
        return rx * self.dx + ry * self.dy, rx * -self.dy + ry * self.dx


def vane(axis, start, left, right, grow=0.0):
    """The feather's blade: zero width at both ends, widest a third of the way
    up, wider on the left of the shaft than on the right."""
    span = axis.length - start

    def half_width(s, widest):
        return widest * 1.55 * math.sqrt(s) * (1 - s) ** 0.9

    def inside(x, y):
        u, v = axis.local(x, y)
        s = (u - start) / span
        if s <= 0 or s >= 1:
            return False
        limit = half_width(s, left if v < 0 else right) + grow
        return abs(v) <= limit
    return inside


def notch(blade, axis, u, side, depth, width):
    """A small cut in the vane, slanting back towards the nib."""
    def inside(x, y):
        if not blade(x, y):
            return False
        du, v = axis.local(x, y)
        if v * side <= 0.4:
            return False
        along = du - u + abs(v) * 0.55
        return abs(along) <= width / 2 and abs(v) <= depth
    return inside


def barrel(axis, end, width_at_nib, width_at_end):
    def inside(x, y):
        u, v = axis.local(x, y)
        if u < 0 or u > end:
            return False
        w = width_at_nib + (width_at_end - width_at_nib) * u / end
        return abs(v) <= w / 2
    return inside


# --- the picture ----------------------------------------------------------

def scene(size):
    """Layers from back to front as (shape, colour) for an icon of `size`."""
    k = size / 32.0
    line = 1.0 if size <= 16 else 1.1  # outline width in pixels
    layers = []

    # The stack (two cards at 16 pixels), each card one step down and to the
    # left of the one behind it.
    cards = [("#cfdcef", 7, 11), ("#f5e9c4", 4.5, 14.5), ("#ffffff", 2, 18)]
    if size <= 16:
        cards = [("#cfdcef", 6, 12), ("#ffffff", 2, 17)]
    outline = hex_rgba("#3d4f6e")
    for fill, x, y in cards:
        x0, y0, x1, y1 = x * k, y * k, (x + 22) * k, (y + 12.5) * k
        layers.append((rounded_rect(x0, y0, x1, y1, 2.2 * k), outline))
        layers.append((rounded_rect(x0 + line, y0 + line, x1 - line, y1 - line,
                                    max(2.2 * k - line, 0.3)), hex_rgba(fill)))

    # Lines of writing on the front card.
    fx, fy = cards[-1][1], cards[-1][2]
    rows = [(4, 17), (6.5, 13), (9, 8)] if size > 16 else [(4.5, 17), (8, 10)]
    for dy, length in rows:
        y = (fy + dy) * k
        layers.append((segment((fx + 3.5) * k, y, (fx + 3.5 + length) * k, y,
                               1.2 if size > 16 else 1.0), hex_rgba("#8ea3c4")))

    # The quill, its nib resting on the front card and the tip top right.
    axis = Axis(((fx + 11.5) * k, (fy + 7.5) * k), (30.5 * k, 1.2 * k))
    start = axis.length * 0.22
    left, right = 6.5 * k, 3.2 * k
    layers.append((vane(axis, start, left, right, grow=line), hex_rgba("#8a3e0c")))
    blade = vane(axis, start, left, right)
    layers.append((blade, hex_rgba("#ef8a2a")))
    if size > 16:
        # A lighter inner band gives the feather some depth.
        layers.append((vane(axis, start, left * 0.45, right * 0.45),
                       hex_rgba("#f9b865")))
        for at, side in ((0.50, -1), (0.70, -1), (0.62, 1)):
            layers.append((notch(blade, axis, axis.length * at, side, 10, 1.4),
                           hex_rgba("#b4561a")))
    barrel_end = start + (axis.length - start) * 0.12
    layers.append((barrel(axis, barrel_end, 1.2, 2.6 * k + 0.8), hex_rgba("#6b4a2a")))
    layers.append((barrel(axis, barrel_end - 0.4, 0.2, 2.6 * k - 0.4),
                   hex_rgba("#f3e6c4")))
    # Shaft along the vane, and the inked nib.
    tx = axis.nx + axis.dx * axis.length * 0.97
    ty = axis.ny + axis.dy * axis.length * 0.97
    layers.append((segment(axis.nx + axis.dx * barrel_end, axis.ny + axis.dy * barrel_end,
                           tx, ty, 0.9 if size > 16 else 0.8), hex_rgba("#fff4dc")))
    nib_len = 3.2 * k + 0.6
    layers.append((barrel(axis, nib_len, 0.3, 1.9 * k + 0.5), hex_rgba("#1e2533")))
    return layers


def render(size):
    """Returns rows of (r, g, b, a), top row first, anti-aliased."""
    layers = scene(size)
    n = SUPERSAMPLE
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(n):
                for sx in range(n):
                    x, y = px + (sx + 0.5) / n, py + (sy + 0.5) / n
                    colour = (0, 0, 0, 0)
                    for shape, fill in reversed(layers):
                        if shape(x, y):
                            colour = fill
                            break
                    a = colour[3] / 255.0
                    acc[0] += colour[0] * a
                    acc[1] += colour[1] * a
                    acc[2] += colour[2] * a
                    acc[3] += a
            count = n * n
            alpha = acc[3] / count
            if alpha <= 0:
                row.append((0, 0, 0, 0))
                continue
            row.append(tuple(int(round(c / acc[3])) for c in acc[:3])
                       + (int(round(alpha * 255)),))
        rows.append(row)
    return rows


# --- file format ----------------------------------------------------------

def dib(size, rows):
    """One icon image: header, BGRA pixels bottom-up, then the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def icon_file(images):
    """images: list of (size, dib bytes). Returns the .ico bytes."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "quillstack.ico")
    images = [(size, dib(size, render(size))) for size in (16, 32)]
    with open(target, "wb") as f:
        f.write(icon_file(images))


if __name__ == "__main__":
    main()
