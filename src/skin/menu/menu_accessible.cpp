#include "skin/menu/menu_accessible.h"

#include "base/accelerator.h"
#include "skin/frame/system_menu_items.h"
#include "skin/menu/menu_metrics.h"
#include "skin/menu/menu_navigation.h"

TAccessibleItem MenuItemAccessible(const TFrameMenuItem& item, const TMenuItemAccess& access) {
  using namespace accessible_state;
  const uint32_t offscreen = access.Shown ? 0 : Offscreen;
  if (IsMenuSeparator(item)) return {.Role = TAccessibleRole::Separator, .State = Unavailable | offscreen};
  TAccessibleItem result{.Role = TAccessibleRole::MenuItem,
                         .Name = CaptionWithoutAccelerators(item.Caption),
                         .Description = item.ShortCut,
                         .KeyboardShortcut = AcceleratorKeyName(item.Caption),
                         .DefaultAction = item.SubItems.empty() ? "Execute" : "Open",
                         .State = offscreen};
  if (!IsSelectableMenuItem(item))
    result.State |= Unavailable;
  else
    result.State |= access.Lit ? Focusable | Focused | HotTracked : Focusable;
  if (!item.SubItems.empty()) result.State |= HasPopup;
  if (item.Default) result.State |= Default;
  return result;
}

TAccessibleItem PopupMenuAccessible() { return {.Role = TAccessibleRole::PopupMenu}; }
