// Button glyph and caption placement, glyph cells, the "..." rule, the
// fitting of wide captions and the fallback caption glyphs.
#include "skin/pixels/glyph_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "skin/pixels/caption_glyphs.h"
#include "skin_pictures.h"

namespace {

// Rectangle 100 x 40 centred on (60, 40); glyph 16 x 12, text 30 x 9, spacing 4.
TEST(LayoutGlyphAndText, MarginFromTheNamedSideAndCentredGroupForMarginMinusOne) {
  auto place = [](TButtonLayout layout, int margin) {
    const TGlyphTextPlace p = LayoutGlyphAndText(layout, {10, 20, 110, 60}, 16, 12, 30, 9, 4, margin);
    return std::vector<int>{p.Glyph.X, p.Glyph.Y, p.Text.X, p.Text.Y};
  };
  EXPECT_EQ(place(blGlyphLeft, 3), (std::vector<int>{13, 34, 33, 36}));
  EXPECT_EQ(place(blGlyphRight, 3), (std::vector<int>{91, 34, 57, 36}));
  EXPECT_EQ(place(blGlyphTop, 3), (std::vector<int>{52, 23, 45, 39}));
  EXPECT_EQ(place(blGlyphBottom, 3), (std::vector<int>{52, 45, 45, 32}));
  // Centred: half the group is (16 + 30 + 4) / 2 = 25 wide, (9 + 12 + 4) / 2 = 12 high.
  EXPECT_EQ(place(blGlyphLeft, -1), (std::vector<int>{35, 34, 55, 36}));
  EXPECT_EQ(place(blGlyphRight, -1), (std::vector<int>{69, 34, 35, 36}));
  EXPECT_EQ(place(blGlyphTop, -1), (std::vector<int>{52, 28, 45, 43}));
  EXPECT_EQ(place(blGlyphBottom, -1), (std::vector<int>{52, 40, 45, 28}));
  // Halving rounds toward zero, also left of the origin.
  EXPECT_EQ(LayoutGlyphAndText(blGlyphTop, {-9, 0, -2, 5}, 3, 3, 0, 0, 0, 0).Glyph, (TPoint{-7, 0}));
}

// Seven pixels per whole UTF-8 character; a cut-off sequence takes no room,
// as a renderer that drops it would, so a cut inside a character shows.
class FixedWidth : public TextMeasure {
 public:
  int TextWidth(std::string_view text) override {
    int width = 0;
    for (size_t i = 0; i < text.size();) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      size_t n = 1;
      while (n < length && i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
      width += n == length ? 7 : 0;
      i += n;
    }
    return width;
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
  EXPECT_EQ(shortened("关机关机关机", 35), "关机...");
  EXPECT_EQ(shortened("关机关机关机", 28), "关...");
  EXPECT_EQ(shortened("Vespermark", 27), "...");
  EXPECT_EQ(shortened("Vespermark", 0), "...");
}

// Half the font height a character, as a font's widths grow with its size.
class ScalingWidth : public SizedTextMeasure {
 public:
  int TextWidth(std::string_view text, int fontHeight) override {
    return static_cast<int>(text.size()) * std::abs(fontHeight) / 2;
  }
};

TEST(FitCaption, AWideCaptionTakesTheFaceThenSmallerSizesDownToTheLeast) {
  ScalingWidth measure;
  const TRect area{7, 2, 59, 19}, face{0, 0, 65, 21};
  auto fit = [&](std::string_view text, int height) { return FitCaption(measure, text, area, face, 3, height); };
  const TCaptionFit start = fit("Start", 14);  // 35 wide
  EXPECT_EQ(start.Area, area);
  EXPECT_EQ(start.FontHeight, 14);
  const TCaptionFit eight = fit("12345678", 14);  // 56: the face's 59 pixels hold it
  EXPECT_EQ(eight.Area, (TRect{3, 2, 62, 19}));
  EXPECT_EQ(eight.FontHeight, 14);
  EXPECT_EQ(fit("11:30:00 PM", 14).FontHeight, 10) << "77 wide at 14, 55 at 10";
  EXPECT_EQ(fit("11:30:00 PM", -14).FontHeight, -10) << "a character height stays one";
  EXPECT_EQ(fit(std::string(40, 'x'), 14).FontHeight, kLeastCaptionFontHeight);
  // A face no wider than the area gives nothing to gain.
  EXPECT_EQ(FitCaption(measure, "11:30:00 PM", area, area, 3, 14).FontHeight, 14);
}

TEST(DrawGlyphCell, OneCellWithItsBottomLeftColourTransparentClippedToTheTarget) {
  // Three 4 x 3 cells. Cell 2's key is its bottom-left pixel (4, 2), also at
  // (6, 1); cell 1's key colour, at (5, 0), is an ordinary colour in cell 2.
  PixelImage glyph = CoordinateImage(12, 3);
  const Bgr key{2, 2, 2}, otherKey{1, 1, 1}, background{50, 50, 50};
  for (auto [x, y, colour] : {std::tuple{4, 2, key}, {6, 1, key}, {0, 2, otherKey}, {5, 0, otherKey}})
    glyph.Set(x, y, colour);
  PixelImage target(5, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) target.Set(x, y, background);

  DrawGlyphCell(target.View(), -1, 3, glyph.View(), 3, 2);  // first column and last row fall outside
  const std::map<std::pair<int, int>, Bgr> drawn{{{0, 3}, otherKey}, {{1, 3}, glyph.At(6, 0)},
                                                 {{2, 3}, glyph.At(7, 0)}, {{0, 4}, glyph.At(5, 1)},
                                                 {{2, 4}, glyph.At(7, 1)}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const auto it = drawn.find({x, y});
      EXPECT_EQ(target.At(x, y), it == drawn.end() ? background : it->second) << x << "," << y;
    }
  const PixelImage before = target;
  for (auto [count, number] : {std::pair{0, 1}, {3, 0}, {3, 4}, {13, 1}})
    DrawGlyphCell(target.View(), 0, 0, glyph.View(), count, number);
  DrawGlyphCell(target.View(), 0, 0, PixelView(), 1, 1);
  EXPECT_EQ(target, before);
}

// Rasterises pen lines (without their end point), outlines and fills.
class PictureCanvas : public GlyphCanvas {
 public:
  void Line(int x0, int y0, int x1, int y1, TColor) override {
    const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) Ink.insert({x, y});
  }
  void FrameRectangle(TRect r, TColor) override {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (y == r.Top || y == r.Bottom - 1 || x == r.Left || x == r.Right - 1) Ink.insert({x, y});
  }
  void FillRectangle(TRect r, TColor) override {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Ink.insert({x, y});
  }
  std::vector<std::string> Picture(TRect area) const {
    std::vector<std::string> rows;
    for (int y = area.Top; y < area.Bottom; ++y) {
      rows.emplace_back();
      for (int x = area.Left; x < area.Right; ++x) rows.back() += Ink.count({x, y}) ? '#' : '.';
    }
    return rows;
  }
  std::set<std::pair<int, int>> Ink;
};

std::vector<std::string> Glyph(TCaptionGlyph glyph) {
  PictureCanvas canvas;
  DrawCaptionGlyph(canvas, glyph, 100, 50, clBlack);
  return canvas.Picture({100, 50, 111, 60});
}

std::vector<std::string> Arrow(TArrowKind kind) {
  PictureCanvas canvas;
  DrawArrowGlyph(canvas, {20, 30, 31, 41}, kind, clBlack);  // centre (25, 35)
  return canvas.Picture({21, 31, 30, 40});
}

using Rows = std::vector<std::string>;

TEST(CaptionGlyphs, CloseTrianglesAndArrowsDrawTheirPictures) {
  EXPECT_EQ(Glyph(TCaptionGlyph::Close), (Rows{"...........", ".##.....##.", "..##...##..", "...##.##...", "....###....",
                                               "....###....", "...##.##...", "..##...##..", ".##.....##.", "..........."}));
  // Triangles are symmetric about x + 5 and keep their tip; up mirrors down.
  const Rows down{"...........", "...........", ".#########.", "..#######..", "...#####...",
                  "....###....", ".....#.....", "...........", "...........", "..........."};
  EXPECT_EQ(Glyph(TCaptionGlyph::DownTriangle), down);
  Rows up = Glyph(TCaptionGlyph::UpTriangle);
  std::reverse(up.begin() + 2, up.begin() + 7);
  EXPECT_EQ(up, down);
  // Arrows: 1, 3, 5 and 7 pixels, the tip two pixels from the centre; right and up mirror left and down.
  const Rows left{".........", ".....#...", "....##...", "...###...", "..####...",
                  "...###...", "....##...", ".....#...", "........."};
  const Rows downArrow{".........", ".........", ".........", ".#######.", "..#####..",
                       "...###...", "....#....", ".........", "........."};
  EXPECT_EQ(Arrow(TArrowKind::Left), left);
  EXPECT_EQ(Arrow(TArrowKind::Down), downArrow);
  Rows right = Arrow(TArrowKind::Right), upArrow = Arrow(TArrowKind::Up);
  for (std::string& row : right) std::reverse(row.begin(), row.end());
  std::reverse(upArrow.begin(), upArrow.end());
  EXPECT_EQ(right, left);
  EXPECT_EQ(upArrow, downArrow);
}

}  // namespace
