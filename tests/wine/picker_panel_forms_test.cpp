// The time picker and the bordered panel as their fixture forms store them:
// every stored property acts and every stored event fires.
#include <cmath>

#include "fixture_form.h"
#include "panel/frame_paint.h"
#include "panel/frame_style.h"
#include "picker/time_picker_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/cursors_win.h"
#include "wine_support.h"

namespace {

class PickerFormTest : public FixtureFormTest {
 protected:
  void SetUp() override {
    FixtureFormTest::SetUp();
    Load(L"FIXTURE_PICKER");
    picker = form->Find<TTimePicker>("Picker");
    fixed = form->Find<TTimePicker>("FixedPicker");
    menu = form->Find<TFixtureMenu>("Menu1");
    UpdateWindow(form->Handle());
  }
  void Send(UINT message, WPARAM wParam, POINT at) { SendMessageW(picker->Handle(), message, wParam, PointParam(at.x, at.y)); }
  // A point at `minutes` past on the face, well inside it.
  POINT FaceAt(int minutes) const {
    const PickerLayout& l = picker->Layout();
    double angle = minutes * 6 * 3.14159265358979 / 180;
    int r = l.ClockRadius * 2 / 3;
    return {l.ClockCenter.X + static_cast<int>(std::lround(std::sin(angle) * r)),
            l.ClockCenter.Y - static_cast<int>(std::lround(std::cos(angle) * r))};
  }
  int Minute() const { return static_cast<int>(std::lround(picker->Time() * 1440)) % 60; }

  TTimePicker* picker = nullptr;
  TTimePicker* fixed = nullptr;
  TFixtureMenu* menu = nullptr;
};

// Every stored property of the look: the loaded picker draws exactly as one
// given the same values in code.
TEST_F(PickerFormTest, TheStoredLookDrawsAsAPickerSetUpInCode) {
  TTimePicker made(nullptr);
  made.SetParent(form);
  made.SetTime(19.5 / 24);
  made.SetFormat("hh:mm ampm");
  made.SetCaptionAM("&Morning");
  made.SetCaptionPM("After&noon");
  made.SetCaptionSet("&Go");
  made.ClockFaceColors().SetFace(clYellow);
  made.ClockFaceColors().SetHands(clNavy);
  made.ClockFaceColors().SetNumbers(clMaroon);
  made.ClockFaceColors().SetHourTicks(clGreen);
  made.ClockFaceColors().SetMinuteTicks(clPurple);
  made.SetShowSetButton(true);
  made.SetBorderOuter(TFrameStyleEx::fsFlat);
  made.SetBorderInner(TFrameStyleEx::fsLowered);
  made.SetBorderWidth(2);
  made.SetBevelWidth(2);
  made.SetBorderColor(clWhite);
  made.SetBorderHighlight(clAqua);
  made.SetBorderShadow(clMoneyGreen);
  made.SetFlatColor(clTeal);
  made.SetFlatColorAdjustment(10);
  made.SetAlignment(TAlignment::taLeftJustify);
  made.SetColor(clSilver);
  made.SetParentFont(false);
  made.Font().SetColor(clBlue);
  made.Font().SetHeight(-11);
  made.Font().SetName("MS Sans Serif");
  made.SetDockSite(true);
  made.SetAutoSize(false);
  made.SetBounds(picker->Left(), picker->Top(), picker->Width(), picker->Height());
  picker->SetVisible(false);
  UpdateWindow(form->Handle());
  auto loaded = RenderClient(*picker), expected = RenderClient(made);
  EXPECT_TRUE(SamePixels(*loaded, *expected));
  EXPECT_EQ(picker->TimeText(), made.TimeText());
  made.SetParent(nullptr);
}

TEST_F(PickerFormTest, AutoSizeConstraintsAndAnchorsShapeAndPlaceIt) {
  // AutoSize takes the preferred size instead of the stored 300 x 300, and
  // the minimum constraints raise it; without AutoSize the stored width
  // stays, cut to the maximum constraint.
  EXPECT_EQ(picker->Width(), 200);
  EXPECT_EQ(picker->Height(), 250);
  EXPECT_EQ(fixed->Width(), 350);
  picker->Constraints().SetMaxHeight(200);  // a maximum under the minimum: the minimum wins
  EXPECT_EQ(picker->Height(), 250);
  // Anchored to the top and right, it keeps its distance to the right edge.
  EXPECT_EQ(picker->Left(), 8);
  const int right = form->ClientWidth() - picker->Left() - picker->Width(), top = picker->Top();
  form->SetClientWidth(form->ClientWidth() + 40);
  PumpMessages(20);
  EXPECT_EQ(form->ClientWidth() - picker->Left() - picker->Width(), right);
  EXPECT_EQ(picker->Top(), top);
  form->SetClientWidth(form->ClientWidth() - 40);
  PumpMessages(20);
  EXPECT_EQ(picker->Left(), 8) << "back where it was";
}

TEST_F(PickerFormTest, StoredBehaviourActs) {
  // TabStop off, and still a press takes the focus.
  EXPECT_FALSE(GetWindowLongW(picker->Handle(), GWL_STYLE) & WS_TABSTOP);
  SetFocus(form->Handle());
  Send(WM_RBUTTONDOWN, MK_RBUTTON, FaceAt(7));
  EXPECT_TRUE(picker->Focused());
  Send(WM_RBUTTONUP, 0, FaceAt(7));
  EXPECT_EQ(Minute(), 5) << "RestrictMinutes steps by five without Ctrl";
  // No how-to-use hint: ShowHowToUseHint is off.
  Send(WM_MOUSEMOVE, 0, FaceAt(20));
  EXPECT_TRUE(!picker->HowToUseHint() || !picker->HowToUseHint()->Showing());
  // Its own message once the hint is on.
  picker->SetShowHowToUseHint(true);
  Send(WM_MOUSEMOVE, 0, FaceAt(25));
  ASSERT_TRUE(picker->HowToUseHint() && picker->HowToUseHint()->Showing());
  EXPECT_EQ(picker->HowToUseHint()->Text(), "Turn the hands");
  // The stored accelerators of the captions pick the halves and the Set button.
  EXPECT_TRUE(form->DialogChar(u'm'));
  EXPECT_FALSE(picker->IsPM());
  EXPECT_TRUE(form->DialogChar(u'N'));
  EXPECT_TRUE(picker->IsPM());
  EXPECT_TRUE(form->DialogChar(u'g'));
  EXPECT_EQ(form->Count("PickerSetBtnClick"), 1);
  // The hand cursor over it; the hidden, disabled one stays so.
  SendMessageW(picker->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(picker->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint));
  EXPECT_FALSE(IsWindowVisible(fixed->Handle()));
  EXPECT_FALSE(IsWindowEnabled(fixed->Handle()));
}

TEST_F(PickerFormTest, TheContextMenuPopsUpUnlessTheHandlerTakesIt) {
  POINT screen = FaceAt(10);
  ClientToScreen(picker->Handle(), &screen);
  SendMessageW(picker->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(picker->Handle()), PointParam(screen.x, screen.y));
  ASSERT_EQ(menu->popups.size(), 1u);
  EXPECT_EQ(menu->popups[0].x, screen.x);
  EXPECT_EQ(menu->popupComponent, picker);
  ASSERT_EQ(form->Count("PickerContextPopup"), 1);
  EXPECT_EQ(form->Last("PickerContextPopup")->x, FaceAt(10).x);
  form->takeContextPopup = true;
  SendMessageW(picker->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(picker->Handle()), PointParam(screen.x, screen.y));
  EXPECT_EQ(menu->popups.size(), 1u);
  EXPECT_EQ(form->Count("PickerContextPopup"), 2);
}

TEST_F(PickerFormTest, MouseEventsFireAroundTheFaceSetting) {
  SetFocus(form->Handle());
  form->fired.clear();
  POINT at = FaceAt(15);  // the 3 o'clock direction
  Send(WM_MOUSEMOVE, 0, at);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
  Send(WM_MOUSEMOVE, MK_LBUTTON, at);
  Send(WM_LBUTTONUP, 0, at);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  Send(WM_LBUTTONUP, 0, at);
  SendMessageW(picker->Handle(), WM_MOUSELEAVE, 0, 0);
  std::vector<std::string> expected{"PickerMouseEnter", "PickerMouseMove", "PickerMouseDown", "PickerEnter",
                                    "PickerChange", "PickerMouseMove", "PickerMouseUp", "PickerSetTime",
                                    "PickerClick", "PickerDblClick", "PickerMouseDown", "PickerMouseUp",
                                    "PickerSetTime", "PickerClick", "PickerMouseLeave"};
  EXPECT_EQ(form->Handlers(), expected);
  const FiredEvent* down = form->Last("PickerMouseDown");
  EXPECT_EQ(down->sender, picker);
  EXPECT_EQ(down->button, mbLeft);
  EXPECT_EQ(down->x, at.x);
  EXPECT_EQ(down->y, at.y);
  EXPECT_TRUE(down->shift & ssDouble);
  EXPECT_EQ(static_cast<int>(picker->Time() * 24) % 12, 3);
  // A release outside the control is no click.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
  Send(WM_LBUTTONUP, 0, {-5, -5});
  EXPECT_EQ(form->Count("PickerClick"), 2);
}

TEST_F(PickerFormTest, KeyEventsFireAndAKeyTheyTakeDoesNothing) {
  picker->SetFocus();
  form->fired.clear();
  const double before = picker->Time();
  SendMessageW(picker->Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(picker->Handle(), WM_CHAR, 'x', 0);
  SendMessageW(picker->Handle(), WM_KEYUP, VK_UP, 0);
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"PickerKeyDown", "PickerChange", "PickerKeyPress", "PickerKeyUp"}));
  EXPECT_EQ(form->Last("PickerKeyDown")->key, VK_UP);
  EXPECT_EQ(form->Last("PickerKeyPress")->key, 'x');
  EXPECT_NE(picker->Time(), before);
  form->takeKeys = true;
  const double stepped = picker->Time();
  SendMessageW(picker->Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(picker->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(picker->Time(), stepped);
  EXPECT_EQ(form->Count("PickerSetBtnClick"), 0);
  form->takeKeys = false;
  SendMessageW(picker->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(form->Count("PickerSetBtnClick"), 1);
  SetFocus(form->Handle());
  EXPECT_EQ(form->Count("PickerExit"), 1);
}

class PanelFormTest : public FixtureFormTest {
 protected:
  void SetUp() override {
    FixtureFormTest::SetUp();
    Load(L"FIXTURE_PANEL");
    panel = form->Find<TBorderedPanel>("Panel");
    UpdateWindow(form->Handle());
  }
  TBorderedPanel* panel = nullptr;
};

TEST_F(PanelFormTest, TheStoredLookDrawsAsAPanelSetUpInCode) {
  TBorderedPanel made(nullptr);
  made.SetParent(form);
  made.SetCaption("Framed");
  made.SetBorderOuter(TFrameStyleEx::fsRaised);
  made.SetBorderInner(TFrameStyleEx::fsLowered);
  made.SetBorderSides(sdLeft | sdTop | sdBottom);
  made.SetBorderWidth(3);
  made.SetBevelWidth(2);
  made.SetBorderColor(clYellow);
  made.SetBorderHighlight(clWhite);
  made.SetBorderShadow(clGray);
  made.SetFlatColor(clTeal);
  made.SetFlatColorAdjustment(0);
  made.SetAlignment(TAlignment::taRightJustify);
  made.SetColor(clWhite);
  made.SetParentFont(false);
  made.Font().SetColor(clRed);
  made.Font().SetHeight(-11);
  made.Font().SetName("MS Sans Serif");
  made.SetBounds(panel->Left(), panel->Top(), panel->Width(), panel->Height());
  panel->SetVisible(false);
  UpdateWindow(form->Handle());
  auto loaded = RenderClient(*panel), expected = RenderClient(made);
  EXPECT_TRUE(SamePixels(*loaded, *expected));
  made.SetParent(nullptr);
}

TEST_F(PanelFormTest, TheClientAreaLosesTheBorderWidthAndChildrenAlignInsideTheFrames) {
  RECT client = panel->ClientRect();
  EXPECT_EQ(client.left, 3);
  EXPECT_EQ(client.top, 3);
  EXPECT_EQ(client.right, 197);
  EXPECT_EQ(client.bottom, 117);
  TBorderedPanel child(nullptr);
  child.SetAlign(TAlign::alClient);
  child.SetParent(panel);
  const int frames = FrameStyleWidth(TFrameStyleEx::fsRaised, 2) + FrameStyleWidth(TFrameStyleEx::fsLowered, 2);
  EXPECT_EQ(child.Left(), 3 + frames);
  EXPECT_EQ(child.Top(), 3 + frames);
  EXPECT_EQ(child.Left() + child.Width(), 197) << "no frame on the right";
  EXPECT_EQ(child.Top() + child.Height(), 117 - frames);
  child.SetParent(nullptr);
}

TEST_F(PanelFormTest, TransparentShowsWhatLiesBehindAndErasesWithIt) {
  const COLORREF plum = RGB(0x80, 0x20, 0x60);
  form->SetBackgroundPainter([plum](HDC dc, const RECT& area) {
    BrushHandle brush(CreateSolidBrush(plum));
    FillRect(dc, &area, brush.Get());
  });
  const int midX = panel->Width() / 2, midY = 20;
  EXPECT_EQ(GetPixel(RenderClient(*panel)->Canvas().Handle(), midX, midY), RGB(255, 255, 255));
  panel->SetTransparent(true);
  EXPECT_EQ(GetPixel(RenderClient(*panel)->Canvas().Handle(), midX, midY), plum);
  TBitmap erased(panel->Width(), panel->Height());
  EXPECT_EQ(SendMessageW(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Canvas().Handle()), 0), 1);
  GdiFlush();
  EXPECT_EQ(GetPixel(erased.Canvas().Handle(), midX, midY), plum);
}

TEST_F(PanelFormTest, MouseEnterAndLeaveFireOncePerVisit) {
  form->fired.clear();
  for (int x : {10, 20, 30}) SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, PointParam(x, 10));
  SendMessageW(panel->Handle(), WM_MOUSELEAVE, 0, 0);
  SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, PointParam(10, 10));
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"PanelMouseEnter", "PanelMouseLeave", "PanelMouseEnter"}));
  EXPECT_EQ(form->fired[0].sender, panel);
}

}  // namespace
