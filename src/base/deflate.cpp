#include "base/deflate.h"

#include <zlib.h>

#include <algorithm>

#include "base/failure.h"

namespace kav {
namespace {

// zlib counts in 32-bit units; larger buffers are fed in pieces of this size.
constexpr size_t kMaxPiece = size_t{1} << 30;
constexpr int kMemLevel = 8;

}  // namespace

// Owns an initialised deflate stream so that every exit path ends it. It stays at one address:
// zlib's state points back at it.
class Deflater::Stream {
 public:
  Stream(int level, DeflateWrapper wrapper) {
    const int windowBits = wrapper == DeflateWrapper::kRaw ? -MAX_WBITS : MAX_WBITS;
    if (deflateInit2(&stream_, level, Z_DEFLATED, windowBits, kMemLevel, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
      Fail(u"Deflate: the compressor could not start");
    }
  }
  ~Stream() { deflateEnd(&stream_); }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  z_stream& Get() { return stream_; }

 private:
  z_stream stream_{};
};

std::vector<uint8_t> Deflate(std::span<const uint8_t> data, int level, DeflateWrapper wrapper) {
  return Deflater(level, wrapper).Compress(data);
}

Deflater::Deflater(int level, DeflateWrapper wrapper) : level_(level), wrapper_(wrapper) {}
Deflater::~Deflater() = default;
Deflater::Deflater(Deflater&&) noexcept = default;
Deflater& Deflater::operator=(Deflater&&) noexcept = default;

std::vector<uint8_t> Deflater::Compress(std::span<const uint8_t> data) {
  if (stream_) {
    if (deflateReset(&stream_->Get()) != Z_OK) Fail(u"Deflate: the compressor failed");
  } else {
    stream_ = std::make_unique<Stream>(level_, wrapper_);
  }
  z_stream& z = stream_->Get();
  z.avail_in = 0;  // a buffer left half-done by a failure is not carried over
  std::vector<uint8_t> out;
  size_t consumed = 0;
  int ret = Z_OK;
  while (ret != Z_STREAM_END) {
    if (z.avail_in == 0 && consumed < data.size()) {
      const size_t piece = std::min(kMaxPiece, data.size() - consumed);
      z.next_in = const_cast<Bytef*>(data.data() + consumed);
      z.avail_in = static_cast<uInt>(piece);
      consumed += piece;
    }
    const int flush = consumed == data.size() ? Z_FINISH : Z_NO_FLUSH;
    const size_t before = out.size();
    const size_t room = std::max<size_t>(
        256, std::min<size_t>(kMaxPiece, size_t{z.avail_in} + z.avail_in / 8 + 64));
    out.resize(before + room);
    z.next_out = out.data() + before;
    z.avail_out = static_cast<uInt>(room);
    ret = deflate(&z, flush);
    if (ret == Z_STREAM_ERROR) Fail(u"Deflate: the compressor failed");
    out.resize(before + (room - z.avail_out));
  }
  return out;
}

uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc) {
  uLong value = crc;
  size_t done = 0;
  while (done < data.size()) {
    const size_t piece = std::min(kMaxPiece, data.size() - done);
    value = crc32(value, data.data() + done, static_cast<uInt>(piece));
    done += piece;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace kav
