"""Copy as MathML, read back from X while the program runs.

A formula is typed and "Copy as MathML" chosen from the Edit menu with the keyboard. The clipboard
must offer the line's MathML under the registered formats "MathML" and "MathML Presentation"
(UTF-8) and as text, and none of the formats of Copy.
"""

import subprocess
import time

import kav_e2e
from kav_e2e import check

PRIVATE_FORMAT = "Kav v0.1.1"
MATHML = ('<math xmlns="http://www.w3.org/1998/Math/MathML" display="block"><semantics><mrow>'
          '<msup><mi>x</mi><mn>2</mn></msup><mo>+</mo><mfrac><mi>a</mi><mi>b</mi></mfrac></mrow>'
          '<annotation encoding="application/x-tex">x^{2}+\\frac{a}{b}</annotation></semantics></math>')
FORMATS = ("MathML", "MathML Presentation", "UTF8_STRING")


def targets(run):
    result = kav_e2e.bounded_run(["timeout", "10", "xclip", "-selection", "clipboard", "-t",
                             "TARGETS", "-o"], env=run.env(), capture_output=True, check=False)
    return result.stdout.decode(errors="replace").splitlines()


def offered(run):
    """Each format's text once all three are offered, else None."""
    names = targets(run)
    if not all(name in names for name in FORMATS):
        return None
    check(PRIVATE_FORMAT not in names, f"Copy as MathML also offers {names}")
    # A block may be padded with NULs after the text.
    return [run.clipboard(name).rstrip(b"\0").decode("utf-8") for name in FORMATS]


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        run.type_text("x^2")
        run.key("space")
        run.type_text("+a/b")
        expected = [MATHML] * len(FORMATS)
        texts = None
        for _ in range(5):
            # Alt+E opens Edit on "New line"; "Copy as MathML" is the ninth item, separators
            # skipped.
            run.key("alt+e")
            time.sleep(0.5)
            run.key(*(["Down"] * 8), "Return")
            texts = kav_e2e.poll(lambda: offered(run), expected, 5, pause=0.3)
            if texts == expected:
                break
        run.screenshot("copied.png")
        check(texts == expected, f"Copy as MathML offered {texts!r}, expected {MATHML!r} in {FORMATS}")
        check(run.status_text() == "Copied as MathML", f"status bar reads {run.status_text()!r}")


if __name__ == "__main__":
    kav_e2e.main(test)
