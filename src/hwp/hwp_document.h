// HwpDocumentBuilder: a complete HWP 5.0 document holding one equation object whose script is
// the given HWP equation script. This is what Copy publishes as "Hwp Native".
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/deflate.h"

namespace kav {

// Makes HWP documents one after another. Every stream but the body text is the same in every
// document (the page preview picture alone costs most of a document), so those streams are made
// for the first document and kept for the next ones.
class HwpDocumentBuilder {
 public:
  HwpDocumentBuilder();

  // The whole compound file. A script longer than 65,535 UTF-16 units is refused with a Failure.
  std::vector<uint8_t> Build(std::u16string_view script);

 private:
  struct FixedStreams {
    std::vector<uint8_t> fileHeader;
    std::vector<uint8_t> docInfo;
    std::vector<uint8_t> summary;
    std::vector<uint8_t> previewText;
    std::vector<uint8_t> previewImage;
    std::vector<uint8_t> linkDoc;
    std::vector<uint8_t> defaultScript;
    std::vector<uint8_t> scriptVersion;
  };
  static FixedStreams MakeFixedStreams();

  Deflater deflater_;
  std::optional<FixedStreams> fixed_;
};

// One document from a builder of its own, for callers that make a single document.
std::vector<uint8_t> BuildHwpDocument(std::u16string_view script);

// The 256-byte "FileHeader" stream: signature, version 5.1.0.1, compressed streams.
std::vector<uint8_t> BuildHwpFileHeader();

}  // namespace kav
