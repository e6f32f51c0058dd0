#include "skin/frame/default_frame.h"

#include "base/color.h"
#include "skin/pixels/pixel_copy.h"

namespace {

// A 1-pixel ring `inset` pixels in: light on the top and left, dark on the bottom and right.
void Bevel(PixelView image, int32_t inset, TColor light, TColor dark) {
  const int64_t l = inset, t = inset, r = image.Width() - inset, b = image.Height() - inset;
  if (r - l < 2 || b - t < 2) return;
  FillPixels(image, {l, t, r, t + 1}, BgrOf(light));
  FillPixels(image, {l, t, l + 1, b}, BgrOf(light));
  FillPixels(image, {l, b - 1, r, b}, BgrOf(dark));
  FillPixels(image, {r - 1, t, r, b}, BgrOf(dark));
}

}  // namespace

TCaptionSpan PlaceDefaultButtons(std::span<TFrameObjectPlace> objects, int32_t width, bool toolWindow) {
  const int32_t size = toolWindow ? 13 : 17, top = 4;
  TCaptionSpan span{kDefaultFrameBorder, width - kDefaultFrameBorder};
  for (TSkinCommand command : {TSkinCommand::cmclose, TSkinCommand::cmmaximize, TSkinCommand::cmminimize,
                               TSkinCommand::cmrollup})
    for (TFrameObjectPlace& o : objects)
      if (o.Visible && o.Command == command && o.Kind == TFrameObjectKind::StdButton) {
        o.Rect = Bounds(span.Right - size, top, size, size);
        span.Right -= size;
      }
  for (TFrameObjectPlace& o : objects)
    if (o.Visible && o.Command == TSkinCommand::cmsysmenu && o.Kind == TFrameObjectKind::StdButton) {
      o.Rect = Bounds(span.Left, top, size, size);
      span.Left += size;
    }
  return span;
}

void ComposeDefaultFrame(PixelView window, int32_t captionHeight, TCaptionSpan caption) {
  Bevel(window, 0, cl3DLight, cl3DDkShadow);
  Bevel(window, 1, clBtnHighlight, clBtnShadow);
  Bevel(window, 2, clBtnFace, clBtnFace);
  const int64_t barTop = kDefaultFrameBorder, barBottom = barTop + captionHeight;
  FillPixels(window, {kDefaultFrameBorder, barTop, window.Width() - kDefaultFrameBorder, barBottom}, BgrOf(clBtnFace));
  for (int32_t row = 2; row <= captionHeight - 4; ++row)
    FillPixels(window, {caption.Left, barTop + row, caption.Right, barTop + row + 1},
               BgrOf(row % 2 == 0 ? clBtnHighlight : clBtnShadow));
}

int32_t CentredTextLeft(TCaptionSpan caption, int32_t textWidth) {
  return caption.Left + (caption.Right - caption.Left) / 2 - textWidth / 2;
}
