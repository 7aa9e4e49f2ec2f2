#include "native/outline_decompose.h"

#include FT_OUTLINE_H

#include "base/failure.h"

namespace kav {
namespace {

struct Walk {
  Outline outline;
  OutlineMapping mapping;
  bool open = false;

  OutlinePoint Map(const FT_Vector* v) const {
    return {static_cast<double>(v->x) * mapping.scale + mapping.dx,
            mapping.dy - static_cast<double>(v->y) * mapping.scale};
  }
};

Walk& Of(void* user) {
  return *static_cast<Walk*>(user);
}

int MoveTo(const FT_Vector* to, void* user) {
  Walk& walk = Of(user);
  if (walk.open) walk.outline.Close();
  walk.outline.MoveTo(walk.Map(to));
  walk.open = true;
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  Of(user).outline.LineTo(Of(user).Map(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  Of(user).outline.QuadTo(Of(user).Map(control), Of(user).Map(to));
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
  Walk& walk = Of(user);
  walk.outline.CubicTo(walk.Map(control1), walk.Map(control2), walk.Map(to));
  return 0;
}

}  // namespace

Outline DecomposeOutline(const FT_Outline& outline, const OutlineMapping& mapping) {
  static const FT_Outline_Funcs kFuncs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  Walk walk;
  walk.mapping = mapping;
  if (FT_Outline_Decompose(const_cast<FT_Outline*>(&outline), &kFuncs, &walk) != 0) {
    Fail(u"Cannot read a glyph outline");
  }
  if (walk.open) walk.outline.Close();
  return std::move(walk.outline);
}

}  // namespace kav
