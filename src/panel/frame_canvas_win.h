#pragma once
// The frame functions drawing through a GDI canvas.
#include "ui/graphics/canvas_win.h"
#include "panel/frame_canvas.h"

class GdiFrameCanvas : public FrameCanvas {
 public:
  explicit GdiFrameCanvas(TCanvas& canvas) : FCanvas(canvas) {}
  void SetPenColor(TColor color) override { FCanvas.Pen().SetColor(color); }
  void SetPenWidth(int width) override { FCanvas.Pen().SetWidth(width); }
  void MoveTo(int x, int y) override { FCanvas.MoveTo(x, y); }
  void LineTo(int x, int y) override { FCanvas.LineTo(x, y); }
  void SetPixel(int x, int y, TColor color) override { FCanvas.SetPixel(x, y, color); }

 private:
  TCanvas& FCanvas;
};
