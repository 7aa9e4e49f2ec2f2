// The view area of the Win32 host: the client area less the child controls that lie over it.
#include <algorithm>
#include <optional>

#include "app/win32_host.h"
#include "edit/keys.h"

namespace kav {
namespace {

// Room left between the view and the controls along the top and the vertical bar.
constexpr int32_t kControlGap = 4;

// A shown child's rectangle in the client coordinates of `parent`; nothing for a hidden or
// missing child. The child's own style decides, so that this holds before the parent is shown.
std::optional<RECT> ShownChildRect(HWND parent, HWND child) {
  if (child == nullptr || (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) == 0) {
    return std::nullopt;
  }
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

ViewArea Win32Host::GetViewArea() const {
  RECT client{};
  GetClientRect(windows.main, &client);
  ViewArea area{0, 0, client.right, client.bottom};
  const auto below = [&](HWND child) {
    if (const auto rect = ShownChildRect(windows.main, child)) {
      area.top = std::max<int32_t>(area.top, rect->bottom + kControlGap);
    }
  };
  for (int32_t id = command::StyleRoman; id <= command::TogglePalette; ++id) {
    below(GetDlgItem(windows.main, id));
  }
  below(windows.palette);
  if (const auto rect = ShownChildRect(windows.main, windows.scrollBar)) {
    if (rect->right > rect->left) {
      area.right = std::min<int32_t>(area.right, rect->left - kControlGap);
    }
  }
  for (HWND child : {windows.horizontalScrollBar, windows.statusBar}) {
    const auto rect = ShownChildRect(windows.main, child);
    if (rect && rect->bottom > rect->top) area.bottom = std::min<int32_t>(area.bottom, rect->top);
  }
  area.right = std::max(area.right, area.left);
  area.bottom = std::max(area.bottom, area.top);
  return area;
}

}  // namespace kav
