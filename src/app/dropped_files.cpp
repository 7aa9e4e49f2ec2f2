#include "app/dropped_files.h"

#include "app/wide_text.h"

namespace kav {

std::vector<std::u16string> TakeDroppedFiles(HDROP drop) {
  std::vector<std::u16string> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(copied);
    names.push_back(FromWide(name));
  }
  DragFinish(drop);
  return names;
}

}  // namespace kav
