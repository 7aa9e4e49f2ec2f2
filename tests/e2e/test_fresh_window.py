"""A fresh window shows exactly one placeholder frame, centred horizontally and in its line's
100-pixel band, and the status bar reads "Ready".

Lines are shown in the view: the client area below the style buttons and the palette, left of
the scroll bar and above the sideways bar and the status bar. With one empty line the document
is 100 pixels tall; the view may scroll until the last band ends at the middle of the view, so
with the view from vt to vb the band ends at vt + (vb - vt)/2 and the frame's centre lies at
(cw/2, vt + (vb - vt)/2 - 50)."""

import time

import kav_e2e
from kav_e2e import check

PLACEHOLDER = 32      # the frame of an empty slot at base size is 32 x 32 pixels
TOLERANCE = 2         # pen width and the halving of odd sizes


def dark(pixel):
    return sum(pixel) < 200


def dark_pixels(image, left, top, width, height):
    return [(x, y) for y in range(top, top + height) for x in range(left, left + width)
            if dark(image.pixel(x, y))]


class Frame:
    """The box around everything drawn, in client coordinates, and what lies inside it."""

    def __init__(self, pixels):
        xs = [x for x, _ in pixels]
        ys = [y for _, y in pixels]
        self.x0, self.x1, self.y0, self.y1 = min(xs), max(xs), min(ys), max(ys)
        self.inside = sum(1 for x, y in pixels
                          if self.x0 + 4 <= x <= self.x1 - 4 and self.y0 + 4 <= y <= self.y1 - 4)
        self.hollow = self.inside == 0
        # Each side is drawn with a 2-pixel pen, and the frame's lines overlap at one corner:
        # a side is its fullest line among the three outermost ones.
        def fullest(values, edge, step):
            return max(values.count(edge + step * i) for i in range(3))

        self.sides = {"left": fullest(xs, self.x0, 1), "right": fullest(xs, self.x1, -1),
                      "top": fullest(ys, self.y0, 1), "bottom": fullest(ys, self.y1, -1)}


def find_frame(image, left, top, view):
    vl, vt, vr, vb = view
    pixels = dark_pixels(image, left + vl, top + vt, vr - vl, vb - vt)
    check(pixels, "nothing drawn in the client area")
    return Frame([(x - left, y - top) for x, y in pixels])


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.expect_status("Ready")
        left, top, cw, ch = run.client_area()
        view = run.view_area()
        palette = run.palette_rect()
        check(palette and view[1] >= palette[3],
              f"the view {view} begins above the palette {palette}")
        # The block caret blinks over the frame; wait for a picture without it.
        for attempt in range(20):
            time.sleep(0.15)
            frame = find_frame(run.screenshot("fresh.png"), left, top, view)
            if frame.hollow:
                break
        print(f"client {cw}x{ch}; ink spans x {frame.x0}..{frame.x1}, y {frame.y0}..{frame.y1}")
        check(frame.hollow, f"{frame.inside} pixels drawn inside the frame in every picture")
        width, height = frame.x1 - frame.x0 + 1, frame.y1 - frame.y0 + 1
        check(abs(width - PLACEHOLDER) <= TOLERANCE and abs(height - PLACEHOLDER) <= TOLERANCE,
              f"drawn area is {width} x {height}, not one {PLACEHOLDER}-pixel frame")
        check(abs((frame.x0 + frame.x1) / 2 - cw / 2) <= TOLERANCE,
              f"frame centre x {(frame.x0 + frame.x1) / 2} is not the client centre {cw / 2}")
        band_centre = view[1] + (view[3] - view[1]) // 2 - 50
        check(abs((frame.y0 + frame.y1) / 2 - band_centre) <= TOLERANCE,
              f"frame centre y {(frame.y0 + frame.y1) / 2} is not the band centre {band_centre}")
        for name, count in frame.sides.items():
            check(count >= PLACEHOLDER - 2 * TOLERANCE, f"{name} side has only {count} pixels")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
