#pragma once
// TFBitmap: a 24-bit top-down DIB section with a memory DC, whose pixels the
// composition and mask code reads and writes directly through a PixelView.
#include <windows.h>

#include <functional>

#include "skin/pixels/pixel_buffer.h"
#include "ui/system/handles_win.h"

class TFBitmap {
 public:
  // A copy of the bitmap's pixels at 24 bits. Throws EInvalidGraphic when
  // the handle is not a bitmap, EOutOfResources when GDI refuses.
  explicit TFBitmap(HBITMAP source);
  // Black pixels; 0 x 0 for a size below 1.
  TFBitmap(int width, int height);
  explicit TFBitmap(PixelView pixels);
  TFBitmap(TFBitmap&& other) noexcept;
  TFBitmap& operator=(TFBitmap&& other) noexcept;
  TFBitmap(const TFBitmap&) = delete;
  TFBitmap& operator=(const TFBitmap&) = delete;
  ~TFBitmap() = default;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Flushes GDI's pending drawing first, so the pixels are current.
  PixelView View() const;
  HBITMAP Handle() const { return FBitmap.Get(); }
  // The memory DC the DIB is selected into.
  HDC DC() const { return FDC.Get(); }

 private:
  void Allocate(int width, int height);

  // The DIB is declared first so that the DC holding it goes first.
  BitmapHandle FBitmap;
  MemoryDCHandle FDC;
  uint8_t* FBits = nullptr;
  int FWidth = 0, FHeight = 0;
};

// The header of a width x height 24-bit top-down DIB.
BITMAPINFO TopDownDibInfo(int width, int height);

// Draws portable pixels onto a DC with their top-left at (x, y).
void DrawPixels(HDC dc, int x, int y, PixelView pixels);

// GDI drawing (text, icons) onto portable pixels: `draw` paints on a DC
// holding a copy of them, and the result goes back into `pixels`.
void DrawThroughGdi(PixelView pixels, const std::function<void(HDC dc)>& draw);
// The same on a bitmap kept between calls: drawing many times at one size
// makes the bitmap once.
void DrawThroughGdi(PixelView pixels, TFBitmap& scratch, const std::function<void(HDC dc)>& draw);
