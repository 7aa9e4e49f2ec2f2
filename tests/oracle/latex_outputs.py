#!/usr/bin/python3
"""The converter's LaTeX of whole documents, written for the LaTeX checks.

usage: latex_outputs.py KAV_CONVERT OUTDIR INPUT.kav...

Each INPUT goes through `kav-convert --to latex` into OUTDIR/NAME.tex (NAME: the input's base
name), one formula a line; the run fails when the converter fails or writes a different number of
lines than the document holds, or nothing at all.
"""
import os
import subprocess
import sys


def document_lines(path):
    with open(path, encoding='utf-8') as f:
        return sum(1 for line in f.read().split('\n')[1:] if line.startswith('@'))


def main():
    convert, outdir, *inputs = sys.argv[1:]
    if not inputs:
        sys.exit(__doc__)
    os.makedirs(outdir, exist_ok=True)
    for path in inputs:
        name = os.path.splitext(os.path.basename(path))[0]
        result = subprocess.run([convert, '--to', 'latex', path], capture_output=True, check=False)
        if result.returncode != 0:
            sys.exit(f'FAILED: kav-convert --to latex {path}: {result.stderr.decode().strip()}')
        lines = result.stdout.decode('utf-8').split('\n')[:-1]
        expected = document_lines(path)
        if expected == 0 or len(lines) != expected:
            sys.exit(f'FAILED: {path}: {len(lines)} LaTeX lines for {expected} document lines')
        with open(os.path.join(outdir, name + '.tex'), 'w', encoding='utf-8') as f:
            f.write('\n'.join(lines) + '\n')
        print(f'{name}: {len(lines)} formulas')


if __name__ == '__main__':
    main()
