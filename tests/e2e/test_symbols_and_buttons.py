"""The symbol-name box, the palette and the style buttons, driven as a user would.

Each step ends by reading the current line back through the clipboard ("Copy as TeX", sent as
the menu command, or the program's own markup after selecting the line and Ctrl+C) and by typing
one more letter without clicking into the view first, which lands in the formula only if the
keyboard focus went back to the main window."""

import time

import kav_e2e
from kav_e2e import check

PRIVATE_FORMAT = "Kav v0.1.1"
NEW_LINE_KEY = "ctrl+n"

# Client coordinates of button centres: the style buttons are 40 x 40 at y = 2, 42 apart; the
# palette (bordered, at (2, 50)) holds its buttons in rows of ten at a pitch of 42.
RM_BUTTON = (2 + 20, 2 + 20)
FX_BUTTON = (338 + 20, 2 + 20)
PALETTE = (2, 50, 424, 130)


def palette_button(index):
    """Centre of the palette button of symbol-table entry `index` (39 to 60)."""
    j = index - 39
    return (PALETTE[0] + 1 + (j % 10) * 42 + 2 + 20, PALETTE[1] + 1 + (j // 10) * 42 + 2 + 20)


class Window:
    def __init__(self, run, window):
        self.run, self.window = run, window
        self.left, self.top, self.width, self.height = run.client_area()

    def click(self, point):
        self.run.click(self.left + point[0], self.top + point[1])
        time.sleep(0.3)

    def click_and_leave(self, point):
        self.click(point)
        self.leave()

    def leave(self):
        """Moves the pointer into the empty view, so no button's tooltip covers the palette
        when the screen is read."""
        self.run.xdotool("mousemove", str(self.left + self.width // 2), str(self.top + self.height - 60))
        time.sleep(0.5)

    def expect_tex(self, expected, what):
        text = self.run.line_tex(expected)
        check(text == expected, f"{what}: the line reads {text!r}, expected {expected!r}")

    def expect_markup(self, expected, what):
        """Selects the whole line (Home, Shift+End: Ctrl+A would select every line), copies it
        and compares the private format's markup; End then leaves the selection, so typing goes
        on at the end of the line."""
        self.run.key("Home", "shift+End")
        data = self.copied_markup()
        self.run.key("End")
        text = data.decode("utf-16-le", errors="replace").rstrip("\0")
        check(text == expected, f"{what}: the line's markup is {text!r}, expected {expected!r}")

    def copied_markup(self, timeout=10):
        """Ctrl+C, then the private format's bytes. Wine hands a registered format to X only
        after X has asked which targets the clipboard offers, so the targets are read first."""
        self.run.key("ctrl+c")
        deadline = time.monotonic() + timeout
        while PRIVATE_FORMAT not in self.run.clipboard("TARGETS").decode(errors="replace"):
            check(time.monotonic() < deadline, f"Ctrl+C put no {PRIVATE_FORMAT!r} on the clipboard")
            time.sleep(0.3)
        return self.run.clipboard(PRIVATE_FORMAT)

    def palette_ink(self, image):
        """How many pixels of the palette's rectangle differ from the window background."""
        x0, y0, w, h = PALETTE
        background = image.pixel(self.left + self.width // 2, self.top + PALETTE[1] + 10 + h)
        return sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
                   if image.pixel(self.left + x, self.top + y) != background)


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = Window(run, run.wait_window())
        run.expect_status("Ready", timeout=30)
        run.focus(window.window)
        run.screenshot("controls.png")

        # The backslash key opens the name box; Enter inserts the named symbol.
        run.key("backslash")
        time.sleep(0.3)
        run.type_text("beta")
        run.key("Return")
        run.type_text("x")
        window.expect_tex("\\beta x", "backslash, beta, Enter, x")
        window.expect_markup("<beta><x>", "backslash, beta, Enter, x")

        # Ctrl+G twice on an empty box only closes it; an unknown name inserts nothing.
        run.key("ctrl+g", "ctrl+g")
        run.type_text("y")
        run.key("ctrl+g")
        time.sleep(0.3)
        run.type_text("Alpha")
        run.key("Return")
        run.type_text("z")
        window.expect_tex("\\beta xyz", "Ctrl+G Ctrl+G, y, then Alpha named")

        # The palette's fraction button, then typing fills the numerator.
        run.key(NEW_LINE_KEY)
        window.click(palette_button(59))
        run.type_text("a")
        window.expect_tex("\\frac{a}{}", "palette fraction, a")
        # Its sum button inserts the sum structure, not the letter sigma.
        run.key("Tab")
        window.click(palette_button(51))
        window.expect_tex("\\frac{a}{\\sum _{}^{}}", "palette sum in the denominator")

        # "RM" after a letter makes it upright; the next letter is typed after it.
        run.key(NEW_LINE_KEY)
        run.type_text("x")
        window.click(RM_BUTTON)
        run.type_text("y")
        window.expect_tex("{\\rm x}y", "x, RM, y")
        window.expect_markup("<x|rm><y>", "x, RM, y")

        # "f(x)" hides the palette and shows it again; typing goes on after each click.
        window.leave()
        shown = window.palette_ink(run.screenshot())
        window.click_and_leave(FX_BUTTON)
        hidden = window.palette_ink(run.screenshot("palette_hidden.png"))
        window.click_and_leave(FX_BUTTON)
        again = window.palette_ink(run.screenshot("palette_shown.png"))
        check(shown > 1000 and hidden < 20 and again == shown,
              f"palette pixels shown {shown}, after f(x) {hidden}, after f(x) again {again}")
        run.type_text("2")
        window.expect_tex("{\\rm x}y2", "typing after f(x) twice")

        run.screenshot("symbols.png")
        run.close_request(window.window)
        # The document is modified: the save question may keep the program open; it is stopped
        # with the session either way.


if __name__ == "__main__":
    kav_e2e.main(test)
