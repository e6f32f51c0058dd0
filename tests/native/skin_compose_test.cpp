// The face compositions: every target pixel checked against the source
// pixel the tiling rule puts there.
#include "skin/pixels/skin_compose.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>

#include "skin/pixels/pixel_copy.h"
#include "skin_pictures.h"

namespace {

using Source = std::function<std::optional<TPoint>(int, int)>;  // none: must stay unpainted

void ExpectSources(const PixelImage& image, const Source& expected, const char* what) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const std::optional<TPoint> want = expected(x, y);
      const Bgr got = image.At(x, y);
      ASSERT_TRUE(want ? Painted(got) && SourceOf(got) == *want : !Painted(got))
          << what << ": pixel " << x << "," << y << " came from " << int(got.Blue) << "," << int(got.Green);
    }
}

// Ends of n and m pixels, a tiled middle of `unit`, grown by `grow`.
int ThreePiece(int v, int n, int lastStart, int unit, int grow) {
  return v < n ? v : v >= lastStart + grow ? v - grow : n + (v - n) % unit;
}

// Our skin's "button" face: skinrect 0,1,66,22, lefttoppoint 10,11, righttoppoint 52,11.
TEST(ComposeThreePiece, ButtonFaceAndTiledMiddlesMapEveryPixelToItsSource) {
  const PixelImage button = SkinPicture("button.bmp");
  const PixelImage face = ComposeHorizontalThree(10, 14, 65, {0, 1, 66, 22}, button.View());
  ASSERT_EQ(face.Width(), 65);
  ASSERT_EQ(face.Height(), 21);
  bool shaded = false;  // the right end's shading tells a one-column slip apart
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 65; ++x) {
      ASSERT_EQ(face.At(x, y), button.At(x < 51 ? x : x + 1, y + 1)) << x << "," << y;
      shaded |= x >= 51 && !(button.At(x, y + 1) == button.At(x + 1, y + 1));
    }
  EXPECT_TRUE(shaded);

  // Several middles, the last one cut; along y the same.
  const PixelImage source = CoordinateImage(40, 30);
  ExpectSources(ComposeHorizontalThree(4, 5, 37, {3, 2, 23, 11}, source.View()),
                [](int x, int y) { return TPoint{3 + ThreePiece(x, 4, 15, 11, 17), 2 + y}; }, "horizontal");
  ExpectSources(ComposeVerticalThree(4, 5, 37, {2, 3, 11, 23}, source.View()),
                [](int x, int y) { return TPoint{2 + x, 3 + ThreePiece(y, 4, 15, 11, 17)}; }, "vertical");
}

// A 30 x 20 face at (2, 3): sides 5 and top/bottom 4 thick, corners reaching
// 8 / 22 along x and 7 / 13 along y; grown by 20 each way to 50 x 40.
struct NinePiece {
  PixelImage source = CoordinateImage(40, 30);
  TRect skinRect{2, 3, 32, 23};
  TFramePoints points{{8, 7}, {22, 7}, {8, 13}, {22, 13}, {5, 4, 25, 16}};
  TFramePoints scaled{{8, 7}, {42, 7}, {8, 33}, {42, 33}, {5, 4, 45, 36}};
};

// Corners 1:1, edges tiled from their span's start, client from its corner.
TPoint NineSource(int x, int y) {
  if (y < 4 || y >= 36) return {2 + ThreePiece(x, 8, 22, 14, 20), 3 + (y < 4 ? y : y - 20)};
  if (x < 5 || x >= 45) return {2 + (x < 5 ? x : x - 20), 3 + ThreePiece(y, 7, 13, 6, 20)};
  return {2 + 5 + (x - 5) % 20, 3 + 4 + (y - 4) % 12};
}

TEST(ComposeNinePiece, TilesEdgesAndClientAndStretchesOnlyTheFlaggedEdges) {
  const NinePiece n;
  const PixelView source = n.source.View();
  ExpectSources(ComposeNinePieceTiled(n.points, n.scaled, source, n.skinRect, 50, 40, true), NineSource, "tiled");
  EXPECT_FALSE(Painted(ComposeNinePieceTiled(n.points, n.scaled, source, n.skinRect, 50, 40, false).At(20, 20)));

  // The stretched top edge spreads its 14 columns over 34, in order, first to last.
  const PixelImage top = ComposeNinePiece(n.points, n.scaled, source, n.skinRect, 50, 40, true, {.Top = true});
  ExpectSources(top, [&](int x, int y) -> std::optional<TPoint> {
    if (y < 4 && x >= 8 && x < 42) return SourceOf(top.At(x, y));
    return NineSource(x, y);
  }, "stretched top");
  EXPECT_EQ(SourceOf(top.At(8, 0)), (TPoint{10, 3}));
  EXPECT_EQ(SourceOf(top.At(41, 3)), (TPoint{23, 6}));
  for (int x = 9; x < 42; ++x) EXPECT_LE(unsigned(top.At(x, 0).Blue - top.At(x - 1, 0).Blue), 1u) << x;

  TFramePoints flat = n.points;  // corners meeting: left blank
  flat.RightBottom.X = flat.LeftTop.X;
  ExpectSources(ComposeNinePieceTiled(flat, n.scaled, source, n.skinRect, 50, 40, true),
                [](int, int) { return std::nullopt; }, "flat");
}

TEST(ComposeFrameBorders, FourStripsTiledFromTheirOriginOrStretched) {
  const NinePiece n;
  PixelImage picture(30, 20);  // the face alone, as the frame's whole picture
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) picture.Set(x, y, n.source.At(x, y));
  const TRect whole{0, 0, 30, 20};
  const TBorderStrips s = ComposeFrameBorders(n.points, n.scaled, {}, 50, 40, whole, picture.View());
  EXPECT_EQ((std::vector<int>{s.Top.Width(), s.Top.Height(), s.Bottom.Width(), s.Bottom.Height(), s.Left.Width(),
                              s.Left.Height(), s.Right.Width(), s.Right.Height()}),
            (std::vector<int>{50, 4, 50, 4, 5, 32, 5, 32}));
  // Middles tiled from the strip's origin, end pieces over them.
  auto across = [](int x) { return x < 8 ? x : x >= 42 ? x - 20 : 8 + x % 14; };
  auto down = [](int y) { return y < 3 ? 4 + y : y >= 29 ? y - 16 : 7 + y % 6; };
  ExpectSources(s.Top, [&](int x, int y) { return TPoint{across(x), y}; }, "top");
  ExpectSources(s.Bottom, [&](int x, int y) { return TPoint{across(x), 16 + y}; }, "bottom");
  ExpectSources(s.Left, [&](int x, int y) { return TPoint{x, down(y)}; }, "left");
  ExpectSources(s.Right, [&](int x, int y) { return TPoint{25 + x, down(y)}; }, "right");

  // Stretched, the middles fill exactly the gap between the end pieces.
  const TBorderStrips t = ComposeFrameBorders(n.points, n.scaled, {true, true, true, true}, 50, 40, whole,
                                              picture.View());
  EXPECT_EQ(SourceOf(t.Top.At(8, 0)).X, 8);
  EXPECT_EQ(SourceOf(t.Top.At(41, 0)).X, 21);
  EXPECT_EQ(SourceOf(t.Left.At(0, 3)).Y, 7);
  EXPECT_EQ(SourceOf(t.Left.At(0, 28)).Y, 12);

  TFramePoints noTop = n.points;  // no top middle: no top strip, taller sides
  noTop.RightTop.X = noTop.LeftTop.X;
  const TBorderStrips partial = ComposeFrameBorders(noTop, n.scaled, {}, 50, 40, whole, picture.View());
  EXPECT_EQ(partial.Top.Width(), 0);
  EXPECT_EQ(partial.Left.Height(), 36);
}

// Undersized targets, pieces of no length, rectangles outside the picture
// and values at the ends of 32 bits: every copy stays inside both pictures
// (run under ASan and UBSan too) and the defined parts still come out right.
TEST(ComposeBounds, DegenerateAndHostileGeometryStaysInsideBothPictures) {
  const PixelImage source = CoordinateImage(40, 30);
  // 5 pixels for ends of 10 and 14: the right end, drawn last, shows its last 5 columns.
  ExpectSources(ComposeHorizontalThree(10, 14, 5, {0, 0, 30, 8}, source.View()),
                [](int x, int y) { return TPoint{25 + x, y}; }, "narrow");
  ExpectSources(ComposeHorizontalThree(20, 20, 60, {0, 0, 30, 8}, source.View()),  // ends overlap: no middle
                [](int x, int y) -> std::optional<TPoint> {
                  if (x >= 20 && x < 40) return std::nullopt;
                  return TPoint{x < 20 ? x : x - 30, y};
                }, "no middle");
  const PixelImage beyond = ComposeHorizontalThree(3, 3, 12, {30, 20, 50, 24}, source.View());
  EXPECT_EQ(SourceOf(beyond.At(0, 0)), (TPoint{30, 20}));
  EXPECT_FALSE(Painted(beyond.At(11, 0)));  // the right end lies outside the picture

  const NinePiece n;
  TFramePoints zero = n.points;  // top, left and client units of 0
  zero.RightTop.X = zero.LeftTop.X;
  zero.LeftBottom.Y = zero.LeftTop.Y;
  zero.Client.Right = zero.Client.Left;
  const PixelImage blank = ComposeNinePieceTiled(zero, n.scaled, source.View(), n.skinRect, 50, 40, true);
  for (TPoint p : {TPoint{20, 0}, TPoint{0, 20}, TPoint{20, 20}}) EXPECT_FALSE(Painted(blank.At(p.X, p.Y)));
  EXPECT_EQ(SourceOf(blank.At(0, 0)), (TPoint{2, 3}));

  const TFramePoints huge{{INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},
                          {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
  const TFramePoints wild{{-7, 100000}, {-100000, 3}, {99999, -5}, {4, -100000}, {-100000, -100000, 100000, 100000}};
  for (const TFramePoints& scaled : {n.scaled, wild})
    for (const TFramePoints& points : {n.points, zero, huge}) {
      for (const TRect& r : {n.skinRect, TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}})
        for (bool stretch : {false, true}) {
          ComposeNinePiece(points, scaled, source.View(), r, 3, 2, true, {stretch, stretch, stretch, stretch});
          ComposeFrameBorders(points, scaled, {stretch, stretch, stretch, stretch}, 3, 2, r, source.View());
        }
      SplitMaskBorders(points, scaled, source.View(), 3, 2);
    }
  ComposeVerticalThree(INT_MAX, INT_MIN, 4, {0, 0, 8, 30}, source.View());
  ComposeHorizontalThree(INT_MIN, INT_MAX, 4, {0, 0, 30, 8}, source.View());
}

}  // namespace

namespace {

TEST(TileArea, APartDrawnAloneLinesUpWithTheWholeAndHostilePiecesDrawNothing) {
  const PixelImage source = CoordinateImage(20, 20);
  const PixelBox piece{3, 4, 8, 7};  // 5 x 3
  PixelImage part(9, 4);
  TileArea(part.View(), {11, -2}, source.View(), piece);
  ExpectSources(part, [](int x, int y) -> std::optional<TPoint> {
    return TPoint{3 + (x + 11) % 5, 4 + ((y - 2) % 3 + 3) % 3};
  }, "tiled from 11,-2");

  PixelImage untouched(4, 4);
  TileArea(untouched.View(), {0, 0}, source.View(), PixelBox{18, 0, 25, 0});
  TileArea(untouched.View(), {0, 0}, source.View(), PixelBox{30, 30, 40, 40});
  ExpectSources(untouched, [](int, int) { return std::nullopt; }, "empty pieces");
}

}  // namespace
