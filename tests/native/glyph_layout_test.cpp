// Button glyph and caption placement, glyph cells, the "..." rule and the
// fallback caption glyphs.
#include "skin/controls/glyph_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "skin/controls/caption_glyphs.h"
#include "skin_pictures.h"

namespace {

// Rectangle 100 x 40 with centre (60, 40); glyph 16 x 12, text 30 x 9, spacing 4.
TGlyphTextPlace Place(TButtonLayout layout, int margin) {
  return LayoutGlyphAndText(layout, {10, 20, 110, 60}, 16, 12, 30, 9, 4, margin);
}

TEST(LayoutGlyphAndText, MarginFromTheNamedSideAndCentredGroupForMarginMinusOne) {
  auto expect = [](TGlyphTextPlace got, TPoint glyph, TPoint text, const char* what) {
    EXPECT_EQ(got.Glyph, glyph) << what;
    EXPECT_EQ(got.Text, text) << what;
  };
  expect(Place(blGlyphLeft, 3), {13, 34}, {33, 36}, "left");
  expect(Place(blGlyphRight, 3), {91, 34}, {57, 36}, "right");
  expect(Place(blGlyphTop, 3), {52, 23}, {45, 39}, "top");
  expect(Place(blGlyphBottom, 3), {52, 45}, {45, 32}, "bottom");
  // Centred: half the group is (16 + 30 + 4) / 2 = 25 wide, (9 + 12 + 4) / 2 = 12 high.
  expect(Place(blGlyphLeft, -1), {35, 34}, {55, 36}, "centred left");
  expect(Place(blGlyphRight, -1), {69, 34}, {35, 36}, "centred right");
  expect(Place(blGlyphTop, -1), {52, 28}, {45, 43}, "centred top");
  expect(Place(blGlyphBottom, -1), {52, 40}, {45, 28}, "centred bottom");
  // Halving rounds toward zero, also for a rectangle left of the origin.
  EXPECT_EQ(LayoutGlyphAndText(blGlyphTop, {-9, 0, -2, 5}, 3, 3, 0, 0, 0, 0).Glyph, (TPoint{-7, 0}));
}

// Seven pixels for every character, however many bytes it takes.
class FixedWidth : public TextMeasure {
 public:
  int TextWidth(std::string_view text) override {
    int characters = 0;
    for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return 7 * characters;
  }
};

TEST(EllipsizeText, KeepsWhatFitsCutsWholeCharactersAndEndsAtDotsAlone) {
  FixedWidth measure;
  auto shortened = [&](std::string text, int width) {
    EllipsizeText(measure, text, width);
    return text;
  };
  EXPECT_EQ(shortened("Vespermark", 70), "Vespermark");
  EXPECT_EQ(shortened("Vespermark", 69), "Vesper...");
  EXPECT_EQ(shortened("Vespermark", 50), "Vesp...");
  EXPECT_EQ(shortened("关机关机关机", 35), "关机...");
  EXPECT_EQ(shortened("关机关机关机", 28), "关...");
  EXPECT_EQ(shortened("Vespermark", 27), "...");
  EXPECT_EQ(shortened("Vespermark", 0), "...");
}

TEST(DrawGlyphCell, OneCellWithItsBottomLeftColourTransparentClippedToTheTarget) {
  // Three 4 x 3 cells. Cell 2's key is its bottom-left pixel (4, 2), also
  // found at (6, 1); cell 1's key colour, at (5, 0), is an ordinary colour in cell 2.
  PixelImage glyph = CoordinateImage(12, 3);
  const Bgr key{2, 2, 2}, otherKey{1, 1, 1}, background{50, 50, 50};
  glyph.Set(4, 2, key);
  glyph.Set(6, 1, key);
  glyph.Set(0, 2, otherKey);
  glyph.Set(5, 0, otherKey);
  PixelImage target(5, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) target.Set(x, y, background);

  // At (-1, 3): the cell's first column and last row fall outside.
  DrawGlyphCell(target.View(), -1, 3, glyph.View(), 3, 2);
  const std::map<std::pair<int, int>, Bgr> drawn{{{0, 3}, otherKey},        {{1, 3}, glyph.At(6, 0)},
                                                 {{2, 3}, glyph.At(7, 0)},  {{0, 4}, glyph.At(5, 1)},
                                                 {{2, 4}, glyph.At(7, 1)}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const auto it = drawn.find({x, y});
      EXPECT_EQ(target.At(x, y), it == drawn.end() ? background : it->second) << x << "," << y;
    }

  const PixelImage before = target;
  for (auto [count, number] : {std::pair{0, 1}, {3, 0}, {3, 4}, {13, 1}}) {
    DrawGlyphCell(target.View(), 0, 0, glyph.View(), count, number);
    EXPECT_EQ(target, before) << count << " cells, number " << number;
  }
  DrawGlyphCell(target.View(), 0, 0, PixelView(), 1, 1);
  EXPECT_EQ(target, before);
}

// Rasterises the glyph calls: pen lines without their end point, outlines,
// filled rectangles.
class PictureCanvas : public GlyphCanvas {
 public:
  void Line(int x0, int y0, int x1, int y1, TColor) override {
    const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
    if (dx && dy && std::abs(x1 - x0) != std::abs(y1 - y0)) ADD_FAILURE() << "line not at 45 degrees";
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) Ink(x, y);
  }
  void FrameRectangle(TRect r, TColor) override {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (y == r.Top || y == r.Bottom - 1 || x == r.Left || x == r.Right - 1) Ink(x, y);
  }
  void FillRectangle(TRect r, TColor) override {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Ink(x, y);
  }
  std::string Picture(TRect area) const {
    std::string text = "\n";
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) text += FInk.count({x, y}) ? '#' : '.';
      text += '\n';
    }
    return text;
  }
  size_t Count() const { return FInk.size(); }

 private:
  void Ink(int x, int y) { FInk.insert({x, y}); }
  std::set<std::pair<int, int>> FInk;
};

std::string Glyph(TCaptionGlyph glyph) {
  PictureCanvas canvas;
  DrawCaptionGlyph(canvas, glyph, 100, 50, clBlack);
  return canvas.Picture({100, 50, 111, 60});
}

std::string Arrow(TArrowKind kind) {
  PictureCanvas canvas;
  DrawArrowGlyph(canvas, {20, 30, 31, 41}, kind, clBlack);  // centre (25, 35)
  return canvas.Picture({21, 31, 30, 40});
}

TEST(CaptionGlyphs, DrawTheirPicturesInTheCell) {
  EXPECT_EQ(Glyph(TCaptionGlyph::Close),
            "\n"
            "...........\n"
            ".##.....##.\n"
            "..##...##..\n"
            "...##.##...\n"
            "....###....\n"
            "....###....\n"
            "...##.##...\n"
            "..##...##..\n"
            ".##.....##.\n"
            "...........\n");
  EXPECT_EQ(Glyph(TCaptionGlyph::Restore),
            "\n"
            "..########.\n"
            "..########.\n"
            "..#......#.\n"
            "..#......#.\n"
            "#######..#.\n"
            "##########.\n"
            "#.....#....\n"
            "#.....#....\n"
            "#.....#....\n"
            "#######....\n");
  // Triangles are symmetric and keep their tip.
  EXPECT_EQ(Glyph(TCaptionGlyph::DownTriangle),
            "\n"
            "...........\n"
            "...........\n"
            ".#########.\n"
            "..#######..\n"
            "...#####...\n"
            "....###....\n"
            ".....#.....\n"
            "...........\n"
            "...........\n"
            "...........\n");
  EXPECT_EQ(Glyph(TCaptionGlyph::UpTriangle),
            "\n"
            "...........\n"
            "...........\n"
            ".....#.....\n"
            "....###....\n"
            "...#####...\n"
            "..#######..\n"
            ".#########.\n"
            "...........\n"
            "...........\n"
            "...........\n");
  EXPECT_EQ(Glyph(TCaptionGlyph::FilledSquare),
            "\n...........\n...........\n..#####....\n..#####....\n..#####....\n..#####....\n"
            "..#####....\n...........\n...........\n...........\n");
}

TEST(DrawArrowGlyph, PointsWhereItsKindSaysWithTheTipTwoPixelsFromTheCentre) {
  EXPECT_EQ(Arrow(TArrowKind::Left),
            "\n"
            ".........\n"
            ".....#...\n"
            "....##...\n"
            "...###...\n"
            "..####...\n"
            "...###...\n"
            "....##...\n"
            ".....#...\n"
            ".........\n");
  EXPECT_EQ(Arrow(TArrowKind::Down),
            "\n"
            ".........\n"
            ".........\n"
            ".........\n"
            ".#######.\n"
            "..#####..\n"
            "...###...\n"
            "....#....\n"
            ".........\n"
            ".........\n");
  // Right and up mirror left and down.
  const std::string left = Arrow(TArrowKind::Left), down = Arrow(TArrowKind::Down);
  std::string right = Arrow(TArrowKind::Right), up = Arrow(TArrowKind::Up);
  for (size_t row = 1; row < right.size(); row += 10) std::reverse(right.begin() + long(row), right.begin() + long(row) + 9);
  EXPECT_EQ(right, left);
  std::vector<std::string> upRows, downRows;
  for (size_t row = 1; row < up.size(); row += 10) upRows.push_back(up.substr(row, 9)), downRows.push_back(down.substr(row, 9));
  EXPECT_EQ(upRows, std::vector<std::string>(downRows.rbegin(), downRows.rend()));
}

}  // namespace
