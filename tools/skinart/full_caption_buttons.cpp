#include "full_caption_buttons.h"

#include <optional>

#include "full_frame_art.h"
#include "full_glyphs.h"
#include "full_theme.h"

namespace t = full_theme;

namespace {

constexpr int kColumns = 7, kRows = 5;
constexpr Rgb kHotGlyph{255, 255, 255};
const Rgb kDimGlyph = Mix(t::kGlyph, t::kBandGlossBottom, 1, 2);

TPoint Cell(int column, int row) { return {column * kFullCell, row * kFullCell}; }

void DrawPlate(ArtCanvas& canvas, TPoint cell, Rgb colour) {
  const TRect box{cell.X, cell.Y, cell.X + kFullCell, cell.Y + kFullCell};
  canvas.Paint(RoundedBox({box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1}, 4), box, colour);
}

// Normal, hot and pressed looks of one glyph from column `first` on.
void DrawLooks(ArtCanvas& canvas, int row, int first, FullGlyph glyph, Rgb hotPlate, Rgb hotGlyph) {
  DrawFullGlyph(canvas, Cell(first, row), glyph, t::kGlyph);
  DrawPlate(canvas, Cell(first + 1, row), hotPlate);
  DrawFullGlyph(canvas, Cell(first + 1, row), glyph, hotGlyph);
  DrawPlate(canvas, Cell(first + 2, row), t::kPlatePressed);
  DrawFullGlyph(canvas, Cell(first + 2, row), glyph, t::kGlyphPressed, 1);
}

struct Button {
  FullGlyph glyph;
  std::optional<FullGlyph> restore;  // the look while the command's state is on
  Rgb hotPlate;
};

}  // namespace

ArtCanvas DrawFullCaptionButtons() {
  ArtCanvas canvas(kColumns * kFullCell, kRows * kFullCell, {});
  for (int y = 0; y < canvas.Height(); ++y)
    canvas.HorizontalLine(0, canvas.Width(), y, FullBandColour(full_frame::kButtonsTop + y % kFullCell));
  const Button buttons[] = {{FullGlyph::Close, std::nullopt, t::kPlateClose},
                            {FullGlyph::Maximize, FullGlyph::Restore, t::kPlateHot},
                            {FullGlyph::Minimize, FullGlyph::Restore, t::kPlateHot},
                            {FullGlyph::RollUp, FullGlyph::RollDown, t::kPlateHot}};
  for (int row = 0; row < 4; ++row) {
    const Button& b = buttons[row];
    DrawLooks(canvas, row, 0, b.glyph, b.hotPlate, kHotGlyph);
    if (!b.restore) continue;
    DrawLooks(canvas, row, 3, *b.restore, b.hotPlate, kHotGlyph);
    DrawFullGlyph(canvas, Cell(6, row), *b.restore, kDimGlyph);
  }
  // The system menu's moon glows amber under the pointer.
  DrawLooks(canvas, 4, 0, FullGlyph::Moon, t::kPlateHot, t::kGlyphPressed);
  DrawFullGlyph(canvas, Cell(3, 4), FullGlyph::Moon, kDimGlyph);
  return canvas;
}
