#include "base/save_names.h"

#include <algorithm>

namespace kav {
namespace {

constexpr std::u16string_view kSuffix = u".kav-saving";
constexpr size_t kUniqueDigits = 8;
constexpr char16_t kHexDigits[] = u"0123456789abcdef";

char16_t FoldAscii(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b, {}, FoldAscii, FoldAscii);
}

bool IsHexDigit(char16_t unit) {
  return std::u16string_view(kHexDigits).find(FoldAscii(unit)) != std::u16string_view::npos;
}

}  // namespace

std::u16string TemporarySaveName(std::u16string_view targetName, uint32_t unique) {
  std::u16string name(targetName);
  name += u'.';
  for (size_t i = kUniqueDigits; i-- > 0;) name += kHexDigits[(unique >> (4 * i)) & 0xF];
  name += kSuffix;
  return name;
}

bool IsTemporarySaveNameOf(std::u16string_view name, std::u16string_view targetName) {
  if (name.size() != targetName.size() + 1 + kUniqueDigits + kSuffix.size()) return false;
  const std::u16string_view unique = name.substr(targetName.size() + 1, kUniqueDigits);
  return SameName(name.substr(0, targetName.size()), targetName) &&
         name[targetName.size()] == u'.' && std::ranges::all_of(unique, IsHexDigit) &&
         SameName(name.substr(name.size() - kSuffix.size()), kSuffix);
}

}  // namespace kav
