"""Typing a formula into kav.exe marks the title modified and draws the formula where the view
puts it, as the native renderer (kav-convert --to png) draws the same markup.

The view of a one-line document: lines are shown in the view area, from vt to vb below the
controls; with band height L = max(100, 8h/5) and view height vh = vb - vt the scroll offset
clamps to s = L - vh/2 (negative), so the root's top-left corner stands at x = cw/2 - w/2,
y = vt + L/2 - h/2 - s. GDI and FreeType measure a little differently, so the ink's
box must agree within a few pixels and its pixels with the reference's within a small share; a
different formula must fail the same comparison.
"""

import os
import subprocess
import time

import kav_e2e
import screen_ink
from kav_e2e import check

# Every insertion scrolls before it changes the line, so after the last letter the offset is
# still that of the line one key earlier; End (the caret is already there) scrolls once more and
# so settles the view on the finished line.
KEYS = [("type", "x^2"), ("key", "space"), ("type", "+a/b"), ("key", "End")]
MARKUP = r"<x>\super{<2>}<+>\frac{<a>}{<b>}"
OTHER_MARKUP = r"<y><=>\sqrt{<a>}<->\frac{<1>}{<n>}"
EDGE_TOLERANCE = 4
SHARE_TOLERANCE = 0.12


class Reference:
    """The native picture of one line of markup, and where its root box lies in it."""

    def __init__(self, markup, folder, name):
        convert = os.environ.get("KAV_CONVERT", "")
        check(os.access(convert, os.X_OK), f"KAV_CONVERT ({convert!r}) is not the native kav-convert")
        os.makedirs(folder, exist_ok=True)
        document = os.path.join(folder, name + ".kav")
        picture = os.path.join(folder, name + ".png")
        with open(document, "w", encoding="utf-8") as f:
            f.write("@@3\n@" + markup + "\n")
        subprocess.run([convert, "--to", "png", "-o", picture, document], check=True, timeout=60)
        package = subprocess.run([convert, "--to", "gvml", document], check=True, timeout=60,
                                 capture_output=True).stdout
        self.gray = screen_ink.read_png(picture)
        # The picture holds the root box, the ink around it and a margin; the PNG's offset is
        # the picture's corner relative to the box's, the package states the box's size.
        left, top = screen_ink.png_offset(picture)
        self.root_left, self.root_top = -left, -top
        self.width, self.height = screen_ink.package_root_size(package)

    def ink_box(self):
        """The ink's bounding box relative to the root box's top-left corner."""
        x0, y0, x1, y1 = screen_ink.bounding_box(self.gray.ink())
        return (x0 - self.root_left, y0 - self.root_top, x1 - self.root_left, y1 - self.root_top)


def expected_origin(cw, view_top, view_height, width, height):
    band = max(100, 8 * height // 5)
    scroll = band - view_height // 2
    return cw // 2 - width // 2, view_top + band // 2 - height // 2 - scroll, band


def type_formula(run):
    for kind, text in KEYS:
        if kind == "type":
            run.type_text(text)
        else:
            run.key(text)


def test(options):
    reference = Reference(MARKUP, options.artifacts, "expected")
    other = Reference(OTHER_MARKUP, options.artifacts, "other").gray
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        type_formula(run)
        title = run.wait_title(window, "Kav v0.2 (*)")
        check(title == "Kav v0.2 (*)", f"title after typing is {title!r}")
        left, top, cw, ch = run.client_area()
        _, view_top, view_right, view_bottom = run.view_area()
        view_height = view_bottom - view_top
        ox, oy, band = expected_origin(cw, view_top, view_height, reference.width,
                                       reference.height)
        # The band of the one line, less the scroll bar at the right.
        band_top = view_top + view_height // 2 - band
        time.sleep(0.3)
        shot = screen_ink.steady_region(run, left, top + band_top, view_right, band,
                                        name="typed.png")
        x0, y0, x1, y1 = screen_ink.bounding_box(shot.ink())
        rx0, ry0, rx1, ry1 = reference.ink_box()
        expected = (ox + rx0, oy - band_top + ry0, ox + rx1, oy - band_top + ry1)
        print(f"client {cw}x{ch}; ink {x0},{y0}..{x1},{y1} in the band, expected {expected}")
        for got, want, edge in zip((x0, y0, x1, y1), expected, ("left", "top", "right", "bottom")):
            check(abs(got - want) <= EDGE_TOLERANCE, f"ink's {edge} edge at {got}, expected {want}")
        px0, py0, _, _ = screen_ink.bounding_box(reference.gray.ink())
        dx, dy = x0 - px0, y0 - py0
        missing = screen_ink.unmatched_share(shot, reference.gray, dx, dy)
        extra = screen_ink.unmatched_share(reference.gray, shot, -dx, -dy)
        print(f"screen ink unmatched {missing:.3f}, reference ink unmatched {extra:.3f}")
        check(missing <= SHARE_TOLERANCE and extra <= SHARE_TOLERANCE,
              f"the screen differs from the reference ({missing:.3f}, {extra:.3f})")
        ax0, ay0, _, _ = screen_ink.bounding_box(other.ink())
        wrong = screen_ink.unmatched_share(shot, other, x0 - ax0, y0 - ay0)
        print(f"screen ink unmatched by another formula {wrong:.3f}")
        check(wrong > SHARE_TOLERANCE, f"another formula matches the screen as well ({wrong:.3f})")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
