// The frame's size limits, window placement and menu item lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/layout/client_logo.h"
#include "skin/frame/layout/frame_limits.h"
#include "skin/frame/system_menu_items.h"
#include "skin/frame/layout/window_placement.h"

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

TEST(FrameLimits, ASkinChangeKeepsTheClientOrTheStripAndNeverGoesBelowTheMinimum) {
  const TPoint least{200, 46};
  EXPECT_EQ(SizeAfterSkinChange({320, 240}, least, false, false), (TPoint{320, 240}));
  EXPECT_EQ(SizeAfterSkinChange({150, 30}, least, false, false), (TPoint{200, 46}));
  EXPECT_EQ(SizeAfterSkinChange({150, 240}, least, false, false), (TPoint{200, 240}));
  EXPECT_EQ(SizeAfterSkinChange({320, 30}, least, false, false), (TPoint{320, 46}));
  // Rolled up: the new caption strip, the width kept; minimized: the bare frame.
  EXPECT_EQ(SizeAfterSkinChange({320, 60}, least, true, false), (TPoint{320, 46}));
  EXPECT_EQ(SizeAfterSkinChange({320, 60}, least, false, true), (TPoint{200, 46}));
}

TEST(ClientLogo, CentredClippedAndTransparentByItsBottomLeftColour) {
  // A 3 x 2 logo: its bottom-left colour (key) is left out when transparent.
  const Bgr key{1, 2, 3}, ink{200, 100, 50}, ground{9, 9, 9};
  PixelImage logo(3, 2);
  for (int x = 0; x < 3; ++x) logo.View().Set(x, 0, ink);
  logo.View().Set(0, 1, key);
  logo.View().Set(1, 1, ink);
  logo.View().Set(2, 1, key);
  auto draw = [&](TPoint origin, TPoint client, int width, int height, bool transparent) {
    PixelImage target(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) target.View().Set(x, y, ground);
    DrawLogo(target.View(), origin, client, logo.View(), transparent);
    std::string picture;
    for (int y = 0; y < height; ++y, picture += '\n')
      for (int x = 0; x < width; ++x) {
        const Bgr p = target.View().At(x, y);
        picture += p == ink ? '#' : p == key ? 'k' : '.';
      }
    return picture;
  };
  // Centred on a 7 x 4 client: (7 / 2 - 3 / 2, 4 / 2 - 2 / 2) = (2, 1).
  EXPECT_EQ(draw({0, 0}, {7, 4}, 7, 4, false), ".......\n..###..\n..k#k..\n.......\n");
  EXPECT_EQ(draw({0, 0}, {7, 4}, 7, 4, true), ".......\n..###..\n...#...\n.......\n");
  // A target covering only part of the client (an erased strip) gets its part.
  EXPECT_EQ(draw({3, 2}, {7, 4}, 4, 2, false), "#k..\n....\n");
  // A client smaller than the logo shows it from its corner.
  EXPECT_EQ(LogoPlace({2, 1}, 3, 2), (TPoint{0, 0}));
  EXPECT_EQ(draw({0, 0}, {2, 1}, 2, 1, false), "##\n");
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

std::vector<std::string> Captions(const std::vector<TMenuItem>& items) {
  std::vector<std::string> captions;
  for (const TMenuItem& item : items) captions.push_back(item.Caption);
  return captions;
}

using Texts = std::vector<std::string>;

const TSystemMenuCaptions kCaptions{"Mi&nimize", "Ma&ximize", "&Restore", "Ro&llUp", "Minimize to &Tray", "&Close"};

TEST(SystemMenuItems, MainWindowListAndCloseItem) {
  const std::vector<TMenuItem> items = SystemMenuItems({.BorderIcons = sbiMinimize | sbiMinimizeToTray}, kCaptions);
  ASSERT_EQ(Captions(items), (Texts{"Mi&nimize", "Minimize to &Tray", "-", "&Close"}));
  EXPECT_EQ((Texts{items[0].Name, items[1].Name, items[3].Name}), (Texts{"SKF_MINITEM", "SKF_MINTOTRAY", "SKF_CLOSE"}));
  EXPECT_EQ(FrameCommandOf(items[1]), TFrameCommand::MinimizeToTray);
  EXPECT_EQ(FrameCommandOf(items[3]), TFrameCommand::Close);
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
    TMenuItem entry;
    entry.Name = std::move(name);
    entry.Caption = std::move(caption);
    return entry;
  };
  const std::vector<TMenuItem> user{item("About", "&About"), item("SKF_CLOSE", "Old close"),
                                        item("SKF_MAXITEM", "Old max"), item("Help", "&Help")};
  const TSystemMenuState rolledUp{.BorderIcons = sbiMinimize | sbiMaximize | sbiMinimizeToTray, .RolledUp = true};
  EXPECT_EQ(Captions(MergeSystemMenuItems(user, rolledUp, kCaptions)),
            (Texts{"Mi&nimize", "&Restore", "Ma&ximize", "Minimize to &Tray", "&About", "&Help", "&Close"}));
  EXPECT_EQ(Captions(MergeSystemMenuItems(user, {}, kCaptions)), (Texts{"&About", "&Help", "&Close"}));
}

TEST(TrayPopupItems, RestoreSeparatorClose) {
  const std::vector<TMenuItem> items = TrayPopupItems(false, kCaptions);
  ASSERT_EQ(Captions(items), (Texts{"&Restore", "-", "&Close"}));
  EXPECT_EQ(items[0].Name, "TRAY_SKF_RESTORE");
  EXPECT_EQ(FrameCommandOf(items[0]), TFrameCommand::RestoreFromTray);
  EXPECT_EQ(items[2].Name, "TRAY_SKF_CLOSE");
  EXPECT_EQ(items[2].ShortCut, "Alt+F4");
  EXPECT_EQ(TrayPopupItems(true, kCaptions)[2].ShortCut, "Ctrl+F4");
}

}  // namespace
