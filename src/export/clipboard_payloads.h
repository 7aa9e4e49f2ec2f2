// What Copy, Copy as TeX and Copy as LaTeX put on the clipboard for one laid-out line, built as plain data so
// that the editor, the converter and the tests share one recipe and only the window copies it
// into clipboard memory.
#pragma once
#include <string>

#include "export/gvml_package.h"
#include "export/zip_writer.h"
#include "hwp/hwp_document.h"
#include "model/export_buffer.h"
#include "model/line.h"
#include "platform/host.h"

namespace kav {

// The line's picture: its root's laid-out size and a drawing of its boxes with the root's
// top-left corner at the canvas origin, never with selection colours; the platform frames it. The drawing keeps its
// own copy of the boxes, so it stays valid when the line changes.
ClipboardPicture LinePicture(const EquationLine& line);

// What Copy keeps from one copy to the next: the builders that make the parts every formula
// shares only once.
struct PayloadBuilders {
  GvmlPackageBuilder officePackage;
  HwpDocumentBuilder hwpDocument;
};

// The four formats of Copy, in the order they are made: the markup of the wholly selected
// parts (the caller brings the selection up to date first), the Office drawing package stamped
// `stamp`, the HWP document of the line's script, then the picture. `buffer` is cleared before
// each writer uses it. A writer's Failure propagates; nothing is returned then.
ClipboardPayloads BuildClipboardPayloads(const EquationLine& line, ExportTextBuffer& buffer,
                                         PayloadBuilders& builders, DosDateTime stamp);

// The TeX of the whole line, whatever is selected.
std::u16string LineTex(const EquationLine& line, ExportTextBuffer& buffer);

// The LaTeX of the whole line, whatever is selected.
std::u16string LineLatex(const EquationLine& line, ExportTextBuffer& buffer);

// The local date and time now, as the zip entries of a copy are stamped.
DosDateTime LocalDosDateTime();

}  // namespace kav
