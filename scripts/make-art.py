#!/usr/bin/env python3
"""Draws the program's icon and About picture: res/tessaro.ico, res/about.bmp.

Run it again after changing a shape; the outputs are committed so a build
needs no Python. Shapes are drawn with 4x4 supersampling for smooth edges.
"""
import struct
from pathlib import Path

RES = Path(__file__).resolve().parent.parent / "res"
SAMPLES = 4


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def page(x0, y0, w, h, fold):
    """A sheet with its top-right corner folded over."""
    return polygon([(x0, y0), (x0 + w - fold, y0), (x0 + w, y0 + fold), (x0 + w, y0 + h), (x0, y0 + h)])


def render(width, height, layers):
    """layers: list of (inside(x, y) in unit coordinates, colour(x, y) -> RGB).
    Returns rows of (r, g, b, a), top row first."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / width
                    y = (py + (sy + 0.5) / SAMPLES) / height
                    colour = None
                    for inside, paint in layers:
                        if inside(x, y):
                            colour = paint(x, y)
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = acc[3]
            if n:
                row.append((round(acc[0] / n), round(acc[1] / n), round(acc[2] / n),
                            round(255 * n / SAMPLES ** 2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


DARK_BLUE = (0, 60, 115)
LIGHT_BLUE = (107, 160, 231)
PAPER = (255, 255, 255)
PAPER_SHADE = (206, 231, 255)
INK = (120, 140, 170)


def solid(c):
    return lambda x, y: c


def lines(x0, x1, ys, thickness):
    def inside(x, y):
        return x0 <= x <= x1 and any(abs(y - ly) <= thickness / 2 for ly in ys)
    return inside


def icon_layers():
    return [
        (rounded_rect(0.03, 0.03, 0.97, 0.97, 0.18), lambda x, y: mix(LIGHT_BLUE, DARK_BLUE, y)),
        (page(0.16, 0.14, 0.42, 0.56, 0.12), solid(PAPER_SHADE)),
        (page(0.40, 0.30, 0.44, 0.58, 0.13), solid(PAPER)),
        (lines(0.48, 0.76, [0.50, 0.60, 0.70, 0.80], 0.045), solid(INK)),
    ]


def about_layers():
    arrow = polygon([(0.44, 0.50), (0.56, 0.50), (0.56, 0.46), (0.66, 0.54), (0.56, 0.62),
                     (0.56, 0.58), (0.44, 0.58)])
    return [
        (lambda x, y: True, lambda x, y: mix((236, 244, 255), LIGHT_BLUE, y)),
        (page(0.08, 0.10, 0.30, 0.22, 0.06), solid(PAPER)),
        (page(0.08, 0.40, 0.30, 0.22, 0.06), solid(PAPER)),
        (page(0.08, 0.70, 0.30, 0.22, 0.06), solid(PAPER)),
        (lines(0.12, 0.32, [0.18, 0.22, 0.26, 0.48, 0.52, 0.56, 0.78, 0.82, 0.86], 0.012), solid(INK)),
        (arrow, solid(DARK_BLUE)),
        (page(0.70, 0.22, 0.26, 0.64, 0.07), solid(PAPER)),
        (lines(0.74, 0.92, [0.32 + 0.05 * i for i in range(11)], 0.012), solid(INK)),
        (rounded_rect(0.0, 0.955, 1.0, 1.0, 0.0), solid(DARK_BLUE)),
    ]


def dib_32(rows):
    """BITMAPINFOHEADER + bottom-up BGRA pixels + AND mask, as an icon image."""
    height = len(rows)
    width = len(rows[0])
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def write_ico(path, sizes):
    images = [dib_32(render(s, s, icon_layers())) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b"".join(images))


def write_bmp(path, width, height):
    rows = render(width, height, about_layers())
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r)) for (r, g, b, _) in row)
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(header + info + pixels)


if __name__ == "__main__":
    RES.mkdir(exist_ok=True)
    write_ico(RES / "tessaro.ico", [16, 32, 48])
    # Twice the About box's size at 96 DPI, so it stays sharp when scaled up.
    write_bmp(RES / "about.bmp", 258, 364)
