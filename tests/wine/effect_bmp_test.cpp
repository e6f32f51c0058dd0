#include "skin/pixels/effect_bmp_win.h"

#include <gtest/gtest.h>

#include <utility>

#include "base/exceptions.h"
#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/canvas_win.h"
#include "wine_support.h"

namespace {

// 0x00RRGGBB, as TBitmap's rows hold them; every pixel differs.
uint32_t Pattern(int x, int y) { return (uint32_t(40 * x) << 16) | (uint32_t(70 * y) << 8) | uint32_t(1 + x + 10 * y); }

Bgr AsBgr(uint32_t rgb) { return {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)}; }

void RoundTrip() {
  TBitmap source(5, 3);  // 15-byte rows, padded to 16 in the 24-bit copy
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) source.ScanLine(y)[x] = Pattern(x, y);
  // Drawn through its canvas, so the bitmap is selected into a DC, as a face drawn for a morph is.
  source.Canvas().SetPixel(4, 2, RGBColor(1, 2, 3));
  GdiFlush();

  TEffectBmp effect(source.Handle());
  ASSERT_EQ(effect.Width(), 5);
  ASSERT_EQ(effect.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(effect.Pixels().At(x, y), AsBgr(x == 4 && y == 2 ? 0x010203 : Pattern(x, y))) << x << "," << y;

  effect.ApplyInvert();
  TEffectBmp moved(std::move(effect));
  EXPECT_EQ(effect.Handle(), nullptr);
  TBitmap target(9, 6);
  moved.DrawToDC(target.Canvas().Handle(), 3, 2);
  TEffectBmp(nullptr).DrawToDC(target.Canvas().Handle(), 0, 0);  // empty: draws nothing
  GdiFlush();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool inside = x >= 3 && x < 8 && y >= 2 && y < 5;
      const uint32_t expected = inside ? ~source.ScanLine(y - 2)[x - 3] & 0xFFFFFF : 0;
      EXPECT_EQ(target.ScanLine(y)[x] & 0xFFFFFF, expected) << x << "," << y;
    }

  BrushHandle brush(CreateSolidBrush(0));
  EXPECT_THROW(TEffectBmp(reinterpret_cast<HBITMAP>(brush.Get())), EInvalidGraphic);
}

TEST(EffectBmpTest, CopiesABitmapsPixelsAndDrawsThemBack) {
  RoundTrip();  // first use creates shared objects (the screen DC, stock objects)
  const int gdi = GdiObjectCount();
  for (int i = 0; i < 3; ++i) RoundTrip();
  EXPECT_EQ(GdiObjectCount(), gdi);
}

}  // namespace
