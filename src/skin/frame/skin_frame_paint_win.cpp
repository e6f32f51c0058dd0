// The skinned frame's painting: the frame picture in four strips with its
// objects, the frame drawn without a skin, and the client background.
#include "skin/frame/skin_frame_win.h"

#include <algorithm>
#include <string>

#include "skin/pixels/fast_bitmap_win.h"
#include "skin/pixels/pixel_copy.h"
#include "ui/system/window_platform_win.h"
#include "skin/frame/layout/client_logo.h"
#include "skin/frame/default_frame.h"
#include "skin/frame/frame_object_canvas_win.h"
#include "skin/frame/skin_form_win.h"
#include "ui/form_win.h"
#include "ui/system/handles_win.h"

namespace {

TFramePoints PointsOf(const TFrameSkinPoints& s) { return {s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client}; }
TFramePoints PointsOf(const TScaledFramePoints& s) {
  return {s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client};
}

}  // namespace

void TSkinFrame::PaintFrame() {
  HWND window = FForm.Handle();
  if (!FSkinActive || !IsWindowVisible(window)) return;
  const TRect bounds = WindowBounds(window);
  if (BelowMinimum(bounds.Width(), bounds.Height())) return;
  UpdateFrame();
  const int W = FFrame.FrameWidth, H = FFrame.FrameHeight;
  const PixelImage& picture =
      FActive || FInactivePicture.Width() == 0 ? FObjects.FramePicture() : FInactivePicture;
  TBorderStrips strips = ComposeFrameBorders(PointsOf(FSkin), PointsOf(FFrame), FStretch, W, H,
                                             TRect{0, 0, picture.Width(), picture.Height()}, picture.View());
  const TRect& client = FFrame.Client;
  for (size_t i = 0; i < FObjects.Count(); ++i) {
    TActiveSkinObject& object = FObjects[i];
    if (!object.Shown) continue;
    // An object reaching below the client's top line belongs to the bottom
    // strip, which starts at the client's bottom line: what lies above that is cut.
    const bool bottom = object.ObjectRect.Bottom > client.Top;
    PixelImage& strip = bottom ? strips.Bottom : strips.Top;
    if (strip.Width() == 0) continue;
    FrameObjectCanvas canvas(strip.View(), TPoint{0, bottom ? H - strip.Height() : 0});
    object.Draw(canvas, false);
  }
  if (!FActive && FAutoRenderInactive)
    for (PixelImage* strip : {&strips.Top, &strips.Left, &strips.Right, &strips.Bottom})
      ApplyInactiveEffect(strip->View(), FInactiveEffect, FNoise);
  WindowDC dc(window, WindowDC::WholeWindow);
  if (client.Height() > 0) ExcludeClipRect(dc.Get(), client.Left, client.Top, client.Right, client.Bottom);
  const int top = strips.Top.Height();
  DrawPixels(dc.Get(), 0, 0, strips.Top.View());
  DrawPixels(dc.Get(), 0, top, strips.Left.View());
  DrawPixels(dc.Get(), W - strips.Right.Width(), top, strips.Right.View());
  DrawPixels(dc.Get(), 0, H - strips.Bottom.Height(), strips.Bottom.View());
}

// The client area shows the skin's client piece tiled from its corner, or
// the skin's own background picture; a skin without either leaves the
// system's face colour.
void TSkinFrame::PaintClientBackground(HDC dc, const RECT& area) const {
  if (area.right <= area.left || area.bottom <= area.top) return;
  const bool own = FBackground.Width() > 0;
  const PixelImage& source = own ? FBackground : FObjects.FramePicture();
  const PixelBox piece = own ? PixelBox{0, 0, FBackground.Width(), FBackground.Height()} : PixelBox{FSkin.Client};
  if (piece.Width() <= 0 || piece.Height() <= 0) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  PixelImage tiles(area.right - area.left, area.bottom - area.top);
  TileArea(tiles.View(), TPoint{area.left, area.top}, source.View(), piece);
  DrawLogo(tiles.View(), TPoint{area.left, area.top}, TPoint{FForm.ClientWidth(), FForm.ClientHeight()},
           FOwner.LogoBitMap().View(),
           FOwner.LogoBitMapTransparent());
  DrawPixels(dc, area.left, area.top, tiles.View());
}

void TSkinFrame::PaintDefaultFrame() {
  HWND window = FForm.Handle();
  if (!IsWindowVisible(window)) return;
  ArrangeObjects();
  const TRect bounds = WindowBounds(window);
  const int captionHeight = DefaultCaptionHeight(IsToolWindow());
  PixelImage image(bounds.Width(), bounds.Height());
  ComposeDefaultFrame(image.View(), captionHeight, FCaptionSpan);

  FrameObjectCanvas canvas(image.View(), TPoint{0, 0});
  const TFont& font = FActive ? FOwner.DefCaptionFont() : FOwner.DefInActiveCaptionFont();
  canvas.UseFont(font);
  std::string text = FForm.Caption();
  EllipsizeText(canvas, text, FCaptionSpan.Right - FCaptionSpan.Left);
  if (!text.empty()) {
    const int width = canvas.TextWidth(text);
    const int x = CentredTextLeft(FCaptionSpan, width);
    const int y = kDefaultFrameBorder + captionHeight / 2 - canvas.TextHeight() / 2;
    // The grooves stop short of the text so that it stays readable.
    FillPixels(image.View(),
               {std::max(x - 4, FCaptionSpan.Left), kDefaultFrameBorder, std::min(x + width + 4, FCaptionSpan.Right),
                kDefaultFrameBorder + captionHeight},
               BgrOf(clBtnFace));
    canvas.DrawText(image.View(), x, y, text, font.Color());
  }
  for (size_t i = 0; i < FObjects.Count(); ++i)
    if (FObjects[i].Shown) FObjects[i].Draw(canvas, false);

  WindowDC dc(window, WindowDC::WholeWindow);
  const TRect client = DefaultClientRect({0, 0, bounds.Width(), bounds.Height()}, IsToolWindow());
  if (client.Height() > 0) ExcludeClipRect(dc.Get(), client.Left, client.Top, client.Right, client.Bottom);
  DrawPixels(dc.Get(), 0, 0, image.View());
}

void TSkinFrame::RepaintFrame() { SendMessageW(FForm.Handle(), WM_NCPAINT, 0, 0); }

void TSkinFrame::RedrawObject(TActiveSkinObject&) { RepaintFrame(); }

