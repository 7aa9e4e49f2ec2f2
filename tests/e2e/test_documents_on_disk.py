"""Documents on disk, driven as a user would.

A document named on the command line (a path with spaces, which Wine hands over quoted) opens
with its lines and the title "Kav v0.2 - PATH"; typing marks it modified, Ctrl+S writes exactly
the document's bytes and clears the mark; Ctrl+W with unsaved changes asks in a "Notification"
box, Cancel keeps the window open, No closes it without saving. A file as Notepad saves it (a
byte order mark, CR LF line ends) opens, and Ctrl+S writes it back in the format's own bytes. A
file with lone carriage returns as line ends is refused: the status bar names the line, and
neither the document nor the title takes the file's name. A path given as several unquoted words
is used whole. The open and save-as dialogs open and save
documents; the overwrite question's No leaves the existing file alone."""

import contextlib
import os
import time

import kav_e2e
from kav_e2e import check

DOCUMENT = b"@@3\n@<a>\\super{<2>}\n@<b>\n"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as handle:
        handle.write(data)


def read_file(path):
    with open(path, "rb") as handle:
        return handle.read()


def wait_file(path, expected, timeout=10):
    return kav_e2e.poll(lambda: read_file(path) if os.path.exists(path) else None, expected,
                        timeout)


def open_edit_save_close(options, folder):
    path = os.path.join(folder, "my docs", "two lines.kav")
    write_file(path, DOCUMENT)
    name = windows_path(path)
    titled = "Kav v0.2 - " + name
    with kav_e2e.session(options) as run:
        run.start(name)
        window = run.wait_window(titled)
        check(run.line_tex("b") == "b", "the current line is not the file's last line")
        run.focus(window)
        run.key("Up")
        check(run.line_tex("a^{2}") == "a^{2}", "the first line is not the file's first line")
        run.key("Down", "End")
        run.type_text("y")
        title = run.wait_title(window, titled + " (*)")
        check(title == titled + " (*)", f"after typing the title is {title!r}")
        run.key("ctrl+s")
        expected = b"@@3\n@<a>\\super{<2>}\n@<b><y>\n"
        saved = wait_file(path, expected)
        check(saved == expected, f"the saved file holds {saved!r}")
        title = run.wait_title(window, titled)
        check(title == titled, f"after saving the title is {title!r}")
        left_over = sorted(os.listdir(os.path.dirname(path)))
        check(left_over == ["two lines.kav"], f"the folder holds {left_over}")

        run.type_text("z")
        run.wait_title(window, titled + " (*)")
        run.key("ctrl+w")
        run.answer_message_box("Notification", "Escape")
        time.sleep(1)
        check(run.running(), "the program ended although the question was cancelled")
        check(run.title(window) == titled + " (*)", f"title is {run.title(window)!r}")
        run.screenshot("after_cancel.png")

        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly after No")
        check(read_file(path) == expected, "No wrote the file")


def notepad_file_opens_and_saves_in_the_format(options, folder):
    path = os.path.join(folder, "notepad", "saved by notepad.kav")
    write_file(path, b"\xef\xbb\xbf@@3\r\n@<a>\\super{<2>}\r\n@<b>\r\n")
    titled = "Kav v0.2 - " + windows_path(path)
    with kav_e2e.session(options) as run:
        run.start(windows_path(path))
        window = run.wait_window(titled)
        check(run.line_tex("b") == "b", "the current line is not the file's last line")
        run.focus(window)
        run.key("Up")
        check(run.line_tex("a^{2}") == "a^{2}", "the first line is not the file's first line")
        run.key("ctrl+s")
        saved = wait_file(path, DOCUMENT)
        check(saved == DOCUMENT, f"the saved file holds {saved!r}")
        check(run.title(window) == titled, f"after saving the title is {run.title(window)!r}")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")


def refused_file_keeps_the_untitled_document(options, folder):
    path = os.path.join(folder, "cr file", "old mac line ends.kav")
    write_file(path, b"@@3\r@<a>\r@<b>\r")
    # Passed as separate words, the command line holds the path unquoted; it is used whole.
    words = windows_path(path).split(" ")
    with kav_e2e.session(options) as run:
        run.start(*words)
        window = run.wait_window()
        run.expect_status("Unexpected char (line 1)")
        check(run.title(window) == "Kav v0.2", f"title is {run.title(window)!r}")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")
    check(read_file(path) == b"@@3\r@<a>\r@<b>\r", "the refused file changed")


def type_into_dialog(run, title, text):
    dialog = run.wait_window(title, timeout=20)
    run.focus(dialog)
    time.sleep(0.5)
    run.type_text(text)
    run.key("Return")


def open_and_save_as_through_the_dialogs(options, folder):
    first = os.path.join(folder, "dialogs", "first.kav")
    second = os.path.join(folder, "dialogs", "second.kav")
    third = os.path.join(folder, "dialogs", "third")
    write_file(first, b"@@3\n@<a>\n")
    write_file(second, b"@@3\n@<b>\n@<c>\n")
    with contextlib.suppress(FileNotFoundError):
        os.remove(third + ".kav")
    with kav_e2e.session(options) as run:
        run.start(windows_path(first))
        window = run.wait_window("Kav v0.2 - " + windows_path(first))
        run.focus(window)
        run.key("ctrl+o")  # nothing changed: no question before the dialog
        type_into_dialog(run, "Open", windows_path(second))
        titled = "Kav v0.2 - " + windows_path(second)
        check(run.wait_title(window, titled) == titled, f"title is {run.title(window)!r}")
        check(run.line_tex("c") == "c", "the opened document's last line is not current")

        run.focus(window)
        run.type_text("d")
        run.key("ctrl+shift+s")
        type_into_dialog(run, "Save As", windows_path(first))
        run.answer_message_box("Notification", "n")  # the file exists: No keeps it
        check(read_file(first) == b"@@3\n@<a>\n", "No to overwriting wrote the file")
        check(run.title(window) == titled + " (*)", f"title is {run.title(window)!r}")

        run.focus(window)
        run.key("ctrl+shift+s")
        type_into_dialog(run, "Save As", windows_path(third))  # the dialog adds ".kav"
        titled = "Kav v0.2 - " + windows_path(third) + ".kav"
        check(run.wait_title(window, titled) == titled, f"title is {run.title(window)!r}")
        saved = wait_file(third + ".kav", b"@@3\n@<b>\n@<c><d>\n")
        check(saved == b"@@3\n@<b>\n@<c><d>\n", f"the saved file holds {saved!r}")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")


def test(options):
    folder = os.path.join(options.artifacts, "files")
    open_edit_save_close(options, folder)
    notepad_file_opens_and_saves_in_the_format(options, folder)
    refused_file_keeps_the_untitled_document(options, folder)
    open_and_save_as_through_the_dialogs(options, folder)


if __name__ == "__main__":
    kav_e2e.main(test)
