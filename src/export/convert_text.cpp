#include "export/convert_text.h"

#include <algorithm>

#include "base/failure.h"
#include "base/utf.h"
#include "export/hwp_script_writer.h"
#include "export/latex_writer.h"
#include "export/mathml_writer.h"
#include "export/omml_writer.h"
#include "export/tex_writer.h"
#include "model/document_file.h"

namespace kav {

std::optional<TextFormat> TextFormatNamed(std::string_view name) {
  static constexpr struct {
    std::string_view name;
    TextFormat format;
  } kFormats[] = {{"markup", TextFormat::Markup},
                  {"tex", TextFormat::Tex},
                  {"hwpeq", TextFormat::HwpScript},
                  {"omml", TextFormat::Omml},
                  {"latex", TextFormat::Latex},
                  {"mathml", TextFormat::Mathml}};
  for (const auto& row : kFormats) {
    if (row.name == name) return row.format;
  }
  return std::nullopt;
}

std::vector<std::u16string> DocumentMarkups(std::string_view text) {
  Utf8Error error;
  const std::optional<std::u16string> decoded = DecodeUtf8(text, &error);
  if (!decoded) {
    // The header is the file's first line, so the count of line feeds before the bad byte is
    // the number of the document line that holds it.
    const auto line = std::count(text.begin(), text.begin() + error.offset, '\n');
    throw ConvertFailure{static_cast<int32_t>(line),
                         u"Invalid UTF-8 at byte " + Ascii16(std::to_string(error.offset))};
  }
  std::vector<std::u16string> markups;
  try {
    markups = SplitDocumentText(*decoded);
  } catch (const Failure& failure) {
    // A file that is not a document, as the editor refuses it; the text names the file's line.
    throw ConvertFailure{0, failure.text};
  }
  if (markups.empty()) markups.emplace_back();
  return markups;
}

std::string LineText(const std::u16string& markup, TextFormat format, ExportTextBuffer& buffer) {
  EquationLine line(markup);
  buffer.Clear();
  switch (format) {
    case TextFormat::Markup:
      line.Serialize(buffer);
      return EncodeUtf8(line.markup);
    case TextFormat::Tex:
      WriteTexNode(line.tree, line.tree.root, buffer);
      return EncodeUtf8(buffer.View());
    case TextFormat::HwpScript:
      WriteHwpScriptNode(line.tree, line.tree.root, buffer);
      return EncodeUtf8(buffer.View());
    case TextFormat::Omml:
      return WriteOmml(line.tree, line.tree.root, {});
    case TextFormat::Latex:
      WriteLatexNode(line.tree, line.tree.root, buffer);
      return EncodeUtf8(buffer.View());
    case TextFormat::Mathml:
      return EncodeUtf8(LineMathml(line.tree));
  }
  Fail(u"Unknown text format");
}

namespace {

// The text straight into the container the caller keeps, so a large output is never copied.
template <typename Bytes>
Bytes DocumentText(std::string_view bytes, TextFormat format, int32_t onlyLine) {
  const std::vector<std::u16string> markups = DocumentMarkups(bytes);
  const auto count = static_cast<int32_t>(markups.size());
  if (onlyLine > count) {
    throw ConvertFailure{onlyLine, u"No such line; the document has " +
                                       Ascii16(std::to_string(count)) + u" line(s)"};
  }
  const int32_t first = onlyLine > 0 ? onlyLine : 1;
  const int32_t last = onlyLine > 0 ? onlyLine : count;
  ExportTextBuffer buffer;
  Bytes out;
  for (int32_t number = first; number <= last; ++number) {
    try {
      const std::string text = LineText(markups[number - 1], format, buffer);
      out.insert(out.end(), text.begin(), text.end());
    } catch (const Failure& failure) {
      throw ConvertFailure{number, failure.text};
    }
    out.push_back('\n');
  }
  return out;
}

}  // namespace

std::string ConvertDocumentText(std::string_view bytes, TextFormat format, int32_t onlyLine) {
  return DocumentText<std::string>(bytes, format, onlyLine);
}

std::vector<uint8_t> ConvertDocumentBytes(std::string_view bytes, TextFormat format,
                                          int32_t onlyLine) {
  return DocumentText<std::vector<uint8_t>>(bytes, format, onlyLine);
}

}  // namespace kav
