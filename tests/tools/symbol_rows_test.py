#!/usr/bin/env python3
"""The symbol table's generator: the real data file generates, and a data file with a fault
stops the build with the line and what is wrong, writing nothing.

usage: symbol_rows_test.py REPOSITORY_ROOT"""
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = None


def generator():
    return os.path.join(ROOT, 'scripts', 'generate_symbol_rows.py')


def data_lines():
    with open(os.path.join(ROOT, 'src', 'model', 'symbols.tsv'), encoding='utf-8') as f:
        return f.read().split('\n')


def replaced_row(lines, code, column, value):
    """The data file with one cell of the row of `code` changed."""
    header = next(line for line in lines if line.startswith('code\t')).split('\t')
    out = []
    for line in lines:
        cells = line.split('\t')
        if cells[0] == code:
            cells[header.index(column)] = value
        out.append('\t'.join(cells))
    return out


class SymbolRowsTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def generate(self, lines):
        source = os.path.join(self.dir.name, 'symbols.tsv')
        target = os.path.join(self.dir.name, 'symbol_rows.inc')
        if os.path.exists(target):
            os.remove(target)
        with open(source, 'w', encoding='utf-8') as f:
            f.write('\n'.join(lines))
        result = subprocess.run([sys.executable, generator(), source, target],
                                capture_output=True, text=True, timeout=60)
        return result, target

    def test_the_data_file_generates_every_row(self):
        result, target = self.generate(data_lines())
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(target, encoding='utf-8') as f:
            text = f.read()
        self.assertIn('kNamedSymbolRows = 61;', text)
        self.assertEqual(text.count('\n    {'), 72)
        self.assertIn('{code::LBrace, u"lbrace", 34, AtomClass::Open,', text)

    def test_a_faulty_row_names_its_line_and_writes_nothing(self):
        lines = data_lines()
        alpha = next(i for i, line in enumerate(lines) if line.startswith('U+03B1\t')) + 1
        cases = [
            ('a code twice', replaced_row(lines, 'U+03B2', 'code', 'U+03B1'),
             "code 'U+03B1' is listed twice"),
            ('a name twice', replaced_row(lines, 'U+03B2', 'name', 'alpha'),
             "name 'alpha' is listed twice"),
            ('an unknown class', replaced_row(lines, 'U+03B1', 'class', 'relation'),
             f"line {alpha}: class: 'relation' is none of"),
            ('a bad character', replaced_row(lines, 'U+03B1', 'mathml', '945'),
             f"line {alpha}: mathml: '945' is not U+XXXX"),
            ('a reserved code without its character',
             replaced_row(lines, 'code::Sum', 'unicode', '-'), 'needs its unicode character'),
            ('a named row among the punctuation', replaced_row(lines, 'U+005D', 'name', 'rbrack'),
             'a named row after the punctuation rows'),
            ('a missing cell', [line.rsplit('\t', 1)[0] if line.startswith('U+03B1\t') else line
                                for line in lines], f'line {alpha}: 19 cells, not 20'),
        ]
        for what, faulty, message in cases:
            with self.subTest(what):
                result, target = self.generate(faulty)
                self.assertEqual(result.returncode, 1)
                self.assertIn(message, result.stderr)
                self.assertFalse(os.path.exists(target))


if __name__ == '__main__':
    ROOT = sys.argv.pop(1)
    unittest.main()
