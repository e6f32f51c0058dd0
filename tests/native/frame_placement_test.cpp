// The frame's size limits, window placement and menu item lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/frame_limits.h"
#include "skin/frame/system_menu_items.h"
#include "skin/frame/window_placement.h"

// Readable rectangles in failure messages (defined in frame_paint_test.cpp).
void PrintTo(const TRect& r, std::ostream* os);

namespace {

TEST(FrameLimits, MinimumSizeWithOurSkinAndWithoutSkinAndTheTrackingMaximum) {
  TFrameLimitInput in{.Skinned = true, .PictureWidth = 176, .PictureHeight = 147, .ClientRect = {15, 33, 163, 124}};
  auto sizes = [&in] { return TPoint{MinFrameWidth(in), MinFrameHeight(in)}; };
  EXPECT_EQ(sizes(), (TPoint{176, 56}));
  in.MinWidth = 200;
  in.MinHeight = 100;
  EXPECT_EQ(sizes(), (TPoint{200, 100}));
  in.RolledUp = true;
  EXPECT_EQ(sizes(), (TPoint{200, 56}));
  in.Minimized = true;  // a caption strip whatever the form's limits
  EXPECT_EQ(sizes(), (TPoint{176, 56}));

  in = {};
  EXPECT_EQ(sizes(), (TPoint{120, 25}));
  in.CaptionHeight = 15;
  in.MinWidth = 90;
  in.MinHeight = 40;
  EXPECT_EQ(sizes(), (TPoint{90, 40}));

  const TRect work{0, 0, 1920, 1040}, monitor{0, 0, 1920, 1080};
  EXPECT_EQ(MaxTrackSize(work, monitor, false), (TPoint{1920, 1040}));
  EXPECT_EQ(MaxTrackSize(work, monitor, true), (TPoint{1920, 1080}));
}

TEST(FreePlace, RowsFromTheBottomLeftThenTheFirstSlotWhenFull) {
  const TRect work{10, 0, 410, 130};  // two 176-wide slots a row, rows at 74 and 18
  EXPECT_EQ(FreePlace(work, 176, 56, {}), (TPoint{10, 74}));
  std::vector<TPoint> taken{{10, 74}};
  EXPECT_EQ(FreePlace(work, 176, 56, taken), (TPoint{186, 74}));
  taken.push_back({186, 74});
  EXPECT_EQ(FreePlace(work, 176, 56, taken), (TPoint{10, 18}));
  taken.push_back({200, 18});  // not on a slot: does not count
  EXPECT_EQ(FreePlace(work, 176, 56, taken), (TPoint{10, 18}));
  taken.push_back({10, 18});
  taken.push_back({186, 18});
  EXPECT_EQ(FreePlace(work, 176, 56, taken), (TPoint{10, 74}));
  EXPECT_EQ(FreePlace(work, 0, 56, taken), (TPoint{10, 74}));  // no size: no endless search
}

TEST(WindowPlacement, MaximizeRectKeepsAMarginOnlyWithoutTaskBar) {
  const TRect monitor{0, 0, 1920, 1080};
  EXPECT_EQ(MaximizeRect(monitor, monitor, false), (TRect{1, 1, 1919, 1079}));
  EXPECT_EQ(MaximizeRect({0, 0, 1920, 1040}, monitor, false), (TRect{0, 0, 1920, 1040}));
  EXPECT_EQ(MaximizeRect({0, 0, 1920, 1040}, monitor, true), monitor);
}

TEST(WindowPlacement, SnapsStrictlyCloserThanTheMagneticSizeAndPinsWhenMaximized) {
  const TRect area{0, 0, 1000, 800};
  EXPECT_EQ(SnapToArea(Bounds(4, -4, 200, 100), area, 5), Bounds(0, 0, 200, 100));
  EXPECT_EQ(SnapToArea(Bounds(5, 5, 200, 100), area, 5), Bounds(5, 5, 200, 100));
  EXPECT_EQ(SnapToArea(Bounds(796, 696, 200, 100), area, 5), Bounds(800, 700, 200, 100));
  // Near both sides the right edge wins, as it is snapped last.
  EXPECT_EQ(SnapToArea(Bounds(2, 300, 200, 100), {0, 0, 203, 800}, 5), Bounds(3, 300, 200, 100));

  TMovingState state{.Magnetic = true};
  const TRect current = Bounds(100, 100, 200, 100), proposed = Bounds(4, 300, 200, 100);
  EXPECT_EQ(MovingRect(proposed, current, area, state), Bounds(0, 300, 200, 100));
  state.Maximized = true;
  EXPECT_EQ(MovingRect(proposed, current, area, state), current);
  EXPECT_EQ(MovingRect(proposed, current, area, {}), proposed);
}

std::vector<std::string> Captions(const std::vector<TFrameMenuItem>& items) {
  std::vector<std::string> captions;
  for (const TFrameMenuItem& item : items) captions.push_back(item.Caption);
  return captions;
}

using Texts = std::vector<std::string>;

const TSystemMenuCaptions kCaptions{"Mi&nimize", "Ma&ximize", "&Restore", "Ro&llUp", "Minimize to &Tray", "&Close"};

TEST(SystemMenuItems, MainWindowListAndCloseItem) {
  const std::vector<TFrameMenuItem> items = SystemMenuItems({.BorderIcons = sbiMinimize | sbiMinimizeToTray}, kCaptions);
  ASSERT_EQ(Captions(items), (Texts{"Mi&nimize", "Minimize to &Tray", "-", "&Close"}));
  EXPECT_EQ((Texts{items[0].Name, items[1].Name, items[3].Name}), (Texts{"SKF_MINITEM", "SKF_MINTOTRAY", "SKF_CLOSE"}));
  EXPECT_EQ(items[1].Command, TFrameCommand::MinimizeToTray);
  EXPECT_EQ(items[3].Command, TFrameCommand::Close);
  EXPECT_EQ(items[3].ShortCut, "Alt+F4");
}

TEST(SystemMenuItems, EachStateAndIconSet) {
  const uint32_t all = sbiSystemMenu | sbiMinimize | sbiMaximize | sbiRollUp | sbiMinimizeToTray;
  struct Case {
    TSystemMenuState state;
    Texts captions;
  };
  const std::vector<Case> cases{
      {{.BorderIcons = all}, {"Mi&nimize", "Ma&ximize", "Ro&llUp", "Minimize to &Tray", "-", "&Close"}},
      {{.BorderIcons = all, .Minimized = true}, {"Ma&ximize", "&Restore", "Minimize to &Tray", "-", "&Close"}},
      {{.BorderIcons = all, .Maximized = true},
       {"Mi&nimize", "&Restore", "Ro&llUp", "Minimize to &Tray", "-", "&Close"}},
      {{.BorderIcons = all, .RolledUp = true},
       {"Mi&nimize", "Ma&ximize", "&Restore", "Minimize to &Tray", "-", "&Close"}},
      {{.BorderIcons = all, .Maximized = true, .MdiChild = true},
       {"Mi&nimize", "&Restore", "Minimize to &Tray", "-", "&Close"}},
      {{.BorderIcons = sbiMaximize | sbiRollUp}, {"Ma&ximize", "Ro&llUp", "-", "&Close"}},
      {{.BorderIcons = 0}, {"&Close"}},
      {{.BorderIcons = 0, .Maximized = true}, {"&Restore", "-", "&Close"}},
  };
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(Captions(SystemMenuItems(cases[i].state, kCaptions)), cases[i].captions) << "case " << i;
  EXPECT_EQ(SystemMenuItems({.MdiChild = true}, kCaptions).back().ShortCut, "Ctrl+F4");
}

TEST(SystemMenuItems, UserMenuMergedWithTheDefaults) {
  auto item = [](std::string name, std::string caption) {
    TFrameMenuItem entry;
    entry.Name = std::move(name);
    entry.Caption = std::move(caption);
    return entry;
  };
  const std::vector<TFrameMenuItem> user{item("About", "&About"), item("SKF_CLOSE", "Old close"),
                                        item("SKF_MAXITEM", "Old max"), item("Help", "&Help")};
  const TSystemMenuState rolledUp{.BorderIcons = sbiMinimize | sbiMaximize | sbiMinimizeToTray, .RolledUp = true};
  EXPECT_EQ(Captions(MergeSystemMenuItems(user, rolledUp, kCaptions)),
            (Texts{"Mi&nimize", "&Restore", "Ma&ximize", "Minimize to &Tray", "&About", "&Help", "&Close"}));
  EXPECT_EQ(Captions(MergeSystemMenuItems(user, {}, kCaptions)), (Texts{"&About", "&Help", "&Close"}));
}

TEST(TrayPopupItems, RestoreSeparatorClose) {
  const std::vector<TFrameMenuItem> items = TrayPopupItems(false, kCaptions);
  ASSERT_EQ(Captions(items), (Texts{"&Restore", "-", "&Close"}));
  EXPECT_EQ(items[0].Name, "TRAY_SKF_RESTORE");
  EXPECT_EQ(items[0].Command, TFrameCommand::RestoreFromTray);
  EXPECT_EQ(items[2].Name, "TRAY_SKF_CLOSE");
  EXPECT_EQ(items[2].ShortCut, "Alt+F4");
  EXPECT_EQ(TrayPopupItems(true, kCaptions)[2].ShortCut, "Ctrl+F4");
}

}  // namespace
