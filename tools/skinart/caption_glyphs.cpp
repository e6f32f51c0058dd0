#include "caption_glyphs.h"

#include <array>

#include "theme.h"

// Glyphs are 5 x 5 pixel drawings centred in the cell: '#' full glyph
// colour, '+' half way between the glyph and what lies beneath.
using GlyphDrawing = std::array<const char*, 5>;

static constexpr GlyphDrawing kSystemMenuClock{"+###+", "#...#", "#.#.#", "#...#", "+###+"};
static constexpr GlyphDrawing kRollUp{".....", "..#..", ".###.", "#####", "....."};
static constexpr GlyphDrawing kMinimize{".....", ".....", ".....", "#####", "#####"};
static constexpr GlyphDrawing kMaximize{"#####", "#####", "#...#", "#...#", "#####"};
static constexpr GlyphDrawing kClose{"#+.+#", "+#+#+", ".+#+.", "+#+#+", "#+.+#"};

static TRect Cell(TPoint origin) {
  return {origin.X, origin.Y, origin.X + kCaptionButtonSize, origin.Y + kCaptionButtonSize};
}

static void DrawPlate(ArtCanvas& canvas, TPoint origin, Rgb face) {
  canvas.Paint(RoundedBox(Cell(origin), 3), Cell(origin), face);
}

static void DrawGlyph(ArtCanvas& canvas, TPoint origin, const GlyphDrawing& drawing) {
  constexpr int kMargin = (kCaptionButtonSize - 5) / 2;
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 5; ++column) {
      const int x = origin.X + kMargin + column, y = origin.Y + kMargin + row;
      if (drawing[row][column] == '#') canvas.Set(x, y, theme::kGlyph);
      if (drawing[row][column] == '+') canvas.Set(x, y, Mix(canvas.At(x, y), theme::kGlyph, 1, 2));
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

void DrawCaptionButton(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph) {
  if (glyph == CaptionGlyph::Close) DrawPlate(canvas, origin, theme::kCloseTint);
  DrawGlyph(canvas, origin, DrawingOf(glyph));
}

void DrawCaptionButtonPressed(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph) {
  DrawPlate(canvas, origin, theme::kPlatePressed);
  DrawGlyph(canvas, {origin.X + 1, origin.Y + 1}, DrawingOf(glyph));
}

void DrawSharedCaptionButtonPressed(ArtCanvas& canvas, TPoint origin) {
  DrawPlate(canvas, origin, theme::kPlatePressed);
  canvas.Paint(Disc(origin.X + 5.0, origin.Y + 5.0, 2.2), Cell(origin), theme::kPressedGlow);
}
