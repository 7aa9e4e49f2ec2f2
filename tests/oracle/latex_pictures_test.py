#!/usr/bin/python3
"""The picture comparison itself: it must score alike pictures 1 and changed ones lower, find
the formulas latex refuses, calibrate the em, and fail rather than skip without latex.

usage: latex_pictures_test.py KAV_CONVERT
"""
import os
import subprocess
import sys
import tempfile
import unittest

import numpy

import ink_overlap
import kav_pictures
import latex_dvipng
import latex_pictures

KAV_CONVERT = None
HERE = os.path.dirname(os.path.abspath(__file__))
FORMULA = r'\sum_{i=1}^n a_i = f(x)+\frac{1}{2}'


def moved_right_half(mask, drop):
    """The right half of the ink `drop` pixels lower (one part of a formula set differently)."""
    out = numpy.zeros((mask.shape[0] + drop, mask.shape[1]), dtype=bool)
    half = mask.shape[1] // 2
    out[:-drop, :half] = mask[:, :half]
    out[drop:, half:] = mask[:, half:]
    return out


def heavier_right_end(mask):
    """The ink of the right third a pixel bolder (another rasteriser's strokes)."""
    out = mask.copy()
    third = 2 * mask.shape[1] // 3
    out[:, third:] = ink_overlap.dilated(mask, 1)[:, third:]
    return out


def squeezed(mask, share):
    """The ink scaled to `share` of its width."""
    width = max(1, round(mask.shape[1] * share))
    columns = (numpy.arange(width) * mask.shape[1] / width).astype(int)
    return mask[:, columns]


class Measure(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix='latex-pictures-test-')
        kav, latex, _ = latex_pictures.draw_both(KAV_CONVERT, [FORMULA, 'x+y'], cls.work, 2)
        cls.kav, cls.latex = ink_overlap.ink_mask(kav[1]), ink_overlap.ink_mask(latex[1])
        cls.other = ink_overlap.ink_mask(latex[2])
        cls.kav_m, cls.latex_m = ink_overlap.ink_mask(kav[0]), ink_overlap.ink_mask(latex[0])

    def test_scores(self):
        # (what is compared, first, second, lowest and highest overlap, width ratio)
        cases = [
            ('LaTeX with itself', self.latex, self.latex, 1.0, 1.0, 1.0),
            ('Kav with itself', self.kav, self.kav, 1.0, 1.0, 1.0),
            ('LaTeX with itself placed elsewhere', numpy.pad(self.latex, ((9, 0), (0, 17))),
             self.latex, 1.0, 1.0, None),
            ('Kav with its right half 3 px lower (within tolerance)',
             moved_right_half(self.kav, 3), self.kav, 1.0, 1.0, 1.0),
            ('Kav with bolder strokes at its right end', heavier_right_end(self.kav), self.kav,
             1.0, 1.0, 1.0),
            ('Kav with its right half 10 px lower', moved_right_half(self.kav, 10), self.kav,
             0.3, 0.9, 1.0),
            ('Kav with itself 8 % narrower', squeezed(self.kav, 0.92), self.kav, 0.3, 0.9, 0.92),
            ('LaTeX with another formula', self.other, self.latex, 0.0, 0.35, None),
            ('Kav with LaTeX', self.kav, self.latex, 0.05, 0.99, None),
        ]
        for name, first, second, low, high, ratio in cases:
            with self.subTest(name):
                score = ink_overlap.overlap(first, second)
                print('%-55s overlap %.3f' % (name, score))
                self.assertGreaterEqual(score, low - 1e-9)
                self.assertLessEqual(score, high + 1e-9)
                if ratio is not None:
                    self.assertAlmostEqual(ink_overlap.width_ratio(first, second), ratio, 2)

    def test_calibrated_em(self):
        # LaTeX's capital M at the chosen resolution is as high as Kav's, within a pixel.
        self.assertLessEqual(abs(self.kav_m.shape[0] - self.latex_m.shape[0]), 1)


class Choice(unittest.TestCase):
    def test_kav_refusals(self):
        cases = [('x^2', None), (r'\epsilon', 'Kav refuses: '), (r'a \\ b', 'Kav reads 2 lines'),
                 ('', 'Kav refuses: ')]
        work = tempfile.mkdtemp(prefix='latex-pictures-test-')
        answers = kav_pictures.refusals(KAV_CONVERT, [f for f, _ in cases], work)
        for (formula, expected), answer in zip(cases, answers):
            with self.subTest(formula):
                if expected is None:
                    self.assertIsNone(answer)
                else:
                    self.assertTrue(answer.startswith(expected), answer)

    def test_latex_refusals(self):
        formulas = ['x', r'\undefinedword', 'y', r'\frac{a}', r'\Bbb{R}', 'z']
        work = tempfile.mkdtemp(prefix='latex-pictures-test-')
        kept, dropped = latex_dvipng.clean_document(formulas, work)
        self.assertEqual(kept, ['x', 'y', r'\Bbb{R}', 'z'])
        self.assertEqual(sorted(dropped), [r'\frac{a}', r'\undefinedword'])
        self.assertIn('Undefined control sequence', dropped[r'\undefinedword'])

    def test_floors(self):
        def stats(ratio, share, overlap):
            return {'width_ratio_quartiles': [0, ratio, 0], 'within_5_percent': share,
                    'overlap_quartiles': [0, overlap, 0]}
        cases = [(stats(1.0, 1.0, 1.0), []),
                 (stats(0.5, 1.0, 1.0), ['median width ratio']),
                 (stats(1.0, 0.0, 1.0), ['share within 5 %']),
                 (stats(1.0, 1.0, 0.1), ['median overlap']),
                 (stats(0.1, 0.0, 0.1), ['median width ratio', 'share within 5 %',
                                         'median overlap'])]
        for given, expected in cases:
            with self.subTest(given):
                found = latex_pictures.below_floors(given)
                self.assertEqual([f.split(' ')[:len(e.split(' '))] for f, e in
                                  zip(found, expected)], [e.split(' ') for e in expected])
                self.assertEqual(len(found), len(expected))

    def test_fails_without_latex(self):
        out = tempfile.mkdtemp(prefix='latex-pictures-test-')
        run = subprocess.run(
            ['/usr/bin/python3', os.path.join(HERE, 'latex_pictures.py'), '--kav-convert',
             KAV_CONVERT, '--out', out], env=dict(os.environ, PATH=out), capture_output=True,
            timeout=60, check=False)
        self.assertEqual(run.returncode, 1)
        self.assertIn('latex and dvipng not installed', run.stderr.decode())


if __name__ == '__main__':
    KAV_CONVERT = sys.argv[1]
    unittest.main(argv=sys.argv[:1])
