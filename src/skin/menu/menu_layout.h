#pragma once
// The items of a popup menu window laid out from its first shown item, the
// scroll marker bands of a window that scrolls, and scrolling by one item or
// to bring an item into view. Window coordinates throughout.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/geometry.h"
#include "skin/menu/menu_metrics.h"

// The marker bands take this much of the items rectangle at each end.
constexpr int32_t kMenuScrollMarkerHeight = 10;

struct TMenuItemPlace {
  TRect Rect;  // empty for an item that is not shown
  bool Shown = false;
  bool operator==(const TMenuItemPlace&) const = default;
};

struct TMenuLayout {
  std::vector<TMenuItemPlace> Items;
  int32_t ShownCount = 0;
};

// Items stacked downwards from firstShown, each across the items rectangle;
// the first whose bottom passes the rectangle's bottom (inside the markers
// when scrolling) and all after it are not shown, nor are those before
// firstShown.
TMenuLayout LayoutMenuItems(std::span<const TMenuItemSize> items, const TRect& itemsRect, bool scrolling,
                            int32_t firstShown);

// The shown item under a point, or -1.
int32_t MenuItemAt(const TMenuLayout& layout, TPoint point);

enum class TMenuScroll : uint8_t { None = 0, Up = 1, Down = 2 };

struct TMenuScrollMarkers {
  TRect Up, Down;
};

// Skinned: the bands at the top and bottom of the items rectangle. Plain:
// (3, 3)-(W - 3, 13) and (3, H - 10)-(W - 3, H - 3), inside the frame.
TMenuScrollMarkers MenuScrollMarkers(const TMenuSkin& skin, const TRect& itemsRect, int32_t width, int32_t height);

// The first shown item after one scroll step, or none when the list cannot
// move that way (the scroll ends).
std::optional<int32_t> MenuScrollStep(TMenuScroll direction, int32_t firstShown, const TMenuLayout& layout);

// The scroll a pointer asks for: a point on a band starts scrolling towards
// it when the window is not scrolling and the list can move that way, and
// leaves a running scroll as it is; a point off both bands ends it.
TMenuScroll MenuScrollAt(const TMenuScrollMarkers& markers, TPoint point, TMenuScroll current, int32_t firstShown,
                         const TMenuLayout& layout);

// The first shown item that keeps `index` in view of a scrolling window: the
// item itself when it lies above the range, else the earliest start, not
// before the current one, from which it fits (the last page for the last
// item); an item taller than the room is started from.
int32_t MenuFirstShownFor(std::span<const TMenuItemSize> items, const TRect& itemsRect, int32_t firstShown,
                          int32_t index);
