// The main window's title: program name, document path and the unsaved-changes mark.
#pragma once
#include <string>

namespace kav {

inline constexpr char16_t kProgramName[] = u"Kav v0.2";

std::u16string WindowTitle(const std::u16string& path, bool modified);

}  // namespace kav
