#pragma once
// The items of the frame's system menu and of the tray popup, as data: the
// skinned popup shows them and runs the frame command of the chosen one.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/frame/border_icons.h"
#include "skin/menu/menu_item.h"

enum class TFrameCommand : uint8_t {
  None, Minimize, Maximize, Restore, RollUp, MinimizeToTray, Close, RestoreFromTray
};

// The frame command a built-in item runs, kept in its Tag; None for others.
TFrameCommand FrameCommandOf(const TMenuItem& item);

// The captions of the built-in items; the program keeps them as string resources.
struct TSystemMenuCaptions {
  std::string Minimize, Maximize, Restore, RollUp, MinimizeToTray, Close;
};

struct TSystemMenuState {
  uint32_t BorderIcons = 0;  // TSkinBorderIcon bits
  bool Minimized = false, Maximized = false, RolledUp = false;
  bool MdiChild = false;
};

// The built-in system menu for the form's state.
std::vector<TMenuItem> SystemMenuItems(const TSystemMenuState& state, const TSystemMenuCaptions& captions);

// A user's system menu with the default items merged in: its own default
// items dropped, the defaults for the state put first and "&Close" last.
std::vector<TMenuItem> MergeSystemMenuItems(std::vector<TMenuItem> userItems, const TSystemMenuState& state,
                                                 const TSystemMenuCaptions& captions);

std::vector<TMenuItem> TrayPopupItems(bool mdiChild, const TSystemMenuCaptions& captions);
