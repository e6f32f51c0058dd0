// The skinned button's behaviour and size fitting, without a window.
#include <gtest/gtest.h>

#include "skin/controls/button_behaviour.h"
#include "skin/pixels/skin_fit.h"

namespace {

// A button as its window layer would be: Down lives in the behaviour, the
// repeat timer is a flag, clicks are counted.
class FakeButton : public ButtonHost {
 public:
  FakeButton() : Behaviour(*this) {}
  bool Focused() const override { return HasFocus; }
  bool Enabled() const override { return IsEnabled; }
  void ApplyDown(bool down, bool repaint) override {
    Behaviour.DownChanged(down);
    if (repaint) ++Repaints;
  }
  void StartRepeat() override { Repeating = true; }
  void StopRepeat() override { Repeating = false; }
  bool RepeatRunning() const override { return Repeating; }
  void PerformClick() override { ++Clicks; }
  void Refresh() override { ++Repaints; }
  void MouseEntered() override {}
  void MouseLeft() override {}
  bool Morphing() const override { return MorphingSkin; }

  ButtonBehaviour Behaviour;
  bool HasFocus = false, IsEnabled = true, Repeating = false, MorphingSkin = false;
  int Clicks = 0, Repaints = 0;
};

ButtonFaceState Face(const ButtonBehaviour& b, bool focused) {
  ButtonFaceState s;
  s.Down = b.Down;
  s.MouseInside = b.MouseInside;
  s.PressedByMouse = b.PressedByMouse;
  s.Focused = focused;
  s.GroupIndex = b.Options.GroupIndex;
  return s;
}

}  // namespace

TEST(SkinFit, OurButtonSectionIsAHorizontalThreePieceFaceOfFixedHeight) {
  const TRect r{0, 1, 66, 22};
  const TFramePoints points{{10, 11}, {52, 11}, {0, 0}, {0, 0}, {7, 2, 59, 19}};
  ASSERT_EQ(CompositionModeFor(r, points), TCompositionMode::Horizontal);
  int32_t width = 65, height = 33;
  TFramePoints scaled = FitSizeToSkin(TCompositionMode::Horizontal, r, points, width, height);
  EXPECT_EQ(width, 65);
  EXPECT_EQ(height, 21);
  EXPECT_EQ(scaled.Client, (TRect{7, 2, 58, 19}));
  EXPECT_EQ(scaled.RightTop, (TPoint{51, 11}));
  EXPECT_EQ(scaled.LeftTop, points.LeftTop);

  // Its mask is cut as a nine-piece picture whose bottom corners are the top ones.
  MaskRegionPoints mask = MaskRegionPointsFor(TCompositionMode::Horizontal, r, points, scaled, width, height);
  EXPECT_EQ(mask.Source.LeftBottom, points.LeftTop);
  EXPECT_EQ(mask.Source.RightBottom, points.RightTop);
  EXPECT_EQ(mask.Scaled.RightTop, (TPoint{51, 11}));
  EXPECT_EQ(mask.Scaled.RightBottom, (TPoint{51, 11}));
}

TEST(SkinFit, EachModeKeepsItsOwnSizeRule) {
  const TRect r{0, 0, 30, 20};
  TFramePoints nine{{5, 5}, {25, 5}, {5, 15}, {25, 15}, {4, 4, 26, 16}};
  ASSERT_EQ(CompositionModeFor(r, nine), TCompositionMode::NinePiece);
  int32_t w = 50, h = 40;
  TFramePoints s = FitSizeToSkin(TCompositionMode::NinePiece, r, nine, w, h);
  EXPECT_EQ((TPoint{w, h}), (TPoint{50, 40}));
  EXPECT_EQ(s.RightBottom, (TPoint{45, 35}));
  EXPECT_EQ(s.LeftBottom, (TPoint{5, 35}));
  EXPECT_EQ(s.Client, (TRect{4, 4, 46, 36}));

  TFramePoints vertical{{5, 5}, {0, 0}, {5, 15}, {0, 0}, {4, 4, 26, 16}};
  ASSERT_EQ(CompositionModeFor(r, vertical), TCompositionMode::Vertical);
  w = 50, h = 40;
  s = FitSizeToSkin(TCompositionMode::Vertical, r, vertical, w, h);
  EXPECT_EQ((TPoint{w, h}), (TPoint{30, 40}));
  EXPECT_EQ(s.LeftBottom, (TPoint{5, 35}));
  EXPECT_EQ(s.Client.Bottom, 36);

  TFramePoints none{};
  ASSERT_EQ(CompositionModeFor(r, none), TCompositionMode::Copy);
  w = 50, h = 40;
  FitSizeToSkin(TCompositionMode::Copy, r, none, w, h);
  EXPECT_EQ((TPoint{w, h}), (TPoint{30, 20}));

  EXPECT_EQ(CompositionModeFor(TRect{0, 0, 0, 20}, nine), TCompositionMode::None);
  w = 50, h = 40;
  FitSizeToSkin(TCompositionMode::None, TRect{}, nine, w, h);
  EXPECT_EQ((TPoint{w, h}), (TPoint{50, 40}));
}

TEST(ButtonBehaviourTest, APressCountsOnlyWhenReleasedOverTheButton) {
  FakeButton b;
  b.Behaviour.Press();
  EXPECT_TRUE(b.Behaviour.Down);
  EXPECT_EQ(ChooseButtonFace(Face(b.Behaviour, false)).Face, ButtonFace::Down);
  b.Behaviour.Leave();
  EXPECT_EQ(ChooseButtonFace(Face(b.Behaviour, false)).Face, ButtonFace::Normal) << "held down outside looks up";
  b.Behaviour.Release();
  EXPECT_EQ(b.Clicks, 0);
  EXPECT_FALSE(b.Behaviour.Down);

  b.Behaviour.Press();
  b.Behaviour.Leave();
  b.Behaviour.Enter();
  EXPECT_EQ(ChooseButtonFace(Face(b.Behaviour, false)).Face, ButtonFace::Down) << "back in: down again";
  b.Behaviour.Release();
  EXPECT_EQ(b.Clicks, 1);
  EXPECT_FALSE(b.Behaviour.Down);
}

TEST(ButtonBehaviourTest, RepeatModeClicksOnEveryKeyDownAndOnRelease) {
  FakeButton b;
  b.Behaviour.Options.RepeatMode = true;
  b.HasFocus = true;
  b.Behaviour.KeyDown(ButtonKey::Space);
  b.Behaviour.KeyUp(ButtonKey::Space);
  EXPECT_EQ(b.Clicks, 2) << "a Space tap";

  b.Clicks = 0;
  b.Behaviour.Press();
  EXPECT_TRUE(b.Repeating) << "the timer's ticks click while it is held";
  b.Behaviour.Release();
  EXPECT_FALSE(b.Repeating);
  EXPECT_EQ(b.Clicks, 1) << "a short click";

  b.Behaviour.Options.CanFocused = false;
  b.Behaviour.KeyDown(ButtonKey::Space);
  b.Behaviour.KeyDown(ButtonKey::Enter);
  EXPECT_EQ(b.Clicks, 1) << "a button that takes no focus takes no keys";
}

TEST(ButtonBehaviourTest, DefaultAndCancelKeys) {
  FakeButton b;
  EXPECT_FALSE(b.Behaviour.DefaultKey());
  b.Behaviour.Options.Default = true;
  b.Behaviour.FocusMovedTo(false, false);  // focus on a control that is no button
  EXPECT_TRUE(b.Behaviour.ActsAsDefault);
  EXPECT_TRUE(b.Behaviour.MouseInside) << "the default button looks hot";
  EXPECT_TRUE(b.Behaviour.DefaultKey());
  b.Behaviour.Leave();
  EXPECT_TRUE(b.Behaviour.MouseInside) << "and keeps that look when the pointer leaves";
  b.Behaviour.FocusMovedTo(false, true);  // another button took the focus
  EXPECT_FALSE(b.Behaviour.ActsAsDefault);
  EXPECT_FALSE(b.Behaviour.MouseInside);
  EXPECT_FALSE(b.Behaviour.DefaultKey());
  b.IsEnabled = false;
  b.Behaviour.FocusMovedTo(true, true);
  EXPECT_FALSE(b.Behaviour.DefaultKey()) << "disabled";

  FakeButton c;
  c.Behaviour.Options.Cancel = true;
  EXPECT_FALSE(c.Behaviour.CancelKey(true, true)) << "with Shift, Ctrl or Alt";
  EXPECT_FALSE(c.Behaviour.CancelKey(false, false)) << "cannot take the focus";
  EXPECT_TRUE(c.Behaviour.CancelKey(false, true));
  EXPECT_EQ(b.Clicks + c.Clicks, 2);
}

TEST(ButtonBehaviourTest, GroupButtonsClickOnPressAndRiseOnlyWhenAllowed) {
  FakeButton b;
  b.Behaviour.Options.GroupIndex = 1;
  b.Behaviour.Press();
  EXPECT_EQ(b.Clicks, 1);
  b.Behaviour.Release();
  EXPECT_TRUE(b.Behaviour.Down) << "a group button stays down";
  b.Behaviour.Press();
  b.Behaviour.Release();
  EXPECT_TRUE(b.Behaviour.Down) << "pressing it again does not raise it";
  b.Behaviour.Options.AllowAllUp = true;
  b.Behaviour.Press();
  b.Behaviour.Release();
  EXPECT_FALSE(b.Behaviour.Down);
  EXPECT_EQ(b.Clicks, 2);
}

TEST(ButtonBehaviourTest, TheMorphRunsToTheEndAndBack) {
  FakeButton b;
  b.Behaviour.Enter();
  int ticks = 0;
  while (b.Behaviour.MorphTick()) ASSERT_LT(++ticks, 20);
  EXPECT_EQ(b.Behaviour.MorphFactor, 1.0);
  EXPECT_GE(ticks, 10);
  b.Behaviour.Leave();
  ticks = 0;
  while (b.Behaviour.MorphTick()) {
    EXPECT_GE(b.Behaviour.MorphFactor, 0.0);
    ASSERT_LT(++ticks, 20);
  }
  EXPECT_EQ(b.Behaviour.MorphFactor, 0.0);
}

TEST(ButtonFaceTest, StatesChooseTheirPicturesFirstMatchWinning) {
  ButtonFaceState s;
  EXPECT_EQ(ChooseButtonFace(s), (ButtonFaceChoice{ButtonFace::Normal, false, false}));
  s.Enabled = false;
  EXPECT_EQ(ChooseButtonFace(s).Face, ButtonFace::Normal) << "no disabled picture: the normal one";
  s.HasDisabledPicture = true;
  EXPECT_EQ(ChooseButtonFace(s).Face, ButtonFace::Disabled);
  s = {};
  s.Down = true;
  EXPECT_EQ(ChooseButtonFace(s).Face, ButtonFace::Normal) << "down, but neither hot nor focused";
  s.Focused = true;
  EXPECT_EQ(ChooseButtonFace(s), (ButtonFaceChoice{ButtonFace::Down, true, true})) << "Space held";
  s.PressedByMouse = true;
  EXPECT_EQ(ChooseButtonFace(s).Face, ButtonFace::Active) << "pressed with the mouse, then left";
  s.GroupIndex = 2;
  EXPECT_EQ(ChooseButtonFace(s).Face, ButtonFace::Down) << "a group button shows down always";
  s = {};
  s.Morphing = true;
  s.MorphFactor = 0.5;
  EXPECT_EQ(ChooseButtonFace(s).Face, ButtonFace::Morph);
  s.MorphFactor = 1;
  EXPECT_EQ(ChooseButtonFace(s), (ButtonFaceChoice{ButtonFace::Active, true, false}));

  ButtonCaptionColors colors{1, 2, 3, 4};
  EXPECT_EQ(ButtonCaptionColor(colors, true, false, false), 1);
  EXPECT_EQ(ButtonCaptionColor(colors, true, true, false), 2);
  EXPECT_EQ(ButtonCaptionColor(colors, true, true, true), 3);
  EXPECT_EQ(ButtonCaptionColor(colors, false, true, true), 4);
  EXPECT_EQ(ButtonGlyphCell(true, true, true, 3), 3);
  EXPECT_EQ(ButtonGlyphCell(true, false, true, 4), 4);
  EXPECT_EQ(ButtonGlyphCell(false, false, false, 2), 2);
  EXPECT_EQ(ButtonGlyphCell(true, true, true, 2), 1);
}
