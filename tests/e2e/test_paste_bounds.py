"""A paste reads at most 1 MB of text: LaTeX one character longer than that, put on the X
clipboard by xclip, is refused by Ctrl+Shift+V with a word in the status bar and changes nothing.
Then a text of exactly that length, holding one formula, goes in; how long the program takes to
answer again is printed (measured, not a limit).
"""

import time

import kav_e2e
from kav_e2e import check

BOUND = 1 << 20
FORMULA = r"x^{2}+\frac{\alpha}{\beta}"
REFUSAL = ("The clipboard's text is too long: 1,048,577 characters (1,048,576 at most); "
           "nothing was pasted.")


def padded(length):
    return FORMULA + " " * (length - len(FORMULA))


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        with run.offer_text(padded(BOUND + 1)):
            run.key("ctrl+shift+v")
            run.expect_status(REFUSAL, timeout=60)
        title = run.title(window)
        check(title == "Kav v0.2", f"a refused paste marked the document: {title!r}")
        with run.offer_text(padded(BOUND)):
            started = time.monotonic()
            run.key("ctrl+shift+v")
            title = run.wait_title(window, "Kav v0.2 (*)", timeout=60)
            check(title == "Kav v0.2 (*)", f"the longest paste allowed did not go in: {title!r}")
            run.status_text()  # answered once the program is free again
            print(f"paste of {BOUND} characters answered after {time.monotonic() - started:.1f} s")
        text = run.line_markup()
        check(text == r"<x>\super{<2>}<+>\frac{<alpha>}{<beta>}", f"the line reads {text!r}")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
