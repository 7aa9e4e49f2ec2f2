#!/usr/bin/env python3
"""kav-convert's pictures drawn from outlines: --to svg, --to png with --scale and
--transparent, and a whole document with --all-lines --out-dir."""
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

CONVERT = None
LINES = (r'<x>\super{<2>}<+>\frac{<alpha>}{<beta>}', r'\red<y><=>\sqrt{<z>}', r'\integral{<0>}{<1>}<f>')


def png_header(data):
    """(width, height, colour type) from the IHDR chunk."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    width, height, _, colour = struct.unpack('>IIBB', data[16:26])
    return width, height, colour


def svg_size(text):
    match = re.match(r'<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="(\d+)" '
                     r'height="(\d+)" viewBox="0 0 (\d+) (\d+)">\n', text)
    assert match, text[:200]
    width, height, box_width, box_height = map(int, match.groups())
    assert (width, height) == (box_width, box_height)
    return width, height


class KavConvertPicturesTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.doc = os.path.join(self.dir.name, 'doc.kav')
        with open(self.doc, 'w', encoding='utf-8', newline='\n') as f:
            f.write('@@3\n' + ''.join('@' + line + '\n' for line in LINES))

    def convert(self, *args):
        run = subprocess.run([CONVERT, *args], capture_output=True, timeout=60)
        self.assertEqual(run.returncode, 0, run.stderr)
        return run.stdout

    def test_svg_is_the_scaled_pictures_size_with_red_kept_red(self):
        for line in ('1', '2', '3'):
            svg = self.convert('--to', 'svg', '--line', line, self.doc).decode('ascii')
            width, height = svg_size(svg)
            self.assertEqual(png_header(self.convert('--to', 'png', '--scale', '1', '--line', line,
                                                     self.doc))[:2], (width, height))
            self.assertNotIn('<text', svg)
            fills = set(re.findall(r'fill="(#[0-9a-f]{6})"', svg))
            self.assertEqual(fills, {'#000000', '#ff0000'} if line == '2' else {'#000000'})

    def test_emf_bounds_are_the_pictures_pixels(self):
        for line in ('1', '3'):
            emf = self.convert('--to', 'emf', '--line', line, self.doc)
            kind, size, left, top, right, bottom = struct.unpack('<IIiiii', emf[:24])
            self.assertEqual((kind, size, emf[40:44], left, top), (1, 108, b' EMF', 0, 0))
            self.assertEqual(struct.unpack('<I', emf[48:52])[0], len(emf))
            width, height, _ = png_header(self.convert('--to', 'png', '--scale', '1', '--line', line,
                                                       self.doc))
            self.assertEqual((right + 1, bottom + 1), (width, height))

    def test_scale_multiplies_the_picture_and_its_offset(self):
        one = self.convert('--to', 'png', '--scale', '1', self.doc)
        one_path = os.path.join(self.dir.name, 'x1.png')
        with open(one_path, 'wb') as f:
            f.write(one)
        # The margin of 2, and more where ink stands out of the box.
        one_x, one_y = (int(v) for v in subprocess.run(
            ['identify', '-format', '%X %Y', one_path], capture_output=True, check=True,
            timeout=60).stdout.decode().split())
        self.assertLessEqual(one_x, -2)
        self.assertLessEqual(one_y, -2)
        for scale in (2, 5, 8):
            path = os.path.join(self.dir.name, 'x%d.png' % scale)
            self.convert('--to', 'png', '--scale', str(scale), '-o', path, self.doc)
            with open(path, 'rb') as f:
                width, height, colour = png_header(f.read())
            self.assertEqual((width, height, colour),
                             (png_header(one)[0] * scale, png_header(one)[1] * scale, 2))
            page = subprocess.run(['identify', '-format', '%X %Y', path], capture_output=True,
                                  check=True, timeout=60).stdout.decode()
            self.assertEqual(page, '%d %d' % (one_x * scale, one_y * scale))

    def test_transparent_pictures_have_alpha_and_clear_corners(self):
        path = os.path.join(self.dir.name, 't.png')
        self.convert('--to', 'png', '--scale', '4', '--transparent', '-o', path, self.doc)
        with open(path, 'rb') as f:
            self.assertEqual(png_header(f.read())[2], 6)
        corner = subprocess.run(['convert', path, '-format', '%[fx:p{0,0}.a] %[fx:maxima.a]', 'info:'],
                                capture_output=True, check=True, timeout=60).stdout.decode()
        self.assertEqual(corner, '0 1')

    def test_all_lines_writes_one_file_per_line(self):
        out = os.path.join(self.dir.name, 'out')
        self.convert('--to', 'svg', '--all-lines', '--out-dir', out, self.doc)
        self.assertEqual(sorted(os.listdir(out)), ['line-0001.svg', 'line-0002.svg', 'line-0003.svg'])
        with open(os.path.join(out, 'line-0002.svg'), 'rb') as f:
            self.assertEqual(f.read(), self.convert('--to', 'svg', '--line', '2', self.doc))
        self.convert('--to', 'png', '--scale', '2', '--all-lines', '--out-dir', out, self.doc)
        self.assertEqual(len(os.listdir(out)), 6)

    def test_a_bad_line_leaves_no_files(self):
        bad = os.path.join(self.dir.name, 'bad.kav')
        with open(bad, 'w', encoding='utf-8') as f:
            f.write('@@3\n@<x>\n@<y>\\frac{<a>}\n')
        out = os.path.join(self.dir.name, 'out')
        run = subprocess.run([CONVERT, '--to', 'svg', '--all-lines', '--out-dir', out, bad],
                             capture_output=True, timeout=60)
        self.assertEqual((run.returncode, run.stderr.decode()), (2, '%s:2: Expected {\n' % bad))
        self.assertFalse(os.path.exists(out))

    def test_usage_errors(self):
        for args in (['--scale', '0'], ['--scale', '9'], ['--scale', '2x'],
                     ['--to', 'svg', '--scale', '2'], ['--to', 'bmp', '--transparent'],
                     ['--all-lines'], ['--out-dir', self.dir.name],
                     ['--all-lines', '--out-dir', self.dir.name, '--line', '2'],
                     ['--all-lines', '--out-dir', self.dir.name, '-o', 'x.png']):
            if '--to' not in args:
                args = ['--to', 'png', *args]
            run = subprocess.run([CONVERT, *args, self.doc], capture_output=True, timeout=60)
            self.assertEqual(run.returncode, 2, args)
            self.assertTrue(run.stderr.startswith(b'kav-convert: '), run.stderr)
            self.assertEqual(run.stdout, b'')


if __name__ == '__main__':
    CONVERT = sys.argv.pop(1)
    unittest.main()
