#include "ui/graphics/canvas_win.h"

#include <vector>

#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/font_win.h"
#include "base/exceptions.h"
#include "base/utf_win.h"

namespace {
COLORREF Ref(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

// A failed creation leaves the selected object where it is: it must not be
// replaced (and so deleted) while the DC still uses it.
template <class Handle>
Handle Created(Handle handle, const char* what) {
  if (!handle) throw EOutOfResources(std::string("Out of system resources: cannot create a ") + what);
  return handle;
}

int PenStyle(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash: return PS_DASH;
    case TPenStyle::psDot: return PS_DOT;
    case TPenStyle::psDashDot: return PS_DASHDOT;
    case TPenStyle::psDashDotDot: return PS_DASHDOTDOT;
    case TPenStyle::psClear: return PS_NULL;
    case TPenStyle::psInsideFrame: return PS_INSIDEFRAME;
    case TPenStyle::psSolid: break;
  }
  return PS_SOLID;
}
}  // namespace

TCanvas::TCanvas(HDC dc) : FDC(dc) {}

TCanvas::~TCanvas() {
  if (FOriginalPen) SelectObject(FDC, FOriginalPen);
  if (FOriginalBrush) SelectObject(FDC, FOriginalBrush);
  if (FOriginalFont) SelectObject(FDC, FOriginalFont);
}

void TCanvas::RealizePen() {
  if (FRealizedPen == FPen) return;
  PenHandle pen = Created(PenHandle(CreatePen(PenStyle(FPen.style), FPen.width, Ref(FPen.color))), "pen");
  HGDIOBJ old = SelectObject(FDC, pen.Get());
  if (!FOriginalPen) FOriginalPen = old;
  FPenHandle = std::move(pen);
  FRealizedPen = FPen;
}

void TCanvas::RealizeBrush() {
  if (FRealizedBrush == FBrush) return;
  BrushHandle brush = FBrush.style == TBrushStyle::bsClear
                          ? BrushHandle()
                          : Created(BrushHandle(CreateSolidBrush(Ref(FBrush.color))), "brush");
  HGDIOBJ old = SelectObject(FDC, brush ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
  if (!FOriginalBrush) FOriginalBrush = old;
  FBrushHandle = std::move(brush);
  FRealizedBrush = FBrush;
  SetBkMode(FDC, FBrush.style == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
  SetBkColor(FDC, Ref(FBrush.color));
}

void TCanvas::RealizeFont() {
  if (!FRealizedFont || !(*FRealizedFont == FFont)) {
    FontHandle font = Created(CreateFontHandle(FFont), "font");
    HGDIOBJ old = SelectObject(FDC, font.Get());
    if (!FOriginalFont) FOriginalFont = old;
    FFontHandle = std::move(font);
    FRealizedFont = FFont;
  }
  SetTextColor(FDC, Ref(FFont.Color()));
  RealizeBrush();
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(FDC, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  RealizePen();
  ::LineTo(FDC, x, y);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  RealizePen();
  RealizeBrush();
  ::Rectangle(FDC, left, top, right, bottom);
}

void TCanvas::FillRect(const RECT& r) {
  if (FBrush.style == TBrushStyle::bsClear) return;
  RealizeBrush();
  ::FillRect(FDC, &r, FBrushHandle.Get());
}

void TCanvas::FrameRect(const RECT& r) {
  if (FBrush.style == TBrushStyle::bsClear) return;
  RealizeBrush();
  ::FrameRect(FDC, &r, FBrushHandle.Get());
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  RealizePen();
  RealizeBrush();
  ::Ellipse(FDC, left, top, right, bottom);
}

void TCanvas::Polygon(std::span<const POINT> points) {
  RealizePen();
  RealizeBrush();
  ::Polygon(FDC, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(std::span<const POINT> points) {
  RealizePen();
  ::Polyline(FDC, points.data(), static_cast<int>(points.size()));
}

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(GetPixel(FDC, x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixelV(FDC, x, y, Ref(color)); }

void TCanvas::TextOut(int x, int y, std::string_view text) {
  RealizeFont();
  std::wstring wide = Utf8ToWide(text);
  ::TextOutW(FDC, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

SIZE TCanvas::TextExtent(std::string_view text) {
  RealizeFont();
  std::wstring wide = Utf8ToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(FDC, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

int TCanvas::DrawText(std::string_view text, RECT& rect, UINT format) {
  RealizeFont();
  std::wstring wide = Utf8ToWide(text);
  return ::DrawTextW(FDC, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  StretchBlt(FDC, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top,
             SRCCOPY);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  BitBlt(FDC, x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& dest, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  SetStretchBltMode(FDC, COLORONCOLOR);
  StretchBlt(FDC, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, bitmap.Canvas().Handle(), 0,
             0, bitmap.Width(), bitmap.Height(), SRCCOPY);
}
