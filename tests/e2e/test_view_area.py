"""Nothing in a document is hidden under the controls or beyond the window's sides.

A 200-line document scrolled to its top shows its first line whole below the palette: the first
line is the only wide one, so the topmost ink below the palette must be that wide, lie wholly
below the palette's bottom edge, and a click on it must put the caret there. Hiding the palette
lets the view grow back up to the style buttons.

A line of 120 items typed into a 640-pixel-wide window is far wider than the window: after each
End and each Home the caret must lie inside the client area (and inside the view, left of the
scroll bar), and the line's ink must be seen at both ends in turn.
"""

import os
import time

import kav_e2e
import screen_ink
from kav_e2e import check

FIRST_LINE = "".join(f"<{c}>" for c in "abcdefghijklmnop")  # 16 letters, some 250 pixels wide
OTHER_LINE = "<y>"
WIDE_INK = 150  # no other line's ink is half as wide
FX_BUTTON = (338 + 20, 2 + 20)
WINDOW_WIDTH = 640
WIDE_TEXT = "x+1" * 40  # 120 items


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def ink_rows(image, left, top, x0, y0, x1, y1):
    """The client rows between y0 and y1 that hold dark pixels, with their ink's x extent."""
    rows = {}
    for y in range(y0, y1):
        xs = [x for x in range(x0, x1) if sum(image.pixel(left + x, top + y)) < 3 * screen_ink.DARK]
        if xs:
            rows[y] = (min(xs), max(xs))
    return rows


def first_band(rows):
    """(top, bottom, left, right) of the first run of inked rows, a gap of 8 rows ending it."""
    ys = sorted(rows)
    top = bottom = ys[0]
    for y in ys[1:]:
        if y - bottom > 8:
            break
        bottom = y
    band = [rows[y] for y in ys if top <= y <= bottom]
    return top, bottom, min(a for a, _ in band), max(b for _, b in band)


def wait_until_still(run, timeout=60):
    """Waits until the caret has stayed in one place for a second: the keys have all been read."""
    deadline = time.monotonic() + timeout
    last = run.caret_rect()
    while time.monotonic() < deadline:
        time.sleep(1.0)
        now = run.caret_rect()
        if now == last:
            return
        last = now
    raise kav_e2e.TestFailure("the caret was still moving after a minute")


def first_line_under_the_palette(options):
    os.makedirs(options.artifacts, exist_ok=True)
    path = os.path.join(options.artifacts, "tall.kav")
    with open(path, "w", encoding="utf-8") as f:
        f.write("@@3\n@" + FIRST_LINE + "\n" + ("@" + OTHER_LINE + "\n") * 199)
    with kav_e2e.session(options) as run:
        run.start(windows_path(path))
        window = run.wait_window("Kav v0.2 - " + windows_path(path))
        run.focus(window)
        # Opening leaves the caret on the last line; Up to the first scrolls the view to its top.
        # The caret can stand still on the screen while the view scrolls under it, and a busy
        # display may drop keys, so Up is sent again (harmless on the first line) until the
        # topmost line is the wide first one or the rounds run out.
        left, top, cw, ch = run.client_area()
        view = run.view_area()
        palette = run.palette_rect()
        check(palette is not None, "the palette is not shown")
        print(f"client {cw}x{ch}; palette {palette}; view {view}")
        check(view[1] >= palette[3],
              f"the view {view} starts above the palette's bottom {palette[3]}")
        def topmost_band():
            shot = run.screenshot("top.png")
            rows = ink_rows(shot, left, top, 0, palette[3], view[2], view[3])
            check(rows, "no ink below the palette")
            return first_band(rows)

        for _ in range(4):
            run.xdotool("key", "--delay", "15", "--repeat", "199", "Up")
            wait_until_still(run)
            # The window is painted once the keys still queued have been read, which may be a
            # while after the caret reached the first line.
            deadline = time.monotonic() + 10
            y0, y1, x0, x1 = topmost_band()
            while x1 - x0 < WIDE_INK and time.monotonic() < deadline:
                time.sleep(1.0)
                y0, y1, x0, x1 = topmost_band()
                print(f"the screen caught up late: {x1 - x0} wide")
            if x1 - x0 >= WIDE_INK:
                break
        print(f"topmost ink below the palette: rows {y0}..{y1}, columns {x0}..{x1}")
        if x1 - x0 < WIDE_INK:
            # Tells a program that stopped answering from one that painted the wrong lines.
            print(f"the status bar answers {run.status_text()!r}; caret {run.caret_rect()}")
        check(x1 - x0 >= WIDE_INK, f"the topmost line below the palette is {x1 - x0} wide: "
              "not the first line")
        check(y0 > palette[3] + 2, f"the first line's ink starts at {y0}, against the palette's "
              f"bottom edge {palette[3]}: it may be cut")
        run.click(left + (x0 + x1) // 2, top + (y0 + y1) // 2)
        time.sleep(0.5)
        caret = run.caret_rect()
        check(caret is not None and y0 - 8 <= (caret[1] + caret[3]) // 2 <= y1 + 8,
              f"a click on the first line leaves the caret at {caret}, not on rows {y0}..{y1}")

        run.click(left + FX_BUTTON[0], top + FX_BUTTON[1])
        time.sleep(0.5)
        grown = run.view_area()
        check(run.palette_rect() is None, "f(x) did not hide the palette")
        check(grown[1] < palette[1], f"with the palette hidden the view {grown} still starts "
              "below where the palette was")
        hidden = run.screenshot("palette_hidden.png")
        rows = ink_rows(hidden, left, top, 0, grown[1], grown[2], grown[3])
        check(rows and first_band(rows)[0] < palette[3],
              "the first line did not move up with the view")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")


def caret_inside(run, cw, ch, view, what):
    caret = run.caret_rect()
    print(f"after {what}: caret {caret}")
    check(caret is not None, f"no caret after {what}")
    check(0 <= caret[0] and caret[2] <= cw and 0 <= caret[1] and caret[3] <= ch,
          f"after {what} the caret {caret} is outside the {cw}x{ch} client area")
    check(view[0] <= caret[0] and caret[2] <= view[2],
          f"after {what} the caret {caret} is outside the view {view}")
    return caret


def long_line_in_a_narrow_window(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.xdotool("windowsize", "--sync", window, WINDOW_WIDTH, 600)
        time.sleep(1.0)
        run.focus(window)
        left, top, _, _ = run.client_area()
        run.click(left + 300, top + 400)  # into the view, which takes the keyboard
        run.xdotool("type", "--delay", "20", WIDE_TEXT)
        left, top, cw, ch = run.client_area()
        check(cw <= WINDOW_WIDTH, f"the client area is {cw} wide")
        view = run.view_area()
        caret_inside(run, cw, ch, view, "typing")
        ends = []
        for round_ in range(2):
            for key in ("End", "Home"):
                run.key(key)
                time.sleep(0.5)
                caret = caret_inside(run, cw, ch, view, key)
                ends.append(caret[0])
                if round_ == 0:
                    run.screenshot(f"wide_{key.lower()}.png")
        check(ends[0] > ends[1], f"End's caret {ends[0]} does not stand right of Home's {ends[1]}")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


def test(options):
    first_line_under_the_palette(options)
    long_line_in_a_narrow_window(options)


if __name__ == "__main__":
    kav_e2e.main(test)
