"""The buttons explain themselves and the palette's symbols are drawn in full ink.

Every style button and every palette button has a tooltip with its name and, where it has them,
its key and its inline-box name. The probe reads them from the program's own tooltip control
(TTM_ENUMTOOLS and TTM_GETTEXT, with the buffers in the program's memory); each palette text ends
in the name that, typed after a backslash, inserts the same symbol. Resting the pointer on a
button shows its tooltip (a screenshot is kept).

The floor, ceiling and ellipsis buttons take the math face, whose strokes are thinner than a
pixel at the labels' size; smoothed, they came out pale grey, like disabled buttons. Each of the
five must have near-black ink inside its button, as the other labels do."""

import time

import kav_e2e
from kav_e2e import check

STYLE_IDS = range(20004, 20013)  # RM .. RED, then f(x)
PALETTE_IDS = range(30039, 30061)  # leq .. sqrt
PALETTE = (2, 50)
EXPECTED = {
    20005: "Bold upright letters",
    30039: "Less than or equal to \u2014 \\leq",
    30059: "Fraction \u2014 Ctrl+K, \\frac",
    30060: "Square root \u2014 Ctrl+R, \\sqrt",
}
# The math-face labels: cdots, lfloor, rfloor, lceil, rceil (table entries 54 to 58).
FAINT_BEFORE = range(54, 59)
NEAR_BLACK = 60


def button_centre(index):
    """Client coordinates of the centre of the palette button of table entry `index`."""
    j = index - 39
    return (PALETTE[0] + 1 + (j % 10) * 42 + 2 + 20, PALETTE[1] + 1 + (j // 10) * 42 + 2 + 20)


def darkest(image, left, top, centre, half=13):
    """The darkest channel maximum inside a button, its border left out."""
    x0, y0 = left + centre[0], top + centre[1]
    return min(max(image.pixel(x, y)) for y in range(y0 - half, y0 + half)
               for x in range(x0 - half, x0 + half))


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.expect_status("Ready", timeout=30)
        tips = {}
        for line in run.probe_query("tooltips"):
            ident, _, text = line.partition("\t")
            tips[int(ident)] = text
        for ident in list(STYLE_IDS) + list(PALETTE_IDS):
            check(tips.get(ident), f"button {ident} has no tooltip ({sorted(tips)})")
        for ident in PALETTE_IDS:
            check(" \u2014 " in tips[ident] and "\\" in tips[ident],
                  f"palette tooltip {tips[ident]!r} names no inline-box name")
        for ident, text in EXPECTED.items():
            check(tips[ident] == text, f"button {ident}'s tooltip reads {tips[ident]!r}")

        left, top, _, _ = run.client_area()
        image = run.screenshot("palette.png")
        inks = {index: darkest(image, left, top, button_centre(index)) for index in range(39, 61)}
        print("darkest ink per palette button:", inks)
        for index in FAINT_BEFORE:
            check(inks[index] <= NEAR_BLACK, f"palette button {index} is drawn in grey "
                  f"(darkest {inks[index]}, wanted at most {NEAR_BLACK})")

        # The pointer rests on the fraction button; its tooltip shows beside it.
        run.focus(window)
        x, y = button_centre(59)
        run.xdotool("mousemove", str(left + x), str(top + y))
        time.sleep(2)
        run.screenshot("tooltip-shown.png")


if __name__ == "__main__":
    kav_e2e.main(test)
