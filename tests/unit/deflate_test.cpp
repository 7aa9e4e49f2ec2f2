// A compressor kept from one buffer to the next writes exactly what a fresh one writes, so the
// documents that reuse one keep their bytes.
#include "base/deflate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inflate_helper.h"

namespace kav {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

TEST(Deflater, ReusedGivesTheBytesOfAFreshCompressor) {
  std::string longText;
  for (int k = 0; k < 2000; ++k) longText += "<m:r><m:t>" + std::to_string(k) + "</m:t></m:r>";
  const std::vector<std::vector<uint8_t>> buffers = {
      Bytes(longText), Bytes("x"), {}, Bytes(longText.substr(0, 700)), Bytes(longText)};
  for (DeflateWrapper wrapper : {DeflateWrapper::kRaw, DeflateWrapper::kZlib}) {
    for (int level : {1, 6}) {
      Deflater reused(level, wrapper);
      for (const std::vector<uint8_t>& buffer : buffers) {
        const std::vector<uint8_t> packed = reused.Compress(buffer);
        EXPECT_EQ(packed, Deflate(buffer, level, wrapper)) << level << " " << buffer.size();
        EXPECT_EQ(testing::Inflate(packed, wrapper == DeflateWrapper::kRaw).data, buffer);
      }
    }
  }
}

}  // namespace
}  // namespace kav
