#include "skin/frame/layout/frame_limits.h"

#include <algorithm>

int32_t MinFrameWidth(const TFrameLimitInput& in) {
  if (!in.Skinned) return in.MinWidth > 0 ? in.MinWidth : 120;
  return in.MinWidth > in.PictureWidth && !in.Minimized ? in.MinWidth : in.PictureWidth;
}

int32_t MinFrameHeight(const TFrameLimitInput& in) {
  const int32_t bare =
      in.Skinned ? Saturate(int64_t{in.PictureHeight} - in.ClientRect.Height()) : in.CaptionHeight + 6;
  return bare >= in.MinHeight || in.RolledUp || in.Minimized ? bare : in.MinHeight;
}

TPoint MaxTrackSize(const TRect& workArea, const TRect& monitor, bool fullScreen) {
  const TRect& r = fullScreen ? monitor : workArea;
  return {r.Width(), r.Height()};
}

TPoint SizeAfterSkinChange(TPoint keptClient, TPoint least, bool rolledUp, bool minimized) {
  TPoint size = keptClient;
  if (rolledUp || minimized) size.Y = least.Y;
  if (minimized) size.X = least.X;
  return {std::max(size.X, least.X), std::max(size.Y, least.Y)};
}
