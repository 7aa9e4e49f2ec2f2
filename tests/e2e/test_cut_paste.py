"""Selecting with the mouse, cutting and pasting in kav.exe, read back through the clipboard.

"a+b-c" is typed. A drag from the + to the b (mouse down, move, up) shows the rubber band while
the button is held and leaves + and b green. Ctrl+X takes them out of the line, End moves the
caret to its end and Ctrl+V puts them back there. Ctrl+A, Ctrl+C then read the whole line back
in the private format, which must be the markup of "a-c+b".

While Wine still serves an earlier read to X the program cannot open the clipboard: a cut then
removes nothing and says so in the status bar, and a paste does nothing, so each is tried again
until the line on screen shows it happened.
"""

import time

import kav_e2e
import screen_ink
from kav_e2e import check

EXPECTED = "<a><-><c><+><b>"
CUT_REFUSED = "The clipboard could not be opened; nothing was cut."
BAND = 100  # the band of a line as low as "a+b-c"


class View:
    """The one band of the document on the screen."""

    def __init__(self, run):
        self.run = run
        self.left, self.top, self.cw, self.ch = run.client_area()
        _, view_top, view_right, view_bottom = run.view_area()
        # A one-line document scrolls until its band ends at the middle of the view.
        self.band_top = self.top + view_top + (view_bottom - view_top) // 2 - BAND
        self.width = view_right  # the view ends at the scroll bar

    def glyphs(self, name=None):
        """The ink's columns (screen x of each glyph's first and last column) and the ink's box."""
        time.sleep(0.3)
        gray = screen_ink.steady_region(self.run, self.left, self.band_top, self.width, BAND,
                                        name=name)
        runs = [(self.left + a, self.left + b) for a, b in screen_ink.glyph_columns(gray)]
        x0, y0, x1, y1 = screen_ink.bounding_box(gray.ink())
        return runs, (self.left + x0, self.band_top + y0, self.left + x1, self.band_top + y1)

    def row_ink(self, image, y, x0, x1):
        return sum(1 for x in range(x0, x1 + 1) if sum(image.pixel(x, y)) < 3 * screen_ink.DARK)


def centre(run):
    return (run[0] + run[1]) // 2


def drag_over_plus_and_b(run, view, glyphs, box):
    middle = (box[1] + box[3]) // 2
    start = (centre(glyphs[1]), middle - 6)
    end = (centre(glyphs[2]), middle + 6)
    before = run.screenshot()
    run.xdotool("mousemove", "--sync", *start, "mousedown", 1)
    run.xdotool("mousemove", "--sync", *end)
    time.sleep(0.5)
    held = run.screenshot("dragging.png")
    run.xdotool("mouseup", 1)
    # The rubber band's top edge runs from the press to the pointer's column.
    span = end[0] - start[0] + 1
    drawn = max(view.row_ink(held, start[1] + d, start[0], end[0]) for d in (-1, 0, 1))
    check(drawn >= span - 2, f"rubber band: {drawn} of {span} pixels dark along its top edge")
    check(view.row_ink(before, start[1], start[0], end[0]) < span // 2,
          "the top edge's row was already dark before the drag")
    time.sleep(0.5)
    shot = run.screenshot("selected.png")
    green = screen_ink.green_columns(shot, view.left, view.band_top, view.width, BAND)
    for index, glyph in enumerate(glyphs):
        inside = any(glyph[0] <= x <= glyph[1] for x in green)
        check(inside == (index in (1, 2)),
              f"glyph {index} is {'' if inside else 'not '}green after the drag")


def repeat_until(run, view, keys, count, what, attempts=4):
    """Presses `keys` until the line shows `count` glyphs; False when it never did."""
    for _ in range(attempts):
        run.key(*keys)
        glyphs, _ = view.glyphs()
        if len(glyphs) == count:
            return True
        time.sleep(0.7)
    check(False, f"{what}: the line still shows {len(glyphs)} glyphs, "
          f"status bar {run.status_text()!r}")
    return False


def cut(run, view):
    for _ in range(4):
        run.key("ctrl+x")
        glyphs, _ = view.glyphs("cut.png")
        if len(glyphs) == 3:
            return
        status = run.status_text()
        check(len(glyphs) == 5 and status == CUT_REFUSED,
              f"after Ctrl+X the line shows {len(glyphs)} glyphs, status bar {status!r}")
        time.sleep(0.7)
    check(False, "the clipboard never took the cut")


def read_line_back(run):
    run.key("ctrl+a")
    run.press_until(["ctrl+c"], run.private_text, EXPECTED, "the line read back")


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        run.type_text("a+b-c")
        run.key("End")
        view = View(run)
        glyphs, box = view.glyphs("typed.png")
        check(len(glyphs) == 5, f"{len(glyphs)} glyphs drawn for a+b-c: {glyphs}")
        drag_over_plus_and_b(run, view, glyphs, box)
        cut(run, view)
        run.key("End")
        repeat_until(run, view, ["ctrl+v"], 5, "paste")
        read_line_back(run)
        title = run.wait_title(window, "Kav v0.2 (*)")
        check(title == "Kav v0.2 (*)", f"title {title!r}")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
