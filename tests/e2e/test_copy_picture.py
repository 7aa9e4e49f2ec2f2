"""Copy picture, read back from X while the program runs.

A formula is typed and "Copy picture" chosen from the Edit menu with the keyboard. The clipboard
must offer the enhanced metafile, the registered "PNG" and the device-independent bitmap (Wine
names them WCF_ENHMETAFILE, image/png and image/bmp on the X side), and nothing of Copy's formats.
The metafile's header bounds are the bitmap's size, the PNG is four times that size with a
transparent background, and the bitmap has black ink on white.

Programs that paste a picture place it by its stated size, so the PNG drawn at four times the
screen's size must say 384 dpi (pHYs 15118 pixels per metre, read by ImageMagick's identify), and
the metafile's frame must be the bitmap's size at 96 dpi in hundredths of a millimetre: both paste
at the formula's own size, not four times larger. The converter's `--scale 4` PNG says the same.

On the Windows side the probe reads the metafile's header through GDI (bounds, frame, record
count and byte size must agree with the bytes X hands out) and plays the metafile into bitmaps.
GDI fills paths without anti-aliasing, each pixel in or out by whether its corner lies inside,
while CF_DIB is anti-aliased: at the bitmap's own size a stroke one pixel wide that straddles two
pixels is one black pixel there and two half-grey ones here, so the two agree poorly, which the
test prints. Played at four times the size and averaged back, the metafile has a coverage like
the bitmap's, and must match CF_DIB's ink as the other readers' pictures match ours: by the
ink-mask intersection over union with half a pixel's coverage of tolerance (ink_compare's
agreement), at least 0.95. A stroke missing or a glyph one pixel off costs far more.

Both bitmaps are drawn from GDI's glyph outlines; the native converter draws the same line from
FreeType's outlines of the same faces. The PNG and CF_DIB must match `kav-convert --to png
--scale 4|1 --transparent` by ink_compare's agreement (ink-mask IoU with half a pixel's coverage
of tolerance) of at least 0.95, like the oracle tests' readers.
"""

import os
import struct
import subprocess
import time
import zlib

import kav_e2e
from kav_e2e import check

PRIVATE_FORMAT = "Kav v0.1.1"
COPY_PICTURE = 40021  # the Edit menu's command id
FORMATS = {"WCF_ENHMETAFILE", "image/png", "image/bmp"}
MARKUP = "<x>\\super{<2>}<+>\\frac{<a>}{<b>}"  # what the test types
PLAYED_INK_AGREEMENT = 0.95
NATIVE_AGREEMENT = 0.95


def targets(run):
    result = kav_e2e.bounded_run(["timeout", "10", "xclip", "-selection", "clipboard", "-t", "TARGETS",
                             "-o"], env=run.env(), capture_output=True, check=False)
    return set(result.stdout.decode(errors="replace").splitlines())


def read(run, target):
    result = kav_e2e.bounded_run(["timeout", "10", "xclip", "-selection", "clipboard", "-t", target, "-o"],
                            env=run.env(), capture_output=True, check=False)
    check(result.returncode == 0 and result.stdout, f"xclip could not read {target}")
    return result.stdout


def emf_records(data):
    """The number of records in metafile bytes, walking their sizes."""
    pos, count = 0, 0
    while pos + 8 <= len(data):
        size = struct.unpack("<I", data[pos + 4:pos + 8])[0]
        check(size >= 8 and size % 4 == 0, f"metafile record {count} has size {size}")
        pos, count = pos + size, count + 1
    check(pos == len(data), "the metafile's last record runs past its bytes")
    return count


def windows_metafile(run, options):
    """The probe's figures for the clipboard's metafile, read and played by GDI, by name."""
    played = os.path.join(options.artifacts, "played-emf.bmp")
    lines = run.probe_query("metafile", "Z:" + played.replace("/", "\\"))
    return {words[0]: [int(w) for w in words[1:]] for words in map(str.split, lines) if words}


def check_windows_metafile(run, options, emf, width, height):
    figures = windows_metafile(run, options)
    print("GDI reads the metafile: " + ", ".join(f"{name} {values}" for name, values in figures.items()
                                                  if name in ("bounds", "frame", "records", "bytes")))
    check(figures["bounds"] == [0, 0, width - 1, height - 1],
          f"GDI reads bounds {figures['bounds']} for a {width} x {height} bitmap")
    check(figures["frame"] == list(struct.unpack("<4i", emf[24:40])),
          f"GDI reads frame {figures['frame']}")
    check(figures["records"] == [emf_records(emf)],
          f"GDI counts {figures['records']} records in {emf_records(emf)}")
    check(figures["bytes"] == [len(emf), len(emf)], f"GDI sizes {figures['bytes']} for {len(emf)} bytes")
    check(figures["dib"] == [width, height], f"CF_DIB is {figures['dib']} on the Windows side")
    agreement = {}
    for name in ("ink", "finer"):
        inked, apart = figures[name]
        agreement[name] = 1 - apart / inked if inked else 0
        print(f"metafile played ({name}) vs CF_DIB: {inked} pixels inked, {apart} apart, "
              f"agreement {agreement[name]:.4f}")
    check(agreement["finer"] >= PLAYED_INK_AGREEMENT,
          f"the played metafile's ink matches CF_DIB's by {agreement['finer']:.4f}")


def png_dpi(path):
    """The resolution ImageMagick's identify reads from a PNG, in dots per inch."""
    out = subprocess.run(["identify", "-units", "PixelsPerInch", "-format", "%x %y", path], check=True,
                         timeout=60, capture_output=True, text=True).stdout.split()
    return [round(float(value)) for value in out]


def tool(variable, what):
    path = os.environ.get(variable, "")
    check(os.access(path, os.X_OK), f"{variable} ({path!r}) is not {what}")
    return path


def check_against_native(artifacts, clipboard_png, clipboard_bmp):
    """The clipboard's PNG and bitmap against the native converter's pictures of the line."""
    convert = tool("KAV_CONVERT", "the native kav-convert")
    compare = tool("KAV_INK_COMPARE", "the native ink_compare")
    document = os.path.join(artifacts, "native.kav")
    with open(document, "w", encoding="utf-8") as f:
        f.write("@@3\n@" + MARKUP + "\n")
    bitmap_png = os.path.join(artifacts, "copied-bmp.png")
    subprocess.run(["convert", clipboard_bmp, bitmap_png], check=True, timeout=60)
    for scale, ours in ((4, clipboard_png), (1, bitmap_png)):
        native = os.path.join(artifacts, f"native-x{scale}.png")
        subprocess.run([convert, "--to", "png", "--scale", str(scale), "--transparent", "-o", native,
                        document], check=True, timeout=60)
        words = subprocess.run([compare, ours, native], check=True, timeout=60, capture_output=True,
                               text=True).stdout.split()
        check(words[0] != "size", f"x{scale}: clipboard picture and native picture differ in size: "
              f"{' '.join(words)}")
        agree, jaccard = float(words[0]), float(words[2])
        print(f"clipboard x{scale} vs native: agreement {agree:.4f}, weighted Jaccard {jaccard:.4f}")
        check(agree >= NATIVE_AGREEMENT, f"x{scale}: the clipboard's ink matches the converter's by "
              f"{agree:.4f}")
        check(png_dpi(native) == [96 * scale] * 2, f"x{scale}: the converter's PNG says "
              f"{png_dpi(native)} dpi")


def png_facts(data):
    """(width, height, colour type, alpha of the top-left pixel) of an 8-bit PNG."""
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "the PNG format does not hold a PNG")
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"IDAT":
            idat += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    raw = zlib.decompress(idat)
    corner_alpha = raw[1 + 3] if colour == 6 and depth == 8 else 255  # filter byte, then RGBA
    return width, height, colour, corner_alpha


def bmp_facts(data):
    """(width, height, whether any pixel is dark, the corner's colour) of a 24-bit bitmap."""
    check(data[:2] == b"BM", "image/bmp does not hold a bitmap file")
    offset = struct.unpack("<I", data[10:14])[0]
    width, height, _, bits = struct.unpack("<iiHH", data[18:30])
    check(bits == 24, f"the bitmap has {bits} bits per pixel")
    pixels = data[offset:]
    dark = any(pixels[i] < 64 and pixels[i + 1] < 64 and pixels[i + 2] < 64
               for i in range(0, len(pixels) - 2, 3))
    return width, abs(height), dark, tuple(pixels[:3])


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        # Before anything is copied the probe names the missing format instead of failing blindly.
        code, out = run.run_windows_program(options.probe, "metafile")
        check(code == 5 and "no CF_ENHMETAFILE" in out, f"probe on an empty clipboard: {code} {out!r}")
        run.type_text("x^2")
        run.key("space")
        run.type_text("+a/b")
        offered = set()
        for _ in range(5):
            time.sleep(0.5)
            # The Edit menu's "Copy picture", sent as its command so the test does not depend on
            # the item's place in the menu.
            run.probe_query("command", str(COPY_PICTURE))
            offered = kav_e2e.poll(lambda: targets(run) & FORMATS, FORMATS, 5, pause=0.3)
            if offered == FORMATS:
                break
        run.screenshot("copied.png")
        check(offered == FORMATS, f"Copy picture offers {sorted(targets(run))}")
        check(PRIVATE_FORMAT not in targets(run), "Copy picture also offers Copy's markup")
        emf = read(run, "WCF_ENHMETAFILE")
        saved = {"copied.emf": emf, "copied.bmp": read(run, "image/bmp"),
                 "copied-x4.png": read(run, "image/png")}
        for name, data in saved.items():
            with open(os.path.join(options.artifacts, name), "wb") as f:
                f.write(data)
        kind, _, left, top, right, bottom = struct.unpack("<IIiiii", emf[:24])
        check(kind == 1 and emf[40:44] == b" EMF", "WCF_ENHMETAFILE does not start with an EMF header")
        width, height, dark, corner = bmp_facts(read(run, "image/bmp"))
        check((left, top, right + 1, bottom + 1) == (0, 0, width, height),
              f"metafile bounds {(left, top, right, bottom)} for a {width} x {height} bitmap")
        check(dark and corner == (255, 255, 255), f"bitmap ink {dark}, corner {corner}")
        check(60 <= width <= 200 and 40 <= height <= 160, f"bitmap is {width} x {height}")
        png_width, png_height, colour, corner_alpha = png_facts(read(run, "image/png"))
        check((png_width, png_height) == (4 * width, 4 * height),
              f"PNG {png_width} x {png_height} for a {width} x {height} bitmap")
        check(colour == 6 and corner_alpha == 0, f"PNG colour type {colour}, corner alpha {corner_alpha}")
        dpi = png_dpi(os.path.join(options.artifacts, "copied-x4.png"))
        print(f"the PNG says {dpi} dpi")
        check(dpi == [384, 384], f"the PNG drawn at 4x says {dpi} dpi")
        frame = list(struct.unpack("<4i", emf[24:40]))
        true_size = [0, 0, round(width * 2540 / 96), round(height * 2540 / 96)]
        check(all(abs(a - b) <= 1 for a, b in zip(frame, true_size)),
              f"metafile frame {frame} for a {width} x {height} picture at 96 dpi ({true_size})")
        check_windows_metafile(run, options, emf, width, height)
        check_against_native(options.artifacts, os.path.join(options.artifacts, "copied-x4.png"),
                             os.path.join(options.artifacts, "copied.bmp"))
        check(run.status_text() == "Copied picture", f"status bar reads {run.status_text()!r}")


if __name__ == "__main__":
    kav_e2e.main(test)
