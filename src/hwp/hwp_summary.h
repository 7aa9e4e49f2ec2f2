// The document summary of the HWP document: an OLE property set in the stream
// "\005HwpSummaryInformation" with empty title, subject, author, keywords and comments.
#pragma once
#include <cstdint>
#include <vector>

namespace kav {

std::vector<uint8_t> BuildHwpSummary();

}  // namespace kav
