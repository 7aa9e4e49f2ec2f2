#!/usr/bin/env python3
"""Real formulas keep their meaning through Kav's LaTeX reader and writer.

usage: latex_meaning.py OUTPUTS_TOOL [--count N] [--floor SHARE] [--changes FILE]

The first N corpus formulas (real_formulas.py, key order) go through OUTPUTS_TOOL; for every one
Kav reads, latex_meaning.js compares MathJax's reading of the input with its reading of Kav's
LaTeX. Prints how many were read, how many keep their meaning and the commonest changes (what the
input shows against what Kav's text shows); every changed formula goes to FILE with both
signatures. Fails when the share of read formulas that keep their meaning falls below the floor,
or when anything keeps the check from running. Formulas whose input MathJax itself cannot read
are counted apart and left out of the share.
"""
import argparse
import collections
import difflib
import json
import os
import subprocess
import sys
import time

from real_formulas import OracleError, corpus, kav_outputs

HERE = os.path.dirname(os.path.abspath(__file__))
# The share of read formulas whose meaning Kav kept when this check was written: it may only rise.
MEANING_FLOOR = 0.99
TIMEOUT_SECONDS = 900
UNREADABLE_SHARE = 0.01


def judgements(pairs):
    """latex_meaning.js's answer for every (input, kav_lines) pair, in order."""
    text = ''.join(json.dumps(pair, ensure_ascii=False) + '\n' for pair in pairs)
    try:
        run = subprocess.run(['node', os.path.join(HERE, 'latex_meaning.js')],
                             input=text.encode('utf-8'), capture_output=True,
                             timeout=TIMEOUT_SECONDS)
    except (OSError, subprocess.TimeoutExpired) as error:
        raise OracleError('latex_meaning.js did not run: %s' % error)
    if run.returncode != 0:
        raise OracleError('latex_meaning.js failed (%d): %s' % (
            run.returncode, run.stderr.decode()))
    answers = [json.loads(line) for line in run.stdout.decode('utf-8').splitlines()]
    if len(answers) != len(pairs):
        raise OracleError('latex_meaning.js judged %d of %d formulas' % (len(answers), len(pairs)))
    return answers


def face_change(a, b):
    """"bold face added" and the like when two runs differ only in their letters' faces."""
    split = lambda tokens: [t.rpartition(':')[::2] for t in tokens]
    faces_a, faces_b = split(a), split(b)
    if len(a) != len(b) or [c for _, c in faces_a] != [c for _, c in faces_b]:
        return None
    before = {f for f, _ in faces_a} - {''}
    after = {f for f, _ in faces_b} - {''}
    if not before:
        return '%s face added' % '/'.join(sorted(after))
    if not after:
        return '%s face lost' % '/'.join(sorted(before))
    return 'face %s -> %s' % ('/'.join(sorted(before)), '/'.join(sorted(after)))


def changes(want, got):
    """The differences between two signatures, each as "input part -> output part" (or the face
    that letters gained or lost)."""
    a, b = want.split(' '), got.split(' ')
    found = []
    for op, i1, i2, j1, j2 in difflib.SequenceMatcher(None, a, b, autojunk=False).get_opcodes():
        if op != 'equal':
            found.append(face_change(a[i1:i2], b[j1:j2]) or '%s -> %s' % (
                ' '.join(a[i1:i2]) or '(nothing)', ' '.join(b[j1:j2]) or '(nothing)'))
    return found


def cause(judgement):
    if judgement['output'].startswith('parse error: '):
        return ['Kav\'s LaTeX does not parse']
    # A formula's own differences count once each, so that one long formula weighs like one.
    return sorted(set(changes(judgement['input'], judgement['output'])))


def measure(tool, count, changes_file):
    pairs = [pair for _, pair in zip(range(count), corpus())]
    answers = kav_outputs(tool, [formula for _, formula in pairs])
    read = [(key, formula, answer)
            for (key, formula), answer in zip(pairs, answers) if answer['read']]
    os.makedirs(os.path.dirname(os.path.abspath(changes_file)), exist_ok=True)
    started = time.monotonic()
    judged = judgements([[formula, answer['latex']] for _, formula, answer in read])
    seconds = time.monotonic() - started
    causes = collections.Counter()
    kept = unreadable = 0
    with open(changes_file, 'w', encoding='utf-8') as f:
        for (key, formula, answer), judgement in zip(read, judged):
            if judgement['kept'] is None:
                unreadable += 1
            elif judgement['kept']:
                kept += 1
            else:
                causes.update(cause(judgement))
                record = {'key': key, 'input': formula, 'kav': answer['latex'],
                          'input signature': judgement['input'],
                          'kav signature': judgement['output']}
                f.write(json.dumps(record, ensure_ascii=False) + '\n')
    compared = len(read) - unreadable
    if unreadable > UNREADABLE_SHARE * len(read):
        # MathJax reads every input of the sample today: many more refusals mean a reader that
        # lost a package, and a share taken over what is left would say nothing.
        raise OracleError('MathJax cannot read %d of the %d inputs' % (unreadable, len(read)))
    print('%d of the first %d real formulas read; MathJax cannot read %d of those inputs' % (
        len(read), len(pairs), unreadable))
    print('%d of %d keep their meaning (%.2f %%); judged in %.0f s' % (
        kept, compared, 100.0 * kept / compared, seconds))
    print('commonest changes (input -> Kav), in how many formulas:')
    for change, number in causes.most_common(25):
        print('  %6d  %s' % (number, change))
    return kept, compared


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('tool', help='path of latex_formula_outputs')
    parser.add_argument('--count', type=int, default=50000)
    parser.add_argument('--floor', type=float, default=MEANING_FLOOR)
    parser.add_argument('--changes', default='meaning-changes.jsonl',
                        help='every changed formula with both signatures, one JSON line each')
    args = parser.parse_args()
    try:
        kept, compared = measure(args.tool, args.count, args.changes)
    except (OracleError, OSError, ValueError) as error:
        print('oracle could not run: %s' % error, file=sys.stderr)
        return 1
    print('changed formulas: %s' % os.path.abspath(args.changes))
    if compared == 0 or kept < args.floor * compared:
        print('FAIL  below the floor of %.2f %%' % (100.0 * args.floor))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
