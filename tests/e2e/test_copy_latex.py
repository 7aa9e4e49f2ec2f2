"""Copy as LaTeX, read back from X while the program runs.

A formula is typed (a function name, a script, a fraction, a root, a relation), Ctrl+Shift+C
pressed, and the clipboard must offer the line's LaTeX as text, without the formats of Copy.
Then the line changes, another program takes the clipboard, and "Copy as LaTeX", chosen from the
Edit menu with the keyboard, puts the new line's LaTeX there.
"""

import contextlib
import subprocess
import time

import kav_e2e
from kav_e2e import check

PRIVATE_FORMAT = "Kav v0.1.1"
LATEX = r"\sin x^{2}+\frac{a}{b}\sqrt{y}<1"
MORE_LATEX = LATEX + "+z"


def chord(run, keys):
    """A key with Ctrl, once the program is idle: it reads Ctrl and Shift when the key's message
    arrives, and a chord sent while it still lays out the last key can arrive after their release."""
    time.sleep(0.5)
    run.key(keys)


def type_formula(run):
    run.type_text("sinx^2")
    run.key("space")
    run.type_text("+a/b")
    run.key("space")
    chord(run, "ctrl+r")
    run.type_text("y")
    run.key("space")
    run.type_text("<1")


def clipboard_text(run):
    """The clipboard's UTF8_STRING, or None while nothing offers text."""
    result = kav_e2e.bounded_run(["timeout", "10", "xclip", "-selection", "clipboard", "-t",
                             "TARGETS", "-o"], env=run.env(), capture_output=True, check=False)
    targets = result.stdout.decode(errors="replace").splitlines()
    if "UTF8_STRING" not in targets:
        return None
    check(PRIVATE_FORMAT not in targets, f"Copy as LaTeX also offers {targets}")
    text = kav_e2e.bounded_run(["timeout", "10", "xclip", "-selection", "clipboard", "-t",
                           "UTF8_STRING", "-o"], env=run.env(), capture_output=True, check=False)
    return text.stdout.decode("utf-8") if text.returncode == 0 else None


@contextlib.contextmanager
def other_program_owns_clipboard(run):
    """xclip, in the foreground, holds a text of its own on the clipboard until another program
    takes it; it is stopped by its process id in any case."""
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, env=run.env())
    try:
        owner.stdin.write(b"not yet")
        owner.stdin.close()
        text = kav_e2e.poll(lambda: clipboard_text(run), "not yet", 10)
        check(text == "not yet", f"xclip's text did not reach the clipboard: {text!r}")
        yield
    finally:
        owner.terminate()
        with contextlib.suppress(subprocess.TimeoutExpired):
            owner.wait(timeout=5)
        if owner.poll() is None:
            owner.kill()
            owner.wait(timeout=5)


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        type_formula(run)
        run.press_until(["ctrl+shift+c"], lambda: clipboard_text(run), LATEX, "Copy as LaTeX",
                        settle=0, timeout=5)
        run.screenshot("typed.png")
        with other_program_owns_clipboard(run):
            run.type_text("+z")
            # Alt+E opens Edit on "New line"; "Copy as LaTeX" is the eighth item, separators
            # skipped.
            run.key("alt+e")
            time.sleep(0.5)
            run.press_until([*(["Down"] * 7), "Return"], lambda: clipboard_text(run), MORE_LATEX,
                            "Copy as LaTeX", attempts=1, settle=0, timeout=5)
        check(run.status_text() == "Copied as LaTeX", f"status bar reads {run.status_text()!r}")


if __name__ == "__main__":
    kav_e2e.main(test)
