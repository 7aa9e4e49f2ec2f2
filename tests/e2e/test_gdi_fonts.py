"""The program's GDI fonts under Wine: embedded faces installed, every face resolving to its
family, letter heights equal to the cell heights, a glyph for every symbol the editor can
insert in the face chosen for it, and glyphs asked for by index (the math face's variants)
measured, inked, drawn and outlined as their code points are, on the baseline and em the
native build draws at."""

import re

import kav_e2e
from kav_e2e import check

# Baseline and em by cell height, as the native build draws every face: the CMU cell of 1185
# units for an em of 1000, which the math faces stand in.
NATIVE_ASCENT_AND_EM = {20: (16, 17), 28: (22, 24), 40: (32, 34), 57: (45, 48)}
# The display integral's ink at size 40 natively (left, top, right, bottom in its cell).
NATIVE_DISPLAY_INTEGRAL = (1, -15, 33, 61)


def test(options):
    with kav_e2e.session(options) as run:
        code, out = run.run_windows_program(options.gdi_check, timeout=300)
        print(out)
        check(code == 0, f"font check failed with exit code {code}")
        check("0 fault(s)" in out, "font check did not report its result")
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
