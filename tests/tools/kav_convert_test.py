#!/usr/bin/env python3
"""kav-convert's command line: the PNG and BMP formats, line choice, standard input and output, and
errors as "INPUT:LINE: message" with exit code 2 and nothing written."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

CONVERT = None
MARGIN = 2  # blank pixels around the outermost ink or box edge
RENDER_LINE = (r'<x>\super{<2>}<+>\frac{<alpha>}{<beta>}<+>\sum{<i><=><1>}{<n>}<a>\sub{<i>}'
               r'<+>\integral{<0>}{<1>}<f><d><x><+>\sqrt{<y>}<leq><infinity>')


def decode_png(data):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB PNG."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    pos, idat, width, height = 8, b'', 0, 0
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
            assert (depth, colour) == (8, 2), 'expected 8-bit RGB'
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), width * 3, [], bytearray(width * 3)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b, c = prev[i], prev[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * 3:x * 3 + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def border(rows):
    """The colours of the outermost rows and columns."""
    return set(rows[0]) | set(rows[-1]) | {row[0] for row in rows} | {row[-1] for row in rows}


class KavConvertTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def document(self, *lines, name='doc.kav'):
        path = os.path.join(self.dir.name, name)
        with open(path, 'w', encoding='utf-8', newline='\n') as f:
            f.write('@@3\n' + ''.join('@' + line + '\n' for line in lines))
        return path

    def run_convert(self, *args, stdin=b''):
        return subprocess.run([CONVERT, *args], input=stdin, capture_output=True, timeout=60)

    def test_empty_line_is_its_whole_placeholder_frame_with_the_margin(self):
        run = self.run_convert('--to', 'png', self.document(''))
        self.assertEqual(run.returncode, 0, run.stderr)
        width, height, rows = decode_png(run.stdout)
        # The frame's two-pixel rules lie along the 32-pixel box's top and left edges and reach
        # two pixels out at the round corners there; the margin lies around that.
        o = MARGIN + 2
        self.assertEqual((width, height), (o + 32 + MARGIN, o + 32 + MARGIN))
        self.assertEqual(rows[o][o + 15], (0, 0, 0))          # top rule
        self.assertEqual(rows[o - 1][o + 15], (0, 0, 0))      # its upper half, outside the box
        self.assertEqual(rows[o + 15][o + 30], (0, 0, 0))     # right rule
        self.assertEqual(rows[o + 15][o + 15], (255, 255, 255))  # window colour inside
        self.assertEqual(rows[o + 31][o + 31], (255, 255, 255))
        self.assertEqual(border(rows), {(255, 255, 255)})

    def test_picture_holds_the_ink_that_overhangs_the_boxes(self):
        # The ceiling's ink lies right of its narrow box; an italic f's tail and hook overhang
        # both sides; the fraction bar's round ends stand past the fraction's box.
        for markup in ('<lceil|rm>', '<lfloor|rm>', '<a><+><f>', '<f>', r'\frac{<1>}{<x>}'):
            run = self.run_convert('--to', 'png', self.document(markup))
            self.assertEqual(run.returncode, 0, run.stderr)
            width, height, rows = decode_png(run.stdout)
            self.assertEqual(border(rows), {(255, 255, 255)}, markup)
            self.assertIn((0, 0, 0), {pixel for row in rows for pixel in row}, markup)
        self.assertGreater(width, 10)

    def test_png_states_where_the_formula_box_lies(self):
        # ImageMagick reads the oFFs chunk as the page offset: the picture's corner relative to
        # the formula box's. Nothing overhangs the top or left of "x", so it is the margin.
        path = os.path.join(self.dir.name, 'x.png')
        run = self.run_convert('--to', 'png', '-o', path, self.document('<x|rm>'))
        self.assertEqual(run.returncode, 0, run.stderr)
        page = subprocess.run(['identify', '-format', '%X %Y', path], capture_output=True,
                              check=True, timeout=60).stdout.decode()
        self.assertEqual(page, '-%d -%d' % (MARGIN, MARGIN))

    def test_line_option_and_output_file(self):
        path = self.document('<x>', RENDER_LINE)
        out = os.path.join(self.dir.name, 'out.png')
        run = self.run_convert('--to', 'png', '--line', '2', '-o', out, path)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout, b'')
        with open(out, 'rb') as f:
            width, height, rows = decode_png(f.read())
        self.assertGreater(width, 300)
        self.assertGreater(height, 80)
        colours = {pixel for row in rows for pixel in row}
        self.assertIn((0, 0, 0), colours)
        first = decode_png(self.run_convert('--to', 'png', path).stdout)
        self.assertLess(first[0], 40)  # without --line: the first line, one letter

    def test_standard_input(self):
        run = self.run_convert('--to', 'png', '-', stdin=b'@@3\n@<x>\\super{<2>}\n')
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(decode_png(run.stdout)[0] > 0, True)
        bad = self.run_convert('--to', 'png', '-', stdin=b'@@3\n@<x\n')
        self.assertEqual((bad.returncode, bad.stderr), (2, b'-:1: Expected >\n'))
        self.assertEqual(bad.stdout, b'')

    def test_errors_name_input_and_line_and_write_nothing(self):
        path = self.document('<x>', '<y>\\frac{<a>}')
        out = os.path.join(self.dir.name, 'out.png')
        with open(out, 'wb') as f:
            f.write(b'old')
        cases = [
            (['--line', '2'], '%s:2: Expected {\n' % path),
            (['--line', '3'], '%s:3: No such line; the document has 2 line(s)\n' % path),
        ]
        for extra, message in cases:
            run = self.run_convert('--to', 'png', *extra, '-o', out, path)
            self.assertEqual(run.returncode, 2)
            self.assertEqual(run.stderr.decode(), message)
            with open(out, 'rb') as f:
                self.assertEqual(f.read(), b'old')
        empty = self.run_convert('--to', 'png', self.document('\\none', name='none.kav'))
        self.assertEqual(empty.returncode, 2)
        self.assertTrue(empty.stderr.decode().endswith(':1: Nothing to draw: the line is 0 x 0 pixels\n'))
        missing = os.path.join(self.dir.name, 'missing.kav')
        run = self.run_convert('--to', 'png', missing)
        self.assertEqual((run.returncode, run.stderr.decode()),
                         (2, '%s:0: Cannot read the input file\n' % missing))
        self.assertEqual(sorted(os.listdir(self.dir.name)), ['doc.kav', 'none.kav', 'out.png'])

    def test_usage_errors(self):
        path = self.document('<x>')
        for args in (['png', path], ['--to', 'gif', path], ['--to', 'png'],
                     ['--to', 'png', '--line', '0', path], ['--to', 'png', '--line', 'x', path],
                     ['--to', 'png', path, path], ['--to', 'png', '--frob', path]):
            run = self.run_convert(*args)
            self.assertEqual(run.returncode, 2, args)
            self.assertTrue(run.stderr.startswith(b'kav-convert: '), run.stderr)
            self.assertIn(b'usage: kav-convert [--from kav|latex|mathml] --to FORMAT', run.stderr)
            self.assertEqual(run.stdout, b'')

    def test_bmp_is_the_same_picture_as_png(self):
        path = self.document('<x>', RENDER_LINE)
        bmp = self.run_convert('--to', 'bmp', '--line', '2', path)
        self.assertEqual(bmp.returncode, 0, bmp.stderr)
        data = bmp.stdout
        self.assertEqual(data[:2], b'BM')
        size, _, offset, header, width, height, planes, bits, compression = struct.unpack(
            '<IIIIiiHHI', data[2:34])
        self.assertEqual((size, offset, header, planes, bits, compression),
                         (len(data), 54, 40, 1, 24, 0))
        png_width, png_height, rows = decode_png(self.run_convert('--to', 'png', '--line', '2',
                                                                  path).stdout)
        self.assertEqual((width, height), (png_width, png_height))
        stride = (width * 3 + 3) // 4 * 4
        for y in range(height):
            row = data[54 + (height - 1 - y) * stride:][:width * 3]
            self.assertEqual([tuple(row[x * 3:x * 3 + 3][::-1]) for x in range(width)], rows[y])
        missing = self.run_convert('--to', 'bmp', '--line', '3', path)
        self.assertEqual((missing.returncode, missing.stdout), (2, b''))

    def test_markup_is_one_document_whatever_the_input(self):
        document = b'@@3\n@<x>\\super{<2>}<+>\\frac{<epsilon>}{<l|rm><n|rm><K>}\n@<y|rmbold>\n'
        inputs = [
            ('kav', b'@@3\n@<x>\\super{<2>}<+>\\frac{<epsilon>}{<l|rm><n|rm><K>}\n\n@<y|rmbold>\n'),
            ('latex', b'x^2+\\frac{\\varepsilon}{\\ln K}\n\\bold{y}\n'),
            ('mathml', '<math><msup><mi>x</mi><mn>2</mn></msup><mo>+</mo><mfrac><mi>\u03b5</mi>'
                       '<mrow><mi>ln</mi><mi>K</mi></mrow></mfrac></math>'
                       '<math><mi mathvariant="bold">y</mi></math>'.encode()),
        ]
        for source, text in inputs:
            run = self.run_convert('--from', source, '--to', 'markup', '-', stdin=text)
            self.assertEqual((run.returncode, run.stderr, run.stdout), (0, b'', document), source)
            again = self.run_convert('--to', 'markup', '-', stdin=run.stdout)
            self.assertEqual((again.returncode, again.stdout), (0, document), source)
            line = self.run_convert('--from', source, '--to', 'markup', '--line', '2', '-', stdin=text)
            self.assertEqual((line.returncode, line.stdout), (0, b'<y|rmbold>\n'), source)

    def test_from_mathml_reads_each_math_element_as_a_line(self):
        mathml = ('<?xml version="1.0"?>\n<math xmlns="http://www.w3.org/1998/Math/MathML">'
                  '<mfrac><mi>a</mi><mn>2</mn></mfrac></math>\n<mml:math xmlns:mml="x"><mml:mi>y</mml:mi></mml:math>\n')
        run = self.run_convert('--from', 'mathml', '--to', 'markup', '-', stdin=mathml.encode())
        self.assertEqual((run.returncode, run.stdout, run.stderr), (0, b'@@3\n@\\frac{<a>}{<2>}\n@<y>\n', b''))
        # Errors name the input line of the element at fault, and a DOCTYPE is skipped.
        for text, message in (
                (b'<math><mtable><mtr/></mtable></math>',
                 b'-:1: MathML: <mtable> cannot be written in a Kav formula\n'),
                (b'<!DOCTYPE math>\n<math>\n<mi>x</mi>\n<munder><mi>x</mi><mi>y</mi></munder></math>',
                 b'-:4: MathML: <munder> under <mi>x</mi> cannot be written in a Kav formula\n'),
                (b'<math>\n\n<mi>x</mo></math>', b'-:3: MathML: </...> does not close <mi>\n')):
            refused = self.run_convert('--from', 'mathml', '--to', 'tex', '-', stdin=text)
            self.assertEqual((refused.returncode, refused.stdout, refused.stderr), (2, b'', message))
        unknown = self.run_convert('--from', 'svg', '--to', 'tex', '-')
        self.assertEqual((unknown.returncode, unknown.stdout), (2, b''))
        self.assertIn(b'unknown input format svg', unknown.stderr)

    def test_formulas_longer_than_the_bound_are_refused(self):
        bound = 1 << 20  # characters in one LaTeX line or one MathML formula

        def padded(start, end, length):
            return start + ' ' * (length - len(start) - len(end)) + end

        too_long = 'is too long: 1,048,577 characters (1,048,576 at most)'
        cases = [
            ('latex', 'a\n' + padded('x^{2}', '', bound) + '\n', b'@@3\n@<a>\n@<x>\\super{<2>}\n',
             None),
            ('latex', 'a\n' + padded('x^{2}', '', bound + 1) + '\n', None,
             '-:2: The line %s\n' % too_long),
            ('mathml', '<math><mi>a</mi></math>\n' + padded('<math><mi>b</mi>', '</math>', bound),
             b'@@3\n@<a>\n@<b>\n', None),
            ('mathml',
             '<math><mi>a</mi></math>\n' + padded('<math><mi>b</mi>', '</math>', bound + 1), None,
             '-:2: MathML: the formula %s\n' % too_long),
        ]
        for source, text, output, message in cases:
            run = self.run_convert('--from', source, '--to', 'markup', '-', stdin=text.encode())
            if output is not None:
                self.assertEqual((run.returncode, run.stdout, run.stderr), (0, output, b''), source)
            else:
                self.assertEqual((run.returncode, run.stdout, run.stderr.decode()),
                                 (2, b'', message), source)

    def test_the_longest_formula_read_is_a_line_every_format_writes(self):
        # A million letters write three million units of markup: still a line, in every format.
        bound = 1 << 20
        for name in ('markup', 'tex', 'latex'):
            run = self.run_convert('--from', 'latex', '--to', name, '-',
                                   stdin=('a' * bound + '\n').encode())
            self.assertEqual((run.returncode, run.stderr), (0, b''), name)
        # A million Greek letters would write seven million: more than a document line may hold.
        run = self.run_convert('--from', 'latex', '--to', 'tex', '-',
                               stdin=('\u03b1' * bound + '\n').encode())
        self.assertEqual((run.returncode, run.stdout, run.stderr.decode()),
                         (2, b'', '-:1: The formula would be 7340032 characters long as a line of '
                                  'a document, more than the 4194304 a line may hold\n'))

    def test_pictures_of_a_line_too_large_are_refused_in_every_picture_format(self):
        # Over 2^26 square pixels: its SVG would be some 60 MB of outlines that no program shows;
        # its bitmap was refused already.
        line = 'x^{2}+\\frac{\\alpha}{\\beta}+' * 8000 + 'y\n'
        for name in ('png', 'bmp', 'svg', 'emf'):
            run = self.run_convert('--from', 'latex', '--to', name, '-', stdin=line.encode())
            self.assertEqual((run.returncode, run.stdout, run.stderr),
                             (2, b'', b'-:1: The line is too large for a picture\n'), name)

    def test_text_formats_share_the_table(self):
        run = self.run_convert('--to', 'markup', self.document('<x>', '<y>'))
        self.assertEqual((run.returncode, run.stdout), (0, b'@@3\n@<x>\n@<y>\n'))


if __name__ == '__main__':
    CONVERT = sys.argv.pop(1)
    unittest.main()
