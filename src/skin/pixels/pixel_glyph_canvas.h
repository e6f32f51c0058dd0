#pragma once
// The caption and arrow glyphs drawn straight into pixels, clipped to the
// picture: the frame's skin-less buttons and the menus draw their glyphs so.
#include "skin/pixels/caption_glyphs.h"
#include "skin/pixels/pixel_buffer.h"

class PixelGlyphCanvas : public GlyphCanvas {
 public:
  explicit PixelGlyphCanvas(PixelView target) : FTarget(target) {}
  void Line(int x0, int y0, int x1, int y1, TColor color) override;
  void FrameRectangle(TRect r, TColor color) override;
  void FillRectangle(TRect r, TColor color) override;

 private:
  void Put(int x, int y, Bgr c) const;
  PixelView FTarget;
};
