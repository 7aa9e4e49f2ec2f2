#!/usr/bin/python3
"""The Office drawing packages of Copy as independent zip readers see them.

usage: zip_readers.py unzip|bsdtar|zipfile|plain PAYLOAD_DIR

Every NAME.gvml.zip in PAYLOAD_DIR (written by make_payloads, with the Office Math it holds in
NAME.omml.txt) is checked by one reader:
  unzip    `unzip -tq` tests every entry (CRC, sizes) and `unzip -Z1` lists them in order;
  bsdtar   libarchive reads the archive as a stream from its local headers (`bsdtar -xOf -`),
           so local CRCs and sizes must be right; it must give the five parts in order;
  zipfile  Python's zipfile: testzip, names in order, every part well-formed XML, and the
           drawing's m:oMath holding exactly the Office Math;
  plain    the plain form, byte by byte: local header = central entry (flags, method, time,
           CRC, sizes, name), no data-descriptor flag or signature, no extra fields, entries
           back to back in order, the end record pointing at the central directory.
A reader that is missing or fails makes the check fail.
"""
import struct
import subprocess
import sys
import xml.dom.minidom
import zipfile
import zlib

from payload_checks import check_payloads, require, tool

NAMES = ['[Content_Types].xml', '_rels/.rels', 'clipboard/drawings/_rels/drawing1.xml.rels',
         'clipboard/drawings/drawing1.xml', 'clipboard/theme/theme1.xml']
MATH_OPEN = '<m:oMath xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math">'
MATH_CLOSE = '</m:oMath>'


def check_unzip(path, _omml):
    test = subprocess.run([tool('unzip', 'unzip'), '-tq', path], capture_output=True, text=True)
    require(test.returncode == 0, f'unzip -tq exit {test.returncode}: {test.stdout}{test.stderr}')
    listing = subprocess.run([tool('unzip', 'unzip'), '-Z1', path], capture_output=True, text=True,
                             check=True)
    require(listing.stdout.splitlines() == NAMES, f'entries {listing.stdout.splitlines()}')
    return test.stdout.strip()


def check_bsdtar(path, omml):
    bsdtar = tool('bsdtar', 'libarchive-tools')
    with open(path, 'rb') as f:
        data = f.read()
    names = subprocess.run([bsdtar, '-tf', '-'], input=data, capture_output=True, check=True)
    require(names.stdout.decode().splitlines() == NAMES, f'entries {names.stdout!r}')
    extracted = subprocess.run([bsdtar, '-xOf', '-'], input=data, capture_output=True)
    require(extracted.returncode == 0, f'bsdtar -xOf exit {extracted.returncode}: {extracted.stderr!r}')
    require(extracted.stderr == b'', f'bsdtar complains: {extracted.stderr!r}')
    with zipfile.ZipFile(path) as z:
        expected = b''.join(z.read(n) for n in NAMES)
    require(extracted.stdout == expected, 'bsdtar gives the parts in order, byte for byte')
    require((MATH_OPEN + omml + MATH_CLOSE).encode() in extracted.stdout, 'the math is in the drawing')
    return f'{len(extracted.stdout)} bytes of parts'


def check_zipfile(path, omml):
    with zipfile.ZipFile(path) as z:
        require(z.testzip() is None, 'zipfile testzip')
        require(z.namelist() == NAMES, f'entries {z.namelist()}')
        for name in NAMES:
            xml.dom.minidom.parseString(z.read(name))  # raises on malformed XML
        drawing = z.read('clipboard/drawings/drawing1.xml').decode('utf-8')
    start = drawing.index(MATH_OPEN) + len(MATH_OPEN)
    end = drawing.rindex(MATH_CLOSE)
    require(drawing[start:end] == omml, 'the drawing holds exactly the Office Math')
    return f'{len(NAMES)} well-formed parts, math of {len(omml)} bytes'


def check_plain(path, _omml):
    with open(path, 'rb') as f:
        z = f.read()
    require(b'PK\x07\x08' not in z, 'no data-descriptor signature anywhere')
    eocd = len(z) - 22
    sig, disk, cd_disk, here, total, cd_size, cd_offset, comment = struct.unpack_from('<IHHHHIIH', z, eocd)
    require(sig == 0x06054B50 and comment == 0 and disk == 0 and cd_disk == 0, 'end record last')
    require(here == total == len(NAMES), f'{total} entries')
    require(cd_offset + cd_size == eocd, 'central directory ends at the end record')
    local, central = 0, cd_offset
    for name in NAMES:
        require(struct.unpack_from('<I', z, local)[0] == 0x04034B50, f'{name}: local header at {local}')
        require(struct.unpack_from('<I', z, central)[0] == 0x02014B50, f'{name}: central entry')
        need, flags, method, time, date, crc, packed, size, name_len, extra_len = \
            struct.unpack_from('<HHHHHIIIHH', z, local + 4)
        require(z[local + 4:local + 30] == z[central + 6:central + 32], f'{name}: local = central')
        require(flags & 0x0008 == 0, f'{name}: no data-descriptor flag')
        require(extra_len == 0, f'{name}: no extra field in the local header')
        require(method == 8, f'{name}: deflated')
        require(struct.unpack_from('<I', z, central + 42)[0] == local, f'{name}: central offset')
        require(z[local + 30:local + 30 + name_len].decode() == name, f'{name}: in order')
        body = z[local + 30 + name_len:local + 30 + name_len + packed]
        d = zlib.decompressobj(-15)
        data = d.decompress(body) + d.flush()
        require(d.eof and d.unused_data == b'', f'{name}: data is exactly one deflate stream')
        require(len(data) == size and zlib.crc32(data) == crc, f'{name}: size and CRC')
        local += 30 + name_len + packed
        central += 46 + name_len + struct.unpack_from('<H', z, central + 30)[0] + \
            struct.unpack_from('<H', z, central + 32)[0]
    require(local == cd_offset, 'entries end where the central directory begins')
    require(central == eocd, 'the central directory holds exactly the entries')
    return 'plain form'


CHECKS = {'unzip': check_unzip, 'bsdtar': check_bsdtar, 'zipfile': check_zipfile, 'plain': check_plain}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in CHECKS:
        print(__doc__)
        return 2
    reader, folder = sys.argv[1], sys.argv[2]
    return check_payloads(reader, folder, '.gvml.zip', '.omml.txt', CHECKS[reader])


if __name__ == '__main__':
    sys.exit(main())
