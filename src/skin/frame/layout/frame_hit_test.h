#pragma once
// WM_NCHITTEST answers of the frame as pure functions of the point (window
// coordinates) and the frame's state. The codes are Win32's HT values.
#include <cstdint>
#include <functional>
#include <span>

#include "base/geometry.h"
#include "skin/pixels/skin_compose.h"
#include "skin/frame/layout/frame_geometry.h"

constexpr int32_t kHitClient = 1, kHitCaption = 2, kHitLeft = 10, kHitRight = 11, kHitTop = 12, kHitTopLeft = 13,
                  kHitTopRight = 14, kHitBottom = 15, kHitBottomLeft = 16, kHitBottomRight = 17;
// Over the frame but on nothing the system should act on: the frame's
// objects take the pointer there.
constexpr int32_t kHitObject = 19;

struct TFrameHitState {
  bool Sizeable = false;  // bsSizeable or bsSizeToolWin
  bool Maximized = false, RolledUp = false, Minimized = false;
  bool ObjectHot = false;   // an object is under the pointer
  bool InSizeMove = false;  // a system move or size loop runs
  std::span<const TRect> CaptionObjects;  // the caption objects' rectangles
};

// Whether a window point lies inside the window's shape.
using TMaskQuery = std::function<bool(TPoint)>;

// With a skin. `inMask` empty: the skin has no mask, the window is its rectangle.
int32_t FrameHitTest(TPoint p, const TScaledFramePoints& frame, int32_t borderWidth, const TMaskQuery& inMask,
                     const TFrameHitState& state);

// Without a skin: a width x height window whose caption area lies between
// captionLeft and captionRight, the button groups either side.
int32_t DefaultHitTest(TPoint p, int32_t width, int32_t height, int32_t captionLeft, int32_t captionRight,
                       int32_t captionHeight, const TFrameHitState& state);

// The mask query over the cached mask strips (SplitMaskBorders of the scaled
// frame): M' is inside; elsewhere a black pixel of the strip that covers the
// point. Strips sit at top (0, 0), bottom (0, M'.Bottom), left (0, M'.Top)
// and right (M'.Right, M'.Top).
bool PointInFrameMask(const TBorderStrips& strips, const TRect& scaledMask, TPoint p);
