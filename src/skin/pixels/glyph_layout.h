#pragma once
// Where a button's glyph and caption go, one glyph cell out of a strip of
// cells, the "..." shortening of a text to a width and the fitting of a
// caption that is too wide for its area.
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "skin/pixels/pixel_buffer.h"

enum TButtonLayout { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };

struct TGlyphTextPlace {
  TPoint Glyph, Text;
};

// The glyph and text placed in `rect` `margin` pixels from the side the
// layout names, `spacing` apart; a margin of -1 centres them as a group.
TGlyphTextPlace LayoutGlyphAndText(TButtonLayout layout, TRect rect, int glyphWidth, int glyphHeight, int textWidth,
                                   int textHeight, int spacing, int margin);

// Cell `cellNumber` (1-based) of a strip of `cellCount` equal cells, drawn
// at (x, y) with the colour of the cell's bottom-left pixel transparent.
// Nothing is drawn for an empty glyph, a cell count below 1 or a cell
// number outside the strip; the drawing is clipped to the target.
void DrawGlyphCell(PixelView target, int x, int y, PixelView glyph, int cellCount, int cellNumber);

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int TextWidth(std::string_view text) = 0;
};

// Leaves a text that fits in maxWidth as it is; otherwise drops characters
// from its end until the rest followed by "..." fits, down to "..." alone.
// Characters are whole UTF-8 sequences.
void EllipsizeText(TextMeasure& measure, std::string& text, int maxWidth);

// Text widths at a font height (a height as the font takes it: negative
// for the characters' height, positive for the cell's).
class SizedTextMeasure {
 public:
  virtual ~SizedTextMeasure() = default;
  virtual int TextWidth(std::string_view text, int fontHeight) = 0;
};

struct TCaptionFit {
  TRect Area;
  int FontHeight = 0;
};

// The smallest font a fitted caption is drawn in, in pixels.
inline constexpr int kLeastCaptionFontHeight = 7;
// Keeps a caption readable whole (a running time in a long format, say):
// one that fits its area stays as it is; a wider one takes the face's whole
// width, `faceMargin` pixels in from each side, and then smaller font
// heights a pixel at a time until it fits, down to the least height.
TCaptionFit FitCaption(SizedTextMeasure& measure, std::string_view text, TRect captionArea, TRect face,
                       int faceMargin, int fontHeight);
