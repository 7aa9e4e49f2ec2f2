// The clipboard side of the Win32 host.
#include <cstring>
#include <string>

#include "app/wide_text.h"
#include "app/win32_host.h"

namespace kav {
namespace {

// The clipboard, open for as long as the object lives.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open(OpenClipboard(owner) != 0) {}
  ~OpenClipboardScope() {
    if (open) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return open; }

 private:
  bool open;
};

// A movable, zero-filled memory block, freed unless handed to the clipboard.
class GlobalBlock {
 public:
  explicit GlobalBlock(size_t size) : handle(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
  ~GlobalBlock() {
    if (handle != nullptr) GlobalFree(handle);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  bool Fill(const void* data, size_t size) {
    void* target = handle != nullptr ? GlobalLock(handle) : nullptr;
    if (target == nullptr) return false;
    std::memcpy(target, data, size);
    GlobalUnlock(handle);
    return true;
  }
  // The clipboard owns the block once this succeeds.
  bool HandTo(UINT format) {
    if (SetClipboardData(format, handle) == nullptr) return false;
    handle = nullptr;
    return true;
  }

 private:
  HGLOBAL handle;
};

}  // namespace

bool Win32Host::PublishUnicodeText(std::u16string_view text) {
  GlobalBlock block((text.size() + 1) * sizeof(char16_t));
  if (!block.Fill(text.data(), text.size() * sizeof(char16_t))) return false;
  OpenClipboardScope clipboard(windows.main);
  return clipboard.IsOpen() && EmptyClipboard() && block.HandTo(CF_UNICODETEXT);
}

// The text runs to its terminator, and never past the block whatever the block holds.
std::optional<std::u16string> Win32Host::ReadPrivateClipboardText() {
  OpenClipboardScope clipboard(windows.main);
  if (!clipboard.IsOpen() || windows.privateFormat == 0) return std::nullopt;
  HANDLE data = GetClipboardData(windows.privateFormat);
  const void* locked = data != nullptr ? GlobalLock(data) : nullptr;
  if (locked == nullptr) return std::nullopt;
  const size_t units = GlobalSize(data) / sizeof(char16_t);
  const auto* text = static_cast<const char16_t*>(locked);
  size_t length = 0;
  while (length < units && text[length] != u'\0') ++length;
  std::u16string result(text, length);
  GlobalUnlock(data);
  return result;
}

// The four-format copy is built by the clipboard work, which replaces this.
bool Win32Host::PublishClipboard(const ClipboardPayloads&) {
  SetStatusText(u"Copy is not available yet");
  return false;
}

}  // namespace kav
