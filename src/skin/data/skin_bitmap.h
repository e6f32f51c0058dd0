#pragma once
// One picture of a skin: the BMP file exactly as it travels in a package,
// and its decoded pixels. An empty bitmap means the picture is absent.
#include <cstdint>
#include <string>
#include <vector>

#include "base/codecs/bmp_codec.h"
#include "base/stream.h"

// How many pixels the pictures of one skin may decode to together: far more
// than any real skin, far less than a few hostile headers could ask for.
class PixelBudget {
 public:
  explicit PixelBudget(int64_t pixels) : FLeft(pixels) {}
  // Throws EInvalidGraphic when the pixels are more than what is left.
  void Spend(int64_t pixels);

 private:
  int64_t FLeft;
};

class TSkinBitmap {
 public:
  bool Empty() const { return FFile.empty(); }
  void Clear();

  // Reads exactly one BMP file from the stream's position: its length comes
  // from the file header's size field, which must fit in what remains.
  // Throws EReadError for a truncated file, EInvalidGraphic for a bad one;
  // the bitmap is unchanged then. The decoded pixels are taken from the
  // budget before decoding.
  void LoadFromStream(TStream& stream, PixelBudget& budget);
  // A whole BMP file from disk or memory, kept without any bytes after its
  // pixel rows and with its size field set to that length, ready to be
  // stored in a package.
  void LoadFromFile(const std::string& fileName);
  void LoadFromBytes(std::vector<uint8_t> file);
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

  const std::vector<uint8_t>& FileBytes() const { return FFile; }
  const BmpImage& Image() const { return FImage; }
  int32_t Width() const { return FImage.width; }
  int32_t Height() const { return FImage.height; }
  int BitCount() const { return Empty() ? 0 : FImage.bitCount; }

 private:
  void Adopt(std::vector<uint8_t> file, BmpImage image);

  std::vector<uint8_t> FFile;
  BmpImage FImage;
};
