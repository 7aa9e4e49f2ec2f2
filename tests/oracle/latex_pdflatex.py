#!/usr/bin/python3
"""pdflatex compiles the LaTeX of every line of a document, each as display math.

usage: latex_pdflatex.py FORMULAS.tex WORKDIR

FORMULAS.tex holds one formula a line (latex_outputs.py writes it). One article document with
amsmath and xcolor gets every formula inside \\[ \\]; pdflatex must finish without an error
(-halt-on-error), its log must hold no error line, no undefined control sequence and no missing
character, and the PDF must be written. A missing pdflatex fails.
"""
import os
import re
import shutil
import subprocess
import sys

PREAMBLE = '\\documentclass{article}\n\\usepackage{amsmath}\n\\usepackage{xcolor}\n'


def main():
    formulas_path, workdir = sys.argv[1:]
    if shutil.which('pdflatex') is None:
        sys.exit('FAILED: pdflatex is not installed (scripts/setup installs texlive)')
    with open(formulas_path, encoding='utf-8') as f:
        formulas = [line for line in f.read().split('\n') if line]
    if not formulas:
        sys.exit(f'FAILED: no formula in {formulas_path}')
    os.makedirs(workdir, exist_ok=True)
    body = ''.join(f'\\[\n{formula}\n\\]\n' for formula in formulas)
    with open(os.path.join(workdir, 'formulas.tex'), 'w', encoding='utf-8') as f:
        f.write(PREAMBLE + '\\begin{document}\n' + body + '\\end{document}\n')
    pdf = os.path.join(workdir, 'formulas.pdf')
    if os.path.exists(pdf):
        os.remove(pdf)
    result = subprocess.run(['pdflatex', '-halt-on-error', '-interaction=nonstopmode',
                             '-no-shell-escape', 'formulas.tex'], cwd=workdir,
                            capture_output=True, timeout=240, check=False)
    with open(os.path.join(workdir, 'formulas.log'), encoding='latin-1') as f:
        log = f.read()
    problems = [line for line in log.split('\n')
                if line.startswith('!') or 'Undefined control sequence' in line
                or 'Missing character' in line]
    if result.returncode != 0 or problems or not os.path.exists(pdf):
        sys.exit(f'FAILED: pdflatex exit {result.returncode}: ' + '; '.join(problems[:10]))
    print(f'pdflatex compiled {len(formulas)} display formulas into {pdf}')


if __name__ == '__main__':
    main()
