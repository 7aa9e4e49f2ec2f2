#!/usr/bin/env python3
"""kav-convert's text formats over the sample document: every format against its golden output,
one line with --line, standard input and -o, and a failing line reported as "INPUT:LINE: message"
with exit code 2 and nothing written.

usage: convert_text_formats_test.py KAV_CONVERT REPOSITORY_ROOT"""
import os
import subprocess
import sys
import tempfile
import unittest

CONVERT = None
ROOT = None
FORMATS = ('markup', 'tex', 'hwpeq', 'omml', 'latex', 'mathml')


def golden(name):
    # Markup is written as a document, whatever the input: for this one, the example itself.
    path = (os.path.join(ROOT, 'examples', 'all-symbols.kav') if name == 'markup' else
            os.path.join(ROOT, 'tests', 'data', 'all-symbols.%s.txt' % name))
    with open(path, 'rb') as f:
        return f.read()


class TextFormatsTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.example = os.path.join(ROOT, 'examples', 'all-symbols.kav')

    def run_convert(self, *args, stdin=b''):
        return subprocess.run([CONVERT, *args], input=stdin, capture_output=True, timeout=60)

    def test_every_format_matches_its_golden_output(self):
        for name in FORMATS:
            run = self.run_convert('--to', name, self.example)
            self.assertEqual((run.returncode, run.stderr), (0, b''), name)
            self.assertEqual(run.stdout, golden(name), name)

    def test_line_option_picks_one_line(self):
        for name in FORMATS:
            lines = golden(name).split(b'\n')
            if name == 'markup':  # a document: its header, then each line's markup after "@"
                lines = [line[1:] for line in lines[1:]]
            for number in (1, 9, len(lines) - 1):
                run = self.run_convert('--to', name, '--line', str(number), self.example)
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertEqual(run.stdout, lines[number - 1] + b'\n', (name, number))

    def test_standard_input_and_output_file(self):
        with open(self.example, 'rb') as f:
            document = f.read()
        out = os.path.join(self.dir.name, 'out.tex')
        run = self.run_convert('--to', 'tex', '-o', out, '-', stdin=document)
        self.assertEqual((run.returncode, run.stdout, run.stderr), (0, b'', b''))
        with open(out, 'rb') as f:
            self.assertEqual(f.read(), golden('tex'))

    def test_failure_names_the_line_and_writes_nothing(self):
        path = os.path.join(self.dir.name, 'bad.kav')
        with open(path, 'wb') as f:
            f.write(b'@@3\n@<x>\n@<y>\n@<a> <b>\n@<z>\n')
        out = os.path.join(self.dir.name, 'out.txt')
        for name in FORMATS:
            run = self.run_convert('--to', name, '-o', out, path)
            self.assertEqual(run.returncode, 2, name)
            self.assertEqual(run.stderr.decode(), '%s:3: Unexpected char\n' % path)
            self.assertFalse(os.path.exists(out))
            run = self.run_convert('--to', name, path)
            self.assertEqual((run.returncode, run.stdout), (2, b''))
        run = self.run_convert('--to', 'omml', '-', stdin=b'@@3\n@<x>\n@<\xff>\n')
        self.assertEqual((run.returncode, run.stdout, run.stderr),
                         (2, b'', b'-:2: Invalid UTF-8 at byte 11\n'))
        # A good line of a document with a bad one converts on its own.
        run = self.run_convert('--to', 'hwpeq', '--line', '4', path)
        self.assertEqual((run.returncode, run.stdout), (0, b'z \n'))


if __name__ == '__main__':
    CONVERT = sys.argv.pop(1)
    ROOT = sys.argv.pop(1)
    unittest.main()
