#include "export/gvml_parts.h"

#include <iterator>

namespace kav {
namespace {

#define KAV_XML_DECLARATION "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"

constexpr std::string_view kContentTypes = KAV_XML_DECLARATION
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/clipboard/drawings/drawing1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\"/>"
    "<Override PartName=\"/clipboard/theme/theme1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/></Types>";

constexpr std::string_view kPackageRels = KAV_XML_DECLARATION
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing\" "
    "Target=\"clipboard/drawings/drawing1.xml\"/></Relationships>";

constexpr std::string_view kDrawingRels = KAV_XML_DECLARATION
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme\" "
    "Target=\"../theme/theme1.xml\"/></Relationships>";

// Up to the group's size: the canvas, its group and the group's offset.
constexpr std::string_view kCanvasStart = KAV_XML_DECLARATION
    "<a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
    "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/lockedCanvas\">"
    "<lc:lockedCanvas xmlns:lc=\"http://schemas.openxmlformats.org/drawingml/2006/lockedCanvas\">"
    "<a:nvGrpSpPr><a:cNvPr id=\"0\" name=\"\"/><a:cNvGrpSpPr/></a:nvGrpSpPr>"
    "<a:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/>";
constexpr std::string_view kChildOffset = "<a:chOff x=\"5651710\" y=\"3291840\"/>";
constexpr std::string_view kShapeStart =
    "</a:xfrm></a:grpSpPr><a:sp><a:nvSpPr><a:cNvPr id=\"5\" name=\"TextBox 4\"/>"
    "<a:cNvSpPr txBox=\"1\"/></a:nvSpPr><a:spPr><a:xfrm><a:off x=\"5651710\" y=\"3291840\"/>";
constexpr std::string_view kBodyStart =
    "</a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:noFill/></a:spPr>"
    "<a:txSp><a:txBody><a:bodyPr wrap=\"none\" lIns=\"0\" tIns=\"0\" rIns=\"0\" bIns=\"0\" "
    "rtlCol=\"0\"><a:spAutoFit/></a:bodyPr><a:lstStyle>"
    "<a:defPPr><a:defRPr lang=\"ko-KR\"/></a:defPPr>";
constexpr std::string_view kMathStart =
    "</a:lstStyle><a:p><a14:m xmlns:a14=\"http://schemas.microsoft.com/office/drawing/2010/main\">"
    "<m:oMathPara xmlns:m=\"http://schemas.openxmlformats.org/officeDocument/2006/math\">"
    "<m:oMathParaPr><m:jc m:val=\"centerGroup\"/></m:oMathParaPr>"
    "<m:oMath xmlns:m=\"http://schemas.openxmlformats.org/officeDocument/2006/math\">";
constexpr std::string_view kTail =
    "</m:oMath></m:oMathPara></a14:m><a:endParaRPr lang=\"ko-KR\" altLang=\"en-US\" dirty=\"0\"/>"
    "</a:p></a:txBody><a:useSpRect/></a:txSp></a:sp></lc:lockedCanvas></a:graphicData>"
    "</a:graphic>\r\n";

// The left margin of the nine outline levels: half an inch more per level.
constexpr int64_t kLevelMargins[] = {0,       457200,  914400,  1371600, 1828800,
                                     2286000, 2743200, 3200400, 3657600};

std::string Extent(std::string_view element, int64_t widthEmu, int64_t heightEmu) {
  return "<a:" + std::string(element) + " cx=\"" + std::to_string(widthEmu) + "\" cy=\"" +
         std::to_string(heightEmu) + "\"/>";
}

std::string LevelStyles() {
  std::string styles;
  for (size_t k = 0; k < std::size(kLevelMargins); ++k) {
    const std::string tag = "a:lvl" + std::to_string(k + 1) + "pPr";
    styles += "<" + tag + " marL=\"" + std::to_string(kLevelMargins[k]) +
              "\" algn=\"l\" defTabSz=\"914400\" rtl=\"0\" eaLnBrk=\"1\" latinLnBrk=\"1\" "
              "hangingPunct=\"1\"><a:defRPr sz=\"1800\" kern=\"1200\"><a:solidFill>"
              "<a:schemeClr val=\"tx1\"/></a:solidFill><a:latin typeface=\"+mn-lt\"/>"
              "<a:ea typeface=\"+mn-ea\"/><a:cs typeface=\"+mn-cs\"/></a:defRPr></" +
              tag + ">";
  }
  return styles;
}

}  // namespace

std::string_view GvmlContentTypesXml() {
  return kContentTypes;
}
std::string_view GvmlPackageRelsXml() {
  return kPackageRels;
}
std::string_view GvmlDrawingRelsXml() {
  return kDrawingRels;
}
std::string_view GvmlDrawingTail() {
  return kTail;
}

std::string GvmlDrawingHead(int64_t widthEmu, int64_t heightEmu) {
  std::string head(kCanvasStart);
  head += Extent("ext", widthEmu, heightEmu);
  head += kChildOffset;
  head += Extent("chExt", widthEmu, heightEmu);
  head += kShapeStart;
  head += Extent("ext", widthEmu, heightEmu);
  head += kBodyStart;
  head += LevelStyles();
  head += kMathStart;
  return head;
}

}  // namespace kav
