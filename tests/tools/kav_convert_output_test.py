#!/usr/bin/env python3
"""kav-convert's output files: a pipe, a device or a link is written through, never replaced; a
read-only file is refused; --all-lines that fails part-way leaves the folder as it was.

usage: kav_convert_output_test.py KAV_CONVERT"""
import os
import stat
import subprocess
import sys
import tempfile
import unittest

CONVERT = None
MARKUP = b'@@3\n@<x>\\super{<2>}\n@<y>\n@<z>\n'


class KavConvertOutputTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.doc = self.path('doc.kav')
        with open(self.doc, 'wb') as f:
            f.write(b'@@3\n@<x>\\super{<2>}\n@<y>\n@<z>\n')

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def run_convert(self, *args):
        return subprocess.run([CONVERT, *args], capture_output=True, timeout=60)

    def listing(self, folder=None):
        return sorted(os.listdir(folder or self.dir.name))

    def test_pipe_is_written_and_stays_a_pipe(self):
        fifo = self.path('pipe')
        os.mkfifo(fifo)
        # Opened for reading without waiting, so the converter's open for writing finds a reader.
        reader = os.open(fifo, os.O_RDONLY | os.O_NONBLOCK)
        self.addCleanup(os.close, reader)
        run = self.run_convert('--to', 'markup', '-o', fifo, self.doc)
        self.assertEqual((run.returncode, run.stderr), (0, b''))
        self.assertTrue(stat.S_ISFIFO(os.lstat(fifo).st_mode))
        self.assertEqual(os.read(reader, 4096), MARKUP)
        self.assertEqual(self.listing(), ['doc.kav', 'pipe'])

    def test_links_are_written_through(self):
        # A link to a device: the device is written, the link stays.
        to_null = self.path('null')
        os.symlink('/dev/null', to_null)
        run = self.run_convert('--to', 'markup', '-o', to_null, self.doc)
        self.assertEqual((run.returncode, run.stderr), (0, b''))
        self.assertEqual(os.readlink(to_null), '/dev/null')
        self.assertTrue(stat.S_ISCHR(os.stat('/dev/null').st_mode))
        # A link (through another link) to a file: the file is replaced with its permissions.
        target = self.path('target.txt')
        with open(target, 'wb') as f:
            f.write(b'old')
        os.chmod(target, 0o640)
        os.symlink('target.txt', self.path('first'))
        os.symlink('first', self.path('second'))
        run = self.run_convert('--to', 'markup', '-o', self.path('second'), self.doc)
        self.assertEqual((run.returncode, run.stderr), (0, b''))
        self.assertEqual([os.readlink(self.path(n)) for n in ('first', 'second')],
                         ['target.txt', 'first'])
        with open(target, 'rb') as f:
            self.assertEqual(f.read(), MARKUP)
        self.assertEqual(stat.S_IMODE(os.stat(target).st_mode), 0o640)
        self.assertEqual(self.listing(), ['doc.kav', 'first', 'null', 'second', 'target.txt'])

    def test_read_only_file_is_refused_and_kept(self):
        out = self.path('out.txt')
        with open(out, 'wb') as f:
            f.write(b'old')
        os.chmod(out, 0o444)
        run = self.run_convert('--to', 'markup', '-o', out, self.doc)
        self.assertEqual(run.returncode, 2)
        self.assertEqual(run.stderr.decode(), '%s:0: Cannot write %s: the file is read-only; it '
                         'was left as it was\n' % (self.doc, out))
        with open(out, 'rb') as f:
            self.assertEqual(f.read(), b'old')
        self.assertEqual(self.listing(), ['doc.kav', 'out.txt'])

    def test_all_lines_failing_part_way_leaves_the_folder_as_it_was(self):
        # The second line's file leads to a full disk; the third is a folder in the way.
        cases = [
            ('line-0002.markup', lambda p: os.symlink('/dev/full', p), 'No space left on device'),
            ('line-0003.markup', os.mkdir, 'Is a directory'),
        ]
        for name, plant, reason in cases:
            with self.subTest(name=name):
                out = tempfile.mkdtemp(dir=self.dir.name)
                with open(os.path.join(out, 'line-0001.markup'), 'wb') as f:
                    f.write(b'old')
                plant(os.path.join(out, name))
                run = self.run_convert('--to', 'markup', '--all-lines', '--out-dir', out, self.doc)
                self.assertEqual(run.returncode, 2)
                self.assertEqual(run.stderr.decode(), '%s:0: Cannot write %s: %s\n'
                                 % (self.doc, os.path.join(out, name), reason))
                self.assertEqual(self.listing(out), ['line-0001.markup', name])
                with open(os.path.join(out, 'line-0001.markup'), 'rb') as f:
                    self.assertEqual(f.read(), b'old')


if __name__ == '__main__':
    CONVERT = sys.argv.pop(1)
    unittest.main()
