#!/usr/bin/env python3
"""The Office drawing package's math read back by LibreOffice Impress.

usage: gvml_impress.py --convert KAV_CONVERT [--keep DIR]

Every formula of the Writer oracle (omml_libreoffice.py) becomes its own line of a .kav document;
`KAV_CONVERT --to gvml --line N` gives the "Art::GVML ClipFormat" package Copy would publish. The
math paragraph of the package's drawing (the <a:p> holding a14:m, taken verbatim) is moved into
the text box of a one-slide presentation, placed and sized as the drawing states. Headless Impress
(fresh user profile) converts every presentation to .odp in one run, and the MathML of the formula
object it made must have the structure the Writer oracle expects: fractions, scripts, roots,
n-ary operators with their limits and operand. Anything that keeps the check from running is a
failure, never a pass.
"""
import io
import os
import re
import subprocess
import sys
import zipfile

from libreoffice_runner import (OracleError, convert, form, formula_objects, main, starmath,
                                write_formulas)
from omml_libreoffice import CASES

TIMEOUT_SECONDS = 300
XML_HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
PML = 'application/vnd.openxmlformats-officedocument.presentationml.'
NAMESPACES = ('xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" '
              'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" '
              'xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"')
EMPTY_TREE = ('<p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>'
              '<p:grpSpPr/>')


def relationships(*targets):
    rows = ''.join('<Relationship Id="rId%d" Type="%s%s" Target="%s"/>' % (k + 1, REL, kind, target)
                   for k, (kind, target) in enumerate(targets))
    return (XML_HEAD + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
            'relationships">' + rows + '</Relationships>')


def content_types():
    parts = [('/ppt/presentation.xml', 'presentation.main+xml'),
             ('/ppt/slides/slide1.xml', 'slide+xml'),
             ('/ppt/slideLayouts/slideLayout1.xml', 'slideLayout+xml'),
             ('/ppt/slideMasters/slideMaster1.xml', 'slideMaster+xml')]
    overrides = ''.join('<Override PartName="%s" ContentType="%s%s"/>' % (name, PML, kind)
                        for name, kind in parts)
    return (XML_HEAD + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
            'content-types"><Default Extension="rels" ContentType="application/'
            'vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" '
            'ContentType="application/xml"/>' + overrides + '</Types>')


def math_box(drawing):
    """(paragraph, cx, cy): the text box's paragraph exactly as written, and the box's size."""
    body = re.search(r'<a:txBody>.*?</a:lstStyle>(<a:p>.*</a:p>)</a:txBody>', drawing, re.S)
    if not body or '<a14:m ' not in body.group(1):
        raise OracleError('the drawing has no text box paragraph holding a14:m')
    size = re.search(r'<a:sp>.*?<a:ext cx="(\d+)" cy="(\d+)"/>', drawing, re.S)
    if not size:
        raise OracleError('the drawing states no size for its text box')
    return body.group(1), int(size.group(1)), int(size.group(2))


def write_pptx(path, paragraph, cx, cy):
    box = ('<p:sp><p:nvSpPr><p:cNvPr id="2" name="Formula"/><p:cNvSpPr txBox="1"/><p:nvPr/>'
           '</p:nvSpPr><p:spPr><a:xfrm><a:off x="914400" y="914400"/><a:ext cx="%d" cy="%d"/>'
           '</a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom><a:noFill/></p:spPr>'
           '<p:txBody><a:bodyPr wrap="none"><a:spAutoFit/></a:bodyPr><a:lstStyle/>%s</p:txBody>'
           '</p:sp>' % (cx, cy, paragraph))
    slide = '<p:cSld><p:spTree>' + EMPTY_TREE + '%s</p:spTree></p:cSld>'
    master_extra = ('<p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" '
                    'accent2="accent2" accent3="accent3" accent4="accent4" accent5="accent5" '
                    'accent6="accent6" hlink="hlink" folHlink="folHlink"/><p:sldLayoutIdLst>'
                    '<p:sldLayoutId id="2147483649" r:id="rId1"/></p:sldLayoutIdLst>')
    parts = {
        '[Content_Types].xml': content_types(),
        '_rels/.rels': relationships(('officeDocument', 'ppt/presentation.xml')),
        'ppt/presentation.xml': (
            XML_HEAD + '<p:presentation ' + NAMESPACES + '><p:sldMasterIdLst><p:sldMasterId '
            'id="2147483648" r:id="rId2"/></p:sldMasterIdLst><p:sldIdLst><p:sldId id="256" '
            'r:id="rId1"/></p:sldIdLst><p:sldSz cx="9144000" cy="6858000"/><p:notesSz '
            'cx="6858000" cy="9144000"/></p:presentation>'),
        'ppt/_rels/presentation.xml.rels': relationships(
            ('slide', 'slides/slide1.xml'), ('slideMaster', 'slideMasters/slideMaster1.xml')),
        'ppt/slides/slide1.xml': XML_HEAD + '<p:sld ' + NAMESPACES + '>' + slide % box + '</p:sld>',
        'ppt/slides/_rels/slide1.xml.rels': relationships(
            ('slideLayout', '../slideLayouts/slideLayout1.xml')),
        'ppt/slideLayouts/slideLayout1.xml': (
            XML_HEAD + '<p:sldLayout ' + NAMESPACES + '>' + slide % '' + '</p:sldLayout>'),
        'ppt/slideLayouts/_rels/slideLayout1.xml.rels': relationships(
            ('slideMaster', '../slideMasters/slideMaster1.xml')),
        'ppt/slideMasters/slideMaster1.xml': (
            XML_HEAD + '<p:sldMaster ' + NAMESPACES + '>' + slide % '' + master_extra +
            '</p:sldMaster>'),
        'ppt/slideMasters/_rels/slideMaster1.xml.rels': relationships(
            ('slideLayout', '../slideLayouts/slideLayout1.xml')),
    }
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, text in parts.items():
            z.writestr(name, text)


def packages(kav_convert, work):
    """The package of every case, as Copy would publish it."""
    kav = write_formulas(work, [markup for markup, _, _ in CASES])
    out = []
    for n in range(1, len(CASES) + 1):
        run = subprocess.run([kav_convert, '--to', 'gvml', '--line', str(n), kav],
                             capture_output=True, timeout=60)
        if run.returncode != 0:
            raise OracleError('kav-convert --to gvml --line %d failed (%d): %s' % (
                n, run.returncode, run.stderr.decode(errors='replace')))
        out.append(run.stdout)
    return out


def formula_object(odp):
    """The MathML root of the presentation's one formula object."""
    maths = formula_objects(odp)
    if len(maths) != 1:
        raise OracleError('%s holds %d formula objects, not 1' % (os.path.basename(odp),
                                                                   len(maths)))
    return maths[0]


def check(kav_convert, work):
    presentations = []
    for n, package in enumerate(packages(kav_convert, work), start=1):
        with zipfile.ZipFile(io.BytesIO(package)) as z:
            drawing = z.read('clipboard/drawings/drawing1.xml').decode('utf-8')
        path = os.path.join(work, 'formula%02d.pptx' % n)
        write_pptx(path, *math_box(drawing))
        presentations.append(path)
    failures = 0
    odps = convert(presentations, work, 'odp', 'Impress', TIMEOUT_SECONDS)
    for (markup, expected, what), odp in zip(CASES, odps):
        math = formula_object(odp)
        got = form(math)
        if got == expected:
            print('ok    %s: %s -> %s' % (what, markup, starmath(math)))
            continue
        failures += 1
        print('FAIL  %s: %s\n  expected: %s\n  got:      %s\n  starmath: %s'
              % (what, markup, expected, got, starmath(math)))
    return failures


if __name__ == '__main__':
    sys.exit(main(check, len(CASES), 'kav-impress-oracle-', 'read back by Impress'))
