// A skin for a display's density: which package, how far stretched, and
// how lengths and pictures are carried there.
#include "skin/data/skin_scale.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/display_scale.h"
#include "base/exceptions.h"

namespace {

TEST(DisplayScale, LengthsRoundHalvesAwayFromZeroAndRectanglesKeepTheirSize) {
  EXPECT_EQ(ScaleLength(5, 3, 2), 8);
  EXPECT_EQ(ScaleLength(-5, 3, 2), -8);
  EXPECT_EQ(ScaleLength(7, 5, 4), 9);  // 8.75
  EXPECT_EQ(ScaleLength(9, 5, 4), 11);  // 11.25
  EXPECT_EQ(ScaleLength(5, -3, 2), -8);
  EXPECT_EQ(ScaleLength(5, 3, -2), -8);
  EXPECT_EQ(ScaleLength(5, 3, 0), 5);
  EXPECT_EQ(ScaleLength(INT32_MAX, 2, 1), INT32_MAX);
  EXPECT_EQ(ScaleLength(INT32_MIN, 2, 1), INT32_MIN);
  // Two 9-pixel buttons at 125 % stay as wide as each other, wherever they start.
  EXPECT_EQ(ScaleRect({104, 6, 113, 15}, 125, 100), (TRect{130, 8, 141, 19}));
  EXPECT_EQ(ScaleRect({121, 6, 130, 15}, 125, 100), (TRect{151, 8, 162, 19}));
}

TEST(SkinScaleChoice, NearestPackageUpToTheLargestAndWholeMultiplesPastIt) {
  const std::vector<int32_t> ours{100, 125, 150, 175, 200};
  const auto pick = [&](int32_t dpi) { return ChooseSkinScale(ours, dpi); };
  EXPECT_EQ(pick(96), (SkinScaleChoice{100, 1, 1}));
  EXPECT_EQ(pick(120), (SkinScaleChoice{125, 1, 1}));
  EXPECT_EQ(pick(144), (SkinScaleChoice{150, 1, 1}));
  EXPECT_EQ(pick(168), (SkinScaleChoice{175, 1, 1}));
  EXPECT_EQ(pick(192), (SkinScaleChoice{200, 1, 1}));
  EXPECT_EQ(pick(100), (SkinScaleChoice{100, 1, 1}));  // 104 %
  EXPECT_EQ(pick(108), (SkinScaleChoice{125, 1, 1}));  // 112.5 %: a tie goes to the larger
  EXPECT_EQ(pick(72), (SkinScaleChoice{100, 1, 1}));   // below the smallest
  EXPECT_EQ(pick(0), (SkinScaleChoice{100, 1, 1}));    // no answer from the system
  EXPECT_EQ(pick(216), (SkinScaleChoice{200, 1, 1}));  // 225 %: 200 % drawn beats 100 % doubled
  EXPECT_EQ(pick(240), (SkinScaleChoice{125, 2, 1}));  // 250 %
  EXPECT_EQ(pick(288), (SkinScaleChoice{150, 2, 1}));  // 300 %
  EXPECT_EQ(pick(384), (SkinScaleChoice{200, 2, 1}));  // 400 %
  EXPECT_EQ(pick(432), (SkinScaleChoice{150, 3, 1}));  // 450 %

  const std::vector<int32_t> single{100};
  EXPECT_EQ(ChooseSkinScale(single, 96), (SkinScaleChoice{100, 1, 1}));
  EXPECT_EQ(ChooseSkinScale(single, 144), (SkinScaleChoice{100, 144, 96}));
  EXPECT_EQ(ChooseSkinScale(single, 192), (SkinScaleChoice{100, 192, 96}));
}

BmpImage Indexed(int width, int height, std::vector<uint8_t> indices, std::vector<uint32_t> palette,
                 uint16_t bitCount = 8) {
  BmpImage image;
  image.width = width;
  image.height = height;
  image.bitCount = bitCount;
  image.palette = palette;
  image.indices = indices;
  for (uint8_t index : indices) image.pixels.push_back(0xFF000000u | palette[index]);
  return image;
}

TEST(SkinScaleImage, WholeMultiplesRepeatPixelsOthersBlendAndMasksStayMasks) {
  const BmpImage picture = Indexed(2, 2, {0, 1, 1, 0}, {0x000000, 0xFFFFFF});
  const BmpImage doubled = ScaleSkinImage(picture, 2, 1);
  ASSERT_EQ(doubled.width, 4);
  ASSERT_EQ(doubled.height, 4);
  EXPECT_EQ(doubled.bitCount, 8);
  EXPECT_EQ(doubled.palette, picture.palette);
  EXPECT_EQ(doubled.indices, (std::vector<uint8_t>{0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 0, 0, 1, 1, 0, 0}));

  // 1.5 times a black | white pair: the middle column falls between them.
  const BmpImage pair = Indexed(2, 1, {0, 1}, {0x000000, 0xFFFFFF});
  const BmpImage blended = ScaleSkinImage(pair, 3, 2);
  ASSERT_EQ(blended.width, 3);
  EXPECT_EQ(blended.bitCount, 24);
  EXPECT_EQ(blended.pixels[0] & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(blended.pixels[1] & 0xFFFFFF, 0x808080u);
  EXPECT_EQ(blended.pixels[2] & 0xFFFFFF, 0xFFFFFFu);

  const BmpImage mask = Indexed(2, 1, {0, 1}, {0x000000, 0xFFFFFF}, 1);
  const BmpImage bigMask = ScaleSkinImage(mask, 3, 2);
  EXPECT_EQ(bigMask.bitCount, 1);
  EXPECT_EQ(bigMask.indices, (std::vector<uint8_t>{0, 1, 1, 0, 1, 1}));
}

TEST(SkinScaleImage, PicturesPastThePixelBudgetAreRefused) {
  SkinPictures pictures;
  BmpImage big = Indexed(1, 1, {0}, {0});
  big.width = 4096;
  big.height = 1024;
  big.indices.assign(size_t(big.width) * big.height, 0);
  big.pixels.assign(size_t(big.width) * big.height, 0xFF000000u);
  pictures.picture.LoadFromBytes(EncodeBmp(big));
  EXPECT_THROW(ScaleSkinPictures(pictures, 3, 1), EInvalidGraphic);
  EXPECT_EQ(pictures.picture.Width(), 4096);
}

}  // namespace
