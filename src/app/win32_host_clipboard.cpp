// The clipboard side of the Win32 host: the main window owns what it publishes.
#include "app/clipboard.h"
#include "app/picture_clipboard.h"
#include "app/win32_host.h"

namespace kav {

bool Win32Host::PublishClipboard(const ClipboardPayloads& payloads) {
  return PublishCopy(windows.main, windows.privateFormat, resources, payloads);
}

bool Win32Host::PublishUnicodeText(std::u16string_view text) {
  return PublishText(windows.main, text);
}

bool Win32Host::PublishPicture(const ClipboardPicture& picture) {
  return kav::PublishPicture(windows.main, resources, picture);
}

bool Win32Host::PublishNamedFormats(const std::vector<NamedClipboardData>& formats,
                                    std::u16string_view text) {
  return PublishNamedTexts(windows.main, formats, text);
}

std::optional<std::u16string> Win32Host::ReadPrivateClipboardText() {
  return ReadClipboardText(windows.main, windows.privateFormat);
}

std::optional<std::vector<uint8_t>> Win32Host::ReadNamedClipboardFormat(std::u16string_view format) {
  return ReadClipboardBytes(windows.main, std::u16string(format));
}

std::optional<std::u16string> Win32Host::ReadUnicodeClipboardText() {
  return ReadClipboardText(windows.main, CF_UNICODETEXT);
}

}  // namespace kav
