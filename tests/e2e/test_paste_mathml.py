"""Paste from other programs in kav.exe with MathML: a <math> element put on the X clipboard as
text by xclip (as a browser would put it there), Ctrl+Shift+V, and the line read back through
Copy's private format. Then MathML the program cannot hold, behind a DOCTYPE (which makes the text
MathML, not LaTeX): nothing changes and the status bar names the element.
"""

import time

import kav_e2e
from kav_e2e import check

MATHML = ('<?xml version="1.0" encoding="UTF-8"?>\n<mml:math xmlns:mml="http://www.w3.org/1998/Math/MathML">'
          '<mml:mfrac><mml:mn>1</mml:mn><mml:mn>2</mml:mn></mml:mfrac><mml:mo>+</mml:mo>'
          '<mml:msup><mml:mi>&#x3B1;</mml:mi><mml:mn>2</mml:mn></mml:msup><mml:mo>&le;</mml:mo>'
          '<mml:msqrt><mml:mi>x</mml:mi></mml:msqrt></mml:math>')
EXPECTED = r"\frac{<1>}{<2>}<+><alpha>\super{<2>}<leq>\sqrt{<x>}"
REFUSED = ('<!DOCTYPE math PUBLIC "-//W3C//DTD MathML 2.0//EN" "http://www.w3.org/Math/DTD/mathml2/mathml2.dtd">\n'
           '<math><mtable><mtr><mtd><mi>a</mi></mtd></mtr></mtable></math>')
REFUSAL = "MathML: <mtable> cannot be written in a Kav formula"


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        text = None
        for _ in range(4):
            # While Wine still serves an earlier read to X the program may not get the clipboard.
            with run.offer_text(MATHML):
                run.key("ctrl+shift+v")
                time.sleep(1.0)
            text = run.line_markup()
            if text == EXPECTED:
                break
            run.key("ctrl+z")
        check(text == EXPECTED, f"after Ctrl+Shift+V the line reads {text!r}, expected {EXPECTED!r}")
        status = None
        for _ in range(4):
            # As above: the program may not get the new clipboard at once, so the paste is tried
            # again; a refused paste changes nothing, so repeating it is harmless.
            with run.offer_text(REFUSED):
                time.sleep(0.5)
                run.key("ctrl+shift+v")
                status = kav_e2e.poll(run.status_text, REFUSAL, 5)
            if status == REFUSAL:
                break
        check(status == REFUSAL, f"status bar reads {status!r}, expected {REFUSAL!r}")
        text = run.line_markup()
        check(text == EXPECTED, f"a refused paste changed the line to {text!r}")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
