#!/usr/bin/env python3
"""The real-formula checks themselves: they must see the faults they are there for.

usage: real_formula_checks_test.py KAV_CONVERT OUTPUTS_TOOL   (ORACLE_NODE_MODULES set)

- latex_formula_outputs answers as kav-convert --from latex does, for every output it writes;
- the meaning signature tells letter shapes and faces apart and ignores only the look;
- the LibreOffice fault finder sees error marks, a bar read as "or" and a letter, digit,
  fraction or root lost or added, and nothing else.
"""
import os
import subprocess
import sys
import tempfile
import unittest

import xml.etree.ElementTree as ET

from libreoffice_marks import content, content_change, faults, labelled_parts
from latex_meaning import judgements
from libreoffice_runner import OracleError
from real_formulas import kav_outputs

KAV_CONVERT = OUTPUTS_TOOL = None

# (input LaTeX, Kav's LaTeX lines, whether the meaning is kept; None: MathJax cannot read the input)
MEANINGS = [
    (r'x^2+\varepsilon', [r'x^{2}+\varepsilon'], True),
    (r'\varepsilon', [r'\epsilon'], False),
    (r'\varphi', [r'\phi'], False),
    (r'\vartheta', [r'\theta'], False),
    (r'\mathbf{X}', ['X'], False),
    (r'\mathbb{R}', [r'\mathbf{R}'], False),
    (r'\bold{X}_1', [r'\mathbf{X}_{1}'], True),  # the encyclopedia's own spelling
    (r'\R^n', [r'\mathbb{R}^{n}'], True),
    (r'\boldsymbol{F}', [r'\mathbf{F}'], True),  # a letter's slant is not its shape
    (r'\mathbf{a+b}', [r'\mathbf{a}+\mathbf{b}'], True),  # nor is a bold plus another sign
    (r'\mathbf{1}', ['1'], False),
    (r'\sin x', [r'\mathrm{sin}\,x'], True),
    (r'\limsup_n a_n', [r'\mathrm{limsup}_{n}a_{n}'], True),
    (r'\left( \frac{a}{b} \right)', [r'(\frac{a}{b})'], True),
    (r'\sum_{i=1}^n a_i', [r'\sum\nolimits_{i=1}^{n}a_{i}'], True),
    (r'x_1^2', [r'x^{2}_{1}'], True),
    (r'{x^a}_b', [r'x^{a}_{b}'], False),  # staggered indices are not stacked ones
    (r'\frac{1}{2}', ['1/2'], False),
    (r'\sqrt{x}', [r'\sqrt[3]{x}'], False),
    (r'\bar{x}', [r'\overline{x}'], True),
    (r'\hat{x}', [r'\bar{x}'], False),
    (r'5\%', ['5'], False),
    (r'\begin{align} a &= b \\ c &= d \end{align}', ['a=b', 'c=d'], True),
    (r'\begin{align} a &= b \\ c &= d \end{align}', ['a=bc=d'], False),
    (r'\, \begin{align} a &= b \\ c &= d \end{align} \,', ['a=b', 'c=d'], True),
    ('x', ['x^'], False),  # Kav's text must parse
    (r'\nosuchmacro', ['x'], None),
]

# (input LaTeX, StarMath texts of its lines, PDF texts of its lines, faults found)
FAULTS = [
    ('x+1', ['x + 1'], ['x+1'], []),
    ('|x|', ['| x |'], ['x'], ['"|" read as "or"']),
    ('|x|^2', ['| x {|} ^ {2}'], ['x2'], ['"|" read as "or"']),
    ('|x|', ['abs{x}'], ['|x|'], []),
    ('|x|', ['mline x mline'], ['|x|'], []),
    (r'a \lor b', ['a or b'], ['a∨b'], []),
    (r'|a| \lor b', ['lline a rline or b or c'], ['|a|∨b∨c'], ['"|" read as "or"']),
    ('x^*', ['{x} ^ {*}'], ['x¿'], ['error mark in the PDF']),
    ('x', ['¿'], ['x'], ['error mark in the formula text']),
    ('a=', ['a =', 'b'], ['a=', '¿b'], ['error mark in the PDF']),
]


class OutputsTool(unittest.TestCase):
    # Besides plain and refused formulas: quotes, tabs and backslashes in the JSON text.
    FORMULAS = [r'x^2+\frac{1}{2}', r'\begin{align} a&=b\\ c&=d \end{align}',
                r'\sqrt{\alpha}_i\le|x|', r'\binom{a}{b}', 'a+"b"', '\\alpha\t\\beta',
                r'\mathrm{\\}', r'\red{x}\ne\lbrace']

    def kav_convert(self, formula, fmt):
        with tempfile.NamedTemporaryFile('w', suffix='.tex', encoding='utf-8', delete=False) as f:
            f.write(formula + '\n')
        try:
            run = subprocess.run([KAV_CONVERT, '--from', 'latex', '--to', fmt, f.name],
                                 capture_output=True, timeout=60)
        finally:
            os.unlink(f.name)
        return run.returncode, run.stdout.decode('utf-8'), run.stderr.decode('utf-8')

    def test_answers_as_kav_convert(self):
        answers = kav_outputs(OUTPUTS_TOOL, self.FORMULAS)
        for formula, answer in zip(self.FORMULAS, answers):
            for fmt in ('markup', 'latex', 'mathml', 'omml'):
                with self.subTest(formula=formula, format=fmt):
                    status, out, err = self.kav_convert(formula, fmt)
                    if not answer['read']:
                        self.assertNotEqual(status, 0)
                        self.assertIn(answer['message'], err)
                        continue
                    self.assertEqual(status, 0, err)
                    lines = out.splitlines()
                    if fmt == 'markup':  # a .kav document: its header, then "@" and a line each
                        self.assertTrue(lines[0].startswith('@@'))
                        lines = [line[1:] for line in lines[1:]]
                    self.assertEqual(lines, answer[fmt])

    def test_every_line_answered(self):
        answers = kav_outputs(OUTPUTS_TOOL, ['x', '', '\u00e9\\', 'y'])
        self.assertEqual([a['read'] for a in answers], [True, False, False, True])


class MeaningSignature(unittest.TestCase):
    def test_meanings(self):
        answers = judgements([[latex, kav] for latex, kav, _ in MEANINGS])
        for (latex, kav, kept), answer in zip(MEANINGS, answers):
            with self.subTest(input=latex, kav=kav):
                self.assertEqual(answer['kept'], kept, answer)


class LibreOfficeFaults(unittest.TestCase):
    def test_faults(self):
        for latex, starmaths, pages, found in FAULTS:
            with self.subTest(input=latex, starmath=starmaths):
                self.assertEqual(faults(latex, starmaths, pages), found)

    def test_content_changes(self):
        m = '<math xmlns="http://www.w3.org/1998/Math/MathML">%s</math>'
        cases = [  # Kav's MathML, LibreOffice's, the change found
            ('<mi>x</mi><mo>+</mo><mn>12</mn>', '<mrow><mi>x</mi><mo>-</mo><mn>12</mn></mrow>', ''),
            ('<mi mathvariant="bold">x</mi>', '<mi>𝐱</mi>', ''),
            ('<mi>R</mi><mi>e</mi>', '<mi>ℜ</mi>', 'lost e'),  # ℜ is R under NFKC
            ('<mfrac><mi>a</mi><mi>b</mi></mfrac>', '<mi>a</mi><mo>/</mo><mi>b</mi>', 'lost mfrac'),
            ('<msqrt><mi>x</mi></msqrt>', '<msqrt><mi>x</mi><mi>x</mi></msqrt>', 'added x'),
        ]
        for kav, libreoffice, change in cases:
            with self.subTest(kav=kav, libreoffice=libreoffice):
                self.assertEqual(content_change(content(ET.fromstring(m % kav)),
                                                content(ET.fromstring(m % libreoffice))), change)
        self.assertEqual(faults('Re', ['Re'], [''], ['lost R e']), ['LibreOffice lost R e'])

    def test_pdf_parts_follow_the_labels(self):
        text = 'KAVFORMULA00000\nx\nKAVFORMULA00001\ny¿\n'
        self.assertEqual(labelled_parts(text, 2), ['\nx\n', '\ny¿\n'])
        for broken in ('KAVFORMULA00000\nx\n', 'KAVFORMULA00001\nKAVFORMULA00000\n'):
            with self.subTest(text=broken), self.assertRaises(OracleError):
                labelled_parts(broken, 2)


if __name__ == '__main__':
    KAV_CONVERT, OUTPUTS_TOOL = sys.argv[1:3]
    unittest.main(argv=sys.argv[:1])
