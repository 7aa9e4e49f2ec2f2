"""The program opens its main window titled "Kav v0.2" and exits with code 0 on a close request."""

import kav_e2e
from kav_e2e import check


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        check(run.title(window) == "Kav v0.2", f"title is {run.title(window)!r}")
        run.screenshot("opened.png")
        run.close_request(window)
        code = run.wait_exit(timeout=30)
        check(code == 0, f"exit code {code}, expected 0")


if __name__ == "__main__":
    kav_e2e.main(test)
