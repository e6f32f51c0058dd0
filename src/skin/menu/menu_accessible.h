#pragma once
// A popup menu's item as a screen reader hears it: its caption as it reads,
// its '&' letter as the key that picks it in the open menu, and the
// shortcut the menu shows beside it as its description.
#include "ui/accessible_item.h"

struct TMenuItem;

struct TMenuItemAccess {
  bool Lit = false;    // the item the pointer or the keys are on
  bool Shown = true;   // false while scrolled out of the window
};

TAccessibleItem MenuItemAccessible(const TMenuItem& item, const TMenuItemAccess& access);

// The menu window itself.
TAccessibleItem PopupMenuAccessible();
