"""Help > Manual opens the manual page installed beside kav.exe with the shell's "open" verb.

The test prefix has no browser, so for this run HTML files are associated with a command that
writes the path it was asked to open into a marker file (the session restores the registry
before every test). Without an association the status bar says which page could not be opened.
"""

import os
import subprocess
import time

import kav_e2e
from kav_e2e import check

MANUAL = 40020


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def associate_html(run, command):
    for key, value in ((r"HKCR\.html", "KavManualCheck"),
                       (r"HKCR\KavManualCheck\shell\open\command", command)):
        result = kav_e2e.bounded_run(["timeout", "60", "wine", "reg", "add", key, "/ve", "/d", value,
                                 "/f"], env=run.env(), capture_output=True, check=False)
        check(result.returncode == 0, f"reg add {key} failed: {result.stderr[-300:]!r}")


def wait_for(predicate, timeout=20):
    deadline = time.monotonic() + timeout
    while not predicate() and time.monotonic() < deadline:
        time.sleep(0.2)
    return predicate()


def test(options):
    manual = os.path.join(os.path.dirname(options.exe), "manual.html")
    check(os.path.isfile(manual), f"{manual} is not installed beside the program")
    with open(manual, encoding="utf-8") as page:
        check("symbol-name box" in page.read(), "the installed page is not the manual")
    marker = os.path.join(options.artifacts, "opened.txt")
    with kav_e2e.session(options) as run:
        if os.path.exists(marker):
            os.remove(marker)
        associate_html(run, f"C:\\windows\\system32\\cmd.exe /c echo %1> {windows_path(marker)}")
        run.start()
        window = run.wait_window()
        run.expect_status("Ready")
        run.probe_query("command", str(MANUAL))
        check(wait_for(lambda: os.path.exists(marker) and os.path.getsize(marker) > 0),
              f"nothing was opened; the status bar reads {run.status_text()!r}")
        with open(marker, encoding="utf-8", errors="replace") as opened:
            path = opened.read().strip()
        check(path.lower() == windows_path(manual).lower(),
              f"the shell was asked to open {path!r}, not {windows_path(manual)!r}")
        check(run.status_text() == "Ready", f"status bar reads {run.status_text()!r}")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
