// The glyph key colours and what they become in a given theme.
#include <gtest/gtest.h>

#include "picker/radio_glyph.h"

namespace {

// A theme whose shadow is exactly the grey the glyphs must move off.
uint32_t GreyTheme(int index) {
  switch (index) {
    case 5: return 0xFFFFFF;   // clWindow
    case 13: return 0x808080;  // clHighlight
    case 16: return 0x808080;  // clBtnShadow
    default: return 0x000000;
  }
}

class RadioGlyphTest : public testing::Test {
 protected:
  void SetUp() override { SetSysColorSource(GreyTheme); }
  void TearDown() override { SetSysColorSource(nullptr); }
};

TEST_F(RadioGlyphTest, KeysBecomeThemeColoursAndGreyMovesOff) {
  const TColor face = 0x8080FF;
  EXPECT_EQ(RadioGlyphColor(0xFFFFFF, face), clWindow);
  EXPECT_EQ(ColorToRGB(*RadioGlyphColor(0x000000, face)), 0x808081);  // moved off grey
  EXPECT_EQ(ColorToRGB(*RadioGlyphColor(0x800000, face)), 0x808081);
  EXPECT_EQ(RadioGlyphColor(0x008080, face), face);
  // Weight 128 of 255: 128 x 128/255 + 255 x 127/255 = 64.25 + 127 = 191.25, so 191.
  EXPECT_EQ(*RadioGlyphColor(0x808080, face), 0xBFBFBF);
  EXPECT_EQ(RadioGlyphColor(0x123456, face), std::nullopt);
}

TEST_F(RadioGlyphTest, AShadowThatIsNotGreyStaysASystemColour) {
  SetSysColorSource([](int index) -> uint32_t { return index == 16 ? 0x606060 : 0xFFFFFF; });
  EXPECT_EQ(MoveOffGrey(clBtnShadow), clBtnShadow);
  EXPECT_EQ(MoveOffGrey(0x808080), 0x808081);
}

}  // namespace
