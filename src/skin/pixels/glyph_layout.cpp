#include "skin/pixels/glyph_layout.h"

#include <cstdlib>

TGlyphTextPlace LayoutGlyphAndText(TButtonLayout layout, TRect rect, int glyphWidth, int glyphHeight, int textWidth,
                                   int textHeight, int spacing, int margin) {
  // 64 bits: the rectangle comes from a skin and may lie anywhere.
  const int64_t cx = rect.Left + int64_t{rect.Width()} / 2, cy = rect.Top + int64_t{rect.Height()} / 2;
  int64_t glyphX = 0, glyphY = 0, textX = 0, textY = 0;
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  // The coordinate across the layout's direction is always centred.
  if (across) {
    glyphY = cy - glyphHeight / 2;
    textY = cy - textHeight / 2;
  } else {
    glyphX = cx - glyphWidth / 2;
    textX = cx - textWidth / 2;
  }
  if (margin == -1) {
    const int64_t hw = (int64_t{glyphWidth} + textWidth + spacing) / 2;
    const int64_t hh = (int64_t{textHeight} + glyphHeight + spacing) / 2;
    switch (layout) {
      case blGlyphLeft: glyphX = cx - hw, textX = cx + hw - textWidth; break;
      case blGlyphRight: textX = cx - hw, glyphX = cx + hw - glyphWidth; break;
      case blGlyphTop: glyphY = cy - hh, textY = cy + hh - textHeight; break;
      case blGlyphBottom: textY = cy - hh, glyphY = cy + hh - glyphHeight; break;
    }
  } else {
    switch (layout) {
      case blGlyphLeft: glyphX = int64_t{rect.Left} + margin, textX = glyphX + glyphWidth + spacing; break;
      case blGlyphRight:
        glyphX = int64_t{rect.Right} - glyphWidth - margin, textX = glyphX - spacing - textWidth;
        break;
      case blGlyphTop: glyphY = int64_t{rect.Top} + margin, textY = glyphY + glyphHeight + spacing; break;
      case blGlyphBottom:
        glyphY = int64_t{rect.Bottom} - glyphHeight - margin, textY = glyphY - spacing - textHeight;
        break;
    }
  }
  return {{Saturate(glyphX), Saturate(glyphY)}, {Saturate(textX), Saturate(textY)}};
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

TCaptionFit FitCaption(SizedTextMeasure& measure, std::string_view text, TRect captionArea, TRect face,
                       int faceMargin, int fontHeight) {
  if (measure.TextWidth(text, fontHeight) <= captionArea.Width()) return {captionArea, fontHeight};
  const TRect wide{face.Left + faceMargin, captionArea.Top, face.Right - faceMargin, captionArea.Bottom};
  if (wide.Width() <= captionArea.Width()) return {captionArea, fontHeight};
  const int sign = fontHeight < 0 ? -1 : 1;
  int height = fontHeight == 0 ? 0 : std::abs(fontHeight);
  while (height > kLeastCaptionFontHeight && measure.TextWidth(text, sign * height) > wide.Width()) --height;
  return {wide, height == 0 ? fontHeight : sign * height};
}
