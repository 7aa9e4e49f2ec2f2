"""LaTeX's own pictures of formulas: one article document, one formula a page, `latex` and then
`dvipng` at a chosen resolution.

Page 1 is a capital M (the calibration glyph); page i + 2 is formula i, set as
`\\mbox{$\\displaystyle ...$}` so that it is display style and never broken across lines.
"""
import os
import re
import shutil
import subprocess

from libreoffice_runner import OracleError

PREAMBLE = ('\\documentclass{article}\n\\usepackage{amsmath}\n\\usepackage{amssymb}\n'
            '\\pagestyle{empty}\n\\begin{document}\n')
CALIBRATION = 'M'
# Lines of one page: the opening, the formula alone on its line, the closing.
PAGE = '\\noindent\\mbox{$\\displaystyle\n%s\n$}\\newpage\n'
PAGE_LINES = 3


def missing_programs():
    """The programs this needs that are not installed."""
    return [program for program in ('latex', 'dvipng') if shutil.which(program) is None]


def document(formulas):
    """The document's text; formula i's page starts on line first_line(i)."""
    pages = ''.join(PAGE % formula for formula in [CALIBRATION] + list(formulas))
    return PREAMBLE + pages + '\\end{document}\n'


def formula_of_line(line):
    """The index of the formula whose page holds document line `line` (1-based); -1 for the
    calibration page, None for the preamble."""
    first = PREAMBLE.count('\n') + 1
    if line < first:
        return None
    return (line - first) // PAGE_LINES - 1


def errors_by_formula(log):
    """{formula index: first error message} from a LaTeX log run without stopping."""
    errors = {}
    message = None
    for text in log.split('\n'):
        if text.startswith('!') and message is None:
            message = text[1:].strip()
        found = re.match(r'l\.(\d+)', text)
        if found and message is not None:
            index = formula_of_line(int(found.group(1)))
            if index is not None:
                errors.setdefault(index, message)
            message = None
    return errors


def compile_document(formulas, work):
    """Runs latex on the document of `formulas` in `work`; {formula index: error}. The DVI is
    work/formulas.dvi."""
    os.makedirs(work, exist_ok=True)
    with open(os.path.join(work, 'formulas.tex'), 'w', encoding='utf-8') as f:
        f.write(document(formulas))
    for old in ('formulas.dvi', 'formulas.log'):
        if os.path.exists(os.path.join(work, old)):
            os.remove(os.path.join(work, old))
    try:
        subprocess.run(['latex', '-interaction=nonstopmode', '-no-shell-escape', 'formulas.tex'],
                       cwd=work, capture_output=True, timeout=300, check=False)
        with open(os.path.join(work, 'formulas.log'), encoding='latin-1') as f:
            log = f.read()
    except (OSError, subprocess.TimeoutExpired) as error:
        raise OracleError('latex did not run: %s' % error)
    errors = errors_by_formula(log)
    if -1 in errors:
        raise OracleError('latex cannot set the calibration page: %s' % errors[-1])
    if not errors and any(line.startswith('!') for line in log.split('\n')):
        raise OracleError('latex reported an error outside every formula; see %s/formulas.log'
                          % work)
    return errors


def clean_document(formulas, work):
    """Compiles `formulas`, dropping the ones latex refuses until the rest compile cleanly.
    (kept formulas, {dropped formula: error})."""
    kept, dropped = list(formulas), {}
    for _ in range(10):
        errors = compile_document(kept, work)
        if not errors:
            return kept, dropped
        for index, message in errors.items():
            dropped[kept[index]] = message
        kept = [f for i, f in enumerate(kept) if i not in errors]
    raise OracleError('latex still fails after dropping the formulas it refused')


def render_pages(work, dpi, first=1, last=None, prefix='page'):
    """dvipng's pictures of pages first..last of work/formulas.dvi at `dpi`, cut to the page's
    bounding box; their paths in page order."""
    command = ['dvipng', '-q', '-D', '%.3f' % dpi, '-T', 'tight', '-bg', 'White', '-fg', 'Black',
               '-z', '3', '-p', str(first), '-o', os.path.join(work, prefix + '-%04d.png')]
    if last is not None:
        command += ['-l', str(last)]
    for old in os.listdir(work):
        if old.startswith(prefix + '-'):
            os.remove(os.path.join(work, old))
    try:
        run = subprocess.run(command + ['formulas.dvi'], cwd=work, capture_output=True,
                             timeout=300, check=False)
    except (OSError, subprocess.TimeoutExpired) as error:
        raise OracleError('dvipng did not run: %s' % error)
    if run.returncode != 0:
        raise OracleError('dvipng failed (%d): %s' % (run.returncode, run.stderr.decode()))
    names = sorted(n for n in os.listdir(work) if n.startswith(prefix + '-'))
    return [os.path.join(work, n) for n in names]
