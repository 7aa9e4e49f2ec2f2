#!/usr/bin/env python3
"""Real formulas: the English encyclopedia's formulas that the npm package mathoid-texvcjs
(pinned in package.json) keeps as its test set, and what Kav makes of them.

usage: real_formulas.py OUTPUTS_TOOL [--floor SHARE] [--save FILE]

As a program: every formula of the corpus goes through OUTPUTS_TOOL (latex_formula_outputs, one
process for all), the share Kav reads is printed with the commonest refusals, and the exit status
is 1 when that share falls below the floor or the tool fails. --save keeps the tool's JSON lines
(one per formula, in key order) for the other checks.

As a module: `corpus()` yields (key, formula) in key order, each formula on one line;
`kav_outputs(tool, formulas)` gives the tool's answer for each. The corpus is found under
ORACLE_NODE_MODULES; a missing corpus or a failed tool raises OracleError.
"""
import argparse
import collections
import json
import os
import re
import subprocess
import sys

from libreoffice_runner import OracleError

CORPUS = os.path.join('mathoid-texvcjs', 'test', 'en-wiki-formulae-good.json')
CORPUS_SIZE = 312190
# What Kav read of the corpus when this check was last raised (57.4 %: since the lookalike letters
# \epsilon and \phi are refused rather than drawn as Kav's ε and φ), rounded down: the floor
# guards against a reader that suddenly refuses much more.
ACCEPTANCE_FLOOR = 0.57


def corpus(path=None):
    """(key, formula) of every corpus formula in key order; line breaks become spaces. The
    corpus file is `path`, or the one under ORACLE_NODE_MODULES."""
    if path is None:
        path = os.path.join(os.environ.get('ORACLE_NODE_MODULES', 'node_modules'), CORPUS)
    try:
        with open(path, encoding='utf-8') as f:
            formulas = json.load(f)
    except (OSError, ValueError) as error:
        raise OracleError('the real-formula corpus cannot be read (%s); run the npm fixture'
                          % error)
    if len(formulas) != CORPUS_SIZE:
        raise OracleError('the corpus holds %d formulas, not %d' % (len(formulas), CORPUS_SIZE))
    for key in sorted(formulas):
        yield key, re.sub(r'[\r\n]+', ' ', formulas[key])


def kav_outputs(tool, formulas, timeout=900):
    """The tool's JSON answer for every formula, in order: 'read', and either 'message' or the
    lists 'markup', 'latex', 'mathml', 'omml' (one entry per Kav line)."""
    text = ''.join(f + '\n' for f in formulas)
    try:
        run = subprocess.run([tool], input=text.encode('utf-8'), capture_output=True,
                             timeout=timeout)
    except (OSError, subprocess.TimeoutExpired) as error:
        raise OracleError('%s did not run: %s' % (tool, error))
    if run.returncode != 0:
        raise OracleError('%s failed (%d): %s' % (tool, run.returncode, run.stderr.decode()))
    answers = [json.loads(line) for line in run.stdout.decode('utf-8').splitlines()]
    if len(answers) != len(formulas):
        raise OracleError('%s answered %d of %d formulas' % (tool, len(answers), len(formulas)))
    return answers


def read_formulas(tool, count):
    """The first `count` corpus formulas Kav reads, in key order: (key, formula, answer)."""
    pairs = list(corpus())
    chosen = []
    # More than half the corpus is read, so a batch of a few times the count is enough.
    batch = 4 * count
    for start in range(0, len(pairs), batch):
        some = pairs[start:start + batch]
        for (key, formula), answer in zip(some, kav_outputs(tool, [f for _, f in some])):
            if answer['read']:
                chosen.append((key, formula, answer))
                if len(chosen) == count:
                    return chosen
    raise OracleError('the corpus holds fewer than %d formulas Kav reads' % count)


def refusal_kind(message):
    """A refusal without its column and quoted text, so that like refusals count together."""
    return re.sub(r'\s*\(column \d+\)', '', message)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('tool', help='path of latex_formula_outputs')
    parser.add_argument('--floor', type=float, default=ACCEPTANCE_FLOOR)
    parser.add_argument('--save', help='write the JSON answers here, one line per formula')
    args = parser.parse_args()
    try:
        pairs = list(corpus())
        answers = kav_outputs(args.tool, [formula for _, formula in pairs])
    except OracleError as error:
        print('oracle could not run: %s' % error, file=sys.stderr)
        return 1
    if args.save:
        with open(args.save, 'w', encoding='utf-8') as f:
            for (key, _), answer in zip(pairs, answers):
                f.write(json.dumps(dict(answer, key=key), ensure_ascii=False) + '\n')
    read = sum(answer['read'] for answer in answers)
    refusals = collections.Counter(refusal_kind(a['message']) for a in answers if not a['read'])
    print('Kav reads %d of %d real formulas (%.1f %%)' % (
        read, len(answers), 100.0 * read / len(answers)))
    print('commonest refusals:')
    for message, count in refusals.most_common(15):
        print('  %6d  %s' % (count, message))
    writer_failures = [a for a in answers if a.get('message', '').startswith('writer: ')]
    for answer in writer_failures[:20]:
        print('WRITER FAILED  %s' % answer['message'])
    if writer_failures:
        print('%d formulas were read but could not be written' % len(writer_failures))
        return 1
    if read < args.floor * len(answers):
        print('FAIL  below the floor of %.1f %%' % (100.0 * args.floor))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
