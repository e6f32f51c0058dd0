#pragma once
// What the frame functions need of a canvas: one-pixel pen lines and single
// pixels. The Win32 side implements it over a device context; system colours
// are resolved by the implementation when it draws.
#include "base/color.h"

class FrameCanvas {
 public:
  virtual ~FrameCanvas() = default;
  virtual void SetPenColor(TColor color) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws from the current position up to, but not including, (x, y), and
  // makes (x, y) the current position.
  virtual void LineTo(int x, int y) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
};
