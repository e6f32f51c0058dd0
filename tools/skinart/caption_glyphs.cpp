#include "caption_glyphs.h"

#include <array>

#include "theme.h"

// At 100 % glyphs are 5 x 5 pixel drawings centred in the cell: '#' full
// glyph colour, '+' half way between the glyph and what lies beneath. At
// larger scales the same figures are drawn as shapes, edges blended.
using GlyphDrawing = std::array<const char*, 5>;

static constexpr GlyphDrawing kSystemMenuClock{"+###+", "#...#", "#.#.#", "#...#", "+###+"};
static constexpr GlyphDrawing kRollUp{".....", "..#..", ".###.", "#####", "....."};
static constexpr GlyphDrawing kMinimize{".....", ".....", ".....", "#####", "#####"};
static constexpr GlyphDrawing kMaximize{"#####", "#####", "#...#", "#...#", "#####"};
static constexpr GlyphDrawing kClose{"#+.+#", "+#+#+", ".+#+.", "+#+#+", "#+.+#"};

static TRect Cell(TPoint origin, const ArtScale& scale) {
  const int size = scale(kCaptionButtonSize);
  return {origin.X, origin.Y, origin.X + size, origin.Y + size};
}

static void DrawPlate(ArtCanvas& canvas, TPoint origin, Rgb face, const ArtScale& scale) {
  canvas.Paint(RoundedBox(Cell(origin, scale), scale.Exact(3)), Cell(origin, scale), face);
}

static void DrawPixelGlyph(ArtCanvas& canvas, TPoint origin, const GlyphDrawing& drawing) {
  constexpr int kMargin = (kCaptionButtonSize - 5) / 2;
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 5; ++column) {
      const int x = origin.X + kMargin + column, y = origin.Y + kMargin + row;
      if (drawing[row][column] == '#') canvas.Set(x, y, theme::kGlyph);
      if (drawing[row][column] == '+') canvas.Set(x, y, Mix(canvas.At(x, y), theme::kGlyph, 1, 2));
    }
}

// The figure in a box of five units, a unit being a pixel at 100 %.
static void DrawShapeGlyph(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph, const ArtScale& scale) {
  const double unit = scale.Exact(1);
  const double x0 = origin.X + (scale(kCaptionButtonSize) - 5 * unit) / 2;
  const double y0 = origin.Y + (scale(kCaptionButtonSize) - 5 * unit) / 2;
  const auto X = [&](double units) { return x0 + units * unit; };
  const auto Y = [&](double units) { return y0 + units * unit; };
  const TRect bounds = Cell(origin, scale);
  const auto paint = [&](const Shape& shape) { canvas.Paint(shape, bounds, theme::kGlyph); };
  switch (glyph) {
    case CaptionGlyph::SystemMenu: {
      const Disc outer(X(2.5), Y(2.5), 2.5 * unit), inner(X(2.5), Y(2.5), 1.5 * unit);
      paint(ShapeDifference(outer, inner));
      paint(Disc(X(2.5), Y(2.5), 0.6 * unit));
      break;
    }
    case CaptionGlyph::RollUp: paint(Triangle(X(2.5), Y(1), X(0), Y(4), X(5), Y(4))); break;
    case CaptionGlyph::Minimize: paint(RoundedBox({int(X(0)), int(Y(3)), int(X(5)), int(Y(5))}, 0)); break;
    case CaptionGlyph::Maximize: {
      const RoundedBox outer({int(X(0)), int(Y(0)), int(X(5)), int(Y(5))}, 0);
      const RoundedBox inner({int(X(1)), int(Y(2)), int(X(4)), int(Y(4))}, 0);
      paint(ShapeDifference(outer, inner));
      break;
    }
    case CaptionGlyph::Close:
      paint(Stroke(X(0.5), Y(0.5), X(4.5), Y(4.5), 1.2 * unit));
      paint(Stroke(X(4.5), Y(0.5), X(0.5), Y(4.5), 1.2 * unit));
      break;
  }
}

static const GlyphDrawing& DrawingOf(CaptionGlyph glyph) {
  switch (glyph) {
    case CaptionGlyph::SystemMenu: return kSystemMenuClock;
    case CaptionGlyph::RollUp: return kRollUp;
    case CaptionGlyph::Minimize: return kMinimize;
    case CaptionGlyph::Maximize: return kMaximize;
    case CaptionGlyph::Close: break;
  }
  return kClose;
}

static void DrawGlyph(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph, const ArtScale& scale) {
  if (scale.Percent() == 100)
    DrawPixelGlyph(canvas, origin, DrawingOf(glyph));
  else
    DrawShapeGlyph(canvas, origin, glyph, scale);
}

void DrawCaptionButton(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph, const ArtScale& scale) {
  if (glyph == CaptionGlyph::Close) DrawPlate(canvas, origin, theme::kCloseTint, scale);
  DrawGlyph(canvas, origin, glyph, scale);
}

void DrawCaptionButtonPressed(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph, const ArtScale& scale) {
  DrawPlate(canvas, origin, theme::kPlatePressed, scale);
  DrawGlyph(canvas, {origin.X + scale(1), origin.Y + scale(1)}, glyph, scale);
}

void DrawSharedCaptionButtonPressed(ArtCanvas& canvas, TPoint origin, const ArtScale& scale) {
  DrawPlate(canvas, origin, theme::kPlatePressed, scale);
  canvas.Paint(Disc(origin.X + scale.Exact(5), origin.Y + scale.Exact(5), scale.Exact(2.2)), Cell(origin, scale),
               theme::kPressedGlow);
}
