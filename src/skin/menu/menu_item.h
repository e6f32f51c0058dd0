#pragma once
// One item of a skinned popup menu, as data: what the menu shows and what
// choosing it runs. Whoever fills a menu (the frame's system and tray menus,
// a popup menu component) builds its items of this type.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TMenuItem {
  std::string Name{};
  std::string Caption{};  // "-" is a separator
  std::string ShortCut{};
  // The filler's own number for the item (the frame keeps its command in it).
  int32_t Tag = 0;
  bool Enabled = true;
  bool Default = false;
  bool Visible = true;
  // An image of the menu's image list; out of range: none.
  int32_t ImageIndex = -1;
  bool Checked = false;
  // Shown with a round mark when checked; checked only one at a time among
  // the radio items of its siblings with the same group index.
  bool RadioItem = false;
  uint8_t GroupIndex = 0;
  // Shown one level deeper when the item is chosen.
  std::vector<TMenuItem> SubItems{};
  // Runs when the item is chosen (a parent item as its sub-menu opens).
  std::function<void()> OnClick{};
};
