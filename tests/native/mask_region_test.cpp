// Masks to region data: the RGNDATA block's layout, runs closing at the row
// end, masks of any number of runs, and the scaled border strips of a mask.
#include "skin/controls/mask_region.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "base/little_endian.h"
#include "skin_pictures.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

struct RegionBlock {
  uint32_t headerSize = 0, type = 0, count = 0, regionSize = 0;
  TRect bounds;
  std::vector<TRect> rects;
};

RegionBlock Decode(const std::vector<uint8_t>& block) {
  RegionBlock r;
  if (block.size() < kRegionHeaderSize) {
    ADD_FAILURE() << "block of " << block.size() << " bytes";
    return r;
  }
  auto at = [&](size_t offset) { return static_cast<int32_t>(LoadLE32(block.data() + offset)); };
  r.headerSize = at(0), r.type = at(4), r.count = at(8), r.regionSize = at(12);
  r.bounds = {at(16), at(20), at(24), at(28)};
  EXPECT_EQ(block.size(), kRegionHeaderSize + kRegionRectSize * r.count);
  for (size_t o = kRegionHeaderSize; o + kRegionRectSize <= block.size(); o += kRegionRectSize)
    r.rects.push_back({at(o), at(o + 4), at(o + 8), at(o + 12)});
  return r;
}

PixelSet Covered(const std::vector<TRect>& rects) {
  PixelSet pixels;
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.insert({x, y});
  return pixels;
}

PixelSet BlackPixels(const PixelImage& mask, int dx, int dy) {
  PixelSet pixels;
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      if (mask.At(x, y) == Bgr{}) pixels.insert({x + dx, y + dy});
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

// The rectangles are whole runs: one row high, in row order, left to right,
// each ending where white (or the row) begins, together covering exactly
// the black pixels.
void ExpectRuns(const PixelImage& mask, int dx, int dy, const RegionBlock& region) {
  EXPECT_EQ(Covered(region.rects), BlackPixels(mask, dx, dy));
  for (size_t i = 0; i < region.rects.size(); ++i) {
    const TRect& r = region.rects[i];
    ASSERT_EQ(r.Height(), 1);
    ASSERT_GT(r.Width(), 0);
    if (r.Right - dx < mask.Width()) {
      EXPECT_FALSE(mask.At(r.Right - dx, r.Top - dy) == Bgr{});
    }
    if (i > 0) {
      const TRect& before = region.rects[i - 1];
      EXPECT_TRUE(before.Top < r.Top || (before.Top == r.Top && before.Right < r.Left)) << i;
    }
  }
}

TEST(MaskToRegionData, BlockLayoutAndRunsFromRowStartToRowEnd) {
  const PixelImage solid = Mask({"#######", "#######", "#######"});
  const RegionBlock all = Decode(MaskToRegionData(solid.View(), 5, -2));
  EXPECT_EQ(all.headerSize, 32u);
  EXPECT_EQ(all.type, 1u);
  EXPECT_EQ(all.count, 3u);
  EXPECT_EQ(all.regionSize, 0u);
  EXPECT_EQ(all.bounds, (TRect{5, -2, 12, 1}));
  EXPECT_EQ(all.rects, (std::vector<TRect>{{5, -2, 12, -1}, {5, -1, 12, 0}, {5, 0, 12, 1}}));

  const PixelImage ragged = Mask({".#..##", "##.#.#", "......"});
  const RegionBlock runs = Decode(MaskToRegionData(ragged.View(), 0, 0));
  EXPECT_EQ(runs.rects, (std::vector<TRect>{{1, 0, 2, 1}, {4, 0, 6, 1}, {0, 1, 2, 2}, {3, 1, 4, 2}, {5, 1, 6, 2}}));

  const PixelImage white = Mask({"...", "..."});
  EXPECT_EQ(MaskToRegionData(white.View(), 0, 0).size(), 32u);
  EXPECT_EQ(Decode(MaskToRegionData(white.View(), 0, 0)).count, 0u);
  EXPECT_TRUE(MaskToRegionData(PixelView(), 0, 0).empty());

  // Dark but not black is outside.
  PixelImage grey = Mask({"##"});
  grey.Set(1, 0, {0, 0, 1});
  EXPECT_EQ(Decode(MaskToRegionData(grey.View(), 0, 0)).rects, (std::vector<TRect>{{0, 0, 1, 1}}));
}

TEST(MaskToRegionData, EveryRunOfOurFrameMaskAndOfMasksBeyondTenThousandRuns) {
  const PixelImage frame = SkinPicture("frame-mask.bmp");
  ASSERT_EQ(frame.Width(), 176);
  ASSERT_EQ(frame.Height(), 147);
  const RegionBlock region = Decode(MaskToRegionData(frame.View(), 3, 4));
  EXPECT_EQ(region.bounds, (TRect{3, 4, 179, 151}));
  ExpectRuns(frame, 3, 4, region);

  // A checkerboard of 300 x 100: 15,000 one-pixel runs.
  PixelImage board(300, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 300; ++x)
      if ((x + y) % 2) board.Set(x, y, {9, 9, 9});
  const std::vector<uint8_t> block = MaskToRegionData(board.View(), 0, 0);
  EXPECT_EQ(block.size(), 32u + 16u * 15000u);
  const RegionBlock many = Decode(block);
  EXPECT_EQ(many.count, 15000u);
  ExpectRuns(board, 0, 0, many);
}

// A 20 x 16 mask, black but for a 2 x 2 white notch at each corner, with
// straight borders 3 thick; its strips fitted to 40 x 30 must give the same
// shape at the new size: everything but the four notches.
TEST(ScaledMaskRegionParts, StripsAtTheirPlacesUniteToTheScaledShape) {
  PixelImage mask(20, 16);
  for (auto [x0, y0] : {std::pair{0, 0}, {18, 0}, {0, 14}, {18, 14}})
    for (int y = y0; y < y0 + 2; ++y)
      for (int x = x0; x < x0 + 2; ++x) mask.Set(x, y, {255, 255, 255});
  const TFramePoints points{{4, 4}, {16, 4}, {4, 12}, {16, 12}, {3, 3, 17, 13}};
  const TFramePoints scaled{{4, 4}, {36, 4}, {4, 26}, {36, 26}, {3, 3, 37, 27}};

  const std::optional<TMaskRegionParts> parts = ScaledMaskRegionParts(points, scaled, mask.View(), 40);
  ASSERT_TRUE(parts);
  ASSERT_TRUE(parts->Client);
  std::vector<TRect> all{*parts->Client};
  for (const auto* block : {&parts->Top, &parts->Bottom, &parts->Left, &parts->Right}) {
    ASSERT_FALSE(block->empty());
    const RegionBlock region = Decode(*block);
    all.insert(all.end(), region.rects.begin(), region.rects.end());
  }
  PixelSet expected;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (!((x < 2 || x >= 38) && (y < 2 || y >= 28))) expected.insert({x, y});
  EXPECT_EQ(Covered(all), expected);

  // The bottom strip's block is placed below the scaled client.
  EXPECT_EQ(Decode(parts->Bottom).bounds, (TRect{0, 27, 40, 30}));
  EXPECT_EQ(Decode(parts->Right).bounds, (TRect{37, 3, 40, 27}));

  TFramePoints crossed = scaled;
  crossed.RightTop.X = crossed.LeftTop.X - 1;
  EXPECT_FALSE(ScaledMaskRegionParts(points, crossed, mask.View(), 40));
  TFramePoints noClient = scaled;
  noClient.Client.Bottom = noClient.Client.Top;
  EXPECT_FALSE(ScaledMaskRegionParts(points, noClient, mask.View(), 40)->Client);
}

}  // namespace
