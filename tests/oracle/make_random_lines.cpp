// Test-only tool: a .kav document of random lines for the checks of the LaTeX writer. Half are
// random trees of every kind the markup can hold; half are typed into a headless editor with
// random keys, function names, palette symbols and style buttons, as a user makes lines.
//   make_random_lines COUNT OUT.kav
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "edit/editor.h"
#include "edit/palette.h"
#include "fixed_metrics.h"
#include "model/document_file.h"
#include "native/headless_host.h"
#include "random_tree.h"
#include "typeset/layout.h"

namespace kav {
namespace {

std::u16string RandomTreeMarkup(uint32_t seed) {
  TreeGenerator generator(seed);
  EquationLine line;
  generator.Fill(line.tree);
  ExportTextBuffer buffer;
  line.Serialize(buffer);
  return line.markup;
}

// One line typed with random input into its own editor.
class Typist {
 public:
  explicit Typist(uint32_t seed) : random_(seed) {}

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
    static constexpr std::u16string_view kWords[] = {u"sin",  u"cos",  u"tan", u"log", u"exp",
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
        return OnPaletteCommand(editor_, kPaletteCommandBase +
                                             Below(static_cast<int>(SymbolTable().size())));
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

int Run(int count, const char* path) {
  std::vector<std::u16string> lines;
  for (int i = 0; i < count; ++i) {
    const auto seed = static_cast<uint32_t>(i / 2 + 1);
    lines.push_back(i % 2 == 0 ? RandomTreeMarkup(seed) : Typist(seed).Line());
  }
  const std::vector<uint8_t> bytes = DocumentBytes(lines);
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out ? 0 : 1;
}

}  // namespace
}  // namespace kav

int main(int argc, char** argv) {
  const int count = argc == 3 ? std::atoi(argv[1]) : 0;
  if (count <= 0) {
    std::fprintf(stderr, "usage: make_random_lines COUNT OUT.kav\n");
    return 2;
  }
  try {
    return kav::Run(count, argv[2]);
  } catch (const kav::Failure& failure) {
    std::fprintf(stderr, "make_random_lines: %s\n", kav::EncodeUtf8(failure.text).c_str());
    return 1;
  }
}
