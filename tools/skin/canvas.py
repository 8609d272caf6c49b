"""A small drawing surface: ImageMagick renders shapes and text as layers, Python composites them.

ImageMagick draws each layer (an MVG string) on a transparent canvas; all layers of one picture
are rendered by a single `convert` run and read back as raw RGBA. Compositing, gradients and
the key colour are done here, so the result depends only on the layer's pixels, never on file
metadata: the same tool versions give the same bytes.
"""
from __future__ import annotations

import shutil
import struct
import subprocess
from pathlib import Path

FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")
SANS = FONT_DIR / "DejaVuSans.ttf"
BOLD = FONT_DIR / "DejaVuSans-Bold.ttf"
CONDENSED = FONT_DIR / "DejaVuSansCondensed.ttf"
CONDENSED_BOLD = FONT_DIR / "DejaVuSansCondensed-Bold.ttf"
OBLIQUE_BOLD = FONT_DIR / "DejaVuSans-BoldOblique.ttf"

KEY = (255, 0, 255)


def convert_program() -> str:
    found = shutil.which("convert")
    if not found:
        raise RuntimeError("ImageMagick's convert is needed to draw the skin")
    return found


def quote(text: str) -> str:
    return "'" + text.replace("\\", "\\\\").replace("'", "\\'") + "'"


def rgb(colour) -> str:
    return "#%02x%02x%02x" % tuple(colour[:3])


def text(x, y, words, font=BOLD, size=9, colour=(255, 255, 255), anchor="start") -> str:
    return (
        f"font {quote(str(font))} font-size {size} fill {rgb(colour)} stroke none "
        f"text-anchor {anchor} text {x},{y} {quote(words)}"
    )


def roundrect(x0, y0, x1, y1, r, colour=(255, 255, 255)) -> str:
    """A filled rounded rectangle covering x0..x1, y0..y1 (pixel edges, x1/y1 exclusive)."""
    return (
        f"fill {rgb(colour)} stroke none "
        f"roundrectangle {x0},{y0} {x1 - 0.01},{y1 - 0.01} {r},{r}"
    )


def rect(x0, y0, x1, y1, colour=(255, 255, 255)) -> str:
    return f"fill {rgb(colour)} stroke none rectangle {x0},{y0} {x1 - 0.01},{y1 - 0.01}"


def circle(cx, cy, r, colour=(255, 255, 255)) -> str:
    return f"fill {rgb(colour)} stroke none circle {cx},{cy} {cx + r},{cy}"


def polygon(points, colour=(255, 255, 255)) -> str:
    return f"fill {rgb(colour)} stroke none polygon " + " ".join(f"{x},{y}" for x, y in points)


def path(d, colour=(255, 255, 255)) -> str:
    return f"fill {rgb(colour)} stroke none path {quote(d)}"


def stroke_path(d, width, colour=(255, 255, 255)) -> str:
    return (
        f"fill none stroke {rgb(colour)} stroke-width {width} stroke-linecap round "
        f"stroke-linejoin round path {quote(d)}"
    )


def next_covered(alpha: bytes, start: int) -> int:
    """Index of the next non-zero byte from start, or -1."""
    n = len(alpha)
    i = start
    while i < n:
        if alpha[i]:
            return i
        # Jump over a run of zero bytes with one search for the next non-zero block.
        stripped = alpha[i : i + 256].lstrip(b"\0")
        if stripped:
            return i + 256 - len(stripped) if len(alpha[i : i + 256]) == 256 else n - len(stripped)
        i += 256
    return -1


class Vertical:
    """A vertical gradient between stops given as (y, colour)."""

    by_row = True

    def __init__(self, *stops):
        self.stops = sorted(stops)

    def __call__(self, x, y):
        stops = self.stops
        if y <= stops[0][0]:
            return stops[0][1]
        for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
            if y <= y1:
                t = (y - y0) / (y1 - y0) if y1 != y0 else 0.0
                return tuple(a + (b - a) * t for a, b in zip(c0, c1))
        return stops[-1][1]


class Radial:
    """A radial gradient around (cx, cy) between stops given as (radius, colour)."""

    def __init__(self, cx, cy, *stops):
        self.cx, self.cy = cx, cy
        self.ramp = Vertical(*stops)

    def __call__(self, x, y):
        return self.ramp(0, ((x - self.cx) ** 2 + (y - self.cy) ** 2) ** 0.5)


class Canvas:
    """An RGBA picture with straight alpha, as floats 0..1 per channel."""

    def __init__(self, width: int, height: int, background=None):
        self.width, self.height = width, height
        n = width * height
        if background is None:
            self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n
        else:
            c = [v / 255 for v in background]
            self.r, self.g, self.b, self.a = [c[0]] * n, [c[1]] * n, [c[2]] * n, [1.0] * n
        self.pending: list[tuple[str, object, tuple[str, ...], float]] = []

    def draw(self, mvg: str, paint=None, ops=(), opacity=1.0) -> "Canvas":
        """Queues one layer. paint: None keeps the drawn colours, a colour or a gradient
        colours the drawn coverage; ops are extra ImageMagick operators (a blur for a glow)."""
        self.pending.append((mvg, paint, tuple(ops), opacity))
        return self

    def flush(self) -> "Canvas":
        if not self.pending:
            return self
        command = [convert_program()]
        for mvg, _, ops, _ in self.pending:
            command += ["(", "-size", f"{self.width}x{self.height}", "xc:none", "-draw", mvg, *ops, ")"]
        command += ["-depth", "8", "rgba:-"]
        raw = subprocess.run(command, check=True, capture_output=True).stdout
        frame = self.width * self.height * 4
        if len(raw) != frame * len(self.pending):
            raise RuntimeError("ImageMagick returned an unexpected picture size")
        layers, self.pending = self.pending, []
        for index, (_, paint, _, opacity) in enumerate(layers):
            self._composite(raw[index * frame : (index + 1) * frame], paint, opacity)
        return self

    def _composite(self, raw: bytes, paint, opacity: float) -> None:
        width = self.width
        flat = None
        if paint is not None and not callable(paint):
            flat = tuple(v / 255 for v in paint)
        R, G, B, A = self.r, self.g, self.b, self.a
        alpha = raw[3::4]
        row_cache: dict[int, tuple[float, float, float]] = {}
        by_row = getattr(paint, "by_row", False)
        start = 0
        while True:
            # Skip the untouched stretches quickly: most layers cover a small part.
            i = next_covered(alpha, start)
            if i < 0:
                break
            start = i + 1
            sa = alpha[i] / 255 * opacity
            if flat is not None:
                sr, sg, sb = flat
            elif paint is not None:
                y = i // width
                if by_row:
                    c = row_cache.get(y)
                    if c is None:
                        p = paint(0, y)
                        c = row_cache[y] = (p[0] / 255, p[1] / 255, p[2] / 255)
                    sr, sg, sb = c
                else:
                    p = paint(i - y * width, y)
                    sr, sg, sb = p[0] / 255, p[1] / 255, p[2] / 255
            else:
                sr, sg, sb = raw[4 * i] / 255, raw[4 * i + 1] / 255, raw[4 * i + 2] / 255
            da = A[i]
            if da <= 0 or sa >= 1:
                R[i], G[i], B[i], A[i] = sr, sg, sb, max(sa, da) if sa >= 1 else sa
                continue
            oa = sa + da * (1 - sa)
            k = da * (1 - sa)
            R[i] = (sr * sa + R[i] * k) / oa
            G[i] = (sg * sa + G[i] * k) / oa
            B[i] = (sb * sa + B[i] * k) / oa
            A[i] = oa

    def paste(self, other: "Canvas", x0: int, y0: int) -> "Canvas":
        """Lays another canvas over this one at (x0, y0)."""
        other.flush()
        self.flush()
        for y in range(other.height):
            ty = y + y0
            if not 0 <= ty < self.height:
                continue
            for x in range(other.width):
                tx = x + x0
                if not 0 <= tx < self.width:
                    continue
                j = y * other.width + x
                sa = other.a[j]
                if sa <= 0:
                    continue
                i = ty * self.width + tx
                da = self.a[i]
                oa = sa + da * (1 - sa)
                k = da * (1 - sa)
                self.r[i] = (other.r[j] * sa + self.r[i] * k) / oa
                self.g[i] = (other.g[j] * sa + self.g[i] * k) / oa
                self.b[i] = (other.b[j] * sa + self.b[i] * k) / oa
                self.a[i] = oa
        return self

    def pixel(self, x, y):
        self.flush()
        i = y * self.width + x
        return tuple(round(c[i] * 255) for c in (self.r, self.g, self.b)), self.a[i]

    def keyed(self, under, key=KEY, threshold=0.5) -> bytes:
        """RGB bytes, top row first: mostly covered pixels are blended onto `under` (the colour
        that will be seen behind them), the rest become the key colour. A drawn pixel that
        happens to equal the key is nudged off it so that it can never turn see-through."""
        self.flush()
        out = bytearray()
        u = [v / 255 for v in under]
        near_key = (key[0] - 1 if key[0] else 1, key[1], key[2])
        for i in range(self.width * self.height):
            a = self.a[i]
            if a < threshold:
                out += bytes(key)
                continue
            c = tuple(
                max(0, min(255, round((s * a + bb * (1 - a)) * 255)))
                for s, bb in zip((self.r[i], self.g[i], self.b[i]), u)
            )
            out += bytes(near_key if c == key else c)
        return bytes(out)

    def opaque(self, under=(0, 0, 0)) -> bytes:
        """RGB bytes, top row first, flattened onto `under`."""
        self.flush()
        out = bytearray()
        u = [v / 255 for v in under]
        for i in range(self.width * self.height):
            a = self.a[i]
            out += bytes(
                max(0, min(255, round((s * a + bb * (1 - a)) * 255)))
                for s, bb in zip((self.r[i], self.g[i], self.b[i]), u)
            )
        return bytes(out)


def bmp_bytes(width: int, height: int, rgb_rows: bytes) -> bytes:
    """A 24-bit bottom-up Windows bitmap; fixed header values, so equal pixels give equal files."""
    stride = (width * 3 + 3) // 4 * 4
    body = bytearray()
    for y in reversed(range(height)):
        row = rgb_rows[y * width * 3 : (y + 1) * width * 3]
        bgr = bytearray(len(row))
        bgr[0::3], bgr[1::3], bgr[2::3] = row[2::3], row[1::3], row[0::3]
        body += bgr + b"\0" * (stride - len(bgr))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(body), 0, 0, 54) + info + bytes(body)


def hstack(width: int, height: int, parts: list[bytes]) -> bytes:
    """Places RGB pictures of equal size side by side."""
    out = bytearray()
    for y in range(height):
        for part in parts:
            out += part[y * width * 3 : (y + 1) * width * 3]
    return bytes(out)
