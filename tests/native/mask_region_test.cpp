// Masks to region data: the RGNDATA block, runs closing at the row end,
// masks of any number of runs, and a mask's border strips fitted to a size.
#include "skin/pixels/mask_region.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "base/codecs/little_endian.h"
#include "skin_pictures.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Header fields (size, type, count, region size) and bounds; then the rectangles.
struct Region {
  std::vector<int32_t> header;
  TRect bounds;
  std::vector<TRect> rects;
};

Region Decode(const std::vector<uint8_t>& block) {
  Region r;
  auto at = [&](size_t offset) { return static_cast<int32_t>(LoadLE32(block.data() + offset)); };
  if (block.size() < 32) {
    ADD_FAILURE() << "block of " << block.size() << " bytes";
    return r;
  }
  r.header = {at(0), at(4), at(8), at(12)};
  r.bounds = {at(16), at(20), at(24), at(28)};
  EXPECT_EQ(block.size(), 32u + 16u * uint32_t(at(8)));
  for (size_t o = 32; o + 16 <= block.size(); o += 16) r.rects.push_back({at(o), at(o + 4), at(o + 8), at(o + 12)});
  return r;
}

PixelSet Covered(const std::vector<TRect>& rects) {
  PixelSet pixels;
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.insert({x, y});
  return pixels;
}

// Rows of '#' (black) and '.' (white).
PixelImage Mask(const std::vector<std::string>& rows) {
  PixelImage mask(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      if (rows[size_t(y)][size_t(x)] != '#') mask.Set(x, y, {255, 255, 255});
  return mask;
}

TEST(MaskToRegionData, BlockLayoutAndRunsFromRowStartToRowEnd) {
  const Region solid = Decode(MaskToRegionData(Mask({"#######", "#######", "#######"}).View(), 5, -2));
  EXPECT_EQ(solid.header, (std::vector<int32_t>{32, 1, 3, 0}));
  EXPECT_EQ(solid.bounds, (TRect{5, -2, 12, 1}));
  EXPECT_EQ(solid.rects, (std::vector<TRect>{{5, -2, 12, -1}, {5, -1, 12, 0}, {5, 0, 12, 1}}));

  PixelImage ragged = Mask({".#..##", "##.#.#", "......"});
  ragged.Set(0, 2, {0, 0, 1});  // dark is not black
  EXPECT_EQ(Decode(MaskToRegionData(ragged.View(), 0, 0)).rects,
            (std::vector<TRect>{{1, 0, 2, 1}, {4, 0, 6, 1}, {0, 1, 2, 2}, {3, 1, 4, 2}, {5, 1, 6, 2}}));
  EXPECT_EQ(Decode(MaskToRegionData(Mask({"...", "..."}).View(), 0, 0)).header, (std::vector<int32_t>{32, 1, 0, 0}));
  EXPECT_TRUE(MaskToRegionData(PixelView(), 0, 0).empty());
}

// Our 176 x 147 frame mask, and a 300 x 100 checkerboard of 15,000 runs:
// the rectangles are whole runs, one row high, in row order and together
// exactly the black pixels.
TEST(MaskToRegionData, EveryRunOfOurFrameMaskAndOfMasksBeyondTenThousandRuns) {
  PixelImage board(300, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = (y + 1) % 2; x < 300; x += 2) board.Set(x, y, {9, 9, 9});
  for (const PixelImage& mask : {SkinPicture("frame-mask.bmp"), board}) {
    const Region region = Decode(MaskToRegionData(mask.View(), 3, 4));
    EXPECT_EQ(region.bounds, (TRect{3, 4, 3 + mask.Width(), 4 + mask.Height()}));
    PixelSet black;
    for (int y = 0; y < mask.Height(); ++y)
      for (int x = 0; x < mask.Width(); ++x)
        if (mask.At(x, y) == Bgr{}) black.insert({x + 3, y + 4});
    EXPECT_EQ(Covered(region.rects), black);
    for (size_t i = 0; i < region.rects.size(); ++i) {
      const TRect& r = region.rects[i];
      ASSERT_EQ(r.Height(), 1);
      ASSERT_FALSE(black.count({r.Right, r.Top}));  // the run ends where black ends
      const TRect& before = i > 0 ? region.rects[i - 1] : TRect{0, INT32_MIN, 0, 0};
      ASSERT_TRUE(before.Top < r.Top || (before.Top == r.Top && before.Right < r.Left)) << i;
    }
  }
  EXPECT_EQ(MaskToRegionData(board.View(), 0, 0).size(), 32u + 16u * 15000u);
}

// A 20 x 16 mask, black but for a 2 x 2 notch at each corner, borders 3
// thick; its strips fitted to 40 x 30 give the same shape at the new size.
TEST(ScaledMaskRegionParts, StripsAtTheirPlacesUniteToTheScaledShape) {
  PixelImage mask(20, 16);
  for (int y : {0, 1, 14, 15})
    for (int x : {0, 1, 18, 19}) mask.Set(x, y, {255, 255, 255});
  const TFramePoints points{{4, 4}, {16, 4}, {4, 12}, {16, 12}, {3, 3, 17, 13}};
  const TFramePoints scaled{{4, 4}, {36, 4}, {4, 26}, {36, 26}, {3, 3, 37, 27}};

  const std::optional<TMaskRegionParts> parts = ScaledMaskRegionParts(points, scaled, mask.View(), 40, 30);
  ASSERT_TRUE(parts && parts->Client);
  std::vector<TRect> all{*parts->Client};
  for (const auto* block : {&parts->Top, &parts->Bottom, &parts->Left, &parts->Right}) {
    const Region region = Decode(*block);
    all.insert(all.end(), region.rects.begin(), region.rects.end());
  }
  PixelSet expected;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if ((x >= 2 && x < 38) || (y >= 2 && y < 28)) expected.insert({x, y});
  EXPECT_EQ(Covered(all), expected);
  EXPECT_EQ(Decode(parts->Bottom).bounds, (TRect{0, 27, 40, 30}));
  EXPECT_EQ(Decode(parts->Right).bounds, (TRect{37, 3, 40, 27}));

  TFramePoints crossed = scaled;
  crossed.RightTop.X = crossed.LeftTop.X - 1;
  EXPECT_FALSE(ScaledMaskRegionParts(points, crossed, mask.View(), 40, 30));
  crossed = scaled;
  crossed.Client.Bottom = crossed.Client.Top;
  EXPECT_FALSE(ScaledMaskRegionParts(points, crossed, mask.View(), 40, 30)->Client);
}

}  // namespace
