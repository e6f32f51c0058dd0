#include "skin/pixels/caption_glyphs.h"

namespace {

// A horizontal run including both ends (the pen line leaves out its last pixel).
void Row(GlyphCanvas& canvas, int y, int x0, int x1, TColor color) { canvas.Line(x0, y, x1 + 1, y, color); }
void Column(GlyphCanvas& canvas, int x, int y0, int y1, TColor color) { canvas.Line(x, y0, x, y1 + 1, color); }

}  // namespace

void DrawCaptionGlyph(GlyphCanvas& canvas, TCaptionGlyph glyph, int x, int y, TColor color) {
  switch (glyph) {
    case TCaptionGlyph::Close:
      canvas.Line(x + 1, y + 1, x + 9, y + 9, color);
      canvas.Line(x + 9, y + 1, x + 1, y + 9, color);
      canvas.Line(x + 2, y + 1, x + 10, y + 9, color);
      canvas.Line(x + 8, y + 1, x, y + 9, color);
      break;
    case TCaptionGlyph::Minimize:
      canvas.Line(x + 1, y + 8, x + 9, y + 8, color);
      canvas.Line(x + 1, y + 9, x + 9, y + 9, color);
      break;
    case TCaptionGlyph::Maximize:
      canvas.FrameRectangle({x, y, x + 11, y + 10}, color);
      canvas.FrameRectangle({x, y, x + 11, y + 2}, color);
      break;
    case TCaptionGlyph::Restore:
      canvas.FrameRectangle({x + 2, y, x + 10, y + 6}, color);
      canvas.FrameRectangle({x + 2, y, x + 10, y + 2}, color);
      canvas.FrameRectangle({x, y + 4, x + 7, y + 10}, color);
      canvas.FrameRectangle({x, y + 4, x + 7, y + 6}, color);
      break;
    case TCaptionGlyph::SystemMenu:
      canvas.FrameRectangle({x + 1, y + 3, x + 9, y + 6}, color);
      break;
    // Triangles run both ends inclusive, so each is symmetric about x + 5
    // and keeps its one-pixel tip.
    case TCaptionGlyph::DownTriangle:
      for (int i = 0; i <= 4; ++i) Row(canvas, y + 6 - i, x + 5 - i, x + 5 + i, color);
      break;
    case TCaptionGlyph::UpTriangle:
      for (int i = 0; i <= 4; ++i) Row(canvas, y + 6 - i, x + 1 + i, x + 9 - i, color);
      break;
    case TCaptionGlyph::FilledSquare:
      canvas.FillRectangle({x + 2, y + 2, x + 7, y + 7}, color);
      break;
  }
}

void DrawArrowGlyph(GlyphCanvas& canvas, TRect rect, TArrowKind kind, TColor color) {
  const int cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
  // Line i is 2i + 1 pixels long, i = 0 at the tip, two pixels from the centre.
  for (int i = 0; i <= 3; ++i) {
    switch (kind) {
      case TArrowKind::Left: Column(canvas, cx - 2 + i, cy - i, cy + i, color); break;
      case TArrowKind::Right: Column(canvas, cx + 2 - i, cy - i, cy + i, color); break;
      case TArrowKind::Up: Row(canvas, cy - 2 + i, cx - i, cx + i, color); break;
      case TArrowKind::Down: Row(canvas, cy + 2 - i, cx - i, cx + i, color); break;
    }
  }
}
