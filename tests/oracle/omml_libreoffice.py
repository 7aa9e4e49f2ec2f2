#!/usr/bin/env python3
"""Office Math read back by LibreOffice.

usage: omml_libreoffice.py --convert KAV_CONVERT [--keep DIR]

Writes the formulas below as a .kav document, turns every line into Office Math with
`KAV_CONVERT --to omml`, wraps each in its own math paragraph of a minimal .docx, lets LibreOffice
(headless, fresh user profile) convert that to .odt and compares the MathML of every embedded
formula object with what the formula must mean. Anything that keeps the check from running
(no LibreOffice, a failed conversion, a missing formula object) is a failure, never a pass.

The expected forms are LibreOffice's MathML reduced to element names and texts: `mi:x` is a
token with its text, `mfrac(a b)` an element with its children, attributes are dropped. Colour
and the upright face are not compared: LibreOffice's Word import drops both.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

# (markup, expected MathML form, what it shows)
CASES = [
    (r'\frac{<1>}{<x><+><1>}', 'mfrac(mn:1 mrow(mi:x mo:+ mn:1))', 'fraction'),
    (r'\frac{\frac{<a>}{<b>}}{<c>}', 'mfrac(mfrac(mi:a mi:b) mi:c)', 'nested fraction'),
    (r'<x>\super{<2>}<+><y>\sub{<i>}', 'mrow(msup(mi:x mn:2) mo:+ msub(mi:y mi:i))',
     'superscript and subscript on their base'),
    (r'<x>\super{<2>}\super{<3>}', 'msup(msup(mi:x mn:3) mn:2)', 'two scripts in a row'),
    (r'\sqrt{<b>\super{<2>}<-><4><a><c>}',
     'msqrt(mrow(mrow(msup(mi:b mn:2) mo:\u2212 mn:4) mi:a mi:c))', 'radical'),
    (r'\sum{<i><=><1>}{<n>}<a>\sub{<i>}',
     'mrow(munderover(mo:\u2211 mrow(mi:i mo:= mn:1) mi:n) msub(mi:a mi:i))',
     'sum with both limits and a scripted operand'),
    (r'\prod{<k>}{\none}<b><+><c>', 'mrow(mrow(munder(mo:\u220f mi:k) mi:b) mo:+ mi:c)',
     'product with a lower limit only; the operand is the next element'),
    (r'\integral{<0>}{<1>}<f><d><x>', 'mrow(mrow(munderover(mo:\u222b mn:0 mn:1) mi:f) mi:d mi:x)',
     'integral with limits'),
    (r'\integral{\none}{\none}<g>', 'mrow(mo:\u222b mi:g)', 'integral without limits'),
    (r'\sum{\none}{\none}\prod{\none}{\none}<x>', 'mrow(mo:\u2211 mrow(mo:\u220f mi:x))',
     'two operators in a row nest'),
    (r'\sum{<i>}{<n>}<x>\prod{<k>}{<m>}<y>',
     'mrow(mrow(munderover(mo:\u2211 mi:i mi:n) mi:x) mrow(munderover(mo:\u220f mi:k mi:m) mi:y))',
     'an operator after a complete operand'),
    (r'<x|hat><+><v|vector><+><y|bar><+><z|tilde>',
     'mrow(mover(mi:x mo:^) mo:+ mover(mi:v mo:\u20d7) mo:+ mover(mi:y mo:\u00af) mo:+ '
     'mover(mi:z mo:~))', 'the four accents'),
    (r'<alpha><+><Omega><+><pi><+><Gamma>', 'mrow(mi:\u03b1 mo:+ mi:\u03a9 mo:+ mi:\u03c0 mo:+ '
     'mi:\u0393)', 'Greek letters'),
    (r'<a|rmbold><+><alpha|rmbold><+><5|rmbold><+><Z|rmbold><+><Omega|rmbold>',
     'mrow(mi:\U0001d41a mo:+ mi:\U0001d6c2 mo:+ mn:\U0001d7d3 mo:+ mi:\U0001d419 mo:+ '
     'mi:\U0001d6c0)', 'bold letters, Greek and digits'),
    (r'<a><lt><b><gt><c>', 'mrow(mi:a mo:< mi:b mo:> mi:c)', 'escaped angle brackets'),
    (r'<lbrace><x><rbrace><leq><infinity>', 'mrow(mo:{ mi:x mo:} mi:\u2264 mi:\u221e)',
     'visible braces and symbols'),
    (r'\red\frac{\red<1>}{<x>}', 'mfrac(mn:1 mi:x)', 'red content still reads as a fraction'),
]

NAMESPACES = ('xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" '
              'xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math" '
              'xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main"')
XML_HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
CONTENT_TYPES = (XML_HEAD +
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    '<Override PartName="/word/document.xml" ContentType="application/'
    'vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>')
RELATIONSHIPS = (XML_HEAD +
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
    'relationships/officeDocument" Target="word/document.xml"/></Relationships>')
MATHML = '{http://www.w3.org/1998/Math/MathML}'
ODF_DRAW = '{urn:oasis:names:tc:opendocument:xmlns:drawing:1.0}'
XLINK = '{http://www.w3.org/1999/xlink}'
TIMEOUT_SECONDS = 240


class OracleError(Exception):
    pass


def omml_lines(convert, work):
    kav = os.path.join(work, 'formulas.kav')
    with open(kav, 'w', encoding='utf-8', newline='\n') as f:
        f.write('@@3\n' + ''.join('@' + markup + '\n' for markup, _, _ in CASES))
    run = subprocess.run([convert, '--to', 'omml', kav], capture_output=True, timeout=60)
    if run.returncode != 0:
        raise OracleError('kav-convert failed (%d): %s' % (run.returncode, run.stderr.decode()))
    lines = run.stdout.decode('utf-8').split('\n')
    if lines[-1] != '' or len(lines) - 1 != len(CASES):
        raise OracleError('kav-convert wrote %d lines for %d formulas' % (len(lines) - 1, len(CASES)))
    return lines[:-1]


def write_docx(path, fragments):
    paragraphs = ''.join('<w:p><m:oMathPara><m:oMath>%s</m:oMath></m:oMathPara></w:p>' % f
                         for f in fragments)
    document = (XML_HEAD + '<w:document ' + NAMESPACES + '><w:body>' + paragraphs +
                '<w:sectPr/></w:body></w:document>')
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('[Content_Types].xml', CONTENT_TYPES)
        z.writestr('_rels/.rels', RELATIONSHIPS)
        z.writestr('word/document.xml', document)


def convert_with_libreoffice(docx, work):
    soffice = shutil.which('soffice') or shutil.which('libreoffice')
    if not soffice:
        raise OracleError('LibreOffice (soffice) is not installed; run scripts/setup')
    profile = os.path.join(work, 'profile')
    env = dict(os.environ, HOME=os.path.join(work, 'home'))
    os.makedirs(env['HOME'])
    try:
        run = subprocess.run([soffice, '--headless', '--norestore', '--nolockcheck',
                              '-env:UserInstallation=file://' + profile,
                              '--convert-to', 'odt', '--outdir', work, docx],
                             capture_output=True, timeout=TIMEOUT_SECONDS, env=env)
    except subprocess.TimeoutExpired:
        raise OracleError('LibreOffice did not finish within %d s' % TIMEOUT_SECONDS)
    odt = os.path.splitext(docx)[0] + '.odt'
    if run.returncode != 0 or not os.path.exists(odt):
        raise OracleError('LibreOffice did not convert %s (exit %d): %s %s' % (
            docx, run.returncode, run.stdout.decode(errors='replace'),
            run.stderr.decode(errors='replace')))
    return odt


def formula_objects(odt):
    """The MathML root of every embedded formula, in document order."""
    with zipfile.ZipFile(odt) as z:
        content = ET.fromstring(z.read('content.xml'))
        maths = []
        for obj in content.iter(ODF_DRAW + 'object'):
            name = obj.get(XLINK + 'href', '').lstrip('./')
            maths.append(ET.fromstring(z.read(name + '/content.xml')))
    return maths


def form(element):
    """LibreOffice's MathML reduced to names and texts, without the annotation."""
    name = element.tag.replace(MATHML, '')
    if name in ('math', 'semantics'):
        kids = [k for k in element if k.tag != MATHML + 'annotation']
        return ' '.join(form(k) for k in kids)
    kids = list(element)
    if not kids:
        return '%s:%s' % (name, (element.text or '').strip())
    return '%s(%s)' % (name, ' '.join(form(k) for k in kids))


def starmath(element):
    for annotation in element.iter(MATHML + 'annotation'):
        return annotation.text or ''
    return ''


def check(convert, work):
    fragments = omml_lines(convert, work)
    docx = os.path.join(work, 'formulas.docx')
    write_docx(docx, fragments)
    maths = formula_objects(convert_with_libreoffice(docx, work))
    if len(maths) != len(CASES):
        raise OracleError('LibreOffice made %d formula objects from %d formulas' % (
            len(maths), len(CASES)))
    failures = 0
    for (markup, expected, what), fragment, math in zip(CASES, fragments, maths):
        got = form(math)
        if got == expected:
            print('ok    %s: %s' % (what, markup))
            continue
        failures += 1
        print('FAIL  %s: %s\n  omml:     %s\n  expected: %s\n  got:      %s\n  starmath: %s'
              % (what, markup, fragment, expected, got, starmath(math)))
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--convert', required=True, help='path of kav-convert')
    parser.add_argument('--keep', help='keep the work files in this directory')
    args = parser.parse_args()
    work = args.keep or tempfile.mkdtemp(prefix='kav-omml-oracle-')
    os.makedirs(work, exist_ok=True)
    try:
        failures = check(args.convert, work)
    except (OracleError, subprocess.TimeoutExpired, OSError, zipfile.BadZipFile,
            ET.ParseError, KeyError) as error:
        print('oracle could not run: %s' % error, file=sys.stderr)
        return 1
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
    print('%d of %d formulas read back as written' % (len(CASES) - failures, len(CASES)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
