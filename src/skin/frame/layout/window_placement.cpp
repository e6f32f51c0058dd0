#include "skin/frame/layout/window_placement.h"

#include <algorithm>
#include <cstdlib>

TPoint FreePlace(const TRect& workArea, int32_t minWidth, int32_t minHeight, std::span<const TPoint> taken) {
  // 64 bits: the size comes from a skin and may be any 32-bit value.
  const TPoint first{workArea.Left, Saturate(int64_t{workArea.Bottom} - minHeight)};
  if (minWidth <= 0 || minHeight <= 0) return first;
  int64_t x = first.X, y = int64_t{workArea.Bottom} - minHeight;
  while (std::find(taken.begin(), taken.end(), TPoint{Saturate(x), Saturate(y)}) != taken.end()) {
    x += minWidth;
    if (x + minWidth > workArea.Right) {
      x = workArea.Left;
      y -= minHeight;
      if (y < workArea.Top) return first;
    }
  }
  return {Saturate(x), Saturate(y)};
}

TRect MaximizeRect(const TRect& workArea, const TRect& monitor, bool fullScreen) {
  if (fullScreen) return monitor;
  if (workArea.Width() == monitor.Width() && workArea.Height() == monitor.Height())
    return {workArea.Left + 1, workArea.Top + 1, workArea.Right - 1, workArea.Bottom - 1};
  return workArea;
}

TRect SnapToArea(const TRect& proposed, const TRect& area, int32_t distance) {
  const int32_t width = proposed.Width(), height = proposed.Height();
  int32_t left = proposed.Left, top = proposed.Top;
  auto near = [distance](int32_t a, int32_t b) { return std::abs(int64_t{a} - b) < distance; };
  if (near(left, area.Left)) left = area.Left;
  if (near(top, area.Top)) top = area.Top;
  if (near(left + width, area.Right)) left = area.Right - width;
  if (near(top + height, area.Bottom)) top = area.Bottom - height;
  return Bounds(left, top, width, height);
}

TRect MovingRect(const TRect& proposed, const TRect& current, const TRect& area, const TMovingState& state) {
  if (state.Maximized && !state.MdiChild) return current;
  if (state.Magnetic) return SnapToArea(proposed, area, state.MagneticSize);
  return proposed;
}
