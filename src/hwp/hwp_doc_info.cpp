#include "hwp/hwp_doc_info.h"

#include <iterator>
#include <string_view>

#include "base/byte_writer.h"
#include "hwp/hwp_record.h"

namespace kav {
namespace {

constexpr int kLanguageGroups = 7;  // Hangul, Latin, Hanja, Japanese, other, symbol, user
// The word processor's default body faces, both offered in every language group.
constexpr std::u16string_view kFaces[] = {u"\uD568\uCD08\uB86C\uBC14\uD0D5",  // 함초롬바탕
                                          u"\uBC14\uD0D5"};                   // 바탕
constexpr uint32_t kFaceCount = std::size(kFaces);
constexpr int kBorderFills = 2;
constexpr int kCharShapes = 2;
constexpr int kParaShapes = 2;
constexpr uint16_t kKorean = 0x0412;

void WriteDocumentProperties(ByteWriter& out) {
  ByteWriter props;
  props.U16(1);                              // one section
  for (int k = 0; k < 6; ++k) props.U16(1);  // page, footnote, endnote, picture, table, equation
  props.U32(0);                              // caret: list, paragraph, character position
  props.U32(0);
  props.U32(0);
  WriteRecord(out, hwptag::kDocumentProperties, 0, props.Data());
}

void WriteIdMappings(ByteWriter& out) {
  ByteWriter ids;
  ids.U32(0);  // embedded binary data items
  for (int k = 0; k < kLanguageGroups; ++k) ids.U32(kFaceCount);
  ids.U32(kBorderFills);
  ids.U32(kCharShapes);
  ids.U32(1);  // tab definitions
  ids.U32(0);  // numberings
  ids.U32(0);  // bullets
  ids.U32(kParaShapes);
  ids.U32(1);  // styles
  ids.U32(0);  // memo shapes
  ids.U32(0);  // track changes
  ids.U32(0);  // track-change authors
  WriteRecord(out, hwptag::kIdMappings, 0, ids.Data());
}

void WriteFaceNames(ByteWriter& out) {
  for (int group = 0; group < kLanguageGroups; ++group) {
    for (std::u16string_view face : kFaces) {
      ByteWriter name;
      name.U8(0);  // flags: no alternative, type information or default face
      WriteHwpString(name, face);
      WriteRecord(out, hwptag::kFaceName, 1, name.Data());
    }
  }
}

// One border (kind, thickness, colour) for each side and the diagonal: none, thinnest, black.
void WriteNoBorders(ByteWriter& fill) {
  for (int line = 0; line < 5; ++line) {
    fill.U8(0);
    fill.U8(0);
    fill.U32(0);
  }
}

void WriteBorderFills(ByteWriter& out) {
  ByteWriter plain;
  plain.U16(0);  // attributes
  WriteNoBorders(plain);
  plain.U32(0);  // fill kinds: none
  plain.U32(0);  // size of additional fill data
  WriteRecord(out, hwptag::kBorderFill, 1, plain.Data());

  ByteWriter pattern;
  pattern.U16(0);
  WriteNoBorders(pattern);
  pattern.U32(1);           // fill kinds: colour pattern
  pattern.U32(0xFFFFFFFF);  // background colour: none
  pattern.U32(0x00999999);  // pattern colour
  pattern.U32(0xFFFFFFFF);  // pattern kind: none (-1)
  pattern.U32(0);           // size of additional fill data
  pattern.U8(0);            // the pattern fill's trailing byte
  WriteRecord(out, hwptag::kBorderFill, 1, pattern.Data());
}

// Ten-point black text in face `face` of every group, bordered by border fill `borderFill`.
void WriteCharShape(ByteWriter& out, uint16_t face, uint16_t borderFill) {
  ByteWriter shape;
  for (int k = 0; k < kLanguageGroups; ++k) shape.U16(face);
  for (int k = 0; k < kLanguageGroups; ++k) shape.U8(100);  // width ratio %
  for (int k = 0; k < kLanguageGroups; ++k) shape.U8(0);    // letter spacing %
  for (int k = 0; k < kLanguageGroups; ++k) shape.U8(100);  // relative size %
  for (int k = 0; k < kLanguageGroups; ++k) shape.U8(0);    // vertical offset %
  shape.U32(1000);                                          // base size: 10 points
  shape.U32(0);  // attributes: upright, regular, no decorations
  shape.U8(10);  // shadow gaps x and y
  shape.U8(10);
  shape.U32(0);           // text colour: black
  shape.U32(0);           // underline colour
  shape.U32(0xFFFFFFFF);  // shade colour: none
  shape.U32(0x00B2B2B2);  // shadow colour
  shape.U16(borderFill);
  shape.U32(0);  // strikeout colour
  WriteRecord(out, hwptag::kCharShape, 1, shape.Data());
}

void WriteTabDef(ByteWriter& out) {
  ByteWriter tabs;
  tabs.U32(0);  // attributes: no automatic tabs
  tabs.U32(0);  // no tab stops
  WriteRecord(out, hwptag::kTabDef, 1, tabs.Data());
}

// Justified, no margins or indents, line spacing 160 %.
void WriteParaShape(ByteWriter& out, uint16_t borderFill) {
  ByteWriter shape;
  shape.U32(0);                              // attributes 1: spacing in percent, justified
  for (int k = 0; k < 5; ++k) shape.U32(0);  // margins left, right, indent, space above, below
  shape.U32(160);                            // line spacing (older field)
  shape.U16(0);                              // tab definition 0
  shape.U16(0);                              // numbering or bullet: none
  shape.U16(borderFill);
  for (int k = 0; k < 4; ++k) shape.U16(0);  // border spacing
  shape.U32(0);                              // attributes 2
  shape.U32(0);                              // attributes 3: spacing in percent
  shape.U32(160);                            // line spacing
  WriteRecord(out, hwptag::kParaShape, 1, shape.Data());
}

void WriteStyle(ByteWriter& out) {
  ByteWriter style;
  WriteHwpString(style, u"\uBC14\uD0D5\uAE00");  // 바탕글
  WriteHwpString(style, u"Normal");
  style.U8(0);  // paragraph style
  style.U8(0);  // next style: itself
  style.U16(kKorean);
  style.U16(1);  // paragraph shape 1
  style.U16(1);  // character shape 1
  style.U16(0);  // reserved
  WriteRecord(out, hwptag::kStyle, 1, style.Data());
}

void WriteCompatibility(ByteWriter& out) {
  ByteWriter target;
  target.U32(0);  // laid out as the current word processor does
  WriteRecord(out, hwptag::kCompatibleDocument, 0, target.Data());
  ByteWriter levels;
  for (int k = 0; k < 5; ++k) levels.U32(0);  // character, paragraph, section, object, field
  WriteRecord(out, hwptag::kLayoutCompatibility, 1, levels.Data());
}

}  // namespace

std::vector<uint8_t> BuildDocInfoRecords() {
  ByteWriter out;
  WriteDocumentProperties(out);
  WriteIdMappings(out);
  WriteFaceNames(out);
  WriteBorderFills(out);
  WriteCharShape(out, 0, 1);
  WriteCharShape(out, 1, 2);
  WriteTabDef(out);
  WriteParaShape(out, 1);
  WriteParaShape(out, 2);
  WriteStyle(out);
  WriteCompatibility(out);
  return out.Take();
}

}  // namespace kav
