// The text formats of the command-line converter: a document's lines as markup, TeX, HWP
// equation script, Office Math, LaTeX or MathML, one output line per document line.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/export_buffer.h"
#include "model/line.h"

namespace kav {

enum class TextFormat { Markup, Tex, HwpScript, Omml, Latex, Mathml };

// The format for a command-line name ("markup", "tex", "hwpeq", "omml", "latex", "mathml");
// nullopt
// otherwise.
std::optional<TextFormat> TextFormatNamed(std::string_view name);

// A failure and the document line it concerns, counting from 1 (0: the document as a whole).
struct ConvertFailure {
  int32_t line = 0;
  std::u16string message;
};

// The markup of every document line. Throws ConvertFailure for bytes that are not UTF-8, at the
// line that holds the first bad byte, and for a file that is not a document (line 0; the text
// names the line of the file).
std::vector<std::u16string> DocumentMarkups(std::string_view bytes);

// One line in a format, UTF-8, without a line end. Throws the reader's or writer's Failure.
std::string LineText(const std::u16string& markup, TextFormat format, ExportTextBuffer& buffer);

// The whole output: the text of every line (only line `onlyLine` when it is positive), each
// ended by a line feed. A document without lines has one empty line, as the editor shows it.
// Throws ConvertFailure; no output is produced then.
std::string ConvertDocumentText(std::string_view bytes, TextFormat format, int32_t onlyLine);
// The same as bytes, for a writer of files.
std::vector<uint8_t> ConvertDocumentBytes(std::string_view bytes, TextFormat format,
                                          int32_t onlyLine);

}  // namespace kav
