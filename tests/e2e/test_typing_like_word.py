"""Typing as a student types, through the keyboard under Wine: / takes the operand before it, a
script of one symbol ends at the next operator, a big operator's limits come first and Up from the
lower limit stays in the formula. Each formula is typed into an emptied line and read back as the
program's own markup (select all, Ctrl+C, the private clipboard format).

The quadratic formula, typed as in Word, is also kept as a picture of the view (quadratic.png in
the artifacts) for the before/after comparison."""

import time

import kav_e2e
from kav_e2e import check

# Steps: ("type", text) types characters, ("key", name) presses a key, ("name", word) enters a
# symbol through the backslash key's name box.
QUADRATIC = ([("type", "x=(-b"), ("name", "pm"), ("key", "ctrl+r"), ("type", "b^2-4ac"),
              ("key", "Right"), ("type", ")/2a")],
             r"<x><=>\frac{<(><-><b><pm>\sqrt{<b>\super{<2>}<-><4><a><c>}<)>}{<2><a>}")
FORMULAS = [
    ([("type", "b^2-4ac")], r"<b>\super{<2>}<-><4><a><c>"),
    ([("name", "pi"), ("type", "/2")], r"\frac{<pi>}{<2>}"),
    ([("name", "pi"), ("type", "^2/6")], r"\frac{<pi>\super{<2>}}{<6>}"),
    ([("type", "(a+b)/2")], r"\frac{<(><a><+><b><)>}{<2>}"),
    ([("type", "e^x+1")], r"<e>\super{<x>}<+><1>"),
    ([("name", "sum"), ("type", "i=1"), ("key", "Tab"), ("type", "n"), ("key", "Tab"),
      ("type", "i^2")], r"\sum{<i><=><1>}{<n>}<i>\super{<2>}"),
    # Up from the lower limit goes to the operand, not out of the line.
    ([("name", "integral"), ("key", "Up"), ("type", "x")], r"\integral{}{}<x>"),
]


def type_steps(run, steps):
    for kind, text in steps:
        if kind == "type":
            run.type_text(text)
        elif kind == "key":
            run.key(text)
        else:
            run.key("backslash")
            time.sleep(0.3)
            run.type_text(text)
            run.key("space")
            time.sleep(0.3)


def crop_view(run, name):
    """The formula as the view shows it: the view area of a screenshot, trimmed to its ink with a
    margin."""
    left, top, _, _ = run.client_area()
    view_left, view_top, view_right, view_bottom = run.view_area()
    run.screenshot("screen-" + name)
    kav_e2e.bounded_run(["timeout", "30", "convert", f"{run.artifacts}/screen-{name}", "-crop",
                         f"{view_right - view_left}x{view_bottom - view_top}"
                         f"+{left + view_left}+{top + view_top}", "+repage", "-trim", "+repage",
                         "-bordercolor", "white", "-border", "12", f"{run.artifacts}/{name}"],
                        check=False)


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.expect_status("Ready", timeout=30)
        run.focus(window)
        failures = []
        for index, (steps, expected) in enumerate([QUADRATIC] + FORMULAS):
            if index > 0:
                run.key("ctrl+a", "BackSpace")
            type_steps(run, steps)
            if index == 0:
                run.key("End")
                time.sleep(0.5)
                crop_view(run, "quadratic.png")
            markup = run.line_markup()
            if markup != expected:
                failures.append(f"{steps}: the line is {markup!r}, expected {expected!r}")
        check(not failures, "\n".join(failures))


if __name__ == "__main__":
    kav_e2e.main(test)
