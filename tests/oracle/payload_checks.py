"""What the payload readers share: failed requirements, the tools they call, raw deflate data
read exactly, and the run over every payload of one kind in the payload folder."""
import os
import shutil
import zlib


class CheckFailed(Exception):
    pass


def require(ok, what):
    if not ok:
        raise CheckFailed(what)


def tool(name, package):
    found = shutil.which(name)
    require(found is not None, f'{name} ({package}) is installed')
    return found


def inflate_exactly(data, what):
    d = zlib.decompressobj(-15)
    out = d.decompress(data) + d.flush()
    require(d.eof, f'{what}: the deflate data ends with its final block')
    require(d.unused_data == b'', f'{what}: no bytes after the deflate data')
    return out


def check_payloads(reader, folder, extension, expected_suffix, check):
    """Runs `check(path, expected)` on every NAME`extension` in `folder`, with the text of
    NAME`expected_suffix` that make_payloads wrote beside it, and reports each payload; check
    returns what it saw. The exit status: 0 only when there were payloads and all passed."""
    names = sorted(f[:-len(extension)] for f in os.listdir(folder) if f.endswith(extension))
    failed = 0
    for name in names:
        path = os.path.join(folder, name + extension)
        with open(os.path.join(folder, name + expected_suffix), encoding='utf-8') as f:
            expected = f.read()
        try:
            what = check(path, expected)
            print(f'{reader}: {name}{extension} ({os.path.getsize(path)} bytes) ok: {what}')
        except Exception as e:  # any reader error is a failed check, reported per payload
            print(f'{reader}: {name}{extension} FAILED: {type(e).__name__}: {e}')
            failed += 1
    print(f'{len(names) - failed} passed, {failed} failed')
    return 0 if names and failed == 0 else 1
