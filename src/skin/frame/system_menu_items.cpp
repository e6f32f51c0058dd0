#include "skin/frame/system_menu_items.h"

#include <algorithm>
#include <array>

namespace {

TMenuItem Item(std::string name, std::string caption, TFrameCommand command) {
  return {.Name = std::move(name), .Caption = std::move(caption), .Tag = static_cast<int32_t>(command)};
}

TMenuItem CloseItem(const char* name, bool mdiChild, const TSystemMenuCaptions& captions) {
  TMenuItem close = Item(name, captions.Close, TFrameCommand::Close);
  close.ShortCut = mdiChild ? "Ctrl+F4" : "Alt+F4";
  return close;
}

TMenuItem Separator() { return Item("-", "-", TFrameCommand::None); }

// The default items the state allows, in the built-in menu's order.
std::vector<TMenuItem> DefaultItems(const TSystemMenuState& s, const TSystemMenuCaptions& c) {
  std::vector<TMenuItem> items;
  if (!s.Minimized && (s.BorderIcons & sbiMinimize))
    items.push_back(Item("SKF_MINITEM", c.Minimize, TFrameCommand::Minimize));
  if (!s.Maximized && (s.BorderIcons & sbiMaximize))
    items.push_back(Item("SKF_MAXITEM", c.Maximize, TFrameCommand::Maximize));
  if (s.Minimized || s.Maximized || s.RolledUp)
    items.push_back(Item("SKF_RESTORE", c.Restore, TFrameCommand::Restore));
  if ((s.BorderIcons & sbiRollUp) && !s.RolledUp && !s.Minimized && !(s.Maximized && s.MdiChild))
    items.push_back(Item("SKF_ROLLUP", c.RollUp, TFrameCommand::RollUp));
  if (s.BorderIcons & sbiMinimizeToTray)
    items.push_back(Item("SKF_MINTOTRAY", c.MinimizeToTray, TFrameCommand::MinimizeToTray));
  return items;
}

}  // namespace

TFrameCommand FrameCommandOf(const TMenuItem& item) {
  if (item.Tag <= 0 || item.Tag > static_cast<int32_t>(TFrameCommand::RestoreFromTray)) return TFrameCommand::None;
  return static_cast<TFrameCommand>(item.Tag);
}

std::vector<TMenuItem> SystemMenuItems(const TSystemMenuState& state, const TSystemMenuCaptions& captions) {
  std::vector<TMenuItem> items = DefaultItems(state, captions);
  if (!items.empty()) items.push_back(Separator());
  items.push_back(CloseItem("SKF_CLOSE", state.MdiChild, captions));
  return items;
}

std::vector<TMenuItem> MergeSystemMenuItems(std::vector<TMenuItem> userItems, const TSystemMenuState& state,
                                                 const TSystemMenuCaptions& captions) {
  static constexpr std::array<const char*, 6> kDefaultNames{"SKF_MINITEM",   "SKF_MAXITEM", "SKF_CLOSE",
                                                            "SKF_MINTOTRAY", "SKF_ROLLUP",  "SKF_RESTORE"};
  std::erase_if(userItems, [](const TMenuItem& item) {
    return std::find(kDefaultNames.begin(), kDefaultNames.end(), item.Name) != kDefaultNames.end();
  });
  // Inserted one by one at the top in the order tray, roll up, maximize,
  // restore, minimize, so they read in the reverse of that order.
  static constexpr std::array<TFrameCommand, 5> kMergedOrder{TFrameCommand::Minimize, TFrameCommand::Restore,
                                                             TFrameCommand::Maximize, TFrameCommand::RollUp,
                                                             TFrameCommand::MinimizeToTray};
  const std::vector<TMenuItem> defaults = DefaultItems(state, captions);
  std::vector<TMenuItem> items;
  for (TFrameCommand command : kMergedOrder)
    for (const TMenuItem& item : defaults)
      if (FrameCommandOf(item) == command) items.push_back(item);
  items.insert(items.end(), userItems.begin(), userItems.end());
  items.push_back(CloseItem("SKF_CLOSE", state.MdiChild, captions));
  return items;
}

std::vector<TMenuItem> TrayPopupItems(bool mdiChild, const TSystemMenuCaptions& captions) {
  return {Item("TRAY_SKF_RESTORE", captions.Restore, TFrameCommand::RestoreFromTray), Separator(),
          CloseItem("TRAY_SKF_CLOSE", mdiChild, captions)};
}
