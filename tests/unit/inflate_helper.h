// Test helper: inflates raw deflate data (or zlib data) with zlib, reporting whether the final
// block was reached and how many input bytes followed it.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace kav::testing {

struct Inflated {
  std::vector<uint8_t> data;
  bool complete = false;  // the final deflate block was read
  size_t unused = 0;      // input bytes after the end of the deflate data
};

inline Inflated Inflate(const std::vector<uint8_t>& in, bool raw = true) {
  Inflated result;
  z_stream z{};
  if (inflateInit2(&z, raw ? -MAX_WBITS : MAX_WBITS) != Z_OK) return result;
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = static_cast<uInt>(in.size());
  uint8_t buffer[4096];
  int ret = Z_OK;
  while (ret == Z_OK) {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    ret = inflate(&z, Z_NO_FLUSH);
    result.data.insert(result.data.end(), buffer, buffer + (sizeof buffer - z.avail_out));
  }
  result.complete = ret == Z_STREAM_END;
  result.unused = z.avail_in;
  inflateEnd(&z);
  return result;
}

}  // namespace kav::testing
