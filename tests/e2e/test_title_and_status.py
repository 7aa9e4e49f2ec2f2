"""The title follows the document: "Kav v0.2" at start and " (*)" once an edit is made; a file
name too long for the document path is refused with a message in the status bar, not cut; the
program still ends with code 0 once the unsaved-changes question is answered No.

A status bar message belongs to the action that caused it: the refusal is gone once a letter is
typed, a character the formula cannot hold says so, and Copy says it copied. The bar is
photographed at each step (status-1.png to status-4.png)."""

import kav_e2e
from kav_e2e import check


def test(options):
    with kav_e2e.session(options) as run:
        run.start("C:\\" + "d" * 1200 + ".kav")
        window = run.wait_window()
        run.expect_status("The file name on the command line is too long.")
        check(run.title(window) == "Kav v0.2", f"title is {run.title(window)!r}")
        run.screenshot("status-1.png")
        run.focus(window)
        run.type_text("x")
        title = run.wait_title(window, "Kav v0.2 (*)")
        check(title == "Kav v0.2 (*)", f"after typing the title is {title!r}")
        run.screenshot("typed.png")
        check(run.status_text() == "Ready", f"after typing the status bar reads {run.status_text()!r}")
        run.screenshot("status-2.png")
        run.type_text(":")
        run.expect_status("':' cannot be typed in a formula")
        run.screenshot("status-3.png")
        run.key("ctrl+c")
        run.expect_status("Copied")
        run.screenshot("status-4.png")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
