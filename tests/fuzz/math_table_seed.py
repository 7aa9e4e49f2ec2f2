#!/usr/bin/env python3
"""Writes the MATH table of a font file as the math_table fuzzer's seed: font, output path."""
import struct
import sys


def main():
    font_path, out_path = sys.argv[1], sys.argv[2]
    with open(font_path, 'rb') as f:
        font = f.read()
    (count,) = struct.unpack_from('>H', font, 4)
    for i in range(count):
        tag, _, offset, length = struct.unpack_from('>4sIII', font, 12 + 16 * i)
        if tag == b'MATH':
            with open(out_path, 'wb') as out:
                out.write(font[offset:offset + length])
            return 0
    print(f'{font_path}: no MATH table', file=sys.stderr)
    return 1


if __name__ == '__main__':
    sys.exit(main())
