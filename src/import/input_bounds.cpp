#include "import/input_bounds.h"

#include "base/utf.h"

namespace kav {
namespace {

// 1048576 as "1,048,576".
std::u16string Grouped(size_t number) {
  std::u16string digits = Ascii16(std::to_string(number));
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, u',');
  return digits;
}

}  // namespace

std::u16string TooLongText(std::u16string_view what, size_t length) {
  return std::u16string(what) + u" is too long: " + Grouped(length) + u" characters (" +
         Grouped(kMaxFormulaText) + u" at most)";
}

}  // namespace kav
