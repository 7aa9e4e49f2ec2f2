"""Ink of two pictures of one formula, compared: the width ratio and a tolerant overlap score.

A picture's ink is every pixel darker than half way between paper and black (anti-aliasing
differs between renderers; the threshold keeps a glyph's body and drops its fringe). The score
is the best, over every relative shift of the two masks, of the ink that lies within a few
pixels of the other picture's ink, counted both ways (the harmonic mean of the two shares, a
Dice coefficient with tolerance). 1.0 means every ink pixel of each picture lies near ink of the
other. (Placing the two by their ink centroids is not enough: strokes a little heavier at one
end of a long formula move its centroid by several pixels.)
"""
import numpy
from PIL import Image

INK_THRESHOLD = 0.5   # darkness (0 paper, 1 black) above which a pixel is ink
TOLERANCE = 2  # ink within this many pixels (square neighbourhood) of other ink counts


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


def _fast_length(n):
    """The least length >= n with no prime factor above 5 (the FFT is slow on large primes)."""
    while True:
        m = n
        for p in (2, 3, 5):
            while m % p == 0:
                m //= p
        if m == 1:
            return n
        n += 1


def _correlation(first, second, shape):
    """c[dy, dx] = the number of pixels p inked in `first` at p and in `second` at p + (dy, dx),
    negative shifts wrapped to the end (the shape leaves room for every shift without overlap)."""
    product = numpy.conj(numpy.fft.rfft2(first, shape)) * numpy.fft.rfft2(second, shape)
    return numpy.rint(numpy.fft.irfft2(product, shape)).astype(numpy.int64)


def overlap(first, second, tolerance=TOLERANCE):
    """The tolerant Dice score of two trimmed masks at their best relative shift, in [0, 1]."""
    a = numpy.pad(first, tolerance)
    b = numpy.pad(second, tolerance)
    shape = (_fast_length(a.shape[0] + b.shape[0]), _fast_length(a.shape[1] + b.shape[1]))
    # For every shift: the share of a's ink near b's, and of b's ink near a's.
    near_b = _correlation(a, dilated(b, tolerance), shape) / int(first.sum())
    near_a = _correlation(dilated(a, tolerance), b, shape) / int(second.sum())
    total = near_a + near_b
    scores = numpy.divide(2 * near_a * near_b, total, out=numpy.zeros_like(total),
                          where=total > 0)
    return float(min(1.0, scores.max()))


def width_ratio(first, second):
    """The first mask's ink width over the second's."""
    return first.shape[1] / second.shape[1]
