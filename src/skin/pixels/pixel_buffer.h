#pragma once
// A 24-bit top-down pixel buffer in the row layout of a DIB section: each row
// holds blue, green, red per pixel and is padded to a multiple of 4 bytes.
// PixelView reads and writes memory it does not own (a DIB section's, or a
// PixelImage's), so the composition and effect arithmetic runs the same on
// Windows bitmaps and in native tests.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/color.h"

struct Bgr {
  uint8_t Blue = 0, Green = 0, Red = 0;
  bool operator==(const Bgr&) const = default;
};

// A colour's pixel; system colours as the system shows them now.
inline Bgr BgrOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return {BlueOf(rgb), GreenOf(rgb), RedOf(rgb)};
}

// Bytes per row: 3 per pixel, rounded up to 4 (equal to 3·W + W mod 4).
constexpr size_t PixelRowStride(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

class PixelView {
 public:
  PixelView() = default;
  PixelView(uint8_t* bits, int width, int height)
      : FBits(bits), FWidth(width > 0 && height > 0 ? width : 0), FHeight(width > 0 && height > 0 ? height : 0) {}

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  size_t Stride() const { return PixelRowStride(FWidth); }
  uint8_t* Row(int y) const { return FBits + static_cast<size_t>(y) * Stride(); }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }

  Bgr At(int x, int y) const {
    const uint8_t* p = Row(y) + 3 * static_cast<size_t>(x);
    return {p[0], p[1], p[2]};
  }
  void Set(int x, int y, Bgr color) const {
    uint8_t* p = Row(y) + 3 * static_cast<size_t>(x);
    p[0] = color.Blue;
    p[1] = color.Green;
    p[2] = color.Red;
  }

 private:
  uint8_t* FBits = nullptr;
  int FWidth = 0, FHeight = 0;
};

// Owned pixels: scratch pictures and test images. Starts black.
class PixelImage {
 public:
  PixelImage() = default;
  PixelImage(int width, int height)
      : FWidth(width > 0 && height > 0 ? width : 0),
        FHeight(width > 0 && height > 0 ? height : 0),
        FBytes(PixelRowStride(FWidth) * static_cast<size_t>(FHeight)) {}

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  PixelView View() { return PixelView(FBytes.data(), FWidth, FHeight); }
  // Read-only use goes through the same view; callers do not write through it.
  PixelView View() const { return PixelView(const_cast<uint8_t*>(FBytes.data()), FWidth, FHeight); }
  Bgr At(int x, int y) const { return View().At(x, y); }
  void Set(int x, int y, Bgr color) { View().Set(x, y, color); }
  bool operator==(const PixelImage&) const = default;

 private:
  int FWidth = 0, FHeight = 0;
  std::vector<uint8_t> FBytes;
};
