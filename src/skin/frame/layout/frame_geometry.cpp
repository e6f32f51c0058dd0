#include "skin/frame/layout/frame_geometry.h"

#include <algorithm>

#include "skin/data/skin_data.h"

namespace {

int32_t Plus(int32_t a, int32_t b) { return Saturate(int64_t{a} + b); }

TPoint Moved(TPoint p, int32_t dx, int32_t dy) { return {Plus(p.X, dx), Plus(p.Y, dy)}; }

TRect ClampedClient(TRect r) {
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

}  // namespace

TFrameSkinPoints FrameSkinPointsOf(const TSkinData& skin) {
  TFrameSkinPoints p;
  p.LeftTop = skin.lefttoppoint;
  p.RightTop = skin.righttoppoint;
  p.LeftBottom = skin.leftbottompoint;
  p.RightBottom = skin.rightbottompoint;
  p.Client = skin.clientrect;
  p.Mask = skin.maskrectarea;
  p.HitLeftTop = skin.hittestlefttoppoint;
  p.HitRightTop = skin.hittestrighttoppoint;
  p.HitLeftBottom = skin.hittestleftbottompoint;
  p.HitRightBottom = skin.hittestrightbottompoint;
  p.CaptionRect = skin.captionrect;
  p.ButtonsRect = skin.buttonsrect;
  p.ButtonsOffset = skin.buttonsoffset;
  p.ButtonsInLeft = skin.buttonsinleft;
  p.PictureWidth = skin.PictureBitmap().Width();
  p.PictureHeight = skin.PictureBitmap().Height();
  return p;
}

TScaledFramePoints ComputeFramePoints(const TFrameSkinPoints& skin, int32_t frameWidth, int32_t frameHeight) {
  const int32_t dx = Saturate(int64_t{frameWidth} - skin.PictureWidth);
  const int32_t dy = Saturate(int64_t{frameHeight} - skin.PictureHeight);
  TScaledFramePoints s;
  s.FrameWidth = frameWidth;
  s.FrameHeight = frameHeight;
  s.LeftTop = skin.LeftTop;
  s.RightTop = Moved(skin.RightTop, dx, 0);
  s.LeftBottom = Moved(skin.LeftBottom, 0, dy);
  s.RightBottom = Moved(skin.RightBottom, dx, dy);
  s.Client = {skin.Client.Left, skin.Client.Top, Plus(skin.Client.Right, dx), Plus(skin.Client.Bottom, dy)};
  s.Mask = {skin.Mask.Left, skin.Mask.Top, Plus(skin.Mask.Right, dx), Plus(skin.Mask.Bottom, dy)};
  s.HitLeftTop = skin.HitLeftTop;
  s.HitRightTop = Moved(skin.HitRightTop, dx, 0);
  s.HitLeftBottom = Moved(skin.HitLeftBottom, 0, dy);
  s.HitRightBottom = Moved(skin.HitRightBottom, dx, dy);
  s.CaptionRect = skin.CaptionRect;
  if (!IsEmptyRect(s.CaptionRect)) s.CaptionRect.Right = Plus(s.CaptionRect.Right, dx);
  s.ButtonsRect = skin.ButtonsRect;
  if (!IsEmptyRect(s.ButtonsRect)) {
    if (s.ButtonsRect.Left > skin.PictureWidth / 2) {
      s.ButtonsRect = OffsetBy(s.ButtonsRect, dx, 0);
    } else {
      s.ButtonsLeftAligned = true;
    }
  }
  s.ButtonsOffset = skin.ButtonsOffset;
  s.ButtonsInLeft = skin.ButtonsInLeft;
  return s;
}

TFramePoints MaskSplitPoints(const TFrameSkinPoints& skin) {
  return {skin.LeftTop, skin.RightTop, skin.LeftBottom, skin.RightBottom, skin.Mask};
}

TFramePoints MaskSplitPoints(const TScaledFramePoints& scaled) {
  return {scaled.LeftTop, scaled.RightTop, scaled.LeftBottom, scaled.RightBottom, scaled.Mask};
}

// A client rectangle reaching past the skin's picture ends at the window's
// edge: a client larger than its window would be painted where no window is.
TRect SkinnedClientRect(const TRect& window, const TFrameSkinPoints& skin) {
  const int64_t right = int64_t{window.Right} + skin.Client.Right - skin.PictureWidth;
  const int64_t bottom = int64_t{window.Bottom} + skin.Client.Bottom - skin.PictureHeight;
  return ClampedClient({Plus(window.Left, skin.Client.Left), Plus(window.Top, skin.Client.Top),
                        Saturate(std::min<int64_t>(right, window.Right)),
                        Saturate(std::min<int64_t>(bottom, window.Bottom))});
}

TRect DefaultClientRect(const TRect& window, bool toolWindow) {
  return ClampedClient({window.Left + 3, window.Top + 3 + DefaultCaptionHeight(toolWindow), window.Right - 3,
                        window.Bottom - 3});
}
