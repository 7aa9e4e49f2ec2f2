#include "app/dpi_metrics.h"

namespace kav {
namespace {

// The per-DPI calls exist from Windows 10 (1607) on; they are looked up at run time so that the
// program still starts where they are missing, and the answers at the system DPI are scaled.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int32_t FromSystemDpi(int32_t length, int32_t dpi) { return MulDiv(length, dpi, SystemDpi()); }

bool NonClientMetrics(int32_t dpi, NONCLIENTMETRICSW& metrics) {
  using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = User32Function<ForDpi>("SystemParametersInfoForDpi");
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof(metrics);
  if (forDpi != nullptr &&
      forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
    return true;
  }
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return false;
  metrics.lfStatusFont.lfHeight = FromSystemDpi(metrics.lfStatusFont.lfHeight, dpi);
  return true;
}

}  // namespace

int32_t SystemDpi() {
  using GetDpiForSystemFunction = UINT(WINAPI*)();
  static const auto getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
  if (getDpiForSystem != nullptr) {
    if (const UINT dpi = getDpiForSystem(); dpi > 0) return static_cast<int32_t>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int32_t SystemMetricForDpi(int index, int32_t dpi) {
  using ForDpi = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<ForDpi>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, static_cast<UINT>(dpi));
  return FromSystemDpi(GetSystemMetrics(index), dpi);
}

GdiObject<HFONT> CreateStatusFont(int32_t dpi) {
  NONCLIENTMETRICSW metrics;
  if (!NonClientMetrics(dpi, metrics)) return {};
  return GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfStatusFont));
}

GdiObject<HFONT> CreateButtonFont(int32_t dpi) {
  const int32_t systemDpi = SystemDpi();
  LOGFONTW face{};
  if (dpi == systemDpi ||
      GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(face), &face) != sizeof(face)) {
    return {};
  }
  face.lfHeight = MulDiv(face.lfHeight, dpi, systemDpi);
  face.lfWidth = MulDiv(face.lfWidth, dpi, systemDpi);
  return GdiObject<HFONT>(CreateFontIndirectW(&face));
}

}  // namespace kav
