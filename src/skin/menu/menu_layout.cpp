#include "skin/menu/menu_layout.h"

#include <algorithm>

TMenuLayout LayoutMenuItems(std::span<const TMenuItemSize> items, const TRect& itemsRect, bool scrolling,
                            int32_t firstShown) {
  const int32_t margin = scrolling ? kMenuScrollMarkerHeight : 0;
  const int32_t count = static_cast<int32_t>(items.size());
  TMenuLayout layout{.Items = std::vector<TMenuItemPlace>(items.size())};
  // 64 bits: a skin's item heights may be any 32-bit values.
  int64_t y = int64_t{itemsRect.Top} + margin;
  for (int32_t i = std::clamp(firstShown, 0, count); i < count; ++i) {
    const int64_t bottom = y + items[i].Height;
    if (bottom > int64_t{itemsRect.Bottom} - margin) break;
    layout.Items[i] = {{itemsRect.Left, Saturate(y), itemsRect.Right, Saturate(bottom)}, true};
    ++layout.ShownCount;
    y = bottom;
  }
  return layout;
}

int32_t MenuItemAt(const TMenuLayout& layout, TPoint point) {
  for (size_t i = 0; i < layout.Items.size(); ++i)
    if (layout.Items[i].Shown && layout.Items[i].Rect.Contains(point)) return static_cast<int32_t>(i);
  return -1;
}

TMenuScrollMarkers MenuScrollMarkers(const TMenuSkin& skin, const TRect& itemsRect, int32_t width, int32_t height) {
  if (!skin.Skinned()) return {{3, 3, width - 3, 13}, {3, height - 10, width - 3, height - 3}};
  const TRect& r = itemsRect;
  return {{r.Left, r.Top, r.Right, Saturate(int64_t{r.Top} + kMenuScrollMarkerHeight)},
          {r.Left, Saturate(int64_t{r.Bottom} - kMenuScrollMarkerHeight), r.Right, r.Bottom}};
}

namespace {

bool CanScroll(TMenuScroll direction, int32_t firstShown, const TMenuLayout& layout) {
  switch (direction) {
    case TMenuScroll::Up: return firstShown > 0;
    case TMenuScroll::Down: return firstShown + layout.ShownCount < static_cast<int32_t>(layout.Items.size());
    case TMenuScroll::None: break;
  }
  return false;
}

}  // namespace

std::optional<int32_t> MenuScrollStep(TMenuScroll direction, int32_t firstShown, const TMenuLayout& layout) {
  if (!CanScroll(direction, firstShown, layout)) return std::nullopt;
  return direction == TMenuScroll::Up ? firstShown - 1 : firstShown + 1;
}

TMenuScroll MenuScrollAt(const TMenuScrollMarkers& markers, TPoint point, TMenuScroll current, int32_t firstShown,
                         const TMenuLayout& layout) {
  TMenuScroll band = TMenuScroll::None;
  if (markers.Up.Contains(point)) band = TMenuScroll::Up;
  else if (markers.Down.Contains(point)) band = TMenuScroll::Down;
  if (band == TMenuScroll::None) return TMenuScroll::None;
  if (current != TMenuScroll::None) return current;
  return CanScroll(band, firstShown, layout) ? band : TMenuScroll::None;
}

int32_t MenuFirstShownFor(std::span<const TMenuItemSize> items, const TRect& itemsRect, int32_t firstShown,
                          int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(items.size())) return firstShown;
  if (index < firstShown) return index;
  // Drop items from the top until those from the start to the item fit.
  const int64_t room = int64_t{itemsRect.Height()} - 2 * kMenuScrollMarkerHeight;
  int32_t first = std::max(firstShown, 0);
  int64_t used = 0;
  for (int32_t i = first; i <= index; ++i) used += items[i].Height;
  while (used > room && first < index) used -= items[first++].Height;
  return first;
}
