#include "skin/frame/frame_object_canvas_win.h"

#include <string>

#include "base/utf_win.h"
#include "skin/pixels/fast_bitmap_win.h"
#include "ui/application_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/graphics/font_win.h"
#include "ui/system/handles_win.h"

void FrameObjectCanvas::SelectCaptionFont(const TSkinCaptionObject& caption) {
  FFont.SetName(caption.fontname);
  FFont.SetHeight(caption.fontheight);
  FFont.SetStyle(caption.fontstyle);
}

void FrameObjectCanvas::DrawText(PixelView target, int x, int y, std::string_view text, TColor color) {
  DrawThroughGdi(target, [&](HDC dc) {
    TCanvas canvas(dc);
    canvas.Font().Assign(FFont);
    canvas.Font().SetColor(color);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.TextOut(x, y, text);
  });
}

void FrameObjectCanvas::DrawFormIcon(TRect rect) {
  HICON icon = Application && Application->Icon() ? Application->Icon() : LoadIconW(nullptr, IDI_APPLICATION);
  if (!icon) return;
  DrawThroughGdi(Pixels, [&](HDC dc) {
    DrawIconEx(dc, rect.Left, rect.Top, icon, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
  });
}

SIZE FrameObjectCanvas::Measure(std::string_view text) {
  WindowDC screen(nullptr);
  FontHandle font = CreateFontHandle(FFont);
  SelectGuard keep(screen.Get(), font.Get());
  const std::wstring wide = Utf8ToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}
