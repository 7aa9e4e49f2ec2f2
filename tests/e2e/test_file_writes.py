"""Saving replaces a file in one step: what a failed save leaves on disk.

The program's Win32 host writes the bytes to a temporary file beside the target and moves it
over the target only once everything is written. When the target is held open by another
program, its folder is missing or the name is a folder, the save fails, the old file keeps every
byte and no temporary file is left behind. A read-only file is not replaced. A save through a
symbolic link writes the file it names and leaves the link a link; a private file stays closed
to others. What a save cut short left beside its file ("NAME.XXXXXXXX.kav-saving") is removed by
the next save of that file, and nothing else is."""

import os
import shutil
import stat

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

        leftovers_links_and_permissions(save, folder)


def leftovers_links_and_permissions(save, folder):
    target = os.path.join(folder, "doc.kav")
    others = ["doc.kav.notes.txt", "other.kav.0123abcd.kav-saving", "doc.kav.0123abcd.kav-saving.txt"]
    for name in ["doc.kav.0123abcd.kav-saving", "doc.kav.FFFF0000.kav-saving"] + others:
        with open(os.path.join(folder, name), "wb") as handle:
            handle.write(b"@@3\n@<a")
    check(save("write", target, "@@3\n@<e>\n") == "saved", "the save beside leftovers failed")
    left = sorted(os.listdir(folder))
    check(left == sorted(["a folder.kav", "doc.kav"] + others), f"the folder holds {left}")

    os.chmod(target, 0o444)
    check(save("write", target, "@@3\n@<f>\n") == "failed", "a read-only file was replaced")
    check(read_file(target) == b"@@3\n@<e>\n", f"the read-only file holds {read_file(target)!r}")

    private = os.path.join(folder, "private.kav")
    with open(private, "wb") as handle:
        handle.write(OLD)
    os.chmod(private, 0o600)
    check(save("write", private, "@@3\n@<g>\n") == "saved", "the private file was not saved")
    mode = stat.S_IMODE(os.stat(private).st_mode)
    check(mode & 0o007 == 0, f"the saved private file is open to others: {oct(mode)}")
    # Under Wine, access rules picture the Unix mode only roughly: an ordinary file's mode is
    # left exactly as it was.
    os.chmod(target, 0o644)
    check(save("write", target, "@@3\n@<g>\n") == "saved", "the file was not saved")
    mode = stat.S_IMODE(os.stat(target).st_mode)
    check(mode == 0o644, f"the saved file's mode is {oct(mode)}")

    links = os.path.join(folder, "links")
    os.makedirs(links)
    real = os.path.join(links, "real.kav")
    with open(real, "wb") as handle:
        handle.write(OLD)
    os.symlink("real.kav", os.path.join(links, "link.kav"))
    check(save("write", os.path.join(links, "link.kav"), "@@3\n@<h>\n") == "saved",
          "the save through a link failed")
    check(os.path.islink(os.path.join(links, "link.kav")), "the link was replaced by a file")
    check(read_file(real) == b"@@3\n@<h>\n", f"the link's file holds {read_file(real)!r}")
    check(sorted(os.listdir(links)) == ["link.kav", "real.kav"],
          f"the folder holds {sorted(os.listdir(links))}")


if __name__ == "__main__":
    kav_e2e.main(test)
