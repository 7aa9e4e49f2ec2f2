#!/usr/bin/python3
"""Kav's pictures of real formulas beside LaTeX's own, at the same em.

usage: latex_pictures.py --kav-convert PATH [--count N] --out DIR [--corpus FILE] [--scale S]
       latex_pictures.py --kav-convert PATH --pictures DIR [--suffix after] [--corpus FILE]

The formulas are the first N of the real-formula corpus, in key order, that Kav reads as one
line and latex compiles (the others are listed with the reason). Kav draws each with
`kav-convert --from latex --to png` at --scale; latex and dvipng draw each as
`$\\displaystyle ...$`, one a page, at the resolution that gives LaTeX's capital M the ink height
of Kav's. Both are cut to their ink and compared (ink_overlap.py): the width ratio Kav/LaTeX and
a tolerant overlap score in [0, 1].

The distribution is printed with the worst formulas; DIR gets results.tsv, skipped.tsv and a
picture Kav | LaTeX of every formula. The exit status is 1 when the median width ratio, the
share within 5 % or the median overlap falls below its floor, or when anything cannot run
(latex or dvipng missing fails; nothing is skipped).

--pictures writes only the chosen formulas of PICTURES as DIR/layout-NN-SUFFIX.png.
"""
import os
import sys

try:
    import numpy
    from PIL import Image
except ImportError:
    # Debian's numpy and PIL belong to Debian's python; another python3 first on PATH hands over.
    if os.path.realpath(sys.executable) != os.path.realpath('/usr/bin/python3'):
        os.execv('/usr/bin/python3', ['/usr/bin/python3'] + sys.argv)
    raise

import argparse
import json
import tempfile

import ink_overlap
import kav_pictures
import latex_dvipng
from libreoffice_runner import OracleError
from real_formulas import CORPUS, corpus

# What the layout reached when these were last set, less a small margin: a layout change that
# sets formulas further from LaTeX fails the test. (Per-glyph box layout, 240 formulas: median
# width ratio 0.888, 18.8 % within 5 %, median overlap 0.555; TeX's rules on the MATH constants:
# 0.988, 81.2 %, 0.944.)
MEDIAN_WIDTH_RATIO_FLOOR = 0.975
WITHIN_5_PERCENT_FLOOR = 0.78
MEDIAN_OVERLAP_FLOOR = 0.90

DEFAULT_COUNT = 240
MINIMUM_COUNT = 200
CALIBRATION_DPI = 1000.0   # high, so that a pixel of rounding in the M's height costs little
WORST_SHOWN = 10
# Ink within this share of the capital M's height of other ink counts as overlapping (2 px at
# the default scale), so that the score does not depend on the scale.
TOLERANCE_OF_M = 0.045
# Corpus keys of formulas that show typical layout faults (spacing around relations and binary
# operators, f(x), sin x, scripts stacked on one base, sums and limits, integrals), for the
# before/after pictures.
PICTURES = [
    '000de4afc6a32a049d59aeacdb9ef318',  # f(x) = x^2 - x + 2
    '0031b1a0e5881f6b0ca5ce52f4ab1b04',  # f(x)=(x + 1)^{2}(x - 1), \,
    '002326506700d44c9abb37d147e43b5b',  # 2v_c \sin(\alpha + \beta) = c (\cos(\alpha - \beta) -...
    '003dc09bb55482b2f72537dd1850d588',  # \sigma^2_N = \frac{(N-1) \, \sigma^2_{N-1} + (x_N - \b...
    '00262cd78d796a5bb0baa8fd774728fd',  # \Delta^0_n,
    '0051740ae877c5b18dee89574732c99a',  # n_2^2\sigma_2^2-2\sigma_2n_2^2\sigma_\mathrm{n}+n_2^2\...
    '0008510cb7881764a542e8502fc95b28',  # \Psi(w,v)=w^\alpha \cdot v = \sum_{i=1}^n w_i^q v_i
    '0025775d9f14d8821126387b6fa5c846',  # D(G,H) = \sum_{i=1}^{29} | F_i(G) - F_i(H) |
    '003656b0a5cdfdf2326d037c9864a835',  # dU=TdS-PdV + \sum_i \mu_i dN_i.\,
    '00141348cd6cabc06166525b88bb1493',  # \lim \sup _{\alpha} (n_{\alpha}/m_{\alpha}) < r
    '00079c0fe89f86a710a201e0689b2172',  # \int u \, dv=uv-\int v \, du.\!
    '000e5c1739ea28760d66f6d05f0e18d1',  # J_{\alpha} =  \int_{0}^{\infty}  \frac{dx}{\left( x +...
]


def default_corpus():
    here = os.path.dirname(os.path.abspath(__file__))
    modules = os.environ.get('ORACLE_NODE_MODULES', os.path.join(
        here, '..', '..', 'build', 'native', 'tests', 'oracle', 'npm', 'node_modules'))
    return os.path.join(modules, CORPUS)


def choose(kav_convert, candidates, count, work):
    """The first `count` (key, formula) of `candidates` that Kav reads as one line and latex
    compiles, and [(key, formula, reason)] of those passed over on the way."""
    chosen, skipped = [], []
    for start in range(0, len(candidates), count):
        some = candidates[start:start + count]
        answers = kav_pictures.refusals(kav_convert, [f for _, f in some], work)
        skipped += [(k, f, why) for (k, f), why in zip(some, answers) if why]
        readable = [(k, f) for (k, f), why in zip(some, answers) if not why]
        kept, dropped = latex_dvipng.clean_document([f for _, f in readable], work)
        kept = set(kept)
        skipped += [(k, f, 'latex: ' + dropped[f]) for k, f in readable if f not in kept]
        chosen += [(k, f) for k, f in readable if f in kept]
        if len(chosen) >= count:
            last_key = chosen[count - 1][0]
            return chosen[:count], [s for s in skipped if s[0] < last_key]
    raise OracleError('only %d formulas can be compared, not %d' % (len(chosen), count))


def draw_both(kav_convert, formulas, work, scale):
    """(Kav's pictures, LaTeX's pictures, the overlap's tolerance in pixels) of `formulas`, the
    calibration M first."""
    kav = kav_pictures.render(kav_convert, [latex_dvipng.CALIBRATION] + formulas,
                              os.path.join(work, 'kav'), scale)
    _, dropped = latex_dvipng.clean_document(formulas, work)
    if dropped:
        raise OracleError('latex no longer compiles %s' % next(iter(dropped)))
    kav_m = ink_overlap.ink_mask(kav[0])
    probe = latex_dvipng.render_pages(work, CALIBRATION_DPI, 1, 1, 'calibration')
    latex_m = ink_overlap.ink_mask(probe[0])
    dpi = CALIBRATION_DPI * kav_m.shape[0] / latex_m.shape[0]
    latex = latex_dvipng.render_pages(work, dpi)
    if len(latex) != len(kav):
        raise OracleError('dvipng drew %d pages for %d formulas' % (len(latex), len(kav) - 1))
    print('calibration: Kav\'s M is %d px high at scale %s; LaTeX\'s at %.1f dpi is %d px'
          % (kav_m.shape[0], scale, dpi, ink_overlap.ink_mask(latex[0]).shape[0]))
    return kav, latex, max(1, round(TOLERANCE_OF_M * kav_m.shape[0]))


def side_by_side(kav_path, latex_path, out_path, margin=8):
    """One 8-bit grey picture: Kav's ink | LaTeX's ink, each cut to its ink, centred vertically."""
    parts = []
    for path in (kav_path, latex_path):
        dark = ink_overlap.darkness(path)
        box = ink_overlap.ink_box(dark > ink_overlap.INK_THRESHOLD)
        if box is None:
            parts.append(numpy.zeros((1, 1)))
            continue
        top, bottom, left, right = box
        parts.append(dark[top:bottom, left:right])
    height = max(p.shape[0] for p in parts) + 2 * margin
    width = sum(p.shape[1] for p in parts) + 4 * margin + 1
    canvas = numpy.zeros((height, width))
    left = margin
    for index, part in enumerate(parts):
        top = (height - part.shape[0]) // 2
        canvas[top:top + part.shape[0], left:left + part.shape[1]] = part
        left += part.shape[1] + margin
        if index == 0:
            canvas[:, left + margin - 1] = 0.35   # the grey rule between the two
            left += 2 * margin
    grey = numpy.clip(255 - canvas * 255, 0, 255).astype(numpy.uint8)
    Image.fromarray(grey, 'L').save(out_path, optimize=True)


def compare(pairs, kav, latex, tolerance, out):
    """[(key, formula, width ratio, overlap)] of every pair; side-by-side pictures in out."""
    results = []
    for index, ((key, formula), kav_path, latex_path) in enumerate(zip(pairs, kav, latex)):
        kav_mask, latex_mask = ink_overlap.ink_mask(kav_path), ink_overlap.ink_mask(latex_path)
        if kav_mask is None or latex_mask is None:
            raise OracleError('%s draws no ink: %s' % ('Kav' if kav_mask is None else 'LaTeX',
                                                       formula))
        results.append((key, formula, ink_overlap.width_ratio(kav_mask, latex_mask),
                        ink_overlap.overlap(kav_mask, latex_mask, tolerance)))
        side_by_side(kav_path, latex_path, os.path.join(out, '%03d-%s.png' % (index + 1, key)))
    return results


def summary(results):
    """{name: value} of the distribution."""
    ratios = numpy.array([r[2] for r in results])
    overlaps = numpy.array([r[3] for r in results])
    q = lambda values: [float(numpy.percentile(values, p)) for p in (25, 50, 75)]
    return {'count': len(results), 'width_ratio_quartiles': q(ratios),
            'within_5_percent': float(numpy.mean(numpy.abs(ratios - 1.0) <= 0.05)),
            'overlap_quartiles': q(overlaps)}


def report(results, skipped, out):
    """Prints the distribution and the worst; writes results.tsv and skipped.tsv; the summary."""
    with open(os.path.join(out, 'results.tsv'), 'w', encoding='utf-8') as f:
        f.write('key\twidth_ratio\toverlap\tlatex\n')
        for key, formula, ratio, score in results:
            f.write('%s\t%.4f\t%.4f\t%s\n' % (key, ratio, score, formula))
    with open(os.path.join(out, 'skipped.tsv'), 'w', encoding='utf-8') as f:
        f.write(''.join('%s\t%s\t%s\n' % s for s in skipped))
    reasons = {}
    for _, _, why in skipped:
        kind = why.split(':')[0]
        reasons[kind] = reasons.get(kind, 0) + 1
    print('passed over %d corpus formulas on the way (%s); see %s/skipped.tsv' % (
        len(skipped), ', '.join('%s: %d' % r for r in sorted(reasons.items())), out))
    stats = summary(results)
    r, o = stats['width_ratio_quartiles'], stats['overlap_quartiles']
    print('%d formulas, Kav against LaTeX at the same em' % stats['count'])
    print('  width ratio Kav/LaTeX: median %.3f, quartiles %.3f .. %.3f' % (r[1], r[0], r[2]))
    print('  within 5 %% of LaTeX\'s width: %.1f %%' % (100 * stats['within_5_percent']))
    print('  ink overlap: median %.3f, quartiles %.3f .. %.3f' % (o[1], o[0], o[2]))
    print('worst %d by overlap:' % WORST_SHOWN)
    for key, formula, ratio, score in sorted(results, key=lambda x: x[3])[:WORST_SHOWN]:
        print('  %.3f  ratio %.3f  %s  %s' % (score, ratio, key, formula))
    with open(os.path.join(out, 'summary.json'), 'w', encoding='utf-8') as f:
        json.dump(stats, f, indent=1)
    return stats


def below_floors(stats):
    """The floors the distribution falls below, as messages."""
    checks = [('median width ratio', stats['width_ratio_quartiles'][1], MEDIAN_WIDTH_RATIO_FLOOR),
              ('share within 5 %', stats['within_5_percent'], WITHIN_5_PERCENT_FLOOR),
              ('median overlap', stats['overlap_quartiles'][1], MEDIAN_OVERLAP_FLOOR)]
    return ['%s %.3f is below its floor %.3f' % c for c in checks if c[1] < c[2]]


def pictures(args, candidates):
    """The before/after pictures of the formulas of PICTURES."""
    formulas = dict(candidates)
    pairs = [(key, formulas[key]) for key in PICTURES]
    with tempfile.TemporaryDirectory() as work:
        kav, latex, _ = draw_both(args.kav_convert, [f for _, f in pairs], work, args.scale)
        for number, kav_path, latex_path in zip(range(1, len(pairs) + 1), kav[1:], latex[1:]):
            side_by_side(kav_path, latex_path, os.path.join(
                args.pictures, 'layout-%02d-%s.png' % (number, args.suffix)))
    print('wrote %d pictures into %s' % (len(pairs), args.pictures))
    return 0


def run(args):
    missing = latex_dvipng.missing_programs()
    if missing:
        raise OracleError('%s not installed (scripts/setup installs texlive and dvipng)'
                          % ' and '.join(missing))
    candidates = list(corpus(args.corpus))
    if args.pictures:
        return pictures(args, candidates)
    if args.count < MINIMUM_COUNT:
        raise OracleError('--count must be at least %d' % MINIMUM_COUNT)
    work = os.path.join(args.out, 'work')
    pairs, skipped = choose(args.kav_convert, candidates, args.count, work)
    kav, latex, tolerance = draw_both(args.kav_convert, [f for _, f in pairs], work, args.scale)
    results = compare(pairs, kav[1:], latex[1:], tolerance, args.out)
    failures = below_floors(report(results, skipped, args.out))
    for failure in failures:
        print('FAIL  ' + failure)
    return 1 if failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--kav-convert', required=True)
    parser.add_argument('--count', type=int, default=DEFAULT_COUNT)
    parser.add_argument('--out', help='results and side-by-side pictures go here')
    parser.add_argument('--corpus', help='en-wiki-formulae-good.json (default: the npm fixture)')
    parser.add_argument('--scale', type=int, default=2, help='kav-convert --scale')
    parser.add_argument('--pictures', help='write only the before/after pictures here')
    parser.add_argument('--suffix', default='after', help='of the --pictures file names')
    args = parser.parse_args()
    if not args.out and not args.pictures:
        parser.error('--out or --pictures is needed')
    args.corpus = args.corpus or default_corpus()
    os.makedirs(args.pictures or args.out, exist_ok=True)
    try:
        return run(args)
    except OracleError as error:
        print('FAILED: %s' % error, file=sys.stderr)
        return 1


if __name__ == '__main__':
    sys.exit(main())
