#include "skin/frame/frame_geometry.h"

#include "skin/data/skin_data.h"

namespace {

TPoint Moved(TPoint p, int32_t dx, int32_t dy) { return {p.X + dx, p.Y + dy}; }

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
  const int32_t dx = frameWidth - skin.PictureWidth;
  const int32_t dy = frameHeight - skin.PictureHeight;
  TScaledFramePoints s;
  s.FrameWidth = frameWidth;
  s.FrameHeight = frameHeight;
  s.LeftTop = skin.LeftTop;
  s.RightTop = Moved(skin.RightTop, dx, 0);
  s.LeftBottom = Moved(skin.LeftBottom, 0, dy);
  s.RightBottom = Moved(skin.RightBottom, dx, dy);
  s.Client = {skin.Client.Left, skin.Client.Top, skin.Client.Right + dx, skin.Client.Bottom + dy};
  s.Mask = {skin.Mask.Left, skin.Mask.Top, skin.Mask.Right + dx, skin.Mask.Bottom + dy};
  s.HitLeftTop = skin.HitLeftTop;
  s.HitRightTop = Moved(skin.HitRightTop, dx, 0);
  s.HitLeftBottom = Moved(skin.HitLeftBottom, 0, dy);
  s.HitRightBottom = Moved(skin.HitRightBottom, dx, dy);
  s.CaptionRect = skin.CaptionRect;
  if (!IsEmptyRect(s.CaptionRect)) s.CaptionRect.Right += dx;
  s.ButtonsRect = skin.ButtonsRect;
  if (!IsEmptyRect(s.ButtonsRect)) {
    if (s.ButtonsRect.Left > skin.PictureWidth / 2) {
      s.ButtonsRect.Left += dx;
      s.ButtonsRect.Right += dx;
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

TRect SkinnedClientRect(const TRect& window, const TFrameSkinPoints& skin) {
  return ClampedClient({window.Left + skin.Client.Left, window.Top + skin.Client.Top,
                        window.Right + skin.Client.Right - skin.PictureWidth,
                        window.Bottom + skin.Client.Bottom - skin.PictureHeight});
}

TRect DefaultClientRect(const TRect& window, bool toolWindow) {
  return ClampedClient({window.Left + 3, window.Top + 3 + DefaultCaptionHeight(toolWindow), window.Right - 3,
                        window.Bottom - 3});
}
