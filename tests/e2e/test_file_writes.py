"""Saving replaces a file in one step: what a failed save leaves on disk.

The program's Win32 host writes the bytes to a temporary file beside the target and moves it
over the target only once everything is written. When the target is held open by another
program, its folder is missing or the name is a folder, the save fails, the old file keeps every
byte and no temporary file is left behind."""

import os
import shutil

import kav_e2e
from kav_e2e import check

OLD = b"@@3\n@<a>\n"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def read_file(path):
    with open(path, "rb") as handle:
        return handle.read()


def test(options):
    helper = os.path.join(os.path.dirname(options.probe), "kav_file_check.exe")
    folder = os.path.join(options.artifacts, "files")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    target = os.path.join(folder, "doc.kav")

    with kav_e2e.session(options) as run:
        def save(command, path, text):
            code, out = run.run_windows_program(helper, command, windows_path(path), text)
            check(code == 0, f"{command} {path}: helper exit code {code}")
            return out.strip()

        check(save("write", target, "@@3\n@<a>\n") == "saved", "a new file was not saved")
        check(read_file(target) == OLD, f"the new file holds {read_file(target)!r}")
        check(save("write", target, "@@3\n@<b>\n") == "saved", "replacing a file failed")
        check(read_file(target) == b"@@3\n@<b>\n", f"the file holds {read_file(target)!r}")
        check(os.listdir(folder) == ["doc.kav"], f"the folder holds {os.listdir(folder)}")

        check(save("write-held", target, "@@3\n@<c>\n") == "failed",
              "a file held open by another program was replaced")
        check(read_file(target) == b"@@3\n@<b>\n", f"the held file holds {read_file(target)!r}")
        check(os.listdir(folder) == ["doc.kav"], f"the folder holds {os.listdir(folder)}")

        missing = os.path.join(folder, "no such folder", "doc.kav")
        check(save("write", missing, "@@3\n") == "failed", "a save into a missing folder passed")
        check(not os.path.exists(os.path.dirname(missing)), "the missing folder was created")

        inner = os.path.join(folder, "a folder.kav")
        os.makedirs(inner)
        with open(os.path.join(inner, "inside"), "wb") as handle:
            handle.write(b"kept")
        check(save("write", inner, "@@3\n") == "failed", "a folder was replaced by a file")
        check(os.listdir(inner) == ["inside"], f"the folder holds {os.listdir(inner)}")
        check(sorted(os.listdir(folder)) == ["a folder.kav", "doc.kav"],
              f"the folder holds {sorted(os.listdir(folder))}")


if __name__ == "__main__":
    kav_e2e.main(test)
