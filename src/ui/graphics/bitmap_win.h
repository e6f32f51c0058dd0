#pragma once
// A bitmap backed by a 32-bit top-down DIB section, so drawing goes through
// GDI and pixels can be read and written directly. It remembers the depth
// and palette of the file it was read from, which it writes back.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "ui/system/handles_win.h"

class TCanvas;
class TStream;

class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Depth of the file it was read from; 32 for a bitmap made here.
  uint16_t BitCount() const { return FBitCount; }
  const std::vector<uint32_t>& Palette() const { return FPalette; }

  // New size, cleared to black; the file depth becomes 32.
  void SetSize(int width, int height);
  // Row y as 0x00RRGGBB (alpha byte as the file gave it) pixels.
  uint32_t* ScanLine(int y);
  const uint32_t* ScanLine(int y) const;
  HBITMAP Handle() const { return FBitmap.Get(); }
  TCanvas& Canvas();

  void LoadFromBytes(std::span<const uint8_t> file);
  void LoadFromStream(TStream& stream);
  std::vector<uint8_t> SaveToBytes() const;
  void SaveToStream(TStream& stream) const;

 private:
  void Allocate(int width, int height);
  void ReleaseCanvas();

  int FWidth = 0, FHeight = 0;
  uint16_t FBitCount = 32;
  std::vector<uint32_t> FPalette;
  uint32_t* FBits = nullptr;
  BitmapHandle FBitmap;
  MemoryDCHandle FDC;
  HGDIOBJ FOriginalBitmap = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};
