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
#include "random_typist.h"
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

int Run(int count, const char* path) {
  std::vector<std::u16string> lines;
  for (int i = 0; i < count; ++i) {
    const auto seed = static_cast<uint32_t>(i / 2 + 1);
    lines.push_back(i % 2 == 0 ? RandomTreeMarkup(seed) : RandomTypist(seed).Line());
  }
  const std::vector<uint8_t> bytes = DocumentBytes(lines);
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
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
