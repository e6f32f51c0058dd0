#include "skin/pixels/pixel_glyph_canvas.h"

#include <algorithm>
#include <cstdlib>

#include "skin/pixels/pixel_copy.h"

void PixelGlyphCanvas::Line(int x0, int y0, int x1, int y1, TColor color) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  const Bgr c = BgrOf(color);
  for (int i = 0; i < steps; ++i) Put(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, c);
}

void PixelGlyphCanvas::FrameRectangle(TRect r, TColor color) {
  if (IsEmptyRect(r)) return;
  const Bgr c = BgrOf(color);
  for (int x = r.Left; x < r.Right; ++x) Put(x, r.Top, c), Put(x, r.Bottom - 1, c);
  for (int y = r.Top; y < r.Bottom; ++y) Put(r.Left, y, c), Put(r.Right - 1, y, c);
}

void PixelGlyphCanvas::FillRectangle(TRect r, TColor color) { FillPixels(FTarget, r, BgrOf(color)); }

void PixelGlyphCanvas::Put(int x, int y, Bgr c) const {
  if (FTarget.Contains(x, y)) FTarget.Set(x, y, c);
}
