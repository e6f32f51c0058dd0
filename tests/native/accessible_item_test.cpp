// What screen readers are told: captions as they read, accelerator keys,
// control states and the skinned menus' items.
#include <gtest/gtest.h>

#include "base/accelerator.h"
#include "skin/frame/system_menu_items.h"
#include "skin/menu/menu_accessible.h"
#include "ui/accessible_item.h"

namespace {

using namespace accessible_state;

TEST(AccessibleText, CaptionsReadWithoutTheirAmpersands) {
  EXPECT_EQ(CaptionWithoutAccelerators("&Start"), "Start");
  EXPECT_EQ(CaptionWithoutAccelerators("Fish && &Chips"), "Fish & Chips");
  EXPECT_EQ(CaptionWithoutAccelerators("&&&&"), "&&");
  EXPECT_EQ(CaptionWithoutAccelerators("a&&&b"), "a&b");
  EXPECT_EQ(CaptionWithoutAccelerators("trailing&"), "trailing");
  EXPECT_EQ(CaptionWithoutAccelerators("&设置"), "设置");
  EXPECT_EQ(CaptionWithoutAccelerators(""), "");

  EXPECT_EQ(AcceleratorKeyName("&start"), "S");
  EXPECT_EQ(AcceleratorKeyName("Ma&ximize"), "X");
  EXPECT_EQ(AcceleratorKeyName("&ärger"), "Ä");
  EXPECT_EQ(AcceleratorKeyName("&设置"), "设");
  EXPECT_EQ(AcceleratorKeyName("Fish && Chips"), "");
  EXPECT_EQ(AcceleratorKeyName("&\xF0\x9F\x98\x80"), "") << "half a surrogate pair names no key";
}

TEST(AccessibleControls, ADisabledControlIsOnlyUnavailable) {
  EXPECT_EQ(ControlAccessibleState({.Enabled = false, .Focusable = true, .Focused = true}), Unavailable);
  EXPECT_EQ(ControlAccessibleState({.Enabled = true, .Focusable = true, .Focused = true}), Focusable | Focused);
  EXPECT_EQ(ControlAccessibleState({.Enabled = true, .Focusable = false, .Focused = false}), 0u);

  const TAccessibleItem disabledDefault = PushButtonAccessible(
      "&Stop", {.Control = {.Enabled = false, .Focusable = true}, .Down = true, .Default = true, .Hot = true});
  EXPECT_EQ(disabledDefault.State, Unavailable | Pressed) << "a disabled button is neither default nor hot";
  EXPECT_EQ(disabledDefault.Name, "Stop");
  EXPECT_EQ(disabledDefault.KeyboardShortcut, "Alt+S");
  EXPECT_EQ(PushButtonAccessible("Start", {.Control = {.Enabled = true}, .Default = true, .Hot = true}).State,
            Default | HotTracked);
  EXPECT_EQ(PushButtonAccessible("Start", {}).KeyboardShortcut, "");

  EXPECT_EQ(LinkAccessible("a&b.org", {.Enabled = true}, false).Name, "a&b.org") << "a label draws its '&'";
  EXPECT_EQ(LinkAccessible("x", {.Enabled = true}, true).State, Linked | Traversed);
  EXPECT_EQ(LinkAccessible("x", {.Enabled = false}, false).State, Unavailable | Linked);
}

TEST(AccessibleMenus, ItemsTellTheirKindStateAndKeys) {
  const TSystemMenuCaptions captions{"Mi&nimize", "Ma&ximize", "&Restore", "Ro&llUp", "Minimize to &Tray", "&Close"};
  const std::vector<TMenuItem> items = SystemMenuItems({.BorderIcons = sbiMinimize}, captions);
  ASSERT_EQ(items.size(), 3u);  // Minimize, a separator, Close
  const TAccessibleItem minimize = MenuItemAccessible(items[0], {.Lit = true});
  EXPECT_EQ(minimize.Role, TAccessibleRole::MenuItem);
  EXPECT_EQ(minimize.Name, "Minimize");
  EXPECT_EQ(minimize.KeyboardShortcut, "N");
  EXPECT_EQ(minimize.DefaultAction, "Execute");
  EXPECT_EQ(minimize.State, Focusable | Focused | HotTracked);

  const TAccessibleItem separator = MenuItemAccessible(items[1], {.Lit = true});
  EXPECT_EQ(separator.Role, TAccessibleRole::Separator);
  EXPECT_EQ(separator.Name, "");
  EXPECT_EQ(separator.DefaultAction, "") << "nothing to choose";
  EXPECT_EQ(separator.State, Unavailable);

  const TAccessibleItem close = MenuItemAccessible(items[2], {.Shown = false});
  EXPECT_EQ(close.KeyboardShortcut, "C");
  EXPECT_EQ(close.Description, "Alt+F4") << "the shortcut the menu shows beside it";
  EXPECT_EQ(close.State, Focusable | Offscreen);

  TMenuItem disabled = items[0];
  disabled.Enabled = false;
  EXPECT_EQ(MenuItemAccessible(disabled, {.Lit = true}).State, Unavailable);

  TMenuItem parent = items[0];
  parent.Name = "more";
  parent.Caption = "&More";
  parent.Default = true;
  parent.SubItems = {items[0]};
  const TAccessibleItem more = MenuItemAccessible(parent, {});
  EXPECT_EQ(more.DefaultAction, "Open");
  EXPECT_EQ(more.State, Focusable | HasPopup | Default);
  EXPECT_EQ(PopupMenuAccessible().Role, TAccessibleRole::PopupMenu);
}

}  // namespace
