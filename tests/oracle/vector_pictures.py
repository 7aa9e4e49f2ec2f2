"""Vector pictures read by programs nobody here wrote.

svg: every line of each document through kav-convert --to svg; xmllint finds each SVG
well-formed, it holds no text, font, image or external reference, and rsvg-convert's rendering at
each scale has the ink (and the red ink) of kav-convert's own PNG of the line at that scale.

The measure is the intersection over union of the anti-aliased ink (ink_compare.cpp: the sum of
the smaller coverage over the sum of the larger, for all ink and for red ink). Both renderers
anti-alias the same outlines, so they differ only by rounding on edge pixels: a few thousandths.
A wrong glyph, a box moved by a pixel, a missing rule or a black sign in place of a red one
changes whole strokes and drops the ratio well below the bound.

Anything that keeps a check from running fails the test; nothing is skipped."""
import os
import re
import shutil
import subprocess
import sys

MIN_IOU = 0.95
SCALES = (1, 4)
FORBIDDEN = re.compile(r'<text|<image|<style|<use|href|font|url\(|<script', re.IGNORECASE)


class OracleError(Exception):
    pass


def tool(name):
    path = shutil.which(name)
    if not path:
        raise OracleError('%s is not installed; run scripts/setup' % name)
    return path


def run(args):
    done = subprocess.run(args, capture_output=True, timeout=600)
    if done.returncode != 0:
        raise OracleError('%s failed (exit %d): %s' % (
            os.path.basename(args[0]), done.returncode, (done.stdout + done.stderr).decode(errors='replace')))
    return done.stdout.decode()


def convert_all(convert, doc, fmt, out_dir, *options):
    run([convert, '--to', fmt, '--all-lines', '--out-dir', out_dir, *options, doc])
    return sorted(os.path.join(out_dir, n) for n in os.listdir(out_dir))


def compare(ink_compare, pairs, label):
    """Checks every pair's IoU; returns the worst figures."""
    lines = run([ink_compare, *[p for pair in pairs for p in pair]]).splitlines()
    worst, worst_red = 1.0, 1.0
    for (ours, theirs), line in zip(pairs, lines):
        if line.startswith('size'):
            raise OracleError('%s: %s %s' % (label, os.path.basename(theirs), line))
        iou, red_iou, size = line.split()
        worst, worst_red = min(worst, float(iou)), min(worst_red, float(red_iou))
        if float(iou) < MIN_IOU or float(red_iou) < MIN_IOU:
            raise OracleError('%s: %s differs from %s: ink IoU %s, red ink IoU %s (%s)' % (
                label, theirs, ours, iou, red_iou, size))
    if len(lines) != len(pairs):
        raise OracleError('%s: ink_compare answered %d of %d pairs' % (label, len(lines), len(pairs)))
    return worst, worst_red


def check_svgs(convert, ink_compare, work, doc):
    name = os.path.splitext(os.path.basename(doc))[0]
    svgs = convert_all(convert, doc, 'svg', os.path.join(work, name, 'svg'))
    if not svgs:
        raise OracleError('%s: no SVG written' % doc)
    tool('xmllint')
    run(['xmllint', '--noout', *svgs])
    for svg in svgs:
        with open(svg, encoding='ascii') as f:
            found = FORBIDDEN.search(f.read())
        if found:
            raise OracleError('%s is not self-contained: %r' % (svg, found.group(0)))
    rsvg = tool('rsvg-convert')
    for scale in SCALES:
        ours = convert_all(convert, doc, 'png', os.path.join(work, name, 'png%d' % scale),
                           '--scale', str(scale), '--transparent')
        theirs_dir = os.path.join(work, name, 'rsvg%d' % scale)
        os.makedirs(theirs_dir)
        pairs = []
        for svg, png in zip(svgs, ours):
            theirs = os.path.join(theirs_dir, os.path.basename(png))
            run([rsvg, '-z', str(scale), '-o', theirs, svg])
            pairs.append((png, theirs))
        worst, worst_red = compare(ink_compare, pairs, 'rsvg-convert x%d' % scale)
        print('%s: %d SVGs, rsvg-convert at scale %d: worst ink IoU %.4f, worst red ink IoU %.4f'
              % (name, len(svgs), scale, worst, worst_red))


def main():
    mode, convert, ink_compare, work, *docs = sys.argv[1:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    try:
        if mode != 'svg':
            raise OracleError('unknown mode ' + mode)
        for doc in docs:
            check_svgs(convert, ink_compare, work, doc)
    except (OracleError, subprocess.TimeoutExpired) as error:
        print('FAIL:', error)
        return 1
    print('1 passed, 0 failed')
    return 0


if __name__ == '__main__':
    sys.exit(main())
