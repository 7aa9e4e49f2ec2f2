#!/usr/bin/env python3
"""MathJax against our MathML, both ways:
1. MathJax's MathML input reads every <math> kav-convert --to mathml writes (sample document,
   benchmark corpus, random lines) without an error node and keeps its elements;
2. MathJax's TeX input turns the 41 corpus formulas (bench/corpus.tex) into MathML that nobody
   here wrote; kav-convert --from mathml reads it back to the corpus's markup. MathJax sets
   capital Greek letters and the infinity sign upright (mathvariant="normal"), which the reader
   keeps as |rm; apart from that every formula must match.

usage: mathml_mathjax.py KAV_CONVERT REPOSITORY_ROOT [DOCUMENT.kav...]
(ORACLE_NODE_MODULES names node_modules; the documents are checked as in 1.)"""
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from random_markup import random_document  # noqa: E402

# Formulas read back letter for letter; the rest differ only by the upright letters above.
EXACT_AT_LEAST = 33
UPRIGHT_IN_TEX = re.compile(r'<(infinity|Gamma|Delta|Theta|Lambda|Xi|Pi|Sigma|Upsilon|Phi|Psi|Omega)\|rm>')


def run(args, **kwargs):
    result = subprocess.run(args, capture_output=True, timeout=600, **kwargs)
    if result.returncode != 0:
        sys.exit('%s failed:\n%s%s' % (' '.join(args[:3]), result.stdout.decode()[-4000:],
                                       result.stderr.decode()[-4000:]))
    return result.stdout.decode('utf-8')


def mathjax(*args):
    return run(['node', os.path.join(HERE, 'mathml_mathjax.js'), *args])


def parse_written(convert, root, folder, extra):
    random_kav = os.path.join(folder, 'random.kav')
    with open(random_kav, 'w', encoding='utf-8') as f:
        f.write(random_document(2000, seed=7))
    for document in (os.path.join(root, 'examples', 'all-symbols.kav'),
                     os.path.join(root, 'bench', 'corpus.kav'), random_kav, *extra):
        written = os.path.join(folder, 'written.mml')
        with open(written, 'w', encoding='utf-8') as f:
            f.write(run([convert, '--to', 'mathml', document]))
        print(os.path.basename(document) + ': ' + mathjax('parse', written).strip().splitlines()[-1])


def read_mathjax_tex(convert, root, folder):
    tex_mathml = os.path.join(folder, 'corpus-mathjax.mml')
    with open(tex_mathml, 'w', encoding='utf-8') as f:
        f.write(mathjax('tex', os.path.join(root, 'bench', 'corpus.tex')))
    got = run([convert, '--from', 'mathml', '--to', 'markup', tex_mathml]).splitlines()
    want = run([convert, '--to', 'markup', os.path.join(root, 'bench', 'corpus.kav')]).splitlines()
    if len(got) != len(want):
        sys.exit('MathJax gave %d formulas for %d corpus lines' % (len(got), len(want)))
    exact = sum(g == w for g, w in zip(got, want))
    print('MathJax TeX -> MathML -> markup: %d of %d formulas exactly as in the corpus' % (exact, len(want)))
    failed = False
    for number, (g, w) in enumerate(zip(got, want), 1):
        if g != w:
            same = UPRIGHT_IN_TEX.sub(r'<\1>', g) == w
            print('  line %d differs%s:\n    read   %s\n    corpus %s' %
                  (number, ' only by upright letters' if same else '', g, w))
            failed = failed or not same
    if failed or exact < EXACT_AT_LEAST:
        sys.exit('the reader does not give the corpus markup back')


def main():
    convert, root = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        parse_written(convert, root, folder, sys.argv[3:])
        read_mathjax_tex(convert, root, folder)


if __name__ == '__main__':
    main()
