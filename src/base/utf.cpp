#include "base/utf.h"

namespace kav {
namespace {

// Number of continuation bytes announced by a lead byte, or -1 for an invalid lead.
int TrailCount(uint8_t lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return -1;
}

bool InRangeFor(int trail, uint32_t cp) {
  static constexpr uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[trail] || cp > 0x10FFFF) return false;
  return !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

void AppendUtf16(std::u16string& out, uint32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

std::optional<std::u16string> DecodeUtf8(std::string_view bytes, Utf8Error* error) {
  std::u16string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<uint8_t>(bytes[i]);
    const int trail = TrailCount(lead);
    bool ok = trail >= 0 && i + static_cast<size_t>(trail) < bytes.size();
    uint32_t cp = trail > 0 ? (lead & (0x3F >> trail)) : lead;
    for (int k = 1; ok && k <= trail; ++k) {
      const auto b = static_cast<uint8_t>(bytes[i + k]);
      ok = (b & 0xC0) == 0x80;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok || !InRangeFor(trail < 0 ? 0 : trail, cp)) {
      if (error) error->offset = i;
      return std::nullopt;
    }
    AppendUtf16(out, cp);
    i += static_cast<size_t>(trail) + 1;
  }
  return out;
}

namespace {

// Writes the code point's bytes at `out` and returns the end. Callers size the string first, so
// that encoding costs one allocation and no per-byte append.
char* PutUtf8(char* out, uint32_t cp) {
  const size_t length = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
  if (length == 1) {
    *out = static_cast<char>(cp);
    return out + 1;
  }
  static constexpr uint8_t kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (size_t k = length - 1; k > 0; --k) {
    out[k] = static_cast<char>(0x80 | (cp & 0x3F));
    cp >>= 6;
  }
  out[0] = static_cast<char>(kLead[length] | cp);
  return out + length;
}

// The code point that starts at text[i] and how many units it takes; an unpaired surrogate
// reads as U+FFFD.
uint32_t CodePointAt(std::u16string_view text, size_t i, size_t& units) {
  const uint32_t unit = text[i];
  units = 1;
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
    units = 2;
    return 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  return 0xFFFD;
}

}  // namespace

void AppendUtf8(std::string& out, uint32_t cp) {
  char bytes[4];
  out.append(bytes, static_cast<size_t>(PutUtf8(bytes, cp) - bytes));
}

std::string EncodeUtf8(std::u16string_view text) {
  // No unit takes more than three bytes (a pair takes four for its two), so the output is sized
  // once for the worst case, written in place and cut to length: one allocation, no growth.
  std::string out(text.size() * 3, '\0');
  char* cursor = out.data();
  size_t units = 1;
  for (size_t i = 0; i < text.size(); i += units) {
    if (text[i] < 0x80) {
      *cursor++ = static_cast<char>(text[i]);
      units = 1;
    } else {
      cursor = PutUtf8(cursor, CodePointAt(text, i, units));
    }
  }
  out.resize(static_cast<size_t>(cursor - out.data()));
  // A large text gives the unused room back; a small one keeps it rather than copy again.
  if (out.capacity() > 4096 && out.capacity() > 2 * out.size()) out.shrink_to_fit();
  return out;
}

std::u16string Ascii16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace kav
