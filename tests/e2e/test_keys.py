"""Windows keys in kav.exe: Shift+arrows select, Ctrl+A selects every line, Ctrl+Home and Ctrl+End
reach the document's ends, Ctrl with the pad's + zooms without typing, and plain Ctrl+V reads a
LaTeX text another program put on the clipboard. Each result is read back through the private
format of Copy.

A line is read by selecting it with Home, Shift+End and copying it; the selection is then left with
End. While Wine still serves an earlier read to X the program may not get the clipboard at once,
so a copy or paste is tried again until it shows.
"""

import time

import kav_e2e
from kav_e2e import check

LATEX = r"\frac{1}{2}"


def copied(run, keys):
    """The private text after `keys` and Ctrl+C, tried again while the clipboard is busy."""
    text = None
    for _ in range(4):
        run.key(*keys, "ctrl+c")
        time.sleep(0.7)
        text = run.private_text()
        if text is not None:
            return text
    return text


def current_line(run):
    text = copied(run, ["Home", "shift+End"])
    run.key("End")
    return text


def expect_line(run, expected, what):
    text = current_line(run)
    check(text == expected, f"{what}: the line reads {text!r}, expected {expected!r}")


def cut_with_shift_arrows(run):
    run.type_text("a+b-c")
    run.key("End", "shift+Left", "shift+Left")
    cut = None
    for _ in range(4):
        run.key("ctrl+x")
        time.sleep(0.7)
        cut = run.private_text()
        if cut == "<-><c>":
            break
    check(cut == "<-><c>", f"Shift+Left twice and Ctrl+X put {cut!r} on the clipboard")
    run.key("Home")
    run.press_until(["ctrl+v"], lambda: current_line(run), "<-><c><a><+><b>",
                    "Ctrl+V of the cut", attempts=3)


def select_all_lines(run):
    run.key("ctrl+End", "Return")
    run.type_text("x")
    run.key("Return")
    run.type_text("y")
    text = copied(run, ["ctrl+a"])
    check(text == "<-><c><a><+><b>\n<x>\n<y>", f"Ctrl+A, Ctrl+C copied {text!r}")
    run.key("End")


def document_ends(run):
    for key, letter, expected in (("ctrl+Home", "q", "<q><-><c><a><+><b>"),
                                  ("ctrl+End", "w", "<y><w>")):
        run.key(key)
        run.type_text(letter)
        expect_line(run, expected, f"{key}, {letter}")


def zoom_with_the_pad(run):
    for key, zoom in (("ctrl+KP_Add", "Zoom 110%"), ("ctrl+KP_Subtract", "Zoom 100%")):
        run.key(key)
        run.expect_status(zoom)
        expect_line(run, "<y><w>", key)


def paste_latex_with_ctrl_v(run):
    expected = r"<y><w>\frac{<1>}{<2>}"
    text = None
    for _ in range(4):
        with run.offer_text(LATEX):
            run.key("End", "ctrl+v")
            time.sleep(1.0)
        text = current_line(run)
        if text == expected:
            break
        if text != "<y><w>":
            run.key("ctrl+z")
    check(text == expected, f"plain Ctrl+V of LaTeX gave {text!r}, expected {expected!r}")


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        cut_with_shift_arrows(run)
        select_all_lines(run)
        document_ends(run)
        zoom_with_the_pad(run)
        paste_latex_with_ctrl_v(run)
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
