"""Sharp at any display scaling, and zoom.

The same steps run twice, once as wineboot left the prefix (96 DPI) and once with the display set
to 192 DPI in the prefix's registry (the session puts the registry back for every other test):
the palette and the view's top edge (below the style buttons and the palette) are read, the
empty line's placeholder frame is measured on the screen, a formula is typed and clicked on
the same place of its ink, and a letter typed there shows, through "Copy as TeX", where the
caret went. At 192 DPI the palette, the view's top, the frame must be twice as large and the click must land where it landed
at 96 DPI. Then the zoom keys take the view to 200 %: the status bar says so and the formula's
ink is twice as wide.

A window that moves to a monitor of another scaling hears of it by WM_DPICHANGED, which Wine never
sends: the probe sends it. The rectangle it suggests is written into the program's memory, where
the system puts it, and the window must take it; the controls, the status bar's face, the scroll
bars, the window's icons and the view follow the new DPI. A message whose rectangle cannot be read
(as from another program) must not harm the program: it scales its own rectangle instead.
"""

import subprocess

import kav_e2e
import screen_ink
from kav_e2e import check

FORMULA = "abcd+1"

def set_display_dpi(run, dpi):
    for key in (r"HKCU\Control Panel\Desktop",
                r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"):
        result = kav_e2e.bounded_run(["timeout", "60", "wine", "reg", "add", key, "/v", "LogPixels",
                                 "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=run.env(),
                                capture_output=True, check=False)
        check(result.returncode == 0, f"reg add {key} failed: {result.stderr[-300:]!r}")
    kav_e2e._wineserver(run.prefix, "-w")


def view_ink(run, name):
    """(left, top, right, bottom) of the ink in the view, in client pixels, without the caret."""
    left, top, _, _ = run.client_area()
    view = run.view_area()
    region = screen_ink.steady_region(run, left + view[0], top + view[1], view[2] - view[0],
                                      view[3] - view[1], name=name)
    ink = region.ink()
    check(ink, f"nothing is drawn in the view ({name})")
    xs, ys = [x for x, _ in ink], [y for _, y in ink]
    return (view[0] + min(xs), view[1] + min(ys), view[0] + max(xs) + 1, view[1] + max(ys) + 1)


def run_at(options, dpi, zoom_too):
    """What one run at `dpi` measured: the placeholder frame's size, the TeX after the click, the
    formula's ink width, and at 200 % zoom the ink width and status text."""
    found = {}
    with kav_e2e.session(options) as run:
        if dpi != 96:
            set_display_dpi(run, dpi)
        run.start()
        window = run.wait_window()
        run.focus(window)
        run.expect_status("Ready")
        palette = run.palette_rect()
        check(palette is not None, "the palette is not shown")
        found["palette"] = (palette[2] - palette[0], palette[3] - palette[1])
        found["view_top"] = run.view_area()[1]
        frame = view_ink(run, f"empty_{dpi}.png")
        found["frame"] = (frame[2] - frame[0], frame[3] - frame[1])
        run.type_text(FORMULA)
        check(run.line_tex("abcd+1") == "abcd+1", "the formula was not typed")
        ink = view_ink(run, f"formula_{dpi}.png")
        found["ink"] = ink[2] - ink[0]
        # 30 % into the ink from the left, at its middle: on the b.
        left, top, _, _ = run.client_area()
        x = ink[0] + (ink[2] - ink[0]) * 30 // 100
        y = (ink[1] + ink[3]) // 2
        run.click(left + x, top + y)
        run.type_text("z")
        found["tex"] = run.line_tex("ab" + "zcd+1")
        if zoom_too:
            unzoomed = view_ink(run, "clicked_96.png")
            found["unzoomed"] = unzoomed[2] - unzoomed[0]
            for _ in range(5):  # 110, 125, 150, 175, 200
                run.key("ctrl+equal")
            run.expect_status("Zoom 200%")
            zoomed = view_ink(run, f"zoom200_{dpi}.png")
            found["zoomed"] = zoomed[2] - zoomed[0]
            run.key("ctrl+0")
            run.expect_status("Zoom 100%")
        run.key("ctrl+z")
        run.close_request(window)
        # The formula is unsaved: the question comes, and No ends the program.
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")
    return found


def control_sizes(run, window, name):
    """The sizes that follow the window's DPI, with a screenshot called `name`."""
    frame = view_ink(run, name)
    palette = run.palette_rect()
    check(palette is not None, "the palette is not shown")
    return {
        "window": run.child_size("window"),
        "frame": (frame[2] - frame[0], frame[3] - frame[1]),
        "palette": (palette[2] - palette[0], palette[3] - palette[1]),
        "button": run.child_size("button"),
        "status_height": run.child_size("status")[1],
        "hscroll_height": run.child_size("hscroll")[1],
        "view_top": run.view_area()[1],
        # Wine hands the title bar's and the taskbar's icons to X; widths, smallest first.
        "icons": tuple(sorted(width for width, _, _ in run.window_icons(window))),
    }


def dpi_changed(run, dpi, size):
    """The probe sends WM_DPICHANGED; the status bar still answers afterwards."""
    run.probe_query("dpichanged", str(dpi), size)
    check(run.running(), f"the program ended on WM_DPICHANGED {dpi} {size}")
    run.expect_status("Ready")


def check_twice(before, after, tolerance, what):
    check(all(abs(b - 2 * a) <= tolerance for a, b in zip(before, after)),
          f"{what} is {before} at 96 DPI and {after} after the change to 192")


def run_dpi_change(options):
    """The sizes at 96 DPI, after a change to 192 and after a change back whose rectangle cannot
    be read."""
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        run.expect_status("Ready")
        # Half the size first, so that the doubled window still fits on the screen.
        full = run.child_size("window")
        dpi_changed(run, 96, "50")
        at96 = control_sizes(run, window, "dpi_change_96.png")
        check_twice(at96["window"], full, 2, "the window after a suggested half size")
        dpi_changed(run, 192, "200")
        at192 = control_sizes(run, window, "dpi_change_192.png")
        dpi_changed(run, 96, "unreadable")
        back = control_sizes(run, window, "dpi_change_back.png")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")
    return at96, at192, back


def test_dpi_change(options):
    at96, at192, back = run_dpi_change(options)
    print(f"WM_DPICHANGED: 96 dpi {at96}\n192 dpi {at192}\nback {back}")
    check_twice(at96["window"], at192["window"], 2, "the window")
    check_twice(at96["frame"], at192["frame"], 2, "the placeholder frame")
    check_twice(at96["palette"], at192["palette"], 4, "the palette")
    check_twice(at96["button"], at192["button"], 2, "a style button")
    check_twice((at96["view_top"],), (at192["view_top"],), 8, "the view's top")
    check_twice((at96["hscroll_height"],), (at192["hscroll_height"],), 2,
                "the horizontal scroll bar's height")
    check(at192["status_height"] >= at96["status_height"] * 3 // 2,
          f"the status bar is {at96['status_height']} high at 96 DPI and "
          f"{at192['status_height']} at 192: its face did not grow")
    check(len(at96["icons"]) == 2, f"the window shows icons {at96['icons']} at 96 DPI")
    check_twice(at96["icons"], at192["icons"], 0, "the window's icons")
    check_twice(back["window"], at192["window"], 2, "the window scaled back without a rectangle")
    for name in ("frame", "palette", "button", "status_height", "hscroll_height", "view_top",
                 "icons"):
        check(back[name] == at96[name],
              f"{name} is {back[name]} back at 96 DPI, {at96[name]} before the change")


def test(options):
    test_dpi_change(options)
    at96 = run_at(options, 96, zoom_too=True)
    at192 = run_at(options, 192, zoom_too=False)
    print(f"96 dpi: {at96}\n192 dpi: {at192}")
    w96, h96 = at96["frame"]
    w192, h192 = at192["frame"]
    check(abs(w192 - 2 * w96) <= 2 and abs(h192 - 2 * h96) <= 2,
          f"the placeholder frame is {w96} x {h96} at 96 DPI and {w192} x {h192} at 192 DPI")
    (pw96, ph96), (pw192, ph192) = at96["palette"], at192["palette"]
    check(abs(pw192 - 2 * pw96) <= 4 and abs(ph192 - 2 * ph96) <= 4,
          f"the palette is {pw96} x {ph96} at 96 DPI and {pw192} x {ph192} at 192 DPI")
    check(abs(at192["view_top"] - 2 * at96["view_top"]) <= 8,
          f"the view starts at {at96['view_top']} at 96 DPI and {at192['view_top']} at 192 DPI")
    check(abs(at192["ink"] - 2 * at96["ink"]) <= 4,
          f"the formula is {at96['ink']} wide at 96 DPI and {at192['ink']} at 192 DPI")
    check(at96["tex"] == "abzcd+1", f"the click at 96 DPI put z at {at96['tex']!r}")
    check(at192["tex"] == at96["tex"], f"the click at 192 DPI put z at {at192['tex']!r}")
    check(abs(at96["zoomed"] - 2 * at96["unzoomed"]) <= 4,
          f"at 200 % the formula is {at96['zoomed']} wide, at 100 % {at96['unzoomed']}")


if __name__ == "__main__":
    kav_e2e.main(test)
