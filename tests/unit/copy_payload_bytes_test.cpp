// The HWP document and the Office package that Copy makes for every benchmark corpus formula stay
// byte for byte what they were when the digests were recorded (the package with a fixed stamp).
// Speeding up Copy must not change a single byte that another program reads. A deliberate change
// of either format records new digests: the failure message prints each line as it is now.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/deflate.h"
#include "export/clipboard_payloads.h"
#include "export/convert_text.h"
#include "native/native_typesetting.h"

namespace kav {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file.is_open()) << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Size and CRC-32 of a byte string, as "size:crc" with the CRC in hex.
std::string Digest(const std::vector<uint8_t>& bytes) {
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08x", Crc32(bytes));
  return std::to_string(bytes.size()) + ":" + crc;
}

TEST(CopyPayloadBytes, EveryCorpusFormulaKeepsItsRecordedBytes) {
  const std::vector<std::u16string> markups = DocumentMarkups(ReadText(KAV_BENCH_CORPUS));
  const std::vector<std::string> recorded =
      Lines(ReadText(std::string(KAV_TEST_DATA) + "/corpus-copy-digests.txt"));
  ASSERT_EQ(markups.size(), 41u);
  const NativeTypesetting typesetting;
  const DosDateTime stamp = MakeDosDateTime(2024, 5, 17, 10, 30, 0);
  ExportTextBuffer buffer;
  // One set of builders for the whole corpus, as an editor keeps them from copy to copy.
  PayloadBuilders builders;
  for (size_t k = 0; k < markups.size(); ++k) {
    const EquationLine line(markups[k], &typesetting.Layouter());
    const ClipboardPayloads payloads = BuildClipboardPayloads(line, buffer, builders, stamp);
    const std::string now =
        "hwp " + Digest(payloads.hwpDocument) + " gvml " + Digest(payloads.officePackage);
    EXPECT_EQ(k < recorded.size() ? recorded[k] : "", now) << "corpus line " << k + 1;
  }
}

}  // namespace
}  // namespace kav
