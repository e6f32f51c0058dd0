#include "skin/controls/glyph_caption_win.h"

#include <cstdlib>

#include "skin/pixels/fast_bitmap_win.h"

void CanvasGlyphs::Line(int x0, int y0, int x1, int y1, TColor color) {
  FCanvas.Pen().SetColor(color);
  FCanvas.Pen().SetWidth(1);
  FCanvas.MoveTo(x0, y0);
  FCanvas.LineTo(x1, y1);
}

void CanvasGlyphs::FrameRectangle(TRect r, TColor color) {
  const TBrush brush = FCanvas.Brush();
  FCanvas.Pen().SetColor(color);
  FCanvas.Pen().SetWidth(1);
  FCanvas.Brush().SetStyle(TBrushStyle::bsClear);
  FCanvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
  FCanvas.Brush() = brush;
}

void CanvasGlyphs::FillRectangle(TRect r, TColor color) {
  const TBrush brush = FCanvas.Brush();
  FCanvas.Brush().SetColor(color);
  FCanvas.FillRect(RECT{r.Left, r.Top, r.Right, r.Bottom});
  FCanvas.Brush() = brush;
}

void EllipsizeText(TCanvas& canvas, std::string& text, int maxWidth) {
  CanvasTextMeasure measure(canvas);
  EllipsizeText(measure, text, maxWidth);
}

namespace {

// Width and height of one cell, or none.
SIZE CellSize(HBITMAP glyph, int cellCount) {
  BITMAP record{};
  if (!glyph || cellCount < 1 || GetObjectW(glyph, sizeof record, &record) != sizeof record) return {0, 0};
  const int width = record.bmWidth / cellCount, height = std::abs(record.bmHeight);
  return width > 0 && height > 0 ? SIZE{width, height} : SIZE{0, 0};
}

}  // namespace

void DrawGlyphCell(TCanvas& canvas, int x, int y, HBITMAP glyph, int cellCount, int cellNumber) {
  const SIZE cell = CellSize(glyph, cellCount);
  if (cell.cx == 0 || cellNumber < 1 || cellNumber > cellCount) return;
  // The transparent copy runs on pixels: the area under the cell is read
  // back, the cell's opaque pixels drawn over it, and the result put back.
  const TFBitmap strip(glyph);
  TFBitmap area(cell.cx, cell.cy);
  BitBlt(area.DC(), 0, 0, cell.cx, cell.cy, canvas.Handle(), x, y, SRCCOPY);
  DrawGlyphCell(area.View(), 0, 0, strip.View(), cellCount, cellNumber);
  BitBlt(canvas.Handle(), x, y, cell.cx, cell.cy, area.DC(), 0, 0, SRCCOPY);
}

void DrawGlyphAndCaption(TCanvas& canvas, TRect rect, int margin, int spacing, TButtonLayout layout,
                         std::string_view caption, HBITMAP glyph, int cellCount, int cellNumber, bool down) {
  const SIZE cell = CellSize(glyph, cellCount);
  RECT measured{0, 0, 0, 0};
  canvas.DrawText(caption, measured, DT_CALCRECT);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TGlyphTextPlace place = LayoutGlyphAndText(layout, rect, cell.cx, cell.cy, measured.right - measured.left,
                                             measured.bottom - measured.top, spacing, margin);
  if (down) {
    place.Glyph = {place.Glyph.X + 1, place.Glyph.Y + 1};
    place.Text = {place.Text.X + 1, place.Text.Y + 1};
  }
  RECT textRect{place.Text.X, place.Text.Y, place.Text.X, place.Text.Y};
  canvas.DrawText(caption, textRect, DT_CALCRECT);
  textRect.right += 2;
  canvas.DrawText(caption, textRect, DT_CENTER | DT_VCENTER);
  if (cell.cx > 0) DrawGlyphCell(canvas, place.Glyph.X, place.Glyph.Y, glyph, cellCount, cellNumber);
}
