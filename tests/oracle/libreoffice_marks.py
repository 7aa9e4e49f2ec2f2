#!/usr/bin/env python3
"""Real formulas shown by LibreOffice without its error mark, as Office Math and as MathML.

usage: libreoffice_marks.py omml|mathml OUTPUTS_TOOL [--count N] [--keep DIR]

The first N corpus formulas Kav reads (real_formulas.py, key order) go through OUTPUTS_TOOL; each
line Kav makes of them becomes a formula of one document, after a paragraph naming it: Office Math
in the math paragraphs of a .docx, MathML as the formula objects of an .odt. Headless LibreOffice
(fresh user profile) converts that document once to an ODF document, whose formula objects keep
the StarMath text LibreOffice read, and once to PDF, whose text pdftotext extracts. A formula
fails when LibreOffice marks it as unreadable (an inverted question mark, in its StarMath text or
on its part of the page), when a "|" of the input became a logical "or", or when what LibreOffice
read lacks or adds a letter or digit, a fraction or a root against Kav's own MathML of the line
(bold and other alphabets compared as their plain letters, with NFKC). Formulas that
LibreOffice refuses in every spelling tried are listed in REFUSED_EVERYWHERE with the reason; they
are reported, not failed. Anything that keeps the check from running is a failure, never a pass.
"""
import argparse
import collections
import os
import re
import shutil
import subprocess
import sys
import unicodedata
import xml.etree.ElementTree as ET

from libreoffice_runner import (MATHML, ODF_DRAW, OracleError, convert, formula_objects,
                                run_in_work_folder, starmath)
from mathml_libreoffice import write_odt
from omml_libreoffice import write_docx
from real_formulas import read_formulas

ERROR_MARK = '\u00bf'
# For each format, corpus key -> the spellings tried and why none reads, for example
#   '0025b36cbda8365c09737acc9159df57': 'ends with an operator; tried ..., each shows the mark',
# A formula goes here only when no spelling of it shows in LibreOffice without the error mark.
REFUSED_EVERYWHERE = {
    'omml': {},
    'mathml': {},
}
TIMEOUT_SECONDS = 400
LABEL = 'KAVFORMULA%05d'


def omml_document(work, lines, labels):
    docx = os.path.join(work, 'formulas.docx')
    write_docx(docx, lines, labels)
    return docx, 'odt'


def mathml_document(work, lines, labels):
    odt = os.path.join(work, 'formulas.odt')
    write_odt(odt, lines, labels)
    # A flat document holds each formula object inline, written by LibreOffice's own export.
    return odt, 'fodt'


FORMATS = {'omml': omml_document, 'mathml': mathml_document}


def formula_maths(document):
    """The MathML root of every formula object of an ODF document, flat or zipped."""
    if document.endswith('.fodt'):
        objects = ET.parse(document).iter(ODF_DRAW + 'object')
        return [next(o.iter(MATHML + 'math')) for o in objects]
    return formula_objects(document)


TOKENS = ('mi', 'mn', 'mo', 'mtext', 'ms')
SHAPES = ('mfrac', 'msqrt', 'mroot')


def content(math):
    """What must arrive of a MathML tree: its letters and digits (NFKC, so a bold or double-struck
    letter counts as its plain letter) and how many fractions and roots it holds."""
    found = collections.Counter()
    for element in math.iter():
        name = element.tag.replace(MATHML, '')
        if name in SHAPES:
            found[name] += 1
        elif name in TOKENS and element.text:
            found.update(c for c in unicodedata.normalize('NFKC', element.text) if c.isalnum())
    return found


def content_change(wanted, read):
    """'lost x, added 2' for what differs between two contents, or '' when they agree."""
    def listed(counter):
        return ' '.join(k if n == 1 else '%s x%d' % (k, n) for k, n in sorted(counter.items()))
    parts = []
    if wanted - read:
        parts.append('lost ' + listed(wanted - read))
    if read - wanted:
        parts.append('added ' + listed(read - wanted))
    return ', '.join(parts)


def page_texts(pdf, count):
    """The PDF's text after each of `count` labels. The text is taken in the order the page draws
    it, which is the document's order."""
    pdftotext = shutil.which('pdftotext')
    if not pdftotext:
        raise OracleError('pdftotext is not installed; run scripts/setup (poppler-utils)')
    run = subprocess.run([pdftotext, '-raw', '-enc', 'UTF-8', pdf, '-'], capture_output=True,
                         timeout=120)
    if run.returncode != 0:
        raise OracleError('pdftotext failed (%d): %s' % (run.returncode, run.stderr.decode()))
    return labelled_parts(run.stdout.decode('utf-8'), count)


def labelled_parts(text, count):
    """The text between one label and the next, for labels 0 to count - 1 in that order."""
    parts = re.split(r'KAVFORMULA(\d{5})', text)
    numbers = [int(n) for n in parts[1::2]]
    if numbers != list(range(count)):
        raise OracleError('the PDF shows %d of the %d formula labels, or not in order' % (
            len(set(numbers) & set(range(count))), count))
    return parts[2::2]


def or_count(text):
    """How many logical "or"s a StarMath text holds: a bare "|" is one there too."""
    words = re.findall(r'[^\s{}]+', text)
    return words.count('or') + words.count('|') + text.count('\u2228')


def input_or_count(latex):
    return len(re.findall(r'\\(?:lor|vee)(?![a-zA-Z])', latex)) + latex.count('\u2228')


def faults(formula, starmaths, pages, changes=()):
    """What is wrong with one input formula's lines in LibreOffice: a list of short texts."""
    found = ['LibreOffice ' + change for change in changes if change]
    if any(ERROR_MARK in s for s in starmaths):
        found.append('error mark in the formula text')
    if any(ERROR_MARK in p for p in pages):
        found.append('error mark in the PDF')
    if '|' in formula and sum(map(or_count, starmaths)) > input_or_count(formula):
        found.append('"|" read as "or"')
    return found


def read_by_libreoffice(fmt, chosen, work):
    """For every chosen formula, the StarMath texts, the PDF texts and the content changes of its
    lines."""
    lines, owners, wanted = [], [], []
    for index, (_, _, answer) in enumerate(chosen):
        if len(answer[fmt]) != len(answer['mathml']):
            raise OracleError('Kav wrote %d lines of %s and %d of MathML for formula %d' % (
                len(answer[fmt]), fmt, len(answer['mathml']), index))
        lines += answer[fmt]
        owners += [index] * len(answer[fmt])
        wanted += [content(ET.fromstring(m)) for m in answer['mathml']]
    document, flat = FORMATS[fmt](work, lines, [LABEL % n for n in range(len(lines))])
    [odf] = convert([document], work, flat, 'LibreOffice', TIMEOUT_SECONDS)
    [pdf] = convert([document], work, 'pdf', 'LibreOffice', TIMEOUT_SECONDS)
    maths = formula_maths(odf)
    if len(maths) != len(lines):
        raise OracleError('LibreOffice made %d formula objects of %d' % (len(maths), len(lines)))
    starmaths = [starmath(math) for math in maths]
    changes = [content_change(w, content(m)) for w, m in zip(wanted, maths)]
    pages = page_texts(pdf, len(lines))
    return [tuple([part[n] for n, o in enumerate(owners) if o == index]
                  for part in (starmaths, pages, changes))
            for index in range(len(chosen))]


def check(fmt, tool, count, work):
    chosen = read_formulas(tool, count)
    tally = collections.Counter()
    failures = 0
    shown = read_by_libreoffice(fmt, chosen, work)
    for (key, formula, answer), (starmaths, pages, changes) in zip(chosen, shown):
        found = faults(formula, starmaths, pages, changes)
        tally.update(found)
        if not found:
            continue
        tally['error mark'] += any('error mark' in fault for fault in found)
        tally['content changed'] += any(fault.startswith('LibreOffice ') for fault in found)
        allowed = key in REFUSED_EVERYWHERE[fmt]
        failures += not allowed
        print('%s  %s  %s: %s\n  %s: %s\n  StarMath: %s' % (
            'KNOWN' if allowed else 'FAIL ', key, '; '.join(found), formula, fmt,
            ' // '.join(answer[fmt]), ' // '.join(starmaths)))
    for fault in ('error mark', 'error mark in the formula text', 'error mark in the PDF',
                  '"|" read as "or"', 'content changed'):
        print('%d of %d formulas: %s' % (tally[fault], len(chosen), fault))
    return failures, len(chosen)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('format', choices=sorted(FORMATS))
    parser.add_argument('tool', help='path of latex_formula_outputs')
    parser.add_argument('--count', type=int, default=2000)
    parser.add_argument('--keep', help='keep the work files in this directory')
    args = parser.parse_args()
    result = run_in_work_folder(args.keep, 'kav-marks-oracle-',
                                lambda work: check(args.format, args.tool, args.count, work))
    if result is None:
        return 1
    failures, total = result
    print('%d of %d real formulas shown by LibreOffice without a fault' % (total - failures, total))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
