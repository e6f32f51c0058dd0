// Forms of every border style under the full test skin: the skin reaches
// the frame, the window takes the mask's shape, the client shows the skin's
// background picture, and an inactive frame is drawn from the inactive
// picture.
#include <cstdlib>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "base/stream.h"
#include "full_skin_form.h"
#include "skin/frame/skin_frame_win.h"
#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/handles_win.h"
#include "wine_support.h"

// Test names and failures name the style.
static void PrintTo(TBorderStyle style, std::ostream* out) { *out << BorderStyleName(style); }

namespace {

constexpr TBorderStyle kAllStyles[] = {TBorderStyle::bsNone,       TBorderStyle::bsSingle,
                                       TBorderStyle::bsSizeable,   TBorderStyle::bsDialog,
                                       TBorderStyle::bsToolWindow, TBorderStyle::bsSizeToolWin};

uint32_t At(const BmpImage& image, int x, int y) {
  return image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)] & 0xFFFFFF;
}

// GetPixel's COLORREF (0x00BBGGRR) as 0x00RRGGBB.
uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A plain form to take the activation from the one under test.
class TOtherForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TOtherForm"; }
};

class FullSkinTest : public testing::TestWithParam<TBorderStyle> {
 protected:
  static constexpr int kWidth = 300, kHeight = 210;

  void SetUp() override {
    app = std::make_unique<TApplication>();
    form = new TFullSkinForm(app.get(), GetParam());
    app->AdoptMainForm(form);
    form->SetBounds(120, 90, kWidth, kHeight);
    form->Show();
    window = form->Handle();
    SetForegroundWindow(window);
    PumpMessages(100);
  }
  void TearDown() override {
    app.reset();
    PumpMessages(0);
  }

  const TSkinData& Skin() const { return *form->SkinData; }
  const BmpImage& Picture() const { return Skin().PictureBitmap().Image(); }
  const BmpImage& InactivePicture() const { return Skin().InactivePictureBitmap().Image(); }
  const TSkinFrame& Frame() const { return *form->SkinForm->Frame(); }
  const TActiveSkinObject& Object(const std::string& id) const {
    for (size_t i = 0; i < Frame().Objects().Count(); ++i)
      if (Frame().Objects()[i].IDName == id) return Frame().Objects()[i];
    throw std::runtime_error("the frame has no object " + id);
  }

  uint32_t WindowPixel(int x, int y) const {
    WindowDC dc(window, WindowDC::WholeWindow);
    return Rgb(GetPixel(dc.Get(), x, y));
  }
  // The window as drawn, frame and client, as 0x00RRGGBB pixels.
  std::unique_ptr<TBitmap> WindowImage() const {
    auto bitmap = std::make_unique<TBitmap>(kWidth, kHeight);
    {
      WindowDC dc(window, WindowDC::WholeWindow);
      BitBlt(bitmap->Canvas().Handle(), 0, 0, kWidth, kHeight, dc.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    return bitmap;
  }
  // Another window takes the activation, as a click elsewhere would.
  void Deactivate() {
    other = new TOtherForm(app.get());
    other->SetBounds(700, 500, 120, 90);
    other->Show();
    PumpMessages(100);
  }

  // Saved for a person to look at, as BMP files the test script turns into
  // PNG. Pixels outside the window's shape show a desktop grey.
  void SaveRender(const std::string& name) const {
    const char* folder = std::getenv("VESPERMARK_RENDER_DIR");
    if (!folder) return;
    std::unique_ptr<TBitmap> bitmap = WindowImage();
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.Get()) != ERROR)
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
          if (!PtInRegion(region.Get(), x, y)) bitmap->ScanLine(y)[x] = 0x5A6270;
    TFileStream file(std::string(folder) + "/full-skin-" + BorderStyleName(GetParam()) + "-" + name + ".bmp",
                     fmCreate);
    bitmap->SaveToStream(file);
  }

  ScopedSkinNoticeSink skinNotices{WindowSkinNotices()};
  std::unique_ptr<TApplication> app;
  TFullSkinForm* form = nullptr;
  TForm* other = nullptr;
  HWND window = nullptr;
};

std::string StyleName(const testing::TestParamInfo<TBorderStyle>& info) { return BorderStyleName(info.param); }

INSTANTIATE_TEST_SUITE_P(EveryBorderStyle, FullSkinTest, testing::ValuesIn(kAllStyles), StyleName);

TEST_P(FullSkinTest, TheSkinReachesTheFrame) {
  ASSERT_FALSE(Skin().NoSkin());
  ASSERT_TRUE(Frame().SkinActive());
  RECT bounds, client;
  GetWindowRect(window, &bounds);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  EXPECT_EQ(bounds.right - bounds.left, kWidth);
  EXPECT_EQ(bounds.bottom - bounds.top, kHeight);
  if (GetParam() == TBorderStyle::bsNone) {
    EXPECT_EQ(origin.x, bounds.left) << "no frame around a borderless form";
    EXPECT_EQ(origin.y, bounds.top);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
    return;
  }
  // The borders are the skin's.
  const TRect c = Skin().clientrect;
  const int pictureWidth = Picture().width, pictureHeight = Picture().height;
  EXPECT_EQ(origin.x - bounds.left, c.Left);
  EXPECT_EQ(origin.y - bounds.top, c.Top);
  EXPECT_EQ(client.right, kWidth - c.Left - (pictureWidth - c.Right));
  EXPECT_EQ(client.bottom, kHeight - c.Top - (pictureHeight - c.Bottom));

  // The frame's pieces as the active picture draws them: corners where they
  // are, the edges between them stretched.
  ASSERT_EQ(GetActiveWindow(), window);
  const int dx = kWidth - pictureWidth;
  const int accent = 27;  // the amber line under the caption band
  struct Sample {
    int x, y, pictureX, pictureY;
  };
  for (Sample s : {Sample{34, accent, 34, accent}, Sample{kWidth / 2, accent, 70, accent},
                   Sample{kWidth - 10, accent, pictureWidth - 10, accent}, Sample{3, kHeight / 2, 3, 80},
                   Sample{kWidth - 4, kHeight / 2, pictureWidth - 4, 80}, Sample{kWidth / 2, kHeight - 3, 100, 147},
                   Sample{kWidth - 30, kHeight - 8, pictureWidth - 30, pictureHeight - 8}})
    EXPECT_EQ(WindowPixel(s.x, s.y), At(Picture(), s.pictureX, s.pictureY)) << s.x << "," << s.y;

  // The close button comes from its own picture, laid out at the right end
  // of the buttons' area, which follows the right edge.
  const TRect buttons = Skin().buttonsrect;
  const TActiveSkinObject& close = Object("closebutton");
  const TRect look = close.skinrect;
  EXPECT_EQ(close.ObjectRect, Bounds(buttons.Right + dx - look.Width(), buttons.Top, look.Width(), look.Height()));
  const BmpImage& sheet = Skin().ActivePictureBitmaps()[0].Image();
  int differing = 0;
  for (int y = 0; y < look.Height(); ++y)
    for (int x = 0; x < look.Width(); ++x)
      differing += WindowPixel(close.ObjectRect.Left + x, close.ObjectRect.Top + y) != At(sheet, look.Left + x, look.Top + y);
  EXPECT_EQ(differing, 0) << "the close button's normal look";
}

TEST_P(FullSkinTest, TheWindowTakesTheShapeOfTheMask) {
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  const bool shaped = GetWindowRgn(window, region.Get()) != ERROR;
  if (GetParam() == TBorderStyle::bsNone) {
    EXPECT_FALSE(shaped) << "a borderless form has no frame to shape";
    return;
  }
  ASSERT_TRUE(shaped);
  // The mask stretched by its middle, which is the same all along: its
  // rounded corners stay at the window's corners.
  const BmpImage& mask = Skin().MaskBitmap().Image();
  auto maskCoordinate = [](int at, int size, int maskSize) {
    if (at < maskSize / 2) return at;
    if (at >= size - maskSize / 2) return at - (size - maskSize);
    return maskSize / 2;
  };
  int wrong = 0, inside = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool black = At(mask, maskCoordinate(x, kWidth, mask.width), maskCoordinate(y, kHeight, mask.height)) == 0;
      const bool in = PtInRegion(region.Get(), x, y) != FALSE;
      wrong += black != in;
      inside += in;
    }
  EXPECT_EQ(wrong, 0) << "of " << inside << " pixels inside";
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), kWidth - 1, kHeight - 1));
}

TEST_P(FullSkinTest, TheClientShowsTheSkinsBackgroundPicture) {
  ASSERT_GE(Skin().bgpictureindex, 0);
  const BmpImage& background = Skin().ActivePictureBitmaps()[static_cast<size_t>(Skin().bgpictureindex)].Image();
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  MapWindowPoints(window, nullptr, &origin, 1);
  RECT bounds;
  GetWindowRect(window, &bounds);
  // Only what the window's shape lets show.
  RegionHandle shape(CreateRectRgn(0, 0, kWidth, kHeight));
  GetWindowRgn(window, shape.Get());
  WindowDC dc(window);
  int wrong = 0, looked = 0;
  for (int y = 0; y < client.bottom; y += 3)
    for (int x = 0; x < client.right; x += 3) {
      if (!PtInRegion(shape.Get(), origin.x - bounds.left + x, origin.y - bounds.top + y)) continue;
      ++looked;
      wrong += Rgb(GetPixel(dc.Get(), x, y)) != At(background, x % background.width, y % background.height);
    }
  EXPECT_EQ(wrong, 0) << "of " << looked << " pixels, tiled from the client's corner";
}

TEST_P(FullSkinTest, InactiveTheFrameIsDrawnFromTheInactivePicture) {
  ASSERT_GT(InactivePicture().width, 0);
  ASSERT_EQ(GetActiveWindow(), window);
  SaveRender("active");
  if (GetParam() == TBorderStyle::bsNone) {
    // No frame: nothing changes.
    const std::unique_ptr<TBitmap> active = WindowImage();
    Deactivate();
    ASSERT_NE(GetActiveWindow(), window);
    SaveRender("inactive");
    const std::unique_ptr<TBitmap> inactive = WindowImage();
    int changed = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) changed += active->ScanLine(y)[x] != inactive->ScanLine(y)[x];
    EXPECT_EQ(changed, 0);
    return;
  }
  const int accent = 27;
  const TRect caption = Object("caption1").ObjectRect, close = Object("closebutton").ObjectRect;
  const TRect buttons = Skin().buttonsrect;
  // Pixels of the frame itself, of the caption's band (drawn by the caption
  // object) and of a caption button's corner (drawn from its own picture);
  // the last two are greyed by the frame and must meet the inactive picture.
  struct Sample {
    int x, y, pictureX, pictureY;
  };
  const Sample samples[] = {{kWidth / 2, accent, 70, accent},
                            {4, 60, 4, 60},
                            {caption.Left + 1, caption.Top + 1, caption.Left + 1, caption.Top + 1},
                            {close.Left, close.Top, buttons.Left, buttons.Top}};
  Deactivate();
  ASSERT_NE(GetActiveWindow(), window);
  SaveRender("inactive");
  for (const Sample& s : samples)
    EXPECT_EQ(WindowPixel(s.x, s.y), At(InactivePicture(), s.pictureX, s.pictureY)) << s.x << "," << s.y;
  EXPECT_NE(WindowPixel(kWidth / 2, accent), At(Picture(), 70, accent)) << "the amber line is gone";

  SetForegroundWindow(window);
  PumpMessages(100);
  ASSERT_EQ(GetActiveWindow(), window);
  EXPECT_EQ(WindowPixel(kWidth / 2, accent), At(Picture(), 70, accent)) << "active again";
}

// The sizeable styles answer every edge and corner from the skin's hit
// points; the others none.
TEST_P(FullSkinTest, OnlyASizeableFrameAnswersEdgesAndCorners) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  // A hit on an object makes it hot, and then the whole frame is the
  // object's until the pointer leaves it: the scan stays off the objects.
  auto onObject = [&](int x, int y) {
    for (size_t i = 0; i < Frame().Objects().Count(); ++i)
      if (Frame().Objects()[i].ObjectRect.Contains(TPoint{x, y})) return true;
    return false;
  };
  std::set<LRESULT> answers;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if ((x < 12 || y < 12 || x >= kWidth - 12 || y >= kHeight - 12) && !onObject(x, y))
        answers.insert(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(bounds.left + x, bounds.top + y)));
  const std::set<LRESULT> sizing{HTLEFT, HTRIGHT, HTTOP, HTTOPLEFT, HTTOPRIGHT, HTBOTTOM, HTBOTTOMLEFT, HTBOTTOMRIGHT};
  std::set<LRESULT> found;
  for (LRESULT answer : answers)
    if (sizing.count(answer)) found.insert(answer);
  const bool sizeable = GetParam() == TBorderStyle::bsSizeable || GetParam() == TBorderStyle::bsSizeToolWin;
  EXPECT_EQ(found, sizeable ? sizing : std::set<LRESULT>{});
}

}  // namespace
