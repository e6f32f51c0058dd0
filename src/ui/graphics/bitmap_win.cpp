#include "ui/graphics/bitmap_win.h"

#include <algorithm>
#include <cstring>

#include "base/codecs/bmp_codec.h"
#include "ui/graphics/canvas_win.h"
#include "base/exceptions.h"
#include "base/stream.h"

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() { ReleaseCanvas(); }

void TBitmap::ReleaseCanvas() {
  FCanvas.reset();
  if (FDC && FOriginalBitmap) SelectObject(FDC.Get(), FOriginalBitmap);
  FOriginalBitmap = nullptr;
  FDC.Reset();
}

void TBitmap::Allocate(int width, int height) {
  ReleaseCanvas();
  FBitmap.Reset();
  FBits = nullptr;
  FWidth = FHeight = 0;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) throw EOutOfResources("Out of system resources: cannot create a " + std::to_string(width) + " x " +
                                     std::to_string(height) + " bitmap");
  FBitmap = std::move(bitmap);
  FBits = static_cast<uint32_t*>(bits);
  FWidth = width;
  FHeight = height;
}

void TBitmap::SetSize(int width, int height) {
  Allocate(width, height);
  FBitCount = 32;
  FPalette.clear();
}

uint32_t* TBitmap::ScanLine(int y) { return FBits + static_cast<size_t>(y) * FWidth; }

const uint32_t* TBitmap::ScanLine(int y) const { return FBits + static_cast<size_t>(y) * FWidth; }

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) {
    FDC.Reset(CreateCompatibleDC(nullptr));
    if (!FDC) throw EOutOfResources("Out of system resources: cannot create a device context");
    if (FBitmap) FOriginalBitmap = SelectObject(FDC.Get(), FBitmap.Get());
    FCanvas = std::make_unique<TCanvas>(FDC.Get());
  }
  GdiFlush();
  return *FCanvas;
}

void TBitmap::LoadFromBytes(std::span<const uint8_t> file) {
  BmpImage image = DecodeBmp(file);
  Allocate(image.width, image.height);
  FBitCount = image.bitCount;
  FPalette = image.palette;
  if (FBits) std::memcpy(FBits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
}

void TBitmap::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> bytes(static_cast<size_t>(stream.Size() - stream.Position()));
  stream.ReadBuffer(bytes.data(), bytes.size());
  LoadFromBytes(bytes);
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  GdiFlush();
  BmpImage image;
  image.width = FWidth;
  image.height = FHeight;
  image.pixels.assign(FBits, FBits + static_cast<size_t>(FWidth) * FHeight);
  image.bitCount = FBitCount == 32 ? 32 : 24;
  // Back to the file's palette when every pixel still has an entry there.
  if (FBitCount <= 8 && !FPalette.empty()) {
    image.indices.reserve(image.pixels.size());
    for (uint32_t pixel : image.pixels) {
      auto it = std::find(FPalette.begin(), FPalette.end(), pixel & 0xFFFFFF);
      if (it == FPalette.end()) break;
      image.indices.push_back(static_cast<uint8_t>(it - FPalette.begin()));
    }
    if (image.indices.size() == image.pixels.size()) {
      image.bitCount = FBitCount;
      image.palette = FPalette;
    } else {
      image.indices.clear();
    }
  }
  return EncodeBmp(image);
}

void TBitmap::SaveToStream(TStream& stream) const {
  std::vector<uint8_t> bytes = SaveToBytes();
  stream.WriteBuffer(bytes.data(), bytes.size());
}
