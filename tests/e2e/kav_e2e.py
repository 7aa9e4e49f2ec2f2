"""Drives the real kav.exe under Wine on a private Xvfb display.

A test makes a `Session`, which starts Xvfb on a display number of its own and the program under
Wine with the shared prefix, and always stops everything it started (by process id, and the
prefix's wineserver) when the `with` block ends, whether the test passed or not.
"""

import argparse
import contextlib
import ctypes
import ctypes.util
import faulthandler
import os
import select
import shutil
import signal
import subprocess
import sys
import time
import traceback

PROGRAM_TITLE = "Kav v0.2"
COPY_AS_TEX = 40016  # the Edit menu's command id
PRIVATE_FORMAT = "Kav v0.1.1"  # the program's own clipboard format: the markup as UTF-16
_REGISTRY_FILES = ("system.reg", "user.reg", "userdef.reg")
_SNAPSHOT_DIR = "kav-e2e-registry"


class TestFailure(Exception):
    """A check of the program's behaviour did not hold."""


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def poll(read, expected, timeout, pause=0.2):
    """Calls `read` until it returns `expected` or `timeout` seconds have passed; its last answer."""
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if value == expected or time.monotonic() > deadline:
            return value
        time.sleep(pause)


def bounded_run(command, **kwargs):
    """subprocess.run of a command that starts with coreutils' `timeout N`. That stops the
    command itself, but a process it started (a Wine helper, a crash handler) can hold the output
    pipes open; Python's own limit, a little later, ends the wait for them in any case."""
    limit = float(command[1]) + 15
    try:
        return subprocess.run(command, timeout=limit, **kwargs)
    except subprocess.TimeoutExpired:
        words = " ".join(map(str, command[2:5]))
        raise TestFailure(f"{words} … did not end within {limit:.0f} s") from None


def _exactly(name):
    """An xdotool name pattern that matches `name` and nothing longer."""
    return "^" + "".join("\\" + c if not c.isalnum() else c for c in name) + "$"


def wine_environment(prefix, display=None):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEARCH": "win64",
        "WINEDEBUG": "-all",
        # No Mono, no Gecko, no desktop menu entries: the prefix starts fast and asks nothing.
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
    })
    env.pop("DISPLAY", None)
    if display is not None:
        env["DISPLAY"] = display
    return env


def _wineserver(prefix, *args, timeout=30):
    with contextlib.suppress(subprocess.TimeoutExpired, FileNotFoundError):
        subprocess.run(["wineserver", *args], env=wine_environment(prefix), timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)


def init_prefix(prefix):
    """Creates a fresh prefix and keeps a copy of its registry, so each test starts from it."""
    if os.path.isdir(prefix):
        _wineserver(prefix, "-k")
        shutil.rmtree(prefix)
    os.makedirs(prefix)
    result = subprocess.run(["wineboot", "--init"], env=wine_environment(prefix), timeout=300,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    _wineserver(prefix, "-w", timeout=300)
    check(result.returncode == 0, f"wineboot failed with exit code {result.returncode}")
    snapshot = os.path.join(prefix, _SNAPSHOT_DIR)
    os.makedirs(snapshot)
    for name in _REGISTRY_FILES:
        shutil.copy2(os.path.join(prefix, name), snapshot)


def restore_prefix(prefix):
    """Puts the registry back as wineboot left it; nothing of the prefix may still be running."""
    snapshot = os.path.join(prefix, _SNAPSHOT_DIR)
    check(os.path.isdir(snapshot), f"{prefix} was not initialised (run the e2e_prefix test)")
    _wineserver(prefix, "-k")
    _wineserver(prefix, "-w")
    for name in _REGISTRY_FILES:
        shutil.copy2(os.path.join(snapshot, name), prefix)


class Image:
    """A screenshot as 8-bit RGB rows."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    @staticmethod
    def from_ppm(data):
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        check(fields[0] == b"P6" and fields[3] == b"255", "screenshot is not 8-bit PPM")
        width, height = int(fields[1]), int(fields[2])
        return Image(width, height, data[pos + 1:pos + 1 + 3 * width * height])


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


def send_delete_window(display, window):
    """What a window manager sends when the user clicks a window's close button."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    check(connection, f"cannot open X display {display}")
    try:
        event = _XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        check(x11.XSendEvent(connection, window, 0, 0, ctypes.byref(event)) != 0,
              "XSendEvent failed")
        x11.XFlush(connection)
    finally:
        x11.XCloseDisplay(connection)


class Session:
    """One run of the program on its own display. Use as a context manager."""

    def __init__(self, exe, prefix, artifacts, probe=None, screen="1280x1024x24"):
        self.exe, self.prefix, self.probe = exe, prefix, probe
        self.artifacts, self.screen = artifacts, screen
        self.display = None
        self._xvfb = None
        self._program = None
        self._logs = []
        os.makedirs(artifacts, exist_ok=True)

    def __enter__(self):
        try:
            restore_prefix(self.prefix)
            self._start_xvfb()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            with contextlib.suppress(Exception):
                self.screenshot("failure.png")
        self.stop()
        return False

    # -- processes ---------------------------------------------------------------------------

    def _log(self, name):
        handle = open(os.path.join(self.artifacts, name), "wb")
        self._logs.append(handle)
        return handle

    def _start_xvfb(self, timeout=20):
        read_end, write_end = os.pipe()
        try:
            self._xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=self._log("xvfb.log"))
            os.close(write_end)
            write_end = -1
            # Xvfb writes its display number once it accepts connections.
            number = b""
            deadline = time.monotonic() + timeout
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                check(left > 0 and select.select([read_end], [], [], left)[0],
                      "Xvfb did not start in time")
                chunk = os.read(read_end, 16)
                check(chunk, "Xvfb exited before accepting connections")
                number += chunk
            self.display = ":" + number.decode().strip()
        finally:
            os.close(read_end)
            if write_end >= 0:
                os.close(write_end)

    def env(self):
        return wine_environment(self.prefix, self.display)

    def start(self, *args):
        """Starts kav.exe with the given command-line arguments."""
        self._program = subprocess.Popen(["wine", self.exe, *args], env=self.env(),
                                         stdout=self._log("program.out"),
                                         stderr=self._log("program.err"))
        return self

    def wait_exit(self, timeout=30):
        """The program's exit code, or a failure if it is still running after `timeout`."""
        try:
            return self._program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure(f"program still running after {timeout} s") from None

    def running(self):
        return self._program is not None and self._program.poll() is None

    def stop(self):
        """Stops the program, the prefix's wineserver and Xvfb; safe to call more than once."""
        if self._program is not None and self._program.poll() is None:
            _terminate(self._program)
        if self.display is not None or self._program is not None:
            _wineserver(self.prefix, "-k")
            _wineserver(self.prefix, "-w")
        if self._xvfb is not None and self._xvfb.poll() is None:
            _terminate(self._xvfb)
        for handle in self._logs:
            handle.close()
        self._logs = []

    # -- X side ----------------------------------------------------------------------------

    def xdotool(self, *args, timeout=20):
        result = bounded_run(["timeout", str(timeout), "xdotool", *map(str, args)],
                                env=self.env(), capture_output=True, check=False)
        check(result.returncode == 0,
              f"xdotool {' '.join(map(str, args))} failed ({result.returncode}): "
              f"{result.stderr.decode(errors='replace').strip()}")
        return result.stdout.decode(errors="replace")

    def wait_window(self, name=PROGRAM_TITLE, timeout=60):
        """The X window id of the first visible window whose title matches `name` exactly."""
        try:
            out = self.xdotool("search", "--sync", "--onlyvisible", "--name", _exactly(name),
                               timeout=timeout)
        except TestFailure:
            raise TestFailure(f"no window named {name!r} within {timeout} s") from None
        return int(out.split()[0])

    def title(self, window):
        return self.xdotool("getwindowname", window).rstrip("\n")

    def wait_title(self, window, expected, timeout=10):
        return poll(lambda: self.title(window), expected, timeout, pause=0.1)

    def window_present(self, name):
        """Whether a visible window's title is `name` exactly."""
        result = bounded_run(["timeout", "10", "xdotool", "search", "--onlyvisible", "--name",
                                 _exactly(name)], env=self.env(), capture_output=True, check=False)
        return result.returncode == 0 and result.stdout.strip() != b""

    def answer_message_box(self, caption, key, timeout=20):
        """Answers the message box titled `caption` with a key ("n" for No, "Escape" cancels)
        and waits until it has gone."""
        box = self.wait_window(caption, timeout=timeout)
        self.focus(box)
        self.key(key)
        deadline = time.monotonic() + timeout
        while self.window_present(caption):
            check(time.monotonic() < deadline, f"the {caption!r} box did not close")
            time.sleep(0.2)

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def key(self, *keys):
        """Key chords in xdotool's names, e.g. key("ctrl+c", "Return"). The program reads the
        modifiers' state when a key's message arrives, so under a busy Wine a chord sent hard on
        the heels of other keys can lose its Ctrl: each chord waits for the keys before it."""
        plain = []
        for key in keys:
            if "+" in key:
                if plain:
                    self.xdotool("key", "--delay", "30", *plain)
                    plain = []
                time.sleep(0.5)
            plain.append(key)
        if plain:
            self.xdotool("key", "--delay", "30", *plain)

    def press_until(self, keys, read, expected, what, attempts=5, settle=0.7, timeout=0):
        """Presses `keys` until `read()` gives `expected`: after each press it waits `settle`
        seconds, then reads for up to `timeout` seconds; fails saying what `what` gave last.
        Under Wine a press can come to nothing, for example while the clipboard is still busy
        serving an earlier read to X (reading at once after a copy would keep it busy)."""
        value = None
        for _ in range(attempts):
            self.key(*keys)
            time.sleep(settle)
            value = poll(read, expected, timeout, pause=0.3)
            if value == expected:
                return
        check(False, f"{what} gave {value!r}, expected {expected!r}")

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", text)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y, "click", button)

    def drag(self, x1, y1, x2, y2):
        self.xdotool("mousemove", "--sync", x1, y1, "mousedown", 1,
                     "mousemove", "--sync", x2, y2, "mouseup", 1)

    def close_request(self, window):
        send_delete_window(self.display, window)

    def clipboard(self, target, timeout=10):
        """The clipboard's content in the format named `target`, as bytes."""
        result = bounded_run(["timeout", str(timeout), "xclip", "-selection", "clipboard",
                                 "-t", target, "-o"], env=self.env(), capture_output=True,
                                check=False)
        check(result.returncode == 0,
              f"clipboard has no {target!r}: {result.stderr.decode(errors='replace').strip()}")
        return result.stdout

    def screenshot(self, name=None):
        """The whole screen; also written to the artifacts folder when `name` is given."""
        data = bounded_run(["timeout", "20", "import", "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env(), capture_output=True, check=True).stdout
        image = Image.from_ppm(data)
        if name:
            subprocess.run(["convert", "ppm:-", os.path.join(self.artifacts, name)], input=data,
                           check=False)
        return image

    # -- Windows side ----------------------------------------------------------------------

    def run_windows_program(self, exe, *args, timeout=60):
        """Runs another Windows program in this session's prefix and display, to its end."""
        result = bounded_run(["timeout", str(timeout), "wine", exe, *args], env=self.env(),
                                capture_output=True, check=False)
        return result.returncode, result.stdout.decode("utf-8", errors="replace").replace(
            "\r\n", "\n")

    def probe_query(self, *args, timeout=30):
        """Runs the probe helper beside the program; returns its output lines."""
        check(self.probe, "no probe helper given")
        code, out = self.run_windows_program(self.probe, *args, timeout=timeout)
        check(code == 0, f"probe {' '.join(args)} failed ({code}): {out}")
        return out.splitlines()

    def status_text(self):
        lines = self.probe_query("status")
        return lines[0] if lines else ""

    def expect_status(self, expected, timeout=20):
        """Waits until the status bar reads `expected`; fails when it does not within `timeout`."""
        text = poll(self.status_text, expected, timeout)
        check(text == expected, f"status bar reads {text!r}, expected {expected!r}")

    def line_tex(self, expected, timeout=10):
        """The TeX of the current line, read through "Copy as TeX" sent as the menu command, once
        it reads `expected` or as it reads when time runs out."""
        def read():
            self.probe_query("command", str(COPY_AS_TEX))
            time.sleep(0.3)
            return self.clipboard("UTF8_STRING").decode("utf-8")
        return poll(read, expected, timeout, pause=0.3)

    # -- the clipboard, shared with other programs through X --------------------------------

    def clipboard_targets(self, timeout=10):
        """The names of the formats the clipboard offers now; none while nothing offers any."""
        result = bounded_run(["timeout", str(timeout), "xclip", "-selection", "clipboard",
                                 "-t", "TARGETS", "-o"], env=self.env(), capture_output=True,
                                check=False)
        return result.stdout.decode(errors="replace").splitlines()

    def clipboard_text(self):
        """The clipboard's UTF8_STRING, or None when it offers none."""
        result = bounded_run(["timeout", "5", "xclip", "-selection", "clipboard", "-t",
                                 "UTF8_STRING", "-o"], env=self.env(), capture_output=True,
                                check=False)
        return result.stdout.decode("utf-8", errors="replace") if result.returncode == 0 else None

    @contextlib.contextmanager
    def offer_text(self, text):
        """xclip owns the clipboard with `text` as long as the block runs (or until another
        program takes the clipboard), as a browser or editor would put it there; it is stopped
        by its process id afterwards."""
        process = subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet", "-i"],
                                   stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, env=self.env())
        try:
            process.stdin.write(text.encode("utf-8"))
            process.stdin.close()
            deadline = time.monotonic() + 10
            while self.clipboard_text() != text:
                check(time.monotonic() < deadline, "xclip never offered the text")
                time.sleep(0.2)
            yield
        finally:
            if process.poll() is None:
                _terminate(process)

    def private_text(self, timeout=10):
        """The private format's text once X offers it, or None."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if PRIVATE_FORMAT in self.clipboard_targets():
                with contextlib.suppress(TestFailure):
                    return self.clipboard(PRIVATE_FORMAT).decode("utf-16-le").rstrip("\0")
            time.sleep(0.3)
        return None

    def line_markup(self):
        """The whole current line's markup, copied with Ctrl+A, Ctrl+C, in a document of one
        line (with several, Ctrl+A selects them all); the selection is left with End."""
        self.key("ctrl+a")
        self.key("ctrl+c")
        time.sleep(0.7)
        text = self.private_text()
        self.key("End")
        return text

    def client_area(self):
        """(left, top, width, height) of the main window's client area on the screen."""
        left, top, width, height = map(int, self.probe_query("client")[0].split())
        return left, top, width, height

    def _rect(self, what):
        """A rectangle the probe reports as "left top right bottom" in client pixels, or None."""
        words = self.probe_query(*([what] if isinstance(what, str) else what))[0].split()
        return tuple(map(int, words)) if len(words) == 4 else None

    def view_area(self):
        """(left, top, right, bottom) of the area where lines are shown, in client pixels."""
        return self._rect("view")

    def palette_rect(self):
        """(left, top, right, bottom) of the palette window in client pixels; None while hidden."""
        return self._rect("palette")

    def caret_rect(self):
        """(left, top, right, bottom) of the screen caret in client pixels; None without one."""
        return self._rect("caret")

    def window_icons(self, window):
        """[(width, height, ARGB pixels)] of the images Wine gave the X window (_NET_WM_ICON)."""
        out = subprocess.run(["xprop", "-id", str(window), "-notype", "32c", "_NET_WM_ICON"],
                             env=self.env(), capture_output=True, text=True, check=True).stdout
        check("=" in out, f"the window has no icon: {out.strip()!r}")
        numbers = [int(n) & 0xFFFFFFFF for n in out.split("=", 1)[1].replace(",", " ").split()]
        images, pos = [], 0
        while pos + 2 <= len(numbers):
            width, height = numbers[pos], numbers[pos + 1]
            images.append((width, height, numbers[pos + 2:pos + 2 + width * height]))
            pos += 2 + width * height
        return images

    def child_size(self, name):
        """(width, height) of a child control the probe knows by `name` (status, hscroll,
        vscroll, button) or of the main window itself (window)."""
        left, top, right, bottom = self._rect(("child", name))
        return right - left, bottom - top


def _terminate(process, grace=5):
    with contextlib.suppress(ProcessLookupError):
        process.send_signal(signal.SIGTERM)
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        with contextlib.suppress(ProcessLookupError):
            process.kill()
        process.wait(timeout=grace)


def main(test):
    """Entry point of one test script: parses the harness options and runs `test(options)`."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe")
    parser.add_argument("--gdi-check")
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--artifacts", required=True)
    options = parser.parse_args()
    # A test that hangs anyway says where, before CTest's own limit ends it without a word.
    faulthandler.dump_traceback_later(540, exit=True)
    try:
        test(options)
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        sys.exit(1)
    except Exception:  # noqa: BLE001 - a broken harness is a failed test, with its trace
        traceback.print_exc()
        sys.exit(1)
    print("passed")


def session(options):
    return Session(options.exe, options.prefix, options.artifacts, probe=options.probe)


if __name__ == "__main__":
    commands = argparse.ArgumentParser(description="e2e prefix management")
    commands.add_argument("command", choices=["init-prefix"])
    commands.add_argument("--prefix", required=True)
    chosen = commands.parse_args()
    init_prefix(chosen.prefix)
