#include "ui/hint_window_win.h"

#include "ui/graphics/canvas_win.h"
#include "ui/system/handles_win.h"
#include "base/utf_win.h"

namespace {
constexpr int kMargin = 2;

// The hint's text in the system's status font.
FontHandle HintFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return FontHandle(CreateFontIndirectW(&metrics.lfStatusFont));
}

int DrawHintText(HDC dc, const std::string& text, RECT& r, UINT extra) {
  FontHandle font = HintFont();
  SelectGuard keep(dc, font.Get());
  std::wstring wide = Utf8ToWide(text);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | extra);
}
}  // namespace

THintWindow::~THintWindow() { ReleaseHandle(); }

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
  RECT r{0, 0, maxWidth, 0};
  WindowDC screen(nullptr);
  DrawHintText(screen.Get(), text, r, DT_CALCRECT);
  r.right += 2 * kMargin + 2;
  r.bottom += 2 * kMargin + 2;
  return r;
}

void THintWindow::ActivateHint(const RECT& screenRect, const std::string& text) {
  FText = text;
  if (!HandleAllocated()) {
    WindowParams params;
    params.style = HasBorder() ? WS_POPUP | WS_BORDER : WS_POPUP;
    params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.bounds = screenRect;
    CreateWindowHandle(params);
  }
  SetWindowPos(Handle(), HWND_TOPMOST, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
               screenRect.bottom - screenRect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void THintWindow::ReleaseHandle() { DestroyWindowHandle(); }

bool THintWindow::Showing() const { return HandleAllocated() && IsWindowVisible(Handle()); }

POINT THintWindow::Origin() const {
  RECT r{};
  if (HandleAllocated()) GetWindowRect(Handle(), &r);
  return POINT{r.left, r.top};
}

LRESULT THintWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_PAINT: {
      PaintDC paint(Handle());
      HDC dc = paint.Get();
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
      InflateRect(&r, -kMargin, -kMargin);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      DrawHintText(dc, FText, r, 0);
      return 0;
    }
  }
  return DefaultHandler(message, wParam, lParam);
}
