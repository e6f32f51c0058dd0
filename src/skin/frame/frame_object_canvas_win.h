#pragma once
// Where the frame's objects draw: pixels of a frame strip or of the whole
// frame, with text and the form's icon drawn through GDI on a copy of the
// pixels they cover, which goes back when the drawing is done.
#include <windows.h>

#include <string_view>

#include "skin/frame/caption_objects.h"
#include "ui/graphics/font.h"

class FrameObjectCanvas : public TObjectCanvas {
 public:
  FrameObjectCanvas(PixelView pixels, TPoint origin) : TObjectCanvas(pixels, origin) {}

  void SelectCaptionFont(const TSkinCaptionObject& caption) override;
  // The skin-less caption's font.
  void UseFont(const TFont& font) { FFont.Assign(font); }
  int TextWidth(std::string_view text) override { return Measure(text).cx; }
  int TextHeight() override { return Measure("Wg").cy; }
  void DrawText(PixelView target, int x, int y, std::string_view text, TColor color) override;
  // The program's icon, or the system's application icon when it has none.
  void DrawFormIcon(TRect rect) override;

 private:
  SIZE Measure(std::string_view text);

  TFont FFont;
};
