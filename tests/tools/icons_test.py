#!/usr/bin/env python3
"""The icons in resources/icons/ are what scripts/make-icons draws from the converter's picture of
the formula: every size of both icons, pixel for pixel (ImageMagick's compare counts the pixels
that differ), square, with a transparent corner and ink inside, and the large icon's formula drawn
at its size rather than enlarged from a small picture."""
import os
import subprocess
import sys
import tempfile
import unittest

CONVERT = None
ROOT = None
SIZES = (16, 24, 32, 48, 256)
ICONS = ('app', 'document')


def identify(path, fmt):
    return subprocess.run(['identify', '-format', fmt, path], capture_output=True, text=True,
                          check=True).stdout


def differing_pixels(a, b):
    result = subprocess.run(['compare', '-metric', 'AE', a, b, 'null:'], capture_output=True,
                            text=True, check=False)
    # compare exits 0 for equal pictures, 1 for different ones, 2 when it could not compare.
    assert result.returncode in (0, 1), result.stderr
    return float(result.stderr.split()[0])


class Icons(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        subprocess.run([os.path.join(ROOT, 'scripts', 'make-icons'), CONVERT, cls.tmp.name],
                       check=True)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_committed_icons_are_what_the_script_draws(self):
        for icon in ICONS:
            for size in SIZES:
                name = f'{icon}_{size}.png'
                committed = os.path.join(ROOT, 'resources', 'icons', name)
                with self.subTest(name):
                    self.assertEqual(differing_pixels(committed, os.path.join(self.tmp.name, name)),
                                     0)

    def test_every_size_is_square_with_a_clear_corner_and_dark_ink(self):
        for icon in ICONS:
            for size in SIZES:
                path = os.path.join(self.tmp.name, f'{icon}_{size}.png')
                with self.subTest(icon=icon, size=size):
                    self.assertEqual(identify(path, '%w %h'), f'{size} {size}')
                    self.assertEqual(identify(path + '[1x1+0+0]', '%[fx:a]'), '0')
                    # The formula's strokes: some pixels are nearly black and opaque.
                    dark = identify(path, '%[fx:minima.intensity]')
                    self.assertLess(float(dark), 0.35)

    def test_large_icon_strokes_have_sharp_edges(self):
        # An enlarged picture blurs every edge over several pixels: the grey rim of the formula's
        # strokes then outweighs their dark core (0.9 times it when the 256 px formula was blown
        # up from the 1:1 picture; about 0.2 when it is drawn at scale 4).
        path = os.path.join(self.tmp.name, 'app_256.png')
        grey = subprocess.run(['convert', path, '-background', 'white', '-flatten', '-gravity',
                               'center', '-crop', '150x150+0+0', '+repage', '-colorspace', 'gray',
                               '-depth', '8', 'gray:-'], capture_output=True, check=True).stdout
        dark = sum(1 for level in grey if level < 64)
        rim = sum(1 for level in grey if 64 <= level < 192)
        self.assertGreater(dark, 1000)
        self.assertLess(rim / dark, 0.5)


if __name__ == '__main__':
    CONVERT, ROOT = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
