"""Paste LaTeX in kav.exe: LaTeX put on the X clipboard as text by xclip (as a browser or editor
would put it there), Ctrl+Shift+V, and the line read back through Copy's private format.

A formula between $ signs goes into the empty line. Then a text the program cannot hold is put
on the clipboard: Ctrl+Shift+V changes nothing and the status bar says what and where. While
Wine still serves an earlier read to X the program may not get the clipboard at once, so each
step is tried again until it shows.
"""

import contextlib
import subprocess
import time

import kav_e2e
from kav_e2e import check

PRIVATE_FORMAT = "Kav v0.1.1"
LATEX = r"$\frac{1}{2}+\alpha^{2}\leq\sqrt{x}$"
EXPECTED = r"\frac{<1>}{<2>}<+><alpha>\super{<2>}<leq>\sqrt{<x>}"
REFUSED = r"x+\binom{n}{k}"
REFUSAL = r"LaTeX: \binom cannot be written in a Kav formula (column 3)"


@contextlib.contextmanager
def x_clipboard_text(run, text):
    """xclip owns the clipboard with `text` as long as the block runs (or until another program
    takes the clipboard); it is stopped by its process id afterwards."""
    process = subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet", "-i"],
                               stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, env=run.env())
    try:
        process.stdin.write(text.encode("utf-8"))
        process.stdin.close()
        deadline = time.monotonic() + 10
        while run_clipboard_text(run) != text:
            check(time.monotonic() < deadline, "xclip never offered the text")
            time.sleep(0.2)
        yield
    finally:
        if process.poll() is None:
            process.terminate()
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(timeout=5)
        if process.poll() is None:
            process.kill()
            process.wait(timeout=5)


def run_clipboard_text(run):
    result = subprocess.run(["timeout", "5", "xclip", "-selection", "clipboard", "-t",
                             "UTF8_STRING", "-o"], env=run.env(), capture_output=True, check=False)
    return result.stdout.decode("utf-8", errors="replace") if result.returncode == 0 else None


def private_text(run, timeout=10):
    """The private format's text once X offers it, or None."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        offered = subprocess.run(["timeout", "10", "xclip", "-selection", "clipboard", "-t",
                                  "TARGETS", "-o"], env=run.env(), capture_output=True,
                                 check=False).stdout.decode(errors="replace").splitlines()
        if PRIVATE_FORMAT in offered:
            with contextlib.suppress(kav_e2e.TestFailure):
                return run.clipboard(PRIVATE_FORMAT).decode("utf-16-le").rstrip("\0")
        time.sleep(0.3)
    return None


def line_markup(run):
    """The whole current line's markup, copied with Ctrl+A, Ctrl+C."""
    run.key("ctrl+a")
    run.key("ctrl+c")
    time.sleep(0.7)
    text = private_text(run)
    run.key("End")  # leaves the selection
    return text


def paste_latex_until(run, expected, attempts=4):
    text = None
    for _ in range(attempts):
        run.key("ctrl+shift+v")
        time.sleep(1.0)
        text = line_markup(run)
        if text == expected:
            return
    check(False, f"after Ctrl+Shift+V the line reads {text!r}, expected {expected!r}")


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        with x_clipboard_text(run, LATEX):
            run.key("ctrl+shift+v")
            time.sleep(1.0)
        text = line_markup(run)
        if text != EXPECTED:
            # The first read may have met the clipboard busy: put the text there again.
            with x_clipboard_text(run, LATEX):
                paste_latex_until(run, EXPECTED)
        with x_clipboard_text(run, REFUSED):
            run.key("ctrl+shift+v")
            run.expect_status(REFUSAL)
        text = line_markup(run)
        check(text == EXPECTED, f"a refused paste changed the line to {text!r}")
        title = run.wait_title(window, "Kav v0.2 (*)")
        check(title == "Kav v0.2 (*)", f"title {title!r}")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
