"""Ink of two pictures of one formula, compared: the width ratio and a tolerant overlap score.

A picture's ink is every pixel darker than half way between paper and black (anti-aliasing
differs between renderers; the threshold keeps a glyph's body and drops its fringe). The two
masks are placed on one canvas with their ink centroids together; the score is the best, over
small shifts, of the ink that lies within a few pixels of the other picture's ink, counted both
ways (the harmonic mean of the two shares, a Dice coefficient with tolerance). 1.0 means every
ink pixel of each picture lies near ink of the other.
"""
import numpy
from PIL import Image

INK_THRESHOLD = 0.5   # darkness (0 paper, 1 black) above which a pixel is ink
SHIFT = 3             # the best shift is searched within this many pixels either way
TOLERANCE = 2         # ink within this many pixels (square neighbourhood) of other ink counts


def darkness(path):
    """The picture's darkness in [0, 1], transparent parts counted as paper."""
    with Image.open(path) as image:
        image = image.convert('RGBA')
        paper = Image.new('RGBA', image.size, (255, 255, 255, 255))
        grey = Image.alpha_composite(paper, image).convert('L')
    return 1.0 - numpy.asarray(grey, dtype=numpy.float64) / 255.0


def ink_box(mask):
    """(top, bottom, left, right) of the ink, bottom and right exclusive; None without ink."""
    rows = numpy.flatnonzero(mask.any(axis=1))
    cols = numpy.flatnonzero(mask.any(axis=0))
    if rows.size == 0:
        return None
    return rows[0], rows[-1] + 1, cols[0], cols[-1] + 1


def trimmed(mask):
    """The mask cut to its ink; None without ink."""
    box = ink_box(mask)
    if box is None:
        return None
    top, bottom, left, right = box
    return mask[top:bottom, left:right]


def ink_mask(path):
    """The picture's ink mask cut to its ink; None when the picture holds no ink."""
    return trimmed(darkness(path) > INK_THRESHOLD)


def dilated(mask, radius):
    """Ink grown by `radius` pixels in every direction (a square neighbourhood)."""
    grown = mask.copy()
    height, width = mask.shape
    for dy in range(-radius, radius + 1):
        for dx in range(-radius, radius + 1):
            grown[max(dy, 0):height + min(dy, 0), max(dx, 0):width + min(dx, 0)] |= \
                mask[max(-dy, 0):height + min(-dy, 0), max(-dx, 0):width + min(-dx, 0)]
    return grown


def _placed(mask, shape, offset):
    canvas = numpy.zeros(shape, dtype=bool)
    top, left = offset
    canvas[top:top + mask.shape[0], left:left + mask.shape[1]] = mask
    return canvas


def _centroid(mask):
    rows, cols = numpy.nonzero(mask)
    return rows.mean(), cols.mean()


def common_canvas(first, second, margin):
    """Both masks on one canvas, centroids together, with `margin` free pixels all round."""
    (r1, c1), (r2, c2) = _centroid(first), _centroid(second)
    # Offsets of each mask so that the centroids coincide, then moved into the positive range.
    d_row, d_col = int(round(r1 - r2)), int(round(c1 - c2))
    top1, left1 = max(-d_row, 0) + margin, max(-d_col, 0) + margin
    top2, left2 = top1 + d_row, left1 + d_col
    height = max(top1 + first.shape[0], top2 + second.shape[0]) + margin
    width = max(left1 + first.shape[1], left2 + second.shape[1]) + margin
    return (_placed(first, (height, width), (top1, left1)),
            _placed(second, (height, width), (top2, left2)))


def _shifted(mask, dy, dx):
    moved = numpy.zeros_like(mask)
    height, width = mask.shape
    moved[max(dy, 0):height + min(dy, 0), max(dx, 0):width + min(dx, 0)] = \
        mask[max(-dy, 0):height + min(-dy, 0), max(-dx, 0):width + min(-dx, 0)]
    return moved


def overlap(first, second, shift=SHIFT, tolerance=TOLERANCE):
    """The tolerant Dice score of two trimmed masks at their best shift, in [0, 1]."""
    a, b = common_canvas(first, second, shift + tolerance)
    count_a, count_b = int(a.sum()), int(b.sum())
    grown_a, grown_b = dilated(a, tolerance), dilated(b, tolerance)
    best = 0.0
    for dy in range(-shift, shift + 1):
        for dx in range(-shift, shift + 1):
            near_b = int((_shifted(a, dy, dx) & grown_b).sum()) / count_a
            near_a = int((b & _shifted(grown_a, dy, dx)).sum()) / count_b
            if near_a + near_b > 0:
                best = max(best, 2 * near_a * near_b / (near_a + near_b))
    return best


def width_ratio(first, second):
    """The first mask's ink width over the second's."""
    return first.shape[1] / second.shape[1]
