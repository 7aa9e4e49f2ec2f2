#!/usr/bin/env python3
"""MathML read by LibreOffice.

usage: mathml_libreoffice.py --convert KAV_CONVERT [--keep DIR]

Turns the sample document, the corpus and the formulas below into MathML with
`KAV_CONVERT --to mathml`, embeds each <math> as a formula object of an ODF text document
(`Object N/content.xml`, media type application/vnd.oasis.opendocument.formula), lets LibreOffice
(headless, fresh user profile) convert that document to .odt and compares the MathML of every
formula object it wrote with ours. Anything that keeps the check from running (no LibreOffice, a
failed conversion, a missing formula object) is a failure, never a pass.

LibreOffice 7.4 writes the formulas it imported with an export of its own that misplaces rows
(a fraction followed by "+ c" comes out with "+ c" in its denominator), so what is compared is
the formula text LibreOffice keeps with every object (its StarMath annotation), which is what
it read: the letters, digits and Greek letters (as a multiset: LibreOffice writes an upper limit
or superscript before the lower one), and the number of fractions, roots,
superscripts and upper limits, subscripts and lower limits, n-ary operators, upright and bold
letters and red letters. LibreOffice 7.4 reads no MathML accent (mover accent="true" with any
accent character), no bold on numbers and no colour on operators or structures; those are
left out of the comparison and listed here rather than counted.
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET
import zipfile

from libreoffice_runner import MATHML, ODF_DRAW, OracleError, convert, main, write_formulas

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
EXTRA = [
    r'<s|rm><i|rm><n|rm><x><+><l|rm><o|rm><g|rm>\super{<2>}<y>',
    r'<x|rm><+><y|rmbold><+><alpha|rmbold><+><3|rmbold>',
    r'\red<x><+>\red\frac{<1>}{<2>}<+><v|vector><+>\red<a|hat>',
    r'\sqrt{\frac{<a>}{<b>}}<cdots><lfloor><x><rfloor><lceil><y><rceil>',
    r'\integral{<0>}{\none}<f><+>\sum{\none}{<n>}<a><+>\prod{\none}{\none}<b>',
]
TIMEOUT_SECONDS = 300
OFFICE = 'urn:oasis:names:tc:opendocument:xmlns:office:1.0'
MANIFEST = 'urn:oasis:names:tc:opendocument:xmlns:manifest:1.0'


def markups():
    lines = []
    for name in (os.path.join(ROOT, 'examples', 'all-symbols.kav'), os.path.join(ROOT, 'bench', 'corpus.kav')):
        with open(name, encoding='utf-8') as f:
            lines += [line[1:].rstrip('\n') for line in f if line.startswith('@') and not line.startswith('@@')]
    return lines + EXTRA


def mathml_lines(kav_convert, work, lines):
    run = subprocess.run([kav_convert, '--to', 'mathml', write_formulas(work, lines)],
                         capture_output=True, timeout=60)
    if run.returncode != 0:
        raise OracleError('kav-convert failed (%d): %s' % (run.returncode, run.stderr.decode()))
    written = run.stdout.decode('utf-8').splitlines()
    if len(written) != len(lines):
        raise OracleError('kav-convert wrote %d lines for %d formulas' % (len(written), len(lines)))
    return written


def write_odt(path, maths, labels=None):
    """An .odt with one formula object for every <math>, each in its own paragraph after a
    paragraph holding its label when labels are given (so that the formulas can be told apart
    in a PDF)."""
    labels = labels or [None] * len(maths)
    frames = ''.join(
        ('<text:p>%s</text:p>' % labels[i - 1] if labels[i - 1] else '') +
        '<text:p><draw:frame draw:name="Formula%d" text:anchor-type="as-char" svg:width="2cm" svg:height="1cm">'
        '<draw:object xlink:href="./Object %d" xlink:type="simple" xlink:show="embed" xlink:actuate="onLoad"/>'
        '</draw:frame></text:p>' % (i, i) for i in range(1, len(maths) + 1))
    content = ('<?xml version="1.0" encoding="UTF-8"?><office:document-content xmlns:office="%s" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
               'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
               'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
               'xmlns:xlink="http://www.w3.org/1999/xlink" office:version="1.3">'
               '<office:body><office:text>%s</office:text></office:body></office:document-content>'
               % (OFFICE, frames))
    entries = ''.join('<manifest:file-entry manifest:full-path="Object %d/" manifest:media-type='
                      '"application/vnd.oasis.opendocument.formula"/><manifest:file-entry '
                      'manifest:full-path="Object %d/content.xml" manifest:media-type="text/xml"/>'
                      % (i, i) for i in range(1, len(maths) + 1))
    manifest = ('<?xml version="1.0" encoding="UTF-8"?><manifest:manifest xmlns:manifest="%s" '
                'manifest:version="1.3"><manifest:file-entry manifest:full-path="/" manifest:media-type='
                '"application/vnd.oasis.opendocument.text"/><manifest:file-entry manifest:full-path='
                '"content.xml" manifest:media-type="text/xml"/>%s</manifest:manifest>' % (MANIFEST, entries))
    with zipfile.ZipFile(path, 'w') as z:
        z.writestr(zipfile.ZipInfo('mimetype'), 'application/vnd.oasis.opendocument.text')
        z.writestr('content.xml', content, zipfile.ZIP_DEFLATED)
        z.writestr('META-INF/manifest.xml', manifest, zipfile.ZIP_DEFLATED)
        for i, math in enumerate(maths, 1):
            z.writestr('Object %d/content.xml' % i, '<?xml version="1.0" encoding="UTF-8"?>' + math,
                       zipfile.ZIP_DEFLATED)


STARMATH_COUNTS = {'frac': ('frac', 'over'), 'sqrt': ('sqrt',), 'sup': ('^', 'csup', 'rsup', 'to'),
                   'sub': ('_', 'csub', 'rsub', 'from'), 'nary': ('sum', 'prod', 'int'),
                   'upright': ('nitalic',), 'bold': ('bold',), 'red': ('red',)}
FUNCTION_NAMES = ('sin', 'cos', 'tan', 'log', 'exp', 'asin', 'acos', 'atan')


def local(element):
    return element.tag.replace(MATHML, '')


def is_accent(element):
    return local(element) == 'mover' and element.get('accent') == 'true'


def ours(math):
    """Letters and counts of our MathML, as LibreOffice can keep them."""
    counts = dict.fromkeys(STARMATH_COUNTS, 0)
    letters = ''
    for element in math.iter():
        name = local(element)
        if name == 'annotation':
            continue
        text = (element.text or '').strip() if name in ('mi', 'mn', 'mo') else ''
        letters += ''.join(c for c in text if c.isalnum())
        counts['nary'] += sum(text.count(c) for c in '\u2211\u220f\u222b')
        counts['frac'] += name == 'mfrac'
        counts['sqrt'] += name == 'msqrt'
        if not is_accent(element):
            counts['sup'] += name in ('msup', 'msubsup', 'mover', 'munderover')
            counts['sub'] += name in ('msub', 'msubsup', 'munder', 'munderover')
        if name == 'mi':
            counts['upright'] += element.get('mathvariant') == 'normal' or len(text) > 1
            counts['bold'] += element.get('mathvariant') == 'bold'
            counts['red'] += element.get('mathcolor') == 'red'
    return ''.join(sorted(letters)), counts


def theirs(math):
    """Letters and counts of LibreOffice's formula text."""
    text = next((a.text or '' for a in math.iter(MATHML + 'annotation')
                 if a.get('encoding', '').startswith('StarMath')), None)
    if text is None:
        raise OracleError('LibreOffice wrote a formula object without its StarMath text')
    words = text.split()
    counts = {key: sum(words.count(w) for w in keywords) for key, keywords in STARMATH_COUNTS.items()}
    letters = ''.join(c for w in words if not (w.isascii() and w.isalpha() and len(w) > 1 and w not in FUNCTION_NAMES)
                      for c in w if c.isalnum())
    return ''.join(sorted(letters)), counts


def check(kav_convert, work):
    lines = markups()
    written = mathml_lines(kav_convert, work, lines)
    odt = os.path.join(work, 'formulas.odt')
    write_odt(odt, written)
    # A flat document holds each formula object inline, so LibreOffice must load every object
    # and write it with its own MathML export (an .odt would keep the objects' bytes as they are).
    [back] = convert([odt], work, 'fodt', 'LibreOffice', TIMEOUT_SECONDS)
    maths = [next(o.iter(MATHML + 'math')) for o in ET.parse(back).iter(ODF_DRAW + 'object')]
    if len(maths) != len(written):
        raise OracleError('LibreOffice kept %d formula objects of %d' % (len(maths), len(written)))
    failures = 0
    for markup, mathml, math in zip(lines, written, maths):
        want, got = ours(ET.fromstring(mathml)), theirs(math)
        if want == got:
            print('ok    %s' % markup)
            continue
        failures += 1
        print('FAIL  %s\n  ours:        %s\n  LibreOffice: %s' % (markup, want, got))
    return failures


if __name__ == '__main__':
    sys.exit(main(check, len(markups()), 'kav-mathml-oracle-', 'kept by LibreOffice'))
