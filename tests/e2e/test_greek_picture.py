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
    reference = typing.render(MARKUP, options.artifacts, "expected")
    other = typing.render(OTHER_MARKUP, options.artifacts, "other")
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        for (step,) in KEYS:
            if step.isalpha() and step.islower():
                run.type_text(step)
            else:
                run.key(step)
            time.sleep(0.2)
        title = run.wait_title(window, "Kav v0.2 (*)")
        check(title == "Kav v0.2 (*)", f"title after typing is {title!r}")
        left, top, cw, ch = run.client_area()
        _, _, band = typing.expected_origin(cw, ch, reference.width, reference.height)
        band_top = ch // 2 - band
        time.sleep(0.3)
        shot = screen_ink.steady_region(run, left, top + band_top, cw - 32, band, name="typed.png")
        x0, y0, _, _ = screen_ink.bounding_box(shot.ink())
        rx0, ry0, _, _ = screen_ink.bounding_box(reference.ink())
        missing = screen_ink.unmatched_share(shot, reference, x0 - rx0, y0 - ry0)
        extra = screen_ink.unmatched_share(reference, shot, rx0 - x0, ry0 - y0)
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
