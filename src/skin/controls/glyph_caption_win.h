#pragma once
// A button's glyph cell and caption on a canvas, the "..." rule measured
// with the canvas font, and the fallback caption glyphs drawn with its pen.
#include <windows.h>

#include <string>
#include <string_view>

#include "skin/pixels/caption_glyphs.h"
#include "skin/pixels/glyph_layout.h"
#include "ui/graphics/canvas_win.h"

class CanvasGlyphs : public GlyphCanvas {
 public:
  explicit CanvasGlyphs(TCanvas& canvas) : FCanvas(canvas) {}
  void Line(int x0, int y0, int x1, int y1, TColor color) override;
  void FrameRectangle(TRect r, TColor color) override;
  void FillRectangle(TRect r, TColor color) override;

 private:
  TCanvas& FCanvas;
};

class CanvasTextMeasure : public TextMeasure {
 public:
  explicit CanvasTextMeasure(TCanvas& canvas) : FCanvas(canvas) {}
  int TextWidth(std::string_view text) override { return FCanvas.TextWidth(text); }

 private:
  TCanvas& FCanvas;
};

// Measures at a height by setting it on the canvas font, which keeps the last one.
class CanvasSizedTextMeasure : public SizedTextMeasure {
 public:
  explicit CanvasSizedTextMeasure(TCanvas& canvas) : FCanvas(canvas) {}
  int TextWidth(std::string_view text, int fontHeight) override {
    FCanvas.Font().SetHeight(fontHeight);
    return FCanvas.TextWidth(text);
  }

 private:
  TCanvas& FCanvas;
};

void EllipsizeText(TCanvas& canvas, std::string& text, int maxWidth);

// Cell `cellNumber` (1-based) of the glyph strip at (x, y), its bottom-left
// colour transparent.
void DrawGlyphCell(TCanvas& canvas, int x, int y, HBITMAP glyph, int cellCount, int cellNumber);

// The caption (canvas font, transparent background) and the glyph cell laid
// out in rect; with `down` both move one pixel right and down. No glyph is
// drawn for a null or empty glyph or a cell count below 1.
void DrawGlyphAndCaption(TCanvas& canvas, TRect rect, int margin, int spacing, TButtonLayout layout,
                         std::string_view caption, HBITMAP glyph, int cellCount, int cellNumber, bool down);
