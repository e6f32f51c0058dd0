// The frame's caption objects without a window: what each kind does with
// the pointer, the timers and the window's activation, and how the object
// list routes the pointer to them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "caption_object_fakes.h"
#include "skin/data/skin_data.h"
#include "skin/data/stored_skin.h"
#include "skin/frame/border_icons.h"
#include "skin/frame/skin_object_list.h"

namespace {

using Log = std::vector<std::string>;

bool Has(const Log& log, const std::string& entry) { return std::find(log.begin(), log.end(), entry) != log.end(); }
// The window commands of a log: its one-word entries.
Log Commands(const Log& log) {
  Log commands;
  for (const std::string& entry : log)
    if (entry.find(' ') == std::string::npos) commands.push_back(entry);
  return commands;
}

// Our skin from assets/skin, through the skin data loader.
class OurSkinObjects : public testing::Test {
 protected:
  void SetUp() override {
    TStoredSkin stored(nullptr);
    stored.ReadSkinFiles(std::string(VESPERMARK_SKIN_DIR) + "/skin.ini");
    skin.LoadStoredSkin(stored);
    ASSERT_FALSE(skin.NoSkin());
    list.CreateObjects(skin);
    ASSERT_EQ(list.Count(), 6u);
  }
  TSkinStdButtonObject& Button(size_t index) { return dynamic_cast<TSkinStdButtonObject&>(list[index]); }
  // A left click at `p`, the pointer then leaving the frame.
  void Click(TPoint p) {
    list.TrackObjects(p);
    list.Press(p, kObjectLeftButton);
    list.Release(p, kObjectLeftButton);
    list.TrackObjects({-1, -1});
  }

  FakeFrame frame;
  TSkinData skin{nullptr};
  TSkinObjectList list{frame};
  const TPoint caption{60, 10}, rollup{108, 9}, close{158, 9}, minimize{125, 9}, maximize{140, 9}, sysmenu{15, 9};
};

TEST_F(OurSkinObjects, CreateObjectsKeepsSkinOrderAndLeavesOutMenuEntries) {
  Log names;
  for (size_t i = 0; i < list.Count(); ++i) names.push_back(list[i].IDName);
  EXPECT_EQ(names, (Log{"caption1", "rollupbutton", "closebutton", "minbutton", "maxbutton", "sysmenubutton"}));
  auto* title = dynamic_cast<TSkinCaptionObject*>(&list[0]);
  ASSERT_EQ(list.Caption(), title);
  EXPECT_EQ(title->ObjectRect, (TRect{41, 3, 102, 18}));
  EXPECT_EQ(title->alignment, TSkinAlignment::taCenter);
  EXPECT_EQ(title->ExtraPicture, nullptr);  // picture index -1
  EXPECT_EQ(title->FramePicture->Width(), 176);
  const TSkinCommand commands[] = {TSkinCommand::cmrollup, TSkinCommand::cmclose, TSkinCommand::cmminimize,
                                   TSkinCommand::cmmaximize, TSkinCommand::cmsysmenu};
  for (size_t i = 1; i < 6; ++i) {
    EXPECT_EQ(Button(i).command, commands[i - 1]);
    ASSERT_NE(Button(i).ExtraPicture, nullptr);
    EXPECT_EQ(Button(i).ExtraPicture->Width(), skin.ActivePictureBitmaps()[0].Width());
  }
  EXPECT_EQ(Button(2).downrect, (TRect{12, 16, 21, 25}));

  // Without a skin: the five default buttons, made once.
  list.Clear();
  list.CreateDefaultObjects(nullptr);
  list.CreateDefaultObjects(nullptr);
  ASSERT_EQ(list.Count(), 5u);
  EXPECT_EQ(Button(3).IDName, "rollupbutton");
  EXPECT_EQ(Button(3).command, TSkinCommand::cmrollup);
  EXPECT_FALSE(Button(3).HasSkinData);
  EXPECT_EQ(Button(3).ObjectRect, (TRect{0, 0, 1, 1}));
}

TEST_F(OurSkinObjects, APressReleasedOutsideOnlyLetsTheButtonUp) {
  TSkinStdButtonObject& closeButton = Button(2);
  list.TrackObjects(close);
  EXPECT_EQ(list.HotObject(), 2);
  EXPECT_EQ(frame.Take(), (Log{"enter closebutton", "hint Close"}));
  EXPECT_TRUE(list.Press(close, kObjectLeftButton));  // the frame takes the capture
  EXPECT_EQ(list.CapturedObject(), 2);
  EXPECT_TRUE(closeButton.Pressed);

  // While it holds the press no other object lights up.
  list.TrackObjects(minimize);
  EXPECT_EQ(list.HotObject(), -1);
  EXPECT_FALSE(closeButton.PointerOver);
  EXPECT_FALSE(list[3].PointerOver);
  // Back over it: pressed and under the pointer again.
  list.TrackObjects(close);
  EXPECT_TRUE(closeButton.PointerOver && closeButton.Pressed);

  list.TrackObjects({150, 40});
  frame.Take();
  EXPECT_TRUE(list.Release({150, 40}, kObjectLeftButton));  // the frame lets the capture go
  EXPECT_FALSE(closeButton.Pressed);
  EXPECT_EQ(list.CapturedObject(), -1);
  EXPECT_EQ(frame.Take(), Log{});  // no command, no up event

  // Released over it: the button is let up before the form closes.
  list.TrackObjects(close);
  list.Press(close, kObjectLeftButton);
  frame.Take();
  list.Release(close, kObjectLeftButton);
  EXPECT_EQ(frame.Take(), (Log{"up closebutton", "close"}));

  // A right press does not push a standard button, and the events stay quiet.
  list.Press(close, kObjectRightButton);
  EXPECT_FALSE(closeButton.Pressed);
  list.Release(close, kObjectRightButton);
  EXPECT_EQ(frame.Take(), Log{"up closebutton"});
}

TEST_F(OurSkinObjects, CaptionPressesTakeNoCaptureAndOnlyUsableObjectsOfAnActiveFormTrack) {
  frame.Active = false;
  list.TrackObjects(caption);
  EXPECT_EQ(list.HotObject(), -1);

  frame.Active = true;
  EXPECT_FALSE(list.Press(caption, kObjectLeftButton));
  EXPECT_EQ(list.CapturedObject(), 0);
  EXPECT_FALSE(list.Release(caption, kObjectLeftButton));
  EXPECT_EQ(frame.Take(), (Log{"enter caption1", "down caption1 0", "up caption1"}));
  EXPECT_FALSE(list[0].Lit);  // the caption does not light up under the pointer

  Button(4).Usable = false;  // its border icon is off
  list.TrackObjects(maximize);
  EXPECT_EQ(list.HotObject(), -1);
  EXPECT_EQ(frame.Take(), Log{"leave caption1"});
  EXPECT_FALSE(list.Press(maximize, kObjectLeftButton));
  EXPECT_FALSE(Button(4).Pressed);
}

TEST_F(OurSkinObjects, StandardButtonsRunTheirCommandsOnRelease) {
  Click(maximize);
  Log log = frame.Take();
  // Other commands than close run before the button comes up.
  EXPECT_LT(std::find(log.begin(), log.end(), "maximize"), std::find(log.begin(), log.end(), "up maxbutton"));
  Click(maximize);
  Click(minimize);
  Click(minimize);
  frame.ToTray = true;
  Click(minimize);
  Click(rollup);
  Click(rollup);
  EXPECT_EQ(Commands(frame.Take()), (Log{"restore", "minimize", "restore", "tray", "rollup", "unroll"}));

  // The system menu drops from the button on the press and holds it down until it closes.
  list.TrackObjects(sysmenu);
  list.Press(sysmenu, kObjectLeftButton);
  EXPECT_TRUE(Has(frame.Take(), "popup system"));
  EXPECT_EQ(frame.PopUpRect, (TRect{12, 6, 21, 15}));
  list.Release(sysmenu, kObjectLeftButton);
  EXPECT_TRUE(Button(5).Pressed);
  list.MenusClosed();
  EXPECT_FALSE(Button(5).Pressed);
  // A double click on it closes the form.
  list.DoubleClick(sysmenu, kObjectLeftButton);
  EXPECT_EQ(Commands(frame.Take()), Log{"close"});
  list.Release(sysmenu, kObjectLeftButton);

  // A double click on a plain button: the release that follows lets it up.
  EXPECT_TRUE(list.DoubleClick(close, kObjectLeftButton));
  EXPECT_TRUE(Button(2).Pressed);
  EXPECT_TRUE(list.Release(close, kObjectLeftButton));
  EXPECT_FALSE(Button(2).Pressed);
}

TEST_F(OurSkinObjects, ButtonsOfCommandsTheFormDoesNotPermitStayDrawnButInert) {
  list.ApplyBorderIcons(sbiMinimize | sbiMinimizeToTray);
  for (TPoint p : {rollup, maximize, sysmenu}) Click(p);
  EXPECT_TRUE(Commands(frame.Take()).empty());
  for (size_t i = 1; i < 6; ++i) EXPECT_TRUE(Button(i).Shown) << "drawn into the frame picture: " << Button(i).IDName;
  Click(minimize);
  Click(close);
  EXPECT_EQ(Commands(frame.Take()), (Log{"minimize", "close"}));

  // A button with a picture of its own disappears with its command.
  list.Clear();
  list.CreateDefaultObjects(nullptr);
  Button(1).skinrectinapicture = true;
  list.ApplyBorderIcons(0);
  EXPECT_FALSE(Button(1).Shown);
  EXPECT_TRUE(Button(0).Usable) << "closing is always permitted";
}

TEST_F(OurSkinObjects, TheCaptionFollowsActivationAndResetsLeaveIt) {
  TSkinCaptionObject& title = *list.Caption();
  list.UpdateCaptionActive(true);
  EXPECT_TRUE(title.Lit);
  EXPECT_EQ(frame.Take(), (Log{"repaint", "activate"}));
  list.UpdateCaptionActive(true);
  EXPECT_EQ(frame.Take(), Log{"activate"});

  // A pressed, hot button is reset; the caption keeps its activation.
  list.TrackObjects(close);
  list.Press(close, kObjectLeftButton);
  list.ResetStates();
  EXPECT_FALSE(Button(2).Pressed || Button(2).PointerOver || Button(2).Lit);
  EXPECT_TRUE(title.Lit);
  EXPECT_EQ(list.HotObject(), -1);

  frame.Active = false;
  title.SetBlendPos(1);
  frame.Take();
  list.UpdateCaptionActive(false);
  EXPECT_FALSE(title.Lit);
  EXPECT_EQ(title.BlendPos(), 0.0);
  EXPECT_EQ(frame.Take(), Log{"deactivate"});
  EXPECT_FALSE(list.MorphTick());  // nothing in our skin morphs
}

// A skin button with a morph between two looks of an extra picture.
struct MorphingButton {
  MorphingButton() {
    pictures.Extra.emplace_back(40, 40);
    data.skinrect = {0, 0, 10, 10};
    data.activepictureindex = 0;
    data.activeskinrect = {20, 0, 30, 10};
    data.downrect = {10, 0, 20, 10};
    data.morphing = true;
  }
  FakeFrame frame;
  TObjectPictures pictures;
  TDataSkinButton data{"btn"};
};

TEST(ActiveSkinObject, MorphsStepByTenthsToEitherEndAndThenHaveNothingPending) {
  MorphingButton m;
  TActiveSkinObject object(m.frame, nullptr, m.pictures, &m.data);
  ASSERT_TRUE(object.morphing);
  object.MouseEnter();
  EXPECT_TRUE(m.frame.MorphTimer);
  int steps = 0;
  for (; object.MorphPending() && steps < 20; ++steps) object.BlendStep();
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(object.BlendPos(), 1.0);

  object.BlendStep();  // one too many stays at the end
  EXPECT_EQ(object.BlendPos(), 1.0);
  object.MouseLeave();
  for (steps = 0; object.MorphPending() && steps < 20; ++steps) object.BlendStep();
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(object.BlendPos(), 0.0);

  object.SetBlendPos(-0.5);
  EXPECT_EQ(object.BlendPos(), 0.0);
  object.SetBlendPos(7);
  EXPECT_EQ(object.BlendPos(), 1.0);
  object.SetBlendPos(std::nan(""));
  EXPECT_EQ(object.BlendPos(), 0.0);

  // No extra picture of that index: no active look, so no morph.
  m.data.activepictureindex = 1;
  FakeFrame other;
  TActiveSkinObject plain(other, nullptr, m.pictures, &m.data);
  EXPECT_FALSE(plain.morphing);
  EXPECT_TRUE(IsEmptyRect(plain.activeskinrect));
  plain.MouseEnter();
  EXPECT_FALSE(other.MorphTimer);
}

TEST(SkinButtonObject, AttachedItemsDropOnPressAndHoldTheButtonDownUntilTheirMenuCloses) {
  MorphingButton m;
  TSkinButtonObject button(m.frame, nullptr, m.pictures, &m.data);
  FakeMenu menu;
  button.AttachedItems = &menu;
  button.MouseEnter();
  m.frame.Take();

  button.MouseDown(5, 5, kObjectRightButton);
  EXPECT_FALSE(button.Pressed);
  button.MouseDown(5, 5, kObjectLeftButton);
  EXPECT_TRUE(button.Pressed);
  EXPECT_EQ(button.BlendPos(), 1.0);  // pressed under the pointer: the active end at once
  EXPECT_EQ(m.frame.Take(), (Log{"down btn 1", "popup items", "down btn 0"}));
  EXPECT_EQ(m.frame.PopUpRect, (TRect{0, 0, 10, 10}));

  // Leaving while the menu is open neither repaints nor morphs.
  const int redraws = m.frame.Redraws;
  button.MouseLeave();
  EXPECT_EQ(m.frame.Redraws, redraws);
  EXPECT_FALSE(button.MorphPending());
  button.MouseUp(5, 5, kObjectLeftButton);
  EXPECT_TRUE(button.Pressed);
  EXPECT_EQ(m.frame.Take(), Log{"leave btn"});  // no up event away from the button

  m.frame.MorphTimer = false;
  button.MenuClosed();
  EXPECT_FALSE(button.Pressed);
  EXPECT_TRUE(m.frame.MorphTimer);
  EXPECT_TRUE(button.MorphPending());

  button.Usable = false;
  button.MouseDown(5, 5, kObjectLeftButton);
  EXPECT_FALSE(button.Pressed);
  EXPECT_EQ(m.frame.Take(), Log{});
}

TEST(SkinAnimateObject, AButtonStyleAnimationPlaysForwardOnEnterBackOnLeaveAndRunsItsCommand) {
  FakeFrame frame;
  TObjectPictures pictures;
  pictures.Extra.emplace_back(40, 40);
  TDataSkinAnimate data("anim");
  data.skinrect = {0, 0, 10, 10};
  data.activepictureindex = 0;
  data.activeskinrect = {0, 20, 30, 30};
  data.countframes = 3;
  data.timerinterval = 50;
  data.buttonstyle = true;
  data.command = TSkinCommand::cmmaximize;
  TSkinAnimateObject anim(frame, nullptr, pictures, &data);
  EXPECT_EQ(anim.FrameRect(2), (TRect{10, 20, 20, 30}));

  auto play = [&] {
    std::vector<int> frames;
    while (anim.Running() && frames.size() < 20) {
      anim.AnimateTick();
      frames.push_back(anim.CurrentFrame);
    }
    return frames;
  };
  anim.MouseEnter();
  EXPECT_TRUE(frame.AnimateTimer);
  EXPECT_EQ(play(), (std::vector<int>{1, 1, 2, 2, 3}));
  EXPECT_FALSE(anim.AnimateTick());
  anim.MouseUp(5, 5, kObjectLeftButton);
  EXPECT_TRUE(Has(frame.Take(), "maximize"));

  anim.MouseLeave();
  anim.MouseLeave();  // only once
  EXPECT_EQ(play(), (std::vector<int>{3, 2, 2, 1}));
  anim.MouseUp(5, 5, kObjectLeftButton);
  EXPECT_EQ(frame.Take(), (Log{"leave anim"}));

  // A cycling strip wraps and keeps going; the interval is at least one tick.
  data.cycle = true;
  data.timerinterval = 0;
  TSkinAnimateObject cycling(frame, nullptr, pictures, &data);
  cycling.MouseEnter();
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(cycling.AnimateTick());
  EXPECT_EQ(cycling.CurrentFrame, 1);
}

}  // namespace
