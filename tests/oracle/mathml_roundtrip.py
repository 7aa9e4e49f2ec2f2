#!/usr/bin/env python3
"""Markup -> MathML -> markup through kav-convert gives every line back: the sample document, the
corpus and the random trees and typed editor lines of make_random_lines. A big operator's limit
that is switched off (its group begins with \\none) is never shown, and MathML has no place for
what follows the \\none in it, so that much is left out on the way; nothing else may change.

usage: mathml_roundtrip.py KAV_CONVERT DOCUMENT.kav..."""
import os
import subprocess
import sys
import tempfile


def convert(kav_convert, *args):
    run = subprocess.run([kav_convert, *args], capture_output=True, timeout=600)
    if run.returncode != 0:
        sys.exit('kav-convert %s failed: %s' % (' '.join(args), run.stderr.decode()))
    return run.stdout.decode('utf-8')


def group_end(markup, start):
    """The index of the '}' closing the group that opens at markup[start] == '{'."""
    depth = 0
    for i in range(start, len(markup)):
        depth += {'{': 1, '}': -1}.get(markup[i], 0)
        if depth == 0:
            return i
    raise ValueError('unbalanced markup: ' + markup)


def without_hidden_limits(markup):
    out, i = '', 0
    while i < len(markup):
        for op in ('\\sum{', '\\prod{', '\\integral{'):
            if markup.startswith(op, i):
                out += op[:-1]
                i += len(op) - 1
                for _ in range(2):
                    end = group_end(markup, i)
                    inner = markup[i + 1:end]
                    out += '{' + ('\\none' if inner.startswith('\\none') else without_hidden_limits(inner)) + '}'
                    i = end + 1
                break
        else:
            out += markup[i]
            i += 1
    return out


def main():
    kav_convert = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        for document in sys.argv[2:]:
            want = [without_hidden_limits(line) for line in convert(kav_convert, '--to', 'markup', document).splitlines()]
            mathml = os.path.join(folder, 'lines.mml')
            with open(mathml, 'w', encoding='utf-8') as f:
                f.write(convert(kav_convert, '--to', 'mathml', document))
            got = convert(kav_convert, '--from', 'mathml', '--to', 'markup', mathml).splitlines()
            bad = [(n, g, w) for n, (g, w) in enumerate(zip(got, want), 1) if g != w]
            if len(got) != len(want) or bad:
                for n, g, w in bad[:10]:
                    print('line %d\n  back    %s\n  written %s' % (n, g, w))
                sys.exit('%s: %d of %d lines changed on the way through MathML' % (document, len(bad), len(want)))
            print('%s: %d lines read back as written' % (os.path.basename(document), len(want)))


if __name__ == '__main__':
    main()
