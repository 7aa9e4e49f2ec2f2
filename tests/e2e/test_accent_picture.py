"""Copy picture draws accents where the screen does.

Four letters are typed, each given an accent with its style button's command (hat, vector, bar,
tilde), and the line is read back as markup. The screen's ink is then compared with the ink of
Copy picture's CF_DIB, which is drawn from GDI's glyph outlines: placed by the letters' left and
bottom edges, the highest ink (the accents) must stand at the same height within a pixel, and
nearly every inked pixel of either must have ink of the other within a pixel. An accent drawn at
the fixed heights meant for a canvas that cannot tell a glyph's ink stands four pixels higher and
fails both.
"""

import os
import time

import kav_e2e
import screen_ink
from kav_e2e import check

MARKUP = "<x|hat><y|vector><z|bar><w|tilde>"
# Each letter and its accent's style command (the style buttons' ids).
STEPS = [("x", 20008), ("y", 20007), ("z", 20009), ("w", 20010)]
COPY_PICTURE = 40021  # the Edit menu's command id
EDGE_TOLERANCE = 1
# The screen draws hinted glyphs, the picture exact outlines: an edge pixel may differ.
SHARE_TOLERANCE = 0.05


def copied_bitmap(run, artifacts):
    """Copy picture's CF_DIB (image/bmp on the X side), read back as a gray image."""
    for _ in range(5):
        time.sleep(0.5)
        run.probe_query("command", str(COPY_PICTURE))
        if kav_e2e.poll(lambda: "image/bmp" in run.clipboard_targets(), True, 5, pause=0.3):
            break
    path = os.path.join(artifacts, "copied.bmp")
    with open(path, "wb") as f:
        f.write(run.clipboard("image/bmp"))
    return screen_ink.read_png(path)


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        time.sleep(1.0)
        for letter, command in STEPS:
            run.type_text(letter)
            time.sleep(0.2)
            run.probe_query("command", str(command))
        markup = run.line_markup()
        check(markup == MARKUP, f"the line reads {markup!r}")
        left, top, _, _ = run.client_area()
        _, view_top, view_right, view_bottom = run.view_area()
        time.sleep(0.3)
        shot = screen_ink.steady_region(run, left, top + view_top, view_right,
                                        view_bottom - view_top, name="typed.png")
        copied = copied_bitmap(run, options.artifacts)
        x0, y0, x1, y1 = screen_ink.bounding_box(shot.ink())
        cx0, cy0, cx1, cy1 = screen_ink.bounding_box(copied.ink())
        print(f"screen ink {x1 - x0 + 1} x {y1 - y0 + 1}, picture ink {cx1 - cx0 + 1} x "
              f"{cy1 - cy0 + 1}")
        check(abs((y1 - y0) - (cy1 - cy0)) <= EDGE_TOLERANCE,
              f"the accents' top stands {y1 - y0} pixels above the bottom on the screen, "
              f"{cy1 - cy0} in the picture")
        check(abs((x1 - x0) - (cx1 - cx0)) <= EDGE_TOLERANCE,
              f"the ink is {x1 - x0 + 1} pixels wide on the screen, {cx1 - cx0 + 1} in the picture")
        dx, dy = x0 - cx0, y1 - cy1
        missing = screen_ink.unmatched_share(shot, copied, dx, dy, reach=1)
        extra = screen_ink.unmatched_share(copied, shot, -dx, -dy, reach=1)
        print(f"screen ink unmatched {missing:.3f}, picture ink unmatched {extra:.3f}")
        check(missing <= SHARE_TOLERANCE and extra <= SHARE_TOLERANCE,
              f"the picture differs from the screen ({missing:.3f}, {extra:.3f})")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
