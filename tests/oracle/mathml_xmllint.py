#!/usr/bin/env python3
"""Every <math> element kav-convert --to mathml writes is well-formed XML to xmllint (libxml2),
for the sample document, the benchmark corpus, random markup lines and the given documents (the
random trees and typed editor lines of make_random_lines).

usage: mathml_xmllint.py KAV_CONVERT REPOSITORY_ROOT [DOCUMENT.kav...]"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from random_markup import random_document  # noqa: E402

RANDOM_LINES = 2000


def mathml_lines(convert, document):
    run = subprocess.run([convert, '--to', 'mathml', document], capture_output=True, timeout=120)
    if run.returncode != 0:
        sys.exit('kav-convert failed on %s: %s' % (document, run.stderr.decode()))
    return run.stdout.decode('utf-8').splitlines()


def check(lines, folder, label):
    paths = []
    for number, line in enumerate(lines, 1):
        if not line.startswith('<math xmlns="http://www.w3.org/1998/Math/MathML" display="block">'):
            sys.exit('%s line %d is not a namespaced block <math> element' % (label, number))
        path = os.path.join(folder, '%s-%05d.xml' % (label, number))
        with open(path, 'w', encoding='utf-8') as f:
            f.write(line)
        paths.append(path)
    run = subprocess.run(['xmllint', '--noout', *paths], capture_output=True, timeout=300)
    if run.returncode != 0:
        sys.exit('xmllint rejected %s:\n%s' % (label, run.stderr.decode()[:4000]))
    print('%s: %d formulas well-formed' % (label, len(paths)))


def main():
    convert, root = sys.argv[1], sys.argv[2]
    if not shutil.which('xmllint'):
        sys.exit('xmllint (libxml2-utils) is not installed')
    with tempfile.TemporaryDirectory() as folder:
        random_kav = os.path.join(folder, 'random.kav')
        with open(random_kav, 'w', encoding='utf-8') as f:
            f.write(random_document(RANDOM_LINES))
        documents = [('all-symbols', os.path.join(root, 'examples', 'all-symbols.kav')),
                     ('corpus', os.path.join(root, 'bench', 'corpus.kav')), ('random', random_kav)]
        documents += [(os.path.splitext(os.path.basename(d))[0], d) for d in sys.argv[3:]]
        for label, document in documents:
            lines = mathml_lines(convert, document)
            if label == 'random' and len(lines) != RANDOM_LINES:
                sys.exit('random document gave %d lines' % len(lines))
            check(lines, folder, label)


if __name__ == '__main__':
    main()
