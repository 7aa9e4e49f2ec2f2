#include "file_types_check.h"

#include "app/win32.h"

namespace kavprobe {
namespace {

// The file-type box's id in the common dialogs (cmb1 of <dlgs.h>).
constexpr int kFileTypeBox = 0x470;
constexpr UINT kWaitMs = 5000;

LRESULT Ask(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(box, message, wParam, lParam, SMTO_ABORTIFHUNG, kWaitMs, &result)) {
    return CB_ERR;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

std::u16string FileTypesOfDialog(const std::wstring& title) {
  const HWND dialog = FindWindowW(L"#32770", title.c_str());
  const HWND box = dialog == nullptr ? nullptr : GetDlgItem(dialog, kFileTypeBox);
  if (box == nullptr) return u"";
  const LRESULT count = Ask(box, CB_GETCOUNT, 0, 0);
  const LRESULT chosen = Ask(box, CB_GETCURSEL, 0, 0);
  std::u16string out;
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[256] = {};
    const LRESULT length = Ask(box, CB_GETLBTEXTLEN, i, 0);
    if (length < 0 || length >= 256 ||
        Ask(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item)) < 0) {
      return u"";
    }
    if (!out.empty()) out += u'\n';
    if (i == chosen) out += u'*';
    out.append(reinterpret_cast<const char16_t*>(item), static_cast<size_t>(length));
  }
  return out;
}

}  // namespace kavprobe
