// What the libFuzzer targets share: stopping on a broken rule under the target's name, so that
// libFuzzer keeps the input, and turning the input bytes into UTF-16 units.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kav {

// The target's name in its messages ("latex" prints "latex fuzzer: ..."); each target defines it.
extern const char kFuzzTarget[];

inline void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s fuzzer: %s\n", kFuzzTarget, what);
  std::abort();
}

// Bytes to UTF-16 units: one unit per byte, except that 0xFF takes the next two bytes as one
// unit, so both the ASCII syntax and arbitrary units (NUL, surrogates, symbols) are reached.
inline std::u16string UnitsOf(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && i + 2 < size) {
      text.push_back(static_cast<char16_t>(data[i + 1] | (data[i + 2] << 8)));
      i += 2;
    } else {
      text.push_back(data[i]);
    }
  }
  return text;
}

}  // namespace kav
