#!/usr/bin/env python3
"""kav-convert --from latex: a text of LaTeX formulas, one a line (blank lines and % comments
skipped), to every output format; errors as "INPUT:LINE: message" with exit code 2 and nothing
written.

usage: convert_latex_test.py KAV_CONVERT REPOSITORY_ROOT"""
import os
import subprocess
import sys
import tempfile
import unittest

CONVERT = None
ROOT = None


class ConvertLatexTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.corpus = os.path.join(ROOT, 'bench', 'corpus.tex')

    def run_convert(self, *args, stdin=b''):
        return subprocess.run([CONVERT, *args], input=stdin, capture_output=True, timeout=60)

    def test_corpus_reads_to_the_corpus_document(self):
        run = self.run_convert('--from', 'latex', '--to', 'markup', self.corpus)
        self.assertEqual((run.returncode, run.stderr), (0, b''))
        self.assertTrue(run.stdout.startswith(b'@@3\n@'))
        expected = self.run_convert('--to', 'markup', os.path.join(ROOT, 'bench', 'corpus.kav'))
        self.assertEqual(expected.returncode, 0)
        self.assertEqual(run.stdout, expected.stdout)

    def test_every_format_is_written(self):
        text = b'% a comment line\n\nx^{2}+\\frac{\\alpha}{\\beta}\r\n\\sum_{i=1}^{n} a_{i}\n'
        expected = {
            'tex': b'x^{2}+\\frac{\\alpha }{\\beta }\n\\sum _{i=1}^{n}a_{i}\n',
            'markup': b'@@3\n@<x>\\super{<2>}<+>\\frac{<alpha>}{<beta>}\n'
                      b'@\\sum{<i><=><1>}{<n>}<a>\\sub{<i>}\n',
        }
        for name, output in expected.items():
            run = self.run_convert('--from', 'latex', '--to', name, '-', stdin=text)
            self.assertEqual((run.returncode, run.stderr, run.stdout), (0, b'', output), name)
        for name in ('hwpeq', 'omml'):
            run = self.run_convert('--from', 'latex', '--to', name, '-', stdin=text)
            self.assertEqual((run.returncode, run.stderr), (0, b''), name)
            self.assertEqual(run.stdout.count(b'\n'), 2, name)
        signatures = {'png': b'\x89PNG', 'bmp': b'BM', 'hwp': b'\xd0\xcf\x11\xe0', 'gvml': b'PK'}
        for name, signature in signatures.items():
            run = self.run_convert('--from', 'latex', '--to', name, '--line', '2', '-', stdin=text)
            self.assertEqual((run.returncode, run.stderr), (0, b''), name)
            self.assertTrue(run.stdout.startswith(signature), name)
        run = self.run_convert('--from', 'latex', '--to', 'markup', '--line', '2', '-', stdin=text)
        self.assertEqual(run.stdout, b'\\sum{<i><=><1>}{<n>}<a>\\sub{<i>}\n')

    def test_failure_names_the_line_and_writes_nothing(self):
        path = os.path.join(self.dir.name, 'formulas.tex')
        with open(path, 'wb') as f:
            f.write(b'x\n\n\\binom{n}{k}\ny\n')
        out = os.path.join(self.dir.name, 'out.kav')
        run = self.run_convert('--from', 'latex', '--to', 'markup', '-o', out, path)
        self.assertEqual(run.returncode, 2)
        self.assertEqual(run.stderr.decode(), '%s:3: LaTeX: \\binom cannot be written in a Kav '
                         'formula (column 1)\n' % path)
        self.assertFalse(os.path.exists(out))
        cases = [
            (b'x\n\xff\n', '-:2: Invalid UTF-8 at byte 2\n'),
            (b'% nothing\n\n', '-:0: The input holds no formula\n'),
            (b'a\nf\'(x)\n', '-:2: LaTeX: the prime \' cannot be written in a Kav formula '
                             '(column 2)\n'),
        ]
        for text, message in cases:
            run = self.run_convert('--from', 'latex', '--to', 'tex', '-', stdin=text)
            self.assertEqual((run.returncode, run.stdout, run.stderr.decode()), (2, b'', message))
        run = self.run_convert('--from', 'word', '--to', 'tex', '-')
        self.assertEqual(run.returncode, 2)
        self.assertIn(b'unknown input format word', run.stderr)


if __name__ == '__main__':
    CONVERT = sys.argv.pop(1)
    ROOT = sys.argv.pop(1)
    unittest.main()
