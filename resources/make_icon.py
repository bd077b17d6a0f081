#!/usr/bin/env python3
"""Draws Velmora's icon and writes velmora.ico beside this script.

The picture: a blue tile with a faint coordinate grid and a white map pin with
an orange centre. Each of the sizes 16, 24, 32 and 48 px is drawn twice: in
32-bit colour with smooth edges, and in 256 colours with a transparency mask
for displays that cannot show more. The sizes 20, 40 and 64 px (125% to 200%
scaling) are drawn in 32-bit colour, and 256 px (Explorer's large views) as a
PNG image, as Windows stores that size. Standard library only; run it again after
changing the drawing and commit the result, so that the build needs no Python.
"""

import math
import struct
import zlib
from pathlib import Path

PALETTE_SIZES = (16, 24, 32, 48)
TRUE_COLOUR_SIZES = (20, 40, 64)
PNG_SIZE = 256
SAMPLES = 8  # per pixel and axis, for smooth edges

TILE_TOP = (0x3D, 0x8B, 0xFD)
TILE_BOTTOM = (0x1A, 0x4F, 0xA0)
GRID = (0xFF, 0xFF, 0xFF)
PIN = (0xFF, 0xFF, 0xFF)
PIN_CENTRE = (0xFF, 0x8A, 0x3D)

MARGIN = 0.04
CORNER = 0.2
PIN_CIRCLE = (0.5, 0.40, 0.25)  # centre x, centre y, radius
PIN_TIP = (0.5, 0.90)
CENTRE_RADIUS = 0.10
GRID_LINES = (1 / 3, 2 / 3)
GRID_WIDTH = 0.035


def inside_tile(x, y):
    low, high = MARGIN + CORNER, 1 - MARGIN - CORNER
    if not (MARGIN <= x <= 1 - MARGIN and MARGIN <= y <= 1 - MARGIN):
        return False
    cx = min(max(x, low), high)
    cy = min(max(y, low), high)
    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER**2


def pin_tangent_points():
    cx, cy, r = PIN_CIRCLE
    tx, ty = PIN_TIP
    distance = math.hypot(tx - cx, ty - cy)
    # The lines from the tip touch the circle where the radius meets them at a right angle.
    towards_tip = math.atan2(ty - cy, tx - cx)
    spread = math.acos(r / distance)
    return [(cx + r * math.cos(towards_tip + s), cy + r * math.sin(towards_tip + s))
            for s in (spread, -spread)]


TANGENTS = pin_tangent_points()


def inside_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def sample(x, y, size):
    """The colour (r, g, b, a) of the drawing at one point, coordinates 0..1."""
    if not inside_tile(x, y):
        return (0, 0, 0, 0)
    cx, cy, r = PIN_CIRCLE
    from_centre = math.hypot(x - cx, y - cy)
    if from_centre <= CENTRE_RADIUS:
        return PIN_CENTRE + (255,)
    if from_centre <= r or inside_triangle(x, y, TANGENTS[0], TANGENTS[1], PIN_TIP):
        return PIN + (255,)
    t = (y - MARGIN) / (1 - 2 * MARGIN)
    colour = tuple(round(top + (bottom - top) * t) for top, bottom in zip(TILE_TOP, TILE_BOTTOM))
    # The grid is lost in noise at 16 px, so it starts at 24.
    if size >= 24 and any(abs(v - line) <= GRID_WIDTH / 2 for line in GRID_LINES for v in (x, y)):
        colour = tuple(round(c * 0.7 + g * 0.3) for c, g in zip(colour, GRID))
    return colour + (255,)


def render(size):
    """Rows of straight-alpha (r, g, b, a) pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    r, g, b, a = sample(x, y, size)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            alpha = total[3] / (SAMPLES * SAMPLES)
            if total[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / total[3]) for c in total[:3]) + (round(alpha),))
        rows.append(row)
    return rows


def median_cut(colours, count):
    """At most count representative colours for the given list of (r, g, b)."""
    boxes = [sorted(set(colours))]
    while len(boxes) < count:
        splittable = [box for box in boxes if len(box) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b)
                                                 for i in range(3)))
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[channel])
        middle = len(box) // 2
        boxes.remove(box)
        boxes += [box[:middle], box[middle:]]
    return [tuple(round(sum(c[i] for c in box) / len(box)) for i in range(3)) for box in boxes]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], colour)))


def mask_rows(pixels, transparent):
    """The 1-bit AND mask, bottom row first, each row padded to 4 bytes."""
    data = b""
    size = len(pixels)
    stride = ((size + 31) // 32) * 4
    for row in reversed(pixels):
        bits = 0
        for x, pixel in enumerate(row):
            if transparent(pixel):
                bits |= 1 << (stride * 8 - 1 - x)
        data += bits.to_bytes(stride, "big")
    return data


def bitmap_header(size, bit_count, colours_used):
    # The height counts the colour bitmap and the mask together.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0, 0, 0, 0,
                       colours_used, 0)


def image_32bit(pixels):
    size = len(pixels)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for r, g, b, a in row)
    return bitmap_header(size, 32, 0) + colour + mask_rows(pixels, lambda p: p[3] == 0)


def image_256_colours(pixels):
    size = len(pixels)

    def opaque(pixel):
        return pixel[3] >= 128

    # Index 0 stays black: a transparent pixel is black under a set mask bit.
    palette = [(0, 0, 0)] + median_cut([p[:3] for row in pixels for p in row if opaque(p)], 255)
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}
    indices = b""
    stride = (size + 3) // 4 * 4
    for row in reversed(pixels):
        line = bytearray()
        for pixel in row:
            if not opaque(pixel):
                line.append(0)
                continue
            if pixel[:3] not in cache:
                cache[pixel[:3]] = 1 + nearest(palette[1:], pixel[:3])
            line.append(cache[pixel[:3]])
        indices += bytes(line) + bytes(stride - size)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return (bitmap_header(size, 8, 256) + table + indices +
            mask_rows(pixels, lambda p: not opaque(p)))


def png_image(pixels):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body)))

    size = len(pixels)
    rows = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def icon_file(images):
    """images: (size, bit count, bitmap bytes) in the order the directory lists them."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory, data = b"", b""
    for size, bit_count, bitmap in images:
        colour_count = 0  # 0 for 256 colours or more
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1,
                                 bit_count, len(bitmap), offset + len(data))
        data += bitmap
    return header + directory + data


def main():
    images = []
    for size in PALETTE_SIZES:
        pixels = render(size)
        images.append((size, 32, image_32bit(pixels)))
        images.append((size, 8, image_256_colours(pixels)))
    for size in TRUE_COLOUR_SIZES:
        images.append((size, 32, image_32bit(render(size))))
    images.append((PNG_SIZE, 32, png_image(render(PNG_SIZE))))
    target = Path(__file__).with_name("velmora.ico")
    target.write_bytes(icon_file(images))
    print(f"wrote {target} ({len(images)} images)")


if __name__ == "__main__":
    main()
