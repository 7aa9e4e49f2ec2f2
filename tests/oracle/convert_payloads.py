#!/usr/bin/python3
"""Writes the Copy payloads of every line of a .kav document with kav-convert, for the readers.

usage: convert_payloads.py KAV_CONVERT DOCUMENT OUTDIR

For line N: convert-lineN.hwp (--to hwp), convert-lineN.gvml.zip (--to gvml), and what they must
hold: convert-lineN.script.txt (--to hwpeq) and convert-lineN.omml.txt (--to omml), each without
the converter's line end. Any failed conversion fails.
"""
import os
import subprocess
import sys


def convert(tool, fmt, line, document):
    run = subprocess.run([tool, '--to', fmt, '--line', str(line), document], capture_output=True)
    if run.returncode != 0:
        raise SystemExit(f'kav-convert --to {fmt} --line {line}: exit {run.returncode}: '
                         f'{run.stderr.decode(errors="replace")}')
    return run.stdout


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    tool, document, folder = sys.argv[1:]
    os.makedirs(folder, exist_ok=True)
    with open(document, encoding='utf-8') as f:
        lines = f.read().split('\n')[1:]
    count = len([line for line in lines if line.startswith('@')])
    if count == 0:
        raise SystemExit(f'{document}: no lines')
    for n in range(1, count + 1):
        base = os.path.join(folder, f'convert-line{n}')
        outputs = {'.hwp': convert(tool, 'hwp', n, document),
                   '.gvml.zip': convert(tool, 'gvml', n, document),
                   '.script.txt': convert(tool, 'hwpeq', n, document).removesuffix(b'\n'),
                   '.omml.txt': convert(tool, 'omml', n, document).removesuffix(b'\n')}
        for suffix, data in outputs.items():
            with open(base + suffix, 'wb') as f:
                f.write(data)
        print(f'line {n}: HWP document {len(outputs[".hwp"])} bytes, '
              f'package {len(outputs[".gvml.zip"])} bytes')
    return 0


if __name__ == '__main__':
    sys.exit(main())
