// The fixed texts of the Office drawing package ("Art::GVML ClipFormat"): content types,
// relationships, the drawing around the math, and the theme. All UTF-8.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

inline constexpr std::string_view kGvmlContentTypesName = "[Content_Types].xml";
inline constexpr std::string_view kGvmlPackageRelsName = "_rels/.rels";
inline constexpr std::string_view kGvmlDrawingRelsName =
    "clipboard/drawings/_rels/drawing1.xml.rels";
inline constexpr std::string_view kGvmlDrawingName = "clipboard/drawings/drawing1.xml";
inline constexpr std::string_view kGvmlThemeName = "clipboard/theme/theme1.xml";

std::string_view GvmlContentTypesXml();
std::string_view GvmlPackageRelsXml();
std::string_view GvmlDrawingRelsXml();
std::string_view GvmlThemeXml();

// Everything of the drawing before the math: a locked canvas holding one text box of the given
// size in EMU whose paragraph opens an Office Math paragraph.
std::string GvmlDrawingHead(int64_t widthEmu, int64_t heightEmu);
// Closes what the head opened, ending with CR LF.
std::string_view GvmlDrawingTail();

}  // namespace kav
