#include "skin/pixels/fast_bitmap_win.h"

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "base/exceptions.h"

BITMAPINFO TopDownDibInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TFBitmap::TFBitmap(HBITMAP source) {
  BITMAP record{};
  if (!source || GetObjectW(source, sizeof record, &record) != sizeof record)
    throw EInvalidGraphic("Invalid bitmap handle");
  Allocate(record.bmWidth, std::abs(record.bmHeight));
  if (Empty()) return;
  BITMAPINFO info = TopDownDibInfo(FWidth, FHeight);
  WindowDC screen(nullptr);
  if (GetDIBits(screen.Get(), source, 0, UINT(FHeight), FBits, &info, DIB_RGB_COLORS) != FHeight)
    throw EOutOfResources("Out of system resources: cannot read a bitmap's pixels");
}

TFBitmap::TFBitmap(int width, int height) { Allocate(width, height); }

TFBitmap::TFBitmap(PixelView pixels) {
  Allocate(pixels.Width(), pixels.Height());
  for (int y = 0; y < FHeight; ++y) std::memcpy(FBits + y * pixels.Stride(), pixels.Row(y), pixels.Stride());
}

TFBitmap::TFBitmap(TFBitmap&& other) noexcept
    : FBitmap(std::move(other.FBitmap)),
      FDC(std::move(other.FDC)),
      FBits(std::exchange(other.FBits, nullptr)),
      FWidth(std::exchange(other.FWidth, 0)),
      FHeight(std::exchange(other.FHeight, 0)) {}

TFBitmap& TFBitmap::operator=(TFBitmap&& other) noexcept {
  if (this != &other) {
    // The old DC goes before the old DIB: a DIB still selected cannot be deleted.
    FDC = std::move(other.FDC);
    FBitmap = std::move(other.FBitmap);
    FBits = std::exchange(other.FBits, nullptr);
    FWidth = std::exchange(other.FWidth, 0);
    FHeight = std::exchange(other.FHeight, 0);
  }
  return *this;
}

void TFBitmap::Allocate(int width, int height) {
  FDC.Reset(CreateCompatibleDC(nullptr));
  if (!FDC) throw EOutOfResources("Out of system resources: cannot create a device context");
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info = TopDownDibInfo(width, height);
  void* bits = nullptr;
  FBitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FBitmap)
    throw EOutOfResources("Out of system resources: cannot create a " + std::to_string(width) + " x " +
                          std::to_string(height) + " bitmap");
  SelectObject(FDC.Get(), FBitmap.Get());
  FBits = static_cast<uint8_t*>(bits);
  FWidth = width;
  FHeight = height;
}

PixelView TFBitmap::View() const {
  GdiFlush();
  return PixelView(FBits, FWidth, FHeight);
}

void DrawPixels(HDC dc, int x, int y, PixelView pixels) {
  if (pixels.Empty()) return;
  BITMAPINFO info = TopDownDibInfo(pixels.Width(), pixels.Height());
  SetDIBitsToDevice(dc, x, y, DWORD(pixels.Width()), DWORD(pixels.Height()), 0, 0, 0, UINT(pixels.Height()),
                    pixels.Row(0), &info, DIB_RGB_COLORS);
}

void DrawThroughGdi(PixelView pixels, const std::function<void(HDC dc)>& draw) {
  TFBitmap scratch(0, 0);
  DrawThroughGdi(pixels, scratch, draw);
}

void DrawThroughGdi(PixelView pixels, TFBitmap& scratch, const std::function<void(HDC dc)>& draw) {
  if (pixels.Width() <= 0 || pixels.Height() <= 0) return;
  if (scratch.Width() != pixels.Width() || scratch.Height() != pixels.Height())
    scratch = TFBitmap(pixels.Width(), pixels.Height());
  const size_t rowBytes = 3 * static_cast<size_t>(pixels.Width());
  PixelView bits = scratch.View();
  for (int y = 0; y < pixels.Height(); ++y) std::copy(pixels.Row(y), pixels.Row(y) + rowBytes, bits.Row(y));
  draw(scratch.DC());
  bits = scratch.View();
  for (int y = 0; y < pixels.Height(); ++y) std::copy(bits.Row(y), bits.Row(y) + rowBytes, pixels.Row(y));
}
