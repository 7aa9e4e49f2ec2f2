"""What the program drew, read from screenshots: the ink of a client region without the
blinking caret, its bounding box and glyph columns, green (selected) pixels, and a tolerant
comparison with a picture drawn by the native renderer."""

import io
import re
import subprocess
import time
import zipfile

import kav_e2e
from kav_e2e import check

DARK = 110  # a pixel whose mean channel is below this is ink


class Gray:
    """A region of the screen as rows of mean channel values (0 black, 255 white)."""

    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows

    def dark(self, x, y):
        return self.rows[y][x] < DARK

    def ink(self):
        return [(x, y) for y in range(self.height) for x in range(self.width) if self.dark(x, y)]


def _gray_rows(image, left, top, width, height):
    rows = []
    for y in range(top, top + height):
        start = 3 * (y * image.width + left)
        line = image.rgb[start:start + 3 * width]
        rows.append([(line[i] + line[i + 1] + line[i + 2]) // 3 for i in range(0, 3 * width, 3)])
    return rows


def steady_region(run, left, top, width, height, shots=4, gap=0.3, name=None):
    """The region's lightest value over several screenshots, so that the caret, which blinks,
    is gone from the result as long as it was hidden in one of them."""
    merged = None
    for i in range(shots):
        if i:
            time.sleep(gap)
        image = run.screenshot(name if i == 0 else None)
        rows = _gray_rows(image, left, top, width, height)
        merged = rows if merged is None else [
            [max(a, b) for a, b in zip(old, new)] for old, new in zip(merged, rows)]
    return Gray(width, height, merged)


def green_columns(image, left, top, width, height):
    """Screen columns of the region holding selection-green pixels."""
    columns = set()
    for y in range(top, top + height):
        for x in range(left, left + width):
            r, g, b = image.pixel(x, y)
            if g > 128 and g > r + 64 and g > b + 64:
                columns.add(x)
    return columns


def bounding_box(points):
    check(points, "no ink where the formula should be")
    xs = [x for x, _ in points]
    ys = [y for _, y in points]
    return min(xs), min(ys), max(xs), max(ys)


def glyph_columns(gray, join=3):
    """(first, last) column of each run of columns that hold ink, left to right. Runs at most
    `join` columns apart are one glyph: the thin middle of a "c" may hold no dark pixel."""
    inked = [any(gray.dark(x, y) for y in range(gray.height)) for x in range(gray.width)]
    runs, start = [], None
    for x, flag in enumerate(inked + [False]):
        if flag and start is None:
            start = x
        elif not flag and start is not None:
            if runs and start - runs[-1][1] <= join:
                runs[-1] = (runs[-1][0], x - 1)
            else:
                runs.append((start, x - 1))
            start = None
    return runs


def read_png(path):
    """A PNG file as a Gray image (through ImageMagick)."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                          check=True, timeout=60).stdout
    image = kav_e2e.Image.from_ppm(data)
    return Gray(image.width, image.height, _gray_rows(image, 0, 0, image.width, image.height))


def png_offset(path):
    """(x, y) of a PNG's oFFs chunk as ImageMagick reads it: the page offset in pixels."""
    text = subprocess.run(["identify", "-format", "%X %Y", path], capture_output=True, check=True,
                          timeout=60).stdout.decode()
    x, y = text.split()
    return int(x), int(y)


def package_root_size(package):
    """(width, height) in pixels of the root box whose size an Office drawing package states:
    cx = width x 1274320 / 153 EMU, truncated, which one width only gives."""
    with zipfile.ZipFile(io.BytesIO(package)) as archive:
        drawing = archive.read("clipboard/drawings/drawing1.xml").decode()
    sizes = set(re.findall(r'<a:ext cx="(\d+)" cy="(\d+)"/>', drawing))
    check(len(sizes) == 1, f"the drawing states one size, found {sizes}")
    cx, cy = map(int, sizes.pop())
    return tuple(-(-emu * 153 // 1274320) for emu in (cx, cy))


def unmatched_share(a, b, dx, dy, reach=2):
    """The share of a's ink with no ink of b within `reach` pixels, b shifted by (dx, dy)."""
    ink = a.ink()
    b_ink = set(b.ink())
    missing = 0
    for x, y in ink:
        near = any((x - dx + i, y - dy + j) in b_ink
                   for i in range(-reach, reach + 1) for j in range(-reach, reach + 1))
        missing += 0 if near else 1
    return missing / max(1, len(ink))
