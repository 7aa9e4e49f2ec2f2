"""The installer and its uninstaller, silent, in a Wine prefix of their own.

A silent install (/S) must put kav.exe, the manual, the licence, the third-party notices and the
uninstaller into the user's programs folder, the Start menu shortcut in place, and the .kav association and the Apps list entry into
the user's registry (read back with `wine reg query`). `wine start` with a .kav file's path must
start the program through that association, titled with the file. The silent uninstall must
leave neither the files, the shortcut nor the keys. What the registry held after each step is
kept in the artifacts folder.

The portable zip (checked by `unzip -t`) must hold the same files, and kav.exe must need nothing
but Windows' own DLLs (its import table, read by mingw-w64's objdump): neither package carries
another DLL.
"""

import glob
import os
import re
import shutil
import subprocess
import time
import zipfile

import kav_e2e
from kav_e2e import check

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CLASSES = r"HKCU\Software\Classes"
# What both packages hold, beside the uninstaller the installer adds.
PACKAGED = ("kav.exe", "manual.html", "README.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt")
# The DLLs of Windows itself that kav.exe may import.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "gdiplus.dll", "comctl32.dll",
               "comdlg32.dll", "shell32.dll", "ole32.dll", "msvcrt.dll", "advapi32.dll"}
KEYS = (CLASSES + r"\.kav", CLASSES + r"\Kav.Document",
        r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kav")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def reg_query(run, key):
    """(exit code, text) of `wine reg query KEY /s`."""
    result = kav_e2e.bounded_run(["timeout", "60", "wine", "reg", "query", key, "/s"], env=run.env(),
                            capture_output=True, check=False)
    return result.returncode, result.stdout.decode("utf-8", errors="replace").replace("\r\n", "\n")


def registry_report(run):
    return "\n".join(f"> wine reg query {key} /s  (exit {code})\n{text.strip()}\n"
                     for key in KEYS for code, text in [reg_query(run, key)])


def installed_folder(prefix):
    found = glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Local",
                                   "Programs", "Kav"))
    return found[0] if found else None


def shortcut(prefix):
    found = glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Roaming",
                                   "Microsoft", "Windows", "Start Menu", "Programs", "Kav.lnk"))
    return found[0] if found else None


def wait_for(predicate, timeout=60):
    deadline = time.monotonic() + timeout
    while not predicate() and time.monotonic() < deadline:
        time.sleep(0.5)
    return predicate()


def check_installed(run, prefix):
    folder = installed_folder(prefix)
    check(folder is not None, "nothing was installed into the user's programs folder")
    for name in PACKAGED + ("uninstall.exe",):
        check(os.path.isfile(os.path.join(folder, name)), f"{name} is not installed")
    for name in ("LICENSE.txt", "THIRD-PARTY-NOTICES.txt"):
        with open(os.path.join(folder, name), "rb") as installed, \
                open(os.path.join(ROOT, name), "rb") as source:
            check(installed.read() == source.read(), f"the installed {name} is not the project's")
    check(shortcut(prefix) is not None, "the Start menu has no Kav shortcut")
    code, text = reg_query(run, CLASSES + r"\.kav")
    check(code == 0 and "Kav.Document" in text, f".kav is not associated: {text!r}")
    code, text = reg_query(run, CLASSES + r"\Kav.Document")
    check("Kav document" in text, f"the document type has no name: {text!r}")
    check('\\kav.exe" "%1"' in text, f"the open verb is not kav.exe with the path: {text!r}")
    check("kav.exe,1" in text, f"the document type has no icon: {text!r}")
    code, text = reg_query(run, KEYS[2])
    for value in ("DisplayName", "UninstallString", "QuietUninstallString", "DisplayIcon"):
        check(value in text, f"the Apps list entry has no {value}: {text!r}")
    return folder


def imported_dlls(exe):
    objdump = shutil.which("x86_64-w64-mingw32-objdump")
    check(objdump is not None, "x86_64-w64-mingw32-objdump is missing (scripts/setup)")
    result = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=False)
    check(result.returncode == 0, f"objdump cannot read {exe}: {result.stderr[-300:]}")
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", result.stdout)}


def check_portable_zip(path, installed_exe):
    check(os.path.isfile(path), f"no portable zip at {path!r} (build the kav_dist target)")
    result = subprocess.run(["unzip", "-t", path], capture_output=True, text=True, check=False)
    check(result.returncode == 0, f"unzip -t fails on the portable zip: {result.stdout[-300:]}")
    with zipfile.ZipFile(path) as archive:
        names = {name for name in archive.namelist() if not name.endswith("/")}
        check(names == {"kav-0.2/" + name for name in PACKAGED},
              f"the portable zip holds {sorted(names)}")
        with open(installed_exe, "rb") as f:
            check(archive.read("kav-0.2/kav.exe") == f.read(),
                  "the zip's kav.exe is not the one the installer installs")


def mirror_user_classes(run, artifacts):
    """Windows shows the user's classes (HKCU\\Software\\Classes) inside HKEY_CLASSES_ROOT, where
    the shell looks for associations; Wine 8 does not merge the two. The installer's keys are
    copied there unchanged, so that the shell runs the very command the installer wrote."""
    for key in KEYS[:2]:
        exported = os.path.join(artifacts, "classes.reg")
        result = kav_e2e.bounded_run(["timeout", "60", "wine", "reg", "export", key,
                                 windows_path(exported), "/y"], env=run.env(),
                                capture_output=True, check=False)
        check(result.returncode == 0, f"reg export {key} failed: {result.stderr[-300:]!r}")
        with open(exported, encoding="utf-16") as f:
            text = f.read()
        with open(exported, "w", encoding="utf-16") as f:
            f.write(text.replace("[HKEY_CURRENT_USER\\Software\\Classes\\", "[HKEY_CLASSES_ROOT\\"))
        result = kav_e2e.bounded_run(["timeout", "60", "wine", "reg", "import", windows_path(exported)],
                                env=run.env(), capture_output=True, check=False)
        check(result.returncode == 0, f"reg import failed: {result.stderr[-300:]!r}")


def open_through_association(run, document):
    mirror_user_classes(run, os.path.dirname(document))
    # The program inherits the output handles: they must not be pipes this test waits on.
    kav_e2e.bounded_run(["timeout", "60", "wine", "start", windows_path(document)], env=run.env(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    window = run.wait_window("Kav v0.2 - " + windows_path(document), timeout=60)
    run.close_request(window)
    check(wait_for(lambda: not run.window_present("Kav v0.2 - " + windows_path(document)), 30),
          "the program opened through the association did not close")


def test(options):
    installer = os.environ.get("KAV_INSTALLER", "")
    check(os.path.isfile(installer), f"no installer at {installer!r} (build the kav_dist target)")
    prefix = os.path.join(os.path.dirname(os.path.abspath(options.prefix)), "installer-prefix")
    kav_e2e.init_prefix(prefix)
    os.makedirs(options.artifacts, exist_ok=True)
    document = os.path.join(options.artifacts, "opened by association.kav")
    with open(document, "w", encoding="utf-8") as f:
        f.write("@@3\n@<x>\\super{<2>}\n")
    reports = []
    with kav_e2e.Session(options.exe, prefix, options.artifacts) as run:
        code, _ = run.run_windows_program(installer, "/S", timeout=180)
        check(code == 0, f"the silent install ended with {code}")
        folder = check_installed(run, prefix)
        exe = os.path.join(folder, "kav.exe")
        foreign = imported_dlls(exe) - SYSTEM_DLLS
        check(not foreign, f"kav.exe needs DLLs that are not part of Windows: {sorted(foreign)}")
        check_portable_zip(os.environ.get("KAV_PORTABLE", ""), exe)
        reports.append("After the silent install:\n" + registry_report(run))
        open_through_association(run, document)
        uninstaller = "C:\\" + os.path.relpath(os.path.join(folder, "uninstall.exe"),
                                               os.path.join(prefix, "drive_c")).replace("/", "\\")
        code, _ = run.run_windows_program(uninstaller, "/S", timeout=180)
        check(code == 0, f"the silent uninstall ended with {code}")
        # The uninstaller runs on from a copy of itself: wait until it has done its work.
        check(wait_for(lambda: not os.path.exists(folder)), f"{folder} is still there")
        check(shortcut(prefix) is None, "the Start menu shortcut is still there")
        for key in KEYS:
            check(wait_for(lambda key=key: reg_query(run, key)[0] != 0, 30),
                  f"{key} is still in the registry")
        reports.append("After the silent uninstall:\n" + registry_report(run))
    with open(os.path.join(options.artifacts, "registry.txt"), "w", encoding="utf-8") as out:
        out.write("\n".join(reports))
    print(f"installer: {os.path.getsize(installer)} bytes")


if __name__ == "__main__":
    kav_e2e.main(test)
