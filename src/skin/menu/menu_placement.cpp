#include "skin/menu/menu_placement.h"

#include <algorithm>

namespace {

// 64 bits throughout: the items' top comes from a skin and may be any 32-bit value.
struct TPlaceY {
  int64_t Y = 0;
  bool Forced = false;
};

TPlaceY PlaceY(const TMenuPlacement& p) {
  const int64_t top = p.Anchor.Top, bottom = p.Anchor.Bottom, areaTop = p.WorkArea.Top, areaBottom = p.WorkArea.Bottom;
  const int64_t h = p.Height, itemsTop = p.ItemsTop;
  const bool upperHalf = top < areaTop + p.WorkArea.Height() / 2;
  if (p.Scrolling) return {areaTop};
  if (p.SubMenu) {
    // The first item level with the parent item when it fits.
    if (top - itemsTop + h <= areaBottom) return {top - itemsTop};
    if (upperHalf) return {areaBottom - h};
    return {std::max(bottom + itemsTop - h, areaTop)};
  }
  if (p.Upward) {
    if (top - h >= areaTop) return {top - h};
    if (!upperHalf) return {areaTop, true};
    if (bottom + h <= areaBottom) return {bottom};
    return {areaBottom - h, true};
  }
  if (bottom + h <= areaBottom) return {bottom};
  if (upperHalf) return {areaBottom - h, true};
  if (top - h >= areaTop) return {top - h};
  return {areaTop, true};
}

int64_t PlaceX(const TMenuPlacement& p, bool forced) {
  const int64_t left = p.Anchor.Left, right = p.Anchor.Right, areaLeft = p.WorkArea.Left, areaRight = p.WorkArea.Right;
  const int64_t w = p.Width;
  if (p.SubMenu || p.Scrolling || forced) return right + w + 1 <= areaRight ? right + 1 : left - w - 1;
  if (left + w > areaRight) return areaRight - w;
  return std::max(left, areaLeft);
}

}  // namespace

TPoint PlaceMenu(const TMenuPlacement& p) {
  const TPlaceY y = PlaceY(p);
  return {Saturate(PlaceX(p, y.Forced)), Saturate(y.Y)};
}
