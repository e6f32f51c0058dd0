// The Win32 side of the composition helpers: TFBitmap over DIB sections,
// regions from our skin's frame mask, glyph and caption drawing, layered
// alpha and the monitor area.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "skin/controls/bmp_pixels.h"
#include "skin/controls/fast_bitmap_win.h"
#include "skin/controls/glyph_caption_win.h"
#include "skin/controls/mask_region_win.h"
#include "skin/controls/skin_compose.h"
#include "skin/controls/window_platform_win.h"
#include "ui/bitmap_win.h"
#include "wine_support.h"

namespace {

Bgr FromScanLine(uint32_t rgb) { return {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)}; }

bool Black(PixelView mask, int x, int y) { return mask.At(x, y) == Bgr{}; }

TEST_F(MainFormTest, FastBitmapRoundTripsAnHBitmapAndOwnsItsHandlesAlone) {
  const TSkinBitmap& picture = form->SkinData1->ActivePictureBitmaps().at(3);  // the button faces
  TBitmap bitmap;
  bitmap.LoadFromBytes(picture.FileBytes());
  const int handlesBefore = GdiObjectCount();
  {
    TFBitmap fast(bitmap.Handle());
    ASSERT_EQ(fast.Width(), 66);
    ASSERT_EQ(fast.Height(), 46);
    const PixelView pixels = fast.View();
    for (int y = 0; y < 46; ++y)
      for (int x = 0; x < 66; ++x) ASSERT_EQ(pixels.At(x, y), FromScanLine(bitmap.ScanLine(y)[x])) << x << "," << y;

    // Composed pixels back onto a GDI bitmap, through DrawPixels and through
    // the memory DC of a TFBitmap made from them.
    const PixelImage face = ComposeHorizontalThree(10, 14, 65, {0, 1, 66, 22}, pixels);
    TBitmap drawn(70, 50), blitted(70, 50);
    DrawPixels(drawn.Canvas().Handle(), 3, 2, face.View());
    const TFBitmap copy(face.View());
    BitBlt(blitted.Canvas().Handle(), 3, 2, 65, 21, copy.DC(), 0, 0, SRCCOPY);
    GdiFlush();
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 65; ++x) {
        ASSERT_EQ(FromScanLine(drawn.ScanLine(y + 2)[x + 3]), face.At(x, y)) << x << "," << y;
        ASSERT_EQ(FromScanLine(blitted.ScanLine(y + 2)[x + 3]), face.At(x, y)) << x << "," << y;
      }

    TFBitmap moved = std::move(fast);
    EXPECT_EQ(fast.Handle(), nullptr);
    EXPECT_EQ(fast.DC(), nullptr);
    EXPECT_EQ(moved.Width(), 66);
    moved = TFBitmap(4, 4);  // the old DIB and DC go
    EXPECT_EQ(moved.View().At(3, 3), Bgr{});
  }
  EXPECT_EQ(GdiObjectCount(), handlesBefore);
  EXPECT_THROW(TFBitmap(HBITMAP(nullptr)), EInvalidGraphic);
}

TEST_F(MainFormTest, RegionsFromOurFrameMaskHoldExactlyItsBlackPixels) {
  const TSkinData& skin = *form->SkinData1;
  TBitmap maskBitmap;
  maskBitmap.LoadFromBytes(skin.MaskBitmap().FileBytes());
  const PixelImage mask = PixelImageFromBmp(skin.MaskBitmap().Image());
  const PixelView m = mask.View();
  const int mw = mask.Width(), mh = mask.Height();
  ASSERT_GT(mw, 0);

  const RegionHandle whole = RegionFromMask(maskBitmap.Handle());
  ASSERT_TRUE(whole);
  for (int y = -1; y <= mh; ++y)
    for (int x = -1; x <= mw; ++x) {
      const bool black = x >= 0 && y >= 0 && x < mw && y < mh && Black(m, x, y);
      ASSERT_EQ(PtInRegion(whole.Get(), x, y) != 0, black) << x << "," << y;
    }

  // Grown to 199 x 320 as the frame grows it: the corners keep the mask's
  // pixels, the client is solid, nothing lies outside the window.
  const TFramePoints points{skin.lefttoppoint, skin.righttoppoint, skin.leftbottompoint, skin.rightbottompoint,
                            skin.maskrectarea};
  const int W = 199, H = 320, dx = W - mw, dy = H - mh;
  auto moved = [&](TPoint p, bool right, bool down) { return TPoint{p.X + (right ? dx : 0), p.Y + (down ? dy : 0)}; };
  const TRect& c = points.Client;
  const TFramePoints scaled{points.LeftTop, moved(points.RightTop, true, false),
                            moved(points.LeftBottom, false, true), moved(points.RightBottom, true, true),
                            {c.Left, c.Top, c.Right + dx, c.Bottom + dy}};
  const int handlesBefore = GdiObjectCount();
  {
    const RegionHandle grown = ScaledMaskRegion(points, scaled, m, W);
    ASSERT_TRUE(grown);
    EXPECT_EQ(GdiObjectCount(), handlesBefore + 1);  // the strip regions are gone
    const int leftEnd = std::min(points.LeftTop.X, points.LeftBottom.X);
    const int rightStart = std::max(points.RightTop.X, points.RightBottom.X);
    const int topEnd = std::min(points.LeftTop.Y, points.RightTop.Y);
    const int bottomStart = std::max(points.LeftBottom.Y, points.RightBottom.Y);
    int cornerPixels = 0;
    for (int y = -1; y <= H; ++y)
      for (int x = -1; x <= W; ++x) {
        const bool in = PtInRegion(grown.Get(), x, y) != 0;
        if (x < 0 || y < 0 || x >= W || y >= H) {
          ASSERT_FALSE(in) << x << "," << y;
        } else if (x >= scaled.Client.Left && x < scaled.Client.Right && y >= scaled.Client.Top &&
                   y < scaled.Client.Bottom) {
          ASSERT_TRUE(in) << x << "," << y;
        } else if ((x < leftEnd || x >= rightStart + dx) && (y < topEnd || y >= bottomStart + dy)) {
          const int mx = x < leftEnd ? x : x - dx, my = y < topEnd ? y : y - dy;
          ASSERT_EQ(in, Black(m, mx, my)) << x << "," << y;
          ++cornerPixels;
        }
      }
    EXPECT_GT(cornerPixels, 1000);
    TFramePoints crossed = scaled;
    crossed.RightTop.X = crossed.LeftTop.X - 1;
    EXPECT_FALSE(ScaledMaskRegion(points, crossed, m, W));
  }
  EXPECT_EQ(GdiObjectCount(), handlesBefore);
}

TEST(GlyphCaptionTest, CaptionAndTransparentGlyphCellLandWhereTheLayoutPutsThem) {
  TApplication app;
  // Two 6 x 5 cells: white key, cell 2 a red square ringed by the key colour.
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
    // Glyph at (2, 15 - 2) (+1 when down): key pixels leave the black background.
    const int gx = 2 + down, gy = 13 + down;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        const uint32_t want = x >= 1 && x <= 4 && y >= 1 && y <= 3 ? 0xFF0000 : 0x000000;
        ASSERT_EQ(target.ScanLine(gy + y)[gx + x] & 0xFFFFFF, want) << x << "," << y << (down ? " down" : "");
      }
    // The caption starts after the glyph and the spacing.
    int firstText = 80, lastText = -1;
    for (int y = 0; y < 30; ++y)
      for (int x = gx + 6; x < 80; ++x)
        if ((target.ScanLine(y)[x] & 0xFFFFFF) != 0) firstText = std::min(firstText, x), lastText = std::max(lastText, x);
    EXPECT_GE(firstText, gx + 6 + 3);
    EXPECT_LT(firstText, gx + 6 + 3 + 4);
    EXPECT_GT(lastText, firstText);
  }
}

TEST(GlyphCaptionTest, FallbackGlyphsThroughTheCanvasPenMatchTheirPictures) {
  TApplication app;
  TBitmap target(11, 10);
  TCanvas& canvas = target.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(RECT{0, 0, 11, 10});
  CanvasGlyphs glyphs(canvas);
  DrawCaptionGlyph(glyphs, TCaptionGlyph::Restore, 0, 0, clBlack);
  DrawCaptionGlyph(glyphs, TCaptionGlyph::DownTriangle, 0, 0, clBlack);
  GdiFlush();
  std::string picture;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 11; ++x) picture += (target.ScanLine(y)[x] & 0xFFFFFF) == 0 ? '#' : '.';
    picture += '\n';
  }
  EXPECT_EQ(picture,
            "..########.\n"
            "..########.\n"
            ".#########.\n"
            "..########.\n"
            "########.#.\n"
            "##########.\n"
            "#....##....\n"
            "#.....#....\n"
            "#.....#....\n"
            "#######....\n");
  EXPECT_TRUE(canvas.Brush() == (TBrush{clWhite, TBrushStyle::bsSolid}));  // the caller's brush is back
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
  EXPECT_EQ(flags & LWA_ALPHA, DWORD(LWA_ALPHA));

  if (GetSystemMetrics(SM_CMONITORS) != 1) GTEST_SKIP() << "more than one monitor";
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(GetMonitorArea(window, true), (TRect{work.left, work.top, work.right, work.bottom}));
  EXPECT_EQ(GetMonitorArea(window, false), (TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

}  // namespace
