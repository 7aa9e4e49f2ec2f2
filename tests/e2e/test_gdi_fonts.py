"""The program's GDI fonts under Wine: embedded faces installed, every face resolving to its
family, letter heights equal to the cell heights, a glyph for every symbol the editor can
insert in the face chosen for it, and glyphs asked for by index (the math face's variants)
measured, inked, drawn and outlined as their code points are, on the baseline and em the
native build draws at. The MATH table the program reads through GDI holds the constants of
the font file the build embeds, read here with Python."""

import os
import re
import struct

import kav_e2e
from kav_e2e import check

# Baseline and em by cell height, as the native build draws every face: the CMU cell of 1185
# units for an em of 1000, which the math faces stand in.
NATIVE_ASCENT_AND_EM = {20: (16, 17), 28: (22, 24), 40: (32, 34), 57: (45, 48)}
# The display integral's ink at size 40 natively (left, top, right, bottom in its cell).
NATIVE_DISPLAY_INTEGRAL = (1, -15, 33, 61)


def file_math_values(path):
    """Units per em, the 56 MATH constants and the minimum connector overlap of a font file."""
    with open(path, "rb") as f:
        font = f.read()
    tables = {}
    (count,) = struct.unpack_from(">H", font, 4)
    for i in range(count):
        tag, _, offset, _ = struct.unpack_from(">4sIII", font, 12 + 16 * i)
        tables[tag] = offset
    (units,) = struct.unpack_from(">H", font, tables[b"head"] + 18)
    math = tables[b"MATH"]
    constants_at, _, variants_at = struct.unpack_from(">HHH", font, math + 4)
    at = math + constants_at
    constants = list(struct.unpack_from(">hhHH", font, at))
    constants += [struct.unpack_from(">h", font, at + 8 + 4 * i)[0] for i in range(51)]
    constants.append(struct.unpack_from(">h", font, at + 212)[0])
    (overlap,) = struct.unpack_from(">H", font, math + variants_at)
    return units, constants, overlap


def check_math_table(out):
    printed = [line.split() for line in out.splitlines() if line.startswith("math ")]
    units = [int(line[2]) for line in printed if line[1] == "units"]
    constants = [int(line[3]) for line in printed if line[1] == "constant"]
    overlap = [int(line[2]) for line in printed if line[1] == "overlap"]
    expected_units, expected_constants, expected_overlap = file_math_values(
        os.environ["KAV_FONT_LM_MATH"])
    check(units == [expected_units], f"units per em through GDI {units}, file {expected_units}")
    check(constants == expected_constants,
          f"MATH constants through GDI {constants}, file {expected_constants}")
    check(overlap == [expected_overlap], f"connector overlap {overlap}, file {expected_overlap}")
    # Latin Modern Math's own values, as HarfBuzz also reads them.
    check(constants[5] == 250 and constants[38] == 40,
          f"axis height {constants[5]} and rule thickness {constants[38]}, expected 250 and 40")


def test(options):
    with kav_e2e.session(options) as run:
        code, out = run.run_windows_program(options.gdi_check, timeout=300)
        print(out)
        check(code == 0, f"font check failed with exit code {code}")
        check("0 fault(s)" in out, "font check did not report its result")
        check_math_table(out)
        fonts = re.findall(r"face (\d) size (\d+): ascent (-?\d+) em ([\d.]+)", out)
        check(len(fonts) == 28, f"baseline and em of {len(fonts)} fonts printed, not 28")
        for face, size, ascent, em in fonts:
            native = NATIVE_ASCENT_AND_EM[int(size)]
            check((int(ascent), float(em)) == native,
                  f"face {face} size {size}: ascent {ascent} em {em}, natively {native}")
        ink = re.search(r"display integral ink (-?\d+) (-?\d+) (-?\d+) (-?\d+)", out)
        check(ink is not None, "the display integral was not checked")
        check(all(abs(int(a) - b) <= 1 for a, b in zip(ink.groups(), NATIVE_DISPLAY_INTEGRAL)),
              f"the display integral inks {ink.groups()}, natively {NATIVE_DISPLAY_INTEGRAL}")


if __name__ == "__main__":
    kav_e2e.main(test)
