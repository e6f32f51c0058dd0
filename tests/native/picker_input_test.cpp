#include "picker/picker_input.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The main form's picker: face centre (85, 90), radius 68; AM, PM and Set
// side by side on the row at y 166..185.
PickerLayout FormLayout() {
  return UpdateLayout({.ClientRect = {2, 2, 169, 188},
                       .Width = 171,
                       .Height = 190,
                       .TextMetricHeight = 13,
                       .AMCaptionWidth = 20,
                       .PMCaptionWidth = 20});
}

// A point 50 pixels out from the face centre towards minute `minute`.
TPoint AtMinute(double minute) {
  double angle = minute * 6 * 3.14159265358979 / 180;
  return {85 + static_cast<int>(std::lround(std::sin(angle) * 50)),
          90 - static_cast<int>(std::lround(std::cos(angle) * 50))};
}

constexpr TPoint kOffEverything{2, 2};
constexpr PickerMouseKeys kNone{}, kLeft{.LeftHeld = true}, kRight{.RightHeld = true};
constexpr PickerMouseKeys kRightCtrl{.RightHeld = true, .Ctrl = true};
constexpr PickerEffects kNothing{};

class PickerInputTest : public testing::Test {
 protected:
  int MinuteOfDay() const { return static_cast<int>(std::lround(time.Time() * 1440)); }

  PickerTime time;
  PickerLayout layout = FormLayout();
  PickerOptions options;
  PickerInput input{time, layout, options};
  TPoint am{layout.AMRect.Left + 3, 175}, pm{layout.PMRect.Left + 3, 175}, set{layout.SetRect.Left + 3, 175};
};

TEST_F(PickerInputTest, TheFaceTurnsTheHourWithLeftAndTheMinuteWithRight) {
  EXPECT_EQ(input.MouseDown(PickerButton::Left, AtMinute(15), kLeft),
            (PickerEffects{.TakeMouse = true, .TimeAccepted = true}));
  EXPECT_EQ(MinuteOfDay(), 3 * 60);
  EXPECT_EQ(input.MouseMove(AtMinute(45), kLeft), (PickerEffects{.TimeAccepted = true}));
  EXPECT_EQ(MinuteOfDay(), 9 * 60);
  EXPECT_EQ(input.MouseMove(kOffEverything, kLeft), kNothing) << "off the face the hand stays";
  // The other button does nothing while the left one drags.
  EXPECT_EQ(input.MouseDown(PickerButton::Right, AtMinute(30), kLeft), kNothing);
  EXPECT_EQ(input.MouseUp(PickerButton::Right, AtMinute(30), kLeft), kNothing);
  EXPECT_EQ(input.MouseUp(PickerButton::Left, AtMinute(30), kNone),
            (PickerEffects{.ReleaseMouse = true, .TimeAccepted = true, .SetTime = true}));
  EXPECT_EQ(MinuteOfDay(), 6 * 60);

  // Ctrl, or RestrictMinutes, rounds the minute to five.
  EXPECT_EQ(input.MouseDown(PickerButton::Right, AtMinute(7), kRightCtrl),
            (PickerEffects{.TakeMouse = true, .TimeAccepted = true}));
  EXPECT_EQ(MinuteOfDay(), 6 * 60 + 5);
  EXPECT_EQ(input.MouseMove(AtMinute(13), kRight), (PickerEffects{.TimeAccepted = true}));
  EXPECT_EQ(MinuteOfDay(), 6 * 60 + 13);
  options.RestrictMinutes = true;
  EXPECT_EQ(input.MouseUp(PickerButton::Right, AtMinute(13), kNone),
            (PickerEffects{.ReleaseMouse = true, .TimeAccepted = true, .SetTime = true}));
  EXPECT_EQ(MinuteOfDay(), 6 * 60 + 15);

  // Released off the face: the last hour stays and OnSetTime does not fire.
  (void)input.MouseDown(PickerButton::Left, AtMinute(45), kLeft);
  EXPECT_EQ(input.MouseUp(PickerButton::Left, kOffEverything, kNone), (PickerEffects{.ReleaseMouse = true}));
  EXPECT_EQ(MinuteOfDay(), 9 * 60 + 15);
}

TEST_F(PickerInputTest, ItemsActOnlyWhenPressedAndReleasedOverThemselves) {
  EXPECT_EQ(input.MouseDown(PickerButton::Left, pm, kLeft), (PickerEffects{.TakeMouse = true}));
  EXPECT_EQ(input.MouseUp(PickerButton::Left, am, kNone), (PickerEffects{.ReleaseMouse = true}));
  EXPECT_FALSE(time.IsPM());
  (void)input.MouseDown(PickerButton::Left, pm, kLeft);
  EXPECT_EQ(input.MouseUp(PickerButton::Left, pm, kNone), (PickerEffects{.ReleaseMouse = true, .TimeAccepted = true}));
  EXPECT_EQ(MinuteOfDay(), 12 * 60);
  EXPECT_EQ(input.MouseDown(PickerButton::Right, am, kRight), kNothing) << "only the left button presses items";

  EXPECT_EQ(input.MouseDown(PickerButton::Left, set, kLeft), kNothing) << "a hidden Set button is not there";
  options.ShowSetButton = true;
  EXPECT_EQ(input.MouseDown(PickerButton::Left, set, kLeft), (PickerEffects{.TakeMouse = true, .Repaint = true}));
  EXPECT_TRUE(input.SetPressed());
  EXPECT_EQ(input.MouseUp(PickerButton::Left, pm, kNone), (PickerEffects{.ReleaseMouse = true, .Repaint = true}));
  EXPECT_FALSE(input.SetPressed());
  (void)input.MouseDown(PickerButton::Left, set, kLeft);
  EXPECT_EQ(input.MouseUp(PickerButton::Left, set, kNone),
            (PickerEffects{.ReleaseMouse = true, .Repaint = true, .ClickSet = true}));
  EXPECT_TRUE(time.IsPM());
}

// After Alt+Tab mid-drag, or a release that went to another window, merely
// hovering the face must not turn the hands.
TEST_F(PickerInputTest, APressEndsWhenTheMouseIsLostOrItsButtonIsNoLongerHeld) {
  (void)input.MouseDown(PickerButton::Left, AtMinute(15), kLeft);
  EXPECT_EQ(input.CaptureLost(), kNothing) << "the mouse is gone already";
  EXPECT_EQ(input.MouseMove(AtMinute(45), kLeft), kNothing);
  EXPECT_EQ(input.MouseUp(PickerButton::Left, AtMinute(45), kNone), kNothing);
  EXPECT_EQ(MinuteOfDay(), 3 * 60);

  (void)input.MouseDown(PickerButton::Right, AtMinute(15), kRight);
  EXPECT_EQ(input.MouseMove(AtMinute(30), kLeft), (PickerEffects{.ReleaseMouse = true}));
  EXPECT_EQ(input.MouseMove(AtMinute(45), kRight), kNothing);
  EXPECT_EQ(input.MouseUp(PickerButton::Right, AtMinute(45), kNone), kNothing);
  EXPECT_EQ(MinuteOfDay(), 3 * 60 + 15);

  options.ShowSetButton = true;
  (void)input.MouseDown(PickerButton::Left, set, kLeft);
  EXPECT_EQ(input.CaptureLost(), (PickerEffects{.Repaint = true})) << "the Set button comes up";
  EXPECT_FALSE(input.SetPressed());
  EXPECT_EQ(input.MouseUp(PickerButton::Left, set, kNone), kNothing);

  // The next press starts afresh.
  EXPECT_EQ(input.MouseDown(PickerButton::Left, AtMinute(45), kLeft),
            (PickerEffects{.TakeMouse = true, .TimeAccepted = true}));
  EXPECT_EQ(MinuteOfDay(), 9 * 60 + 15);
}

TEST_F(PickerInputTest, KeysStepTheTimeAndAcceleratorsComeFromTheStoredCaptions) {
  (void)time.SetTime((23 * 60 + 59) / 1440.0);
  EXPECT_EQ(input.KeyDown(PickerKey::Up), (PickerEffects{.TimeAccepted = true, .Handled = true}));
  EXPECT_EQ(MinuteOfDay(), 0);
  (void)input.KeyDown(PickerKey::Down);
  (void)input.KeyDown(PickerKey::PageUp);
  EXPECT_EQ(MinuteOfDay(), 59);
  (void)input.KeyDown(PickerKey::PageDown);
  EXPECT_EQ(MinuteOfDay(), 23 * 60 + 59);
  EXPECT_EQ(input.KeyDown(PickerKey::Other), kNothing);
  EXPECT_EQ(input.KeyDown(PickerKey::Enter), kNothing) << "Enter is Set's only while it is shown";
  options.ShowSetButton = true;
  EXPECT_EQ(input.KeyDown(PickerKey::Enter), (PickerEffects{.ClickSet = true, .Handled = true}));

  EXPECT_EQ(input.Character(u'a', true), kNothing) << "the built-in captions have no accelerators";
  options.CaptionAM = "&Morning";
  options.CaptionSet = "Se&t";
  EXPECT_EQ(input.Character(u'm', false), kNothing) << "disabled";
  EXPECT_EQ(input.Character(u'M', true), (PickerEffects{.TimeAccepted = true, .Handled = true}));
  EXPECT_EQ(MinuteOfDay(), 11 * 60 + 59);
  EXPECT_EQ(input.Character(u'm', true), (PickerEffects{.Handled = true})) << "already morning";
  EXPECT_EQ(input.Character(u't', true), (PickerEffects{.ClickSet = true, .Handled = true}));
  options.ShowSetButton = false;
  EXPECT_EQ(input.Character(u't', true), kNothing);
}

}  // namespace
