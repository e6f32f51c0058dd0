// The frame's window states, roll-up and caption double click.
#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/frame_states.h"

void PrintTo(const TRect& r, std::ostream* os);

namespace {

using TKind = TStateChange::TKind;

TFrameSurroundings Around(TRect bounds) {
  TFrameSurroundings around;
  around.Bounds = bounds;
  around.WorkArea = {0, 0, 1000, 700};
  around.Monitor = {0, 0, 1000, 740};
  around.MinFrameWidth = 176;
  around.MinFrameHeight = 56;
  return around;
}

TEST(FrameStates, MinimizeAndMaximizeKeepTheFirstNormalBoundsUntilRestored) {
  TFrameStates states;
  const TRect normal{100, 100, 299, 420};
  const std::vector<TPoint> others{{0, 644}};
  TFrameSurroundings around = Around(normal);
  around.MinimizedOthers = others;

  TStateChange change = states.SetWindowState(TFrameState::Minimized, around);
  EXPECT_EQ(change.Kind, TKind::SetBounds);
  EXPECT_EQ(change.Bounds, (TRect{176, 644, 352, 700})) << "a caption strip in the next free slot";
  EXPECT_EQ(states.SetWindowState(TFrameState::Minimized, Around(change.Bounds)).Kind, TKind::None);

  change = states.SetWindowState(TFrameState::Maximized, Around(change.Bounds));
  EXPECT_EQ(change.Bounds, (TRect{0, 0, 1000, 700}));
  change = states.SetWindowState(TFrameState::Normal, Around(change.Bounds));
  EXPECT_TRUE(change.Restored);
  EXPECT_EQ(change.Bounds, normal) << "the bounds from before the minimize, not the minimized strip";

  // Restoring again has nothing saved: the bounds stay where they are.
  states.SetWindowState(TFrameState::Maximized, Around(normal));
  TRect moved{5, 5, 300, 300};
  states.SetWindowState(TFrameState::Normal, Around(moved));
  EXPECT_EQ(states.SetWindowState(TFrameState::Maximized, Around(moved)).Bounds, (TRect{0, 0, 1000, 700}));
  EXPECT_EQ(states.SetWindowState(TFrameState::Normal, Around({})).Bounds, moved);

  TFrameSurroundings main = Around(normal);
  main.MainForm = true;
  EXPECT_EQ(states.SetWindowState(TFrameState::Minimized, main).Kind, TKind::MinimizeApplication);
  EXPECT_EQ(states.State(), TFrameState::Normal) << "the application, not the frame, is minimized";
}

TEST(FrameStates, RollUpNeedsItsIconKeepsTheHeightAndFollowsMaximizing) {
  TFrameStates states;
  const uint32_t icons = sbiRollUp | sbiMaximize;
  EXPECT_EQ(states.RollUp(true, sbiMaximize, 320, 56), std::nullopt);
  EXPECT_EQ(states.RollUp(true, icons, 320, 56), 56);
  EXPECT_EQ(states.RollUp(true, icons, 56, 56), std::nullopt) << "rolling up twice keeps the height to go back to";
  EXPECT_TRUE(states.RestoreUnrolls());
  EXPECT_EQ(states.RollUp(false, icons, 56, 56), 320);

  // Rolled up in the normal state, then maximized: the maximized window may not unroll.
  states.RollUp(true, icons, 320, 56);
  states.SetWindowState(TFrameState::Maximized, Around({0, 0, 199, 56}));
  EXPECT_FALSE(states.RestoreUnrolls());
  EXPECT_EQ(states.RollUp(false, icons, 700, 56), std::nullopt);
  states.SetWindowState(TFrameState::Normal, Around({}));
  EXPECT_EQ(states.RollUp(false, icons, 56, 56), 320);

  // Rolled up while maximized: the restore command unrolls.
  states.SetWindowState(TFrameState::Maximized, Around({0, 0, 199, 320}));
  EXPECT_EQ(states.RollUp(true, icons, 700, 56), 56);
  EXPECT_TRUE(states.RolledUpWhileMaximized());
  EXPECT_TRUE(states.RestoreUnrolls());

  TFrameStates minimized;
  minimized.SetWindowState(TFrameState::Minimized, Around({0, 0, 199, 320}));
  EXPECT_EQ(minimized.RollUp(true, icons, 56, 56), std::nullopt);
}

TEST(FrameStates, CaptionDoubleClickByBorderStyleStateAndIcons) {
  const uint32_t all = sbiRollUp | sbiMaximize;
  TFrameStates normal;
  EXPECT_EQ(CaptionDoubleClickCommand(normal, true, all), TFrameCommand::Maximize);
  EXPECT_EQ(CaptionDoubleClickCommand(normal, true, sbiRollUp), TFrameCommand::RollUp);
  EXPECT_EQ(CaptionDoubleClickCommand(normal, false, all), TFrameCommand::RollUp) << "fixed borders only roll up";
  EXPECT_EQ(CaptionDoubleClickCommand(normal, false, sbiMinimize | sbiMinimizeToTray), TFrameCommand::None)
      << "the main window's double click does nothing";

  TFrameStates maximized;
  maximized.SetWindowState(TFrameState::Maximized, Around({0, 0, 199, 320}));
  EXPECT_EQ(CaptionDoubleClickCommand(maximized, true, all), TFrameCommand::Restore);
  maximized.RollUp(true, all, 700, 56);
  EXPECT_EQ(CaptionDoubleClickCommand(maximized, true, all), TFrameCommand::RollUp);

  TFrameStates minimized;
  minimized.SetWindowState(TFrameState::Minimized, Around({0, 0, 199, 320}));
  EXPECT_EQ(CaptionDoubleClickCommand(minimized, true, all), TFrameCommand::Restore);
  EXPECT_EQ(CaptionDoubleClickCommand(minimized, false, all), TFrameCommand::None);
}

}  // namespace
