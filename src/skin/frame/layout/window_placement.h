#pragma once
// Where the frame puts its window: minimized forms side by side along the
// bottom of the work area, the maximized rectangle, and the moving rectangle
// pinned or snapped to the work-area edges.
#include <cstdint>
#include <span>

#include "base/geometry.h"

// The top-left corner for a minimized form of minWidth x minHeight: the first
// slot, from the work area's bottom-left corner rightwards and then row by
// row upwards, that no form in `taken` (their top-left corners) occupies.
// With no free slot, or no size to step by, the first slot.
TPoint FreePlace(const TRect& workArea, int32_t minWidth, int32_t minHeight, std::span<const TPoint> taken);

// The monitor on full screen, else the work area; a work area as large as
// the monitor (no task bar) keeps a 1-pixel margin so that an auto-hidden
// task bar can still be reached.
TRect MaximizeRect(const TRect& workArea, const TRect& monitor, bool fullScreen);

// Edges strictly closer than `distance` to the area's edges move onto them,
// left before right and top before bottom; the size never changes.
TRect SnapToArea(const TRect& proposed, const TRect& area, int32_t distance);

struct TMovingState {
  bool Maximized = false;
  bool MdiChild = false;
  bool Magnetic = false;
  int32_t MagneticSize = 5;
};

// WM_MOVING: a maximized window stays at `current`; a magnetic one snaps.
TRect MovingRect(const TRect& proposed, const TRect& current, const TRect& area, const TMovingState& state);
