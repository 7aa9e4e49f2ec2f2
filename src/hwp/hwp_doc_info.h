// The document information of the one-equation HWP document: the fonts, border fills,
// character and paragraph shapes and the style that the body's records refer to.
#pragma once
#include <cstdint>
#include <vector>

namespace kav {

// The uncompressed record stream of "DocInfo". It holds character shapes 0 and 1, paragraph
// shapes 0 and 1, style 0 and border fills 1 and 2 (border fill ids count from 1).
std::vector<uint8_t> BuildDocInfoRecords();

}  // namespace kav
