#!/usr/bin/python3
"""The HWP documents of Copy as independent compound-file readers see them.

usage: hwp_readers.py olefile|gsf PAYLOAD_DIR

Every NAME.hwp in PAYLOAD_DIR (written by make_payloads, with the script it holds in
NAME.script.txt) is opened exactly as produced, without padding, by python3-olefile (strict:
incorrect structures raise) or by libgsf's `gsf list`/`gsf cat`. The check: the expected entries
are all there, every stream's declared size equals the bytes the reader returns, the section
stream inflates (raw deflate) to a record stream whose records fit it exactly, and its last record
is the equation record holding the script. Anything that keeps a reader from running fails.
"""
import re
import struct
import subprocess
import sys

from payload_checks import check_payloads, inflate_exactly, require, tool

STREAMS = ['FileHeader', 'DocInfo', 'BodyText/Section0', '\x05HwpSummaryInformation', 'PrvText',
           'PrvImage', 'DocOptions/_LinkDoc', 'Scripts/DefaultJScript', 'Scripts/JScriptVersion']
STORAGES = ['BodyText', 'DocOptions', 'Scripts']
TAG_EQEDIT = 88


def records(stream, what):
    """(tag, level, data) for every record; a record running past the end fails."""
    out, at = [], 0
    while at < len(stream):
        require(at + 4 <= len(stream), f'{what}: record header at {at} complete')
        head = struct.unpack_from('<I', stream, at)[0]
        at += 4
        size = head >> 20
        if size == 0xFFF:
            size = struct.unpack_from('<I', stream, at)[0]
            at += 4
        require(at + size <= len(stream), f'{what}: record at {at} ends inside the stream')
        out.append((head & 0x3FF, (head >> 10) & 0x3FF, stream[at:at + size]))
        at += size
    return out


def check_document(streams, script):
    """streams: path -> bytes as the reader returned them."""
    header = streams['FileHeader']
    require(len(header) == 256 and header[:17] == b'HWP Document File', 'FileHeader')
    require(struct.unpack_from('<II', header, 32) == (0x05010001, 1), 'version 5.1.0.1, compressed')
    doc_info = records(inflate_exactly(streams['DocInfo'], 'DocInfo'), 'DocInfo')
    tags = [tag for tag, _, _ in doc_info]
    for tag, name in ((16, 'document properties'), (20, 'border fill'), (21, 'character shape'),
                      (25, 'paragraph shape'), (26, 'style')):
        require(tag in tags, f'DocInfo holds a {name}')
    section = records(inflate_exactly(streams['BodyText/Section0'], 'Section0'), 'Section0')
    tag, level, data = section[-1]
    require(tag == TAG_EQEDIT and level == 2, 'the last record is the equation record')
    length = struct.unpack_from('<H', data, 4)[0]
    require(len(data) == 74 + 2 * length, 'the equation record states its true length')
    found = data[6:6 + 2 * length].decode('utf-16-le')
    require(found == script, f'script {found!r} == {script!r}')
    require(streams['PrvImage'][:8] == b'\x89PNG\r\n\x1a\n', 'PrvImage is a PNG')
    return len(section), length


def read_with_olefile(path):
    import olefile
    require(olefile.isOleFile(path), 'olefile sees a compound file')
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    require(not ole.parsing_issues, f'olefile parsing issues: {ole.parsing_issues}')
    listed = {'/'.join(p) for p in ole.listdir(streams=True, storages=True)}
    require(listed == set(STREAMS + STORAGES), f'entries {sorted(listed)}')
    streams = {}
    for p in STREAMS:
        data = ole.openstream(p).read()
        require(len(data) == ole.get_size(p), f'{p}: declared {ole.get_size(p)}, read {len(data)}')
        streams[p] = data
    props = ole.getproperties('\x05HwpSummaryInformation')
    require(props.get(1) == 1200, f'summary code page {props.get(1)}')
    ole.close()
    return streams


def read_with_gsf(path):
    gsf = tool('gsf', 'libgsf-bin')
    listing = subprocess.run([gsf, 'list', path], capture_output=True, check=True)
    require(b'CRITICAL' not in listing.stderr and b'WARNING' not in listing.stderr,
            f'gsf list complains: {listing.stderr!r}')
    declared = {}
    for line in listing.stdout.decode('utf-8').splitlines()[1:]:
        m = re.match(r'^([df])\s+(\d+)\s+(.*)$', line)
        require(m is not None, f'gsf list line {line!r}')
        if m.group(1) == 'f':
            declared[m.group(3)] = int(m.group(2))
    require(set(declared) == set(STREAMS), f'gsf streams {sorted(declared)}')
    streams = {}
    for p in STREAMS:
        cat = subprocess.run([gsf, 'cat', path, p], capture_output=True, check=True)
        require(cat.stderr == b'', f'gsf cat {p!r} complains: {cat.stderr!r}')
        require(len(cat.stdout) == declared[p], f'{p}: declared {declared[p]}, read {len(cat.stdout)}')
        streams[p] = cat.stdout
    return streams


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ('olefile', 'gsf'):
        print(__doc__)
        return 2
    reader, folder = sys.argv[1], sys.argv[2]

    def check(path, script):
        streams = read_with_olefile(path) if reader == 'olefile' else read_with_gsf(path)
        count, length = check_document(streams, script)
        section = len(streams['BodyText/Section0'])
        return (f'{len(streams)} streams, section {section} bytes compressed '
                f'({"mini" if section < 4096 else "regular"} sectors), {count} records, '
                f'script of {length} units')

    return check_payloads(reader, folder, '.hwp', '.script.txt', check)


if __name__ == '__main__':
    sys.exit(main())
