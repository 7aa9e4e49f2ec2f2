// UTF-8 <-> UTF-16 conversion. Decoding is strict: malformed input is reported, never guessed at.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// Where a UTF-8 decode stopped: the byte offset of the first malformed sequence.
struct Utf8Error {
  size_t offset = 0;
};

// Decodes UTF-8 into UTF-16 (surrogate pairs above the BMP). Returns nullopt and fills `error`
// for overlong forms, encoded surrogates, code points above U+10FFFF and truncated sequences.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes, Utf8Error* error = nullptr);

// Appends one code point (at most U+10FFFF, not a surrogate) as UTF-8.
void AppendUtf8(std::string& out, uint32_t codePoint);

// Appends one code point (at most U+10FFFF) as UTF-16: a surrogate pair above the BMP.
void AppendUtf16(std::u16string& out, uint32_t codePoint);

// Encodes UTF-16 as UTF-8. An unpaired surrogate is written as U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// ASCII-only convenience for fixed texts in code and tests.
std::u16string Ascii16(std::string_view ascii);

}  // namespace kav
