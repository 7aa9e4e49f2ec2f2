// The largest inputs the editor accepts cost memory in proportion to them: the peak of the heap
// while a paste or an opened document is read, laid out and recorded for undo, per character
// read. Counted by hooking operator new in this test program of its own, so the bound is exact
// and the same on every run, whatever the machine.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "base/utf.h"
#include "edit/editor.h"
#include "import/input_bounds.h"
#include "model/document_file.h"
#include "native/headless_host.h"
#include "native/native_typesetting.h"

namespace {

size_t liveBytes = 0;
size_t peakBytes = 0;

}  // namespace

void* operator new(size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  liveBytes += malloc_usable_size(block);
  peakBytes = std::max(peakBytes, liveBytes);
  return block;
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  liveBytes -= malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, size_t) noexcept { operator delete(block); }

namespace kav {
namespace {

struct InputCase {
  const char* name;
  bool paste;            // pasted as another program's text, else opened as a .kav file
  std::u16string unit;   // repeated up to the longest input accepted
  size_t bytesPerChar;   // the bound on the heap's peak growth per character read
};

std::u16string Repeated(const std::u16string& unit, size_t length) {
  std::u16string text;
  text.reserve(length);
  while (text.size() + unit.size() <= length) text += unit;
  return text;
}

// The heap's growth at its peak while the editor takes the input, per character.
size_t PeakPerChar(const InputCase& c) {
  NativeTypesetting typesetting;
  HeadlessHost host;
  Editor editor(host, typesetting.Metrics(), typesetting.Layouter());
  const std::u16string text = Repeated(c.unit, c.paste ? kMaxFormulaText : kMaxFileLineUnits);
  if (c.paste) {
    host.clipboardUnicodeText = text;
  } else {
    const std::vector<uint8_t> bytes = DocumentBytes({text});
    host.files[u"long.kav"] = bytes;
  }
  const size_t before = liveBytes;
  peakBytes = liveBytes;
  if (c.paste) {
    editor.OnKeyDown('V', Modifiers{true, false});
  } else {
    EXPECT_TRUE(editor.LoadDocument(u"long.kav")) << EncodeUtf8(host.statusText);
  }
  EXPECT_EQ(editor.document().lines.size(), 1u);
  EXPECT_FALSE(editor.document().lines[0].markup.empty());
  return (peakBytes - before) / text.size();
}

TEST(InputMemory, ThePeakFollowsTheInput) {
  const InputCase cases[] = {
      {"paste of letters", true, u"abcdefghijklmnopqrstuvwxyz", 180},
      {"paste of scripts and fractions", true, u"x_{i}^{2}+\\frac{a}{b}", 130},
      {"document of letters", false, u"<a>", 55},
      {"document of structures", false, u"<x>\\sub{<i>}\\super{<2>}<+>\\frac{<a>}{<b>}", 50},
  };
  for (const InputCase& c : cases) {
    const size_t perChar = PeakPerChar(c);
    std::printf("%s: %zu bytes per character\n", c.name, perChar);
    EXPECT_LE(perChar, c.bytesPerChar) << c.name;
  }
}

}  // namespace
}  // namespace kav
