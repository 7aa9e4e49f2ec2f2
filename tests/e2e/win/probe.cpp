// Reads what the running program shows but X11 cannot tell: the status bar's text and where the
// main window's client area lies on the screen. Runs under Wine in the program's prefix.
//   kav_probe status   prints the status bar text
//   kav_probe client   prints "left top width height" of the client area in screen pixels
//   kav_probe command ID   sends the main window the command ID, as choosing its menu item does
//   kav_probe formats   prints the clipboard's formats in the order Windows lists them: a
//                       registered format by its name, a standard one as "#" and its number
//   kav_probe view      prints "left top right bottom" of the area where the program shows lines,
//                       in client pixels, as the program's own host computes it
//   kav_probe palette   prints "left top right bottom" of the palette window in client pixels, or
//                       "hidden"
//   kav_probe caret     prints "left top right bottom" of the main window's caret in client
//                       pixels, or "none"
//   kav_probe metafile [PLAYED.bmp]   reads CF_ENHMETAFILE and CF_DIB: prints the metafile
//                       header's "bounds", "frame" (left top right bottom), "records", "bytes"
//                       (the header's count, then the size GDI hands out), the bitmap's size
//                       ("dib"), and "ink" of the metafile played at that size against the
//                       bitmap: pixels either inks by at least half, and of those the ones whose
//                       coverages differ by more than half; "finer" the same for the metafile
//                       played at four times the size and averaged back.
//                       A missing format is named and the exit code is 5.
//   kav_probe child NAME   prints "left top right bottom" of a child control in client pixels:
//                       status (the status bar), hscroll, vscroll, button (the first style
//                       button), or window (the main window's own frame)
//   kav_probe dpichanged DPI PERCENT   sends the main window what a move to a monitor of DPI
//                       brings, suggesting the window's rectangle scaled by PERCENT; the
//                       rectangle is written into the program's memory, where the system puts it
//   kav_probe dpichanged DPI unreadable   the same with an address nothing can be read at
//   kav_probe drop PATH  drops the file PATH on the main window, as Explorer does
//   kav_probe filetypes TITLE   prints the items of the file-type box of the open or save dialog
//                       titled TITLE, one a line, the chosen one after a "*"; exit code 3 when
//                       there is no such dialog
//   kav_probe tooltips  prints every tool of the tooltip controls the main window owns, one a
//                       line: the control id of its button, a tab, and its text
#include <cwchar>
#include <string_view>
#include <string>

#include "app/main_window.h"
#include "app/palette_window.h"
#include "app/win32.h"
#include "app/win32_host.h"
#include "app/wide_text.h"
#include "base/utf.h"
#include "edit/keys.h"
#include "drop_check.h"
#include "file_types_check.h"
#include "metafile_check.h"

namespace {

void Print(const std::u16string& text) {
  const std::string bytes = kav::EncodeUtf8(text) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

HWND MainWindow() { return FindWindowW(L"Kav v0.2", nullptr); }

int PrintStatus(HWND main) {
  HWND status = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
  if (status == nullptr) return 3;
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(status, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return 4;
  }
  Print(kav::FromWide(std::wstring_view(text, copied)));
  return 0;
}

int PrintClient(HWND main) {
  RECT client{};
  GetClientRect(main, &client);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  Print(kav::Ascii16(std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
                     std::to_string(client.right) + " " + std::to_string(client.bottom)));
  return 0;
}

int PostCommand(HWND main, const std::wstring& id) {
  const unsigned long value = std::wcstoul(id.c_str(), nullptr, 10);
  if (value == 0 || value > 0xFFFF) return 2;
  return PostMessageW(main, WM_COMMAND, MAKEWPARAM(value, 0), 0) ? 0 : 4;
}

void PrintRect(const RECT& rect) {
  Print(kav::Ascii16(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                     std::to_string(rect.right) + " " + std::to_string(rect.bottom)));
}

HWND Palette(HWND main) { return FindWindowExW(main, nullptr, kav::kPaletteClassName, nullptr); }

// The program's own view computation over its live windows.
int PrintView(HWND main) {
  kav::HostWindows windows;
  windows.main = main;
  windows.scrollBar = GetDlgItem(main, kav::kScrollBarId);
  windows.horizontalScrollBar = GetDlgItem(main, kav::kHorizontalScrollBarId);
  windows.statusBar = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
  windows.palette = Palette(main);
  kav::DrawingResources resources;
  const kav::ViewArea area = kav::Win32Host(windows, resources).GetViewArea();
  PrintRect(RECT{area.left, area.top, area.right, area.bottom});
  return 0;
}

int PrintPalette(HWND main) {
  HWND palette = Palette(main);
  if (palette == nullptr) return 3;
  if (!IsWindowVisible(palette)) {
    Print(u"hidden");
    return 0;
  }
  RECT rect{};
  GetWindowRect(palette, &rect);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
  PrintRect(rect);
  return 0;
}

// Another thread's caret, through the system's record of that thread's input state.
int PrintCaret(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return 4;
  if (info.hwndCaret == nullptr) {
    Print(u"none");
    return 0;
  }
  RECT rect = info.rcCaret;
  MapWindowPoints(info.hwndCaret, main, reinterpret_cast<POINT*>(&rect), 2);
  PrintRect(rect);
  return 0;
}

HWND Child(HWND main, const std::wstring& name) {
  if (name == L"status") return FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
  if (name == L"hscroll") return GetDlgItem(main, kav::kHorizontalScrollBarId);
  if (name == L"vscroll") return GetDlgItem(main, kav::kScrollBarId);
  if (name == L"button") return GetDlgItem(main, kav::command::StyleRoman);
  if (name == L"window") return main;
  return nullptr;
}

int PrintChild(HWND main, const std::wstring& name) {
  HWND child = Child(main, name);
  if (child == nullptr) return 3;
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
  PrintRect(rect);
  return 0;
}

// A block of another process's memory, freed again when done: what a message that carries a
// pointer needs when it is sent to another process's window.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) : size(size) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, id);
    if (process == nullptr) return;
    address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address != nullptr) VirtualFreeEx(process, address, 0, MEM_RELEASE);
    if (process != nullptr) CloseHandle(process);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  LPARAM Address(size_t offset = 0) const {
    return address == nullptr ? 0 : reinterpret_cast<LPARAM>(static_cast<char*>(address) + offset);
  }
  bool Write(const void* bytes, size_t count, size_t offset = 0) const {
    SIZE_T done = 0;
    return address != nullptr && offset + count <= size &&
           WriteProcessMemory(process, reinterpret_cast<void*>(Address(offset)), bytes, count,
                              &done) &&
           done == count;
  }
  bool Read(void* bytes, size_t count, size_t offset = 0) const {
    SIZE_T done = 0;
    return address != nullptr && offset + count <= size &&
           ReadProcessMemory(process, reinterpret_cast<void*>(Address(offset)), bytes, count,
                             &done) &&
           done == count;
  }

 private:
  size_t size = 0;
  HANDLE process = nullptr;
  void* address = nullptr;
};

int SendDpiChanged(HWND main, UINT dpi, LPARAM suggested) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), suggested,
                             SMTO_ABORTIFHUNG, 10000, &result)
             ? 0
             : 4;
}

int DpiChanged(HWND main, const std::wstring& dpiText, const std::wstring& size) {
  const unsigned long dpi = std::wcstoul(dpiText.c_str(), nullptr, 10);
  if (dpi == 0 || dpi > 0xFFFF) return 2;
  // The first page of an address space is never mapped.
  if (size == L"unreadable") return SendDpiChanged(main, dpi, 0x10);
  const unsigned long percent = std::wcstoul(size.c_str(), nullptr, 10);
  if (percent == 0 || percent > 1000) return 2;
  RECT rect{};
  GetWindowRect(main, &rect);
  rect.right = rect.left + MulDiv(rect.right - rect.left, static_cast<int>(percent), 100);
  rect.bottom = rect.top + MulDiv(rect.bottom - rect.top, static_cast<int>(percent), 100);
  const RemoteMemory remote(main, sizeof(rect));
  if (!remote.Write(&rect, sizeof(rect))) return 4;
  return SendDpiChanged(main, dpi, remote.Address());
}

// One tool of a tooltip control in the program's process: its TTTOOLINFOW and its text are
// placed in that process's memory, where the control reads and writes them.
bool PrintTool(HWND tooltip, WPARAM index) {
  constexpr size_t kTextUnits = 1024;
  const RemoteMemory remote(tooltip, sizeof(TTTOOLINFOW) + kTextUnits * sizeof(wchar_t));
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.lpszText = reinterpret_cast<wchar_t*>(remote.Address(sizeof(tool)));
  DWORD_PTR result = 0;
  if (!remote.Write(&tool, sizeof(tool)) ||
      !SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, index, remote.Address(), SMTO_ABORTIFHUNG,
                           5000, &result) ||
      result == 0 || !remote.Read(&tool, sizeof(tool))) {
    return false;
  }
  tool.lpszText = reinterpret_cast<wchar_t*>(remote.Address(sizeof(tool)));
  wchar_t text[kTextUnits] = {};
  if (!remote.Write(&tool, sizeof(tool)) ||
      !SendMessageTimeoutW(tooltip, TTM_GETTEXTW, kTextUnits, remote.Address(), SMTO_ABORTIFHUNG,
                           5000, &result) ||
      !remote.Read(text, sizeof(text) - sizeof(wchar_t), sizeof(tool))) {
    return false;
  }
  const int id = (tool.uFlags & TTF_IDISHWND) != 0
                     ? GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId))
                     : static_cast<int>(tool.uId);
  Print(kav::Ascii16(std::to_string(id) + "\t") + kav::FromWide(text));
  return true;
}

// Tooltip controls are top-level popups of the program's thread, owned by the main window.
BOOL CALLBACK PrintTooltipControl(HWND window, LPARAM main) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring_view(name) != TOOLTIPS_CLASSW ||
      GetWindow(window, GW_OWNER) != reinterpret_cast<HWND>(main)) {
    return TRUE;
  }
  DWORD_PTR count = 0;
  SendMessageTimeoutW(window, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
  for (WPARAM i = 0; i < count; ++i) {
    if (!PrintTool(window, i)) Print(kav::Ascii16("unreadable tool " + std::to_string(i)));
  }
  return TRUE;
}

int PrintTooltips(HWND main) {
  EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), &PrintTooltipControl,
                    reinterpret_cast<LPARAM>(main));
  return 0;
}

std::u16string FormatName(UINT format) {
  wchar_t name[256] = {};
  const int length = GetClipboardFormatNameW(format, name, 256);
  if (length > 0) return kav::FromWide(std::wstring_view(name, length));
  return kav::Ascii16("#" + std::to_string(format));
}

int PrintFormats() {
  if (!OpenClipboard(nullptr)) return 4;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    Print(FormatName(format));
  }
  CloseClipboard();
  return 0;
}

int PrintMetafile(const std::wstring& playedBmp) {
  const kavprobe::MetafileReport report = kavprobe::CheckClipboardMetafile(playedBmp);
  Print(kav::Ascii16(report.text));
  return report.ok ? 0 : 5;
}

// The probe reads the program's windows in the pixels the program itself sees, at any display
// scaling: it is per-monitor DPI aware like the program.
void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  if (set != nullptr) set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // per monitor v2
}

}  // namespace

int PrintFileTypes(const wchar_t* title) {
  const std::u16string types = kavprobe::FileTypesOfDialog(title);
  if (types.empty()) return 3;
  Print(types);
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  BecomeDpiAware();
  if (argc < 2) return 2;
  HWND main = MainWindow();
  if (main == nullptr) return 3;
  const std::wstring command = argv[1];
  if (command == L"status" && argc == 2) return PrintStatus(main);
  if (command == L"client" && argc == 2) return PrintClient(main);
  if (command == L"command" && argc == 3) return PostCommand(main, argv[2]);
  if (command == L"formats" && argc == 2) return PrintFormats();
  if (command == L"view" && argc == 2) return PrintView(main);
  if (command == L"palette" && argc == 2) return PrintPalette(main);
  if (command == L"caret" && argc == 2) return PrintCaret(main);
  if (command == L"metafile" && argc <= 3) return PrintMetafile(argc == 3 ? argv[2] : L"");
  if (command == L"child" && argc == 3) return PrintChild(main, argv[2]);
  if (command == L"tooltips" && argc == 2) return PrintTooltips(main);
  if (command == L"dpichanged" && argc == 4) return DpiChanged(main, argv[2], argv[3]);
  if (command == L"filetypes" && argc == 3) return PrintFileTypes(argv[2]);
  if (command == L"drop" && argc == 3) return kavprobe::DropFileOn(main, argv[2]) ? 0 : 4;
  return 2;
}
