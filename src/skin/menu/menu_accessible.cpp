#include "skin/menu/menu_accessible.h"

#include "base/accelerator.h"
#include "skin/menu/menu_item.h"
#include "skin/menu/menu_metrics.h"
#include "skin/menu/menu_navigation.h"

TAccessibleItem MenuItemAccessible(const TMenuItem& item, const TMenuItemAccess& access) {
  using namespace accessible_state;
  TAccessibleItem result;
  result.State = access.Shown ? 0 : Offscreen;
  if (IsMenuSeparator(item)) {
    result.Role = TAccessibleRole::Separator;
    result.State |= Unavailable;
    return result;
  }
  result.Role = TAccessibleRole::MenuItem;
  result.Name = CaptionWithoutAccelerators(item.Caption);
  result.Description = item.ShortCut;
  result.KeyboardShortcut = AcceleratorKeyName(item.Caption);
  result.DefaultAction = item.SubItems.empty() ? "Execute" : "Open";
  if (!IsSelectableMenuItem(item))
    result.State |= Unavailable;
  else
    result.State |= access.Lit ? Focusable | Focused | HotTracked : Focusable;
  if (!item.SubItems.empty()) result.State |= HasPopup;
  if (item.Default) result.State |= Default;
  return result;
}

TAccessibleItem PopupMenuAccessible() {
  TAccessibleItem result;
  result.Role = TAccessibleRole::PopupMenu;
  return result;
}
