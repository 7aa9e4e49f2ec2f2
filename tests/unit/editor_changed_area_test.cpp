// What a key asks the window to draw again: everything drawn differently afterwards lies inside
// it, and a key in a long line asks only for the part after the edited item, not the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "editor_harness.h"
#include "recording_canvas.h"
#include "typeset/paint_lines.h"

namespace kav {
namespace {

using Drawing = std::set<std::tuple<int, int32_t, int32_t, int32_t, int32_t, char16_t>>;

struct Requested {
  bool whole = false;
  std::vector<ViewArea> areas;
};

class ChangedAreaTest : public EditorTest {
 protected:
  Drawing Draw() {
    RecordingCanvas canvas;
    const ViewPlacement view = editor.Placement();
    PaintViewLines(canvas,
                   {editor.document().lines, Current(), editor.SelectedLines(), view},
                   view.area);
    Drawing drawn;
    for (const DrawCall& call : canvas.calls) {
      drawn.emplace(call.kind, call.x1, call.y1, call.x2, call.y2, call.unit);
    }
    return drawn;
  }

  Requested RequestedSinceCleared() {
    Requested requested;
    for (const std::string& call : host.calls) {
      requested.whole |= call == "Invalidate";
      std::istringstream words(call);
      std::string name;
      ViewArea area;
      if (words >> name >> area.left >> area.top >> area.right >> area.bottom &&
          name == "InvalidateArea") {
        requested.areas.push_back(area);
      }
    }
    return requested;
  }
};

bool Inside(const Requested& requested, int32_t x, int32_t y) {
  return requested.whole ||
         std::any_of(requested.areas.begin(), requested.areas.end(), [&](const ViewArea& a) {
           return x >= a.left && x < a.right && y >= a.top && y < a.bottom;
         });
}

// "whole": the window; "below": from the band to the view's bottom; "band": the line's band
// from the view's left side; "after": the band from the edited item on.
std::string KindOf(const Requested& requested, const ViewArea& view) {
  if (requested.whole) return "whole";
  if (requested.areas.size() != 1) return "areas " + std::to_string(requested.areas.size());
  const ViewArea& area = requested.areas.front();
  if (area.bottom >= view.bottom) return "below";
  return area.left <= view.left ? "band" : "after";
}

std::u16string Letters(int count) {
  std::u16string markup;
  for (int k = 0; k < count; ++k) markup += u"<x>";
  return markup;
}

TEST_F(ChangedAreaTest, AKeyRepaintsWhatChangedAndOnlyThatInALongLine) {
  struct Key {
    int32_t code = 0;
    bool shift = false;
  };
  const std::vector<Key> intoSecondLine = {{key::Down}, {key::Home}, {key::Right}, {key::Right}};
  const std::vector<Key> nearTheStart = {{key::Home}, {key::Right}, {key::Right}, {key::Right}};
  const struct {
    const char* name;
    std::vector<std::u16string> lines;
    std::vector<Key> keys;  // pressed before the typing
    std::u16string typed;
    std::string kind;
  } kCases[] = {
      {"in a wide line", {Letters(300)}, nearTheStart, u"y", "after"},
      {"in a wide line, the second of three", {u"<a>", Letters(300), u"<b>"}, intoSecondLine,
       u"y", "after"},
      {"at the start of a wide line", {Letters(300)}, {{key::Home}}, u"y", "band"},
      {"in a centred line, which moves as it grows", {u"<a><b>"}, {}, u"y", "band"},
      {"a fraction, which makes the band taller", {Letters(300)}, nearTheStart, u"/", "below"},
      // The caret must stay in sight, so the line scrolls sideways with every key.
      {"at the end of a wide line", {Letters(300)}, {}, u"y", "whole"},
      {"over a selection", {Letters(300)}, {{key::Left, true}}, u"y", "whole"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    Load(row.lines);
    for (const Key& k : row.keys) Press(k.code, false, k.shift);
    const Drawing before = Draw();
    host.calls.clear();
    Type(row.typed);
    const Requested requested = RequestedSinceCleared();
    const Drawing after = Draw();
    Drawing changed;
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                  std::inserter(changed, changed.end()));
    EXPECT_FALSE(changed.empty());
    const ViewArea view = host.GetViewArea();
    for (const auto& [kind, x1, y1, x2, y2, unit] : changed) {
      // Painting looks a little past the view for ink that reaches into it; beyond, nothing shows.
      if (x1 >= view.right || x1 < view.left) continue;
      EXPECT_TRUE(Inside(requested, x1, y1)) << "drawing at " << x1 << "," << y1;
      if (kind == DrawCall::Line) {
        EXPECT_TRUE(Inside(requested, x2, y2));
      }
    }
    EXPECT_EQ(KindOf(requested, view), row.kind);
  }
}

}  // namespace
}  // namespace kav
