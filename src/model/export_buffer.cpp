#include "model/export_buffer.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <limits>

#include "base/failure.h"

namespace kav {
namespace {

bool PointsInto(const char16_t* p, const char16_t* begin, const char16_t* end) {
  return std::less_equal<>()(begin, p) && std::less<>()(p, end);
}

}  // namespace

ExportTextBuffer::ExportTextBuffer() : text_(new char16_t[128]), capacity_(128) { text_[0] = 0; }

void ExportTextBuffer::Clear() {
  length_ = 0;
  text_[0] = 0;
}

void ExportTextBuffer::Reserve(int32_t n) {
  assert(n >= 0);
  if (static_cast<int64_t>(capacity_) >= static_cast<int64_t>(length_) + n + 1) return;
  int64_t capacity = capacity_;
  while (capacity <= static_cast<int64_t>(length_) + n) capacity *= 2;
  if (capacity > std::numeric_limits<int32_t>::max()) Fail(u"Export text too long");
  std::unique_ptr<char16_t[]> grown(new char16_t[capacity]);
  std::copy(text_.get(), text_.get() + length_ + 1, grown.get());
  text_ = std::move(grown);
  capacity_ = static_cast<int32_t>(capacity);
}

void ExportTextBuffer::Append(std::u16string_view text) {
  if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() - length_ - 1)) {
    Fail(u"Export text too long");
  }
  // Text taken from this buffer itself would be released by the growth below.
  if (PointsInto(text.data(), text_.get(), text_.get() + capacity_)) {
    const std::u16string own(text);
    Append(own);
    return;
  }
  Reserve(static_cast<int32_t>(text.size()));
  std::copy(text.begin(), text.end(), text_.get() + length_);
  length_ += static_cast<int32_t>(text.size());
  text_[length_] = 0;
}

void ExportTextBuffer::AppendChar(char16_t unit) { Append(std::u16string_view(&unit, 1)); }

}  // namespace kav
