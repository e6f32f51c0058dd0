#pragma once
// What an item's mark column shows, and how checking a radio item touches
// its siblings.
#include <cstdint>
#include <span>
#include <vector>

#include "skin/menu/menu_item.h"

// The mark an item shows, in this order of choice: its image when the menu
// has one at its index; the frame command glyph its name picks; its check
// mark (round for a radio item) when checked; nothing.
enum class TMenuMark : uint8_t { None, Image, Glyph, Radio, Check };

// `imageCount`: how many images the menu's image list holds (0 without one).
TMenuMark MenuItemMark(const TMenuItem& item, int32_t imageCount);

// Checks or unchecks `siblings[index]`; checking a radio item unchecks the
// radio items among its siblings that share its group index.
void SetMenuItemChecked(std::span<TMenuItem* const> siblings, size_t index, bool checked);

// The items a menu level shows: the visible ones, in their order.
std::vector<TMenuItem> VisibleMenuItems(std::span<const TMenuItem> items);
