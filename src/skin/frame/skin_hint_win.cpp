#include "skin/frame/skin_hint_win.h"

#include <algorithm>

#include "base/utf_win.h"
#include "persist/properties.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/pixels/fast_bitmap_win.h"
#include "skin/pixels/mask_region_win.h"
#include "skin/pixels/skin_compose.h"
#include "ui/graphics/font_win.h"
#include "ui/system/handles_win.h"

namespace {

SIZE TextSize(const TFont& font, const std::string& text) {
  WindowDC screen(nullptr);
  FontHandle handle = CreateFontHandle(font);
  SelectGuard keep(screen.Get(), handle.Get());
  RECT r{0, 0, 0, 0};
  const std::wstring wide = Utf8ToWide(text);
  DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  return SIZE{r.right, r.bottom};
}

}  // namespace

void TSkinHintWindow::ShowText(const TSkinData* skin, POINT at, const std::string& text) {
  const TDataSkinHintWindow* data = skin && !skin->NoSkin() ? &skin->HintWindow() : nullptr;
  const auto& extra = skin ? skin->ActivePictureBitmaps() : std::vector<TSkinBitmap>{};
  const int32_t index = data ? data->windowpictureindex : -1;
  const bool plain = index < 0 || static_cast<size_t>(index) >= extra.size() || extra[size_t(index)].Empty() ||
                     IsEmptyRect(data->clientrect);
  // The plain look has the system's border, the skinned one none: a new look needs a new window.
  if (plain != (FPicture.Width() == 0)) ReleaseHandle();
  if (plain) {
    FPicture = {};
    const RECT size = CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text);
    ActivateHint(RECT{at.x, at.y, at.x + size.right, at.y + size.bottom}, text);
    return;
  }
  FFont.SetName(data->fontname);
  FFont.SetHeight(data->fontheight);
  FFont.SetStyle(data->fontstyle);
  FFont.SetColor(data->fontcolor);
  const PixelImage source = PixelImageFromBmp(extra[size_t(index)].Image());
  const TRect c = data->clientrect;
  const SIZE textSize = TextSize(FFont, text);
  // The picture's borders around the text: the client area grows to fit it.
  const int width = std::max(source.Width(), c.Left + int(textSize.cx) + (source.Width() - c.Right));
  const int height = std::max(source.Height(), c.Top + int(textSize.cy) + (source.Height() - c.Bottom));
  const int dx = width - source.Width(), dy = height - source.Height();
  const TFramePoints points{data->lefttoppoint, data->righttoppoint, data->leftbottompoint, data->rightbottompoint, c};
  const TFramePoints scaled{data->lefttoppoint,
                            {data->righttoppoint.X + dx, data->righttoppoint.Y},
                            {data->leftbottompoint.X, data->leftbottompoint.Y + dy},
                            {data->rightbottompoint.X + dx, data->rightbottompoint.Y + dy},
                            {c.Left, c.Top, c.Right + dx, c.Bottom + dy}};
  FPicture = ComposeNinePiece(points, scaled, source.View(), TRect{0, 0, source.Width(), source.Height()}, width,
                              height, true,
                              {data->leftstretch, data->topstretch, data->rightstretch, data->bottomstretch});
  FTextArea = scaled.Client;
  ActivateHint(RECT{at.x, at.y, at.x + width, at.y + height}, text);
  // The mask, fitted to the window as the picture is, cuts its shape.
  const int32_t mask = data->maskpictureindex;
  RegionHandle region;
  if (mask >= 0 && static_cast<size_t>(mask) < extra.size() && !extra[size_t(mask)].Empty())
    region = ScaledMaskRegion(points, scaled, PixelImageFromBmp(extra[size_t(mask)].Image()).View(), width, height);
  SetShape(std::move(region));
}

void TSkinHintWindow::SetShape(RegionHandle region) {
  if (!HandleAllocated()) return;
  // The window owns the region once it is set; none gives it back its rectangle.
  if (SetWindowRgn(Handle(), region.Get(), TRUE)) region.Release();
}

LRESULT TSkinHintWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT || FPicture.Width() == 0) return THintWindow::WndProc(message, wParam, lParam);
  PaintDC paint(Handle());
  HDC dc = paint.Get();
  DrawPixels(dc, 0, 0, FPicture.View());
  FontHandle font = CreateFontHandle(FFont);
  SelectGuard keep(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  RECT r{FTextArea.Left, FTextArea.Top, FTextArea.Right, FTextArea.Bottom};
  const std::wstring wide = Utf8ToWide(Text());
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  return 0;
}

const PropertyTable& TSkinHint::Properties() const {
  static const PropertyTable table(&TComponent::Properties(), {props::Ref("SkinData", &TSkinHint::SetSkinData, &TSkinHint::SkinData)});
  return table;
}

void TSkinHint::ActivateHint(POINT at, const std::string& text, const TSkinData* fallback) {
  FWindow.ShowText(FSkinData.Get() ? FSkinData.Get() : fallback, at, text);
}

void TSkinHint::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (FSkinData.Notify(component, operation)) FWindow.Hide();
}
