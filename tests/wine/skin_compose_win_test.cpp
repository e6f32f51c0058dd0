// The Win32 side of the composition helpers: TFBitmap over DIB sections,
// regions from our skin's frame mask, glyph and caption drawing, layered
// alpha and the monitor area.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "skin/pixels/bmp_pixels.h"
#include "skin/pixels/fast_bitmap_win.h"
#include "skin/controls/glyph_caption_win.h"
#include "skin/pixels/mask_region_win.h"
#include "skin/pixels/skin_compose.h"
#include "ui/system/window_platform_win.h"
#include "ui/graphics/bitmap_win.h"
#include "wine_support.h"

namespace {

Bgr FromScanLine(uint32_t rgb) { return {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)}; }

TEST_F(MainFormTest, FastBitmapRoundTripsAnHBitmapAndOwnsItsHandlesAlone) {
  TBitmap bitmap;
  bitmap.LoadFromBytes(form->SkinData1->ActivePictureBitmaps().at(3).FileBytes());  // the button faces
  const int handlesBefore = GdiObjectCount();
  {
    TFBitmap fast(bitmap.Handle());
    ASSERT_EQ(fast.Width() * 100 + fast.Height(), 66 * 100 + 46);
    for (int y = 0; y < 46; ++y)
      for (int x = 0; x < 66; ++x) ASSERT_EQ(fast.View().At(x, y), FromScanLine(bitmap.ScanLine(y)[x])) << x << "," << y;
    // Composed pixels back onto a GDI bitmap.
    const PixelImage face = ComposeHorizontalThree(10, 14, 65, {0, 1, 66, 22}, fast.View());
    TBitmap drawn(70, 50);
    DrawPixels(drawn.Canvas().Handle(), 3, 2, face.View());
    GdiFlush();
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 65; ++x) ASSERT_EQ(FromScanLine(drawn.ScanLine(y + 2)[x + 3]), face.At(x, y)) << x << "," << y;

    TFBitmap moved = std::move(fast);
    EXPECT_EQ(fast.Handle(), nullptr);
    moved = TFBitmap(face.View());  // the old DIB and DC go
    EXPECT_EQ(moved.View().At(64, 20), face.At(64, 20));
  }
  EXPECT_EQ(GdiObjectCount(), handlesBefore);
  EXPECT_THROW(TFBitmap(HBITMAP(nullptr)), EInvalidGraphic);
}

TEST_F(MainFormTest, RegionsFromOurFrameMaskHoldExactlyItsBlackPixels) {
  const TSkinData& skin = *form->SkinData1;
  TBitmap maskBitmap;
  maskBitmap.LoadFromBytes(skin.MaskBitmap().FileBytes());
  const PixelImage mask = PixelImageFromBmp(skin.MaskBitmap().Image());
  const int mw = mask.Width(), mh = mask.Height();
  auto black = [&](int x, int y) { return x >= 0 && y >= 0 && x < mw && y < mh && mask.At(x, y) == Bgr{}; };

  const RegionHandle whole = RegionFromMask(maskBitmap.Handle());
  for (int y = -1; y <= mh; ++y)
    for (int x = -1; x <= mw; ++x) ASSERT_EQ(PtInRegion(whole.Get(), x, y) != 0, black(x, y)) << x << "," << y;

  // Grown to 199 x 320 as the frame grows it: the four corners keep the
  // mask's pixels, the client is solid, nothing lies outside the window.
  const TFramePoints p{skin.lefttoppoint, skin.righttoppoint, skin.leftbottompoint, skin.rightbottompoint,
                       skin.maskrectarea};
  const int W = 199, H = 320, dx = W - mw, dy = H - mh;
  const TRect c{p.Client.Left, p.Client.Top, p.Client.Right + dx, p.Client.Bottom + dy};
  const TFramePoints scaled{p.LeftTop, {p.RightTop.X + dx, p.RightTop.Y}, {p.LeftBottom.X, p.LeftBottom.Y + dy},
                            {p.RightBottom.X + dx, p.RightBottom.Y + dy}, c};
  const int leftEnd = std::min(p.LeftTop.X, p.LeftBottom.X), rightStart = std::max(p.RightTop.X, p.RightBottom.X);
  const int topEnd = std::min(p.LeftTop.Y, p.RightTop.Y), bottomStart = std::max(p.LeftBottom.Y, p.RightBottom.Y);
  const int handlesBefore = GdiObjectCount();
  {
    const RegionHandle grown = ScaledMaskRegion(p, scaled, mask.View(), W, H);
    EXPECT_EQ(GdiObjectCount(), handlesBefore + 1);  // the strip regions are gone
    int cornerPixels = 0;
    for (int y = -1; y <= H; ++y)
      for (int x = -1; x <= W; ++x) {
        const bool in = PtInRegion(grown.Get(), x, y) != 0;
        if (x < 0 || y < 0 || x >= W || y >= H || c.Contains({x, y})) {
          ASSERT_EQ(in, c.Contains({x, y})) << x << "," << y;
        } else if ((x < leftEnd || x >= rightStart + dx) && (y < topEnd || y >= bottomStart + dy)) {
          ASSERT_EQ(in, black(x < leftEnd ? x : x - dx, y < topEnd ? y : y - dy)) << x << "," << y;
          ++cornerPixels;
        }
      }
    EXPECT_GT(cornerPixels, 1000);
  }
  EXPECT_EQ(GdiObjectCount(), handlesBefore);
}

TEST(GlyphCaptionTest, CaptionAndTransparentGlyphCellLandWhereTheLayoutPutsThem) {
  TApplication app;
  // Two 6 x 5 cells on a white key; cell 2 holds a red 4 x 3 block.
  TBitmap glyph(12, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 12; ++x) glyph.ScanLine(y)[x] = x >= 7 && x <= 10 && y >= 1 && y <= 3 ? 0xFF0000 : 0xFFFFFF;
  for (bool down : {false, true}) {
    TBitmap target(80, 30);
    TCanvas& canvas = target.Canvas();
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(RECT{0, 0, 80, 30});
    canvas.Font().SetColor(clWhite);
    DrawGlyphAndCaption(canvas, {0, 0, 80, 30}, 2, 3, blGlyphLeft, "Go", glyph.Handle(), 2, 2, down);
    GdiFlush();
    const int gx = 2 + down, gy = 15 - 2 + down;  // margin 2, centred on row 15
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x)
        ASSERT_EQ(target.ScanLine(gy + y)[gx + x] & 0xFFFFFF, x >= 1 && x <= 4 && y >= 1 && y <= 3 ? 0xFF0000u : 0u)
            << x << "," << y << (down ? " down" : "");
    int firstText = 80;  // the caption begins after the glyph and the spacing
    for (int y = 0; y < 30; ++y)
      for (int x = gx + 6; x < 80; ++x)
        if (target.ScanLine(y)[x] & 0xFFFFFF) firstText = std::min(firstText, x);
    EXPECT_GE(firstText, gx + 6 + 3);
    EXPECT_LT(firstText, gx + 6 + 3 + 4);
  }
}

TEST_F(MainFormTest, LayeredAlphaAndTheMonitorAreaOfTheOneScreen) {
  EXPECT_TRUE(IsLayeredAlphaSupported());  // Wine reports Windows 7 or later
  const HWND window = form->Handle();
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetWindowAlpha(window, 128);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_TRUE(flags & LWA_ALPHA);

  if (GetSystemMetrics(SM_CMONITORS) != 1) GTEST_SKIP() << "more than one monitor";
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(GetMonitorArea(window, true), (TRect{work.left, work.top, work.right, work.bottom}));
  EXPECT_EQ(GetMonitorArea(window, false), (TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

}  // namespace
