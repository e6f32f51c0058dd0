#include "ui/dock_outline_win.h"

#include "ui/system/handles_win.h"

namespace {

constexpr int kFrameWidth = 3;
constexpr BYTE kOpacity = 200;

}  // namespace

TDockOutline::~TDockOutline() { DestroyWindowHandle(); }

void TDockOutline::Show(const RECT& screen) {
  const int width = screen.right - screen.left, height = screen.bottom - screen.top;
  if (!HandleAllocated()) {
    WindowParams params;
    // Layered and transparent, it is never the window under the pointer, so
    // the drag finds its targets through it; a little see-through, it shows
    // what it lies on.
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    params.bounds = screen;
    CreateWindowHandle(params);
    SetLayeredWindowAttributes(Handle(), 0, kOpacity, LWA_ALPHA);
  }
  if (FShapeSize.cx != width || FShapeSize.cy != height) SetFrameShape(width, height);
  SetWindowPos(Handle(), HWND_TOPMOST, screen.left, screen.top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TDockOutline::Hide() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

// Only the frame is window: what the outline surrounds stays in sight.
void TDockOutline::SetFrameShape(int width, int height) {
  RegionHandle frame(CreateRectRgn(0, 0, width, height));
  const RegionHandle inside(CreateRectRgn(kFrameWidth, kFrameWidth, width - kFrameWidth, height - kFrameWidth));
  if (!frame || !inside) return;
  if (width > 2 * kFrameWidth && height > 2 * kFrameWidth) CombineRgn(frame.Get(), frame.Get(), inside.Get(), RGN_DIFF);
  if (!SetWindowRgn(Handle(), frame.Get(), TRUE)) return;
  frame.Release();
  FShapeSize = {width, height};
}

LRESULT TDockOutline::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT all;
      GetClientRect(Handle(), &all);
      FillRect(reinterpret_cast<HDC>(wParam), &all, GetSysColorBrush(COLOR_HIGHLIGHT));
      return 1;
    }
    case WM_NCDESTROY:
      FShapeSize = {};
      break;
    default:
      break;
  }
  return TWindowObject::WndProc(message, wParam, lParam);
}
