"""The program's GDI fonts under Wine: embedded faces installed, every face resolving to its
family, letter heights equal to the cell heights, and a glyph for every symbol the editor can
insert in the face chosen for it."""

import kav_e2e
from kav_e2e import check


def test(options):
    with kav_e2e.session(options) as run:
        code, out = run.run_windows_program(options.gdi_check, timeout=300)
        print(out)
        check(code == 0, f"font check failed with exit code {code}")
        check("0 fault(s)" in out, "font check did not report its result")


if __name__ == "__main__":
    kav_e2e.main(test)
