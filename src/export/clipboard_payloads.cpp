#include "export/clipboard_payloads.h"

#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "export/hwp_script_writer.h"
#include "export/latex_writer.h"
#include "export/omml_writer.h"
#include "export/tex_writer.h"
#include "typeset/line_geometry.h"
#include "typeset/paint.h"

namespace kav {

ClipboardPicture LinePicture(const EquationLine& line) {
  ClipboardPicture picture;
  picture.width = RootWidth(line);
  picture.height = RootHeight(line);
  // No selection marks: the clipboard shows the formula, not the state of the editor.
  picture.draw = [boxes = line.boxes](Canvas& canvas) {
    PaintLineBoxes(canvas, 0, 0, boxes, nullptr);
  };
  return picture;
}

ClipboardPayloads BuildClipboardPayloads(const EquationLine& line, ExportTextBuffer& buffer,
                                         PayloadBuilders& builders, DosDateTime stamp) {
  const EquationTree& tree = line.tree;
  ClipboardPayloads payloads;
  buffer.Clear();
  line.SerializeSelection(tree.root, buffer);
  payloads.markup = buffer.Text();

  const std::string math = WriteOmml(tree, tree.root, {});
  payloads.officePackage =
      builders.officePackage.Build(math, RootWidth(line), RootHeight(line), stamp);

  buffer.Clear();
  WriteHwpScriptNode(tree, tree.root, buffer);
  payloads.hwpDocument = builders.hwpDocument.Build(buffer.View());

  payloads.picture = LinePicture(line);
  return payloads;
}

std::u16string LineTex(const EquationLine& line, ExportTextBuffer& buffer) {
  buffer.Clear();
  WriteTexNode(line.tree, line.tree.root, buffer);
  return buffer.Text();
}

std::u16string LineLatex(const EquationLine& line, ExportTextBuffer& buffer) {
  return TreeLatex(line.tree, buffer);
}

DosDateTime LocalDosDateTime() {
  const std::time_t now = std::time(nullptr);
  // The program has one thread, so the shared result of localtime is safe here.
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return MakeDosDateTime(1980, 1, 1, 0, 0, 0);
  return MakeDosDateTime(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                         local->tm_hour, local->tm_min, local->tm_sec);
}

}  // namespace kav
