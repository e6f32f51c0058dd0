#include "base/codecs/ico_file.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "base/exceptions.h"
#include "base/codecs/little_endian.h"

static constexpr size_t kIconDirSize = 6;
static constexpr size_t kIconDirEntrySize = 16;
static constexpr size_t kBmpFileHeaderSize = 14;
static constexpr uint32_t kInfoHeaderSize = 40;
static constexpr size_t kPaletteBytes256 = 256 * 4;

[[noreturn]] static void Fail(const std::string& what) {
  throw EInvalidGraphic("Invalid icon: " + what);
}

static uint16_t GetU16(std::span<const uint8_t> data, size_t pos) {
  if (pos + 2 > data.size()) Fail("the data is truncated");
  return LoadLE16(&data[pos]);
}

static uint32_t GetU32(std::span<const uint8_t> data, size_t pos) {
  return GetU16(data, pos) | (uint32_t(GetU16(data, pos + 2)) << 16);
}



static bool IsPng(std::span<const uint8_t> image) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return image.size() >= 8 && std::equal(kSignature, kSignature + 8, image.begin());
}

// Depth as the image's own header states it, for entries whose directory
// leaves it 0.
static uint16_t HeaderBitCount(std::span<const uint8_t> image) {
  if (IsPng(image) || image.size() < 16) return 0;
  const uint32_t headerSize = GetU32(image, 0);
  if (headerSize == 12) return GetU16(image, 10);
  return headerSize >= 16 ? GetU16(image, 14) : 0;
}

std::vector<IconEntry> ParseIcon(std::span<const uint8_t> file) {
  if (file.size() < kIconDirSize) Fail("the file is too short");
  if (GetU16(file, 0) != 0 || GetU16(file, 2) != 1) Fail("the file does not start with an icon header");
  const size_t count = GetU16(file, 4);
  if (count == 0) Fail("the file holds no images");
  const size_t directoryEnd = kIconDirSize + count * kIconDirEntrySize;
  if (directoryEnd > file.size()) Fail("the directory runs past the end of the file");

  std::vector<IconEntry> entries;
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kIconDirSize + i * kIconDirEntrySize;
    const uint64_t size = GetU32(file, at + 8), offset = GetU32(file, at + 12);
    if (size == 0 || offset < directoryEnd || offset + size > file.size())
      Fail("image " + std::to_string(i) + " lies outside the file");
    IconEntry entry;
    entry.width = file[at] == 0 ? 256 : file[at];
    entry.height = file[at + 1] == 0 ? 256 : file[at + 1];
    entry.colorCount = file[at + 2];
    entry.planes = GetU16(file, at + 4);
    entry.bitCount = GetU16(file, at + 6);
    entry.image.assign(file.begin() + offset, file.begin() + offset + size);
    if (entry.bitCount == 0) entry.bitCount = HeaderBitCount(entry.image);
    entries.push_back(std::move(entry));
  }
  return entries;
}

size_t PickIconEntry(const std::vector<IconEntry>& entries, int size, int bitCount) {
  if (entries.empty()) Fail("there is no image to choose from");
  // Odd penalties break ties in favour of the larger size and the lower depth.
  auto cost = [&](const IconEntry& entry) {
    const int sizeCost = entry.width >= size ? (entry.width - size) * 2 : (size - entry.width) * 2 + 1;
    const int depthCost = entry.bitCount <= bitCount ? (bitCount - entry.bitCount) * 2
                                                     : (entry.bitCount - bitCount) * 2 + 1;
    return std::make_tuple(sizeCost, depthCost);
  };
  size_t best = 0;
  for (size_t i = 1; i < entries.size(); ++i)
    if (cost(entries[i]) < cost(entries[best])) best = i;
  return best;
}

BmpImage DecodeIconImage(const IconEntry& entry) {
  const std::span<const uint8_t> dib = entry.image;
  if (IsPng(dib)) Fail("PNG images are not supported");
  if (dib.size() < 12) Fail("the image header is truncated");
  const uint32_t headerSize = GetU32(dib, 0);
  if (headerSize > dib.size()) Fail("the image header is truncated");
  const bool isCore = headerSize == 12;
  if (!isCore && headerSize < 16) Fail("unknown image header size " + std::to_string(headerSize));
  const int64_t doubledHeight = isCore ? GetU16(dib, 6) : int32_t(GetU32(dib, 8));
  const uint16_t bitCount = isCore ? GetU16(dib, 10) : GetU16(dib, 14);
  const uint32_t compression = headerSize >= 20 ? GetU32(dib, 16) : 0;
  const uint32_t colorsUsed = headerSize >= 36 ? GetU32(dib, 32) : 0;
  // The stored height covers the XOR rows and the AND rows.
  if (doubledHeight <= 0 || doubledHeight % 2 != 0) Fail("the image height is not a doubled height");
  if (compression != 0 && compression != 3) Fail("compressed images are not supported");

  const size_t maskBytes = headerSize == kInfoHeaderSize && compression == 3 ? 12 : 0;
  const size_t paletteBytes =
      bitCount <= 8 ? (colorsUsed != 0 ? colorsUsed : size_t(1) << bitCount) * (isCore ? 3 : 4) : 0;
  const uint64_t pixelOffset = uint64_t(kBmpFileHeaderSize) + headerSize + maskBytes + paletteBytes;
  if (pixelOffset > kBmpFileHeaderSize + dib.size()) Fail("the colour table is truncated");

  // Wrap the image as a BMP file of the real height and let the BMP reader do the work.
  std::vector<uint8_t> bmp;
  bmp.reserve(kBmpFileHeaderSize + dib.size());
  bmp.push_back('B');
  bmp.push_back('M');
  AppendLE32(bmp, uint32_t(kBmpFileHeaderSize + dib.size()));
  AppendLE32(bmp, 0);
  AppendLE32(bmp, uint32_t(pixelOffset));
  bmp.insert(bmp.end(), dib.begin(), dib.end());
  const uint32_t height = uint32_t(doubledHeight / 2);
  if (isCore) {
    bmp[kBmpFileHeaderSize + 6] = uint8_t(height);
    bmp[kBmpFileHeaderSize + 7] = uint8_t(height >> 8);
  } else {
    for (int k = 0; k < 4; ++k) bmp[kBmpFileHeaderSize + 8 + k] = uint8_t(height >> (8 * k));
  }
  BmpImage image = DecodeBmp(bmp);

  const size_t width = size_t(image.width);
  const size_t xorStride = (width * bitCount + 31) / 32 * 4;
  const size_t andStride = (width + 31) / 32 * 4;
  const size_t andStart = size_t(pixelOffset - kBmpFileHeaderSize) + xorStride * height;
  if (andStart + andStride * height > dib.size()) Fail("the transparency mask is truncated");
  for (size_t row = 0; row < height; ++row) {
    const uint8_t* src = dib.data() + andStart + row * andStride;
    const size_t y = height - 1 - row;
    for (size_t x = 0; x < width; ++x)
      if ((src[x / 8] >> (7 - x % 8)) & 1) image.pixels[y * width + x] &= 0x00FFFFFFu;
  }
  return image;
}

// An icon image's BITMAPINFOHEADER: twice the height (colour rows, then the
// AND mask), uncompressed, every palette entry present.
static void AppendIconImageHeader(std::vector<uint8_t>& out, size_t width, size_t height, uint16_t bitCount,
                                  size_t pixelBytes) {
  AppendLE32(out, kInfoHeaderSize);
  AppendLE32(out, uint32_t(width));
  AppendLE32(out, uint32_t(height * 2));
  AppendLE16(out, 1);
  AppendLE16(out, bitCount);
  AppendLE32(out, 0);  // BI_RGB
  AppendLE32(out, uint32_t(pixelBytes));
  for (int i = 0; i < 4; ++i) AppendLE32(out, 0);
}

IconEntry IconEntry32(int size, std::span<const uint32_t> argb) {
  if (size <= 0 || size > 256 || argb.size() != size_t(size) * size_t(size))
    Fail("a 32-bit image needs 1 to 256 pixels a side and a pixel for each");
  const size_t side = size_t(size), andStride = (side + 31) / 32 * 4;
  IconEntry entry;
  entry.width = entry.height = size;
  entry.planes = 1;
  entry.bitCount = 32;
  std::vector<uint8_t>& out = entry.image;
  out.reserve(kInfoHeaderSize + (side * 4 + andStride) * side);
  AppendIconImageHeader(out, side, side, 32, (side * 4 + andStride) * side);
  for (size_t row = 0; row < side; ++row)
    for (size_t x = 0; x < side; ++x) AppendLE32(out, argb[(side - 1 - row) * side + x]);
  for (size_t row = 0; row < side; ++row) {
    const size_t rowStart = out.size();
    out.resize(rowStart + andStride, 0);
    for (size_t x = 0; x < side; ++x)
      if ((argb[(side - 1 - row) * side + x] >> 24) == 0) out[rowStart + x / 8] |= uint8_t(0x80 >> (x % 8));
  }
  return entry;
}

IconEntry PngIconEntry(int size, std::vector<uint8_t> png) {
  if (size <= 0 || size > 256 || !IsPng(png)) Fail("a PNG entry needs 1 to 256 pixels a side and a PNG file");
  IconEntry entry;
  entry.width = entry.height = size;
  entry.planes = 1;
  entry.bitCount = 32;
  entry.image = std::move(png);
  return entry;
}

std::vector<uint8_t> BuildIconFile(std::span<const IconEntry> entries) {
  if (entries.empty() || entries.size() > 0xFFFF) Fail("an icon holds 1 to 65535 images");
  std::vector<uint8_t> out;
  AppendLE16(out, 0);
  AppendLE16(out, 1);
  AppendLE16(out, uint16_t(entries.size()));
  uint64_t offset = kIconDirSize + entries.size() * kIconDirEntrySize;
  for (const IconEntry& entry : entries) {
    if (entry.width <= 0 || entry.width > 256 || entry.height <= 0 || entry.height > 256 || entry.image.empty())
      Fail("an image must be 1 to 256 pixels on each side and hold data");
    if (offset + entry.image.size() > 0xFFFFFFFFu) Fail("the icon would pass 4 GiB");
    out.push_back(uint8_t(entry.width));  // 256 wraps to 0, as the format wants
    out.push_back(uint8_t(entry.height));
    out.push_back(uint8_t(entry.colorCount));
    out.push_back(0);
    AppendLE16(out, entry.planes);
    AppendLE16(out, entry.bitCount);
    AppendLE32(out, uint32_t(entry.image.size()));
    AppendLE32(out, uint32_t(offset));
    offset += entry.image.size();
  }
  for (const IconEntry& entry : entries) out.insert(out.end(), entry.image.begin(), entry.image.end());
  return out;
}

std::vector<uint8_t> BuildIcon256(const BmpImage& image, std::span<const uint8_t> transparent) {
  if (image.bitCount != 8) Fail("the image must have 8 bits per pixel");
  if (image.width <= 0 || image.height <= 0 || image.width > 256 || image.height > 256)
    Fail("an icon image must be 1 to 256 pixels on each side");
  const size_t width = size_t(image.width), height = size_t(image.height);
  if (image.palette.empty() || image.palette.size() > 256) Fail("the palette must hold 1 to 256 colours");
  if (image.indices.size() != width * height || transparent.size() != width * height)
    Fail("the pixel or mask count does not match the size");
  for (uint8_t index : image.indices)
    if (index >= image.palette.size()) Fail("a palette index is beyond the palette");

  const size_t xorStride = (width + 3) / 4 * 4;
  const size_t andStride = (width + 31) / 32 * 4;
  const size_t imageBytes = kInfoHeaderSize + kPaletteBytes256 + (xorStride + andStride) * height;

  std::vector<uint8_t> out;
  out.reserve(kIconDirSize + kIconDirEntrySize + imageBytes);
  AppendLE16(out, 0);  // reserved
  AppendLE16(out, 1);  // icon
  AppendLE16(out, 1);  // one image
  out.push_back(uint8_t(width));  // 256 wraps to 0, as the format wants
  out.push_back(uint8_t(height));
  out.push_back(0);  // 256 colours are written as 0
  out.push_back(0);
  AppendLE16(out, 1);
  AppendLE16(out, 8);
  AppendLE32(out, uint32_t(imageBytes));
  AppendLE32(out, uint32_t(kIconDirSize + kIconDirEntrySize));

  AppendIconImageHeader(out, size_t(width), size_t(height), 8, (xorStride + andStride) * height);
  for (size_t i = 0; i < 256; ++i) AppendLE32(out, i < image.palette.size() ? image.palette[i] & 0x00FFFFFFu : 0);

  for (size_t row = 0; row < height; ++row) {
    const size_t y = height - 1 - row;
    out.insert(out.end(), image.indices.begin() + y * width, image.indices.begin() + (y + 1) * width);
    out.resize(out.size() + xorStride - width, 0);
  }
  for (size_t row = 0; row < height; ++row) {
    const size_t y = height - 1 - row;
    const size_t rowStart = out.size();
    out.resize(rowStart + andStride, 0);
    for (size_t x = 0; x < width; ++x)
      if (transparent[y * width + x] != 0) out[rowStart + x / 8] |= uint8_t(0x80 >> (x % 8));
  }
  return out;
}
