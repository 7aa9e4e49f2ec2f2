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
import os
import subprocess
import sys
import zipfile

from libreoffice_runner import (OracleError, convert, form, formula_objects, main, starmath,
                                write_formulas)

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
    # LibreOffice shows an empty operand as its placeholder box.
    (r'<a><+>\sum{<i>}{<n>}', 'mrow(mi:a mo:+ mrow(munderover(mo:\u2211 mi:i mi:n) mi:\u2751))',
     'an operator at the end of a row takes nothing before it'),
    (r'<a>\sum{\none}{\none}\super{<2>}<b>', 'mrow(mi:a mrow(mo:\u2211 msup(mi:\u2751 mn:2)) mi:b)',
     'a script after an operator has no base before the operator'),
    (r'<x|hat><+><v|vector><+><y|bar><+><z|tilde>',
     'mrow(mover(mi:x mo:^) mo:+ mover(mi:v mo:\u20d7) mo:+ mover(mi:y mo:\u00af) mo:+ '
     'mover(mi:z mo:~))', 'the four accents'),
    (r'<alpha><+><Omega><+><pi><+><Gamma>', 'mrow(mi:\u03b1 mo:+ mi:\u03a9 mo:+ mi:\u03c0 mo:+ '
     'mi:\u0393)', 'Greek letters'),
    (r'<a|rmbold><+><alpha|rmbold><+><5|rmbold><+><Z|rmbold><+><Omega|rmbold>',
     'mrow(mi:\U0001d41a mo:+ mi:\U0001d6c2 mo:+ mn:\U0001d7d3 mo:+ mi:\U0001d419 mo:+ '
     'mi:\U0001d6c0)', 'bold letters, Greek and digits'),
    (r'<a><lt><b><gt><c>', 'mrow(mi:a mo:< mi:b mo:> mi:c)', 'escaped angle brackets'),
    (r'<lbrace><x><rbrace><leq><infinity>',
     'mrow(mrow(mo:{ mrow(mi:x) mo:}) mi:\u2264 mi:\u221e)', 'visible braces and symbols'),
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
TIMEOUT_SECONDS = 240


def omml_lines(kav_convert, work):
    kav = write_formulas(work, [markup for markup, _, _ in CASES])
    run = subprocess.run([kav_convert, '--to', 'omml', kav], capture_output=True, timeout=60)
    if run.returncode != 0:
        raise OracleError('kav-convert failed (%d): %s' % (run.returncode, run.stderr.decode()))
    lines = run.stdout.decode('utf-8').split('\n')
    if lines[-1] != '' or len(lines) - 1 != len(CASES):
        raise OracleError('kav-convert wrote %d lines for %d formulas' % (len(lines) - 1, len(CASES)))
    return lines[:-1]


def write_docx(path, fragments, labels=None):
    """A .docx with one math paragraph for every fragment, each after a text paragraph holding
    its label when labels are given (so that the formulas can be told apart in a PDF)."""
    labels = labels or [None] * len(fragments)
    paragraphs = ''.join(('<w:p><w:r><w:t>%s</w:t></w:r></w:p>' % label if label else '') +
                         '<w:p><m:oMathPara><m:oMath>%s</m:oMath></m:oMathPara></w:p>' % f
                         for f, label in zip(fragments, labels))
    document = (XML_HEAD + '<w:document ' + NAMESPACES + '><w:body>' + paragraphs +
                '<w:sectPr/></w:body></w:document>')
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('[Content_Types].xml', CONTENT_TYPES)
        z.writestr('_rels/.rels', RELATIONSHIPS)
        z.writestr('word/document.xml', document)


def check(kav_convert, work):
    fragments = omml_lines(kav_convert, work)
    docx = os.path.join(work, 'formulas.docx')
    write_docx(docx, fragments)
    [odt] = convert([docx], work, 'odt', 'LibreOffice', TIMEOUT_SECONDS)
    maths = formula_objects(odt)
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


if __name__ == '__main__':
    sys.exit(main(check, len(CASES), 'kav-omml-oracle-', 'read back'))
