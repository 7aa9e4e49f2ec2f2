// kav-convert --to hwp and --to gvml: the "Hwp Native" document and the "Art::GVML ClipFormat"
// package that Copy publishes for one line (the first unless --line says otherwise).
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "export/clipboard_payloads.h"
#include "export/convert_text.h"
#include "export/gvml_package.h"
#include "export/hwp_script_writer.h"
#include "export/omml_writer.h"
#include "hwp/hwp_document.h"
#include "native/native_typesetting.h"
#include "tools/convert_formats.h"
#include "typeset/line_geometry.h"

namespace kav {
namespace {

std::u16string ChosenMarkup(const ConvertRequest& request, int32_t number) {
  const std::vector<std::u16string> markups = DocumentMarkups(request.document);
  const auto count = static_cast<int32_t>(markups.size());
  if (number > count) {
    throw ConvertFailure{
        number, u"No such line; the document has " + Ascii16(std::to_string(count)) + u" line(s)"};
  }
  return markups[number - 1];
}

}  // namespace

std::vector<uint8_t> ConvertToHwp(const ConvertRequest& request) {
  const int32_t number = request.line > 0 ? request.line : 1;
  const std::u16string markup = ChosenMarkup(request, number);
  try {
    const EquationLine line(markup);
    ExportTextBuffer script;
    WriteHwpScriptNode(line.tree, line.tree.root, script);
    return BuildHwpDocument(script.View());
  } catch (const Failure& failure) {
    throw ConvertFailure{number, failure.text};
  }
}

std::vector<uint8_t> ConvertToGvml(const ConvertRequest& request) {
  const int32_t number = request.line > 0 ? request.line : 1;
  const std::u16string markup = ChosenMarkup(request, number);
  const NativeTypesetting typesetting;
  try {
    const EquationLine line(markup, &typesetting.Layouter());
    const std::string math = WriteOmml(line.tree, line.tree.root, {});
    return BuildGvmlPackage(math, RootWidth(line), RootHeight(line), LocalDosDateTime());
  } catch (const Failure& failure) {
    throw ConvertFailure{number, failure.text};
  }
}

}  // namespace kav
