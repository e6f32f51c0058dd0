#include "full_glyphs.h"

#include <array>

namespace {

// 10 x 10 drawings placed 3 pixels into the cell; '#' is the glyph colour.
using BoxDrawing = std::array<const char*, 10>;

constexpr BoxDrawing kMaximize{"..........", ".########.", ".########.", ".#......#.", ".#......#.",
                               ".#......#.", ".#......#.", ".#......#.", ".########.", ".........."};
constexpr BoxDrawing kRestore{"..........", "...######.", "...######.", "...#....#.", ".######.#.",
                              ".######.#.", ".#....###.", ".#....#...", ".######...", ".........."};
constexpr BoxDrawing kMinimize{"..........", "..........", "..........", "..........", "..........",
                               "..........", "..........", ".########.", ".########.", ".........."};

void DrawBox(ArtCanvas& canvas, TPoint at, const BoxDrawing& drawing, Rgb colour) {
  for (int row = 0; row < 10; ++row)
    for (int column = 0; column < 10; ++column)
      if (drawing[row][column] == '#') canvas.Set(at.X + 3 + column, at.Y + 3 + row, colour);
}

constexpr double kStroke = 1.7;

}  // namespace

void PaintMoon(ArtCanvas& canvas, double cx, double cy, double radius, TRect bounds, Rgb colour, double inset) {
  const Disc whole(cx, cy, radius - inset), bite(cx + radius * 0.45, cy - radius * 0.3, radius * 0.85 + inset);
  canvas.Paint(ShapeDifference(whole, bite), bounds, colour);
}

void DrawFullGlyph(ArtCanvas& canvas, TPoint origin, FullGlyph glyph, Rgb colour, int shift) {
  const TPoint at{origin.X + shift, origin.Y + shift};
  const TRect cell{origin.X, origin.Y, origin.X + kFullCell, origin.Y + kFullCell};
  const double x = at.X, y = at.Y;
  switch (glyph) {
    case FullGlyph::Maximize: DrawBox(canvas, at, kMaximize, colour); return;
    case FullGlyph::Restore: DrawBox(canvas, at, kRestore, colour); return;
    case FullGlyph::Minimize: DrawBox(canvas, at, kMinimize, colour); return;
    case FullGlyph::Moon: PaintMoon(canvas, x + 8, y + 8, 5.4, cell, colour); return;
    case FullGlyph::Close: {
      const Stroke down(x + 5.2, y + 5.2, x + 10.8, y + 10.8, kStroke), up(x + 10.8, y + 5.2, x + 5.2, y + 10.8, kStroke);
      canvas.Paint(ShapeUnion({&down, &up}), cell, colour);
      return;
    }
    case FullGlyph::RollUp:
    case FullGlyph::RollDown: {
      const bool upward = glyph == FullGlyph::RollUp;
      const double tip = upward ? 6.4 : 10.2, ends = upward ? 10.2 : 6.4;
      const Stroke left(x + 4.6, y + ends, x + 8, y + tip, kStroke), right(x + 8, y + tip, x + 11.4, y + ends, kStroke);
      canvas.Paint(ShapeUnion({&left, &right}), cell, colour);
      return;
    }
  }
}

void PaintStar(ArtCanvas& canvas, double cx, double cy, double radius, double waist, TRect bounds, Rgb colour) {
  const Triangle up(cx - waist, cy, cx + waist, cy, cx, cy - radius), down(cx - waist, cy, cx + waist, cy, cx, cy + radius);
  const Triangle left(cx, cy - waist, cx, cy + waist, cx - radius, cy), right(cx, cy - waist, cx, cy + waist, cx + radius, cy);
  canvas.Paint(ShapeUnion({&up, &down, &left, &right}), bounds, colour);
}
