// The skinned Start and Stop buttons of the main window: drawn from the
// skin's "button" section, shaped by its mask, and pressed as buttons are.
#include <algorithm>
#include <cstdlib>
#include <map>

#include "base/stream.h"
#include "base/time_format.h"
#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/canvas_win.h"
#include "wine_support.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0x808080;

class SkinButtonTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    form->Show();
    PumpMessages(50);
    start = form->BtnStart;
    stop = form->BtnStop;
    start->SetOnClick([this](TObject*) { ++clicks; });
  }

  static std::unique_ptr<TBitmap> Render(TSkinButton* button) {
    auto bitmap = std::make_unique<TBitmap>(button->Width(), button->Height());
    SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), PRF_CLIENT);
    GdiFlush();
    return bitmap;
  }
  static uint32_t At(const TBitmap& bitmap, int x, int y) { return bitmap.ScanLine(y)[x] & 0xFFFFFF; }

  // The skin picture's pixel as 0x00RRGGBB.
  uint32_t Picture(int x, int y) const {
    const BmpImage& image = form->SkinData1->ActivePictureBitmaps()[3].Image();
    return image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)] & 0xFFFFFF;
  }

  // The colour the caption is drawn in: the commonest colour among the
  // pixels that the caption changes.
  static uint32_t CaptionColour(TSkinButton* button) {
    auto with = Render(button);
    std::string caption = button->Caption();
    button->SetCaption("");
    auto without = Render(button);
    button->SetCaption(caption);
    std::map<uint32_t, int> counts;
    for (int y = 0; y < with->Height(); ++y)
      for (int x = 0; x < with->Width(); ++x)
        if (At(*with, x, y) != At(*without, x, y)) ++counts[At(*with, x, y)];
    uint32_t best = 0xFFFFFFFF;
    int most = 0;
    for (auto [colour, count] : counts)
      if (count > most) best = colour, most = count;
    return best;
  }

  void Save(TSkinButton* button, const char* name) {
    const char* folder = std::getenv("VESPERMARK_RENDER_DIR");
    if (!folder) return;
    TFileStream file(std::string(folder) + "/" + name + ".bmp", fmCreate);
    Render(button)->SaveToStream(file);
  }

  void Mouse(TSkinButton* button, UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageW(button->Handle(), message, keys, MAKELPARAM(x, y));
  }

  TSkinButton* start = nullptr;
  TSkinButton* stop = nullptr;
  int clicks = 0;
};

TEST_F(SkinButtonTest, TheButtonsTakeTheSkinsSizeShapeAndPicture) {
  // The form stores 65 x 33; the skin's face is 21 high.
  EXPECT_EQ((std::vector<int>{start->Left(), start->Top(), start->Width(), start->Height()}),
            (std::vector<int>{8, 200, 65, 21}));
  EXPECT_EQ((std::vector<int>{stop->Left(), stop->Top(), stop->Width(), stop->Height()}),
            (std::vector<int>{96, 200, 65, 21}));
  // The mask's cut corners are outside the window.
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(start->Handle(), region.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), 64, 20));
  EXPECT_TRUE(PtInRegion(region.Get(), 1, 1));
  EXPECT_TRUE(PtInRegion(region.Get(), 63, 19));
  EXPECT_TRUE(PtInRegion(region.Get(), 32, 10));
  EXPECT_FALSE(PtInRegion(region.Get(), 65, 10));

  // Left end copied as it is, right end copied to the shorter width.
  auto face = Render(start);
  for (int y : {2, 10, 18}) {
    EXPECT_EQ(At(*face, 2, y), Picture(2, 1 + y)) << y;
    EXPECT_EQ(At(*face, 63, y), Picture(64, 1 + y)) << y;
  }
  Save(start, "button-start");
  Save(stop, "button-stop-disabled");
  EXPECT_EQ(GetWindowTextLengthW(start->Handle()), 5) << "the caption stays the window text";
}

TEST_F(SkinButtonTest, CaptionsAreBlackWhiteWhenHotOrDownAndGreyWhenDisabled) {
  EXPECT_EQ(CaptionColour(start), kBlack);
  EXPECT_EQ(CaptionColour(stop), kGrey);
  Mouse(start, WM_MOUSEMOVE, 20, 10);
  EXPECT_TRUE(start->MouseInside());
  EXPECT_EQ(CaptionColour(start), kWhite);
  Save(start, "button-start-hot");
  Mouse(start, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  EXPECT_EQ(CaptionColour(start), kWhite);
  auto down = Render(start);
  EXPECT_EQ(At(*down, 2, 10), Picture(2, 24 + 10)) << "the down picture";
  Save(start, "button-start-down");
  Mouse(start, WM_LBUTTONUP, 20, 10);
  // The running time that an armed Start shows is drawn the same way.
  start->SetEnabled(false);
  start->SetCaption("23:30:00");
  EXPECT_EQ(CaptionColour(start), kGrey);
}

TEST_F(SkinButtonTest, APressCountsOnlyWhenReleasedOverTheButton) {
  Mouse(start, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  Mouse(start, WM_MOUSEMOVE, 200, 10, MK_LBUTTON);
  EXPECT_NE(At(*Render(start), 2, 10), Picture(2, 24 + 10)) << "outside it looks up";
  Mouse(start, WM_LBUTTONUP, 200, 10);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(start->Down());

  Mouse(start, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  Mouse(start, WM_MOUSEMOVE, 200, 10, MK_LBUTTON);
  Mouse(start, WM_MOUSEMOVE, 20, 10, MK_LBUTTON);
  EXPECT_EQ(At(*Render(start), 2, 10), Picture(2, 24 + 10)) << "back in, down again";
  Mouse(start, WM_LBUTTONUP, 20, 10);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, OnlyTheLeftButtonPressesAndALostPressShowsTheButtonUp) {
  form->TimePicker->SetFocus();
  Mouse(start, WM_RBUTTONDOWN, 20, 10, MK_RBUTTON);
  Mouse(start, WM_RBUTTONUP, 20, 10);
  EXPECT_EQ(GetFocus(), form->TimePicker->Handle()) << "a right click takes no focus";
  EXPECT_EQ(CaptionColour(start), kBlack) << "nor lights the button";
  EXPECT_EQ(clicks, 0);

  Mouse(start, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  ASSERT_TRUE(start->Down());
  UpdateWindow(start->Handle());
  SetCapture(form->Handle());  // the capture goes elsewhere mid-press
  EXPECT_FALSE(start->Down());
  RECT dirty;
  EXPECT_TRUE(GetUpdateRect(start->Handle(), &dirty, FALSE)) << "the down picture is painted over";
  ReleaseCapture();
  Mouse(start, WM_LBUTTONUP, 20, 10);
  EXPECT_EQ(clicks, 0);
}

TEST_F(SkinButtonTest, KeysClickFocusedDefaultAndCancelButtons) {
  start->SetFocus();
  start->SetRepeatMode(true);
  SendMessageW(start->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(start->Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(clicks, 2) << "a Space tap in repeat mode";
  start->SetRepeatMode(false);

  int stopClicks = 0;
  stop->SetEnabled(true);
  stop->SetOnClick([&](TObject*) { ++stopClicks; });
  stop->SetDefault(true);
  form->TimePicker->SetFocus();
  PostMessageW(form->TimePicker->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  app->ProcessMessages();
  EXPECT_EQ(stopClicks, 1) << "Enter goes to the default button";

  stop->SetDefault(false);
  start->SetCancel(true);
  PostMessageW(form->TimePicker->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  app->ProcessMessages();
  EXPECT_EQ(clicks, 3) << "Escape goes to the cancel button";
}

HHOOK gRefuseFocusHook = nullptr;
LRESULT CALLBACK RefuseFocus(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SETFOCUS) return 1;
  return CallNextHookEx(gRefuseFocusHook, code, wParam, lParam);
}

TEST_F(SkinButtonTest, APressIsSwallowedWhenTheFocusIsRefusedAndClickIgnoresEnabled) {
  form->TimePicker->SetFocus();
  gRefuseFocusHook = SetWindowsHookExW(WH_CBT, RefuseFocus, nullptr, GetCurrentThreadId());
  Mouse(start, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  Mouse(start, WM_LBUTTONUP, 20, 10);
  UnhookWindowsHookEx(gRefuseFocusHook);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(start->Down());

  int stopClicks = 0;
  stop->SetOnClick([&](TObject*) { ++stopClicks; });
  ASSERT_FALSE(stop->Enabled());
  stop->Click();
  EXPECT_EQ(stopClicks, 1);
}

}  // namespace

namespace {

bool SameImage(const TBitmap& a, const TBitmap& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if ((a.ScanLine(y)[x] & 0xFFFFFF) != (b.ScanLine(y)[x] & 0xFFFFFF)) return false;
  return true;
}

// Our skin does not morph; a test skin that does is ours with the section changed.
TEST_F(SkinButtonTest, AMorphingSkinSlidesTheHotFaceInAndOut) {
  auto normal = Render(start);
  int index = form->SkinData1->IndexOfControl("button");
  auto* section = dynamic_cast<TDataSkinButtonControl*>(form->SkinData1->SkinControls()[index].get());
  ASSERT_NE(section, nullptr);
  section->morphing = true;
  section->morphkind = TMorphKind::mkleftslide;

  Mouse(start, WM_MOUSEMOVE, 20, 10);
  EXPECT_EQ(start->MorphFactor(), 0.0) << "the morph starts on the timer";
  PumpMessages(70);
  double midway = start->MorphFactor();
  EXPECT_GT(midway, 0.0);
  EXPECT_LT(midway, 1.0);
  auto sliding = Render(start);
  EXPECT_FALSE(SameImage(*sliding, *normal));
  PumpMessages(500);
  EXPECT_EQ(start->MorphFactor(), 1.0);
  auto hot = Render(start);
  EXPECT_FALSE(SameImage(*sliding, *hot));
  EXPECT_EQ(CaptionColour(start), kWhite);

  SendMessageW(start->Handle(), WM_MOUSELEAVE, 0, 0);
  PumpMessages(500);
  EXPECT_EQ(start->MorphFactor(), 0.0);
  EXPECT_TRUE(SameImage(*Render(start), *normal)) << "back to the normal face";
}

}  // namespace

namespace {

// The running time an armed Start shows, in each long time format Windows
// offers, is drawn whole: no pixel of it at the button's edges.
TEST_F(SkinButtonTest, TheRunningTimeFitsTheButtonInEveryLongTimeFormat) {
  struct Case {
    const char* picture;
    const char* am;
    const char* pm;
  };
  const Case cases[] = {
      {"h:mm:ss tt", "AM", "PM"},       {"hh:mm:ss tt", "AM", "PM"},     {"H:mm:ss", "", ""},
      {"HH:mm:ss", "", ""},             {"tt h:mm:ss", "AM", "PM"},      {"tt hh:mm:ss", "下午", "下午"},
      {"tt h:mm:ss", "오후", "오후"},   {"H.mm.ss", "", ""},             {"HH.mm.ss", "", ""},
      {"HH' h 'mm' min 'ss' s'", "", ""}, {"h:mm:ss tt", "a.m.", "p.m."}, {"tt hh:mm:ss", "午後", "午後"},
  };
  start->SetEnabled(false);
  start->SetCaption("");
  auto empty = Render(start);
  for (const Case& c : cases) {
    const std::string text = TTimeFormat(c.picture, c.am, c.pm).Format(EncodeTime(23, 58, 58, 0));
    start->SetCaption(text);
    auto face = Render(start);
    int left = face->Width(), right = -1;
    for (int y = 0; y < face->Height(); ++y)
      for (int x = 0; x < face->Width(); ++x)
        if (At(*face, x, y) != At(*empty, x, y)) left = std::min(left, x), right = std::max(right, x);
    ASSERT_LE(left, right) << text << ": no caption drawn";
    EXPECT_GE(left, 2) << text;
    EXPECT_LE(right, face->Width() - 3) << text;
    EXPECT_GE(right - left, 30) << text << ": still large enough to read";
  }
  Save(start, "button-start-long-time");
}

}  // namespace
