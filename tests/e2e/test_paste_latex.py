"""Paste LaTeX in kav.exe: LaTeX put on the X clipboard as text by xclip (as a browser or editor
would put it there), Ctrl+Shift+V, and the line read back through Copy's private format.

A formula between $ signs goes into the empty line. Then a text the program cannot hold is put
on the clipboard: Ctrl+Shift+V changes nothing and the status bar says what and where. While
Wine still serves an earlier read to X the program may not get the clipboard at once, so each
step is tried again until it shows.
"""

import time

import kav_e2e
from kav_e2e import check

LATEX = r"$\frac{1}{2}+\alpha^{2}\leq\sqrt{x}$"
EXPECTED = r"\frac{<1>}{<2>}<+><alpha>\super{<2>}<leq>\sqrt{<x>}"
REFUSED = r"x+\binom{n}{k}"
REFUSAL = r"LaTeX: \binom cannot be written in a Kav formula (column 3)"


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        with run.offer_text(LATEX):
            run.key("ctrl+shift+v")
            time.sleep(1.0)
        text = run.line_markup()
        if text != EXPECTED:
            # The first read may have met the clipboard busy: put the text there again.
            with run.offer_text(LATEX):
                run.press_until(["ctrl+shift+v"], run.line_markup, EXPECTED,
                                "Ctrl+Shift+V", attempts=4, settle=1.0)
        with run.offer_text(REFUSED):
            run.key("ctrl+shift+v")
            run.expect_status(REFUSAL)
        text = run.line_markup()
        check(text == EXPECTED, f"a refused paste changed the line to {text!r}")
        title = run.wait_title(window, "Kav v0.2 (*)")
        check(title == "Kav v0.2 (*)", f"title {title!r}")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
