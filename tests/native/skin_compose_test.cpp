// The face compositions: every target pixel is checked against the source
// pixel the tiling rule puts there, on our button face and on synthetic
// pictures that name their own coordinates.
#include "skin/controls/skin_compose.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "skin_pictures.h"

namespace {

// Checks every pixel of `image` against `expected` (a source coordinate, or
// none for a pixel that must stay unpainted). Stops at the first few misses.
void ExpectSources(const PixelImage& image, const std::function<std::optional<TPoint>(int, int)>& expected,
                   const char* what) {
  int misses = 0;
  for (int y = 0; y < image.Height() && misses < 5; ++y)
    for (int x = 0; x < image.Width() && misses < 5; ++x) {
      const std::optional<TPoint> want = expected(x, y);
      const Bgr got = image.At(x, y);
      const bool ok = want ? Painted(got) && SourceOf(got) == *want : !Painted(got);
      if (!ok) {
        ++misses;
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " came from " << int(got.Blue) << ","
                      << int(got.Green) << (Painted(got) ? "" : " (unpainted)");
      }
    }
}

// Our skin's "button" section: skinrect 0,1,66,22, lefttoppoint 10,11,
// righttoppoint 52,11, so ends of 10 and 14 pixels and a 42-pixel middle.
TEST(ComposeThreePiece, ButtonFaceAndTiledMiddlesMapEveryPixelToItsSource) {
  const PixelImage button = SkinPicture("button.bmp");
  const TRect face{0, 1, 66, 22};
  const PixelImage composed = ComposeHorizontalThree(10, 14, 65, face, button.View());
  ASSERT_EQ(composed.Width(), 65);
  ASSERT_EQ(composed.Height(), 21);
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 51; ++x) ASSERT_EQ(composed.At(x, y), button.At(x, y + 1)) << x << "," << y;
    for (int x = 51; x < 65; ++x) ASSERT_EQ(composed.At(x, y), button.At(x + 1, y + 1)) << x << "," << y;
  }
  // The right end's shading tells a one-column slip apart.
  bool differs = false;
  for (int y = 1; y < 22; ++y)
    for (int x = 51; x < 65; ++x) differs |= !(button.At(x, y) == button.At(x + 1, y));
  EXPECT_TRUE(differs);

  // Several copies of the middle, the last one cut; along y the same.
  const PixelImage source = CoordinateImage(40, 30);
  const TRect piece{3, 2, 3 + 20, 2 + 9};  // ends 4 and 5, middle 11
  ExpectSources(ComposeHorizontalThree(4, 5, 37, piece, source.View()),
                [](int x, int y) -> std::optional<TPoint> {
                  const int sx = x < 4 ? 3 + x : x >= 32 ? 3 + 15 + (x - 32) : 3 + 4 + (x - 4) % 11;
                  return TPoint{sx, 2 + y};
                }, "horizontal");
  const TRect column{2, 3, 2 + 9, 3 + 20};
  ExpectSources(ComposeVerticalThree(4, 5, 37, column, source.View()),
                [](int x, int y) -> std::optional<TPoint> {
                  const int sy = y < 4 ? 3 + y : y >= 32 ? 3 + 15 + (y - 32) : 3 + 4 + (y - 4) % 11;
                  return TPoint{2 + x, sy};
                }, "vertical");
}

// A 30 x 20 face at (2, 3) with borders of 5 (sides) and 4 (top, bottom),
// corners reaching 8 along the top and bottom and 7 / 13 down the sides;
// grown by 20 pixels each way.
struct NinePiece {
  PixelImage source = CoordinateImage(40, 30);
  TRect skinRect{2, 3, 32, 23};
  TFramePoints points{{8, 7}, {22, 7}, {8, 13}, {22, 13}, {5, 4, 25, 16}};
  TFramePoints scaled{{8, 7}, {42, 7}, {8, 33}, {42, 33}, {5, 4, 45, 36}};
};

// Where a tiled 50 x 40 nine-piece picture takes each pixel from, in face
// coordinates: corners 1:1, edges tiled from their span's start, client
// tiled from its corner.
TPoint NineSource(int x, int y) {
  auto along = [](int v, int firstEnd, int lastStart, int unit, int grow) {
    return v < firstEnd ? v : v >= lastStart + grow ? v - grow : firstEnd + (v - firstEnd) % unit;
  };
  if (y < 4 || y >= 36) return {along(x, 8, 22, 14, 20), y < 4 ? y : y - 20};
  if (x < 5 || x >= 45) return {x < 5 ? x : x - 20, along(y, 7, 13, 6, 20)};
  return {5 + (x - 5) % 20, 4 + (y - 4) % 12};
}

TEST(ComposeNinePiece, TilesEdgesAndClientAndStretchesOnlyTheFlaggedEdges) {
  const NinePiece n;
  auto face = [&](TPoint p) { return TPoint{p.X + 2, p.Y + 3}; };
  const PixelImage tiled = ComposeNinePieceTiled(n.points, n.scaled, n.source.View(), n.skinRect, 50, 40, true);
  ExpectSources(tiled, [&](int x, int y) { return face(NineSource(x, y)); }, "tiled");

  const PixelImage noClient = ComposeNinePieceTiled(n.points, n.scaled, n.source.View(), n.skinRect, 50, 40, false);
  ExpectSources(noClient, [&](int x, int y) -> std::optional<TPoint> {
    if (x >= 5 && x < 45 && y >= 4 && y < 36) return std::nullopt;
    return face(NineSource(x, y));
  }, "without client");

  // Top edge stretched: its 14 source columns spread over the 34 of the span,
  // in order, first to last; everything else as tiled.
  const PixelImage stretched =
      ComposeNinePiece(n.points, n.scaled, n.source.View(), n.skinRect, 50, 40, true, {.Top = true});
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) {
      if (y < 4 && x >= 8 && x < 42) continue;
      ASSERT_EQ(SourceOf(stretched.At(x, y)), face(NineSource(x, y))) << x << "," << y;
    }
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(SourceOf(stretched.At(8, y)), (TPoint{2 + 8, 3 + y}));
    EXPECT_EQ(SourceOf(stretched.At(41, y)), (TPoint{2 + 21, 3 + y}));
    for (int x = 9; x < 42; ++x) {
      const int step = stretched.At(x, y).Blue - stretched.At(x - 1, y).Blue;
      EXPECT_TRUE(step == 0 || step == 1) << x;
    }
  }

  // Nothing is drawn when the corners meet, or from an empty picture.
  TFramePoints flat = n.points;
  flat.RightBottom.X = flat.LeftTop.X;
  ExpectSources(ComposeNinePieceTiled(flat, n.scaled, n.source.View(), n.skinRect, 50, 40, true),
                [](int, int) { return std::nullopt; }, "flat");
  EXPECT_EQ(ComposeNinePieceTiled(n.points, n.scaled, PixelView(), n.skinRect, 50, 40, true).Width(), 50);
}

TEST(ComposeFrameBorders, FourStripsTiledFromTheirOriginOrStretched) {
  const NinePiece n;
  const PixelImage& source = n.source;
  const TRect whole{0, 0, 30, 20};
  const PixelImage picture = [&] {  // the face alone, as the frame's picture
    PixelImage p(30, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) p.Set(x, y, source.At(x, y));
    return p;
  }();
  const TBorderStrips strips = ComposeFrameBorders(n.points, n.scaled, {}, 50, 40, whole, picture.View());
  ASSERT_EQ(strips.Top.Width(), 50);
  ASSERT_EQ(strips.Top.Height(), 4);
  ASSERT_EQ(strips.Bottom.Height(), 4);
  ASSERT_EQ(strips.Left.Width(), 5);
  ASSERT_EQ(strips.Left.Height(), 32);
  ASSERT_EQ(strips.Right.Width(), 5);
  ASSERT_EQ(strips.Right.Height(), 32);
  // Across strips tile their middle from x = 0, then the corners go on top.
  auto across = [](int x) { return x < 8 ? x : x >= 42 ? x - 20 : 8 + x % 14; };
  ExpectSources(strips.Top, [&](int x, int y) { return TPoint{across(x), y}; }, "top");
  ExpectSources(strips.Bottom, [&](int x, int y) { return TPoint{across(x), 16 + y}; }, "bottom");
  // Side strips (rows 4..36 of the window): the pieces above row 7 and below
  // row 13 at the ends, the middle tiled from the strip's top.
  auto down = [](int y) { return y < 3 ? 4 + y : y >= 29 ? 13 + (y - 29) : 7 + y % 6; };
  ExpectSources(strips.Left, [&](int x, int y) { return TPoint{x, down(y)}; }, "left");
  ExpectSources(strips.Right, [&](int x, int y) { return TPoint{25 + x, down(y)}; }, "right");

  // Stretched, the middle spans exactly the gap between the end pieces.
  const TBorderStrips stretched = ComposeFrameBorders(n.points, n.scaled, {true, true, true, true}, 50, 40, whole,
                                                      picture.View());
  for (int x = 8; x < 42; ++x) EXPECT_GE(SourceOf(stretched.Top.At(x, 0)).X, 8);
  EXPECT_EQ(SourceOf(stretched.Top.At(8, 0)).X, 8);
  EXPECT_EQ(SourceOf(stretched.Top.At(41, 0)).X, 21);
  EXPECT_EQ(SourceOf(stretched.Left.At(0, 3)).Y, 7);
  EXPECT_EQ(SourceOf(stretched.Left.At(0, 28)).Y, 12);
  EXPECT_EQ(SourceOf(stretched.Left.At(0, 29)).Y, 13);

  // A strip with no middle is not made, and the side strips grow into its room.
  TFramePoints noTop = n.points;
  noTop.RightTop.X = noTop.LeftTop.X;
  const TBorderStrips partial = ComposeFrameBorders(noTop, n.scaled, {}, 50, 40, whole, picture.View());
  EXPECT_EQ(partial.Top.Width(), 0);
  EXPECT_EQ(partial.Left.Height(), 36);
}

// Undersized targets, pieces of no length and rectangles outside the
// picture: every copy stays inside both pictures (checked under ASan) and
// the defined parts still come out right.
TEST(ComposeBounds, DegenerateAndHostileGeometryStaysInsideBothPictures) {
  const PixelImage source = CoordinateImage(40, 30);
  // 5 pixels for ends of 10 and 14: the right end, drawn last, shows its last 5 columns.
  const PixelImage narrow = ComposeHorizontalThree(10, 14, 5, {0, 0, 30, 8}, source.View());
  ExpectSources(narrow, [](int x, int y) { return TPoint{25 + x, y}; }, "narrow");
  // Ends wider than the face: no middle at all.
  const PixelImage wide = ComposeHorizontalThree(20, 20, 60, {0, 0, 30, 8}, source.View());
  ExpectSources(wide, [](int x, int y) -> std::optional<TPoint> {
    if (x < 20) return TPoint{x, y};
    if (x >= 40) return TPoint{x - 30, y};
    return std::nullopt;
  }, "no middle");

  NinePiece n;
  TFramePoints zeroUnits = n.points;  // top, left and client units of 0
  zeroUnits.RightTop.X = zeroUnits.LeftTop.X;
  zeroUnits.LeftBottom.Y = zeroUnits.LeftTop.Y;
  zeroUnits.Client.Right = zeroUnits.Client.Left;
  const PixelImage zero = ComposeNinePieceTiled(zeroUnits, n.scaled, source.View(), n.skinRect, 50, 40, true);
  EXPECT_FALSE(Painted(zero.At(20, 0)));   // top edge
  EXPECT_FALSE(Painted(zero.At(0, 20)));   // left edge
  EXPECT_FALSE(Painted(zero.At(20, 20)));  // client
  EXPECT_EQ(SourceOf(zero.At(0, 0)), (TPoint{2, 3}));
  SplitMaskBorders(zeroUnits, n.scaled, source.View(), 50);

  // Skin values at the ends of 32 bits, and scaled points in every wrong order.
  const TFramePoints huge{{INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},
                          {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
  const TFramePoints wild{{-7, 100000}, {-100000, 3}, {99999, -5}, {4, -100000}, {-100000, -100000, 100000, 100000}};
  const TRect outside{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  for (const TFramePoints& scaled : {n.scaled, wild}) {
    for (const TFramePoints& points : {n.points, huge}) {
      for (const TRect& skinRect : {n.skinRect, outside}) {
        ComposeNinePiece(points, scaled, source.View(), skinRect, 3, 2, true, {true, true, true, true});
        ComposeNinePieceTiled(points, scaled, source.View(), skinRect, 3, 2, true);
        ComposeFrameBorders(points, scaled, {}, 3, 2, skinRect, source.View());
        ComposeFrameBorders(points, scaled, {true, true, true, true}, 3, 2, skinRect, source.View());
      }
      SplitMaskBorders(points, scaled, source.View(), 3);
    }
  }
  ComposeVerticalThree(INT_MAX, INT_MIN, 4, {0, 0, 8, 30}, source.View());
  ComposeHorizontalThree(INT_MIN, INT_MAX, 4, {0, 0, 30, 8}, source.View());
  const PixelImage beyond = ComposeHorizontalThree(3, 3, 12, {30, 20, 50, 24}, source.View());
  EXPECT_EQ(SourceOf(beyond.At(0, 0)), (TPoint{30, 20}));
  EXPECT_FALSE(Painted(beyond.At(11, 0)));  // its right end lies outside the picture
}

}  // namespace
