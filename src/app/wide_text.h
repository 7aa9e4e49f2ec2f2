// The edge between the core's UTF-16 text (char16_t) and Win32's wide text (wchar_t): on Windows
// both are 16-bit code units, so the conversion is a view of the same units.
#pragma once
#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

namespace kav {

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

inline const wchar_t* Wide(const std::u16string& text) { return Wide(text.c_str()); }

// A pointer into a temporary would dangle once the statement ends: name the string first.
const wchar_t* Wide(std::u16string&& text) = delete;

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

inline std::u16string FromWide(const wchar_t* text) {
  return text == nullptr ? std::u16string() : FromWide(std::wstring_view(text));
}

}  // namespace kav
