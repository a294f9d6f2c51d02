"""Draws an icon design, given as shapes, at one pixel size with anti-aliased edges.

A design is a text file of shapes, painted in order, on a 32x32 grid of units (y grows
downwards). Lines starting with '# ' are comments. Each shape is one line:

    [SIZES] COLOUR KIND ARGS...

SIZES, when present, limits the shape to some pixel sizes: "16-24", "32-", "-20" or "48".
COLOUR is #rrggbb. The kinds and their arguments:

    circle  cx cy r
    sector  cx cy r_in r_out from to     a ring's piece; angles in degrees clockwise from 12
    poly    x y x y ...                  filled, any winding
    line    width x y x y ...            a polyline with round joins and ends
    outline width x y x y ...            the same, closed
    rect    x0 y0 x1 y1 [radius]         edges on whole pixels at every size

A coordinate or length is in units; "a+bpx" or "a-bpx" adds b pixels after scaling, so that a
one-pixel border stays one pixel at every size. Line widths are at least one pixel.
"""
import math
import re

GRID = 32
SUBROWS = 16  # scanlines per pixel row; along a scanline the coverage is exact


def _levels(size):
    """Steps of coverage kept at an edge. Every step costs bytes in the program: one half-tone
    keeps the small sizes smooth, and at 256 pixels a step is too small to see."""
    return 1 if size >= 128 else 2

_NUMBER = re.compile(r"^(-?[\d.]+)(?:([+-][\d.]+)px)?$")


class Design:
    def __init__(self, path):
        self.path = path
        self.shapes = []
        with open(path, encoding="ascii") as f:
            for number, line in enumerate(f, 1):
                words = line.split()
                if not words or words[0] == "#":
                    continue
                sizes = (0, 10**6)
                if words[0][0] in "-0123456789":
                    sizes = _size_range(words.pop(0))
                if len(words) < 2 or not re.match(r"^#[0-9a-fA-F]{6}$", words[0]):
                    raise SystemExit(f"{path}:{number}: expected [SIZES] #rrggbb KIND ARGS")
                colour = tuple(int(words[0][i:i + 2], 16) for i in (1, 3, 5))
                self.shapes.append((sizes, colour, words[1], words[2:], f"{path}:{number}"))

    def draw(self, size):
        """The picture at size x size pixels: rows of (r, g, b, a) with straight alpha."""
        scale = size / GRID
        # Premultiplied red, green, blue and alpha of every pixel, row by row.
        image = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]
        for (low, high), colour, kind, args, where in self.shapes:
            if not low <= size <= high:
                continue
            contours = _contours(kind, args, scale, where)
            for index, cover in _coverage(contours, size, _levels(size)):
                pixel = image[index]
                keep = 1.0 - cover
                for channel in range(3):
                    pixel[channel] = pixel[channel] * keep + colour[channel] / 255 * cover
                pixel[3] = pixel[3] * keep + cover
        return [_straight(pixel) for pixel in image]


def _size_range(text):
    low, dash, high = text.partition("-")
    if not dash:
        return int(text), int(text)
    return int(low or 0), int(high or 10**6)


def _value(text, scale, where):
    match = _NUMBER.match(text)
    if not match:
        raise SystemExit(f"{where}: not a number: {text}")
    return float(match.group(1)) * scale + float(match.group(2) or 0)


def _contours(kind, args, scale, where):
    # Angles are degrees at every size; everything else scales.
    v = [float(a) if kind == "sector" and i >= 4 else _value(a, scale, where)
         for i, a in enumerate(args)]
    if kind == "circle":
        return [_arc(v[0], v[1], v[2], 0, 360)]
    if kind == "sector":
        cx, cy, inner, outer, start, end = v
        return [_arc(cx, cy, outer, start, end) + _arc(cx, cy, inner, end, start)]
    if kind == "poly":
        return [list(zip(v[0::2], v[1::2]))]
    if kind in ("line", "outline"):
        points = list(zip(v[1::2], v[2::2]))
        return _stroke(points, max(v[0], 1.0), kind == "outline")
    if kind == "rect":
        x0, y0, x1, y1 = (math.floor(c + 0.5) for c in v[:4])
        radius = v[4] if len(v) > 4 else 0
        return [_rounded_rect(x0, y0, x1, y1, radius)]
    raise SystemExit(f"{where}: unknown shape {kind}")


def _arc(cx, cy, r, start, end):
    """Points along a circle from angle start to end (degrees clockwise from 12 o'clock)."""
    steps = max(8, int(abs(end - start) / 360 * max(32, r * 8)))
    points = []
    for i in range(steps + 1):
        a = math.radians(start + (end - start) * i / steps)
        points.append((cx + r * math.sin(a), cy - r * math.cos(a)))
    return points


def _rounded_rect(x0, y0, x1, y1, r):
    if r <= 0:
        return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    return (_arc(x1 - r, y0 + r, r, 0, 90) + _arc(x1 - r, y1 - r, r, 90, 180)
            + _arc(x0 + r, y1 - r, r, 180, 270) + _arc(x0 + r, y0 + r, r, 270, 360))


def _stroke(points, width, closed):
    """A thick line as pieces wound the same way: the nonzero fill makes them one shape."""
    half = width / 2
    pieces = [_arc(x, y, half, 0, 360) for x, y in points]
    pairs = list(zip(points, points[1:] + points[:1] if closed else points[1:]))
    for (x0, y0), (x1, y1) in pairs:
        length = math.hypot(x1 - x0, y1 - y0)
        if length == 0:
            continue
        nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
        pieces.append([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                       (x0 - nx, y0 - ny)])
    return [p if _area(p) > 0 else p[::-1] for p in pieces]


def _area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))


def _coverage(contours, size, levels):
    """(pixel index, covered fraction) of every pixel the shape touches, nonzero winding."""
    edges = []
    for points in contours:
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            if y0 == y1:
                continue
            direction = 1 if y1 > y0 else -1
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), direction))
    if not edges:
        return []
    top = max(0, math.floor(min(e[0] for e in edges)))
    bottom = min(size, math.ceil(max(e[1] for e in edges)))
    cover = {}
    weight = 1 / SUBROWS
    for row in range(top, bottom):
        base = row * size
        for k in range(SUBROWS):
            y = row + (k + 0.5) / SUBROWS
            crossings = sorted((x0 + (y - y0) * slope, d)
                               for y0, y1, x0, slope, d in edges if y0 <= y < y1)
            winding = 0
            for (x, d), (next_x, _) in zip(crossings, crossings[1:]):
                winding += d
                if winding:
                    _add_span(cover, base, max(x, 0.0), min(next_x, float(size)), weight)
    return [(i, round(min(c, 1.0) * levels) / levels) for i, c in cover.items()]


def _add_span(cover, base, a, b, weight):
    if b <= a:
        return
    first, last = int(a), int(b)
    if first == last:
        cover[base + first] = cover.get(base + first, 0) + (b - a) * weight
        return
    cover[base + first] = cover.get(base + first, 0) + (first + 1 - a) * weight
    for i in range(first + 1, last):
        cover[base + i] = cover.get(base + i, 0) + weight
    if b > last:
        cover[base + last] = cover.get(base + last, 0) + (b - last) * weight


def _straight(pixel):
    alpha = pixel[3]
    a = min(255, round(alpha * 255))
    if a == 0:
        return (0, 0, 0, 0)
    return tuple(min(255, round(c / alpha * 255)) for c in pixel[:3]) + (a,)
