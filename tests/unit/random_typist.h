// Lines a user could make: random keys, function names, palette symbols and style buttons typed
// into a headless editor of its own, from a seed.
#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "edit/editor.h"
#include "edit/palette.h"
#include "fixed_metrics.h"
#include "native/headless_host.h"
#include "typeset/layout.h"

namespace kav {

class RandomTypist {
 public:
  explicit RandomTypist(uint32_t seed) : random_(seed) {}

  std::u16string Line() {
    for (int events = 4 + Below(24); events > 0; --events) Event();
    return editor_.CurrentLine().markup;
  }

 private:
  int Below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

  void Type(std::u16string_view text) {
    for (char16_t c : text) editor_.OnChar(c);
  }

  void Event() {
    static constexpr std::u16string_view kChars = u"abcdnxyzABFR0123456789+-=()[],.!*<>{|}";
    static constexpr std::u16string_view kWords[] = {u"sin",  u"cos",  u"tan",  u"log",  u"exp",
                                                     u"asin", u"acos", u"atan", u"sinh", u"dx"};
    static constexpr std::u16string_view kStructureChars = u"^_/";
    static constexpr int32_t kMoves[] = {key::Tab, key::Right, key::Left, key::Space, key::Back};
    switch (Below(8)) {
      case 0:
      case 1: return Type(kChars.substr(Below(static_cast<int>(kChars.size())), 1));
      case 2: return Type(kWords[Below(10)]);
      case 3: return Type(kStructureChars.substr(Below(3), 1));
      case 4: return editor_.OnKeyDown(Below(2) ? 'K' : 'R', Modifiers{true, false});
      case 5:
        return OnPaletteCommand(
            editor_, kPaletteCommandBase + Below(static_cast<int>(SymbolTable().size())));
      case 6: return editor_.OnKeyDown(kMoves[Below(5)], Modifiers{});
      default: return editor_.OnCommand(command::StyleRoman + Below(8));
    }
  }

  std::mt19937 random_;
  HeadlessHost host_;
  FixedMetrics metrics_;
  BoxLayouter layouter_{metrics_};
  Editor editor_{host_, metrics_, layouter_};
};

}  // namespace kav
