"""Italic theta, kappa and rho typed into kav.exe are drawn from Latin Modern Math's italic
letters (by glyph index, as they lie past U+FFFF), as the native renderer draws them."""
import time

import kav_e2e
import screen_ink
import test_typing_picture as typing
from kav_e2e import check

KEYS = [("ctrl+g",), ("theta",), ("Return",), ("ctrl+g",), ("kappa",), ("Return",),
        ("ctrl+g",), ("rho",), ("Return",), ("End",)]
MARKUP = "<theta><kappa><rho>"
OTHER_MARKUP = "<alpha><beta><gamma>"


def test(options):
    reference = typing.Reference(MARKUP, options.artifacts, "expected")
    other = typing.Reference(OTHER_MARKUP, options.artifacts, "other").gray
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        # A chord sent while the program is still busy can lose its Ctrl (the program reads the
        # modifiers when the key message arrives), so the window settles and each chord waits.
        time.sleep(1.0)
        for (step,) in KEYS:
            if step.startswith("ctrl+"):
                time.sleep(0.5)
            if step.isalpha() and step.islower():
                run.type_text(step)
            else:
                run.key(step)
            time.sleep(0.2)
        title = run.wait_title(window, "Kav v0.2 (*)")
        check(title == "Kav v0.2 (*)", f"title after typing is {title!r}")
        left, top, cw, ch = run.client_area()
        _, view_top, view_right, view_bottom = run.view_area()
        view_height = view_bottom - view_top
        _, _, band = typing.expected_origin(cw, view_top, view_height, reference.width,
                                            reference.height)
        band_top = view_top + view_height // 2 - band
        time.sleep(0.3)
        shot = screen_ink.steady_region(run, left, top + band_top, view_right, band,
                                        name="typed.png")
        x0, y0, _, _ = screen_ink.bounding_box(shot.ink())
        rx0, ry0, _, _ = screen_ink.bounding_box(reference.gray.ink())
        missing = screen_ink.unmatched_share(shot, reference.gray, x0 - rx0, y0 - ry0)
        extra = screen_ink.unmatched_share(reference.gray, shot, rx0 - x0, ry0 - y0)
        print(f"screen ink unmatched {missing:.3f}, reference ink unmatched {extra:.3f}")
        check(missing <= typing.SHARE_TOLERANCE and extra <= typing.SHARE_TOLERANCE,
              f"the screen differs from the math italic letters ({missing:.3f}, {extra:.3f})")
        # The comparison tells letters apart: three other Greek letters do not match.
        ox0, oy0, _, _ = screen_ink.bounding_box(other.ink())
        wrong = screen_ink.unmatched_share(shot, other, x0 - ox0, y0 - oy0)
        print(f"screen ink unmatched by other letters {wrong:.3f}")
        check(wrong > typing.SHARE_TOLERANCE, f"other letters match as well ({wrong:.3f})")
        run.close_request(window)
        run.answer_message_box("Notification", "n")
        check(run.wait_exit() == 0, "program did not end cleanly")


if __name__ == "__main__":
    kav_e2e.main(test)
