"""A small RGBA raster for drawing glyphs: shapes are point-in-shape tests sampled several times
per pixel, so that edges can be smooth (blended by coverage) or hard (a pixel is in when at least
half of it is covered). Pixel (x, y) covers the square [x, x + 1) x [y, y + 1).
"""
import math

TRANSPARENT = (0, 0, 0, 0)
SAMPLES = 5                         # per axis, per pixel


def blend(c1, c2, t):
    """The colour t of the way from c1 to c2 (RGB tuples), rounded."""
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


class Image:
    def __init__(self, width, height, fill=TRANSPARENT):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def get(self, x, y):
        return self.px[y][x]

    def set(self, x, y, rgb, alpha=255):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = (rgb[0], rgb[1], rgb[2], alpha)

    def over(self, x, y, rgb, alpha):
        """Composites rgb with alpha (0..1) over the pixel."""
        if not (0 <= x < self.width and 0 <= y < self.height) or alpha <= 0:
            return
        r, g, b, a = self.px[y][x]
        a0 = a / 255.0
        a1 = alpha + a0 * (1 - alpha)
        if a1 <= 0:
            return
        mix = [(c * alpha + d * a0 * (1 - alpha)) / a1 for c, d in zip(rgb, (r, g, b))]
        self.px[y][x] = (int(round(mix[0])), int(round(mix[1])), int(round(mix[2])),
                         int(round(a1 * 255)))

    def coverage(self, inside, x, y):
        n = 0
        for i in range(SAMPLES):
            for j in range(SAMPLES):
                if inside(x + (i + 0.5) / SAMPLES, y + (j + 0.5) / SAMPLES):
                    n += 1
        return n / (SAMPLES * SAMPLES)

    def fill(self, inside, colour, smooth=True, box=None):
        """Paints the shape. colour is an RGB tuple or a function (x, y) -> RGB (a gradient).
        Hard edges take the pixels at least half covered."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                c = self.coverage(inside, x, y)
                rgb = colour(x, y) if callable(colour) else colour
                if smooth:
                    self.over(x, y, rgb, c)
                elif c >= 0.5:
                    self.set(x, y, rgb)

    def mask(self, inside):
        """The set of pixels at least half covered by the shape."""
        return {(x, y) for y in range(self.height) for x in range(self.width)
                if self.coverage(inside, x, y) >= 0.5}

    def scaled_copy(self, factor):
        out = Image(self.width * factor, self.height * factor)
        for y in range(out.height):
            for x in range(out.width):
                out.px[y][x] = self.px[y // factor][x // factor]
        return out


# ---- Shapes: each a function (x, y) -> bool over continuous coordinates -------------------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in < (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def polygon(points):
    """Even-odd rule over the closed polygon."""
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y):
                xc = xa + (y - ya) * (xb - xa) / (yb - ya)
                if x < xc:
                    result = not result
        return result
    return inside


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def stroke(points, width, square_ends=False):
    """A polyline of the given width with round joins and round (or square) ends."""
    half = width / 2.0
    segments = list(zip(points, points[1:]))

    def inside(x, y):
        for (ax, ay), (bx, by) in segments:
            if square_ends:
                dx, dy = bx - ax, by - ay
                length = math.hypot(dx, dy)
                ux, uy = dx / length, dy / length
                along = (x - ax) * ux + (y - ay) * uy
                across = -(x - ax) * uy + (y - ay) * ux
                if -half <= along <= length + half and abs(across) <= half:
                    return True
            elif _segment_distance(x, y, ax, ay, bx, by) <= half:
                return True
        return False
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def rotate(shape, degrees, cx, cy):
    """The shape turned clockwise (y down) about (cx, cy)."""
    a = math.radians(-degrees)
    c, s = math.cos(a), math.sin(a)
    return lambda x, y: shape(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c)


def rounded_rect(x0, y0, x1, y1, r):
    inner = rect(x0 + r, y0, x1 - r, y1)
    inner2 = rect(x0, y0 + r, x1, y1 - r)
    corners = [disc(x0 + r, y0 + r, r), disc(x1 - r, y0 + r, r),
               disc(x0 + r, y1 - r, r), disc(x1 - r, y1 - r, r)]
    return union(inner, inner2, *corners)


def pixels(art, origin=(0, 0)):
    """Pixel art: a list of strings; every character other than '.' and ' ' marks a pixel.
    Returns {char: set of (x, y)}."""
    out = {}
    for j, row in enumerate(art):
        for i, ch in enumerate(row):
            if ch not in ". ":
                out.setdefault(ch, set()).add((origin[0] + i, origin[1] + j))
    return out


# ---- Gradients ------------------------------------------------------------------------------------

def vertical(c_top, c_bottom, y0, y1):
    return lambda x, y: blend(c_top, c_bottom, max(0.0, min(1.0, (y - y0) / max(1, y1 - y0))))


def diagonal(c_from, c_to, x0, y0, x1, y1):
    span = (x1 - x0) + (y1 - y0)
    return lambda x, y: blend(c_from, c_to, max(0.0, min(1.0, ((x - x0) + (y - y0)) / max(1, span))))
