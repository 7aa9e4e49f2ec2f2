"""Vector pictures read by programs nobody here wrote.

svg: every line of each document through kav-convert --to svg; xmllint finds each SVG
well-formed, it holds no text, font, image or external reference, and rsvg-convert's rendering at
each scale has the ink (and the red ink) of kav-convert's own PNG of the line at that scale.
emf: every line through kav-convert --to emf; LibreOffice converts each metafile to a PNG page
(at 96 dpi and at four times that), on which the picture, centred at its frame's size, has the
ink of kav-convert's PNG at the same scale.

The measures (ink_compare.cpp) are the ink masks' intersection over union with a tolerance of
half a pixel's coverage (AGREE, and RED for red ink), which must reach 0.95 for every reader, and
the weighted Jaccard index of the coverages, which must also reach 0.95 for rsvg-convert. Two
renderers of the same outlines differ only on edge pixels (AGREE 0.999 to 1); a glyph moved by
one pixel drops AGREE to about 0.5, and a missing glyph, rule or red sign by its whole area.
LibreOffice anti-aliases its own way (lighter edges, a different pixel centre), which the
tolerance absorbs and the Jaccard index would not (about 0.72 at scale 1).

Anything that keeps a check from running fails the test; nothing is skipped."""
import os
import re
import shutil
import struct
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


def compare(ink_compare, pairs, label, strict, centred=False):
    """Checks every pair; returns the worst AGREE, RED and JACCARD."""
    lines = run([ink_compare, *(['--centred'] if centred else []),
                 *[p for pair in pairs for p in pair]]).splitlines()
    if len(lines) != len(pairs):
        raise OracleError('%s: ink_compare answered %d of %d pairs' % (label, len(lines), len(pairs)))
    worst = [1.0, 1.0, 1.0]
    for (ours, theirs), line in zip(pairs, lines):
        if line.startswith('size'):
            raise OracleError('%s: %s %s' % (label, os.path.basename(theirs), line))
        figures = [float(v) for v in line.split()[:3]]
        worst = [min(w, f) for w, f in zip(worst, figures)]
        if min(figures[:2] + figures[2:] * strict) < MIN_IOU:
            raise OracleError('%s: %s differs from %s: %s (agree, red, jaccard, size)' % (
                label, theirs, ours, line))
    return worst


def report(name, count, what, worst):
    print('%s: %d %s: worst ink IoU %.4f, red ink IoU %.4f, weighted Jaccard %.4f' % (
        name, count, what, *worst))


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
        worst = compare(ink_compare, pairs, 'rsvg-convert x%d' % scale, strict=True)
        report(name, len(svgs), 'SVGs, rsvg-convert at scale %d' % scale, worst)


# LibreOffice exports a drawing's page, A4 at 96 dpi by default.
PAGE = (794, 1123)


def libreoffice_pages(sources, work, scale):
    soffice = tool('soffice')
    outdir = os.path.join(work, 'lo%d' % scale)
    options = ''
    if scale != 1:
        options = ':draw_png_Export:{"PixelWidth":{"type":"long","value":"%d"},' \
                  '"PixelHeight":{"type":"long","value":"%d"}}' % (PAGE[0] * scale, PAGE[1] * scale)
    env = dict(os.environ, HOME=os.path.join(work, 'home'))
    run_args = [soffice, '--headless', '--norestore', '--nolockcheck',
                '-env:UserInstallation=file://' + os.path.join(work, 'profile'),
                '--convert-to', 'png' + options, '--outdir', outdir, *sources]
    done = subprocess.run(run_args, capture_output=True, timeout=900, env=env)
    pages = [os.path.join(outdir, os.path.splitext(os.path.basename(p))[0] + '.png') for p in sources]
    missing = [p for p in pages if not os.path.exists(p)]
    if done.returncode != 0 or missing:
        raise OracleError('LibreOffice did not convert %d metafile(s) (exit %d): %s' % (
            len(missing), done.returncode, (done.stdout + done.stderr).decode(errors='replace')))
    return pages


def fits_page(png, scale):
    with open(png, 'rb') as f:
        width, height = struct.unpack('>II', f.read(24)[16:24])
    margin = PAGE[0] * scale / 21  # 1 cm of the A4 page's 21 cm
    return width <= PAGE[0] * scale - 2 * margin and height <= PAGE[1] * scale - 2 * margin


def check_emfs(convert, ink_compare, work, doc):
    name = os.path.splitext(os.path.basename(doc))[0]
    emfs = convert_all(convert, doc, 'emf', os.path.join(work, name, 'emf'))
    if not emfs:
        raise OracleError('%s: no EMF written' % doc)
    for scale in SCALES:
        ours = convert_all(convert, doc, 'png', os.path.join(work, name, 'png%d' % scale),
                           '--scale', str(scale), '--transparent')
        # LibreOffice shrinks a picture wider than the page less its margins to fit; at 96 dpi
        # the comparison shrinks ours the same way, but at four times that the two shrunk
        # renderings are not comparable pixel for pixel, so those lines are checked at 96 dpi.
        chosen = [k for k, png in enumerate(ours) if scale == 1 or fits_page(png, scale)]
        pages = libreoffice_pages([emfs[k] for k in chosen], os.path.join(work, name), scale)
        worst = compare(ink_compare, [(ours[k], page) for k, page in zip(chosen, pages)],
                        'LibreOffice x%d' % scale, strict=False, centred=True)
        wide = len(emfs) - len(chosen)
        report(name, len(chosen), 'EMFs, LibreOffice at scale %d%s' % (
            scale, ' (%d wider than the page: at scale 1 only)' % wide if wide else ''), worst)


def main():
    mode, convert, ink_compare, work, *docs = sys.argv[1:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    try:
        checks = {'svg': check_svgs, 'emf': check_emfs}
        if mode not in checks:
            raise OracleError('unknown mode ' + mode)
        for doc in docs:
            checks[mode](convert, ink_compare, work, doc)
    except (OracleError, subprocess.TimeoutExpired) as error:
        print('FAIL:', error)
        return 1
    print('1 passed, 0 failed')
    return 0


if __name__ == '__main__':
    sys.exit(main())
