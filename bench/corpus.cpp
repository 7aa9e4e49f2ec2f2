#include "corpus.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <algorithm>
#include <iterator>
#include <optional>

#include "base/utf.h"
#include "export/convert_text.h"

namespace kav {

std::vector<std::u16string> CorpusMarkups() {
  const std::string path = std::string(KAV_BENCH_DATA) + "/corpus.kav";
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::vector<std::u16string> markups = DocumentMarkups(bytes);
  if (!file.is_open() || markups.empty()) {
    std::fprintf(stderr, "no benchmark corpus in %s\n", path.c_str());
    std::exit(1);
  }
  return markups;
}

std::vector<std::u16string> CorpusLatex() {
  const std::string path = std::string(KAV_BENCH_DATA) + "/corpus.tex";
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::optional<std::u16string> text = DecodeUtf8(bytes);
  std::vector<std::u16string> lines;
  if (text) {
    for (size_t start = 0; start < text->size();) {
      const size_t end = std::min(text->find(u'\n', start), text->size());
      if (end > start) lines.push_back(text->substr(start, end - start));
      start = end + 1;
    }
  }
  if (lines.empty()) {
    std::fprintf(stderr, "no LaTeX corpus in %s\n", path.c_str());
    std::exit(1);
  }
  return lines;
}

}  // namespace kav
