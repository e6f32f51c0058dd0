#pragma once
// The small glyphs drawn on caption buttons and menu items when the skin
// gives no picture for them, drawn with one-pixel pen lines and rectangles.
#include "base/color.h"
#include "base/geometry.h"

class GlyphCanvas {
 public:
  virtual ~GlyphCanvas() = default;
  // A one-pixel pen line from (x0, y0) up to, but not including, (x1, y1).
  virtual void Line(int x0, int y0, int x1, int y1, TColor color) = 0;
  // The one-pixel outline of r (Right and Bottom exclusive); inside untouched.
  virtual void FrameRectangle(TRect r, TColor color) = 0;
  virtual void FillRectangle(TRect r, TColor color) = 0;
};

enum class TCaptionGlyph { Close, Minimize, Maximize, Restore, SystemMenu, DownTriangle, UpTriangle, FilledSquare };

// The glyph in its 11 x 10 cell at (x, y).
void DrawCaptionGlyph(GlyphCanvas& canvas, TCaptionGlyph glyph, int x, int y, TColor color);

enum class TArrowKind { Left = 1, Right = 2, Up = 3, Down = 4 };

// A 7-pixel-wide arrow head pointing `kind`-wards at the centre of rect.
void DrawArrowGlyph(GlyphCanvas& canvas, TRect rect, TArrowKind kind, TColor color);
