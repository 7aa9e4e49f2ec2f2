"""What the LibreOffice oracles share: the formulas as a .kav document, one headless LibreOffice
run with a fresh user profile, the MathML of the formula objects it made, and the command line.

Anything that keeps a check from running raises OracleError and fails the oracle, never passes it.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

MATHML = '{http://www.w3.org/1998/Math/MathML}'
ODF_DRAW = '{urn:oasis:names:tc:opendocument:xmlns:drawing:1.0}'
XLINK = '{http://www.w3.org/1999/xlink}'


class OracleError(Exception):
    pass


def write_formulas(work, markups):
    """A .kav document in `work` with one line for every markup; its path."""
    kav = os.path.join(work, 'formulas.kav')
    with open(kav, 'w', encoding='utf-8', newline='\n') as f:
        f.write('@@3\n' + ''.join('@' + markup + '\n' for markup in markups))
    return kav


def convert(sources, work, extension, program, timeout):
    """Every source converted to `extension` in one LibreOffice run; the results' paths in order.

    `program` names the LibreOffice part in the failure text."""
    soffice = shutil.which('soffice') or shutil.which('libreoffice')
    if not soffice:
        raise OracleError('LibreOffice (soffice) is not installed; run scripts/setup')
    env = dict(os.environ, HOME=os.path.join(work, 'home'))
    os.makedirs(env['HOME'], exist_ok=True)
    outdir = os.path.join(work, extension)
    try:
        run = subprocess.run([soffice, '--headless', '--norestore', '--nolockcheck',
                              '-env:UserInstallation=file://' + os.path.join(work, 'profile'),
                              '--convert-to', extension, '--outdir', outdir, *sources],
                             capture_output=True, timeout=timeout, env=env)
    except subprocess.TimeoutExpired:
        raise OracleError('LibreOffice did not finish within %d s' % timeout)
    results = [os.path.join(outdir, os.path.splitext(os.path.basename(p))[0] + '.' + extension)
               for p in sources]
    missing = [r for r in results if not os.path.exists(r)]
    if run.returncode != 0 or missing:
        raise OracleError('%s did not convert %s (exit %d): %s' % (
            program, ', '.join(os.path.basename(m) for m in missing or sources), run.returncode,
            (run.stdout + run.stderr).decode(errors='replace')))
    return results


def formula_objects(document):
    """The MathML root of every formula object embedded in an ODF document, in document order."""
    with zipfile.ZipFile(document) as z:
        content = ET.fromstring(z.read('content.xml'))
        names = [o.get(XLINK + 'href', '').lstrip('./') for o in content.iter(ODF_DRAW + 'object')]
        return [ET.fromstring(z.read(name + '/content.xml')) for name in names]


def form(element):
    """LibreOffice's MathML reduced to names and texts, without the annotation."""
    name = element.tag.replace(MATHML, '')
    if name in ('math', 'semantics'):
        kids = [k for k in element if k.tag != MATHML + 'annotation']
        return ' '.join(form(k) for k in kids)
    kids = list(element)
    if not kids:
        return '%s:%s' % (name, (element.text or '').strip())
    return '%s(%s)' % (name, ' '.join(form(k) for k in kids))


def starmath(element):
    for annotation in element.iter(MATHML + 'annotation'):
        return annotation.text or ''
    return ''


def run_in_work_folder(keep, prefix, run):
    """`run(work)` in a fresh work folder (or `keep`, which stays); its result, or None after
    printing why the oracle could not run."""
    work = keep or tempfile.mkdtemp(prefix=prefix)
    os.makedirs(work, exist_ok=True)
    try:
        return run(work)
    except (OracleError, subprocess.TimeoutExpired, OSError, zipfile.BadZipFile,
            ET.ParseError, KeyError) as error:
        print('oracle could not run: %s' % error, file=sys.stderr)
        return None
    finally:
        if not keep:
            shutil.rmtree(work, ignore_errors=True)


def main(check, count, prefix, read_back):
    """Runs `check(convert, work)`, which returns the number of failed formulas out of `count`;
    the exit status. `read_back` says who read the formulas in the summary line."""
    parser = argparse.ArgumentParser()
    parser.add_argument('--convert', required=True, help='path of kav-convert')
    parser.add_argument('--keep', help='keep the work files in this directory')
    args = parser.parse_args()
    failures = run_in_work_folder(args.keep, prefix, lambda work: check(args.convert, work))
    if failures is None:
        return 1
    print('%d of %d formulas %s as written' % (count - failures, count, read_back))
    return 1 if failures else 0
