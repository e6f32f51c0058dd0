#include "skin/controls/glyph_layout.h"

TGlyphTextPlace LayoutGlyphAndText(TButtonLayout layout, TRect rect, int glyphWidth, int glyphHeight, int textWidth,
                                   int textHeight, int spacing, int margin) {
  const int cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
  TGlyphTextPlace place;
  TPoint& glyph = place.Glyph;
  TPoint& text = place.Text;
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  // The coordinate across the layout's direction is always centred.
  if (across) {
    glyph.Y = cy - glyphHeight / 2;
    text.Y = cy - textHeight / 2;
  } else {
    glyph.X = cx - glyphWidth / 2;
    text.X = cx - textWidth / 2;
  }
  if (margin == -1) {
    const int hw = (glyphWidth + textWidth + spacing) / 2, hh = (textHeight + glyphHeight + spacing) / 2;
    switch (layout) {
      case blGlyphLeft: glyph.X = cx - hw, text.X = cx + hw - textWidth; break;
      case blGlyphRight: text.X = cx - hw, glyph.X = cx + hw - glyphWidth; break;
      case blGlyphTop: glyph.Y = cy - hh, text.Y = cy + hh - textHeight; break;
      case blGlyphBottom: text.Y = cy - hh, glyph.Y = cy + hh - glyphHeight; break;
    }
    return place;
  }
  switch (layout) {
    case blGlyphLeft: glyph.X = rect.Left + margin, text.X = glyph.X + glyphWidth + spacing; break;
    case blGlyphRight: glyph.X = rect.Right - glyphWidth - margin, text.X = glyph.X - spacing - textWidth; break;
    case blGlyphTop: glyph.Y = rect.Top + margin, text.Y = glyph.Y + glyphHeight + spacing; break;
    case blGlyphBottom: glyph.Y = rect.Bottom - glyphHeight - margin, text.Y = glyph.Y - spacing - textHeight; break;
  }
  return place;
}

void DrawGlyphCell(PixelView target, int x, int y, PixelView glyph, int cellCount, int cellNumber) {
  if (glyph.Empty() || cellCount < 1 || cellNumber < 1 || cellNumber > cellCount) return;
  const int cellWidth = glyph.Width() / cellCount, height = glyph.Height();
  const int left = cellWidth * (cellNumber - 1);
  if (cellWidth == 0) return;
  const Bgr transparent = glyph.At(left, height - 1);
  for (int row = 0; row < height; ++row) {
    const int64_t ty = int64_t{y} + row;
    if (ty < 0 || ty >= target.Height()) continue;
    for (int column = 0; column < cellWidth; ++column) {
      const int64_t tx = int64_t{x} + column;
      if (tx < 0 || tx >= target.Width()) continue;
      const Bgr pixel = glyph.At(left + column, row);
      if (!(pixel == transparent)) target.Set(int(tx), int(ty), pixel);
    }
  }
}

void EllipsizeText(TextMeasure& measure, std::string& text, int maxWidth) {
  if (measure.TextWidth(text) <= maxWidth) return;
  std::string rest = text;
  while (!rest.empty()) {
    // Drop the last character with all its continuation bytes.
    size_t end = rest.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(rest[end]) & 0xC0) == 0x80) --end;
    rest.resize(end);
    if (rest.empty() || measure.TextWidth(rest + "...") <= maxWidth) break;
  }
  text = rest + "...";
}
