#include "skin/menu/menu_placement.h"

#include <algorithm>

namespace {

struct TPlaceY {
  int32_t Y = 0;
  bool Forced = false;
};

TPlaceY PlaceY(const TMenuPlacement& p) {
  const TRect &a = p.Anchor, &wa = p.WorkArea;
  const int32_t h = p.Height;
  const bool upperHalf = a.Top < wa.Top + wa.Height() / 2;
  if (p.Scrolling) return {wa.Top};
  if (p.SubMenu) {
    // The first item level with the parent item when it fits.
    if (a.Top - p.ItemsTop + h <= wa.Bottom) return {a.Top - p.ItemsTop};
    if (upperHalf) return {wa.Bottom - h};
    return {std::max(a.Bottom + p.ItemsTop - h, wa.Top)};
  }
  if (p.Upward) {
    if (a.Top - h >= wa.Top) return {a.Top - h};
    if (!upperHalf) return {wa.Top, true};
    if (a.Bottom + h <= wa.Bottom) return {a.Bottom};
    return {wa.Bottom - h, true};
  }
  if (a.Bottom + h <= wa.Bottom) return {a.Bottom};
  if (upperHalf) return {wa.Bottom - h, true};
  if (a.Top - h >= wa.Top) return {a.Top - h};
  return {wa.Top, true};
}

int32_t PlaceX(const TMenuPlacement& p, bool forced) {
  const TRect &a = p.Anchor, &wa = p.WorkArea;
  const int32_t w = p.Width;
  if (p.SubMenu || p.Scrolling || forced) return a.Right + w + 1 <= wa.Right ? a.Right + 1 : a.Left - w - 1;
  if (a.Left + w > wa.Right) return wa.Right - w;
  return std::max(a.Left, wa.Left);
}

}  // namespace

TPoint PlaceMenu(const TMenuPlacement& p) {
  const TPlaceY y = PlaceY(p);
  return {PlaceX(p, y.Forced), y.Y};
}
