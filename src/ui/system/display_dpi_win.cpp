#include "ui/system/display_dpi_win.h"

#include "ui/system/handles_win.h"

namespace {

// Looked up at run time: Windows 7 has no such call.
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

GetDpiForMonitorCall DpiForMonitor() {
  static const auto call = [] {
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<GetDpiForMonitorCall>(
                        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  return call;
}

int ScreenPixelsPerInch() {
  const int dpi = GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int WindowPixelsPerInch(HWND window) {
  // In user32 since Windows 10 (1607), which is loaded already: asking it
  // spares loading shcore.dll before the first paint.
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  static const auto call = reinterpret_cast<GetDpiForWindowCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (call)
    if (UINT dpi = call(window); dpi > 0) return int(dpi);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return MonitorPixelsPerInch(POINT{bounds.left, bounds.top});
}

int MonitorPixelsPerInch(POINT point) {
  UINT x = 0, y = 0;
  if (auto call = DpiForMonitor();
      call && SUCCEEDED(call(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y > 0)
    return int(y);
  return ScreenPixelsPerInch();
}
