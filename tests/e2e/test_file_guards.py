"""What the program will not do to a file without a word, driven as a user would.

A text file that is not a Kav document (a .tex formula) is refused, named on the command line,
dropped on the window or chosen in the Open dialog: the status bar names its first line, the open document keeps its
title and unsaved changes, and Ctrl+S then writes the document to its own file and leaves the
text file alone; a successful save says "Saved NAME". Both file dialogs list "Kav documents
(*.kav)" first and chosen, then "All files (*.*)". A file another program wrote since it was
opened is not replaced by Ctrl+S without a yes: No leaves the other program's bytes, Yes saves.
A read-only file is not replaced: Ctrl+S says so and offers another name, and No keeps it."""

import os
import stat
import time

import kav_e2e
from kav_e2e import check
from test_documents_on_disk import read_file, type_into_dialog, windows_path, write_file

TEX = b"x^2 + y^2 = r^2\n"
REFUSAL = 'Not a Kav document: line 1 of the file is not a formula line: "x^2 + y^2 = r^2"'
FILE_TYPES = ["*Kav documents (*.kav)", "All files (*.*)"]


def file_types(run, title):
    """The dialog's file-type choices, once the dialog titled `title` is up."""
    run.wait_window(title, timeout=20)
    return kav_e2e.poll(lambda: run.probe_query("filetypes", title), FILE_TYPES, 10)


def close(run, window, unsaved=False):
    """Closes the window, discarding `unsaved` changes, and waits for the program's end."""
    run.close_request(window)
    if unsaved:
        run.answer_message_box("Notification", "n")
    check(run.wait_exit() == 0, "program did not end cleanly")


def document_and_text_file(folder, name):
    """A one-line document named `name`, and the .tex file beside it."""
    document = os.path.join(folder, name)
    write_file(document, b"@@3\n@<a>\n")
    tex = os.path.join(folder, "circle.tex")
    write_file(tex, TEX)
    return document, tex


def start_edited(run, path):
    """The program with the document at `path` open and one letter typed; its window and title."""
    titled = "Kav v0.2 - " + windows_path(path)
    run.start(windows_path(path))
    window = run.wait_window(titled)
    run.focus(window)
    run.type_text("b")
    check(run.wait_title(window, titled + " (*)") == titled + " (*)", "typing left no mark")
    return window, titled


def text_file_on_the_command_line(options, folder):
    tex = os.path.join(folder, "circle.tex")
    write_file(tex, TEX)
    with kav_e2e.session(options) as run:
        run.start(windows_path(tex))
        window = run.wait_window()
        run.expect_status(REFUSAL)
        check(run.title(window) == "Kav v0.2", f"title is {run.title(window)!r}")
        run.screenshot("refused_on_the_command_line.png")
        close(run, window)
    check(read_file(tex) == TEX, "the text file changed")


def text_file_dropped(options, folder):
    document, tex = document_and_text_file(folder, "dropped on.kav")
    with kav_e2e.session(options) as run:
        window, titled = start_edited(run, document)
        # A drop posted while Wine is still busy with the typing has been seen to come to nothing.
        for _ in range(3):
            run.probe_query("drop", windows_path(tex))
            if kav_e2e.poll(lambda: run.window_present("Notification"), True, 10):
                break
        run.answer_message_box("Notification", "n")  # do not save the changes first
        run.expect_status(REFUSAL)
        check(run.title(window) == titled + " (*)", f"title is {run.title(window)!r}")
        close(run, window, unsaved=True)
    check(read_file(tex) == TEX, "the text file changed")


def text_file_from_the_open_dialog(options, folder):
    document, tex = document_and_text_file(folder, "doc.kav")
    with kav_e2e.session(options) as run:
        window, titled = start_edited(run, document)
        run.key("ctrl+shift+s")
        types = file_types(run, "Save As")
        check(types == FILE_TYPES, f"the save dialog offers {types}")
        run.key("Escape")
        gone = kav_e2e.poll(lambda: run.window_present("Save As"), False, 10)
        check(not gone, "the save dialog did not close")
        run.focus(window)
        # Keys sent while Wine gives the focus back from the closed dialog can come to nothing.
        run.press_until(["ctrl+o"], lambda: run.window_present("Notification"), True, "Ctrl+O",
                        settle=1, timeout=5)
        run.answer_message_box("Notification", "n")  # do not save the changes first
        types = file_types(run, "Open")
        check(types == FILE_TYPES, f"the open dialog offers {types}")
        type_into_dialog(run, "Open", windows_path(tex))
        run.expect_status(REFUSAL)
        check(run.title(window) == titled + " (*)", f"title is {run.title(window)!r}")
        run.focus(window)
        run.press_until(["ctrl+s"], run.status_text, "Saved doc.kav", "Ctrl+S", timeout=5)
        check(read_file(document) == b"@@3\n@<a><b>\n", f"doc.kav holds {read_file(document)!r}")
        check(read_file(tex) == TEX, "the text file changed")
        close(run, window)


def file_written_by_another_program(options, folder):
    document = os.path.join(folder, "shared.kav")
    write_file(document, b"@@3\n@<a>\n")
    theirs = b"@@3\n@<z>\n@<w>\n"
    with kav_e2e.session(options) as run:
        window, titled = start_edited(run, document)
        write_file(document, theirs)
        later = time.time() + 5
        os.utime(document, (later, later))
        run.key("ctrl+s")
        run.answer_message_box("Notification", "n")
        time.sleep(1)
        check(read_file(document) == theirs, f"No wrote the file: {read_file(document)!r}")
        check(run.title(window) == titled + " (*)", f"title is {run.title(window)!r}")
        run.focus(window)
        run.press_until(["ctrl+s"], lambda: run.window_present("Notification"), True, "Ctrl+S",
                        settle=1, timeout=5)
        run.answer_message_box("Notification", "y")
        saved = kav_e2e.poll(lambda: read_file(document), b"@@3\n@<a><b>\n", 10)
        check(saved == b"@@3\n@<a><b>\n", f"Yes did not save: {saved!r}")
        run.expect_status("Saved shared.kav")
        close(run, window)


def read_only_file(options, folder):
    document = os.path.join(folder, "locked.kav")
    write_file(document, b"@@3\n@<a>\n")
    os.chmod(document, 0o444)
    with kav_e2e.session(options) as run:
        window, titled = start_edited(run, document)
        run.key("ctrl+s")
        run.answer_message_box("Notification", "n")  # no other name
        time.sleep(1)
        check(read_file(document) == b"@@3\n@<a>\n", f"the file holds {read_file(document)!r}")
        mode = stat.S_IMODE(os.stat(document).st_mode)
        check(mode == 0o444, f"the read-only file's mode is {oct(mode)}")
        check(run.title(window) == titled + " (*)", f"title is {run.title(window)!r}")
        close(run, window, unsaved=True)


SCENARIOS = (text_file_on_the_command_line, text_file_dropped, text_file_from_the_open_dialog,
             file_written_by_another_program, read_only_file)


def test(options):
    for scenario in SCENARIOS:
        scenario(options, os.path.join(options.artifacts, "files"))


if __name__ == "__main__":
    kav_e2e.main(test)
