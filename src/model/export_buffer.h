// The growable UTF-16 text buffer that the markup, TeX and HWP writers write into. It grows by
// doubling from 128 units and never shrinks, so rewriting a line after every key costs no
// allocation once it has reached its working size.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kav {

class ExportTextBuffer {
 public:
  ExportTextBuffer();

  void Clear();
  void Append(std::u16string_view text);
  void AppendChar(char16_t unit);
  // Makes room for n more units plus the terminator.
  void Reserve(int32_t n);

  // The text with its terminating NUL, valid until the next change.
  const char16_t* CStr() const { return text_.get(); }
  std::u16string_view View() const { return {text_.get(), static_cast<size_t>(length_)}; }
  std::u16string Text() const { return std::u16string(View()); }
  int32_t Length() const { return length_; }
  int32_t Capacity() const { return capacity_; }

 private:
  std::unique_ptr<char16_t[]> text_;
  int32_t length_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace kav
