#include "corpus.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

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

}  // namespace kav
