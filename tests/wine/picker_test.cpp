// The clock-face picker on the main window: set with the mouse, drawn with
// its face, hands and frame.
#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/canvas_win.h"
#include "base/stream.h"
#include "wine_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

class PickerTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    form->Show();
    PumpMessages(50);
    picker = form->TimePicker;
    UpdateWindow(picker->Handle());
  }
  void Click(UINT down, UINT up, int x, int y, WPARAM keys = 0) {
    SendMessageW(picker->Handle(), down, keys | (down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON), MAKELPARAM(x, y));
    SendMessageW(picker->Handle(), up, keys, MAKELPARAM(x, y));
  }
  // The picker painted into a bitmap of its own.
  std::unique_ptr<TBitmap> Render() {
    auto bitmap = std::make_unique<TBitmap>(picker->Width(), picker->Height());
    SendMessageW(picker->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()),
                 PRF_CLIENT);
    GdiFlush();
    return bitmap;
  }
  TTimePicker* picker = nullptr;
};

TEST_F(PickerTest, TheFormsPickerHasItsLayout) {
  const PickerLayout& layout = picker->Layout();
  EXPECT_EQ(layout.ClockCenter, (TPoint{85, 90}));
  EXPECT_EQ(layout.ClockRadius, 68);
  EXPECT_EQ(layout.AMRect.Top, 166);
  EXPECT_EQ(layout.AMRect.Bottom, 185);
}

TEST_F(PickerTest, LeftSetsTheHourRightTheMinuteAndCtrlStepsByFive) {
  int setTimes = 0;
  picker->SetOnSetTime([&](TObject*) { ++setTimes; });
  Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 85 + 50, 90);  // 3 o'clock
  EXPECT_DOUBLE_EQ(picker->Time(), 3 / 24.0);
  Click(WM_RBUTTONDOWN, WM_RBUTTONUP, 85, 90 + 50);  // straight down: 30 minutes
  EXPECT_DOUBLE_EQ(picker->Time(), (3 * 60 + 30) / 1440.0);
  EXPECT_EQ(setTimes, 2);
  // 7 minutes past, Ctrl held: 5.
  double angle = 7 * 6 * 3.14159265358979 / 180;
  int x = 85 + static_cast<int>(std::lround(std::sin(angle) * 50)), y = 90 - static_cast<int>(std::lround(std::cos(angle) * 50));
  Click(WM_RBUTTONDOWN, WM_RBUTTONUP, x, y, MK_CONTROL);
  EXPECT_DOUBLE_EQ(picker->Time(), (3 * 60 + 5) / 1440.0);
  // The PM item moves the hour into the afternoon; pressing on AM and releasing on PM does nothing.
  RECT pm{picker->Layout().PMRect.Left, picker->Layout().PMRect.Top, picker->Layout().PMRect.Right,
          picker->Layout().PMRect.Bottom};
  SendMessageW(picker->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(picker->Layout().AMRect.Left + 3, 175));
  SendMessageW(picker->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(pm.left + 3, 175));
  EXPECT_FALSE(picker->IsPM());
  Click(WM_LBUTTONDOWN, WM_LBUTTONUP, pm.left + 3, 175);
  EXPECT_TRUE(picker->IsPM());
  EXPECT_DOUBLE_EQ(picker->Time(), (15 * 60 + 5) / 1440.0);
}

TEST_F(PickerTest, ADragReleasedOutsideTheFaceLeavesTheLastHour) {
  int setTimes = 0;
  picker->SetOnSetTime([&](TObject*) { ++setTimes; });
  SendMessageW(picker->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85, 40));  // 12: midnight
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(85 - 50, 90));  // 9
  EXPECT_DOUBLE_EQ(picker->Time(), 9 / 24.0);
  SendMessageW(picker->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_DOUBLE_EQ(picker->Time(), 9 / 24.0);
  EXPECT_EQ(setTimes, 0);
}

// Alt+Tab or a message box mid-drag takes the mouse away; hovering the face
// afterwards must not turn the hands.
TEST_F(PickerTest, ADragEndsWhenTheMouseIsLostOrItsButtonIsUp) {
  int setTimes = 0;
  picker->SetOnSetTime([&](TObject*) { ++setTimes; });
  SendMessageW(picker->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85 + 50, 90));  // 3 o'clock
  ASSERT_DOUBLE_EQ(picker->Time(), 3 / 24.0);
  ASSERT_EQ(GetCapture(), picker->Handle());
  SetCapture(form->Handle());
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(85 - 50, 90));  // 9
  SendMessageW(picker->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(85 - 50, 90));
  EXPECT_DOUBLE_EQ(picker->Time(), 3 / 24.0);
  ReleaseCapture();

  // A move whose flags no longer hold the dragging button ends the drag and gives the mouse back.
  SendMessageW(picker->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(85 + 50, 90));  // 15 minutes
  ASSERT_DOUBLE_EQ(picker->Time(), (3 * 60 + 15) / 1440.0);
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(85, 90 + 50));  // 30, only the left held
  EXPECT_NE(GetCapture(), picker->Handle());
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(85 - 50, 90));  // 45
  SendMessageW(picker->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(85 - 50, 90));
  EXPECT_DOUBLE_EQ(picker->Time(), (3 * 60 + 15) / 1440.0);
  EXPECT_EQ(setTimes, 0);
}

TEST_F(PickerTest, TheFaceShowsItsColoursHandsAndFrame) {
  picker->SetTime(EncodeTime(15, 45, 0, 0));
  auto bitmap = Render();
  auto pixel = [&](int x, int y) { return bitmap->ScanLine(y)[x] & 0xFFFFFF; };
  const uint32_t face = 0xFF8080, black = 0x000000, teal = 0x008080;
  EXPECT_EQ(pixel(85 + 40, 90 - 40), face);  // open face between the marks
  // 15:45: the hour hand points at 3, the minute hand at 9.
  EXPECT_EQ(pixel(85 + 30, 90), black);
  EXPECT_EQ(pixel(85 - 50, 90), black);
  EXPECT_EQ(pixel(85, 90 - 30), face);  // nothing points up
  // An hour tick at 12 (63 px up, side 3).
  EXPECT_EQ(pixel(85, 90 - 63), black);
  // The teal cut-corner frame.
  EXPECT_EQ(pixel(0, 50), teal);
  EXPECT_EQ(pixel(50, 0), teal);
  EXPECT_EQ(pixel(1, 1), teal);  // the cut
}

// The three pixels outside each cut corner show the skinned client
// background that surrounds the face, as the screen shows it.
TEST_F(PickerTest, TheFaceCornersShowTheSkinBehindThem) {
  TBitmap behind(form->ClientWidth(), form->ClientHeight());
  SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(behind.Canvas().Handle()), PRF_CLIENT);
  GdiFlush();
  auto skin = [&](int x, int y) {
    uint32_t bgr = behind.ScanLine(picker->Top() + y)[picker->Left() + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  };
  HDC dc = GetDC(picker->Handle());
  const int r = picker->Width() - 1, b = picker->Height() - 1;
  const POINT corners[] = {{0, 0}, {1, 0}, {0, 1}, {r, 0}, {r - 1, 0}, {r, 1},
                           {0, b}, {1, b}, {0, b - 1}, {r, b}, {r - 1, b}, {r, b - 1}};
  for (POINT p : corners) {
    EXPECT_EQ(GetPixel(dc, p.x, p.y), skin(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_NE(skin(p.x, p.y), GetSysColor(COLOR_BTNFACE)) << "the skin, not the form's plain colour";
  }
  // Another background behind the face (as a new skin brings) reaches the corners too.
  constexpr COLORREF plum = RGB(0x80, 0x20, 0x60);
  form->SetBackgroundPainter([](HDC target, const RECT& area) {
    BrushHandle brush(CreateSolidBrush(plum));
    FillRect(target, &area, brush.Get());
  });
  UpdateWindow(form->Handle());
  for (POINT p : corners) EXPECT_EQ(GetPixel(dc, p.x, p.y), plum) << p.x << "," << p.y;
  ReleaseDC(picker->Handle(), dc);
}

// Paints keep the face, frame and items between changes: a picker changed
// after painting must look exactly like one set up that way from the start.
TEST_F(PickerTest, APickerChangedAfterPaintingDrawsAsOneMadeThatWay) {
  auto place = [&](TTimePicker& p) {
    p.SetParent(form);
    p.SetBounds(0, 0, 200, 230);
  };
  auto change = [](TTimePicker& p) {
    p.SetTime(EncodeTime(19, 20, 0, 0));
    p.SetColor(clYellow);
    p.ClockFaceColors().SetFace(clAqua);
    p.ClockFaceColors().SetNumbers(clRed);
    p.ClockFaceColors().SetHourTicks(clBlue);
    p.SetCaptionAM("&Morning");
    p.SetShowSetButton(true);
    p.SetBorderOuter(TFrameStyleEx::fsFlat);
    p.Font().SetHeight(-13);
    p.SetBounds(0, 0, 230, 260);
  };
  auto render = [](TTimePicker& p) {
    auto bitmap = std::make_unique<TBitmap>(p.Width(), p.Height());
    SendMessageW(p.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), PRF_CLIENT);
    GdiFlush();
    return bitmap;
  };
  TTimePicker painted(nullptr), fresh(nullptr);
  place(painted);
  painted.SetFocus();
  (void)render(painted);
  form->BtnStart->SetFocus();
  change(painted);
  place(fresh);
  change(fresh);

  auto after = render(painted), expected = render(fresh);
  ASSERT_EQ(after->Width(), expected->Width());
  ASSERT_EQ(after->Height(), expected->Height());
  int differing = 0;
  for (int y = 0; y < after->Height(); ++y)
    for (int x = 0; x < after->Width(); ++x)
      differing += (after->ScanLine(y)[x] & 0xFFFFFF) != (expected->ScanLine(y)[x] & 0xFFFFFF);
  EXPECT_EQ(differing, 0);

  // Focus alone changes the face's outline.
  painted.SetFocus();
  auto focused = render(painted);
  const PickerLayout& layout = painted.Layout();
  auto outline = [&](const TBitmap& b) { return b.ScanLine(layout.ClockRect.Top)[layout.ClockCenter.X] & 0xFFFFFF; };
  EXPECT_NE(outline(*focused), outline(*after));
  painted.SetParent(nullptr);
  fresh.SetParent(nullptr);
}

}  // namespace

namespace {

TEST_F(PickerTest, TheHowToUseHintShowsOverTheFaceBelowThePicker) {
  SetForegroundWindow(form->Handle());
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(85, 90));
  const THintWindow* hint = picker->HowToUseHint();
  ASSERT_NE(hint, nullptr);
  ASSERT_TRUE(hint->Showing());
  EXPECT_EQ(hint->Text(), "Left-click to set Hour\rRight-click to set Minute\r    Ctrl key restricts to 5 minutes");
  POINT corner{0, picker->Height()};
  ClientToScreen(picker->Handle(), &corner);
  EXPECT_EQ(hint->Origin().x, corner.x);
  EXPECT_EQ(hint->Origin().y, corner.y);
  picker->SetHowToUseMsg("Turn the hands");
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(86, 90));
  EXPECT_EQ(hint->Text(), "Left-click to set Hour\rRight-click to set Minute\r    Ctrl key restricts to 5 minutes");
  // Off the face (a corner of the square is still inside it): gone.
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 100));
  EXPECT_FALSE(hint->Showing());
  SendMessageW(picker->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(85, 90));
  EXPECT_EQ(hint->Text(), "Turn the hands");
}

}  // namespace

namespace {

// Renders for a person to look at: BMP files that the test script turns into PNG.
TEST_F(PickerTest, RendersAreWrittenForReview) {
  const char* folder = std::getenv("VESPERMARK_RENDER_DIR");
  if (!folder) GTEST_SKIP() << "VESPERMARK_RENDER_DIR is not set";
  struct Shot {
    int h, m;
    bool focus;
  };
  for (Shot shot : {Shot{0, 0, false}, Shot{15, 45, false}, Shot{23, 30, false}, Shot{23, 30, true}}) {
    picker->SetTime(EncodeTime(shot.h, shot.m, 0, 0));
    if (shot.focus)
      picker->SetFocus();
    else
      form->BtnStart->SetFocus();
    auto bitmap = Render();
    char name[64];
    std::snprintf(name, sizeof name, "/picker-%02d%02d%s.bmp", shot.h, shot.m, shot.focus ? "-focus" : "");
    TFileStream file(std::string(folder) + name, fmCreate);
    bitmap->SaveToStream(file);
  }
  // The focus outline is the face darkened, just inside the face circle's top.
  auto focused = Render();
  EXPECT_NE(focused->ScanLine(22)[85] & 0xFFFFFF, 0xFF8080u);
}

}  // namespace

namespace {

TEST_F(PickerTest, AcceleratorsComeFromTheStoredCaptionsOnly) {
  int setClicks = 0;
  picker->SetOnSetBtnClick([&](TObject*) { ++setClicks; });
  auto type = [&](UINT message, char16_t ch) {
    PostMessageW(picker->Handle(), message, ch, 0);
    app->ProcessMessages();
  };
  picker->SetFocus();
  type(WM_SYSCHAR, u'p');  // the built-in captions have no accelerators
  EXPECT_FALSE(picker->IsPM());

  picker->SetCaptionAM("&Morning");
  picker->SetCaptionPM("&Evening");
  picker->SetCaptionSet("&Set");
  type(WM_SYSCHAR, u'e');
  EXPECT_TRUE(picker->IsPM());
  type(WM_CHAR, u'M');  // the picker takes no typing, so a plain letter is an accelerator too
  EXPECT_FALSE(picker->IsPM());
  type(WM_SYSCHAR, u's');
  EXPECT_EQ(setClicks, 0) << "the Set accelerator works only while the button is shown";
  picker->SetShowSetButton(true);
  type(WM_SYSCHAR, u's');
  EXPECT_EQ(setClicks, 1);

  picker->SetEnabled(false);
  type(WM_SYSCHAR, u'e');
  type(WM_SYSCHAR, u's');
  EXPECT_FALSE(picker->IsPM());
  EXPECT_EQ(setClicks, 1);
}

// Real key presses go through the application's loop, whose dialog pass
// sees Enter before the picker does.
TEST_F(PickerTest, EnterFromTheKeyboardClicksTheSetButtonWhileItShows) {
  int setClicks = 0;
  picker->SetOnSetBtnClick([&](TObject*) { ++setClicks; });
  BringToFront(*form);
  picker->SetFocus();
  ASSERT_EQ(GetFocus(), picker->Handle());
  auto enter = [&] {
    PressKey(VK_RETURN);
    RunApplicationLoop(*app, 100);
  };
  enter();
  EXPECT_EQ(setClicks, 0) << "no Set button, no click";
  picker->SetShowSetButton(true);
  enter();
  EXPECT_EQ(setClicks, 1);
  EXPECT_EQ(GetFocus(), picker->Handle());
}

TEST_F(PickerTest, TheStripFollowsFormat) {
  picker->SetTime((15 * 60 + 45) / 1440.0);
  picker->SetFormat("hh:nn");
  EXPECT_EQ(picker->TimeText(), "15:45");
  picker->SetFormat("h:mm am/pm");
  EXPECT_EQ(picker->TimeText(), "3:45 pm");
}

TEST_F(PickerTest, ThePickerIsNeverSmallerThanItsPreferredSize) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, picker->FontHandle());
  SIZE zero{};
  GetTextExtentPoint32W(screen, L"0", 1, &zero);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);

  picker->SetAlign(TAlign::alNone);
  picker->SetBounds(0, 0, 10, 10);
  EXPECT_EQ(picker->Width(), std::max<int>(13 * zero.cx + 78, 24 * zero.cx));
  EXPECT_EQ(picker->Height(), 14 * zero.cy + 8);
  // A long Set caption widens the minimum by two characters a byte.
  picker->SetCaptionSet("Set the time");
  EXPECT_EQ(picker->Width(), std::max<int>(13 * zero.cx + 78, 12 * zero.cx + 2 * zero.cx * 14));
  // The form's own picker fits its stored size with the form's font.
  EXPECT_LE(14 * zero.cy + 8, 190);
  EXPECT_LE(13 * zero.cx + 78, 171);
}

class TestPanel : public TBorderedPanel {
 public:
  using TBorderedPanel::TBorderedPanel;
  std::string_view ClassName() const override { return "TTestPanel"; }
};

// The window class has no redraw flags: the panel itself repaints its
// frame when its size changes, so no old edge stays inside it.
TEST_F(PickerTest, APanelDrawsItsFrameAfreshWhenResized) {
  picker->SetVisible(false);
  TestPanel panel(nullptr);
  panel.SetColor(clWhite);
  panel.SetBounds(10, 10, 100, 50);
  panel.SetParent(form);
  UpdateWindow(form->Handle());
  auto pixel = [&](int x, int y) {
    HDC dc = GetDC(panel.Handle());
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(panel.Handle(), dc);
    return color;
  };
  const COLORREF edge = GetSysColor(COLOR_3DDKSHADOW), fill = RGB(255, 255, 255);
  ASSERT_EQ(pixel(99, 25), edge);
  ASSERT_EQ(pixel(40, 49), edge);
  panel.SetBounds(10, 10, 120, 60);
  UpdateWindow(panel.Handle());
  EXPECT_EQ(pixel(99, 25), fill) << "no old right edge after growing";
  EXPECT_EQ(pixel(40, 49), fill) << "no old bottom edge after growing";
  EXPECT_EQ(pixel(119, 30), edge);
  panel.SetBounds(10, 10, 80, 40);
  UpdateWindow(panel.Handle());
  EXPECT_EQ(pixel(79, 20), edge) << "the new right edge after shrinking";
  EXPECT_EQ(pixel(40, 39), edge) << "the new bottom edge after shrinking";
  panel.SetParent(nullptr);
}

TEST_F(PickerTest, APanelReEnablesOnlyTheChildrenThatWereEnabled) {
  TestPanel panel(nullptr);
  panel.SetParent(form);
  TestPanel wasEnabled(nullptr), wasDisabled(nullptr), addedLater(nullptr);
  wasEnabled.SetParent(&panel);
  wasDisabled.SetParent(&panel);
  wasDisabled.SetEnabled(false);

  panel.SetEnabled(false);
  EXPECT_FALSE(wasEnabled.Enabled());
  EXPECT_FALSE(wasDisabled.Enabled());
  addedLater.SetEnabled(false);
  addedLater.SetParent(&panel);

  panel.SetEnabled(true);
  EXPECT_TRUE(wasEnabled.Enabled());
  EXPECT_FALSE(wasDisabled.Enabled());
  EXPECT_TRUE(addedLater.Enabled()) << "a child the panel never recorded is enabled with it";
  addedLater.SetParent(nullptr);
  wasDisabled.SetParent(nullptr);
  wasEnabled.SetParent(nullptr);
}

}  // namespace
