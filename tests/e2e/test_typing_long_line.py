"""Typing fast into one long line: 500 keys sent 5 ms apart all arrive, in order. Once the
window has worked through them, the line is copied (select all, Ctrl+C, the private clipboard
format) and read back; how long that took after the last key is printed, not judged."""

import time

import kav_e2e

KEYS = "xy" * 250
EXPECTED = "<x><y>" * 250


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.expect_status("Ready", timeout=30)
        run.focus(window)
        run.xdotool("type", "--delay", "5", KEYS, timeout=120)
        typed = time.monotonic()
        # The copy waits behind every key still queued, so the text comes once all are done.
        # Under Wine a copy can come to nothing while X still reads the clipboard; it is
        # repeated then.
        run.press_until(["ctrl+a", "ctrl+c"], lambda: run.private_text(timeout=20), EXPECTED,
                        "the copied line", attempts=8)
        print(f"the line was copied {time.monotonic() - typed:.1f} s after the last key")


if __name__ == "__main__":
    kav_e2e.main(test)
