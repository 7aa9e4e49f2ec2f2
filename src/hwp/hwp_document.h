// HwpDocumentBuilder: a complete HWP 5.0 document holding one equation object whose script is
// the given HWP equation script. This is what Copy publishes as "Hwp Native".
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace kav {

// The whole compound file. A script longer than 65,535 UTF-16 units is refused with a Failure.
std::vector<uint8_t> BuildHwpDocument(std::u16string_view script);

// The 256-byte "FileHeader" stream: signature, version 5.1.0.1, compressed streams.
std::vector<uint8_t> BuildHwpFileHeader();

}  // namespace kav
