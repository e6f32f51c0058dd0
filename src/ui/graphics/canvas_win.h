#pragma once
// Drawing on a device context with a pen, a brush and a font. The canvas
// makes the GDI objects when a drawing call needs them and puts back what
// the DC held when it goes away.
#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

#include "base/color.h"
#include "ui/graphics/font.h"
#include "ui/system/handles_win.h"

class TBitmap;

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TBrushStyle { bsSolid, bsClear };

struct TPen {
  TColor color = clBlack;
  int width = 1;
  TPenStyle style = TPenStyle::psSolid;
  void SetColor(TColor c) { color = c; }
  void SetWidth(int w) { width = w; }
  void SetStyle(TPenStyle s) { style = s; }
  bool operator==(const TPen&) const = default;
};

struct TBrush {
  TColor color = clWhite;
  TBrushStyle style = TBrushStyle::bsSolid;
  void SetColor(TColor c) {
    color = c;
    style = TBrushStyle::bsSolid;
  }
  void SetStyle(TBrushStyle s) { style = s; }
  bool operator==(const TBrush&) const = default;
};

class TCanvas {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return FDC; }
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TFont& Font() { return FFont; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Ellipse(int left, int top, int right, int bottom);
  void Polygon(std::span<const POINT> points);
  void Polyline(std::span<const POINT> points);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  void TextOut(int x, int y, std::string_view text);
  SIZE TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }
  // DrawTextW with the canvas font; returns the text height.
  int DrawText(std::string_view text, RECT& rect, UINT format);

  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
  void Draw(int x, int y, TBitmap& bitmap);
  void StretchDraw(const RECT& dest, TBitmap& bitmap);

 private:
  void RealizePen();
  void RealizeBrush();
  void RealizeFont();

  HDC FDC;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  // Owned objects first, so the guards below put the originals back before
  // these are deleted.
  PenHandle FPenHandle;
  BrushHandle FBrushHandle;
  FontHandle FFontHandle;
  std::optional<TPen> FRealizedPen;
  std::optional<TBrush> FRealizedBrush;
  std::optional<TFont> FRealizedFont;
  HGDIOBJ FOriginalPen = nullptr, FOriginalBrush = nullptr, FOriginalFont = nullptr;
};
