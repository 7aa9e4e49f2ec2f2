"""Copy and Copy as TeX, read back from X while the program runs.

A formula is typed, selected whole and copied with Ctrl+C. X then offers the four formats: the
program's markup ("Kav v0.1.1"), the picture (Wine's image/bmp of CF_BITMAP), the Office drawing
package ("Art::GVML ClipFormat") and the HWP document ("Hwp Native"). The document and the package
go through the project's oracle readers (olefile, gsf, SheetJS cfb, hwp.js; unzip, bsdtar, Python's
zipfile, the plain-form check); the picture must hold the line's box (the package states its size
in EMU) and all its ink with a blank margin, be about the size of the native converter's picture,
on the window colour, in black and never in the selection's green although the screen shows the
line selected. A copy with nothing selected carries empty markup and the whole line elsewhere.
Finally "Copy as TeX", chosen from the Edit menu with the keyboard, leaves the line's TeX as text.
"""

import io
import os
import re
import struct
import subprocess
import time
import zipfile

import kav_e2e
import screen_ink
from kav_e2e import check

PRIVATE_FORMAT = "Kav v0.1.1"
PACKAGE_FORMAT = "Art::GVML ClipFormat"
DOCUMENT_FORMAT = "Hwp Native"
COPY_FORMATS = (PRIVATE_FORMAT, "image/bmp", PACKAGE_FORMAT, DOCUMENT_FORMAT)

MARKUP = r"<x>\super{<2>}<+>\frac{<a>}{<b>}\sqrt{<y>}"
SCRIPT = "x ^{2 }+{{a }over{b }}sqrt{y }"
OMML = ("<m:sSup><m:e><m:r><m:t>x</m:t></m:r></m:e><m:sup><m:r><m:t>2</m:t></m:r></m:sup></m:sSup>"
        "<m:r><m:t>+</m:t></m:r><m:f><m:num><m:r><m:t>a</m:t></m:r></m:num><m:den><m:r><m:t>b"
        "</m:t></m:r></m:den></m:f><m:rad><m:radPr><m:degHide m:val=\"on\"/></m:radPr><m:deg/>"
        "<m:e><m:r><m:t>y</m:t></m:r></m:e></m:rad>")
TEX = r"x^{2}+\frac{a}{b}\sqrt{y}"
MARGIN = 2  # blank pixels around the picture's box and ink
# GDI and FreeType place glyphs a pixel or two apart, so the two pictures' sizes differ a little.
SIZE_TOLERANCE = 3

ORACLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "oracle")
SYSTEM_PYTHON = os.environ.get("KAV_SYSTEM_PYTHON", "/usr/bin/python3")


def targets(run):
    result = kav_e2e.bounded_run(["timeout", "10", "xclip", "-selection", "clipboard", "-t", "TARGETS",
                             "-o"], env=run.env(), capture_output=True, check=False)
    return result.stdout.decode(errors="replace").splitlines() if result.returncode == 0 else []


def wait_targets(run, wanted, unwanted=(), timeout=20):
    """The clipboard's X targets once all of `wanted` and none of `unwanted` are offered."""
    deadline = time.monotonic() + timeout
    while True:
        offered = targets(run)
        if all(t in offered for t in wanted) and not any(t in offered for t in unwanted):
            return offered
        check(time.monotonic() < deadline,
              f"the clipboard offers {offered}, expected {list(wanted)} without {list(unwanted)}")
        time.sleep(0.3)


def private_text(data):
    return data.decode("utf-16-le", errors="replace").rstrip("\0")


def copy_until(run, keys, expected_markup):
    """Copies until the private format reads `expected_markup`."""
    def markup():
        wait_targets(run, COPY_FORMATS)
        return private_text(run.clipboard(PRIVATE_FORMAT))
    run.press_until(keys, markup, expected_markup, "the copy's markup")


def read_copy(run):
    """The four formats of the copy on the clipboard, each read once."""
    return {name: run.clipboard(name, timeout=15) for name in COPY_FORMATS}


def windows_formats(run, attempts=5):
    """The formats as EnumClipboardFormats lists them; the probe cannot open the clipboard while
    Wine is still serving it to X, so it tries again a few times."""
    for attempt in range(attempts):
        try:
            return run.probe_query("formats")
        except kav_e2e.TestFailure:
            if attempt == attempts - 1:
                raise
            time.sleep(0.5)
    return []


def run_reader(command, env=None):
    result = subprocess.run(command, capture_output=True, timeout=300, check=False,
                            env=dict(os.environ, **(env or {})))
    report = (result.stdout + result.stderr).decode(errors="replace").strip()
    check(result.returncode == 0, f"{' '.join(command[:3])}: {report}")
    return report


def check_with_oracles(folder):
    """Runs every reader of the oracle tests over the payloads in `folder`; returns their words."""
    modules = os.environ.get("ORACLE_NODE_MODULES", "")
    check(os.path.isdir(modules), f"ORACLE_NODE_MODULES ({modules!r}) holds no npm readers")
    reports = []
    for reader in ("olefile", "gsf"):
        reports.append(run_reader([SYSTEM_PYTHON, os.path.join(ORACLE, "hwp_readers.py"), reader,
                                   folder]))
    for reader in ("cfb", "hwpjs"):
        reports.append(run_reader(["node", os.path.join(ORACLE, "hwp_readers.js"), reader, folder],
                                  env={"ORACLE_NODE_MODULES": modules}))
    for reader in ("unzip", "bsdtar", "zipfile", "plain"):
        reports.append(run_reader([SYSTEM_PYTHON, os.path.join(ORACLE, "zip_readers.py"), reader,
                                   folder]))
    return reports


def write_payloads(folder, copy):
    os.makedirs(folder, exist_ok=True)
    files = {"copy.hwp": copy[DOCUMENT_FORMAT], "copy.script.txt": SCRIPT.encode(),
             "copy.gvml.zip": copy[PACKAGE_FORMAT], "copy.omml.txt": OMML.encode()}
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def drawing_size(package):
    """(cx, cy) in EMU of the drawing's shape, as the package states it."""
    with zipfile.ZipFile(io.BytesIO(package)) as archive:
        drawing = archive.read("clipboard/drawings/drawing1.xml").decode()
    sizes = set(re.findall(r'<a:ext cx="(\d+)" cy="(\d+)"/>', drawing))
    check(len(sizes) == 1, f"the drawing states one size, found {sizes}")
    cx, cy = sizes.pop()
    return int(cx), int(cy)


def decode_bmp(data):
    """(width, height, rows of (r, g, b), top row first) of an uncompressed 24/32-bit BMP."""
    check(data[:2] == b"BM" and len(data) >= 54, "image/bmp is a bitmap file")
    offset = struct.unpack_from("<I", data, 10)[0]
    header, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    check(bits in (24, 32) and compression in (0, 3), f"{bits}-bit bitmap, compression {compression}")
    if compression == 3:
        masks = struct.unpack_from("<III", data, 14 + header) if header == 40 else \
            struct.unpack_from("<III", data, 54)
        check(masks == (0xFF0000, 0xFF00, 0xFF), f"colour masks {masks}")
    stride = (width * bits + 31) // 32 * 4
    step = bits // 8
    rows = []
    for y in range(abs(height)):
        stored = abs(height) - 1 - y if height > 0 else y
        row = data[offset + stored * stride:][:width * step]
        rows.append([(row[x * step + 2], row[x * step + 1], row[x * step]) for x in range(width)])
    return width, abs(height), rows


def is_green(pixel):
    r, g, b = pixel
    return g > 128 and g > r + 64 and g > b + 64


def check_picture(bmp, package):
    """The picture holds the root box (whose size the package states) and all its ink, with a
    margin of the window colour all around."""
    width, height, rows = decode_bmp(bmp)
    root_width, root_height = screen_ink.package_root_size(package)
    check(width >= root_width + 2 * MARGIN and height >= root_height + 2 * MARGIN,
          f"picture {width} x {height} pixels, the root box {root_width} x {root_height}")
    pixels = [p for row in rows for p in row]
    border = [p for row in rows[:MARGIN] + rows[-MARGIN:] for p in row]
    border += [p for row in rows for p in row[:MARGIN] + row[-MARGIN:]]
    check(set(border) == {(255, 255, 255)},
          f"the picture's {MARGIN}-pixel margin holds other colours: {set(border)}")
    check(not any(is_green(p) for p in pixels), "the picture has green pixels")
    ink = sum(1 for p in pixels if max(p) < 96)
    check(ink > 100, f"only {ink} dark pixels in the picture")
    return width, height, ink


def native_picture_size(artifacts):
    """(width, height) of the native converter's picture of the same markup."""
    convert = os.environ.get("KAV_CONVERT", "")
    check(os.access(convert, os.X_OK), f"KAV_CONVERT ({convert!r}) is not the native kav-convert")
    document = os.path.join(artifacts, "native.kav")
    with open(document, "w", encoding="utf-8") as f:
        f.write("@@3\n@" + MARKUP + "\n")
    data = subprocess.run([convert, "--to", "bmp", document], check=True, timeout=60,
                          capture_output=True).stdout
    return decode_bmp(data)[:2]


def screen_green(run):
    left, top, width, height = run.client_area()
    shot = run.screenshot("selected.png")
    return sum(1 for y in range(top, top + height, 2) for x in range(left, left + width, 2)
               if is_green(shot.pixel(x, y)))


def type_formula(run):
    run.type_text("x^2")
    run.key("space")
    run.type_text("+a/b")
    run.key("space", "ctrl+r")
    run.type_text("y")
    run.key("space")


def copy_everything(run, artifacts):
    run.key("ctrl+a")
    time.sleep(0.5)
    check(screen_green(run) > 50, "the selected line is shown green on screen")
    copy_until(run, ["ctrl+c"], MARKUP)
    formats = windows_formats(run)
    order = [f for f in formats if f in (PRIVATE_FORMAT, "#2", PACKAGE_FORMAT, DOCUMENT_FORMAT)]
    check(order == [PRIVATE_FORMAT, "#2", PACKAGE_FORMAT, DOCUMENT_FORMAT],
          f"Windows lists the formats as {formats}")
    copy = read_copy(run)
    folder = os.path.join(artifacts, "payloads")
    write_payloads(folder, copy)
    with open(os.path.join(artifacts, "picture.bmp"), "wb") as f:
        f.write(copy["image/bmp"])
    reports = check_with_oracles(folder)
    width, height, ink = check_picture(copy["image/bmp"], copy[PACKAGE_FORMAT])
    native_width, native_height = native_picture_size(artifacts)
    print(f"HWP document {len(copy[DOCUMENT_FORMAT])} bytes, package {len(copy[PACKAGE_FORMAT])} "
          f"bytes, picture {width} x {height} ({ink} dark pixels), natively {native_width} x "
          f"{native_height}; Windows formats {formats}")
    check(abs(width - native_width) <= SIZE_TOLERANCE and
          abs(height - native_height) <= SIZE_TOLERANCE,
          f"the picture is {width} x {height}, the native converter's {native_width} x "
          f"{native_height}")
    for report in reports:
        print(report)
    return copy


def copy_nothing_selected(run, first):
    run.key("End")
    time.sleep(0.3)
    copy_until(run, ["ctrl+c"], "")
    copy = read_copy(run)
    check(copy[PRIVATE_FORMAT] in (b"\0\0", b""), f"empty markup, got {copy[PRIVATE_FORMAT]!r}")
    check(copy[DOCUMENT_FORMAT] == first[DOCUMENT_FORMAT], "the same HWP document without selection")
    check(drawing_size(copy[PACKAGE_FORMAT]) == drawing_size(first[PACKAGE_FORMAT]),
          "the same drawing without selection")
    check(decode_bmp(copy["image/bmp"])[:2] == decode_bmp(first["image/bmp"])[:2],
          "the same picture size without selection")


def copy_as_tex_from_menu(run):
    # Alt+E opens Edit on "New line"; "Copy as TeX" is the seventh item, separators skipped.
    run.key("alt+e")
    time.sleep(0.5)
    run.key(*(["Down"] * 6), "Return")
    wait_targets(run, ["UTF8_STRING"], unwanted=[PRIVATE_FORMAT, PACKAGE_FORMAT, DOCUMENT_FORMAT])
    text = run.clipboard("UTF8_STRING").decode("utf-8")
    check(text == TEX, f"Copy as TeX gave {text!r}, expected {TEX!r}")


def test(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        run.focus(window)
        type_formula(run)
        first = copy_everything(run, options.artifacts)
        copy_nothing_selected(run, first)
        copy_as_tex_from_menu(run)
        check(run.status_text() == "Copied as TeX", f"status bar reads {run.status_text()!r}")


if __name__ == "__main__":
    kav_e2e.main(test)
