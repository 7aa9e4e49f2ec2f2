#include "hwp/hwp_section.h"

#include "base/byte_writer.h"
#include "base/failure.h"
#include "hwp/hwp_record.h"

namespace kav {
namespace {

constexpr uint32_t kSectionDef = ControlId('s', 'e', 'c', 'd');
constexpr uint32_t kColumnDef = ControlId('c', 'o', 'l', 'd');
constexpr uint32_t kEquation = ControlId('e', 'q', 'e', 'd');
constexpr char16_t kCtrlSectionColumn = 2;  // extended control: section or column definition
constexpr char16_t kCtrlObject = 11;        // extended control: drawing object, table, equation
constexpr char16_t kParagraphEnd = 13;
constexpr uint32_t kTextUnits = 3 * 8 + 1;  // three 8-unit controls and the paragraph end
constexpr uint32_t kLastParagraph = 0x80000000;

// An extended control in the paragraph text: its code, its id in two units, four reserved
// units, and the code again.
void WriteExtendedControl(ByteWriter& text, char16_t code, uint32_t id) {
  text.U16(code);
  text.U32(id);
  text.Zeros(8);
  text.U16(code);
}

void WriteParagraph(ByteWriter& out) {
  ByteWriter header;
  header.U32(kTextUnits | kLastParagraph);
  header.U32((1u << kCtrlSectionColumn) | (1u << kCtrlObject));  // control characters present
  header.U16(0);                                                 // paragraph shape 0
  header.U8(0);                                                  // style 0
  header.U8(3);   // break kind: section and multi-column
  header.U16(1);  // one character-shape entry
  header.U16(0);  // range tags
  header.U16(0);  // line segments (the word processor lays the paragraph out itself)
  header.U32(0);  // instance id
  header.U16(0);  // track-change merge flag
  WriteRecord(out, hwptag::kParaHeader, 0, header.Data());

  ByteWriter text;
  WriteExtendedControl(text, kCtrlSectionColumn, kSectionDef);
  WriteExtendedControl(text, kCtrlSectionColumn, kColumnDef);
  WriteExtendedControl(text, kCtrlObject, kEquation);
  text.U16(kParagraphEnd);
  WriteRecord(out, hwptag::kParaText, 1, text.Data());

  ByteWriter shapes;
  shapes.U32(0);  // from position 0
  shapes.U32(0);  // character shape 0
  WriteRecord(out, hwptag::kParaCharShape, 1, shapes.Data());
}

void WriteSectionHeader(ByteWriter& out) {
  ByteWriter secd;
  secd.U32(kSectionDef);
  secd.U32(0);     // attributes
  secd.U16(1134);  // column gap (2 mm)
  secd.U16(0);     // vertical grid
  secd.U16(0);     // horizontal grid
  secd.U32(8000);  // default tab stop
  secd.U16(0);     // numbering paragraph shape
  secd.U16(0);     // page start number: continue
  secd.U16(0);     // picture, table and equation start numbers: continue
  secd.U16(0);
  secd.U16(0);
  secd.U16(0);     // default language
  secd.Zeros(17);  // further fields the word processor writes, all zero
  WriteRecord(out, hwptag::kCtrlHeader, 1, secd.Data());
}

// An A4 page in HWP units (1/7200 inch).
void WritePageDef(ByteWriter& out) {
  static constexpr uint32_t kPage[] = {59528, 84188,  // width, height
                                       8504,  8504,   // margins left, right
                                       5668,  4252,   // top, bottom
                                       4252,  4252,   // header, footer
                                       0,     0};     // gutter, attributes (portrait)
  ByteWriter page;
  for (uint32_t v : kPage) page.U32(v);
  WriteRecord(out, hwptag::kPageDef, 2, page.Data());
}

void WriteNoteShape(ByteWriter& out, uint32_t separatorLength, uint16_t noteGap) {
  ByteWriter note;
  note.U32(0);     // numbering: digits, continuing
  note.U16(0);     // user symbol
  note.U16(0);     // prefix
  note.U16(u')');  // suffix
  note.U16(1);     // start number
  note.U32(separatorLength);
  note.U16(850);      // space above the separator
  note.U16(567);      // space below the separator
  note.U16(noteGap);  // space between notes
  note.U8(1);         // separator line kind
  note.U8(1);         // separator thickness
  note.U32(0);        // separator colour: black
  WriteRecord(out, hwptag::kFootnoteShape, 2, note.Data());
}

void WritePageBorderFill(ByteWriter& out) {
  ByteWriter fill;
  fill.U32(1);                                          // attributes: measured from the paper
  for (int side = 0; side < 4; ++side) fill.U16(1417);  // gaps left, right, top, bottom (5 mm)
  fill.U16(1);                                          // border fill 1
  WriteRecord(out, hwptag::kPageBorderFill, 2, fill.Data());
}

void WriteColumnDef(ByteWriter& out) {
  ByteWriter cold;
  cold.U32(kColumnDef);
  cold.U16(0x1004);  // one column (count in bits 2-9), equal widths (bit 12)
  cold.U16(0);       // gap
  cold.U16(0);       // attributes 2
  cold.U8(0);        // separator kind
  cold.U8(0);        // separator thickness
  cold.U32(0);       // separator colour
  WriteRecord(out, hwptag::kCtrlHeader, 1, cold.Data());
}

void WriteEquationObject(ByteWriter& out) {
  ByteWriter eqed;
  eqed.U32(kEquation);
  eqed.U32(0x1C2A2311);  // object attributes: treated as a character, as the word processor sets
  eqed.U32(0);           // vertical offset
  eqed.U32(0);           // horizontal offset
  eqed.U32(1472550);     // width
  eqed.U32(1200);        // height
  eqed.U32(0);           // z-order
  eqed.U16(56);          // outer margins left, right, top, bottom
  eqed.U16(56);
  eqed.U16(0);
  eqed.U16(0);
  eqed.U32(0x65C2B083);                                      // instance id
  eqed.U32(0);                                               // page-break prevention
  WriteHwpString(eqed, u"\uC218\uC2DD\uC785\uB2C8\uB2E4.");  // description "수식입니다."
  WriteRecord(out, hwptag::kCtrlHeader, 1, eqed.Data());
}

// The equation record states its true data length (74 + 2L) in the extended size field.
void WriteEquationScript(ByteWriter& out, std::u16string_view script) {
  ByteWriter eq;
  eq.U32(0);  // attributes
  WriteHwpString(eq, script);
  eq.U32(1200);  // base character size: 12 points
  eq.U32(0);     // colour: black
  eq.U16(86);    // baseline
  eq.U16(0);     // reserved
  WriteHwpString(eq, u"Equation Version 60");
  WriteHwpString(eq, u"HYhwpEQ");
  WriteRecord(out, hwptag::kEqEdit, 2, eq.Data(), RecordSize::kExtended);
}

}  // namespace

std::vector<uint8_t> BuildSectionRecords(std::u16string_view script) {
  if (script.size() > kMaxEquationScriptUnits) {
    Fail(u"Hwp:: The equation is too long for an HWP document (65,535 characters at most)");
  }
  ByteWriter out;
  WriteParagraph(out);
  WriteSectionHeader(out);
  WritePageDef(out);
  WriteNoteShape(out, 0xFFFFFFFF, 283);                              // footnotes
  WriteNoteShape(out, 0xFFFFFFFC, 0);                                // endnotes
  for (int pages = 0; pages < 3; ++pages) WritePageBorderFill(out);  // both, even, odd pages
  WriteColumnDef(out);
  WriteEquationObject(out);
  WriteEquationScript(out, script);
  return out.Take();
}

}  // namespace kav
