#!/usr/bin/env python3
"""Draws every picture of VelarMon and writes it next to this script.

Outputs: toolbar.bmp (102), frame_tile.bmp (110), table_tile.bmp (112),
splash.bmp (115), logo.bmp (123), about.bmp (128), velarmon.ico (104),
datetime.ico (106), table.ico (107), loading.cur (106) and progress.avi (126).

Standard library only, so the pictures can be rebuilt on any machine with
Python 3:  python3 res/make_images.py
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- file writers

def _row_pad(n):
    return (4 - n % 4) % 4


def _info_header(width, height, bits, compression=0, size_image=0, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression,
                       size_image, 2835, 2835, colours_used, 0)


def _palette_bytes(palette, count):
    out = bytearray()
    for i in range(count):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        out += bytes((b, g, r, 0))
    return bytes(out)


def _pixels8(width, height, indices):
    out = bytearray()
    for y in range(height - 1, -1, -1):
        out += bytes(indices[y * width:(y + 1) * width])
        out += b"\0" * _row_pad(width)
    return bytes(out)


def _pixels24(width, height, rgb):
    out = bytearray()
    for y in range(height - 1, -1, -1):
        for x in range(width):
            r, g, b = rgb[y * width + x]
            out += bytes((b, g, r))
        out += b"\0" * _row_pad(width * 3)
    return bytes(out)


def _bitmap_file(head, pixels):
    return b"BM" + struct.pack("<IHHI", 14 + len(head) + len(pixels), 0, 0, 14 + len(head)) + head + pixels


def write_bmp24(name, width, height, rgb):
    _write(name, _bitmap_file(_info_header(width, height, 24), _pixels24(width, height, rgb)))


def write_bmp8(name, width, height, indices, palette):
    """An 8-bit BMP whose colour table holds only the colours in use."""
    count = len(palette)
    head = _info_header(width, height, 8, colours_used=count) + _palette_bytes(palette, count)
    _write(name, _bitmap_file(head, _pixels8(width, height, indices)))


def _mask_bits(width, height, opaque):
    stride = (width + 31) // 32 * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            if not opaque[y * width + x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _icon_image_32(image):
    w, h = image.width, image.height
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = image.rgba(x, y)
            xor += bytes((b, g, r, a))
    mask = _mask_bits(w, h, [image.rgba(x, y)[3] >= 128 for y in range(h) for x in range(w)])
    return _info_header(w, 2 * h, 32, size_image=len(xor) + len(mask)) + bytes(xor) + mask


def _icon_image_8(image):
    w, h = image.width, image.height
    opaque = [image.rgba(x, y)[3] >= 128 for y in range(h) for x in range(w)]
    colours = [image.rgba(x, y)[:3] for y in range(h) for x in range(w)]
    solid = [c for c, o in zip(colours, opaque) if o]
    # Index 0 stays black: transparent pixels must be black so that the mask shows the screen.
    palette = [(0, 0, 0)] + median_cut(solid, 255)
    lookup = NearestColour(palette)
    indices = [lookup(c) if o else 0 for c, o in zip(colours, opaque)]
    xor = _pixels8(w, h, indices)
    mask = _mask_bits(w, h, opaque)
    return (_info_header(w, 2 * h, 8, size_image=len(xor) + len(mask))
            + _palette_bytes(palette, 256) + xor + mask)


def _icon_file(kind, images, hotspot=(0, 0)):
    """kind 1 is an icon, 2 a cursor; images are (Image, bits) pairs."""
    blobs = [(_icon_image_32(im) if bits == 32 else _icon_image_8(im), im, bits) for im, bits in images]
    out = bytearray(struct.pack("<HHH", 0, kind, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for blob, im, bits in blobs:
        planes, count = (1, bits) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", im.width % 256, im.height % 256, 0, 0, planes, count,
                           len(blob), offset)
        offset += len(blob)
    for blob, _, _ in blobs:
        out += blob
    return bytes(out)


def write_icon(name, images):
    _write(name, _icon_file(1, [(im, bits) for im in images for bits in (32, 8)]))


def write_cursor(name, image, hotspot):
    _write(name, _icon_file(2, [(image, 8)], hotspot))


def _write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- colour tables

def median_cut(colours, count):
    """A palette of at most count colours for the given list of (r, g, b)."""
    unique = sorted(set(colours))
    if len(unique) <= count:
        return unique
    weights = {}
    for c in colours:
        weights[c] = weights.get(c, 0) + 1
    boxes = [unique]
    while len(boxes) < count:
        boxes.sort(key=_box_range, reverse=True)
        box = boxes.pop(0)
        if _box_range(box) == 0:
            boxes.append(box)
            break
        channel = max(range(3), key=lambda ch: max(c[ch] for c in box) - min(c[ch] for c in box))
        box.sort(key=lambda c: c[channel])
        half = sum(weights[c] for c in box) / 2
        running, cut = 0, 1
        for i, c in enumerate(box[:-1]):
            running += weights[c]
            if running >= half:
                cut = i + 1
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(weights[c] for c in box)
        palette.append(tuple(round(sum(c[ch] * weights[c] for c in box) / total) for ch in range(3)))
    return sorted(set(palette))


def _box_range(box):
    return max(max(c[ch] for c in box) - min(c[ch] for c in box) for ch in range(3))


class NearestColour:
    def __init__(self, palette):
        self.palette = palette
        self.cache = {}

    def __call__(self, colour):
        index = self.cache.get(colour)
        if index is None:
            r, g, b = colour
            index = min(range(len(self.palette)), key=lambda i: (self.palette[i][0] - r) ** 2 * 3
                        + (self.palette[i][1] - g) ** 2 * 4 + (self.palette[i][2] - b) ** 2 * 2)
            self.cache[colour] = index
        return index


# ---------------------------------------------------------------- drawing

class Image:
    """Straight-alpha RGBA picture with anti-aliased shape filling."""

    SAMPLES = 4

    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        r, g, b = background if background else (0, 0, 0)
        a = 1.0 if background else 0.0
        self.px = [[float(r), float(g), float(b), a] for _ in range(width * height)]

    def rgba(self, x, y):
        r, g, b, a = self.px[y * self.width + x]
        return (_clamp(r), _clamp(g), _clamp(b), _clamp(a * 255))

    def rgb_list(self):
        return [self.rgba(x, y)[:3] for y in range(self.height) for x in range(self.width)]

    def blend(self, x, y, colour, k):
        if k <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y * self.width + x]
        a = k + p[3] * (1 - k)
        if a <= 0:
            return
        for ch in range(3):
            p[ch] = (colour[ch] * k + p[ch] * p[3] * (1 - k)) / a
        p[3] = a

    def fill(self, shape, colour, alpha=1.0):
        """colour is (r, g, b) or a function of the pixel centre giving one."""
        inside, (x0, y0, x1, y1) = shape
        n = self.SAMPLES
        offsets = [(i + 0.5) / n for i in range(n)]
        for y in range(max(0, int(math.floor(y0))), min(self.height, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(math.floor(x0))), min(self.width, int(math.ceil(x1)) + 1)):
                hits = sum(1 for oy in offsets for ox in offsets if inside(x + ox, y + oy))
                if hits:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c, alpha * hits / (n * n))

    def paint(self, colour_at):
        """Sets every pixel from a function of its centre (backgrounds, tiles)."""
        for y in range(self.height):
            for x in range(self.width):
                self.px[y * self.width + x] = [*map(float, colour_at(x + 0.5, y + 0.5)), 1.0]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y * self.width + x] = [*map(float, colour), 1.0]


def _clamp(v):
    return max(0, min(255, int(round(v))))


def mix(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def vertical_gradient(top, bottom, y0, y1):
    return lambda x, y: mix(top, bottom, (y - y0) / max(1e-6, y1 - y0))


# Shapes are (inside(x, y) -> bool, bounding box).

def rect(x0, y0, x1, y1):
    return (lambda x, y: x0 <= x < x1 and y0 <= y < y1), (x0, y0, x1, y1)


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside, (x0, y0, x1, y1)


def ellipse(cx, cy, rx, ry):
    return ((lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0),
            (cx - rx, cy - ry, cx + rx, cy + ry))


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside, (min(xs), min(ys), max(xs), max(ys))


def stroke(points, width, closed=False):
    """A polyline of the given width with round ends and joins."""
    segs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    h2 = (width / 2) ** 2

    def inside(x, y):
        for (ax, ay), (bx, by) in segs:
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy
            t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
            ex, ey = ax + t * dx - x, ay + t * dy - y
            if ex * ex + ey * ey <= h2:
                return True
        return False
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    h = width / 2
    return inside, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h)


def arc_points(cx, cy, rx, ry, start, end, steps=24):
    """Points of an elliptic arc; angles in degrees, counter-clockwise on screen."""
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy - ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def union(*shapes):
    boxes = [s[1] for s in shapes]
    return ((lambda x, y: any(s[0](x, y) for s in shapes)),
            (min(b[0] for b in boxes), min(b[1] for b in boxes),
             max(b[2] for b in boxes), max(b[3] for b in boxes)))


# ---------------------------------------------------------------- stroke font
# Glyphs in units of the capital height: y = 0 at the top of capitals,
# y = 1 on the base line, lower case from y = 0.3.

def _glyphs():
    g = {}
    g["V"] = (0.84, [[(0, 0), (0.36, 1), (0.72, 0)]])
    g["e"] = (0.70, [[(0.04, 0.65), (0.56, 0.65)] + arc_points(0.30, 0.65, 0.26, 0.35, 0, 315)])
    g["l"] = (0.30, [[(0.08, 0), (0.08, 1)]])
    g["a"] = (0.72, [arc_points(0.28, 0.65, 0.25, 0.35, 0, 360, 32), [(0.53, 0.30), (0.53, 1)]])
    g["r"] = (0.52, [[(0.06, 0.30), (0.06, 1)], arc_points(0.32, 0.64, 0.26, 0.32, 165, 60)])
    g["M"] = (1.02, [[(0, 1), (0, 0), (0.42, 0.72), (0.84, 0), (0.84, 1)]])
    g["o"] = (0.72, [arc_points(0.30, 0.65, 0.28, 0.35, 0, 360, 32)])
    g["n"] = (0.72, [[(0.06, 0.30), (0.06, 1)],
                     arc_points(0.29, 0.60, 0.23, 0.29, 180, 0) + [(0.52, 1)]])
    g["C"] = (0.88, [arc_points(0.40, 0.5, 0.40, 0.5, 45, 315)])
    g["D"] = (0.90, [[(0.3, 1), (0, 1), (0, 0), (0.3, 0)] + arc_points(0.3, 0.5, 0.45, 0.5, 90, -90)])
    g["A"] = (0.92, [[(0, 1), (0.4, 0), (0.8, 1)], [(0.16, 0.62), (0.64, 0.62)]])
    g[" "] = (0.40, [])
    return g


GLYPHS = _glyphs()


def text_width(text, size, weight=0.14):
    return sum(GLYPHS[ch][0] for ch in text) * size + weight * size * (len(text) - 1) * 0.6


def text_shape(text, x, y, size, weight=0.14, slant=0.0):
    """The strokes of text with the top of capitals at y; slant leans it right."""
    shapes = []
    pen = x
    for ch in text:
        advance, strokes = GLYPHS[ch]
        for line in strokes:
            pts = [(pen + (px + (1 - py) * slant) * size, y + py * size) for px, py in line]
            shapes.append(stroke(pts, weight * size))
        pen += advance * size + weight * size * 0.6
    return union(*shapes)


def draw_text(image, text, cx, y, size, colour, weight=0.14, slant=0.0, shadow=None):
    x = cx - text_width(text, size, weight) / 2
    if shadow:
        image.fill(text_shape(text, x + size * 0.05, y + size * 0.06, size, weight, slant), shadow, 0.5)
    image.fill(text_shape(text, x, y, size, weight, slant), colour)


# ---------------------------------------------------------------- tool bar
# Pixel art, 16 x 16 per button. The tool bar maps pure black, gray 128,
# silver 192 and white to the system's button colours, so silver is the
# background and the other three act as text, shadow and highlight.

TOOL_COLOURS = {
    ".": (192, 192, 192), "k": (0, 0, 0), "g": (128, 128, 128), "w": (255, 255, 255),
    "e": (255, 250, 224), "d": (64, 64, 64), "h": (88, 120, 168), "B": (0, 0, 128),
    "b": (24, 88, 208), "c": (128, 176, 255), "s": (168, 212, 255), "r": (224, 24, 24),
    "R": (128, 0, 0), "y": (255, 232, 64), "Y": (200, 160, 0), "n": (0, 176, 64),
    "N": (0, 104, 32), "o": (255, 144, 0), "t": (232, 200, 150), "p": (240, 150, 160),
}

ENVELOPE = [
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    ".keekeeeeeekeek.",
    ".keeekeeeekeeek.",
    ".keeeekeekeeeek.",
    ".keeeeekkeeeeek.",
    ".keeeeeeeeeeeek.",
    ".keeeeeeeerrrek.",
    ".keeeeeeeerrrek.",
    ".keeeeeeeeeeeek.",
    ".kgeeeeeeeeeegk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
    "................",
]

PHONE_BOOK = [
    "................",
    "..kkkkkkkkkkkk..",
    ".kBbbbbbbbbbbbk.",
    ".kBbbbbbbbbbbwk.",
    ".kBbyybbbbyybwk.",
    ".kByyyyyyyyyywk.",
    ".kByybbbbbbyywk.",
    ".kBbbbyyyybbbwk.",
    ".kBbbyyyyyybbwk.",
    ".kBbbyykkyybbwk.",
    ".kBbbyyyyyybbwk.",
    ".kBbbbbbbbbbbwk.",
    ".kBbbbbbbbbbbwk.",
    ".kBkkkkkkkkkkwk.",
    "..kwwwwwwwwwwwk.",
    "..kkkkkkkkkkkkk.",
]

CALENDAR = [
    "................",
    "..k..k...k..k...",
    "kkdkkdkkkdkkdkk.",
    "krrrrrrrrrrrrrk.",
    "krrrrrrrrrrrrrk.",
    "kkkkkkkkkkkkkkk.",
    "kwwwwwwwwwwwwwk.",
    "kwggwggwggwggwk.",
    "kwggwggwggwggwk.",
    "kwwwwwwwwwwwwwk.",
    "kwggwrrwggwggwk.",
    "kwggwrrwggwggwk.",
    "kwwwwwwwwwwwwwk.",
    "kwggwggwggwwwwk.",
    "kwggwggwggwwwwk.",
    "kkkkkkkkkkkkkkk.",
]

MEMO = [
    "................",
    ".kkkkkkkkkkkkk..",
    ".kyyyyyyyyyyyk..",
    ".kybbbbbbbbyyk..",
    ".kyyyyyyyyyyyk..",
    ".kybbbbbbbbbyk..",
    ".kyyyyyyyyyyyk..",
    ".kybbbbbbbyyyk..",
    ".kyyyyyyyyyyyk..",
    ".kybbbbbbyyyyk..",
    ".kyyyyyyyyyyyk..",
    ".kyyyyyyyykkkk..",
    ".kyyyyyyyykYk...",
    ".kyyyyyyyykk....",
    ".kkkkkkkkkk.....",
    "................",
]

MELODY = [
    "................",
    "..........BBBB..",
    "......BBBBBBBB..",
    "......BBBBBB.B..",
    "......BB.....B..",
    "......B......B..",
    "......B......B..",
    "......B......B..",
    "......B......B..",
    "......B...BBBB..",
    "......B..BBBBB..",
    "...BBBB.BBBBBB..",
    "..BBBBB.BBBBB...",
    ".BBBBBB..BBB....",
    ".BBBBB..........",
    "..BBB...........",
]

PICTURE = [
    "................",
    "................",
    "kkkkkkkkkkkkkkkk",
    "ksssssssssyysssk",
    "kssssssssyyyyssk",
    "kssssssssyyyyssk",
    "ksssssssssyysssk",
    "ksssssNssssssssk",
    "kssssNNNsssssssk",
    "ksssNNNNNsssNssk",
    "kssNNNNNNNsNNNsk",
    "knnnnnnnnnnnnnnk",
    "knnnnnnnnnnnnnnk",
    "kkkkkkkkkkkkkkkk",
    "................",
    "................",
]

FILM = [
    "................",
    "................",
    "dddddddddddddddd",
    "dwddwddwddwddwdd",
    "dddddddddddddddd",
    "dssssdssssdssssd",
    "drrssdssssdssssd",
    "drrssdsrrsdssssd",
    "dssssdsrrsdssrrd",
    "dssssdssssdssrrd",
    "dnnnndnnnndnnnnd",
    "dddddddddddddddd",
    "dwddwddwddwddwdd",
    "dddddddddddddddd",
    "................",
    "................",
]

CAMERA = [
    "................",
    "................",
    ".....kkkkkk.....",
    ".rr.kddddddk....",
    "kkkkkkkkkkkkkkkk",
    "kddddddkkkddddyk",
    "kdddddkgggkddddk",
    "kddddkgBBBgkdddk",
    "kddddkgBcBgkdddk",
    "kddddkgBBBgkdddk",
    "kdddddkgggkddddk",
    "kddddddkkkdddddk",
    "kkkkkkkkkkkkkkkk",
    "................",
    "................",
    "................",
]

MOVIE_CAMERA = [
    "................",
    "..kkk....kkk....",
    ".kwgwk..kwgwk...",
    ".kgkgk..kgkgk...",
    ".kwgwk..kwgwk...",
    "..kkk....kkk....",
    ".kkkkkkkkkkk....",
    ".kbbbbbbbbbk..kk",
    ".kbcbbbbbbbkkkdk",
    ".kbbbbbbbbbkdddk",
    ".kbbbbbbbbbkdddk",
    ".kbbbbbbbbbkkkdk",
    ".kbbbbbbbbbk..kk",
    ".kkkkkkkkkkk....",
    "................",
    "................",
]

WRITE_PHONE = [
    "...........k....",
    "...........k....",
    ".........kkkkkk.",
    ".........khhhhk.",
    ".....N...kssssk.",
    ".....nN..kssssk.",
    "NNNNNnnN.khhhhk.",
    "nnnnnnnnNkwhwhk.",
    "NNNNNnnN.khhhhk.",
    ".....nN..kwhwhk.",
    ".....N...khhhhk.",
    ".........kwhwhk.",
    ".........khhhhk.",
    ".........kkkkkk.",
    "................",
    "................",
]

RECEIVE_PHONE = [
    "...........k....",
    "...........k....",
    ".........kkkkkk.",
    ".........khhhhk.",
    "...B.....kssssk.",
    "..Bb.....kssssk.",
    ".BbbBBBB.khhhhk.",
    "Bbbbbbbb.kwhwhk.",
    ".BbbBBBB.khhhhk.",
    "..Bb.....kwhwhk.",
    "...B.....khhhhk.",
    ".........kwhwhk.",
    ".........khhhhk.",
    ".........kkkkkk.",
    "................",
    "................",
]

CARD = [
    "kkkkkkkkk",
    "ksssssyyk",
    "ksssssyyk",
    "kssNssssk",
    "ksNNNsssk",
    "kNNNNNnnk",
    "knnnnnnnk",
    "kkkkkkkkk",
]

DOWN_ARROW = [
    "..NnN..",
    "..NnN..",
    "..NnN..",
    "NNNnNNN",
    ".NnnnN.",
    "..NnN..",
    "...N...",
]

FONT_A = [
    "................",
    ".......kk.......",
    ".......kk.......",
    "......kkkk......",
    "......k.kk......",
    ".....kk..kk.....",
    ".....k...kk.....",
    "....kk....kk....",
    "....kkkkkkkk....",
    "...kk......kk...",
    "...k.......kk...",
    "..kk........kk..",
    ".kkkk......kkkk.",
    "................",
    ".rrrrrrrrrrrrrr.",
    "................",
]

PLUS = [
    "................",
    "................",
    "......NNNN......",
    "......NnnN......",
    "......NnnN......",
    "......NnnN......",
    "..NNNNNnnNNNNN..",
    "..NnnnnnnnnnnN..",
    "..NnnnnnnnnnnN..",
    "..NNNNNnnNNNNN..",
    "......NnnN......",
    "......NnnN......",
    "......NnnN......",
    "......NNNN......",
    "................",
    "................",
]

PENCIL = [
    "................",
    "............kk..",
    "...........kppk.",
    "..........kgppk.",
    ".........kyygk..",
    "........kyyYk...",
    ".......kyyYk....",
    "......kyyYk.....",
    ".....kyyYk......",
    "....kyyYk.......",
    "...kyyYk........",
    "...ktyk.........",
    "..kttk..........",
    "..kkk...........",
    "................",
    "................",
]

SHEET = [
    "................",
    "kkkkkkkkkkk.....",
    "knnnnnnnnnk.....",
    "kgggggggggk.....",
    "kwwgwwwgwwk.....",
    "kgggggggggk.B...",
    "kwwgwwwgwwk.bB..",
    "kggggbbbbbbbbbB.",
    "kwwgwbbbbbbbbbbB",
    "kggggbbbbbbbbbB.",
    "kwwgwwwgwwk.bB..",
    "kgggggggggk.B...",
    "kwwgwwwgwwk.....",
    "kgggggggggk.....",
    "kkkkkkkkkkk.....",
    "................",
]

QUESTION = [
    ".wwww.",
    "ww..ww",
    "....ww",
    "...ww.",
    "..ww..",
    "..ww..",
    "......",
    "..ww..",
    "..ww..",
]


def _blank():
    return [["."] * 16 for _ in range(16)]


def _stamp(grid, sprite, dx, dy):
    for y, row in enumerate(sprite):
        for x, ch in enumerate(row):
            if ch != "." and 0 <= y + dy < 16 and 0 <= x + dx < 16:
                grid[y + dy][x + dx] = ch
    return grid


def _from_rule(rule):
    return [[rule(x, y) for x in range(16)] for y in range(16)]


def _cross(x, y):
    if not (2 <= x <= 13 and 2 <= y <= 13):
        return "."
    d = min(abs(x - y), abs(x + y - 15))
    return "r" if d <= 1 else ("R" if d == 2 else ".")


def _about(x, y):
    r = math.hypot(x - 7.5, y - 7.5)
    return "b" if r <= 6.3 else ("B" if r <= 7.4 else ".")


def _import_sheet():
    """The export's sheet with its arrow turned round: into the sheet."""
    grid = _blank()
    for y, row in enumerate(SHEET):
        if "b" in row:
            # The sheet's own row under the arrow, as its neighbours two
            # rows up or down show it.
            row = SHEET[y - 2][:11] + row[11:] if y >= 9 else SHEET[y + 4][:11] + row[11:]
        for x, ch in enumerate(row):
            if ch not in "bB":
                grid[y][x] = ch
    for y, row in enumerate(SHEET):
        for x, ch in enumerate(row):
            if ch in "bB":
                grid[y][20 - x] = ch
    return grid


def toolbar_images():
    """The 20 images in the order of the tool bar bitmap: the buttons' 19,
    then the import's, added later."""
    get_selected = _stamp(_stamp(_blank(), CARD, 1, 1), DOWN_ARROW, 9, 8)
    get_all = _blank()
    for dx, dy in ((6, 0), (3, 2), (0, 4)):
        _stamp(get_all, CARD, dx, dy)
    _stamp(get_all, DOWN_ARROW, 9, 9)
    return [ENVELOPE, PHONE_BOOK, CALENDAR, MEMO, MELODY, PICTURE, FILM, CAMERA, MOVIE_CAMERA,
            WRITE_PHONE, RECEIVE_PHONE, get_selected, get_all, FONT_A, PLUS, PENCIL,
            _from_rule(_cross), SHEET, _stamp(_from_rule(_about), QUESTION, 5, 3), _import_sheet()]


def make_toolbar():
    images = toolbar_images()
    for im in images:
        assert len(im) == 16 and all(len(row) == 16 for row in im), im
    width = 16 * len(images)
    codes = sorted(TOOL_COLOURS)
    palette = [TOOL_COLOURS[c] for c in codes]
    index = {c: i for i, c in enumerate(codes)}
    pixels = [index[images[x // 16][y][x % 16]] for y in range(16) for x in range(width)]
    write_bmp8("toolbar.bmp", width, 16, pixels, palette)


# ---------------------------------------------------------------- common motifs

NAVY = (22, 46, 102)
BLUE = (44, 98, 178)
ORANGE = (255, 146, 36)
GREEN = (48, 168, 92)
FRAME_TILE_BASE = (178, 196, 220)
TABLE_TILE_BASE = (240, 243, 248)


def draw_phone(image, x, y, w, h, shadow=True):
    """A candy-bar mobile phone with its top left corner at (x, y)."""
    r = w * 0.22
    if shadow:
        image.fill(round_rect(x + w * 0.08, y + h * 0.04, x + w * 1.08, y + h * 1.04, r), (0, 0, 0), 0.25)
    image.fill(round_rect(x + w * 0.66, y - h * 0.16, x + w * 0.84, y + h * 0.1, w * 0.08), (40, 44, 56))
    image.fill(round_rect(x, y, x + w, y + h, r), vertical_gradient((96, 112, 140), (34, 40, 58), y, y + h))
    image.fill(round_rect(x + w * 0.06, y + h * 0.02, x + w * 0.94, y + h * 0.06, w * 0.04),
               (160, 172, 196), 0.6)
    image.fill(round_rect(x + w * 0.34, y + h * 0.07, x + w * 0.66, y + h * 0.095, h * 0.012), (20, 22, 30))
    sx0, sy0, sx1, sy1 = x + w * 0.14, y + h * 0.13, x + w * 0.86, y + h * 0.45
    image.fill(round_rect(sx0, sy0, sx1, sy1, w * 0.05), vertical_gradient((186, 232, 255), (86, 156, 226),
                                                                          sy0, sy1))
    image.fill(ellipse(x + w * 0.5, y + h * 0.52, w * 0.14, h * 0.035), (200, 210, 226))
    kw, kh = w * 0.2, h * 0.065
    for row in range(4):
        for col in range(3):
            kx = x + w * (0.16 + col * 0.25)
            ky = y + h * (0.6 + row * 0.09)
            image.fill(round_rect(kx, ky, kx + kw, ky + kh, kh * 0.4), (206, 214, 228))


def draw_waves(image, cx, cy, radii, width, colour, start=-50, end=50):
    for i, r in enumerate(radii):
        image.fill(stroke(arc_points(cx, cy, r, r, start, end, 16), width), colour, 1.0 - 0.22 * i)


def draw_monitor(image, x, y, w, h):
    """A desktop computer screen on a stand, (x, y) its top left corner."""
    image.fill(polygon([(x + w * 0.4, y + h), (x + w * 0.6, y + h), (x + w * 0.66, y + h * 1.18),
                        (x + w * 0.34, y + h * 1.18)]), (120, 128, 142))
    image.fill(ellipse(x + w * 0.5, y + h * 1.2, w * 0.26, h * 0.05), (96, 104, 120))
    image.fill(round_rect(x, y, x + w, y + h, w * 0.05), vertical_gradient((226, 230, 238), (150, 158, 172),
                                                                           y, y + h))
    sx0, sy0, sx1, sy1 = x + w * 0.07, y + h * 0.08, x + w * 0.93, y + h * 0.86
    image.fill(rect(sx0, sy0, sx1, sy1), vertical_gradient((70, 130, 210), (24, 60, 132), sy0, sy1))
    for i in range(4):
        ly = sy0 + (sy1 - sy0) * (0.2 + 0.18 * i)
        image.fill(rect(sx0 + w * 0.08, ly, sx0 + w * (0.5 + 0.08 * (i % 3)), ly + h * 0.06), (200, 226, 255),
                   0.7)


def periodic_tile(size, base, amplitude, ridge):
    """A seamless tile: soft cushions on a lattice with faint diagonal ridges."""
    def colour(x, y):
        u, v = 2 * math.pi * x / size, 2 * math.pi * y / size
        cushion = math.cos(2 * u) * math.cos(2 * v)
        diagonal = math.cos(u + v) * math.cos(u - v)
        t = amplitude * (0.7 * cushion + ridge * diagonal)
        return tuple(c + t for c in base)
    return colour


# ---------------------------------------------------------------- pictures

def make_tiles():
    tile = Image(64, 64)
    tile.paint(periodic_tile(64, FRAME_TILE_BASE, 7, 0.5))
    write_bmp24("frame_tile.bmp", 64, 64, tile.rgb_list())
    table = Image(32, 32)
    table.paint(periodic_tile(32, TABLE_TILE_BASE, 3, 0.3))
    write_bmp24("table_tile.bmp", 32, 32, table.rgb_list())


def make_logo():
    image = Image(160, 160, FRAME_TILE_BASE)
    image.fill(round_rect(9, 10, 157, 158, 20), (40, 60, 90), 0.3)
    image.fill(round_rect(5, 5, 153, 153, 20), (84, 124, 186))
    image.fill(round_rect(7, 7, 151, 151, 18), vertical_gradient((252, 253, 255), (202, 222, 246), 7, 151))
    draw_phone(image, 56, 32, 36, 72)
    draw_waves(image, 86.5, 20.5, (11, 19, 27), 3.2, ORANGE)
    draw_text(image, "VelarMon", 80, 112, 21, NAVY, weight=0.15, slant=0.12)
    image.fill(round_rect(48, 139, 112, 142, 1.5), ORANGE)
    write_bmp24("logo.bmp", 160, 160, image.rgb_list())


def make_about():
    image = Image(72, 72, (84, 124, 186))
    image.fill(rect(1, 1, 71, 71), vertical_gradient((250, 252, 255), (196, 218, 246), 1, 71))
    draw_phone(image, 22, 18, 22, 44)
    draw_waves(image, 40.5, 11, (6, 11, 16), 2.2, ORANGE)
    write_bmp24("about.bmp", 72, 72, image.rgb_list())


def make_splash():
    # The dialog centres the picture in its frame and fills the rest with the
    # colour of the top left pixel, so every edge fades to that colour.
    w, h = 282, 218
    image = Image(w, h)
    edge, middle = (14, 30, 76), (64, 122, 196)

    def background(x, y):
        glow = math.sin(math.pi * x / w) ** 0.6 * math.sin(math.pi * y / h) ** 0.8
        return mix(edge, middle, glow)
    image.paint(background)
    draw_text(image, "VelarMon", w / 2, 12, 38, (255, 255, 255), weight=0.15, slant=0.12, shadow=(0, 0, 0))
    image.fill(round_rect(92, 62, 190, 65, 1.5), ORANGE)
    image.fill(ellipse(78, 175, 62, 6), (0, 0, 0), 0.3)
    image.fill(ellipse(220, 175, 28, 5), (0, 0, 0), 0.3)
    draw_monitor(image, 30, 84, 96, 72)
    draw_phone(image, 202, 86, 36, 82)
    for i in range(7):
        t = (i + 0.5) / 7
        px = 194 - t * 60
        py = 118 - math.sin(t * math.pi) * 26
        image.fill(ellipse(px, py, 3.2, 3.2), ORANGE if i % 2 else (120, 220, 150))
    draw_waves(image, 229, 73, (8, 14), 2.4, ORANGE)
    draw_text(image, "CDMA", w / 2, 188, 13, (176, 204, 240), weight=0.16)
    write_bmp24("splash.bmp", w, h, image.rgb_list())


# ---------------------------------------------------------------- icons and cursor

def app_icon(size):
    image = Image(size, size)
    if size == 32:
        draw_phone(image, 6, 10, 14, 21, shadow=False)
        draw_waves(image, 17.5, 7, (4.5, 8, 11.5), 2.0, ORANGE, -55, 45)
    else:
        image.fill(rect(9, 1, 10, 4), (40, 44, 56))
        image.fill(rect(3, 3, 11, 16), (44, 52, 74))
        image.fill(rect(4, 4, 10, 8), (140, 200, 250))
        for ky in (10, 12, 14):
            for kx in (4, 6, 8):
                image.fill(rect(kx, ky, kx + 2, ky + 1), (206, 214, 228))
        draw_waves(image, 10, 2, (3.5, 6.5), 1.3, ORANGE, -60, 60)
    return image


def table_icon(size):
    image = Image(size, size)
    s = size / 16
    image.fill(rect(1 * s, 2 * s, 15 * s, 14 * s), (60, 70, 90))
    image.fill(rect(1 * s + 1, 2 * s + 1, 15 * s - 1, 14 * s - 1), (255, 255, 255))
    image.fill(rect(1 * s + 1, 2 * s + 1, 15 * s - 1, 5 * s), BLUE)
    image.fill(rect(1 * s + 1, 5 * s, 5 * s, 14 * s - 1), (208, 224, 246))
    for gx in (5, 10):
        image.fill(rect(gx * s, 5 * s, gx * s + 1, 14 * s - 1), (150, 160, 180))
    for gy in (8, 11):
        image.fill(rect(1 * s + 1, gy * s, 15 * s - 1, gy * s + 1), (150, 160, 180))
    return image


def datetime_icon(size):
    image = Image(size, size)
    s = size / 16
    image.fill(rect(1 * s, 2 * s, 14 * s, 15 * s), (60, 60, 70))
    image.fill(rect(1 * s + 1, 2 * s + 1, 14 * s - 1, 15 * s - 1), (255, 255, 255))
    image.fill(rect(1 * s + 1, 2 * s + 1, 14 * s - 1, 5 * s), (214, 40, 40))
    for rx in (4, 7, 10):
        image.fill(rect(rx * s, 1 * s, rx * s + s, 3 * s + 1), (60, 60, 70))
    for row in range(3):
        for col in range(4):
            cx, cy = (2.5 + col * 2.7) * s, (6.2 + row * 2.6) * s
            image.fill(rect(cx, cy, cx + 1.6 * s, cy + 1.6 * s), (150, 160, 180))
    cx, cy, r = 11.5 * s, 11.5 * s, 4 * s
    image.fill(ellipse(cx, cy, r, r), (40, 60, 110))
    image.fill(ellipse(cx, cy, r - max(1, s), r - max(1, s)), (255, 250, 224))
    image.fill(stroke([(cx, cy - r * 0.6), (cx, cy), (cx + r * 0.45, cy)], max(1.0, s * 0.8)), (20, 20, 30))
    return image


def loading_cursor():
    """An hourglass; the hot spot is its middle."""
    image = Image(32, 32)
    frame = (40, 60, 110)
    sand = (240, 176, 48)
    image.fill(rect(7, 2, 25, 5), frame)
    image.fill(rect(7, 27, 25, 30), frame)
    glass = polygon([(9, 5), (23, 5), (23, 8), (17.5, 15), (17.5, 17), (23, 24), (23, 27), (9, 27), (9, 24),
                     (14.5, 17), (14.5, 15), (9, 8)])
    image.fill(glass, (20, 20, 30))
    inner = polygon([(10.5, 6), (21.5, 6), (21.5, 8), (16.5, 14.5), (16.5, 17.5), (21.5, 24), (21.5, 26),
                     (10.5, 26), (10.5, 24), (15.5, 17.5), (15.5, 14.5), (10.5, 8)])
    image.fill(inner, (236, 244, 255))
    image.fill(polygon([(12, 9), (20, 9), (16, 14)]), sand)
    image.fill(polygon([(11, 25.5), (21, 25.5), (21, 24), (16, 21), (11, 24)]), sand)
    image.fill(rect(15.5, 15, 16.5, 22), sand)
    return image


def make_icons():
    write_icon("velarmon.ico", [app_icon(32), app_icon(16)])
    write_icon("table.ico", [table_icon(32), table_icon(16)])
    write_icon("datetime.ico", [datetime_icon(32), datetime_icon(16)])
    write_cursor("loading.cur", loading_cursor(), (16, 16))


# ---------------------------------------------------------------- progress clip
# A looping clip for the animation control: the computer and the phone with
# data packets travelling both ways. The control plays uncompressed or RLE8
# clips without a codec, so every frame is a complete RLE8 picture.

CLIP_WIDTH, CLIP_HEIGHT = 320, 180
CLIP_FRAMES = 12
CLIP_RATE = 10
PACKET_STEP = 24


def clip_frame(frame):
    image = Image(CLIP_WIDTH, CLIP_HEIGHT, (232, 240, 250))
    draw_monitor(image, 22, 40, 104, 80)
    draw_phone(image, 246, 46, 40, 96, shadow=False)
    lanes = ((72, 140, 234, 1, BLUE), (112, 140, 234, -1, GREEN))
    for y, x0, x1, direction, colour in lanes:
        image.fill(rect(x0, y - 0.5, x1, y + 0.5), (196, 208, 226))
        shift = frame * PACKET_STEP // CLIP_FRAMES
        for k in range(-1, (x1 - x0) // PACKET_STEP + 2):
            offset = k * PACKET_STEP + shift
            x = x0 + offset if direction > 0 else x1 - offset
            fade = min(1.0, (x - x0) / 14, (x1 - x) / 14)
            if fade > 0:
                image.fill(round_rect(x - 5, y - 5, x + 5, y + 5, 2.5), colour, fade)
    bars = frame % 4
    for i in range(3):
        on = i < bars
        bx = 258 + i * 6
        image.fill(rect(bx, 78 - 4 * i, bx + 4, 82), NAVY if on else (150, 190, 230))
    return image


def rle8(width, height, indices):
    """Bottom-up RLE8 picture: runs of two or more, literal stretches of three or more."""
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = indices[y * width:(y + 1) * width]
        i = 0
        while i < width:
            run = 1
            while i + run < width and run < 255 and row[i + run] == row[i]:
                run += 1
            if run >= 2:
                out += bytes((run, row[i]))
                i += run
                continue
            j = i
            while j < width and j - i < 255 and (j + 1 >= width or row[j + 1] != row[j]):
                j += 1
            literal = row[i:j] if j > i else row[i:i + 1]
            if len(literal) >= 3:
                out += bytes((0, len(literal))) + bytes(literal) + (b"\0" if len(literal) % 2 else b"")
            else:
                for v in literal:
                    out += bytes((1, v))
            i += len(literal)
        out += b"\0\0"
    out += b"\0\1"
    return bytes(out)


def _chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def _list(kind, data):
    return b"LIST" + struct.pack("<I", len(data) + 4) + kind + data


def write_avi(name, width, height, frames, palette, rate):
    encoded = [rle8(width, height, f) for f in frames]
    largest = max(len(e) for e in encoded)
    avih = struct.pack("<14I", 1000000 // rate, largest * rate, 0, 0x10, len(frames), 0, 1, largest,
                       width, height, 0, 0, 0, 0)
    strh = b"vids" + b"\0\0\0\0" + struct.pack("<IHHIIIIIIIIhhhh", 0, 0, 0, 0, 1, rate, 0, len(frames),
                                                 largest, 0xFFFFFFFF, 0, 0, 0, width, height)
    strf = _info_header(width, height, 8, compression=1, size_image=largest,
                        colours_used=len(palette)) + _palette_bytes(palette, len(palette))
    hdrl = _list(b"hdrl", _chunk(b"avih", avih) + _list(b"strl", _chunk(b"strh", strh) + _chunk(b"strf", strf)))
    movi = bytearray()
    index = bytearray()
    for data in encoded:
        index += b"00dc" + struct.pack("<III", 0x10, 4 + len(movi), len(data))
        movi += _chunk(b"00dc", data)
    body = b"AVI " + hdrl + _list(b"movi", bytes(movi)) + _chunk(b"idx1", bytes(index))
    _write(name, b"RIFF" + struct.pack("<I", len(body)) + body)


def make_clip():
    pictures = [clip_frame(f).rgb_list() for f in range(CLIP_FRAMES)]
    palette = median_cut([c for p in pictures for c in p], 256)
    lookup = NearestColour(palette)
    frames = [[lookup(c) for c in p] for p in pictures]
    write_avi("progress.avi", CLIP_WIDTH, CLIP_HEIGHT, frames, palette, CLIP_RATE)


def main():
    make_toolbar()
    make_tiles()
    make_logo()
    make_about()
    make_splash()
    make_icons()
    make_clip()


if __name__ == "__main__":
    main()
