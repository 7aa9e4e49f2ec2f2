"""Kav's side of the picture comparison: which formulas kav-convert reads as one line, and its
PNG of each (one kav-convert run for all, --all-lines)."""
import concurrent.futures
import os
import subprocess
import tempfile

from libreoffice_runner import OracleError


def _run(command, timeout):
    try:
        return subprocess.run(command, capture_output=True, timeout=timeout, check=False)
    except (OSError, subprocess.TimeoutExpired) as error:
        raise OracleError('%s did not run: %s' % (command[0], error))


def refusal(kav_convert, formula, work):
    """None when kav-convert reads `formula` as exactly one line; otherwise why not."""
    handle, path = tempfile.mkstemp(suffix='.tex', dir=work)
    with os.fdopen(handle, 'w', encoding='utf-8') as f:
        f.write(formula + '\n')
    run = _run([kav_convert, '--from', 'latex', '--to', 'markup', path], 60)
    os.remove(path)
    if run.returncode != 0:
        message = run.stderr.decode('utf-8', 'replace').strip().split('\n')[0]
        return 'Kav refuses: ' + message.split(': ', 1)[-1]
    # The markup is a header line and one line per formula line.
    lines = run.stdout.decode('utf-8').strip('\n').split('\n')[1:]
    if len(lines) != 1:
        return 'Kav reads %d lines' % len(lines)
    return None


def refusals(kav_convert, formulas, work):
    """refusal() of every formula, in order (two at a time)."""
    os.makedirs(work, exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        return list(pool.map(lambda f: refusal(kav_convert, f, work), formulas))


def render(kav_convert, formulas, work, scale):
    """kav-convert's PNG of every formula (one a line) at `scale`; their paths in order."""
    os.makedirs(work, exist_ok=True)
    source = os.path.join(work, 'formulas.tex')
    with open(source, 'w', encoding='utf-8') as f:
        f.write(''.join(formula + '\n' for formula in formulas))
    out = os.path.join(work, 'png')
    if os.path.isdir(out):
        for old in os.listdir(out):
            os.remove(os.path.join(out, old))
    run = _run([kav_convert, '--from', 'latex', '--to', 'png', '--all-lines', '--out-dir', out,
                '--scale', str(scale), source], 600)
    if run.returncode != 0:
        raise OracleError('kav-convert failed (%d): %s' % (run.returncode, run.stderr.decode()))
    paths = [os.path.join(out, name) for name in sorted(os.listdir(out))]
    if len(paths) != len(formulas):
        raise OracleError('kav-convert drew %d pictures for %d formulas'
                          % (len(paths), len(formulas)))
    return paths
