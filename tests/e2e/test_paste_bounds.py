"""A paste reads at most 1 MB of text: LaTeX one character longer than that, put on the X
clipboard by xclip, is refused by Ctrl+Shift+V with a word in the status bar and changes nothing.
Then a text of exactly that length, holding one formula, goes in; how long the program takes to
answer again is printed (measured, not a limit; a press that came to nothing adds its wait).
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
        # Under Wine a press can come to nothing while the clipboard still serves the read that
        # checked the offer, so each step is pressed again until it shows.
        with run.offer_text(padded(BOUND + 1)):
            run.press_until(["ctrl+shift+v"], run.status_text, REFUSAL, "Ctrl+Shift+V",
                            attempts=4, settle=0, timeout=15)
        title = run.title(window)
        check(title == "Kav v0.2", f"a refused paste marked the document: {title!r}")
        with run.offer_text(padded(BOUND)):
            started = time.monotonic()
            run.press_until(["ctrl+shift+v"], lambda: run.title(window), "Kav v0.2 (*)",
                            "Ctrl+Shift+V", attempts=4, settle=0, timeout=20)
            run.status_text()  # answered once the program is free again
            print(f"paste of {BOUND} characters answered after {time.monotonic() - started:.1f} s")
        text = run.line_markup()
        check(text == r"<x>\super{<2>}<+>\frac{<alpha>}{<beta>}", f"the line reads {text!r}")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
