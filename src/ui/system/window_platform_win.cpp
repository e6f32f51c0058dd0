#include "ui/system/window_platform_win.h"

namespace {

using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);

TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool IsLayeredAlphaSupported() {
  // RtlGetVersion reports the real version; GetVersion answers what the
  // compatibility shims pretend.
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto rtlGetVersion =
      ntdll ? reinterpret_cast<RtlGetVersionProc>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!rtlGetVersion || rtlGetVersion(&version) != 0) return false;
  return version.dwMajorVersion >= 5;
}

void SetWindowAlpha(HWND window, uint8_t alpha) { SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA); }

TRect GetMonitorArea(HWND window, bool workArea) {
  if (GetSystemMetrics(SM_CMONITORS) > 1) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
      return FromRECT(workArea ? info.rcWork : info.rcMonitor);
  }
  RECT area{};
  if (workArea && SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return FromRECT(area);
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TRect GetMonitorAreaAt(TPoint point, bool workArea) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromPoint(POINT{point.X, point.Y}, MONITOR_DEFAULTTONEAREST), &info))
    return FromRECT(workArea ? info.rcWork : info.rcMonitor);
  return GetMonitorArea(nullptr, workArea);
}

TRect WindowBounds(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

void SetLayeredStyle(HWND window, bool layered) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const LONG_PTR wanted = layered ? style | WS_EX_LAYERED : style & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
  if (wanted != style) SetWindowLongPtrW(window, GWL_EXSTYLE, wanted);
}

void FadeWindowAlpha(HWND window, int step, uint8_t target) {
  for (int alpha = step; alpha < target; alpha += step) SetWindowAlpha(window, static_cast<uint8_t>(alpha));
  SetWindowAlpha(window, target);
}
