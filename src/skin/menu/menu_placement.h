#pragma once
// Where a popup menu window goes on the screen: below or above its anchor, a
// sub-menu beside its parent item, always within the monitor's work area
// vertically.
#include <cstdint>

#include "base/geometry.h"

struct TMenuPlacement {
  TRect Anchor;    // screen coordinates: the clicked point, the button or the parent item
  int32_t Width = 0, Height = 0;
  TRect WorkArea;
  int32_t ItemsTop = 0;  // top of the window's items rectangle
  bool SubMenu = false;
  bool Upward = false;
  bool Scrolling = false;
};

// The window's top-left corner. The vertical place comes first; one that had
// to leave the anchor's side (forced) puts the window beside the anchor, as a
// sub-menu or scrolling window always is.
TPoint PlaceMenu(const TMenuPlacement& p);
