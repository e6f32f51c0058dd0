#pragma once
// The skinned frame's geometry for one window size: the skin's [FORMINFO]
// points moved with the size, and the client rectangle the frame leaves.
// Everything is in window coordinates, (0, 0) the window's top-left.
#include <cstdint>

#include "base/geometry.h"
#include "skin/pixels/skin_compose.h"

class TSkinData;

// The frame values a skin gives, for its picture of PictureWidth x PictureHeight.
struct TFrameSkinPoints {
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TRect Client, Mask;
  TPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
  TRect CaptionRect, ButtonsRect;
  int32_t ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  int32_t PictureWidth = 0, PictureHeight = 0;
};

// The same values for a FrameWidth x FrameHeight window.
struct TScaledFramePoints {
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TRect Client, Mask;
  TPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
  TRect CaptionRect, ButtonsRect;
  int32_t ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  // A non-empty buttons rectangle in the picture's left half stays where it
  // is: the skin put its buttons at the left.
  bool ButtonsLeftAligned = false;
  int32_t FrameWidth = 0, FrameHeight = 0;
};

// The frame values of a loaded skin (the main picture's size included).
TFrameSkinPoints FrameSkinPointsOf(const TSkinData& skin);

TScaledFramePoints ComputeFramePoints(const TFrameSkinPoints& skin, int32_t frameWidth, int32_t frameHeight);

// The points SplitMaskBorders cuts the mask with: the corners and M as the
// client, unscaled and scaled.
TFramePoints MaskSplitPoints(const TFrameSkinPoints& skin);
TFramePoints MaskSplitPoints(const TScaledFramePoints& scaled);

// The skin-less frame's caption bar height.
constexpr int32_t DefaultCaptionHeight(bool toolWindow) { return toolWindow ? 15 : 19; }

// WM_NCCALCSIZE: the client rectangle for a window rectangle (screen or
// parent coordinates). A window too small for its borders gets an empty
// client at the crossing edge rather than a negative size.
TRect SkinnedClientRect(const TRect& window, const TFrameSkinPoints& skin);
// The skin-less frame: 3 pixels round, the caption bar above.
TRect DefaultClientRect(const TRect& window, bool toolWindow);
