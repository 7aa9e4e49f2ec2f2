// kav-convert --to hwp and --to gvml: the "Hwp Native" document and the "Art::GVML ClipFormat"
// package that Copy publishes for one line (the first unless --line says otherwise).
#include <optional>
#include <string>

#include "base/failure.h"
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
std::vector<uint8_t> ConvertToHwp(const ConvertRequest& request) {
  const auto [number, markup] = FindRequestedLine(request);
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
  const auto [number, markup] = FindRequestedLine(request);
  std::optional<NativeTypesetting> own;
  const NativeTypesetting& typesetting = TypesettingFor(request, own);
  try {
    const EquationLine line(markup, &typesetting.Layouter());
    const std::string math = WriteOmml(line.tree, line.tree.root, {});
    return BuildGvmlPackage(math, RootWidth(line), RootHeight(line), LocalDosDateTime());
  } catch (const Failure& failure) {
    throw ConvertFailure{number, failure.text};
  }
}

}  // namespace kav
