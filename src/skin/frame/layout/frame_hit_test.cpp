#include "skin/frame/layout/frame_hit_test.h"

namespace {

bool OnCaptionObject(TPoint p, const TFrameHitState& state) {
  for (const TRect& r : state.CaptionObjects)
    if (r.Contains(p)) return true;
  return false;
}

int32_t CaptionOrObject(TPoint p, const TFrameHitState& state) {
  return OnCaptionObject(p, state) ? kHitCaption : kHitObject;
}

bool AtSkinnedEdge(TPoint p, const TScaledFramePoints& frame, int32_t b, const TMaskQuery& inMask) {
  const int32_t left = Saturate(int64_t{p.X} - b), up = Saturate(int64_t{p.Y} - b);
  const int32_t right = Saturate(int64_t{p.X} + b), down = Saturate(int64_t{p.Y} + b);
  const TPoint around[4] = {{left, p.Y}, {p.X, up}, {right, p.Y}, {p.X, down}};
  if (!inMask) {
    const TRect window{0, 0, frame.FrameWidth, frame.FrameHeight};
    for (TPoint q : around)
      if (!window.Contains(q)) return true;
    return false;
  }
  if (frame.Mask.Contains(p)) return false;
  for (TPoint q : around)
    if (!inMask(q)) return true;
  return false;
}

int32_t SkinnedEdge(TPoint p, const TScaledFramePoints& f) {
  const int32_t x = p.X, y = p.Y;
  if (x <= f.HitLeftTop.X && y <= f.HitLeftTop.Y) return kHitTopLeft;
  if (x >= f.HitRightTop.X && y <= f.HitRightTop.Y) return kHitTopRight;
  if (x <= f.HitLeftBottom.X && y >= f.HitLeftBottom.Y) return kHitBottomLeft;
  if (x >= f.HitRightBottom.X && y >= f.HitRightBottom.Y) return kHitBottomRight;
  if (TRect{f.HitLeftTop.X, 0, f.HitRightTop.X, f.Client.Top}.Contains(p)) return kHitTop;
  if (TRect{f.HitLeftBottom.X, f.Client.Bottom, f.HitRightBottom.X, f.FrameHeight}.Contains(p)) return kHitBottom;
  if (TRect{0, f.HitLeftTop.Y, f.Client.Left, f.HitLeftBottom.Y}.Contains(p)) return kHitLeft;
  if (TRect{f.Client.Right, f.HitRightTop.Y, f.FrameWidth, f.HitRightBottom.Y}.Contains(p)) return kHitRight;
  return 0;
}

bool BlackAt(const PixelImage& strip, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= strip.Width() || y >= strip.Height()) return false;
  const Bgr c = strip.At(x, y);
  return c.Blue == 0 && c.Green == 0 && c.Red == 0;
}

}  // namespace

int32_t FrameHitTest(TPoint p, const TScaledFramePoints& frame, int32_t borderWidth, const TMaskQuery& inMask,
                     const TFrameHitState& state) {
  if (!state.RolledUp && !state.Minimized) {
    const bool inClient = frame.Client.Contains(p);
    if (state.ObjectHot && !OnCaptionObject(p, state) && !inClient && !state.InSizeMove) return kHitObject;
    if (state.Sizeable && !state.Maximized) {
      if (!AtSkinnedEdge(p, frame, borderWidth, inMask)) return inClient ? kHitClient : CaptionOrObject(p, state);
      if (const int32_t edge = SkinnedEdge(p, frame)) return edge;
    }
    if (inClient) return kHitClient;
  }
  return CaptionOrObject(p, state);
}

int32_t DefaultHitTest(TPoint p, int32_t width, int32_t height, int32_t captionLeft, int32_t captionRight,
                       int32_t captionHeight, const TFrameHitState& state) {
  if (state.Sizeable && !state.Maximized && !state.RolledUp && !state.Minimized) {
    if (state.ObjectHot) return kHitObject;
    const bool left = p.X <= 2, top = p.Y <= 2, right = p.X >= width - 2, bottom = p.Y >= height - 2;
    if (top && left) return kHitTopLeft;
    if (top && right) return kHitTopRight;
    if (bottom && left) return kHitBottomLeft;
    if (bottom && right) return kHitBottomRight;
    if (top) return kHitTop;
    if (bottom) return kHitBottom;
    if (left) return kHitLeft;
    if (right) return kHitRight;
  }
  if (TRect{captionLeft, 3, captionRight, captionHeight}.Contains(p)) return kHitCaption;
  if (TRect{3, captionHeight + 3, width - 3, height - 3}.Contains(p)) return kHitClient;
  return kHitObject;
}

bool PointInFrameMask(const TBorderStrips& strips, const TRect& scaledMask, TPoint p) {
  if (scaledMask.Contains(p)) return true;
  const int32_t x = p.X, y = p.Y;
  const int32_t belowBottom = Saturate(int64_t{y} - scaledMask.Bottom), belowTop = Saturate(int64_t{y} - scaledMask.Top);
  return BlackAt(strips.Top, x, y) || BlackAt(strips.Bottom, x, belowBottom) || BlackAt(strips.Left, x, belowTop) ||
         BlackAt(strips.Right, Saturate(int64_t{x} - scaledMask.Right), belowTop);
}
