// Keyboard moves and keys of an open popup menu, and what choosing an item does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/menu/menu_item.h"
#include "skin/menu/menu_navigation.h"

namespace {

TMenuItem Item(std::string caption, bool enabled = true) {
  TMenuItem item;
  item.Caption = std::move(caption);
  item.Enabled = enabled;
  return item;
}

// 0 separator, 1 disabled, 2 plain, 3 with a sub-menu, 4 separator, 5 plain.
std::vector<TMenuItem> Items() {
  std::vector<TMenuItem> items{Item("-"),     Item("&Gray", false), Item("&Restore"),
                                    Item("&More"), Item("-"),            Item("&Close")};
  items[3].SubItems.push_back(Item("&Inner"));
  return items;
}

TEST(MenuNavigation, ArrowsSkipSeparatorsAndDisabledItemsAndWrap) {
  const std::vector<TMenuItem> items = Items();
  EXPECT_EQ(FirstSelectableMenuItem(items), 2);
  EXPECT_EQ(StepMenuSelection(items, 3, 1), 5);
  EXPECT_EQ(StepMenuSelection(items, 5, 1), 2);
  EXPECT_EQ(StepMenuSelection(items, 2, -1), 5);
  EXPECT_EQ(StepMenuSelection(items, -1, 1), 2);
  EXPECT_EQ(StepMenuSelection(items, -1, -1), 5);
  EXPECT_EQ(FirstSelectableMenuItem(std::vector<TMenuItem>{Item("-"), Item("&Off", false)}), -1);
  EXPECT_EQ(FirstSelectableMenuItem({}), -1);
}

TEST(MenuNavigation, KeysOnOneAndOnTwoLevels) {
  const std::vector<TMenuItem> items = Items();
  using C = TMenuKeyCommand;
  auto key = [&items](int32_t hot, size_t levels, TMenuKey k, char16_t typed = 0) {
    return MenuKeyAction(items, hot, levels, k, typed);
  };
  // Accelerators first, without regard to case, even on an item the click will not run.
  EXPECT_EQ(key(2, 1, TMenuKey::Other, u'c'), (TMenuKeyAction{C::HighlightAndClick, 5}));
  EXPECT_EQ(key(2, 1, TMenuKey::Other, u'G'), (TMenuKeyAction{C::HighlightAndClick, 1}));
  EXPECT_EQ(key(2, 1, TMenuKey::Other, u'z'), TMenuKeyAction{});
  EXPECT_EQ(key(3, 1, TMenuKey::Enter), (TMenuKeyAction{C::Click, 3}));
  EXPECT_EQ(key(-1, 1, TMenuKey::Enter), TMenuKeyAction{});
  EXPECT_EQ(key(2, 1, TMenuKey::Down), (TMenuKeyAction{C::Highlight, 3}));
  EXPECT_EQ(key(2, 1, TMenuKey::Up), (TMenuKeyAction{C::Highlight, 5}));
  EXPECT_EQ(key(3, 1, TMenuKey::Right), (TMenuKeyAction{C::Click, 3}));
  EXPECT_EQ(key(2, 1, TMenuKey::Right), TMenuKeyAction{});
  EXPECT_EQ(key(2, 1, TMenuKey::Escape), (TMenuKeyAction{C::CloseMenu}));
  EXPECT_EQ(key(2, 2, TMenuKey::Escape), (TMenuKeyAction{C::CloseLevel}));
  EXPECT_EQ(key(2, 1, TMenuKey::Left), TMenuKeyAction{});
  EXPECT_EQ(key(2, 2, TMenuKey::Left), (TMenuKeyAction{C::CloseLevel}));
  // A lone selectable item stays as it is.
  const std::vector<TMenuItem> lone{Item("-"), Item("&Close")};
  EXPECT_EQ(MenuKeyAction(lone, 1, 1, TMenuKey::Down, 0), TMenuKeyAction{});
}

TEST(MenuNavigation, ChoosingAnItem) {
  const std::vector<TMenuItem> items = Items();
  const TMenuItem &plain = items[2], &sub = items[3];
  EXPECT_EQ(MenuChoice(plain, false, false), TMenuChoice::CloseDeeper);
  EXPECT_EQ(MenuChoice(plain, true, false), TMenuChoice::RunCommand);
  EXPECT_EQ(MenuChoice(sub, false, false), TMenuChoice::OpenAfterDelay);
  EXPECT_EQ(MenuChoice(sub, false, true), TMenuChoice::None);  // the keyboard opens it with Right or Enter
  EXPECT_EQ(MenuChoice(sub, true, true), TMenuChoice::OpenNow);
  // A separator or a disabled item is never run.
  EXPECT_EQ(MenuChoice(items[0], true, false), TMenuChoice::None);
  EXPECT_EQ(MenuChoice(items[1], true, true), TMenuChoice::None);
}

}  // namespace
