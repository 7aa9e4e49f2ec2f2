"""kav.exe carries its manifest, its icons, its version and its three fonts and nothing else of
its own, and its window shows its icon.

Read back with tools nobody here wrote: wrestool and icotool (icoutils) list and unpack the
executable's resources, Python's XML parser reads the manifest, and the X server holds the icon
Wine gave the window (_NET_WM_ICON, read with xprop), compared with the committed picture.
"""

import os
import re
import subprocess
import xml.etree.ElementTree as ElementTree

import kav_e2e
from kav_e2e import check

RT_ICON_GROUP, RT_VERSION, RT_MANIFEST = 14, 16, 24
ICON_SIZES = [16, 24, 32, 48, 256]
SUPPORTED_OS = {
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
}
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def resource(exe, kind, name, raw=True):
    command = ["wrestool", "-x", f"--type={kind}", f"--name={name}", exe]
    if raw:
        command.insert(2, "--raw")
    data = subprocess.run(command, capture_output=True, check=True).stdout
    check(data, f"kav.exe has no resource of type {kind} named {name}")
    return data


def check_manifest(exe):
    root = ElementTree.fromstring(resource(exe, RT_MANIFEST, 1))
    texts = {element.tag.split("}")[1]: (element.text or "").strip() for element in root.iter()}
    check("PerMonitorV2" in texts.get("dpiAwareness", ""), "the manifest asks for no PerMonitorV2")
    identities = [e.attrib for e in root.iter() if e.tag.endswith("assemblyIdentity")]
    check(any(i.get("name") == "Microsoft.Windows.Common-Controls" and
              i.get("version") == "6.0.0.0" for i in identities),
          "the manifest does not ask for Common Controls 6")
    ids = {e.attrib["Id"] for e in root.iter() if e.tag.endswith("supportedOS")}
    check(ids == SUPPORTED_OS, f"supported OS ids: {sorted(ids)}")


def check_icons(exe, artifacts):
    for name in (1, 2):
        ico = os.path.join(artifacts, f"icon{name}.ico")
        with open(ico, "wb") as out:
            out.write(resource(exe, RT_ICON_GROUP, name, raw=False))
        listing = subprocess.run(["icotool", "-l", ico], capture_output=True, text=True,
                                 check=True).stdout
        widths = sorted(int(line.split("--width=")[1].split()[0]) for line in listing.splitlines())
        check(widths == ICON_SIZES, f"icon {name} holds sizes {widths}")


def check_version(exe):
    text = resource(exe, RT_VERSION, 1).decode("utf-16-le", errors="replace")
    for key, value in (("ProductName", "Kav"), ("FileDescription", "Kav equation editor"),
                       ("ProductVersion", "0.2.0.0"), ("OriginalFilename", "kav.exe")):
        check(key in text and value in text.split(key, 1)[1][:40],
              f"the version resource has no {key} {value!r}")
    check("Copyright" in text, "the version resource names no copyright")


def check_own_resources(exe):
    """Beside the standard kinds, only the embedded font files: the integral sign is the math
    font's glyph, so no picture of it is carried."""
    listing = subprocess.run(["wrestool", "-l", exe], capture_output=True, text=True,
                             check=True).stdout
    own = sorted(re.findall(r"--type='(\w+)' --name=(\w+)", listing))
    fonts = [("BINARY", "102"), ("BINARY", "103"), ("BINARY", "104")]
    check(own == fonts, f"kav.exe carries {own} of its own kinds, expected only the fonts {fonts}")


def committed_rgba(size):
    path = os.path.join(ROOT, "resources", "icons", f"app_{size}.png")
    return subprocess.run(["convert", path, "-depth", "8", "rgba:-"], capture_output=True,
                          check=True).stdout


def check_window_icon(options):
    with kav_e2e.session(options) as run:
        run.start()
        window = run.wait_window()
        width, height, argb = max(run.window_icons(window), key=lambda image: image[0])
        check(width == height and width in ICON_SIZES, f"window icon is {width} x {height}")
        expected = committed_rgba(width)
        worst = 0
        for i, pixel in enumerate(argb):
            alpha = pixel >> 24
            if alpha < 128:
                continue
            shown = ((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255)
            worst = max(worst, max(abs(a - b) for a, b in zip(shown, expected[4 * i:4 * i + 3])))
        check(worst <= 24, f"the window's icon is not the program's: a pixel differs by {worst}")
        run.close_request(window)
        check(run.wait_exit() == 0, "program did not end cleanly")


def test(options):
    os.makedirs(options.artifacts, exist_ok=True)
    check_manifest(options.exe)
    check_icons(options.exe, options.artifacts)
    check_version(options.exe)
    check_own_resources(options.exe)
    check_window_icon(options)


if __name__ == "__main__":
    kav_e2e.main(test)
