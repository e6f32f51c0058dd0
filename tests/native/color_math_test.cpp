#include "panel/color_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

// A system palette of our own, so results do not depend on the machine.
uint32_t TestSysColor(int index) {
  switch (index) {
    case 5: return 0xFFFFFF;   // clWindow
    case 16: return 0x0040A0;  // clBtnShadow: red 160, green 64, blue 0
    default: return 0x808080;
  }
}

class ColorMath : public ::testing::Test {
 protected:
  void SetUp() override { SetSysColorSource(TestSysColor); }
  void TearDown() override { SetSysColorSource(nullptr); }
};

TEST_F(ColorMath, ColorToHsl240) {
  EXPECT_EQ(ColorToHsl240(clWhite), (Hsl240{0, 0, 240}));
  EXPECT_EQ(ColorToHsl240(clBlack), (Hsl240{0, 0, 0}));
  EXPECT_EQ(ColorToHsl240(clBlue), (Hsl240{160, 240, 120}));
  EXPECT_EQ(ColorToHsl240(clRed), (Hsl240{0, 240, 120}));
  EXPECT_EQ(ColorToHsl240(clYellow), (Hsl240{40, 240, 120}));
  // Green is largest and blue is 1 of 16 above red: hue 2 + 1/16 sixths, 82.5 and 87.5
  // on the 240 scale; halves go to the even neighbour.
  EXPECT_EQ(ColorToHsl240(RGBColor(0, 16, 1)), (Hsl240{82, 240, 8}));
  EXPECT_EQ(ColorToHsl240(RGBColor(0, 16, 3)), (Hsl240{88, 240, 8}));
  // System colours are resolved first.
  EXPECT_EQ(ColorToHsl240(clBtnShadow), (Hsl240{16, 240, 75}));
}

TEST_F(ColorMath, Hsl240ToColorDividesHueBy239) {
  // Hues land a little past the primaries because the circle is 239 wide.
  EXPECT_EQ(Hsl240ToColor(160, 240, 120), static_cast<TColor>(0xFF0004));
  EXPECT_EQ(Hsl240ToColor(80, 240, 120), static_cast<TColor>(0x02FF00));
  EXPECT_EQ(Hsl240ToColor(40, 240, 120), static_cast<TColor>(0x00FFFE));
  // 239 is the full circle and wraps to the first sextant.
  EXPECT_EQ(Hsl240ToColor(239, 240, 120), clRed);
  EXPECT_EQ(Hsl240ToColor(0, 0, 120), static_cast<TColor>(0x808080));
  EXPECT_EQ(Hsl240ToColor(0, 0, 0), clBlack);
  EXPECT_EQ(Hsl240ToColor(0, 0, 240), clWhite);
}

TEST_F(ColorMath, Hsl240ToColorClampsChannelsOutsideTheScale) {
  // Lightness past 240 saturates at white.
  EXPECT_EQ(Hsl240ToColor(0, 0, 255), clWhite);
  EXPECT_EQ(Hsl240ToColor(100, 200, 255), clWhite);
  // Saturation past 240 drives the low channels below zero; they stop at 0
  // instead of wrapping into the neighbouring bytes.
  EXPECT_EQ(Hsl240ToColor(0, 255, 60), static_cast<TColor>(0x000083));
}

TEST_F(ColorMath, ShadeAndTint) {
  EXPECT_EQ(ShadeColor(clGray, 40), static_cast<TColor>(0x555555));
  EXPECT_EQ(TintColor(clGray, 40), static_cast<TColor>(0xAAAAAA));
  // A coloured system colour keeps its hue: (16, 240, 75) shaded to lightness 25.
  EXPECT_EQ(ShadeColor(clBtnShadow, 50), static_cast<TColor>(0x001535));
  for (TColor color : {clWhite, clBlue, clBtnShadow, clWindow, static_cast<TColor>(0x123456)}) {
    SCOPED_TRACE(color);
    EXPECT_EQ(ShadeColor(color, 240), clBlack);
    EXPECT_EQ(ShadeColor(color, 255), clBlack);
    EXPECT_EQ(TintColor(color, 240), clWhite);
    EXPECT_EQ(TintColor(color, 255), clWhite);
  }
}

TEST_F(ColorMath, ShiftLightness) {
  // Zero keeps a system colour symbolic; clNone stays "no colour" for any amount.
  EXPECT_EQ(ShiftLightness(clBtnShadow, 0), clBtnShadow);
  EXPECT_EQ(ShiftLightness(clNone, 30), clNone);
  EXPECT_EQ(ShiftLightness(clNone, -30), clNone);
  EXPECT_EQ(ShiftLightness(clGray, 30), static_cast<TColor>(0x9F9F9F));
  EXPECT_EQ(ShiftLightness(clGray, -30), static_cast<TColor>(0x606060));
  // Amounts are taken modulo 256: 296 and -296 act as 40.
  EXPECT_EQ(ShiftLightness(clGray, 296), static_cast<TColor>(0xAAAAAA));
  EXPECT_EQ(ShiftLightness(clGray, -296), static_cast<TColor>(0x555555));
  // 256 is a tint by nothing, which still resolves and round-trips the colour.
  EXPECT_EQ(ShiftLightness(clBtnShadow, 256), static_cast<TColor>(0x00409F));
  // The extremes of int must not overflow: INT_MIN shades by 0, INT_MAX tints by 255.
  EXPECT_EQ(ShiftLightness(clGray, INT_MIN), clGray);
  EXPECT_EQ(ShiftLightness(clGray, INT_MAX), clWhite);
}

TEST_F(ColorMath, MixColors) {
  // 128/255 of (160, 64, 0) with the rest of white: 207.3, 159.1, 127.
  EXPECT_EQ(MixColors(clBtnShadow, clWindow, 128), RGBColor(207, 159, 127));
  EXPECT_EQ(MixColors(clBtnShadow, clWindow, 255), static_cast<TColor>(0x0040A0));
  EXPECT_EQ(MixColors(clBtnShadow, clWindow, 0), clWhite);
  EXPECT_EQ(MixColors(clBlack, clWhite, 51), static_cast<TColor>(0xCCCCCC));
}

}  // namespace
